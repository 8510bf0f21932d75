#pragma once
// The table of operations that every part of the program indexes by
// operation code: node type codes, the tree encoding, random generation, the
// compiler and the text output all use these rows.

#include <memory>

class Element;

/// Operation codes of the table rows.
enum OpCode : int {
  kOpNeg = 0, kOpPow, kOpMult, kOpDiv, kOpPlus, kOpMinus,
  kOpSin, kOpCos, kOpTan, kOpASin, kOpACos, kOpATan, kOpSqrt, kOpExp, kOpLog, kOpLn,
  kOpOpenPar, kOpClosePar, kOpComma, kOpHolder,
  kOperationCount
};

/// Number of operations that are tree nodes (codes 0 to 15); the synthesis
/// draws uniformly from exactly these, so their order is fixed.
constexpr int kNodeOperationCount = 16;

struct Operation {
  const char* name;
  int priority;
  bool rightAssociative;  ///< the prefix operator that binds to the right
  int arity;
  /// Makes a new node of the row's class with null children; null for rows
  /// that are not nodes (16 to 19).
  std::unique_ptr<Element> (*create)();
  bool isOperator;   ///< operator notation instead of function notation
  bool associative;  ///< an operand of equal priority needs no parentheses
};

/// The 20 rows, indexed by OpCode.
extern const Operation OperationTable[kOperationCount];
