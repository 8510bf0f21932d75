#include "cli/ParamOptions.h"

#include "cli/CliOutput.h"

std::vector<OptionSpec> ParamOptionSpecs() {
  return {{"--threads", true}, {"--restart-seconds", true}, {"--restart-count", true}, {"--no-rangecheck", false},
          {"--places", true},  {"--no-cancel", false},      {"--weight", true},        {"--kind", true}};
}

bool HasParamOptions(const CliArgs& args) {
  for (const OptionSpec& o : ParamOptionSpecs())
    if (args.Has(o.name)) return true;
  return false;
}

namespace {

bool Int(const CliArgs& args, const char* name, long long min, long long max, std::int32_t& out, bool json) {
  return !args.Has(name) || IntOption(args, name, min, max, out, json);
}

}  // namespace

int ReadParamOptions(const CliArgs& args, SynthesisParams& p, bool json) {
  if (args.Has("--restart-seconds") && args.Has("--restart-count")) {
    std::fprintf(stderr, "formulon-cli: give --restart-seconds or --restart-count, not both\n");
    return kExitUsage;
  }
  if (!Int(args, "--threads", 1, 8, p.threadCount, json) ||
      !Int(args, "--places", -1, 17, p.roundingPlaces, json))
    return kExitFailure;
  if (args.Has("--restart-seconds")) {
    if (!Int(args, "--restart-seconds", 1, 2147483647, p.restartValue, json)) return kExitFailure;
    p.restartByTime = 1;
  }
  if (args.Has("--restart-count")) {
    if (!Int(args, "--restart-count", 1, 2147483647, p.restartValue, json)) return kExitFailure;
    p.restartByTime = 0;
  }
  if (args.Has("--no-rangecheck")) p.rangeCheck = 0;
  if (args.Has("--no-cancel")) p.cancelConstants = 0;
  if (args.Has("--weight")) {
    double w;
    if (!ParseNumber(args.Value("--weight"), w) || !(w >= 0.0 && w <= 1.0)) {
      ReportFailure(Format(Tr("Wrong number for %s: %s (from 0 to 1)").c_str(), "--weight",
                           args.Value("--weight").c_str()),
                    json);
      return kExitFailure;
    }
    p.weightFactor = w;
  }
  if (args.Has("--kind")) {
    const std::string kind = args.Value("--kind");
    if (kind == "relative")
      p.pointFitness = 0;
    else if (kind == "exponential")
      p.pointFitness = 1;
    else
      return kExitUsage;
  }
  return kExitOk;
}
