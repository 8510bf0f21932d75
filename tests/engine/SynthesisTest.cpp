#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "document/Document.h"
#include "engine/Synthesis.h"
#include "expr/Compiler.h"
#include "support/CaptureReporter.h"

namespace {

using namespace std::chrono_literals;

// A document with a built goal and one worker record, and a worker on stream 0.
struct Fixture {
  Document doc;
  const GoalData* goal = nullptr;
  Fixture() {
    ThRTable::RestartAll();
    doc.goal.settings.expressionSource = true;
    doc.goal.settings.expression = "x^2";
    doc.goal.settings.minX = -1;
    doc.goal.settings.maxX = 1;
    doc.goal.settings.pointsCount = 10;
    doc.goal.InputChanged();
    goal = doc.goal.GetGoal(true);
    doc.variables[0].min = -1;
    doc.variables[0].max = 1;
    doc.stats.StartPeriod(1);
  }
  void AddPending(const char* text) {
    Compiler c;
    auto p = std::make_unique<PendingVariant>();
    p->Setup(goal, &doc.variables, -1, 0, 0.01, c.Compile(text, doc.variables).get(), true);
    p->elapsedMs = 100;
    p->mutations = 7;
    doc.pendings.Append(std::move(p));
  }
};

}  // namespace

TEST(Synthesis, SkipsPendingsThatFailOrScoreZero) {
  Fixture f;
  f.AddPending("1/x");          // fails the rangecheck over [-1, 1]
  f.AddPending("ln(x)*0");      // passes the rangecheck, but is NaN at every goal point
  f.AddPending("x*x+0.01");     // taken
  Synthesis w(0, f.doc.params, *f.goal, f.doc.results, f.doc.variables, f.doc.stats, f.doc.pendings);
  CaptureReporter log;
  std::thread t([&] { w.Entry(); });
  // Wait until the worker has taken its variant.
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (w.CurrentFitness() == 0 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
  w.RequestStop();
  t.join();
  EXPECT_TRUE(w.ExitedNormally());
  std::vector<std::string> skipped;
  for (const std::string& text : log.Texts(LogLevel::Verbose))
    if (text.rfind("Skipped", 0) == 0) skipped.push_back(text);
  EXPECT_EQ(skipped, (std::vector<std::string>{"Skipped pending due to rangecheck",
                                               "Skipped pending due to Additonal Fitness is zero"}));
  EXPECT_EQ(f.doc.pendings.Count(), 3u);  // skipped ones stay in the list
  for (const auto& p : f.doc.pendings.All()) EXPECT_EQ(p->variables, &f.doc.variables);
  auto pending = w.TakePending();
  ASSERT_NE(pending, nullptr);
  EXPECT_GE(pending->GetFitness(), 0.99);
  EXPECT_EQ(pending->variables, &f.doc.variables);
  EXPECT_EQ(pending->randUniform, ThRTable::UniformFunction(ThRTable::kCommonStream));
  EXPECT_GE(pending->elapsedMs, 100u);  // resumed with its own time
  EXPECT_GE(f.doc.stats.currentStats.rangecheckErrors, 1u);
  EXPECT_EQ(f.doc.stats.currentStats.processed, w.ProcessedTotal());
}

TEST(Synthesis, StoresAResultWhenProgressStops) {
  Fixture f;
  f.doc.params.restartByTime = 0;
  f.doc.params.restartValue = 50;
  Synthesis w(0, f.doc.params, *f.goal, f.doc.results, f.doc.variables, f.doc.stats, f.doc.pendings);
  std::thread t([&] { w.Entry(); });
  const auto end = std::chrono::steady_clock::now() + 10s;
  for (;;) {
    {
      Locker lock(f.doc.results.lock);
      if (f.doc.results.Count() >= 2 || std::chrono::steady_clock::now() > end) break;
    }
    std::this_thread::sleep_for(10ms);
  }
  w.RequestStop();
  t.join();
  ASSERT_GE(f.doc.results.Count(), 2u);
  for (ResultEntry* e = f.doc.results.Head(); e; e = e->next) {
    EXPECT_EQ(e->variant->variables, &f.doc.variables);
    EXPECT_EQ(e->variant->randWord, ThRTable::WordFunction(ThRTable::kCommonStream));
    EXPECT_FALSE(e->variant->allDirty);  // judged by the worker
    EXPECT_GT(e->variant->fitness, 0);
  }
  EXPECT_EQ(f.doc.stats.currentStats.processed, w.ProcessedTotal());
}

TEST(Synthesis, LockFailureThrowsTheProgramsError) {
  Fixture f;
  Synthesis w(0, f.doc.params, *f.goal, f.doc.results, f.doc.variables, f.doc.stats, f.doc.pendings);
  w.VariantLock().InjectFailures(1);
  w.Entry();
  EXPECT_FALSE(w.ExitedNormally());
  EXPECT_EQ(w.ErrorText(), "error: Can't lock Mutex");
  CaptureReporter log;
  w.VariantLock().InjectFailures(1);
  EXPECT_EQ(w.TakePending(), nullptr);
  EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't lock Mutex"});
}
