#include <gtest/gtest.h>

#include <sstream>

#include "support/CaptureReporter.h"
#include "synthesis/StatData.h"

TEST(StatData, PeriodsAndThreadRecords) {
  StatData s;
  s.currentStats.processed = 5;
  s.currentStats.seconds = 3;
  s.totalStats.processed = 1;
  s.StartPeriod(2);
  EXPECT_EQ(s.totalStats.processed, 6u);
  EXPECT_EQ(s.totalStats.seconds, 3u);
  EXPECT_EQ(s.currentStats, PeriodStats());
  ASSERT_EQ(s.ThreadCount(), 2);

  ThreadStats& t = s.Thread(1);
  t.processed = 100;
  t.seconds = 9;
  t.fitness = 0.5;
  t.improvements = 4;
  t.rangecheckErrors = 7;
  s.AccumulateThread(1);
  EXPECT_EQ(s.currentStats.processed, 100u);
  EXPECT_EQ(s.currentStats.improvements, 4u);
  EXPECT_EQ(s.currentStats.rangecheckErrors, 7u);
  EXPECT_EQ(s.currentStats.seconds, 0u);  // the period clock counts time, not the workers
  EXPECT_EQ(t.processed, 0u);
  EXPECT_EQ(t.fitness, 0.0);
  EXPECT_EQ(t.seconds, 0u);

  s.Thread(0).processed = 50;
  s.ClearThread(0);
  EXPECT_EQ(s.Thread(0).processed, 0u);
  EXPECT_EQ(s.currentStats.processed, 100u);
  s.RemoveThreads();
  EXPECT_EQ(s.ThreadCount(), 0);
  s.Reset();
  EXPECT_EQ(s.totalStats, PeriodStats());
}

TEST(StatData, LockFailuresFollowTheDiscipline) {
  StatData s;
  s.StartPeriod(1);
  ThreadStats& t = s.Thread(0);
  t.processed = 10;
  {
    CaptureReporter log;
    s.lock.InjectFailures(1);
    s.AccumulateThread(0);
    EXPECT_EQ(s.currentStats.processed, 0u);  // nothing added
    EXPECT_EQ(t.processed, 10u);
    EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't lock Mutex"});
  }
  {
    CaptureReporter log;
    t.lock.InjectFailures(1);
    s.AccumulateThread(0);
    EXPECT_EQ(s.currentStats.processed, 10u);  // added, record not cleared
    EXPECT_EQ(t.processed, 10u);
    EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't lock Mutex"});
  }
  CaptureReporter log;
  t.lock.InjectFailures(1);
  std::ostringstream out;
  EXPECT_FALSE(s.WriteSection(out));
  EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't lock Mutex"});
}

TEST(StatData, SectionHoldsTheLiveCurrentPeriod) {
  StatData s;
  s.totalStats = PeriodStats{0x0102030405060708ull, 9, 10, 11, 12, 13, 14};
  s.StartPeriod(2);  // moves nothing: current is zero
  s.totalStats = PeriodStats{0x0102030405060708ull, 9, 10, 11, 12, 13, 14};
  s.currentStats.processed = 1;
  s.currentStats.seconds = 60;
  s.Thread(0).processed = 2;
  s.Thread(0).seconds = 99;
  s.Thread(1).improvements = 3;
  s.Thread(1).rangecheckErrors = 4;
  std::ostringstream out;
  ASSERT_TRUE(s.WriteSection(out));
  const std::string b = out.str();
  ASSERT_EQ(b.size(), 73u);
  EXPECT_EQ(b[0], 0x43);
  EXPECT_EQ(b.substr(1, 8), std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
  EXPECT_EQ(b.substr(9, 4), std::string("\x09\0\0\0", 4));
  EXPECT_EQ(b.substr(25, 8), std::string("\x0d\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(b.substr(37, 8), std::string("\x03\0\0\0\0\0\0\0", 8));  // 1 + 2
  EXPECT_EQ(b.substr(45, 4), std::string("\x3c\0\0\0", 4));          // seconds of the period only
  EXPECT_EQ(b.substr(49, 4), std::string("\x03\0\0\0", 4));
  EXPECT_EQ(b.substr(53, 4), std::string("\x04\0\0\0", 4));
  EXPECT_EQ(s.Thread(0).processed, 2u);  // the records keep their counts

  StatData back;
  back.StartPeriod(3);
  std::istringstream in(b);
  ASSERT_TRUE(back.ReadSection(in, 0x11));
  EXPECT_EQ(back.ThreadCount(), 0);
  EXPECT_EQ(back.totalStats, s.totalStats);
  EXPECT_EQ(back.currentStats.processed, 3u);
  EXPECT_EQ(back.currentStats.seconds, 60u);

  CaptureReporter log;
  std::istringstream wrong(std::string("\x44") + b.substr(1));
  EXPECT_FALSE(back.ReadSection(wrong, 0x11));
  EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{"Wrong StatData marker"});
}
