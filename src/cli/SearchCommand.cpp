// formulon-cli search: a synthesis run without a window.

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>

#include "cli/CliOutput.h"
#include "cli/GoalOptions.h"
#include "cli/ParamOptions.h"
#include "cli/Verbs.h"
#include "expr/NumberFormat.h"
#include "synthesis/SynthesisController.h"

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) { interrupted.store(true); }

struct Best {
  double fitness = 0.0;
  std::string text;
};

// The best of the stored results and of the workers' current variants.
Best FindBest(Document& doc, SynthesisController& controller) {
  Best best;
  {
    Locker store(doc.results.lock);
    if (store.Ok()) {
      for (ResultEntry* e = doc.results.Head(); e; e = e->next)
        if (e->variant->GetFitness() > best.fitness) {
          best.fitness = e->variant->fitness;
          best.text = e->variant->Text();
        }
    }
  }
  for (const auto& w : controller.Workers())
    if (w)
      if (auto copy = w->CopyCurrent())
        if (copy->fitness > best.fitness) {
          best.fitness = copy->fitness;
          best.text = copy->Text();
        }
  return best;
}

PeriodStats LiveStats(Document& doc) {
  PeriodStats s;
  Locker stats(doc.stats.lock);
  if (stats.Ok()) doc.stats.LiveCurrent(s);
  return s;
}

void Progress(Document& doc, SynthesisController& controller, double seconds, bool terminal) {
  const PeriodStats s = LiveStats(doc);
  const Best best = FindBest(doc, controller);
  const double speed = seconds > 0 ? static_cast<double>(s.processed) / seconds : 0.0;
  std::string line = Format("%6.1f s  %llu processed  %.0f/s  %u improvements  best %.6f%%  %s", seconds,
                            static_cast<unsigned long long>(s.processed), speed, s.improvements,
                            best.fitness * 100, best.text.c_str());
  if (terminal) {
    if (line.size() > 150) line = line.substr(0, 147) + "...";
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  std::fflush(stderr);
}

nlohmann::json StatsJson(const PeriodStats& s) {
  return {{"processed", s.processed},
          {"seconds", s.seconds},
          {"improvements", s.improvements},
          {"rangecheckErrors", s.rangecheckErrors}};
}

int RunSearch(const CliArgs& args, bool json) {
  if (!args.Positional().empty()) return kExitUsage;
  const bool fromProject = args.Has("--project");
  if (fromProject && (args.Has("--expr") || args.Has("--points"))) return kExitUsage;
  double limit = 0;
  if (args.Has("--seconds") && (!NumberOption(args, "--seconds", limit, json) || !(limit > 0))) return kExitFailure;
  long long top = 10, seed = 0;
  if (args.Has("--top") && !ParseInt(args.Value("--top"), 0, 1000000, top)) return kExitUsage;
  if (args.Has("--seed") && !ParseInt(args.Value("--seed"), 0, 4294967295ll, seed)) return kExitUsage;

  Document doc;
  std::string savePath = args.Value("--save");
  int status = kExitOk;
  if (fromProject) {
    const std::string project = args.Value("--project");
    if (!LoadProjectFile(project, doc)) {
      if (json) ReportFailure(TheReporter().lastProblem, true);
      return kExitFailure;
    }
    if (savePath.empty()) savePath = project;
  } else if (!BuildGoal(args, doc.goal, json, status)) {
    return status;
  }
  status = ReadParamOptions(args, doc.params, json);
  if (status != kExitOk) return status;

  if (args.Has("--seed")) ThRTable::SeedWith(static_cast<std::uint32_t>(seed));
  ThRTable::RestartAll();
  SynthesisController controller(doc);
  controller.RestoreClock();

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  sigaction(SIGINT, &action, &previous);
  interrupted.store(false);

  if (!controller.Start()) {
    sigaction(SIGINT, &previous, nullptr);
    if (json) ReportFailure(Tr("Synthesis could not be started"), true);
    return kExitFailure;
  }
  const bool terminal = isatty(STDERR_FILENO) != 0 && !json;
  const auto started = std::chrono::steady_clock::now();
  double lastPlain = 0;
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(terminal ? 250 : 200));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const SynthesisController::TickResult tick = controller.Tick();
    if (tick.finished) break;
    if (tick.autosaveDue && !savePath.empty()) {
      SaveProjectFile(savePath, doc, controller.Hooks());
      controller.AutosaveDone();
    }
    if (terminal) {
      Progress(doc, controller, seconds, true);
    } else if (!json && seconds - lastPlain >= 10) {
      lastPlain = seconds;
      Progress(doc, controller, seconds, false);
    }
    if (interrupted.load() || (limit > 0 && seconds >= limit)) {
      controller.Stop();  // as the Stop command: unfinished variants become pending
      break;
    }
  }
  sigaction(SIGINT, &previous, nullptr);
  if (terminal) std::fprintf(stderr, "\n");
  if (!savePath.empty() && !SaveProjectFile(savePath, doc)) status = kExitFailure;

  if (json) {
    // The best results, best first.
    std::vector<ResultEntry*> entries;
    for (ResultEntry* e = doc.results.Head(); e; e = e->next) entries.push_back(e);
    std::stable_sort(entries.begin(), entries.end(),
                     [](ResultEntry* a, ResultEntry* b) { return a->variant->GetFitness() > b->variant->GetFitness(); });
    if (entries.size() > static_cast<size_t>(top)) entries.resize(static_cast<size_t>(top));
    nlohmann::json results = nlohmann::json::array();
    for (ResultEntry* e : entries)
      results.push_back({{"id", e->id},
                         {"fitness", JsonNumber(e->variant->GetFitness())},
                         {"allScore", JsonNumber(e->variant->GetAllScore())},
                         {"text", e->variant->Text()}});
    PrintJson({{"results", results},
               {"stats", {{"total", StatsJson(doc.stats.totalStats)}, {"current", StatsJson(doc.stats.currentStats)}}},
               {"pendings", doc.pendings.Count()}});
  } else {
    const PeriodStats& s = doc.stats.currentStats;
    std::cout << "run: " << s.seconds << " s, " << s.processed << " processed, " << s.improvements
              << " improvements, " << s.rangecheckErrors << " rangecheck errors; " << doc.results.Count()
              << " results, " << doc.pendings.Count() << " pending\n";
    // The best formulas: stored results and the unfinished (pending) variants.
    struct Row {
      double fitness, allScore;
      std::string text;
      bool pending;
    };
    std::vector<Row> rows;
    for (ResultEntry* e = doc.results.Head(); e; e = e->next)
      rows.push_back({e->variant->GetFitness(), e->variant->GetAllScore(), e->variant->Text(), false});
    for (const auto& p : doc.pendings.All()) rows.push_back({p->GetFitness(), p->GetAllScore(), p->Text(), true});
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.fitness > b.fitness; });
    if (rows.size() > static_cast<size_t>(top)) rows.resize(static_cast<size_t>(top));
    for (const Row& r : rows)
      std::cout << Format("%10.6f%%  %10.6f%%  %s", r.fitness * 100, r.allScore * 100, r.pending ? "(pending) " : "")
                << r.text << '\n';
  }
  return status;
}

std::vector<OptionSpec> SearchOptions() {
  std::vector<OptionSpec> o = GoalOptionSpecs();
  for (const OptionSpec& p : ParamOptionSpecs()) o.push_back(p);
  for (const char* name : {"--project", "--seconds", "--save", "--top", "--seed"}) o.push_back({name, true});
  return o;
}

}  // namespace

std::vector<Verb> SearchVerbs() {
  return {{"search", "<goal options> | --project FILE.flx [--seconds S] [--save FILE.flx] [--top K] [--seed N]",
           "run a synthesis until Ctrl+C or the time limit; print the best results", SearchOptions(), RunSearch}};
}
