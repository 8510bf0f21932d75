#include "app/FileTypeRegistration.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "common/AtomicFile.h"
#include "support/CaptureReporter.h"

namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

void Write(const std::string& path, const std::string& text) {
  MakeDirs(path.substr(0, path.rfind('/')));
  std::ofstream(path) << text;
}

class FileTypeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/filetype-XXXXXX";
    const std::string root = mkdtemp(pattern);
    places.dataHome = root + "/data";
    places.configHome = root + "/config";
    places.executable = "/opt/formulon zizi/bin/formulon-zizi";
    places.iconXpm = "/* XPM */\nicon\n";
  }
  // Counts the questions; answers with `answer`.
  std::function<bool()> Ask(bool answer) {
    return [this, answer] {
      ++questions;
      return answer;
    };
  }
  FileTypePlaces places;
  int questions = 0;
  CaptureReporter log;
};

}  // namespace

TEST_F(FileTypeTest, RegistersAndUnregisters) {
  EXPECT_EQ(ProbeFileType(places), FileTypeState::None);
  RegisterFileType(true, false, places, Ask(true));
  EXPECT_EQ(questions, 0);
  EXPECT_TRUE(log.Texts(LogLevel::Error).empty());
  EXPECT_EQ(ProbeFileType(places), FileTypeState::Ours);
  EXPECT_NE(Read(places.MimePackagePath()).find("<glob pattern=\"*.flx\"/>"), std::string::npos);
  EXPECT_NE(Read(places.DesktopEntryPath())
                .find("Exec=\"/opt/formulon zizi/bin/formulon-zizi\" %f"),
            std::string::npos);
  EXPECT_EQ(Read(places.IconPath()), places.iconXpm);
  EXPECT_NE(Read(places.MimeAppsPath()).find("application/x-formulon-project=formulon-zizi.desktop;"),
            std::string::npos);

  RegisterFileType(false, false, places, Ask(true));
  EXPECT_EQ(ProbeFileType(places), FileTypeState::None);
  EXPECT_FALSE(Exists(places.MimePackagePath()));
  EXPECT_FALSE(Exists(places.DesktopEntryPath()));
  EXPECT_FALSE(Exists(places.IconPath()));
  EXPECT_EQ(Read(places.MimeAppsPath()).find("x-formulon-project"), std::string::npos);
}

TEST_F(FileTypeTest, AnotherProgramsTypeAsksUnlessForcedAndIsNeverRemoved) {
  const std::string other =
      "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
      "[Default Applications]\napplication/x-formulon-project=other.desktop;\n";
  Write(places.MimeAppsPath(), other);
  EXPECT_EQ(ProbeFileType(places), FileTypeState::OwnedByOther);

  RegisterFileType(false, false, places, Ask(true));  // unregister: nothing of theirs goes
  EXPECT_EQ(Read(places.MimeAppsPath()), other);

  RegisterFileType(true, false, places, Ask(false));  // asked, refused
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(Read(places.MimeAppsPath()), other);
  EXPECT_FALSE(Exists(places.DesktopEntryPath()));

  RegisterFileType(true, true, places, Ask(false));  // the settings' button: no question
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(ProbeFileType(places), FileTypeState::Ours);
  const std::string apps = Read(places.MimeAppsPath());
  EXPECT_NE(apps.find("text/plain=gedit.desktop;"), std::string::npos);  // other lines kept
  EXPECT_EQ(apps.find("other.desktop"), std::string::npos);
}

TEST_F(FileTypeTest, OurEntryForAnotherExecutableIsAnotherProgram) {
  FileTypePlaces elsewhere = places;
  elsewhere.executable = "/usr/bin/formulon-zizi";
  RegisterFileType(true, false, elsewhere, Ask(true));
  EXPECT_EQ(ProbeFileType(places), FileTypeState::OwnedByOther);

  RegisterFileType(false, false, places, Ask(true));  // the other install's files stay
  EXPECT_TRUE(Exists(places.DesktopEntryPath()));
  EXPECT_EQ(ProbeFileType(elsewhere), FileTypeState::Ours);

  RegisterFileType(true, false, places, Ask(true));  // asked, taken over
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(ProbeFileType(places), FileTypeState::Ours);
}

TEST_F(FileTypeTest, ADifferentIconRegistersAgainWithoutAsking) {
  RegisterFileType(true, false, places, Ask(true));
  Write(places.IconPath(), "changed");
  EXPECT_EQ(ProbeFileType(places), FileTypeState::None);
  RegisterFileType(true, false, places, Ask(false));
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(Read(places.IconPath()), places.iconXpm);
}

TEST_F(FileTypeTest, UnwritablePlacesAreReportedStepByStep) {
  // Files where the folders should be: every step fails and says so.
  Write(places.dataHome + "/mime", "not a folder");
  Write(places.dataHome + "/applications", "not a folder");
  Write(places.dataHome + "/icons", "not a folder");
  RegisterFileType(true, false, places, Ask(true));
  EXPECT_EQ(log.Texts(LogLevel::Error),
            (std::vector<std::string>{"Can't create '.flx' registry key",
                                      "Can't create 'Formulon Zizi' registry key",
                                      "Can't create 'DefaultIcon' registry key"}));
}

TEST(DesktopExecLine, QuotesAndEscapes) {
  EXPECT_EQ(DesktopExecLine("/usr/bin/fz"), "\"/usr/bin/fz\" %f");
  EXPECT_EQ(DesktopExecLine("/a b/$x\"%"), "\"/a b/\\\\$x\\\\\"%%\" %f");
}
