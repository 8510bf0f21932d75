#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>
#include <thread>

#include "document/ProjectFile.h"
#include "expr/Compiler.h"
#include "support/CaptureReporter.h"
#include "synthesis/SynthesisController.h"

namespace {

using namespace std::chrono_literals;

void ExpressionGoal(Document& doc, const char* text, double minX, double maxX, int count) {
  doc.goal.settings.expressionSource = true;
  doc.goal.settings.expression = text;
  doc.goal.settings.minX = minX;
  doc.goal.settings.maxX = maxX;
  doc.goal.settings.pointsCount = count;
  doc.goal.InputChanged();
}

// Waits until `done` holds, ticking the controller; false after the timeout.
template <class Done>
bool TickUntil(SynthesisController& c, Done done, std::chrono::milliseconds timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
    c.Tick();
  }
  return true;
}

std::vector<std::uint32_t> Ids(const ResultsStore& s) {
  std::vector<std::uint32_t> ids;
  for (ResultEntry* e = s.Head(); e; e = e->next) ids.push_back(e->id);
  return ids;
}

}  // namespace

TEST(SynthesisController, StartsWorkersAndReportsThreadCreationFailure) {
  ThRTable::RestartAll();
  Document doc;
  ExpressionGoal(doc, "x^2+x", -1, 1, 20);
  doc.params.threadCount = 4;
  SynthesisController c(doc);
  c.failThreadCreation = {1};
  CaptureReporter log;
  ASSERT_TRUE(c.Start());
  EXPECT_TRUE(c.Running());
  ASSERT_EQ(c.Workers().size(), 4u);
  EXPECT_NE(c.Workers()[0], nullptr);
  EXPECT_EQ(c.Workers()[1], nullptr);
  EXPECT_NE(c.Workers()[3], nullptr);
  EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't create thread"});
  EXPECT_EQ(doc.stats.ThreadCount(), 4);
  // Let them find variants worth keeping, then stop.
  ASSERT_TRUE(TickUntil(c, [&] {
    for (int i : {0, 2, 3})
      if (c.Workers()[static_cast<size_t>(i)]->CurrentFitness() == 0) return false;
    return true;
  }));
  c.Stop();
  EXPECT_FALSE(c.Running());
  EXPECT_TRUE(c.Workers().empty());
  EXPECT_EQ(doc.stats.ThreadCount(), 0);
  EXPECT_EQ(doc.pendings.Count(), 3u);
  EXPECT_TRUE(doc.modified);
  EXPECT_GT(doc.stats.currentStats.processed, 0u);
}

TEST(SynthesisController, StopPutsSnapshotsInFrontOfUntakenPendings) {
  ThRTable::RestartAll();
  Document doc;
  ExpressionGoal(doc, "x^3", -1, 1, 10);
  Compiler compiler;
  // Three pending variants; a worker takes one at a time.
  for (const char* text : {"x*x*x+0.1", "x*x*x-0.1", "x*x*x+0.2"}) {
    auto p = std::make_unique<PendingVariant>();
    p->Setup(nullptr, &doc.variables, -1, 0, 0.01, compiler.Compile(text, doc.variables).get(), true);
    p->elapsedMs = 5;
    doc.pendings.Append(std::move(p));
  }
  doc.changeFlags = kChangeGoal;
  doc.revalidationNeeded = true;
  doc.params.threadCount = 1;
  SynthesisController c(doc);
  ASSERT_TRUE(c.Start());
  ASSERT_TRUE(TickUntil(c, [&] { return c.Workers()[0]->CurrentFitness() > 0; }));
  c.Stop();
  // The worker's snapshot first, then the two never handed out.
  std::vector<std::string> texts;
  for (const auto& p : doc.pendings.All()) texts.push_back(p->Text());
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1], "x*x*x-0.1");
  EXPECT_EQ(texts[2], "x*x*x+0.2");
  EXPECT_GE(doc.pendings.All().front()->elapsedMs, 5u);
  EXPECT_EQ(doc.pendings.All().front()->variables, &doc.variables);
  EXPECT_EQ(doc.pendings.All().front()->randWord, ThRTable::WordFunction(ThRTable::kCommonStream));
}

TEST(SynthesisController, WorkersEndPromptlyWhenNoFreshVariantScores) {
  ThRTable::RestartAll();
  Document doc;
  // Exponential point scores of values this far away are 0: no fresh variant is ever accepted.
  ExpressionGoal(doc, "1e10+x", 0, 1, 5);
  doc.params.pointFitness = 1;
  doc.params.rangeCheck = 0;
  doc.params.threadCount = 2;
  SynthesisController c(doc);
  ASSERT_TRUE(c.Start());
  std::this_thread::sleep_for(100ms);
  c.RequestStop();
  const auto asked = std::chrono::steady_clock::now();
  ASSERT_TRUE(TickUntil(c, [&] { return c.AllEnded(); }, 5s));
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 2s);
  c.Stop();
  EXPECT_EQ(doc.pendings.Count(), 0u);
  EXPECT_GT(doc.stats.currentStats.processed, 0u);
}

TEST(SynthesisController, ALockFailureEndsTheWorkerAndIsReported) {
  ThRTable::RestartAll();
  Document doc;
  ExpressionGoal(doc, "x^2", -1, 1, 10);
  doc.params.threadCount = 2;
  SynthesisController c(doc);
  CaptureReporter log;
  ASSERT_TRUE(c.Start());
  c.Workers()[1]->VariantLock().InjectFailures(1);
  ASSERT_TRUE(TickUntil(c, [&] { return !log.Texts(LogLevel::Error).empty(); }));
  EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{"A thread 1 was terminated: error: Can't lock Mutex"});
  EXPECT_EQ(c.Workers()[1], nullptr);
  EXPECT_TRUE(c.Running());  // the other worker goes on
  c.Workers()[0]->VariantLock().InjectFailures(1);
  ASSERT_TRUE(TickUntil(c, [&] { return !c.Running(); }));  // the last one ends the run
  EXPECT_EQ(log.Texts(LogLevel::Error).size(), 2u);
  EXPECT_EQ(doc.pendings.Count(), 0u);
}

TEST(SynthesisController, AutosaveFallsDueAfterTenMinutesOfRunning) {
  ThRTable::RestartAll();
  Document doc;
  ExpressionGoal(doc, "x", 0, 1, 5);
  doc.params.threadCount = 1;
  SynthesisController c(doc);
  ASSERT_TRUE(c.Start());
  std::this_thread::sleep_for(120ms);
  EXPECT_FALSE(c.Tick().autosaveDue);
  c.Stop();
  EXPECT_FALSE(c.Running());
}

// Starts and stops runs at random moments, saving in the middle, and checks
// that nothing is lost or duplicated.
TEST(SynthesisController, StressStartStopAndSave) {
  ThRTable::RestartAll();
  std::mt19937 rng(2026);
  CaptureReporter quiet;
  for (int workers : {2, 4, 8}) {
    Document doc;
    ExpressionGoal(doc, "x^2-x", -1, 1, 20);
    doc.params.threadCount = workers;
    doc.params.restartByTime = 0;
    doc.params.restartValue = 300;  // store results often
    SynthesisController c(doc);
    std::uint64_t processedBefore = 0;
    for (int run = 0; run < 4; ++run) {
      ASSERT_TRUE(c.Start());
      std::this_thread::sleep_for(std::chrono::milliseconds(20 + rng() % 150));
      c.Tick();
      if (rng() % 2) {
        // Save in the middle of the run and read the file back.
        PeriodStats before;
        {
          Locker lock(doc.stats.lock);
          doc.stats.LiveCurrent(before);
        }
        std::ostringstream out;
        ASSERT_TRUE(WriteDocument(out, doc, c.Hooks()));
        PeriodStats after;
        {
          Locker lock(doc.stats.lock);
          doc.stats.LiveCurrent(after);
        }
        Document back;
        std::istringstream in(out.str());
        ASSERT_TRUE(ReadDocument(in, back));
        EXPECT_GE(back.stats.currentStats.processed, before.processed);
        EXPECT_LE(back.stats.currentStats.processed, after.processed);
        EXPECT_EQ(back.stats.totalStats, doc.stats.totalStats);
        EXPECT_EQ(back.results.Count() + 0u, Ids(back.results).size());
      }
      c.RequestStop();
      c.JoinAll();
      // What the workers hold and what they counted, before the run is finished.
      std::size_t snapshots = 0;
      std::uint64_t processed = 0;
      for (const auto& w : c.Workers()) {
        if (!w) continue;
        if (w->TakePending()) ++snapshots;
        processed += w->ProcessedTotal();
      }
      std::size_t untaken;
      {
        Locker lock(doc.pendings.lock);
        untaken = doc.pendings.Remaining();
      }
      c.FinishRun();
      EXPECT_EQ(doc.pendings.Count(), untaken + snapshots) << workers << " workers, run " << run;
      EXPECT_EQ(doc.stats.currentStats.processed, processed) << workers << " workers, run " << run;
      const auto ids = Ids(doc.results);
      for (size_t i = 1; i < ids.size(); ++i) ASSERT_LT(ids[i - 1], ids[i]);
      EXPECT_EQ(doc.stats.totalStats.processed, processedBefore);
      processedBefore += doc.stats.currentStats.processed;
    }
    EXPECT_GT(doc.results.Count(), 0u);
  }
}
