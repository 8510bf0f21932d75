#include "engine/Synthesis.h"

#include <algorithm>
#include <cmath>

#include "common/Log.h"
#include "common/SomeError.h"
#include "synthesis/PendingList.h"
#include "synthesis/ResultsStore.h"
#include "synthesis/StatData.h"
#include "synthesis/SynthesisParams.h"

namespace {

constexpr int kSliceTrials = 20;
constexpr std::int64_t kSliceMs = 200;
constexpr std::int64_t kMaxSliceMs = 2000;

// Holds a lock taken by LockOrThrow.
class Held {
 public:
  explicit Held(Mutex& m) : m_(&m) {}
  ~Held() {
    if (m_) m_->Unlock();
  }
  void Release() {
    if (m_) m_->Unlock();
    m_ = nullptr;
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  Mutex* m_;
};

}  // namespace

Synthesis::Synthesis(int index, const SynthesisParams& p, const GoalData& g, ResultsStore& results,
                     VariableTable& docVariables, StatData& stats, PendingList& pendings)
    : threadIndex(index),
      params(p),
      goal(g),
      resultsStore(results),
      variables(docVariables),
      documentVariables(docVariables),
      statistics(stats),
      pendingList(pendings) {}

void Synthesis::Entry() {
  try {
    Run();
    exitedNormally.store(true);
  } catch (const std::exception& e) {
    errorText = e.what();
    exitedNormally.store(false);
    Locker lock(variantLock);
    working = false;
  } catch (...) {
    errorText = "Unknown exception";
    exitedNormally.store(false);
    Locker lock(variantLock);
    working = false;
  }
}

void Synthesis::LockOrThrow(Mutex& m) {
  if (!m.Lock()) throw some_error(Tr("Can't lock Mutex"));
}

void Synthesis::ToDocument(Variant& v) {
  v.SetVariables(&documentVariables);
  v.randWord = ThRTable::WordFunction(ThRTable::kCommonStream);
  v.randUniform = ThRTable::UniformFunction(ThRTable::kCommonStream);
}

void Synthesis::WriteStats(const RoundCounters& c, bool withFitness) {
  ThreadStats& entry = statistics.Thread(threadIndex);
  LockOrThrow(entry.lock);
  Held held(entry.lock);
  entry.processed = c.processed;
  entry.seconds = c.threadMs / 1000;
  if (withFitness) entry.fitness = current.fitness;
  entry.improvements = c.improvements;
  entry.rangecheckErrors = c.rangecheckErrors;
}

void Synthesis::Accumulate() { statistics.AccumulateThread(threadIndex); }

void Synthesis::Run() {
  Stopwatch sliceWatch;
  const ThRTable::WordFn word = ThRTable::WordFunction(threadIndex);
  const ThRTable::UniformFn uniform = ThRTable::UniformFunction(threadIndex);
  const bool rangeCheck = params.rangeCheck != 0;
  const bool cancel = params.cancelConstants != 0;
  current.SetVariables(&variables);
  current.constRange = goal.constRange;
  current.weight = params.weightFactor;
  current.places = params.roundingPlaces;
  current.fitnessKind = static_cast<std::uint32_t>(params.pointFitness);
  current.goal = &goal;
  Variant trial;
  bool pendingPhase = true;

  for (;;) {
    // A new round.
    RoundCounters c;
    int sliceCountdown = kSliceTrials;
    {
      LockOrThrow(variantLock);
      Held held(variantLock);
      working = false;
      elapsedMs = 0;
      mutations.store(0, std::memory_order_relaxed);
      progressClock.Start();
      progressClock.Pause();
    }
    sliceWatch.Start();
    bool haveVariant = false;

    // The pending variants first, in list order.
    while (pendingPhase && !haveVariant) {
      LockOrThrow(pendingList.lock);
      Held pendingHeld(pendingList.lock);
      LockOrThrow(variantLock);
      Held variantHeld(variantLock);
      PendingVariant* pending = pendingList.TakeNext();
      if (!pending) {
        pendingPhase = false;
        break;
      }
      pending->SetVariables(&variables);
      if (rangeCheck && !pending->CheckRange(false)) {
        LogVerbose(Tr("Skipped pending due to rangecheck"));
        ++c.rangecheckErrors;
        Process(c);
        pending->SetVariables(&documentVariables);
        if (StopRequested()) {
          // The round's counts go to the period like at every other way out,
          // so the statistics never lose processed variants.
          variantHeld.Release();
          pendingHeld.Release();
          WriteStats(c, false);
          Accumulate();
          return;
        }
        continue;
      }
      const double f = pending->GetFitness();
      if (!(f > 0) && !std::isnan(f)) {
        if (pending->rangeKnown && !pending->rangeOk) ++c.rangecheckErrors;
        LogVerbose(Tr("Skipped pending due to Additonal Fitness is zero"));
        pending->SetVariables(&documentVariables);
        continue;
      }
      current = *pending;
      current.SetVariables(&variables);
      current.randWord = word;
      current.randUniform = uniform;
      elapsedMs = pending->elapsedMs;
      mutations.store(pending->mutations, std::memory_order_relaxed);
      pending->SetVariables(&documentVariables);
      changed = true;
      working = true;
      haveVariant = true;
    }

    // Otherwise fresh random variants until one scores.
    if (!haveVariant) {
      current.randWord = word;
      current.randUniform = uniform;
      int rejected = 0;
      for (;;) {
        current.Regenerate();
        Process(c);
        if (rangeCheck && !current.CheckRange(false)) {
          ++c.rangecheckErrors;
          if (--sliceCountdown > 0) continue;
          const std::int64_t t = sliceWatch.Time();
          if (t < kSliceMs) continue;
          sliceWatch.Start();
          c.threadMs += static_cast<std::uint32_t>(std::min(t, kMaxSliceMs));
          WriteStats(c, false);
          if (StopRequested()) {
            Accumulate();
            return;
          }
          continue;
        }
        if (cancel) {
          current.CancelConstants();
          if (rangeCheck && !current.CheckRange(false)) {
            ++c.rangecheckErrors;
            continue;
          }
        }
        if (current.GetAllScore() > 0 && current.GetMainScore() > 0) break;
        if (current.rangeKnown && !current.rangeOk) ++c.rangecheckErrors;
        // A stop request is noticed here too, so a worker ends promptly even
        // when no fresh variant scores.
        if (++rejected % kSliceTrials == 0 && StopRequested()) {
          WriteStats(c, false);
          Accumulate();
          return;
        }
      }
      LockOrThrow(variantLock);
      Held held(variantLock);
      working = true;
      changed = true;
    }

    // Improvement: mutate a trial copy, keep it when it is strictly better.
    {
      LockOrThrow(variantLock);
      Held held(variantLock);
      progressClock.Start();
    }
    bool roundEnds = false;
    while (!roundEnds) {
      int cycles = params.mutationCycles;
      trial = current;
      for (;;) {
        trial.Mutate();
        Process(c);
        mutations.fetch_add(1, std::memory_order_relaxed);
        const double trialMain = trial.GetMainFitness();
        if (trial.rangeKnown && !trial.rangeOk) {
          ++c.rangecheckErrors;
          cycles = 1;
        } else {
          const double best = current.GetFitness();
          if (trialMain > best || std::isnan(trialMain) || std::isnan(best)) {
            if (cancel) trial.CancelConstants();
            if (rangeCheck && !trial.CheckRange(true)) {
              ++c.rangecheckErrors;
            } else if (trial.GetFitness() > current.GetFitness()) {
              LockOrThrow(variantLock);
              Held held(variantLock);
              current = trial;
              changed = true;
              ++c.improvements;
              elapsedMs = 0;
              progressClock.Start();
              mutations.store(0, std::memory_order_relaxed);
              cycles = params.mutationCycles;
            }
          }
        }
        // Time slice. The fresh phase may have left the countdown below zero
        // (it is not refilled after rangecheck failures): that counts as
        // reached, or the worker would never look at the clock again.
        if (--sliceCountdown <= 0) {
          sliceCountdown = kSliceTrials;
          const std::int64_t t = sliceWatch.Time();
          if (t >= kSliceMs) {
            sliceWatch.Start();
            {
              LockOrThrow(variantLock);
              Held held(variantLock);
              if (t >= kMaxSliceMs) {
                c.threadMs += static_cast<std::uint32_t>(kMaxSliceMs);
                elapsedMs += static_cast<std::uint32_t>(kMaxSliceMs);
              } else {
                c.threadMs += static_cast<std::uint32_t>(t);
                elapsedMs += static_cast<std::uint32_t>(progressClock.Time());
              }
              progressClock.Start();
            }
            WriteStats(c, true);
            const bool ends =
                params.restartByTime
                    ? static_cast<std::int64_t>(elapsedMs / 1000) >= params.restartValue
                    : mutations.load(std::memory_order_relaxed) >=
                          static_cast<std::uint64_t>(static_cast<std::int64_t>(params.restartValue));
            if (ends) {
              roundEnds = true;
              break;
            }
            if (StopRequested()) {
              LockOrThrow(variantLock);
              Held held(variantLock);
              progressClock.Pause();
              held.Release();
              Accumulate();
              return;
            }
          }
        }
        if (--cycles <= 0) break;  // start again from the running best
      }
    }

    // Store the result.
    LockOrThrow(resultsStore.lock);
    Held storeHeld(resultsStore.lock);
    Accumulate();
    LockOrThrow(variantLock);
    Held variantHeld(variantLock);
    auto result = std::make_unique<Variant>(current);
    ToDocument(*result);
    resultsStore.Append(std::move(result));
    changed = true;
    working = false;
    variantHeld.Release();
    storeHeld.Release();
    if (StopRequested()) return;
  }
}

double Synthesis::CurrentFitness() {
  Locker lock(variantLock);
  if (!lock.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return 0.0;
  }
  // A working variant is always judged: its caches are clean.
  return working ? current.fitness : 0.0;
}

bool Synthesis::CurrentFitnessPair(double& fitness, double& allScore) {
  fitness = allScore = 0.0;
  Locker lock(variantLock);
  if (!lock.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return false;
  }
  if (working) {
    fitness = current.fitness;
    allScore = current.allScore;
  }
  const bool wasChanged = changed;
  changed = false;
  return wasChanged;
}

std::unique_ptr<Variant> Synthesis::CopyCurrent() {
  Locker lock(variantLock);
  if (!lock.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return nullptr;
  }
  if (!working || current.fitness == 0) return nullptr;
  auto copy = std::make_unique<Variant>(current);
  ToDocument(*copy);
  return copy;
}

std::unique_ptr<PendingVariant> Synthesis::TakePending() {
  Locker lock(variantLock);
  if (!lock.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return nullptr;
  }
  if (!working || current.fitness == 0) return nullptr;
  const std::int64_t unfinished = std::min<std::int64_t>(progressClock.Time(), kMaxSliceMs);
  auto pending = std::make_unique<PendingVariant>(current, elapsedMs + static_cast<std::uint32_t>(unfinished),
                                                  mutations.load(std::memory_order_relaxed));
  ToDocument(*pending);
  return pending;
}
