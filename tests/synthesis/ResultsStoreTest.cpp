#include <gtest/gtest.h>

#include "support/CaptureReporter.h"
#include "synthesis/PendingList.h"
#include "synthesis/ResultsStore.h"

namespace {

// A variant judged already, with the given fitness.
std::unique_ptr<Variant> WithFitness(double f) {
  auto v = std::make_unique<Variant>();
  v->fitness = f;
  v->allDirty = false;
  return v;
}

std::vector<std::uint32_t> Ids(const ResultsStore& s) {
  std::vector<std::uint32_t> ids;
  for (ResultEntry* e = s.Head(); e; e = e->next) ids.push_back(e->id);
  return ids;
}

}  // namespace

TEST(ResultsStore, AppendKeepsRunningFiguresAndPeriodsMoveThem) {
  ResultsStore s;
  for (double f : {0.5, 0.7, 0.7}) s.Append(WithFitness(f));
  EXPECT_EQ(Ids(s), (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(s.currentBest, 0.7);
  EXPECT_EQ(s.currentBestIndex, 1);
  EXPECT_DOUBLE_EQ(s.currentAverage, (0.5 + 0.7 + 0.7) / 3);
  EXPECT_EQ(s.nextId, 4u);

  s.StartPeriod();
  EXPECT_EQ(s.previousCount, 3u);
  EXPECT_EQ(s.previousBest, 0.7);
  EXPECT_EQ(s.previousBestIndex, 1);
  EXPECT_DOUBLE_EQ(s.previousAverage, (0.5 + 0.7 + 0.7) / 3);
  EXPECT_EQ(s.currentBest, 0);
  EXPECT_EQ(s.currentBestIndex, -1);
  EXPECT_EQ(s.currentAverage, 0);
  for (ResultEntry* e = s.Head(); e; e = e->next) EXPECT_EQ(e->currentPeriod, 0);
  EXPECT_EQ(s.FirstCurrent(), nullptr);

  ResultEntry* only = s.Append(WithFitness(0.9));
  EXPECT_EQ(s.currentBestIndex, 3);
  EXPECT_EQ(s.BestIndex(), 3);
  EXPECT_TRUE(s.Remove(only));  // held the current best
  EXPECT_EQ(s.currentAverage, 0);
  s.RecomputeBest(true);
  EXPECT_EQ(s.currentBest, 0);
  EXPECT_EQ(s.currentBestIndex, -1);
  EXPECT_EQ(s.BestIndex(), 1);

  // Removing a previous-period best; the first of equal maxima wins afterwards.
  EXPECT_TRUE(s.Remove(s.Head()->next));
  EXPECT_EQ(s.previousCount, 2u);
  EXPECT_DOUBLE_EQ(s.previousAverage, (0.5 + 0.7) / 2);
  s.RecomputeBest(false);
  EXPECT_EQ(s.previousBest, 0.7);
  EXPECT_EQ(s.previousBestIndex, 1);
  s.Append(WithFitness(0.2));
  s.Append(WithFitness(0.4));
  s.currentAverage = s.previousAverage = 0;
  s.RecomputeAverages();
  EXPECT_DOUBLE_EQ(s.previousAverage, 0.6);
  EXPECT_DOUBLE_EQ(s.currentAverage, 0.3);
  s.Clear();
  EXPECT_EQ(s.Count(), 0u);
  EXPECT_EQ(s.nextId, 1u);
  EXPECT_EQ(s.previousBestIndex, -1);
}

TEST(ResultsStore, IdOverrunRenumbers) {
  ResultsStore s;
  s.Append(WithFitness(0.1));
  s.Append(WithFitness(0.2));
  s.nextId = 4294967295u;
  CaptureReporter log;
  s.Append(WithFitness(0.3));
  EXPECT_EQ(log.Texts(LogLevel::Warning),
            std::vector<std::string>{"Results Id was overrun\nIt is recomended to Save and Reopen document"});
  EXPECT_EQ(Ids(s), (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(s.nextId, 4u);
}

TEST(ResultsStore, TakeUnshownGivesTheNewEntriesOnce) {
  ResultsStore s;
  ResultEntry* a = s.Append(WithFitness(0.1));
  s.Append(WithFitness(0.2));
  EXPECT_EQ(s.TakeUnshown(), a);
  EXPECT_EQ(s.TakeUnshown(), nullptr);
  ResultEntry* c = s.Append(WithFitness(0.3));
  ResultEntry* d = s.Append(WithFitness(0.4));
  s.Remove(c);  // the unshown mark moves on
  EXPECT_EQ(s.TakeUnshown(), d);
}

TEST(PendingList, ReadAndScanPositions) {
  PendingList list;
  std::vector<PendingVariant*> v;
  for (int i = 0; i < 3; ++i) {
    auto p = std::make_unique<PendingVariant>();
    p->elapsedMs = static_cast<std::uint32_t>(i);  // A, B, C
    v.push_back(p.get());
    list.Append(std::move(p));
  }
  EXPECT_EQ(list.TakeNext(), v[0]);
  EXPECT_EQ(list.TakeNext(), v[1]);
  auto s = std::make_unique<PendingVariant>();
  PendingVariant* sp = s.get();
  list.InsertAtReadPosition(std::move(s));
  std::vector<PendingVariant*> order;
  for (const auto& p : list.All()) order.push_back(p.get());
  EXPECT_EQ(order, (std::vector<PendingVariant*>{v[0], v[1], sp, v[2]}));
  EXPECT_EQ(list.Remaining(), 2u);
  list.DiscardTaken();
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.ScanNext(), sp);
  list.Remove(v[2]);  // the scan position moves on
  EXPECT_EQ(list.ScanNext(), nullptr);
  EXPECT_EQ(list.TakeNext(), sp);
  EXPECT_EQ(list.TakeNext(), nullptr);
  list.Rewind();
  EXPECT_EQ(list.TakeNext(), sp);
  list.Remove(sp);
  list.Remove(sp);  // not there any more: nothing happens
  EXPECT_EQ(list.Count(), 0u);
  list.Append(std::make_unique<PendingVariant>());
  EXPECT_NE(list.TakeNext(), nullptr);  // the read position was at the end
}
