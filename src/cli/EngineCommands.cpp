// Verbs on goals and on judging formulas: goal, range, fitness.

#include <iostream>

#include "cli/CliOutput.h"
#include "cli/GoalOptions.h"
#include "cli/ParamOptions.h"
#include "cli/Verbs.h"
#include "engine/Variant.h"
#include "expr/Compiler.h"
#include "expr/NumberFormat.h"

namespace {

nlohmann::json JsonArray(const std::vector<double>& values) {
  nlohmann::json a = nlohmann::json::array();
  for (double v : values) a.push_back(JsonNumber(v));
  return a;
}

void PrintPoints(const char* title, const std::vector<double>& x, const std::vector<double>& y) {
  std::cout << title << " (" << x.size() << "):\n";
  for (size_t i = 0; i < x.size(); ++i) std::cout << FormatNumber(x[i]) << '\t' << FormatNumber(y[i]) << '\n';
}

void PrintValue(const char* name, double value) { std::cout << name << ": " << FormatNumber(value) << '\n'; }

int RunGoal(const CliArgs& args, bool json) {
  if (!args.Positional().empty()) return kExitUsage;
  VariableTable table("x");
  GoalDefinition goal(table);
  int status;
  const GoalData* g = BuildGoal(args, goal, json, status);
  if (!g) return status;
  if (json) {
    PrintJson({{"x", JsonArray(g->x)},
               {"y", JsonArray(g->y)},
               {"additionalX", JsonArray(g->additionalX)},
               {"additionalY", JsonArray(g->additionalY)},
               {"yMin", JsonNumber(g->yMin)},
               {"yMax", JsonNumber(g->yMax)},
               {"xFirst", JsonNumber(g->xFirst)},
               {"xLast", JsonNumber(g->xLast)},
               {"constRange", JsonNumber(g->constRange)},
               {"rangeWarning", goal.RangeWarning()}});
    return kExitOk;
  }
  PrintPoints("goal points", g->x, g->y);
  PrintPoints("additional points", g->additionalX, g->additionalY);
  PrintValue("yMin", g->yMin);
  PrintValue("yMax", g->yMax);
  PrintValue("xFirst", g->xFirst);
  PrintValue("xLast", g->xLast);
  PrintValue("constRange", g->constRange);
  return kExitOk;
}

int RunRange(const CliArgs& args, bool json) {
  if (args.Positional().size() != 1 || !args.Has("--min") || !args.Has("--max")) return kExitUsage;
  VariableTable table("x");
  if (!NumberOption(args, "--min", table[0].min, json) || !NumberOption(args, "--max", table[0].max, json))
    return kExitFailure;
  auto tree = CompileOrReport(args.Positional()[0], table, json);
  if (!tree) return kExitFailure;
  double lower, upper;
  tree->ValueRange(lower, upper);
  const bool pass = tree->RangeCheck();
  if (json) {
    PrintJson({{"lower", JsonNumber(lower)}, {"upper", JsonNumber(upper)}, {"pass", pass}});
  } else {
    PrintValue("lower", lower);
    PrintValue("upper", upper);
    std::cout << "pass: " << (pass ? "yes" : "no") << '\n';
  }
  return kExitOk;
}

int RunFitness(const CliArgs& args, bool json) {
  if (args.Positional().size() != 1) return kExitUsage;
  // The judging parameters: relative point scores, weight 0.01, no rounding
  // unless given.
  SynthesisParams p;
  p.roundingPlaces = -1;
  const int optionStatus = ReadParamOptions(args, p, json);
  if (optionStatus != kExitOk) return optionStatus;
  VariableTable table("x");
  GoalDefinition goal(table);
  int status;
  const GoalData* g = BuildGoal(args, goal, json, status);
  if (!g) return status;
  auto tree = CompileOrReport(args.Positional()[0], table, json);
  if (!tree) return kExitFailure;
  Variant v;
  v.Setup(g, &table, p.roundingPlaces, static_cast<std::uint32_t>(p.pointFitness), p.weightFactor, tree.get(), true);
  const double mainScore = v.GetMainScore(), mainFitness = v.GetMainFitness();
  const double allScore = v.GetAllScore(), fitness = v.GetFitness();
  const bool rangeOk = v.CheckRange(false);
  const VariantDifferences d = v.Differences();
  if (json) {
    PrintJson({{"mainScore", JsonNumber(mainScore)},
               {"mainFitness", JsonNumber(mainFitness)},
               {"allScore", JsonNumber(allScore)},
               {"fitness", JsonNumber(fitness)},
               {"nonFinite", v.nonFinite},
               {"rangeOk", rangeOk},
               {"maxDifference", JsonNumber(d.maxDifference)},
               {"mainDifferenceSum", JsonNumber(d.mainDifferenceSum)},
               {"allDifferenceSum", JsonNumber(d.allDifferenceSum)},
               {"elements", v.ElementCount()}});
    return kExitOk;
  }
  PrintValue("mainScore", mainScore);
  PrintValue("mainFitness", mainFitness);
  PrintValue("allScore", allScore);
  PrintValue("fitness", fitness);
  std::cout << "nonFinite: " << (v.nonFinite ? "yes" : "no") << '\n';
  std::cout << "rangeOk: " << (rangeOk ? "yes" : "no") << '\n';
  PrintValue("maxDifference", d.maxDifference);
  PrintValue("mainDifferenceSum", d.mainDifferenceSum);
  PrintValue("allDifferenceSum", d.allDifferenceSum);
  std::cout << "elements: " << v.ElementCount() << '\n';
  return kExitOk;
}

std::vector<OptionSpec> With(std::vector<OptionSpec> a, const std::vector<OptionSpec>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

std::vector<Verb> EngineVerbs() {
  return {
      {"goal", "<goal options>", "build the goal and print its points and extents", GoalOptionSpecs(), RunGoal},
      {"range", "EXPR --min A --max B", "print the formula's value range over [A, B] and the rangecheck",
       {{"--min", true}, {"--max", true}}, RunRange},
      {"fitness", "EXPR <goal options>", "judge the formula against the goal (--kind relative|exponential)",
       With(GoalOptionSpecs(), {{"--kind", true}, {"--weight", true}, {"--places", true}}), RunFitness},
  };
}
