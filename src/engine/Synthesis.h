#pragma once
// One synthesis worker: a hill climber with restarts. It takes a pending
// variant or grows a fresh one, keeps every mutation that improves the
// fitness, stores the variant as a result when progress stops, and starts
// over, until it is asked to stop. Workers share only the results store, the
// statistics, the pending list and the random round table.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/Mutex.h"
#include "common/Stopwatch.h"
#include "engine/Variant.h"

class ResultsStore;
class PendingList;
class StatData;
struct SynthesisParams;

class Synthesis {
 public:
  /// `index` 0 to 7 selects the random stream and the statistics record.
  /// `variables` is the document's table; the worker evaluates through a copy.
  Synthesis(int index, const SynthesisParams& params, const GoalData& goal, ResultsStore& results,
            VariableTable& variables, StatData& statistics, PendingList& pendings);
  Synthesis(const Synthesis&) = delete;
  Synthesis& operator=(const Synthesis&) = delete;

  /// The thread's body: runs the loop and records how it ended (an exception's
  /// message becomes the error text).
  void Entry();
  /// The loop; returns when a stop was requested. Throws some_error when a lock
  /// cannot be taken.
  void Run();

  /// Asks the loop to end at its next look (the stop request it polls).
  void RequestStop() { stopRequested_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }

  // Snapshots for the controller; each takes the variant lock (a failure is
  // reported as "Can't lock Mutex" and gives nothing).
  /// The current variant's fitness when working, else 0.
  double CurrentFitness();
  /// Fitness and all-point score of the current variant and whether it changed
  /// since the last call (the flag is cleared).
  bool CurrentFitnessPair(double& fitness, double& allScore);
  /// A copy of the current variant (when working with a fitness other than 0).
  std::unique_ptr<Variant> CopyCurrent();
  /// The current variant as a pending variant, with the time and trials spent
  /// on it; null when there is nothing to keep.
  std::unique_ptr<PendingVariant> TakePending();

  int ThreadIndex() const { return threadIndex; }
  bool ExitedNormally() const { return exitedNormally.load(); }
  std::string ErrorText() const { return errorText; }
  /// Variants processed since construction (for checks and the command-line tool).
  std::uint64_t ProcessedTotal() const { return processedTotal_.load(std::memory_order_relaxed); }
  Mutex& VariantLock() { return variantLock; }

 private:
  struct RoundCounters {
    std::uint64_t processed = 0;
    std::uint32_t threadMs = 0;
    std::uint32_t improvements = 0;
    std::uint32_t rangecheckErrors = 0;
  };
  void Process(RoundCounters& c) {
    ++c.processed;
    processedTotal_.fetch_add(1, std::memory_order_relaxed);
  }
  void WriteStats(const RoundCounters& c, bool withFitness);
  void Accumulate();
  void LockOrThrow(Mutex& m);
  /// Binds a variant that leaves the worker to the document.
  void ToDocument(Variant& v);

  const int threadIndex;
  const SynthesisParams& params;
  const GoalData& goal;
  ResultsStore& resultsStore;
  VariableTable variables;
  VariableTable& documentVariables;
  StatData& statistics;
  PendingList& pendingList;

  // Guarded by variantLock while working (the worker changes them only under
  // it then); `mutations` is counted in the inner loop without the lock, so it
  // is atomic.
  bool working = false;
  bool changed = true;
  Stopwatch progressClock;
  std::uint32_t elapsedMs = 0;
  std::atomic<std::uint64_t> mutations{0};
  Variant current;
  Mutex variantLock;

  std::atomic<bool> exitedNormally{true};
  std::string errorText;
  std::atomic<bool> stopRequested_{false};
  std::atomic<std::uint64_t> processedTotal_{0};
};
