// Throughput of whole workers: trials (processed variants) per second with 1
// and 2 workers on the goal x^3+x^2+x over [-1, 1], 100 points, APCF 4,
// default parameters.

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "common/Log.h"
#include "synthesis/SynthesisController.h"

namespace {

class Quiet final : public Reporter {
 public:
  void Log(LogLevel, const std::string&, int) override {}
};

void BM_Workers(benchmark::State& state) {
  Quiet quiet;
  Reporter* previous = SetReporter(&quiet);
  ThRTable::RestartAll();
  std::uint64_t processed = 0;
  double seconds = 0;
  for (auto _ : state) {
    Document doc;
    doc.goal.settings.expressionSource = true;
    doc.goal.settings.expression = "x^3+x^2+x";
    doc.goal.settings.minX = -1;
    doc.goal.settings.maxX = 1;
    doc.goal.settings.pointsCount = 100;
    doc.goal.settings.apcf = 4;
    doc.goal.InputChanged();
    doc.params.threadCount = static_cast<std::int32_t>(state.range(0));
    doc.params.lowPriority = 0;
    SynthesisController controller(doc);
    const auto start = std::chrono::steady_clock::now();
    if (!controller.Start()) state.SkipWithError("synthesis did not start");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    controller.Stop();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    processed += doc.stats.currentStats.processed;
  }
  state.counters["trials/s"] = benchmark::Counter(static_cast<double>(processed) / seconds);
  SetReporter(previous);
}
BENCHMARK(BM_Workers)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
