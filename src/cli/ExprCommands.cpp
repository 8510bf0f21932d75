// Verbs on single formulas: text, markup, eval, encode, decode.

#include <cctype>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/CliOutput.h"
#include "cli/Verbs.h"
#include "expr/Compiler.h"
#include "expr/NumberFormat.h"

namespace {

// The program's one variable.
VariableTable& Variables() {
  static VariableTable table("x");
  return table;
}

int RunText(const CliArgs& args, bool json, bool markup) {
  if (args.Positional().size() != 1) return kExitUsage;
  auto tree = CompileOrReport(args.Positional()[0], Variables(), json);
  if (!tree) return kExitFailure;
  if (json)
    PrintJson({{"text", tree->Text()}, {"markup", tree->Markup()}, {"elements", tree->ElementCount()}});
  else
    std::cout << (markup ? tree->Markup() : tree->Text()) << '\n';
  return kExitOk;
}

int RunEval(const CliArgs& args, bool json) {
  const auto& pos = args.Positional();
  if (pos.size() < 2) return kExitUsage;
  std::vector<double> xs;
  for (size_t i = 1; i < pos.size(); ++i) {
    double x;
    if (!ParseNumber(pos[i], x)) {
      ReportFailure(Format(Tr("Wrong number: %s").c_str(), pos[i].c_str()), json);
      return kExitFailure;
    }
    xs.push_back(x);
  }
  auto tree = CompileOrReport(pos[0], Variables(), json);
  if (!tree) return kExitFailure;
  nlohmann::json values = nlohmann::json::array();
  for (double x : xs) {
    Variables()[0].value = x;
    const double y = tree->Evaluate();
    if (json)
      values.push_back(JsonNumber(y));
    else
      std::cout << FormatNumber(y) << '\n';
  }
  if (json) PrintJson({{"values", values}});
  return kExitOk;
}

int RunEncode(const CliArgs& args, bool json) {
  if (args.Positional().size() != 1) return kExitUsage;
  auto tree = CompileOrReport(args.Positional()[0], Variables(), json);
  if (!tree) return kExitFailure;
  std::ostringstream bytes;
  if (!tree->Save(bytes)) return kExitFailure;
  std::string hex;
  for (unsigned char b : bytes.str()) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02x", b);
    if (!hex.empty()) hex += ' ';
    hex += pair;
  }
  if (json)
    PrintJson({{"hex", hex}});
  else
    std::cout << hex << '\n';
  return kExitOk;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads bytes written as hexadecimal pairs; white space may separate them.
bool ParseHex(const std::string& text, std::string& bytes, std::string& bad) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    if (word.size() % 2 != 0) {
      bad = word;
      return false;
    }
    for (size_t i = 0; i < word.size(); i += 2) {
      const int hi = HexDigit(word[i]), lo = HexDigit(word[i + 1]);
      if (hi < 0 || lo < 0) {
        bad = word;
        return false;
      }
      bytes += static_cast<char>(hi * 16 + lo);
    }
  }
  return true;
}

int RunDecode(const CliArgs& args, bool json) {
  const auto& pos = args.Positional();
  if (pos.empty()) return kExitUsage;
  std::string text;
  if (pos.size() == 1 && pos[0] == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    for (const std::string& p : pos) text += p + " ";
  }
  std::string bytes, bad;
  if (!ParseHex(text, bytes, bad)) {
    ReportFailure(Format(Tr("Not a sequence of hexadecimal bytes: %s").c_str(), bad.c_str()), json);
    return kExitFailure;
  }
  std::istringstream in(bytes);
  ElHolder tree;
  tree.variables = &Variables();
  // The load logs its own message for a wrong id; a short input or bytes left
  // over after a complete tree are a malformed tree.
  const int before = TheReporter().problems;
  const bool loaded = tree.Load(in, 0);
  if (!loaded || in.peek() != std::char_traits<char>::eof()) {
    if (loaded || TheReporter().problems == before)
      ReportFailure(Tr("Malformed tree"), json);
    else if (json)
      PrintJson({{"error", {{"message", TheReporter().lastProblem}}}});
    return kExitFailure;
  }
  if (json)
    PrintJson({{"text", tree.Text()}});
  else
    std::cout << tree.Text() << '\n';
  return kExitOk;
}

}  // namespace

std::vector<Verb> ExpressionVerbs() {
  return {
      {"text", "EXPR", "print the formula's text as the program writes it", {},
       [](const CliArgs& a, bool j) { return RunText(a, j, false); }},
      {"markup", "EXPR", "print the formula's markup", {},
       [](const CliArgs& a, bool j) { return RunText(a, j, true); }},
      {"eval", "EXPR X [X ...]", "print the formula's value at each x", {}, RunEval},
      {"encode", "EXPR", "print the formula's binary encoding as hexadecimal bytes", {}, RunEncode},
      {"decode", "HEX... | -", "read an encoded tree (arguments or standard input) and print its text", {},
       RunDecode},
  };
}
