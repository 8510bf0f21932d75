// The user-interface language and the message catalogs beside the executable.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/intl.h>

#include "app/Locales.h"
#include "app/WxReporter.h"
#include "common/Log.h"

namespace {

namespace fs = std::filesystem;

const char* const kProgramPo =
    "msgid \"Wrong number\"\n"
    "msgstr \"Неверное число\"\n";
// A text of the toolkit's own, which the program's catalog does not have.
const char* const kToolkitPo =
    "msgid \"Close\"\n"
    "msgstr \"Закрыть\"\n";

/// A folder standing for the executable's, with Russian catalogs compiled
/// into its "locale" folder; the core's texts are translated through the
/// window program's reporter.
class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wxLocale::IsAvailable(wxLANGUAGE_RUSSIAN))
      GTEST_SKIP() << "the ru_RU.UTF-8 locale is not generated on this machine "
                      "(scripts/install-deps.sh generates it)";
    std::string name = (fs::temp_directory_path() / "formulon-catalogs-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    exeDir_ = name;
    previous_ = SetReporter(&reporter_);
    installed_ = true;
  }
  void TearDown() override {
    if (installed_) SetReporter(previous_);
    if (!exeDir_.empty()) fs::remove_all(exeDir_);
  }

  /// Compiles `entries` (a .po body) into locale/ru/LC_MESSAGES/<domain>.mo.
  void MakeCatalog(const std::string& domain, const char* entries) {
    const fs::path folder = fs::path(exeDir_) / "locale" / "ru" / "LC_MESSAGES";
    fs::create_directories(folder);
    const fs::path po = fs::path(exeDir_) / (domain + ".po");
    {
      std::ofstream out(po);
      out << "msgid \"\"\nmsgstr \"\"\n\"Language: ru\\n\"\n"
             "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
          << entries;
    }
    const std::string command = "msgfmt --check-format -o '" + (folder / (domain + ".mo")).string() +
                                "' '" + po.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0)
        << command << " failed (msgfmt comes with gettext, see scripts/install-deps.sh)";
  }

  std::string exeDir_;

 private:
  WxReporter reporter_;
  Reporter* previous_ = nullptr;
  bool installed_ = false;
};

TEST_F(CatalogTest, RussianLoadsTheProgramsCatalogThenTheToolkitsAndTranslatesTheCore) {
  ASSERT_NO_FATAL_FAILURE(MakeCatalog("formulon-line", kProgramPo));
  ASSERT_NO_FATAL_FAILURE(MakeCatalog("formulon-line-wx", kToolkitPo));
  wxLocale locale;
  ASSERT_TRUE(locale.Init(wxLANGUAGE_RUSSIAN, wxLOCALE_DONT_LOAD_DEFAULT));

  EXPECT_TRUE(Locales::LoadCatalogs(locale, wxString::FromUTF8(exeDir_)));
  EXPECT_TRUE(locale.IsLoaded("formulon-line"));
  EXPECT_TRUE(locale.IsLoaded("formulon-line-wx"));
  EXPECT_EQ(wxGetTranslation("Close").utf8_string(), "Закрыть");
  // The core's messages are translated by the window program's reporter.
  EXPECT_EQ(Tr("Wrong number"), "Неверное число");
  EXPECT_EQ(Tr("No such text"), "No such text");
}

TEST_F(CatalogTest, WithoutTheProgramsCatalogTheToolkitsIsNotLoaded) {
  ASSERT_NO_FATAL_FAILURE(MakeCatalog("formulon-line-wx", kToolkitPo));
  wxLocale locale;
  ASSERT_TRUE(locale.Init(wxLANGUAGE_RUSSIAN, wxLOCALE_DONT_LOAD_DEFAULT));

  EXPECT_FALSE(Locales::LoadCatalogs(locale, wxString::FromUTF8(exeDir_)));
  EXPECT_FALSE(locale.IsLoaded("formulon-line-wx"));
  EXPECT_EQ(wxGetTranslation("Close").utf8_string(), "Close");
  EXPECT_EQ(Tr("Wrong number"), "Wrong number");
}

TEST(UiLanguageTest, LangNoChoosesEnglishRussianOrTheSystemLanguage) {
  // wxLANGUAGE_DEFAULT in `expected` means the system's language: the toolkit's
  // "default" or the system language itself.
  struct Case {
    int langNo;
    int system;
    int expected;
  };
  const std::vector<Case> cases = {
      {1, wxLANGUAGE_GERMAN, wxLANGUAGE_ENGLISH},
      {1, wxLANGUAGE_UKRAINIAN, wxLANGUAGE_ENGLISH},
      {1, wxLANGUAGE_RUSSIAN, wxLANGUAGE_ENGLISH},
      {2, wxLANGUAGE_ENGLISH_US, wxLANGUAGE_RUSSIAN},
      {2, wxLANGUAGE_GERMAN, wxLANGUAGE_RUSSIAN},
      {0, wxLANGUAGE_GERMAN, wxLANGUAGE_DEFAULT},
      {0, wxLANGUAGE_ENGLISH_US, wxLANGUAGE_DEFAULT},
      {0, wxLANGUAGE_RUSSIAN, wxLANGUAGE_DEFAULT},
      {0, wxLANGUAGE_RUSSIAN_UKRAINE, wxLANGUAGE_RUSSIAN},
      {0, wxLANGUAGE_UKRAINIAN, wxLANGUAGE_RUSSIAN},
      {3, wxLANGUAGE_FRENCH, wxLANGUAGE_DEFAULT},
      {3, wxLANGUAGE_UKRAINIAN, wxLANGUAGE_RUSSIAN},
      {-1, wxLANGUAGE_RUSSIAN_UKRAINE, wxLANGUAGE_RUSSIAN},
  };
  for (const Case& c : cases) {
    const int got = Locales::ChooseUiLanguage(c.langNo, c.system);
    if (c.expected == wxLANGUAGE_DEFAULT)
      EXPECT_TRUE(got == wxLANGUAGE_DEFAULT || got == c.system)
          << "LangNo " << c.langNo << ", system " << c.system << ": got " << got;
    else
      EXPECT_EQ(got, c.expected) << "LangNo " << c.langNo << ", system " << c.system;
  }
}

}  // namespace
