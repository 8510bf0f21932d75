#include "cli/CliArgs.h"

bool CliArgs::Parse(const std::vector<std::string>& args, const std::vector<OptionSpec>& spec,
                    std::string& error) {
  values_.clear();
  positional_.clear();
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* known = nullptr;
    std::string inlineValue;
    bool hasInline = false;
    if (!optionsEnded) {
      for (const OptionSpec& s : spec) {
        if (arg == s.name) {
          known = &s;
          break;
        }
        if (s.takesValue && arg.compare(0, s.name.size() + 1, s.name + "=") == 0) {
          known = &s;
          inlineValue = arg.substr(s.name.size() + 1);
          hasInline = true;
          break;
        }
      }
    }
    if (!known) {
      positional_.push_back(arg);
      continue;
    }
    if (!known->takesValue) {
      values_[known->name] = std::string();
    } else if (hasInline) {
      values_[known->name] = inlineValue;
    } else if (i + 1 < args.size()) {
      values_[known->name] = args[++i];
    } else {
      error = "option " + known->name + " needs a value";
      return false;
    }
  }
  return true;
}

std::string CliArgs::Value(const std::string& name, const std::string& fallback) const {
  auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second;
}
