#include "app/TitleText.h"

#include <gtest/gtest.h>

namespace {

// Every character is 10 pixels wide: a title of n characters needs 10·n.
int Width(const std::string& s) { return static_cast<int>(s.size()) * 10; }

// Room in pixels that leaves `chars` characters for the path after the head
// "Formulon Zizi - [" (17 characters) and the closing "]".
int FrameFor(int chars, bool modified = false) {
  return kTitleMargin + 10 * (17 + (modified ? 3 : 1) + chars);
}

}  // namespace

TEST(TitleText, SplitsUnixAndWindowsPaths) {
  const TitlePath unix = SplitTitlePath("/home/ann/models/run2/test.flx");
  EXPECT_EQ(unix.volume, "");
  EXPECT_EQ(unix.dirs, (std::vector<std::string>{"home", "ann", "models", "run2"}));
  EXPECT_EQ(unix.fileName, "test.flx");
  const TitlePath win = SplitTitlePath("C:\\data\\models\\run2\\test.flx", true);
  EXPECT_EQ(win.volume, "C");
  EXPECT_EQ(win.dirs, (std::vector<std::string>{"data", "models", "run2"}));
  EXPECT_EQ(win.separator, '\\');
}

TEST(TitleText, ShortensLongPathsKeepingInnermostFolders) {
  const std::string full = "/home/ann/models/run2/test.flx";  // 30 characters
  const TitlePath p = SplitTitlePath(full);
  struct Case {
    int room;  // characters of room for the path
    bool modified;
    std::string title;
  };
  const Case cases[] = {
      {30, false, "Formulon Zizi - [/home/ann/models/run2/test.flx]"},
      {30, true, "Formulon Zizi - [/home/ann/models/run2/test.flx *]"},
      // "/..." (4) + "/test.flx" (9) leave 29 - 13 = 16: "/run2" and "/models" fit, "/ann" too.
      {29, false, "Formulon Zizi - [/.../ann/models/run2/test.flx]"},
      // 20 - 13 = 7: "/run2" (5) fits, "/models" (7) no longer.
      {20, false, "Formulon Zizi - [/.../run2/test.flx]"},
      {18, false, "Formulon Zizi - [/.../run2/test.flx]"},
      // Exactly the prefix and the name: no folder.
      {13, false, "Formulon Zizi - [/.../test.flx]"},
      // Not even that: the name alone.
      {12, false, "Formulon Zizi - [test.flx]"},
      {12, true, "Formulon Zizi - [test.flx *]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PathTitle("Formulon Zizi", p, false, c.modified, FrameFor(c.room, c.modified), Width),
              c.title)
        << c.room;
}

TEST(TitleText, ShortenedTitleStartsAfterTheOutermostFolder) {
  // One character short of the whole path: the long outermost folder goes.
  const TitlePath p = SplitTitlePath("/averylongfolder/b/c.flx");  // 24 characters
  EXPECT_EQ(PathTitle("App", p, false, false, kTitleMargin + 10 * (7 + 1 + 23), Width),
            "App - [/.../b/c.flx]");
}

TEST(TitleText, WindowsVolumePrefix) {
  const TitlePath p = SplitTitlePath("C:\\data\\models\\run2\\test.flx", true);
  EXPECT_EQ(PathTitle("Formulon Zizi", p, false, true, FrameFor(27, true), Width),
            "Formulon Zizi - [C:\\...\\models\\run2\\test.flx *]");
}

TEST(TitleText, UntitledAndNameTitles) {
  TitlePath p;
  p.full = "Untitled3";
  EXPECT_EQ(PathTitle("Formulon Zizi", p, true, false, 0, Width), "Formulon Zizi - [Untitled3]");
  EXPECT_EQ(PathTitle("Formulon Zizi", p, true, true, 0, Width), "Formulon Zizi - [Untitled3 *]");
  EXPECT_EQ(NameTitle("Formulon Zizi", "run.flx", true), "Formulon Zizi - [run.flx *]");
}
