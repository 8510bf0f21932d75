// Speed of the results tree: inserting 100,000 random keys into an empty tree,
// and erasing those 100,000 nodes again in random order.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "synthesis/RBTree.h"

namespace {

constexpr int kCount = 100000;

std::vector<double> RandomKeys() {
  std::mt19937 rng(12345u);
  std::uniform_real_distribution<double> key(0.0, 1.0);
  std::vector<double> keys(kCount);
  for (double& k : keys) k = key(rng);
  return keys;
}

void BM_RBTreeInsert100k(benchmark::State& state) {
  const std::vector<double> keys = RandomKeys();
  RBTree tree;
  for (auto _ : state) {
    for (double k : keys) benchmark::DoNotOptimize(tree.Insert(nullptr, k));
    state.PauseTiming();
    tree.Clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_RBTreeInsert100k)->Unit(benchmark::kMillisecond);

void BM_RBTreeErase100k(benchmark::State& state) {
  const std::vector<double> keys = RandomKeys();
  std::vector<int> order(kCount);
  for (int i = 0; i < kCount; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(54321u));
  std::vector<RBTree::Node*> nodes(kCount);
  RBTree tree;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kCount; ++i) tree.Insert(nullptr, keys[i], &nodes[i]);
    state.ResumeTiming();
    for (int i : order) tree.Erase(nodes[i]);
    benchmark::DoNotOptimize(tree.Size());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_RBTreeErase100k)->Unit(benchmark::kMillisecond);

}  // namespace
