#include <gtest/gtest.h>

#include <cerrno>

#include "support/CaptureReporter.h"

TEST(Log, LevelsReachTheInstalledReporterAndTheDefaultReturns) {
  {
    CaptureReporter log;
    LogError("e");
    LogWarning("w");
    LogStatus("s");
    LogVerbose("v");
    errno = ENOENT;
    LogSysError("sys");
    const auto m = log.Messages();
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m[0].level, LogLevel::Error);
    EXPECT_EQ(m[1].level, LogLevel::Warning);
    EXPECT_EQ(m[2].level, LogLevel::Status);
    EXPECT_EQ(m[3].level, LogLevel::Verbose);
    EXPECT_EQ(m[4].level, LogLevel::SysError);
    EXPECT_EQ(m[4].sysError, ENOENT);
    EXPECT_EQ(m[0].sysError, 0);
    {
      CaptureReporter inner;
      LogError("inner");
      EXPECT_EQ(inner.Texts(LogLevel::Error), std::vector<std::string>{"inner"});
    }
    LogError("outer again");
    EXPECT_EQ(log.Texts(LogLevel::Error), (std::vector<std::string>{"e", "outer again"}));
  }
  EXPECT_EQ(SetReporter(nullptr), nullptr);  // the default is back
  EXPECT_EQ(Tr("text"), "text");
}

TEST(Log, FormatAndTranslation) {
  EXPECT_EQ(Format("%s\nExpression: %s\nCharacter Number: %d", "Wrong symbol", "x y", 2),
            "Wrong symbol\nExpression: x y\nCharacter Number: 2");
  EXPECT_EQ(Format("%s", std::string(5000, 'a').c_str()).size(), 5000u);
  EXPECT_EQ(Format("%s", ""), "");
  CaptureReporter tr;
  tr.translationPrefix = "ru:";
  EXPECT_EQ(Tr("Wrong number"), "ru:Wrong number");
}
