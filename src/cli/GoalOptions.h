#pragma once
// The goal options that several verbs share:
//   --expr TEXT --min A --max B --count N   an expression sampled on [A, B]
//   --points FILE [--count N]               a points text file
//   --apcf K                                additional points per goal interval

#include <vector>

#include "cli/CliArgs.h"
#include "goal/GoalDefinition.h"

std::vector<OptionSpec> GoalOptionSpecs();

/// Copies the goal options into `goal`. Returns kExitOk, or the exit status
/// after reporting the problem (kExitUsage for missing or conflicting options,
/// kExitFailure for bad numbers and unreadable files).
int ReadGoalOptions(const CliArgs& args, GoalDefinition& goal, bool json);

/// ReadGoalOptions, then builds the goal (reporting as the program does, or
/// quietly with --json, where a failure is printed as a JSON error object).
/// Returns the goal or null with `status` set.
const GoalData* BuildGoal(const CliArgs& args, GoalDefinition& goal, bool json, int& status);

/// Reads a number option in the user's format; reports and returns false when bad.
bool NumberOption(const CliArgs& args, const char* name, double& value, bool json);
