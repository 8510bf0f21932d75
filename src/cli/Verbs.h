#pragma once
// The verbs of formulon-cli. Each group of verbs lives in a file of its own
// and lists itself through a function below; main() dispatches.

#include <string>
#include <vector>

#include "cli/CliArgs.h"

struct Verb {
  const char* name;
  const char* synopsis;  ///< arguments, for the usage text
  const char* summary;   ///< one line, for the usage text
  std::vector<OptionSpec> options;  ///< besides --json, which every verb knows
  /// Runs the verb; returns the exit status. kExitUsage makes main() print the usage.
  int (*run)(const CliArgs& args, bool json);
};

/// text, markup, eval, encode, decode.
std::vector<Verb> ExpressionVerbs();
/// goal, range, fitness.
std::vector<Verb> EngineVerbs();
/// new, dump, add.
std::vector<Verb> ProjectVerbs();
/// search.
std::vector<Verb> SearchVerbs();
