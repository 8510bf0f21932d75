#pragma once
// Option parsing for the verbs of formulon-cli. Formulas and numbers often
// begin with a minus, so an argument that is not one of the verb's known
// options is a positional argument; "--" ends the options.

#include <map>
#include <string>
#include <vector>

struct OptionSpec {
  std::string name;  ///< with its dashes, e.g. "--json"
  bool takesValue;
};

class CliArgs {
 public:
  /// Reads `args`; fails (with `error` set) only when an option that takes a
  /// value has none.
  bool Parse(const std::vector<std::string>& args, const std::vector<OptionSpec>& spec, std::string& error);

  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  /// The option's value, or `fallback` when it was not given.
  std::string Value(const std::string& name, const std::string& fallback = std::string()) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  std::map<std::string, std::string> values_;
  std::vector<std::string> positional_;
};
