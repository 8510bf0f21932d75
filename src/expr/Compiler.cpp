#include "expr/Compiler.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "common/Log.h"

namespace {

enum TokenKind { kNumber = 0, kVariable, kOperator, kFunction, kParenthesis, kComma };

const char* const kCompilerErrors[Compiler::kErrorCount] = {
    TR_NOOP("No error"),
    TR_NOOP("Wrong number"),
    TR_NOOP("Wrong function name"),
    TR_NOOP("Wrong function or variable"),
    TR_NOOP("Wrong symbol"),
    TR_NOOP("Expression is empty"),
    TR_NOOP("Comma is not for a function"),
    TR_NOOP("Wrong comma"),
    TR_NOOP("No opening parantheses"),
    TR_NOOP("Wrong type"),
    TR_NOOP("No closing parantheses"),
    TR_NOOP("Function needs an argument"),
    TR_NOOP("No opening parantheses for a function"),
    TR_NOOP("Wrong closing parantheses"),
    TR_NOOP("Wrong number of a function args"),
    TR_NOOP("No arguments for operation or function"),
    TR_NOOP("No operation before"),
    TR_NOOP("No first arg for operation"),
    TR_NOOP("No operation for argument"),
    TR_NOOP("Empty parantheses"),
    TR_NOOP("No argument for operation"),
    TR_NOOP("No second argument for operation"),
    TR_NOOP("Expression is nested too deeply"),
};

constexpr int kMaxIdentifier = 30;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

// Length of the longest prefix of `s` that is a decimal floating-point number
// with the decimal separator `point`: digits, an optional fraction, an
// optional exponent. Hexadecimal and the words inf and nan are not numbers.
size_t ScanNumber(const char* s, const char* point) {
  const size_t pointLen = std::strlen(point);
  size_t i = 0, digits = 0;
  while (IsDigit(s[i])) ++i, ++digits;
  if (pointLen > 0 && std::strncmp(s + i, point, pointLen) == 0) {
    size_t j = i + pointLen, fraction = 0;
    while (IsDigit(s[j])) ++j, ++fraction;
    if (digits + fraction > 0) {
      i = j;
      digits += fraction;
    }
  }
  if (digits == 0) return 0;
  if (s[i] == 'e' || s[i] == 'E') {
    size_t j = i + 1;
    if (s[j] == '+' || s[j] == '-') ++j;
    if (IsDigit(s[j])) {
      while (IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

std::string Compiler::ErrorText(int code) {
  if (code < 0 || code >= kErrorCount) return std::string();
  return Tr(kCompilerErrors[code]);
}

bool Compiler::Fail(int code, int position) {
  errorCode = code;
  errorPosition = position;
  return false;
}

std::unique_ptr<ElHolder> Compiler::Compile(const std::string& text, const VariableTable& table) {
  errorCode = kNoError;
  errorPosition = 0;
  variables = &table;
  tokens.clear();
  tokens.reserve(200);
  std::unique_ptr<ElHolder> holder;
  if (ReadTokens(text.c_str()) && CheckCalls() && CheckOperands()) {
    ToPostfix();
    holder = BuildTree();
  }
  tokens.clear();
  return holder;
}

// Pass 1: the token list.
bool Compiler::ReadTokens(const char* text) {
  if (text[0] == '\0') return Fail(kEmpty, 0);
  const char* point = std::localeconv()->decimal_point;
  if (point == nullptr) point = ".";
  std::string buffer;
  for (int pos = 0; text[pos] != '\0';) {
    const char c = text[pos];
    Token token;
    token.position = pos;
    if (c == '(' || c == ')') {
      token.kind = kParenthesis;
      token.id = c == '(' ? kOpOpenPar : kOpClosePar;
      ++pos;
    } else if (IsDigit(c) || c == '.') {
      const size_t length = ScanNumber(text + pos, point);
      if (length == 0) return Fail(kWrongNumber, pos);
      buffer.assign(text + pos, length);
      char* end = nullptr;
      token.kind = kNumber;
      token.value = std::strtod(buffer.c_str(), &end);  // overflow gives inf, taken as it is
      if (end == buffer.c_str()) return Fail(kWrongNumber, pos);
      pos += static_cast<int>(end - buffer.c_str());
    } else if (IsIdentChar(c)) {
      int length = 0;
      while (IsIdentChar(text[pos + length])) ++length;
      if (length > kMaxIdentifier) return Fail(kWrongFunctionName, pos);
      const std::string name(text + pos, static_cast<size_t>(length));
      if (name == "inf") {
        token.kind = kNumber;
        token.value = HUGE_VAL;
      } else if (name == "ind") {
        token.kind = kNumber;
        token.value = -std::acos(-2.0);
      } else {
        token.id = -1;
        for (int row = 0; row < kOperationCount; ++row)
          if (name == OperationTable[row].name) {
            token.kind = kFunction;
            token.id = row;
            break;
          }
        if (token.id < 0) {
          const int index = variables->Find(name);
          if (index < 0) return Fail(kWrongFunctionOrVariable, pos);
          token.kind = kVariable;
          token.id = index;
        }
      }
      pos += length;
    } else if (c == ',') {
      token.kind = kComma;
      token.id = kOpComma;
      ++pos;
    } else {
      token.id = -1;
      for (int row = 0; row < kOperationCount; ++row)
        if (OperationTable[row].name[0] == c) {
          token.id = row;
          break;
        }
      if (token.id < 0) return Fail(kWrongSymbol, pos);
      token.kind = kOperator;
      // "-" is binary unless it opens the text or follows an operator or "(".
      if (token.id == kOpNeg && !tokens.empty()) {
        const Token& previous = tokens.back();
        const bool unary = previous.kind == kOperator ||
                           (previous.kind == kParenthesis && previous.id == kOpOpenPar);
        if (!unary) token.id = kOpMinus;
      }
      ++pos;
    }
    tokens.push_back(token);
  }
  return true;
}

// Pass 2: function calls and parentheses.
bool Compiler::CheckCalls() {
  struct Frame {
    int kind;  // operation code of a call, or kOpOpenPar
    int position;
    int count;
    bool awaiting;
  };
  std::vector<Frame> stack;
  int innermost = -1;  // index of the innermost call frame
  auto topmostCall = [&stack]() {
    for (int i = static_cast<int>(stack.size()) - 1; i >= 0; --i)
      if (stack[i].kind != kOpOpenPar) return i;
    return -1;
  };
  for (size_t t = 0; t < tokens.size(); ++t) {
    const Token& token = tokens[t];
    switch (token.kind) {
      case kNumber:
      case kVariable:
        if (innermost >= 0 && stack[innermost].awaiting) {
          ++stack[innermost].count;
          stack[innermost].awaiting = false;
        }
        break;
      case kOperator:
        break;
      case kFunction:
        if (t + 1 >= tokens.size() || tokens[t + 1].kind != kParenthesis ||
            tokens[t + 1].id != kOpOpenPar)
          return Fail(kNoOpeningParenForFunction, token.position);
        if (innermost >= 0 && stack[innermost].awaiting) {
          ++stack[innermost].count;
          stack[innermost].awaiting = false;
        }
        stack.push_back({token.id, token.position, 0, true});
        innermost = static_cast<int>(stack.size()) - 1;
        break;
      case kParenthesis:
        if (token.id == kOpOpenPar) {
          stack.push_back({kOpOpenPar, token.position, 0, false});
          break;
        }
        if (stack.empty()) return Fail(kWrongClosingParen, token.position);
        stack.pop_back();
        if (!stack.empty() && stack.back().kind != kOpOpenPar) {
          const Frame call = stack.back();
          stack.pop_back();
          if (call.awaiting) return Fail(kFunctionNeedsArgument, call.position);
          if (call.count != OperationTable[call.kind].arity) return Fail(kWrongArgCount, call.position);
          innermost = topmostCall();
        }
        break;
      case kComma:
        if (innermost < 0) return Fail(kCommaNotForFunction, token.position);
        if (stack[innermost].awaiting) return Fail(kFunctionNeedsArgument, token.position);
        stack[innermost].awaiting = true;
        break;
    }
  }
  if (!stack.empty()) return Fail(kNoClosingParen, stack.back().position);
  return true;
}

// Pass 3: operands and operators alternate.
bool Compiler::CheckOperands() {
  struct Level {
    bool hasOperand;
    bool pending;
    int position;
  };
  std::vector<Level> saved;
  bool hasOperand = false, pending = false;
  for (size_t t = 0; t < tokens.size(); ++t) {
    const Token& token = tokens[t];
    switch (token.kind) {
      case kNumber:
      case kVariable:
        if (hasOperand && !pending) return Fail(kNoOperationForArgument, token.position);
        hasOperand = true;
        pending = false;
        break;
      case kOperator:
        if (OperationTable[token.id].arity == 1) {
          if (hasOperand && !pending) return Fail(kNoOperationBefore, token.position);
          hasOperand = false;
          pending = true;
        } else {
          if (!hasOperand) return Fail(kNoFirstArg, token.position);
          pending = true;
        }
        break;
      case kFunction:
        break;
      case kParenthesis:
        if (token.id == kOpOpenPar) {
          saved.push_back({hasOperand, pending, token.position});
          hasOperand = pending = false;
          break;
        }
        if (!hasOperand) {
          if (!pending) return Fail(kEmptyParens, token.position);
          return Fail(kNoArgument, tokens[t - 1].position);
        }
        if (pending) return Fail(kNoSecondArgument, tokens[t - 1].position);
        {
          const Level outer = saved.back();
          saved.pop_back();
          if (outer.pending) {
            hasOperand = true;
            pending = false;
          } else if (!outer.hasOperand) {
            hasOperand = true;
          } else {
            return Fail(kNoOperationForArgument, outer.position);
          }
        }
        break;
      case kComma:
        break;
    }
  }
  if (!hasOperand) return Fail(kNoArgument, tokens.back().position);
  if (pending) return Fail(kNoSecondArgument, tokens.back().position);
  return true;
}

// Pass 4: postfix order, written over the token list from its start.
void Compiler::ToPostfix() {
  std::vector<Token> stack;
  size_t out = 0;
  auto priority = [](const Token& t) { return OperationTable[t.id].priority; };
  for (size_t t = 0; t < tokens.size(); ++t) {
    const Token token = tokens[t];
    switch (token.kind) {
      case kNumber:
      case kVariable:
        tokens[out++] = token;
        break;
      case kFunction:
        stack.push_back(token);
        break;
      case kOperator: {
        const int own = priority(token);
        const bool right = OperationTable[token.id].rightAssociative;
        while (!stack.empty() && (right ? priority(stack.back()) > own : priority(stack.back()) >= own)) {
          tokens[out++] = stack.back();
          stack.pop_back();
        }
        stack.push_back(token);
        break;
      }
      case kParenthesis:
        if (token.id == kOpOpenPar) {
          stack.push_back(token);
          break;
        }
        while (!stack.empty() && !(stack.back().kind == kParenthesis && stack.back().id == kOpOpenPar)) {
          tokens[out++] = stack.back();
          stack.pop_back();
        }
        if (!stack.empty()) stack.pop_back();
        if (!stack.empty() && stack.back().kind == kFunction) {
          tokens[out++] = stack.back();
          stack.pop_back();
        }
        break;
      default:
        break;
    }
  }
  tokens.resize(out);
  while (!stack.empty()) {
    tokens.push_back(stack.back());
    stack.pop_back();
  }
}

// Pass 5: the tree.
std::unique_ptr<ElHolder> Compiler::BuildTree() {
  struct Item {
    std::unique_ptr<Element> node;
    int position;
    int depth;
  };
  std::vector<Item> stack;
  for (const Token& token : tokens) {
    if (token.kind == kNumber) {
      stack.push_back({std::make_unique<ElConst>(token.value), token.position, 1});
      continue;
    }
    if (token.kind == kVariable) {
      stack.push_back({std::make_unique<ElVar>(variables, static_cast<unsigned>(token.id)), token.position, 1});
      continue;
    }
    std::unique_ptr<Element> node = OperationTable[token.id].create();
    if (stack.empty()) {
      Fail(kNoArguments, token.position);
      return nullptr;
    }
    int depth;
    if (OperationTable[token.id].arity == 1) {
      depth = stack.back().depth + 1;
      static_cast<ElOpFn1&>(*node).child = std::move(stack.back().node);
      stack.pop_back();
    } else {
      Item right = std::move(stack.back());
      stack.pop_back();
      if (stack.empty()) {
        Fail(kNoArguments, token.position);
        return nullptr;
      }
      Item left = std::move(stack.back());
      stack.pop_back();
      depth = 1 + (left.depth > right.depth ? left.depth : right.depth);
      auto& op = static_cast<ElOpFn2&>(*node);
      op.left = std::move(left.node);
      op.right = std::move(right.node);
    }
    if (depth > kMaxTreeDepth) {
      Fail(kTooDeep, token.position);
      return nullptr;
    }
    stack.push_back({std::move(node), token.position, depth});
  }
  // Pass 3 leaves exactly one operand; anything else is reported, not guessed.
  if (stack.size() != 1) {
    Fail(kNoArguments, stack.empty() ? 0 : stack.back().position);
    return nullptr;
  }
  return std::make_unique<ElHolder>(std::move(stack.back().node), variables);
}
