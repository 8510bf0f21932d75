#pragma once
// A millisecond stopwatch that can be paused and resumed.

#include <chrono>
#include <cstdint>

class Stopwatch {
 public:
  using Clock = std::chrono::steady_clock;

  /// Starts running from `startMs`.
  explicit Stopwatch(std::int64_t startMs = 0) { Start(startMs); }
  /// Restarts from `startMs`, running.
  void Start(std::int64_t startMs = 0) {
    base_ = startMs;
    since_ = Clock::now();
    paused_ = false;
  }
  void Pause() {
    if (paused_) return;
    base_ = Time();
    paused_ = true;
  }
  void Resume() {
    if (!paused_) return;
    since_ = Clock::now();
    paused_ = false;
  }
  bool Paused() const { return paused_; }
  /// Milliseconds counted so far.
  std::int64_t Time() const {
    if (paused_) return base_;
    return base_ + std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since_).count();
  }

 private:
  std::int64_t base_ = 0;
  Clock::time_point since_;
  bool paused_ = false;
};
