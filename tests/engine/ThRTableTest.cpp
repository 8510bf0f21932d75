#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/ThRTable.h"
#include "support/CaptureReporter.h"

namespace {

// The seed whose first generator step gives `word`, so word 0 of the table is `word`.
std::uint32_t SeedForFirstWord(std::uint32_t word) {
  // Inverse of the multiplier modulo 2^32 by Newton's iteration.
  std::uint32_t inv = 1664525u;
  for (int i = 0; i < 5; ++i) inv *= 2u - 1664525u * inv;
  return (word - 1013904223u) * inv;
}

}  // namespace

TEST(ThRTable, SeedFillsTheTableWithSuccessiveGeneratorSteps) {
  const std::uint32_t seed = 0x12345678u;
  ThRTable::SeedWith(seed);
  std::uint32_t s = seed;
  for (std::size_t i = 0; i < ThRTable::kTableSize; ++i) {
    s = ThRTable::Step(s);
    if (ThRTable::Word(i) != s) {
      ADD_FAILURE() << "word " << i;
      break;
    }
  }
  EXPECT_EQ(ThRTable::GeneratorState(), s);
  EXPECT_EQ(ThRTable::GeneratorState(), ThRTable::Word(ThRTable::kTableSize - 1));
  EXPECT_EQ(ThRTable::Step(0), 1013904223u);
}

TEST(ThRTable, RestartAllPlacesStreamsInOrder) {
  ThRTable::SeedWith(7);
  std::uint32_t s = ThRTable::GeneratorState();
  ThRTable::RestartAll();
  for (int k = 0; k < ThRTable::kStreamCount; ++k) {
    s = ThRTable::Step(s);
    EXPECT_EQ(ThRTable::ReadPosition(k), s & 0x7ffffu) << "stream " << k;
    EXPECT_LT(ThRTable::ReadPosition(k), ThRTable::kTableSize / 2);
  }
  EXPECT_EQ(ThRTable::GeneratorState(), s);
}

TEST(ThRTable, StreamsWalkJumpAndRefreshEveryTenthJump) {
  CaptureReporter log;
  ThRTable::SeedWith(99);
  ThRTable::RestartAll();
  ThRTable::SetWrapCounter(0);
  const auto word = ThRTable::WordFunction(3);
  // A stream at the last word returns it; its next draw jumps.
  ThRTable::SetReadPosition(3, ThRTable::kTableSize - 1);
  EXPECT_EQ(word(), ThRTable::Word(ThRTable::kTableSize - 1));
  EXPECT_EQ(ThRTable::ReadPosition(3), ThRTable::kTableSize);
  for (int jump = 1; jump <= 10; ++jump) {
    const std::uint32_t next = ThRTable::Step(ThRTable::GeneratorState());
    const std::size_t target = next & 0x7ffffu;
    const std::uint32_t before = ThRTable::Word(target);
    ThRTable::SetReadPosition(3, ThRTable::kTableSize);
    const std::uint32_t w = word();
    EXPECT_EQ(ThRTable::ReadPosition(3), target + 1);
    if (jump < 10) {
      EXPECT_EQ(w, before) << "jump " << jump;
      EXPECT_EQ(ThRTable::WrapCounter(), jump);
      EXPECT_TRUE(log.Texts(LogLevel::Verbose).empty());
    } else {
      // The tenth jump refills the table from the state after the jump, then reads.
      std::uint32_t s = next;
      for (std::size_t i = 0; i <= target; ++i) s = ThRTable::Step(s);
      EXPECT_EQ(w, s);
      EXPECT_EQ(ThRTable::Word(0), ThRTable::Step(next));
      EXPECT_EQ(ThRTable::WrapCounter(), 0);
      EXPECT_EQ(log.Texts(LogLevel::Verbose), std::vector<std::string>{"Round table have been freshed"});
    }
  }
}

TEST(ThRTable, UniformTakesTheWordAsUnsigned) {
  const auto uniform = ThRTable::UniformFunction(ThRTable::kCommonStream);
  const struct {
    std::uint32_t word;
    double a, b, expected;
  } cases[] = {
      {0u, -5, 5, -5},
      {0x80000000u, -5, 5, 0},
      {0x80000000u, 0, 1, 0.5},
      {0xC0000000u, 10, 2, 4},  // a > b: between b and a
      {0xffffffffu, 0, 4294967296.0, 4294967295.0},
  };
  for (const auto& c : cases) {
    ThRTable::SeedWith(SeedForFirstWord(c.word));
    ASSERT_EQ(ThRTable::Word(0), c.word);
    ThRTable::SetReadPosition(ThRTable::kCommonStream, 0);
    EXPECT_EQ(uniform(c.a, c.b), c.expected) << std::hex << c.word;
  }
  ThRTable::SeedWith(SeedForFirstWord(0x80000000u));
  ThRTable::SetReadPosition(5, 0);
  EXPECT_GT(ThRTable::WordFunction(5)(), 0x7fffffffu);
}

TEST(ThRTable, WorkersDrawConcurrentlyThroughRefills) {
  ThRTable::SeedWith(2026);
  ThRTable::RestartAll();
  CaptureReporter quiet;
  std::vector<std::thread> workers;
  std::vector<std::uint64_t> sums(8);
  for (int k = 0; k < 8; ++k)
    workers.emplace_back([k, &sums] {
      const auto word = ThRTable::WordFunction(k);
      const auto uniform = ThRTable::UniformFunction(k);
      std::uint64_t sum = 0;
      for (int i = 0; i < 1500000; ++i) {
        sum += word();
        const double u = uniform(0, 1);
        if (u < 0 || u >= 1) ADD_FAILURE() << u;
      }
      sums[k] = sum;
    });
  for (auto& t : workers) t.join();
  for (int k = 0; k < 8; ++k) {
    EXPECT_LE(ThRTable::ReadPosition(k), ThRTable::kTableSize);
    EXPECT_GT(sums[k], 0u);
  }
  // Each stream jumped at least twice: 16 jumps or more, so a refill ran.
  EXPECT_FALSE(quiet.Texts(LogLevel::Verbose).empty());
}
