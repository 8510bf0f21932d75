// Text and markup forms of the expression nodes.

#include "expr/Element.h"
#include "expr/NumberFormat.h"

std::string Element::Text() const {
  std::string out;
  AppendText(out);
  return out;
}

std::string Element::Markup() const {
  std::string out;
  AppendMarkup(out);
  return out;
}

std::string ElConst::Label() const { return FormatNumber(value); }
void ElConst::AppendText(std::string& out) const { AppendNumber(out, value); }
void ElConst::AppendMarkup(std::string& out) const {
  out += "<mconst>";
  AppendNumber(out, value);
  out += "</mconst>";
}

std::string ElVar::Label() const { return (*variables)[index].name; }
void ElVar::AppendText(std::string& out) const { out += (*variables)[index].name; }
void ElVar::AppendMarkup(std::string& out) const {
  out += "<mvar>";
  out += (*variables)[index].name;
  out += "</mvar>";
}

std::string ElOpFn1::Label() const { return OperationTable[TypeCode()].name; }
std::string ElOpFn2::Label() const { return OperationTable[TypeCode()].name; }

namespace {

int Priority(const Element& e) { return OperationTable[e.TypeCode()].priority; }

// An operand in parentheses: an operator node that binds less tightly than
// `priority`; on the right of an operation also one that binds equally,
// unless both operations are associative.
bool NeedsParens(const Element& operand, const Element& operation, bool rightSide) {
  if (operand.NodeClass() != 2) return false;
  const int own = Priority(operand);
  const int p = Priority(operation);
  if (own < p) return true;
  if (rightSide && own == p)
    return !(OperationTable[operation.TypeCode()].associative &&
             OperationTable[operand.TypeCode()].associative);
  return false;
}

void AppendOperand(std::string& out, const Element& operand, bool parens) {
  if (parens) out += '(';
  operand.AppendText(out);
  if (parens) out += ')';
}

void AppendOperandMarkup(std::string& out, const Element& operand, bool parens) {
  if (parens) out += "<mpar>(</mpar>";
  operand.AppendText(out);
  if (parens) out += "<mpar>)</mpar>";
}

}  // namespace

// A one-child node is either unary minus (operator notation) or a function.
// Unary minus parenthesises any two-operand operation: -(a+b), -(a^b), but
// -x, -sin(x), --x.
void ElOpFn1::AppendText(std::string& out) const {
  const Operation& row = OperationTable[TypeCode()];
  if (row.isOperator) {
    out += row.name;
    AppendOperand(out, *child, NeedsParens(*child, *this, false));
  } else {
    out += row.name;
    out += '(';
    child->AppendText(out);
    out += ')';
  }
}

void ElOpFn1::AppendMarkup(std::string& out) const {
  const Operation& row = OperationTable[TypeCode()];
  if (row.isOperator) {
    out += "<mop>";
    out += row.name;
    out += "</mop>";
    AppendOperandMarkup(out, *child, NeedsParens(*child, *this, false));
  } else {
    out += "<mfn>";
    out += row.name;
    out += "(</mfn>";
    child->AppendText(out);
    out += "<mfn>)</mfn>";
  }
}

void ElOpFn2::AppendText(std::string& out) const {
  AppendOperand(out, *left, NeedsParens(*left, *this, false));
  out += OperationTable[TypeCode()].name;
  AppendOperand(out, *right, NeedsParens(*right, *this, true));
}

void ElOpFn2::AppendMarkup(std::string& out) const {
  AppendOperandMarkup(out, *left, NeedsParens(*left, *this, false));
  out += "<mop>";
  out += OperationTable[TypeCode()].name;
  out += "</mop>";
  AppendOperandMarkup(out, *right, NeedsParens(*right, *this, true));
}
