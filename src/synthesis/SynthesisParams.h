#pragma once
// Every setting of a synthesis run; one record per document.

#include <cstdint>
#include <iosfwd>

struct SynthesisParams {
  /// The defaults; the thread count is the processor count bounded by ProcessorLimit.
  SynthesisParams();

  std::uint8_t restartByTime;   ///< 1: restartValue is seconds; 0: processed variants
  std::int32_t restartValue;    ///< restart after this many seconds or variants without progress
  std::uint8_t rangeCheck;      ///< a variant counts only when its value range is finite
  std::int32_t threadCount;     ///< worker threads started by a run (at most 8)
  std::uint8_t lowPriority;     ///< workers run at the lowest priority
  std::int32_t mutationCycles;  ///< mutation cycles without progress before restarting from the best
  std::int32_t roundingPlaces;  ///< decimal places of new constants; -1: no rounding
  std::uint8_t cancelConstants; ///< fold constant sub-expressions
  double weightFactor;          ///< weight of the element count in the fitness
  std::int32_t pointFitness;    ///< 0 relative to the y range, 1 exponential

  /// Back to the defaults.
  void Reset() { *this = SynthesisParams(); }
  bool operator==(const SynthesisParams& o) const;
  bool operator!=(const SynthesisParams& o) const { return !(*this == o); }

  /// Writes the 34-byte section (marker 0x10); true when the stream is good.
  bool WriteSection(std::ostream& out) const;
  /// Reads the section. A wrong marker logs "Wrong SynthesisParams marker" and
  /// changes nothing; the thread count is bounded by ProcessorLimit(); the
  /// second restart-by-time byte is the one that stays. Fields read before a
  /// short read keep their new values.
  bool ReadSection(std::istream& in, int fileVersion);

  /// Logical processors of this machine (at least 1); tests may override it.
  static int ProcessorCount();
  static void SetProcessorCountForTesting(int count);  ///< 0 restores the real count
  /// P for 1 <= P <= 7, otherwise 8: no more workers than there are random streams.
  static int ProcessorLimit(int processors);
  static int ProcessorLimit() { return ProcessorLimit(ProcessorCount()); }
};
