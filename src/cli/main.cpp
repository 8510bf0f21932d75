// formulon-cli: the program's core without a window, for scripting, batch
// use and checking.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/Verbs.h"

namespace {

std::vector<Verb> AllVerbs() {
  std::vector<Verb> verbs = ExpressionVerbs();
  for (Verb& v : EngineVerbs()) verbs.push_back(std::move(v));
  for (Verb& v : ProjectVerbs()) verbs.push_back(std::move(v));
  for (Verb& v : SearchVerbs()) verbs.push_back(std::move(v));
  return verbs;
}

void PrintUsage(FILE* to) {
  std::fprintf(to, "Usage: formulon-cli VERB [options] ARGS...\n\nVerbs:\n");
  for (const Verb& v : AllVerbs()) {
    std::string line = std::string(v.name) + " " + v.synopsis;
    for (const OptionSpec& o : v.options) line += " [" + o.name + (o.takesValue ? " VALUE]" : "]");
    std::fprintf(to, "  %s\n      %s\n", line.c_str(), v.summary);
  }
  std::fprintf(to,
               "\nGoal options: --expr TEXT --min A --max B --count N (an expression sampled\n"
               "on [A, B]) or --points FILE [--count N] (a points text file: numbers in pairs),\n"
               "and --apcf K (additional points per goal interval, default 0).\n"
               "Parameter options: --threads N, --restart-seconds N or --restart-count N,\n"
               "--no-rangecheck, --places P (-1: no rounding), --no-cancel, --weight W,\n"
               "--kind relative|exponential.\n"
               "\nEvery verb takes --json (print one JSON object) and --verbose.\n"
               "An argument that is not an option of the verb is a formula or a number,\n"
               "so formulas may begin with a minus; \"--\" ends the options.\n"
               "Numbers are read and written in the user's regional format.\n"
               "Exit status: 0 success, 1 wrong usage, 2 failure.\n");
}

}  // namespace

int main(int argc, char** argv) {
  SetUpLocale();
  SetReporter(&TheReporter());
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::string verbName = argv[1];
  if (verbName == "--help" || verbName == "-h" || verbName == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  for (const Verb& verb : AllVerbs()) {
    if (verbName != verb.name) continue;
    std::vector<OptionSpec> options = verb.options;
    options.push_back({"--json", false});
    options.push_back({"--verbose", false});
    CliArgs args;
    std::string error;
    if (!args.Parse(std::vector<std::string>(argv + 2, argv + argc), options, error)) {
      std::fprintf(stderr, "formulon-cli %s: %s\n\n", verb.name, error.c_str());
      PrintUsage(stderr);
      return kExitUsage;
    }
    TheReporter().verbose = args.Has("--verbose");
    int status;
    try {
      status = verb.run(args, args.Has("--json"));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "formulon-cli %s: %s\n", verb.name, e.what());
      return kExitFailure;
    }
    if (status == kExitUsage) PrintUsage(stderr);
    return status;
  }
  std::fprintf(stderr, "formulon-cli: unknown verb \"%s\"\n\n", verbName.c_str());
  PrintUsage(stderr);
  return kExitUsage;
}
