#include "synthesis/SynthesisController.h"

#include <sched.h>

#include <cerrno>
#include <cstring>

#include "common/Log.h"

SynthesisController::SynthesisController(Document& doc) : doc_(doc) {
  autosaveClock_.Pause();
  periodClock_.Pause();
  tickWatch_.Pause();
}

SynthesisController::~SynthesisController() { Abort(); }

void* SynthesisController::ThreadMain(void* arg) {
  auto* t = static_cast<Thread*>(arg);
  if (t->lowPriority) {
    // The lowest priority Linux gives an ordinary user.
    sched_param none{};
    none.sched_priority = 0;
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
  }
  t->worker->Entry();
  t->ended.store(true, std::memory_order_release);
  return nullptr;
}

bool SynthesisController::CreateThread(int i) {
  Thread& t = *threads_[static_cast<size_t>(i)];
  t.worker = workers_[static_cast<size_t>(i)].get();
  t.lowPriority = doc_.params.lowPriority != 0;
  if (failThreadCreation.count(i)) {
    errno = EAGAIN;
    return false;
  }
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, kStackSize);
  const int rc = pthread_create(&t.handle, &attr, &ThreadMain, &t);
  pthread_attr_destroy(&attr);
  if (rc != 0) {
    errno = rc;
    return false;
  }
  t.joinable = true;
  return true;
}

bool SynthesisController::Start() {
  if (running_) return true;
  const GoalData* goal = doc_.goal.GetGoal(false);
  if (!goal) return false;
  Revalidate(doc_);
  const int count = doc_.params.threadCount;
  workers_.clear();
  threads_.clear();
  if (count > 0) {
    workers_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) threads_.push_back(std::make_unique<Thread>());
  }
  {
    Locker store(doc_.results.lock);
    Locker pending(doc_.pendings.lock);
    Locker stats(doc_.stats.lock);
    if (!store.Ok() || !pending.Ok() || !stats.Ok()) {
      LogSysError(Tr("Can't lock Mutex"));
      workers_.clear();
      threads_.clear();
      return false;
    }
    doc_.stats.StartPeriod(count > 0 ? count : 0);
    doc_.results.StartPeriod();
    doc_.pendings.Rewind();
  }
  // The variable's range follows the goal for the workers' copies.
  doc_.variables[0].min = goal->xFirst;
  doc_.variables[0].max = goal->xLast;
  bool started = false;
  for (int i = 0; i < count; ++i) {
    // At most eight workers: one random stream each.
    if (i >= ThRTable::kCommonStream) break;
    workers_[static_cast<size_t>(i)] = std::make_unique<Synthesis>(i, doc_.params, *goal, doc_.results,
                                                                   doc_.variables, doc_.stats, doc_.pendings);
    if (!CreateThread(i)) {
      LogSysError(Tr("Can't create thread"));
      workers_[static_cast<size_t>(i)].reset();
      continue;
    }
    started = true;
  }
  if (started) {
    periodBaseSeconds_ = 0;
    periodClock_.Start();
    autosaveClock_.Resume();
  } else {
    workers_.clear();
    threads_.clear();
  }
  running_ = started;
  return running_;
}

void SynthesisController::RequestStop() {
  for (auto& w : workers_)
    if (w) w->RequestStop();
}

bool SynthesisController::AllEnded() const {
  for (size_t i = 0; i < workers_.size(); ++i)
    if (workers_[i] && !threads_[i]->ended.load(std::memory_order_acquire)) return false;
  return true;
}

void SynthesisController::JoinAll() {
  for (auto& t : threads_)
    if (t->joinable) {
      pthread_join(t->handle, nullptr);
      t->joinable = false;
    }
}

void SynthesisController::Stop() {
  if (!running_) return;
  RequestStop();
  JoinAll();
  FinishRun();
}

void SynthesisController::DeleteWorker(int i) {
  Thread& t = *threads_[static_cast<size_t>(i)];
  if (t.joinable) {
    pthread_join(t.handle, nullptr);
    t.joinable = false;
  }
  workers_[static_cast<size_t>(i)].reset();
}

void SynthesisController::Abort() {
  if (!running_ && workers_.empty()) return;
  RequestStop();
  JoinAll();
  for (size_t i = 0; i < workers_.size(); ++i) DeleteWorker(static_cast<int>(i));
  workers_.clear();
  threads_.clear();
  UpdateTime();
  periodClock_.Pause();
  {
    Locker stats(doc_.stats.lock);
    if (stats.Ok()) doc_.stats.RemoveThreads();
  }
  running_ = false;
  autosaveClock_.Pause();
}

void SynthesisController::FinishRun() {
  UpdateTime();
  periodClock_.Pause();
  JoinAll();
  for (size_t i = 0; i < workers_.size(); ++i)
    if (workers_[i] && !workers_[i]->ExitedNormally())
      LogError(Format(Tr("A thread %d wasn't exited gracefuly: %s").c_str(), static_cast<int>(i),
                      workers_[i]->ErrorText().c_str()));
  {
    Locker stats(doc_.stats.lock);
    if (!stats.Ok())
      LogSysError(Tr("Can't lock Mutex"));
    else
      doc_.stats.RemoveThreads();
  }
  {
    Locker pending(doc_.pendings.lock);
    if (!pending.Ok()) LogSysError(Tr("Can't lock Mutex"));
    for (size_t i = workers_.size(); i-- > 0;) {
      if (!workers_[i]) continue;
      if (pending.Ok() && workers_[i]->ExitedNormally()) {
        std::unique_ptr<PendingVariant> p = workers_[i]->TakePending();
        if (p) doc_.pendings.InsertAtReadPosition(std::move(p));
      }
      DeleteWorker(static_cast<int>(i));
    }
    // The variants handed out in this run live on as results or as the
    // snapshots above: they are not handed out again.
    if (pending.Ok()) doc_.pendings.DiscardTaken();
  }
  workers_.clear();
  threads_.clear();
  doc_.modified = true;
  running_ = false;
  autosaveClock_.Pause();
}

SynthesisController::TickResult SynthesisController::Tick() {
  TickResult result;
  if (!running_) {
    tickWatch_.Pause();
    tickWatchFresh_ = true;
    return result;
  }
  if (!tickWatchFresh_ && tickWatch_.Time() < 100) return result;
  tickWatch_.Start();
  tickWatchFresh_ = false;
  bool alive = false;
  for (size_t i = 0; i < workers_.size(); ++i) {
    if (!workers_[i]) continue;
    if (!threads_[i]->ended.load(std::memory_order_acquire)) {
      alive = true;
      continue;
    }
    // A worker that ended normally was asked to stop; its variant is kept
    // by FinishRun once no worker is left.
    if (workers_[i]->ExitedNormally()) continue;
    LogError(Format(Tr("A thread %d was terminated: %s").c_str(), static_cast<int>(i),
                    workers_[i]->ErrorText().c_str()));
    DeleteWorker(static_cast<int>(i));
    Locker stats(doc_.stats.lock);
    if (stats.Ok()) doc_.stats.ClearThread(static_cast<int>(i));
  }
  if (alive) {
    UpdateTime();
    if (autosaveClock_.Time() > kAutosaveMs - 1) result.autosaveDue = true;
  } else {
    FinishRun();
    result.finished = true;
  }
  return result;
}

void SynthesisController::AutosaveDone() {
  autosaveClock_.Start();
  if (!running_) autosaveClock_.Pause();
}

WriteHooks SynthesisController::Hooks() {
  WriteHooks hooks;
  hooks.updateTime = [this] {
    // Called with the statistics lock held.
    doc_.stats.currentStats.seconds = periodBaseSeconds_ + static_cast<std::uint32_t>(periodClock_.Time() / 1000);
  };
  hooks.appendWorkerPendings = [this](PendingList& list) {
    for (auto& w : workers_)
      if (w)
        if (auto p = w->TakePending()) list.Append(std::move(p));
  };
  return hooks;
}

void SynthesisController::UpdateTime() {
  if (periodClock_.Paused() && !running_) return;
  Locker stats(doc_.stats.lock);
  if (!stats.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return;
  }
  doc_.stats.currentStats.seconds = periodBaseSeconds_ + static_cast<std::uint32_t>(periodClock_.Time() / 1000);
}

void SynthesisController::RestoreClock() {
  periodBaseSeconds_ = doc_.stats.currentStats.seconds;
  periodClock_.Start();
  periodClock_.Pause();
}
