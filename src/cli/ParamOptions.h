#pragma once
// Synthesis parameter options shared by the verbs that create or run projects:
//   --threads N  --restart-seconds N | --restart-count N  --no-rangecheck
//   --places P (-1 off)  --no-cancel  --weight W  --kind relative|exponential

#include <vector>

#include "cli/CliArgs.h"
#include "synthesis/SynthesisParams.h"

std::vector<OptionSpec> ParamOptionSpecs();

/// Applies the given options to `params`. Returns kExitOk, or the exit status
/// after reporting a bad value.
int ReadParamOptions(const CliArgs& args, SynthesisParams& params, bool json);

/// Whether any parameter option was given.
bool HasParamOptions(const CliArgs& args);
