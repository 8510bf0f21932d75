#include <fstream>
#include <sstream>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/clrpicker.h>
#include <wx/filename.h>
#include <wx/notebook.h>

#include "GuiTest.h"
#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SettingsDialog.h"
#include "app/SettingsStore.h"
#include "support/LocaleScope.h"

namespace {

std::string Read(const wxString& path) {
  std::ifstream in(path.utf8_string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const wxString& path, const std::string& text) {
  wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  std::ofstream(path.utf8_string()) << text;
}

/// A settings file of its own in the test's temporary configuration folder.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = wxString(getenv("XDG_CONFIG_HOME")) + "/store-test/" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".conf";
    if (wxFileExists(path)) wxRemoveFile(path);
  }
  std::unique_ptr<AppConfig> Open() { return std::make_unique<AppConfig>("Formulon Zizi", path); }
  AppSettings Load(int systemLanguage = wxLANGUAGE_ENGLISH_US, int answer = -99) {
    auto config = Open();
    AppSettings s;
    LoadSettings(s, *config, systemLanguage, [this, answer] {
      ++questions;
      return answer;
    });
    return s;
  }
  wxString path;
  int questions = 0;
};

}  // namespace

TEST_F(StoreTest, RoundTripOfEveryKey) {
  AppSettings s;
  s.showSplash = false;
  s.loadLast = false;
  s.useLastDirs = false;
  s.verbose = true;
  s.langNo = 2;
  s.disableFilePath = true;
  s.autosave = false;
  s.expressionColour = {1, 2, 3};
  s.pointsColour = {250, 251, 252};
  s.additionalPointsColour = {0, 0, 0};
  s.synthesizedColour = {16, 160, 255};
  {
    auto config = Open();
    SaveSettings(s, *config);
  }  // flushed by the store itself
  const std::string text = Read(path);
  EXPECT_NE(text.find("[Settings]"), std::string::npos);
  EXPECT_NE(text.find("LangNo=2"), std::string::npos);
  EXPECT_NE(text.find("ExpressionColour=#010203"), std::string::npos);
  EXPECT_NE(text.find("SynthesizedColour=#10A0FF"), std::string::npos);
  EXPECT_EQ(Load(), s);
  EXPECT_EQ(questions, 0);
}

TEST_F(StoreTest, MissingAndBadValuesKeepTheirDefaults) {
  WriteFile(path,
            "[Settings]\nExpressionColour=#00FF00\nPointsColour=no colour\nLangNo=7\n"
            "Verbose=maybe\nthis line is damaged\n");
  const AppSettings s = Load();
  AppSettings expected;
  expected.expressionColour = {0, 255, 0};
  EXPECT_EQ(s, expected);  // LangNo 7 reads as 0, the rest as the defaults
}

TEST_F(StoreTest, FirstStartAsksTheLanguageOnlyWhereItHelps) {
  EXPECT_EQ(Load(wxLANGUAGE_KAZAKH, 2).langNo, 2);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(Load(wxLANGUAGE_UZBEK_CYRILLIC, 0).langNo, 0);  // dialog closed
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(Load(wxLANGUAGE_GERMAN, 1).langNo, 0);
  EXPECT_EQ(questions, 2);
  // Once stored, never again; an unknown number (-1) counts as none stored.
  WriteFile(path, "[Settings]\nLangNo=1\n");
  EXPECT_EQ(Load(wxLANGUAGE_KAZAKH, 2).langNo, 1);
  WriteFile(path, "[Settings]\nLangNo=-1\n");
  EXPECT_EQ(Load(wxLANGUAGE_KAZAKH, 2).langNo, 2);
  EXPECT_EQ(questions, 3);
}

TEST_F(StoreTest, SavingCreatesTheFolderAndKeepsOtherGroups) {
  path = wxString(getenv("XDG_CONFIG_HOME")) + "/new/deeper/s.conf";
  WriteFile(wxString(getenv("XDG_CONFIG_HOME")) + "/new/keep", "");
  {
    auto config = Open();
    config->Write("/History/file1", "/tmp/a.flx");
    SaveSettings(AppSettings(), *config);
  }
  const std::string text = Read(path);
  EXPECT_NE(text.find("file1=/tmp/a.flx"), std::string::npos);
  EXPECT_NE(text.find("LoadLast=1"), std::string::npos);
}

TEST(SettingsFile, LivesInTheXdgConfigFolder) {
  EXPECT_EQ(SettingsFilePath(), wxString(getenv("XDG_CONFIG_HOME")) + "/Formulon Zizi.conf");
}

// ---------------------------------------------------------------------------
// The dialog and the Settings command.

/// Acts on the Settings dialog, then accepts it.
template <>
class wxExpectModal<SettingsDialog> : public wxExpectModalBase<SettingsDialog> {
 public:
  explicit wxExpectModal(std::function<void(SettingsDialog*)> act) : act_(std::move(act)) {}

 protected:
  int OnInvoked(SettingsDialog* dlg) const override {
    act_(dlg);
    return dlg->Accept() ? wxID_OK : wxID_CANCEL;
  }

 private:
  std::function<void(SettingsDialog*)> act_;
};

namespace {

class SettingsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalSettings().SetDefaults();
    wxConfigBase::Get()->DeleteAll();
    frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
  }
  void TearDown() override {
    frame->Destroy();
    Pump(10);
    GlobalSettings().SetDefaults();
    wxConfigBase::Get()->DeleteAll();
  }
  void Settings(std::function<void(SettingsDialog*)> act) {
    wxCommandEvent event(wxEVT_MENU, ID_SETTINGS);
    wxTEST_DIALOG(frame->GetEventHandler()->ProcessEvent(event),
                  wxExpectModal<SettingsDialog>(std::move(act)));
  }
  std::string Stored() { return Read(SettingsFilePath()); }
  MainFrame* frame = nullptr;
  LogRecorder log;
};

}  // namespace

TEST_F(SettingsCommandTest, UnchangedOkSavesNothing) {
  Settings([](SettingsDialog* d) {
    EXPECT_EQ(d->Notebook()->GetPageCount(), 2u);
    EXPECT_EQ(d->Language()->GetSelection(), 0);
  });
  EXPECT_EQ(Stored().find("[Settings]"), std::string::npos);
  EXPECT_TRUE(log.Texts(wxLOG_Warning).empty());
}

TEST_F(SettingsCommandTest, DefaultResetsTheLanguageAndWarns) {
  GlobalSettings().langNo = 1;
  GlobalSettings().verbose = true;
  Settings([](SettingsDialog* d) {
    EXPECT_EQ(d->Language()->GetSelection(), 1);
    d->LoadDefaults();
  });
  EXPECT_EQ(GlobalSettings(), AppSettings());
  ASSERT_EQ(log.Texts(wxLOG_Warning).size(), 1u);
  EXPECT_EQ(log.Texts(wxLOG_Warning)[0],
            "You have changed application Language. You need to restart application for this "
            "change to take effect.");
  EXPECT_NE(Stored().find("LangNo=0"), std::string::npos);
  EXPECT_NE(Stored().find("Verbose=0"), std::string::npos);
}

TEST_F(SettingsCommandTest, UnknownLanguageTextStoresMinusOne) {
  Settings([](SettingsDialog* d) {
    d->Language()->SetValue("Klingon");
  });
  EXPECT_EQ(GlobalSettings().langNo, -1);
  EXPECT_NE(Stored().find("LangNo=-1"), std::string::npos);
  EXPECT_EQ(log.Texts(wxLOG_Warning).size(), 1u);
}

TEST_F(SettingsCommandTest, ColoursAndTitleFollowAtOnce) {
  Settings([](SettingsDialog* d) {
    d->Picker(2)->SetColour(wxColour(1, 2, 3));  // expression
    static_cast<wxCheckBox*>(d->FindWindow(ID_DISABLE_PATH_CHECK))->SetValue(true);
  });
  EXPECT_FALSE(frame->ShowFilePath());
  EXPECT_EQ(GlobalSettings().expressionColour, (Rgb{1, 2, 3}));
  EXPECT_NE(Stored().find("ExpressionColour=#010203"), std::string::npos);
  EXPECT_TRUE(log.Texts(wxLOG_Warning).empty());
}
