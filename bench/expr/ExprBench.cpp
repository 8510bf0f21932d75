// Speed of the expression model's hot operations on a 20-node tree.

#include <benchmark/benchmark.h>

#include "expr/Compiler.h"

namespace {

// 20 nodes: every kind of node the synthesis grows.
const char* const kFormula20 = "sin(x*1.5)+cos(x)^2-x/(3.25+exp(-x))*ln(x)";
// 40 characters.
const char* const kFormula40 = "sin(x*1.5)+cos(x)^2-x/(3.25+exp(-x))*0.5";

struct Fixture {
  VariableTable table{"x"};
  std::unique_ptr<ElHolder> tree;
  Fixture() {
    Compiler compiler;
    tree = compiler.Compile(kFormula20, table);
    table[0].value = 0.75;
  }
};

void BM_Evaluate20(benchmark::State& state) {
  Fixture f;
  if (f.tree->ElementCount() != 20) state.SkipWithError("the tree does not have 20 nodes");
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.tree->Evaluate());
  }
}
BENCHMARK(BM_Evaluate20);

void BM_Text20(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    std::string text = f.tree->Text();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_Text20);

void BM_Compile40(benchmark::State& state) {
  VariableTable table("x");
  Compiler compiler;
  if (std::string(kFormula40).size() != 40) state.SkipWithError("the formula is not 40 characters");
  for (auto _ : state) {
    auto tree = compiler.Compile(kFormula40, table);
    benchmark::DoNotOptimize(tree.get());
  }
}
BENCHMARK(BM_Compile40);

void BM_Clone20(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    auto copy = f.tree->Clone();
    benchmark::DoNotOptimize(copy.get());
  }
}
BENCHMARK(BM_Clone20);

}  // namespace
