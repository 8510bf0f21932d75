#include "synthesis/SynthesisParams.h"

#include <atomic>
#include <thread>

#include "common/BinaryIO.h"
#include "common/Log.h"

namespace {
constexpr std::uint8_t kMarker = 0x10;
std::atomic<int> processorOverride{0};
}  // namespace

int SynthesisParams::ProcessorCount() {
  const int forced = processorOverride.load();
  if (forced > 0) return forced;
  const unsigned n = std::thread::hardware_concurrency();
  return n > 0 ? static_cast<int>(n) : 1;
}

void SynthesisParams::SetProcessorCountForTesting(int count) { processorOverride.store(count); }

int SynthesisParams::ProcessorLimit(int processors) { return processors >= 1 && processors <= 7 ? processors : 8; }

SynthesisParams::SynthesisParams()
    : restartByTime(1),
      restartValue(20),
      rangeCheck(1),
      // The processor count, but never more workers than random streams.
      threadCount(ProcessorLimit()),
      lowPriority(1),
      mutationCycles(2),
      roundingPlaces(5),
      cancelConstants(1),
      weightFactor(0.01),
      pointFitness(0) {}

bool SynthesisParams::operator==(const SynthesisParams& o) const {
  return restartByTime == o.restartByTime && restartValue == o.restartValue && rangeCheck == o.rangeCheck &&
         threadCount == o.threadCount && lowPriority == o.lowPriority && mutationCycles == o.mutationCycles &&
         roundingPlaces == o.roundingPlaces && cancelConstants == o.cancelConstants &&
         weightFactor == o.weightFactor && pointFitness == o.pointFitness;
}

bool SynthesisParams::WriteSection(std::ostream& out) const {
  bin::Put(out, kMarker);
  bin::Put(out, restartByTime);
  bin::Put(out, restartValue);
  bin::Put(out, rangeCheck);
  bin::Put(out, threadCount);
  bin::Put(out, lowPriority);
  bin::Put(out, mutationCycles);
  bin::Put(out, roundingPlaces);
  bin::Put(out, cancelConstants);
  bin::Put(out, restartByTime);  // a second copy; reading keeps this one
  bin::Put(out, weightFactor);
  bin::Put(out, pointFitness);
  return static_cast<bool>(out);
}

bool SynthesisParams::ReadSection(std::istream& in, int /*fileVersion*/) {
  if (!bin::ReadMarker(in, kMarker, Tr("Wrong SynthesisParams marker"))) return false;
  if (!bin::Get(in, restartByTime) || !bin::Get(in, restartValue) || !bin::Get(in, rangeCheck) ||
      !bin::Get(in, threadCount))
    return false;
  const int limit = ProcessorLimit();
  if (threadCount > limit) threadCount = limit;
  return bin::Get(in, lowPriority) && bin::Get(in, mutationCycles) && bin::Get(in, roundingPlaces) &&
         bin::Get(in, cancelConstants) && bin::Get(in, restartByTime) && bin::Get(in, weightFactor) &&
         bin::Get(in, pointFitness);
}
