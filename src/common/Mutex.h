#pragma once
// A non-recursive mutex whose Lock reports failure instead of throwing, as the
// program's lock discipline needs: a lock that cannot be taken is reported
// ("Can't lock Mutex") and the operation skipped. Tests can make the next
// locks of one mutex fail.

#include <atomic>
#include <mutex>
#include <system_error>

class Mutex {
 public:
  /// Takes the lock; false when it cannot be taken (then it is not held).
  bool Lock() {
    if (failures_.load(std::memory_order_relaxed) > 0 &&
        failures_.fetch_sub(1, std::memory_order_relaxed) > 0)
      return false;
    try {
      mutex_.lock();
      return true;
    } catch (const std::system_error&) {
      return false;
    }
  }
  void Unlock() { mutex_.unlock(); }

  /// Makes the next `count` calls of Lock fail (tests).
  void InjectFailures(int count) { failures_.store(count, std::memory_order_relaxed); }

 private:
  std::mutex mutex_;
  std::atomic<int> failures_{0};
};

/// Holds a Mutex for its scope when it could be taken.
class Locker {
 public:
  explicit Locker(Mutex& m) : mutex_(m), held_(m.Lock()) {}
  ~Locker() {
    if (held_) mutex_.Unlock();
  }
  Locker(const Locker&) = delete;
  Locker& operator=(const Locker&) = delete;
  bool Ok() const { return held_; }
  void Unlock() {
    if (held_) mutex_.Unlock();
    held_ = false;
  }

 private:
  Mutex& mutex_;
  bool held_;
};
