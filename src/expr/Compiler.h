#pragma once
// Turns the text of a formula into an expression tree.

#include <memory>
#include <string>
#include <vector>

#include "expr/ElHolder.h"
#include "expr/VariableTable.h"

/// One token of the text.
struct Token {
  int kind = 0;        ///< 0 number, 1 variable, 2 operator, 3 function, 4 parenthesis, 5 comma
  double value = 0.0;  ///< the number (kind 0)
  int id = 0;          ///< variable index, operation code, 16 "(", 17 ")", 18 ","
  int position = 0;    ///< byte offset of the token's first character
};

/// Compiles formula text in five passes (tokens; calls and parentheses;
/// operands and operators; postfix order; tree). A failure sets `errorCode`
/// and `errorPosition` to the first error found; nothing is logged or thrown.
/// One object may be reused; it is not shared between threads.
class Compiler {
 public:
  enum Error {
    kNoError = 0, kWrongNumber, kWrongFunctionName, kWrongFunctionOrVariable, kWrongSymbol,
    kEmpty, kCommaNotForFunction, kWrongComma, kNoOpeningParen, kWrongType, kNoClosingParen,
    kFunctionNeedsArgument, kNoOpeningParenForFunction, kWrongClosingParen, kWrongArgCount,
    kNoArguments, kNoOperationBefore, kNoFirstArg, kNoOperationForArgument, kEmptyParens,
    kNoArgument, kNoSecondArgument,
    /// The tree would be deeper than kMaxTreeDepth.
    kTooDeep,
    kErrorCount
  };

  /// Compiles `text` up to its first NUL byte. Numbers are read in the
  /// current numeric locale category (the user's decimal separator). Returns
  /// the new tree (constRange 0, `variables` = `table`, places -1) or null.
  std::unique_ptr<ElHolder> Compile(const std::string& text, const VariableTable& table);

  /// The translated message of an error code; an unknown code gives an empty text.
  static std::string ErrorText(int code);

  int errorCode = 0;
  int errorPosition = 0;  ///< 0-based byte offset

 private:
  bool Fail(int code, int position);
  bool ReadTokens(const char* text);
  bool CheckCalls();
  bool CheckOperands();
  void ToPostfix();
  std::unique_ptr<ElHolder> BuildTree();

  std::vector<Token> tokens;
  const VariableTable* variables = nullptr;
};
