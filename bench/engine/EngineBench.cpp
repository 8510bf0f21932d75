// Speed of the engine's innermost steps: mutation and fitness of a 20-node
// variant on the goal x^3+x^2+x over [-1, 1] with 100 points and APCF 4.

#include <benchmark/benchmark.h>

#include "engine/Variant.h"
#include "expr/Compiler.h"
#include "goal/GoalDefinition.h"

namespace {

const char* const kFormula20 = "sin(x*1.5)+cos(x)^2-x/(3.25+exp(-x))*atan(x)";

struct Fixture {
  VariableTable document{"x"};
  GoalDefinition goal{document};
  VariableTable workerTable{"x"};
  Variant variant;

  Fixture() {
    goal.settings.expressionSource = true;
    goal.settings.expression = "x^3+x^2+x";
    goal.settings.minX = -1;
    goal.settings.maxX = 1;
    goal.settings.pointsCount = 100;
    goal.settings.apcf = 4;
    const GoalData* g = goal.GetGoal(true);
    workerTable = document;
    Compiler compiler;
    auto tree = compiler.Compile(kFormula20, workerTable);
    variant.Setup(g, &workerTable, -1, kFitnessRelative, 0.01, tree.get(), true);
    ThRTable::RestartAll();
    variant.randWord = ThRTable::WordFunction(0);
    variant.randUniform = ThRTable::UniformFunction(0);
  }
};

void BM_GetMainFitness20(benchmark::State& state) {
  Fixture f;
  if (f.variant.ElementCount() != 20) state.SkipWithError("the tree does not have 20 nodes");
  for (auto _ : state) {
    f.variant.mainDirty = true;
    benchmark::DoNotOptimize(f.variant.GetMainFitness());
  }
}
BENCHMARK(BM_GetMainFitness20);

void BM_GetFitness20(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    f.variant.mainDirty = f.variant.allDirty = true;
    benchmark::DoNotOptimize(f.variant.GetFitness());
  }
}
BENCHMARK(BM_GetFitness20);

// Mutate needs a fresh 20-node tree each time: the copy is part of the
// figure (BM_Clone20 gives the copy alone).
void BM_CopyAndMutate20(benchmark::State& state) {
  Fixture f;
  Variant trial;
  for (auto _ : state) {
    trial = f.variant;
    benchmark::DoNotOptimize(trial.Mutate());
  }
}
BENCHMARK(BM_CopyAndMutate20);

// One trial of the worker loop: copy the best, mutate, judge on the goal
// points, and on all points when it looks better.
void BM_Trial20(benchmark::State& state) {
  Fixture f;
  const double best = f.variant.GetMainFitness();
  Variant trial;
  std::int64_t improvements = 0;
  for (auto _ : state) {
    trial = f.variant;
    trial.Mutate();
    if (trial.GetMainFitness() > best) {
      benchmark::DoNotOptimize(trial.GetFitness());
      ++improvements;
    }
  }
  state.counters["trials/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["pretest passed"] =
      benchmark::Counter(static_cast<double>(improvements) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Trial20);

}  // namespace
