#include "cli/GoalOptions.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "cli/CliOutput.h"
#include "goal/PointsText.h"

std::vector<OptionSpec> GoalOptionSpecs() {
  return {{"--expr", true}, {"--min", true}, {"--max", true},
          {"--points", true}, {"--count", true}, {"--apcf", true}};
}

bool NumberOption(const CliArgs& args, const char* name, double& value, bool json) {
  if (ParseNumber(args.Value(name), value)) return true;
  ReportFailure(Format(Tr("Wrong number for %s: %s").c_str(), name, args.Value(name).c_str()), json);
  return false;
}

int ReadGoalOptions(const CliArgs& args, GoalDefinition& goal, bool json) {
  const bool expr = args.Has("--expr"), points = args.Has("--points");
  if (expr == points) {
    std::fprintf(stderr, "formulon-cli: give either --expr with --min, --max and --count, or --points\n");
    return kExitUsage;
  }
  GoalSettings& s = goal.settings;
  s = GoalSettings();
  s.expressionSource = expr;
  if (args.Has("--apcf") && !IntOption(args, "--apcf", 0, 100, s.apcf, json)) return kExitFailure;
  if (expr) {
    if (!args.Has("--min") || !args.Has("--max") || !args.Has("--count")) {
      std::fprintf(stderr, "formulon-cli: an expression goal needs --min, --max and --count\n");
      return kExitUsage;
    }
    s.expression = args.Value("--expr");
    if (!NumberOption(args, "--min", s.minX, json) || !NumberOption(args, "--max", s.maxX, json) ||
        !IntOption(args, "--count", 2, 2147483647, s.pointsCount, json))
      return kExitFailure;
  } else {
    const std::string path = args.Value("--points");
    std::ifstream in(path);
    if (!in) {
      ReportFailure(Format(Tr("Can't open file: %s for reading").c_str(), path.c_str()) + " (" +
                        std::strerror(errno) + ")",
                    json);
      return kExitFailure;
    }
    if (!ReadPointsText(in, goal.gridPoints)) {
      ReportFailure(Tr("Error reading from file"), json);
      return kExitFailure;
    }
    s.pointsCount = static_cast<int>(goal.gridPoints.size());
    if (args.Has("--count") && !IntOption(args, "--count", 2, 2147483647, s.pointsCount, json))
      return kExitFailure;
  }
  goal.InputChanged();
  return kExitOk;
}

const GoalData* BuildGoal(const CliArgs& args, GoalDefinition& goal, bool json, int& status) {
  status = ReadGoalOptions(args, goal, json);
  if (status != kExitOk) return nullptr;
  const GoalData* data;
  if (json) {
    ScopedQuietReporter quiet;
    data = goal.GetGoal(false);
  } else {
    data = goal.GetGoal(false);
  }
  if (data) return data;
  if (json) {
    const GoalFailure& f = goal.LastFailure();
    PrintJson({{"error", {{"level", f.level == LogLevel::Error ? "error" : "warning"}, {"message", f.message}}}});
  }
  status = kExitFailure;
  return nullptr;
}
