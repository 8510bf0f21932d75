#include <gtest/gtest.h>

#include <sstream>

#include "support/CaptureReporter.h"
#include "synthesis/SynthesisParams.h"

namespace {

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

struct ProcessorCount {
  explicit ProcessorCount(int n) { SynthesisParams::SetProcessorCountForTesting(n); }
  ~ProcessorCount() { SynthesisParams::SetProcessorCountForTesting(0); }
};

}  // namespace

TEST(SynthesisParams, DefaultsWriteTheir34Bytes) {
  ProcessorCount four(4);
  SynthesisParams p;
  std::ostringstream out;
  ASSERT_TRUE(p.WriteSection(out));
  EXPECT_EQ(out.str(), Bytes({0x10, 0x01, 0x14, 0, 0, 0, 0x01, 0x04, 0, 0, 0, 0x01, 0x02, 0, 0, 0, 0x05, 0, 0, 0, 0x01,
                              0x01, 0x7B, 0x14, 0xAE, 0x47, 0xE1, 0x7A, 0x84, 0x3F, 0, 0, 0, 0}));
  SynthesisParams changed;
  EXPECT_EQ(changed, p);
  changed.weightFactor = 0.02;
  EXPECT_NE(changed, p);
  changed.Reset();
  EXPECT_EQ(changed, p);
}

TEST(SynthesisParams, ThreadCountIsBoundedByTheProcessorLimit) {
  const struct {
    int processors, written, read;
  } cases[] = {{16, 16, 8}, {4, 16, 4}, {4, 6, 4}, {4, 2, 2}, {4, 0, 0}, {4, -3, -3}, {8, 8, 8}, {7, 9, 7}};
  for (const auto& c : cases) {
    ProcessorCount n(c.processors);
    SynthesisParams p;
    p.threadCount = c.written;
    std::stringstream file;
    p.WriteSection(file);
    SynthesisParams back;
    ASSERT_TRUE(back.ReadSection(file, 0x11));
    EXPECT_EQ(back.threadCount, c.read) << c.processors << " processors, " << c.written << " written";
  }
  EXPECT_EQ(SynthesisParams::ProcessorLimit(0), 8);
  EXPECT_EQ(SynthesisParams::ProcessorLimit(1), 1);
  EXPECT_EQ(SynthesisParams::ProcessorLimit(64), 8);
  ProcessorCount many(32);
  EXPECT_EQ(SynthesisParams().threadCount, 8);  // a new document never asks for a ninth stream
}

TEST(SynthesisParams, ReadingKeepsTheSecondRestartByteAndRefusesWrongMarkers) {
  SynthesisParams p;
  p.restartValue = 77;
  p.roundingPlaces = 40;  // out of the dialog's range: used as read
  std::ostringstream out;
  p.WriteSection(out);
  std::string bytes = out.str();
  bytes[1] = 0;
  bytes[21] = 1;
  std::istringstream in(bytes);
  SynthesisParams back;
  back.restartByTime = 0;
  ASSERT_TRUE(back.ReadSection(in, 0x11));
  EXPECT_EQ(back.restartByTime, 1);
  EXPECT_EQ(back.restartValue, 77);
  EXPECT_EQ(back.roundingPlaces, 40);

  CaptureReporter log;
  bytes[0] = 0x11;
  std::istringstream wrong(bytes);
  SynthesisParams untouched;
  untouched.restartValue = 5;
  EXPECT_FALSE(untouched.ReadSection(wrong, 0x11));
  EXPECT_EQ(untouched.restartValue, 5);
  EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{"Wrong SynthesisParams marker"});

  std::istringstream shortSection(out.str().substr(0, 20));
  EXPECT_FALSE(SynthesisParams().ReadSection(shortSection, 0x11));
  EXPECT_EQ(log.Messages().size(), 1u);  // a short read has no message of its own
}
