#pragma once
// Runs a synthesis for one document: creates the workers, watches them, stops
// them, turns their unfinished variants into pending variants, and keeps the
// period clock and the autosave clock. The main window drives it from its
// timer; the command-line tool from its own loop. Everything here runs on the
// owner's thread; only the workers run elsewhere.

#include <pthread.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "common/Stopwatch.h"
#include "document/Document.h"
#include "document/ProjectFile.h"
#include "engine/Synthesis.h"

class SynthesisController {
 public:
  /// Autosave after this much running time since the last save.
  static constexpr std::int64_t kAutosaveMs = 600000;
  /// Stack of a worker thread.
  static constexpr std::size_t kStackSize = 1 << 20;

  explicit SynthesisController(Document& doc);
  /// Aborts a run that is still going.
  ~SynthesisController();
  SynthesisController(const SynthesisController&) = delete;
  SynthesisController& operator=(const SynthesisController&) = delete;

  /// Starts a run: builds the goal (reporting its problems), revalidates if
  /// needed, opens new periods, rewinds the pending list and starts
  /// `threadCount` workers on streams 0 to 7. A thread that cannot be created
  /// is reported ("Can't create thread") and the others run. Returns whether
  /// a run is going.
  bool Start();
  /// Asks every worker to stop, waits for each, then FinishRun.
  void Stop();
  /// Stops and deletes the workers without keeping their variants.
  void Abort();

  // Stop in steps, for a caller that keeps its window alive while waiting.
  void RequestStop();
  bool AllEnded() const;
  void JoinAll();
  /// Common end of a run: reports workers that ended with an error, puts the
  /// snapshots of workers 0, 1, 2 ... in front of the pending variants not yet
  /// handed out, discards the ones handed out, deletes the workers.
  void FinishRun();

  struct TickResult {
    bool autosaveDue = false;  ///< the caller should autosave, then call AutosaveDone
    bool finished = false;     ///< no worker was alive: the run ended in this pass
  };
  /// The periodic pass (every 200 ms): reaps workers that ended by an error
  /// ("A thread %d was terminated: %s"), updates the period time, and says
  /// when an autosave is due. Passes closer than 100 ms to the previous one do
  /// nothing.
  TickResult Tick();
  /// Restarts the autosave clock at 0 (after any save or read).
  void AutosaveDone();

  bool Running() const { return running_; }
  const std::vector<std::unique_ptr<Synthesis>>& Workers() const { return workers_; }
  /// For saving during a run: the period time and the workers' variants.
  WriteHooks Hooks();

  /// The statistics period clock: brings currentStats.seconds up to date.
  void UpdateTime();
  /// After reading a project or New: the clock continues from the period's seconds.
  void RestoreClock();

  /// Tests: make the creation of these worker threads fail.
  std::set<int> failThreadCreation;

 private:
  struct Thread {
    pthread_t handle{};
    bool joinable = false;
    std::atomic<bool> ended{false};
    Synthesis* worker = nullptr;
    bool lowPriority = false;
  };
  static void* ThreadMain(void* arg);
  bool CreateThread(int i);
  void DeleteWorker(int i);

  Document& doc_;
  std::vector<std::unique_ptr<Synthesis>> workers_;
  std::vector<std::unique_ptr<Thread>> threads_;
  bool running_ = false;
  Stopwatch autosaveClock_;
  Stopwatch periodClock_;
  std::uint32_t periodBaseSeconds_ = 0;
  Stopwatch tickWatch_;
  bool tickWatchFresh_ = true;
};
