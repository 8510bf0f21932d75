#pragma once
// Expression tree nodes. Every formula is a tree of Element nodes over the
// variables of a VariableTable, owned by an ElHolder (ElHolder.h). Operation
// nodes own their children; copies are always deep.

#include <iosfwd>
#include <memory>
#include <string>

#include "expr/OperationTable.h"
#include "expr/VariableTable.h"

/// Deepest tree (in node levels) that the program builds from outside input:
/// the tree decoder and the compiler refuse anything deeper, so the recursive
/// tree operations stay well within a thread's stack.
constexpr int kMaxTreeDepth = 10000;

/// Base of all nodes. The virtual operations keep this order in every class.
class Element {
 public:
  virtual ~Element() = default;
  /// A new deep copy of the node and its subtree.
  virtual std::unique_ptr<Element> Clone() const = 0;
  /// Value at the variables' current values; never fails: domain errors give
  /// NaN or infinities.
  virtual double Evaluate() const = 0;
  /// True when the subtree contains no variable.
  virtual bool IsConstant() const { return false; }
  /// 0 constant, 1 variable, 2 operator, 3 function.
  virtual int NodeClass() const = 0;
  /// The operation code (OperationTable row), the variable index, or -1 for a constant.
  virtual int TypeCode() const = 0;
  /// Number of nodes of the subtree.
  virtual int ElementCount() const = 0;
  /// The node's own text without operands.
  virtual std::string Label() const = 0;
  /// The whole subtree as text that the Compiler reads back.
  virtual std::string Text() const;
  /// The whole subtree with the operation symbols and grouping parentheses tagged.
  virtual std::string Markup() const;
  virtual int Arity() const = 0;
  /// Lower and upper bound of the subtree's values while every variable runs
  /// through [min, max]; a node that cannot bound its values reports [-inf, +inf].
  virtual void ValueRange(double& lower, double& upper) const = 0;
  /// Writes the subtree's binary encoding; returns whether the stream is still good.
  virtual bool Save(std::ostream& out) const = 0;

  /// Appends Text() to `out` (one buffer for the whole tree).
  virtual void AppendText(std::string& out) const = 0;
  /// Appends Markup() to `out`.
  virtual void AppendMarkup(std::string& out) const = 0;
};

/// A number.
class ElConst final : public Element {
 public:
  explicit ElConst(double v) : value(v) {}
  std::unique_ptr<Element> Clone() const override;
  double Evaluate() const override { return value; }
  bool IsConstant() const override { return true; }
  int NodeClass() const override { return 0; }
  int TypeCode() const override { return -1; }
  int ElementCount() const override { return 1; }
  std::string Label() const override;
  int Arity() const override { return 0; }
  void ValueRange(double& lower, double& upper) const override;
  bool Save(std::ostream& out) const override;
  void AppendText(std::string& out) const override;
  void AppendMarkup(std::string& out) const override;

  double value;
};

/// A variable of a VariableTable (not owned).
class ElVar final : public Element {
 public:
  ElVar(const VariableTable* table, unsigned index) : variables(table), index(index) {}
  std::unique_ptr<Element> Clone() const override;
  double Evaluate() const override { return (*variables)[index].value; }
  int NodeClass() const override { return 1; }
  int TypeCode() const override { return static_cast<int>(index); }
  int ElementCount() const override { return 1; }
  std::string Label() const override;
  int Arity() const override { return 0; }
  void ValueRange(double& lower, double& upper) const override;
  bool Save(std::ostream& out) const override;
  void AppendText(std::string& out) const override;
  void AppendMarkup(std::string& out) const override;

  const VariableTable* variables;
  unsigned index;
};

/// Base of the one-child operations (unary minus and the functions) and of ElHolder.
class ElOpFn1 : public Element {
 public:
  /// A fresh node of the same code (OperationTable) with a clone of the child.
  std::unique_ptr<Element> Clone() const override;
  bool IsConstant() const override { return child->IsConstant(); }
  int NodeClass() const override;
  int ElementCount() const override { return 1 + child->ElementCount(); }
  std::string Label() const override;
  int Arity() const override { return 1; }
  bool Save(std::ostream& out) const override;
  void AppendText(std::string& out) const override;
  void AppendMarkup(std::string& out) const override;

  std::unique_ptr<Element> child;  ///< null only while a node is being built
};

/// Base of the two-child operations.
class ElOpFn2 : public Element {
 public:
  std::unique_ptr<Element> Clone() const override;
  bool IsConstant() const override { return left->IsConstant() && right->IsConstant(); }
  int NodeClass() const override { return 2; }
  int ElementCount() const override { return 1 + left->ElementCount() + right->ElementCount(); }
  std::string Label() const override;
  int Arity() const override { return 2; }
  bool Save(std::ostream& out) const override;
  void AppendText(std::string& out) const override;
  void AppendMarkup(std::string& out) const override;

  std::unique_ptr<Element> left;
  std::unique_ptr<Element> right;
};

// The sixteen operations. Each class gives its code, its value and its range.
#define FZ_DECLARE_OPERATION(Class, Base, Code)                          \
  class Class final : public Base {                                      \
   public:                                                               \
    int TypeCode() const override { return Code; }                       \
    double Evaluate() const override;                                    \
    void ValueRange(double& lower, double& upper) const override;        \
  };

FZ_DECLARE_OPERATION(ElNeg, ElOpFn1, kOpNeg)
FZ_DECLARE_OPERATION(ElPow, ElOpFn2, kOpPow)
FZ_DECLARE_OPERATION(ElMult, ElOpFn2, kOpMult)
FZ_DECLARE_OPERATION(ElDiv, ElOpFn2, kOpDiv)
FZ_DECLARE_OPERATION(ElPlus, ElOpFn2, kOpPlus)
FZ_DECLARE_OPERATION(ElMinus, ElOpFn2, kOpMinus)
FZ_DECLARE_OPERATION(ElSin, ElOpFn1, kOpSin)
FZ_DECLARE_OPERATION(ElCos, ElOpFn1, kOpCos)
FZ_DECLARE_OPERATION(ElTan, ElOpFn1, kOpTan)
FZ_DECLARE_OPERATION(ElASin, ElOpFn1, kOpASin)
FZ_DECLARE_OPERATION(ElACos, ElOpFn1, kOpACos)
FZ_DECLARE_OPERATION(ElATan, ElOpFn1, kOpATan)
FZ_DECLARE_OPERATION(ElSqrt, ElOpFn1, kOpSqrt)
FZ_DECLARE_OPERATION(ElExp, ElOpFn1, kOpExp)
FZ_DECLARE_OPERATION(ElLog, ElOpFn1, kOpLog)
FZ_DECLARE_OPERATION(ElLn, ElOpFn1, kOpLn)

#undef FZ_DECLARE_OPERATION

/// Reads one encoded subtree (pre-order tag bytes, see ElHolder::Load) whose
/// variable nodes refer to `variables` (may be null: then every variable tag
/// is wrong). Returns null on failure; "Wrong variable id" and "Wrong operation
/// or function id" are logged as errors, a stream failure or a tree deeper
/// than kMaxTreeDepth is not logged.
std::unique_ptr<Element> LoadElement(std::istream& in, const VariableTable* variables);
