// Verbs on project files: new, dump, add.

#include <sys/stat.h>

#include <iostream>

#include "cli/CliOutput.h"
#include "cli/GoalOptions.h"
#include "cli/ParamOptions.h"
#include "cli/Verbs.h"
#include "document/ProjectFile.h"
#include "expr/Compiler.h"
#include "expr/NumberFormat.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// Loads a project. The reader's messages go to stderr; with --json the last
// of them ("Error reading file: ...") is also printed as the error object.
bool Load(const std::string& path, Document& doc, bool json) {
  const bool ok = LoadProjectFile(path, doc);
  if (!ok && json) ReportFailure(TheReporter().lastProblem, true);
  return ok;
}

int RunNew(const CliArgs& args, bool json) {
  if (args.Positional().size() != 1) return kExitUsage;
  const std::string path = args.Positional()[0];
  if (Exists(path) && !args.Has("--force")) {
    ReportFailure(Format(Tr("%s already exists; give --force to replace it").c_str(), path.c_str()), json);
    return kExitFailure;
  }
  Document doc;
  int status = ReadParamOptions(args, doc.params, json);
  if (status != kExitOk) return status;
  if (!BuildGoal(args, doc.goal, json, status)) return status;
  if (!SaveProjectFile(path, doc)) return kExitFailure;
  if (json)
    PrintJson({{"saved", path}});
  else
    std::cout << "created " << path << '\n';
  return kExitOk;
}

// Four decimals in the user's number format.
std::string Percent(double fraction) { return Format("%.4f%%", fraction * 100); }

nlohmann::json StatsJson(const PeriodStats& s) {
  return {{"processed", s.processed},
          {"seconds", s.seconds},
          {"improvements", s.improvements},
          {"rangecheckErrors", s.rangecheckErrors}};
}

void PrintStats(const char* title, const PeriodStats& s) {
  std::cout << title << ": processed " << s.processed << ", seconds " << s.seconds << ", improvements "
            << s.improvements << ", rangecheck errors " << s.rangecheckErrors << '\n';
}

int RunDump(const CliArgs& args, bool json) {
  if (args.Positional().size() != 1) return kExitUsage;
  Document doc;
  if (!Load(args.Positional()[0], doc, json)) return kExitFailure;
  const SynthesisParams& p = doc.params;
  const GoalSettings& g = doc.goal.settings;
  if (json) {
    nlohmann::json results = nlohmann::json::array();
    for (ResultEntry* e = doc.results.Head(); e; e = e->next)
      results.push_back({{"id", e->id},
                         {"currentPeriod", e->currentPeriod != 0},
                         {"text", e->variant->Text()},
                         {"fitness", JsonNumber(e->variant->GetFitness())},
                         {"allScore", JsonNumber(e->variant->GetAllScore())}});
    nlohmann::json pendings = nlohmann::json::array();
    for (const auto& pv : doc.pendings.All())
      pendings.push_back({{"text", pv->Text()}, {"elapsedMs", pv->elapsedMs}, {"mutations", pv->mutations}});
    nlohmann::json points = nlohmann::json::array();
    for (const GoalPoint& pt : doc.goal.gridPoints) points.push_back({JsonNumber(pt.x), JsonNumber(pt.y)});
    PrintJson({{"version", doc.version},
               {"params",
                {{"restartByTime", p.restartByTime != 0},
                 {"restartValue", p.restartValue},
                 {"rangeCheck", p.rangeCheck != 0},
                 {"threadCount", p.threadCount},
                 {"lowPriority", p.lowPriority != 0},
                 {"mutationCycles", p.mutationCycles},
                 {"roundingPlaces", p.roundingPlaces},
                 {"cancelConstants", p.cancelConstants != 0},
                 {"weightFactor", JsonNumber(p.weightFactor)},
                 {"pointFitness", p.pointFitness}}},
               {"results", results},
               {"nextId", doc.results.nextId},
               {"pendings", pendings},
               {"stats", {{"total", StatsJson(doc.stats.totalStats)}, {"current", StatsJson(doc.stats.currentStats)}}},
               {"goal",
                {{"built", doc.goal.goalBuilt},
                 {"expressionSource", g.expressionSource},
                 {"pointsCount", g.pointsCount},
                 {"apcf", g.apcf},
                 {"interpolation", g.interpolation},
                 {"minX", JsonNumber(g.minX)},
                 {"maxX", JsonNumber(g.maxX)},
                 {"expression", g.expression},
                 {"points", points}}},
               {"view", {{"sortByFitness", doc.view.sortByFitness}, {"followBest", doc.view.followBest}}}});
    return kExitOk;
  }
  std::cout << "version: " << (doc.version >> 4) << '.' << (doc.version & 0xf) << '\n';
  std::cout << "parameters: restart after " << p.restartValue << (p.restartByTime ? " seconds" : " processed variants")
            << " without progress; rangecheck " << (p.rangeCheck ? "on" : "off") << "; " << p.threadCount
            << " thread(s)" << (p.lowPriority ? " at low priority" : "") << "; mutation cycles " << p.mutationCycles
            << "; rounding " << (p.roundingPlaces < 0 ? std::string("off") : std::to_string(p.roundingPlaces) + " places")
            << "; cancellation " << (p.cancelConstants ? "on" : "off") << "; weight factor "
            << FormatNumber(p.weightFactor) << "; point fitness "
            << (p.pointFitness ? "exponential" : "relative to y range") << '\n';
  std::cout << "goal: " << (doc.goal.goalBuilt ? "built" : "not built") << ", ";
  if (g.expressionSource)
    std::cout << "expression " << g.expression << " on [" << FormatNumber(g.minX) << "; " << FormatNumber(g.maxX) << "]";
  else
    std::cout << doc.goal.gridPoints.size() << " grid point(s)";
  std::cout << ", points count " << g.pointsCount << ", APCF " << g.apcf << '\n';
  std::cout << "results (" << doc.results.Count() << ", next id " << doc.results.nextId << "):\n";
  for (ResultEntry* e = doc.results.Head(); e; e = e->next)
    std::cout << "  #" << e->id << (e->currentPeriod ? " current " : " previous ") << Percent(e->variant->GetFitness())
              << " (" << Percent(e->variant->GetAllScore()) << ") " << e->variant->Text() << '\n';
  std::cout << "pending variants (" << doc.pendings.Count() << "):\n";
  for (const auto& pv : doc.pendings.All())
    std::cout << "  " << pv->Text() << "  " << pv->elapsedMs << " ms, " << pv->mutations << " mutations\n";
  PrintStats("total", doc.stats.totalStats);
  PrintStats("current period", doc.stats.currentStats);
  std::cout << "view: sorted by " << (doc.view.sortByFitness ? "fitness" : "number") << ", follow best "
            << (doc.view.followBest ? "on" : "off") << '\n';
  return kExitOk;
}

int RunAdd(const CliArgs& args, bool json) {
  if (args.Positional().size() != 2) return kExitUsage;
  const std::string path = args.Positional()[0];
  Document doc;
  if (!Load(path, doc, json)) return kExitFailure;
  auto tree = CompileOrReport(args.Positional()[1], doc.variables, json);
  if (!tree) return kExitFailure;
  ResultEntry* entry = AddVariant(doc, *tree);
  if (!entry || !SaveProjectFile(path, doc)) return kExitFailure;
  Variant& v = *entry->variant;
  if (json)
    PrintJson({{"id", entry->id}, {"fitness", JsonNumber(v.GetFitness())}, {"allScore", JsonNumber(v.GetAllScore())},
               {"text", v.Text()}});
  else
    std::cout << "#" << entry->id << ' ' << Percent(v.GetFitness()) << " (" << Percent(v.GetAllScore()) << ") "
              << v.Text() << '\n';
  return kExitOk;
}

std::vector<OptionSpec> NewOptions() {
  std::vector<OptionSpec> o = GoalOptionSpecs();
  for (const OptionSpec& p : ParamOptionSpecs()) o.push_back(p);
  o.push_back({"--force", false});
  return o;
}

}  // namespace

std::vector<Verb> ProjectVerbs() {
  return {
      {"new", "FILE.flx <goal options> [parameter options] [--force]", "create a project with that goal",
       NewOptions(), RunNew},
      {"dump", "FILE.flx", "print a summary of a project: parameters, goal, results, pending variants, statistics",
       {}, RunDump},
      {"add", "FILE.flx EXPR", "add a typed formula to a project as a result and save it", {}, RunAdd},
  };
}
