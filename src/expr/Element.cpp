#include "expr/Element.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>

#include "common/Log.h"

// ---------------------------------------------------------------- Clone

std::unique_ptr<Element> ElConst::Clone() const { return std::make_unique<ElConst>(value); }

std::unique_ptr<Element> ElVar::Clone() const { return std::make_unique<ElVar>(variables, index); }

std::unique_ptr<Element> ElOpFn1::Clone() const {
  auto node = OperationTable[TypeCode()].create();
  static_cast<ElOpFn1&>(*node).child = child->Clone();
  return node;
}

std::unique_ptr<Element> ElOpFn2::Clone() const {
  auto node = OperationTable[TypeCode()].create();
  auto& op = static_cast<ElOpFn2&>(*node);
  op.left = left->Clone();
  op.right = right->Clone();
  return node;
}

int ElOpFn1::NodeClass() const { return OperationTable[TypeCode()].isOperator ? 2 : 3; }

// ---------------------------------------------------------------- Evaluate

double ElNeg::Evaluate() const { return -child->Evaluate(); }

double ElPow::Evaluate() const {
  const double base = left->Evaluate();
  const double exponent = right->Evaluate();
  // Any infinite or NaN operand gives negative infinity, not the limit.
  if (!std::isfinite(base) || !std::isfinite(exponent)) return -HUGE_VAL;
  return std::pow(base, exponent);
}

double ElMult::Evaluate() const {
  const double l = left->Evaluate();
  return l * right->Evaluate();
}

double ElDiv::Evaluate() const {
  const double l = left->Evaluate();
  return l / right->Evaluate();
}

double ElPlus::Evaluate() const {
  const double l = left->Evaluate();
  return l + right->Evaluate();
}

double ElMinus::Evaluate() const {
  const double l = left->Evaluate();
  return l - right->Evaluate();
}

double ElSin::Evaluate() const { return std::sin(child->Evaluate()); }
double ElCos::Evaluate() const { return std::cos(child->Evaluate()); }
double ElTan::Evaluate() const { return std::tan(child->Evaluate()); }
double ElASin::Evaluate() const { return std::asin(child->Evaluate()); }
double ElACos::Evaluate() const { return std::acos(child->Evaluate()); }

double ElATan::Evaluate() const {
  const double v = child->Evaluate();
  // Infinite or NaN argument: negative infinity, not the limit.
  return std::isfinite(v) ? std::atan(v) : -HUGE_VAL;
}

double ElSqrt::Evaluate() const { return std::sqrt(child->Evaluate()); }

double ElExp::Evaluate() const {
  const double v = child->Evaluate();
  // Infinite or NaN argument: positive infinity, also for -inf.
  return std::isfinite(v) ? std::exp(v) : HUGE_VAL;
}

double ElLog::Evaluate() const { return std::log10(child->Evaluate()); }
double ElLn::Evaluate() const { return std::log(child->Evaluate()); }

// ---------------------------------------------------------------- Save

namespace {

bool PutByte(std::ostream& out, int byte) {
  out.put(static_cast<char>(byte));
  return static_cast<bool>(out);
}

int Tag(const Element& e, int code) { return e.NodeClass() * 64 + code; }

}  // namespace

bool ElConst::Save(std::ostream& out) const {
  // The double bit for bit, little-endian, whatever the host's byte order.
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
  if (!PutByte(out, Tag(*this, 0))) return false;
  out.write(bytes, 8);
  return static_cast<bool>(out);
}

bool ElVar::Save(std::ostream& out) const { return PutByte(out, Tag(*this, static_cast<int>(index))); }

bool ElOpFn1::Save(std::ostream& out) const {
  if (!PutByte(out, Tag(*this, TypeCode()))) return false;
  return child->Save(out);
}

bool ElOpFn2::Save(std::ostream& out) const {
  if (!PutByte(out, Tag(*this, TypeCode()))) return false;
  return left->Save(out) && right->Save(out);
}

// ---------------------------------------------------------------- Load

namespace {

std::unique_ptr<Element> LoadNode(std::istream& in, const VariableTable* variables, int depth) {
  if (depth > kMaxTreeDepth) return nullptr;
  const int byte = in.get();
  if (byte == std::char_traits<char>::eof()) return nullptr;
  const int nodeClass = byte / 64;
  const unsigned code = static_cast<unsigned>(byte % 64);
  if (nodeClass == 0) {
    unsigned char bytes[8];
    if (!in.read(reinterpret_cast<char*>(bytes), 8)) return nullptr;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return std::make_unique<ElConst>(value);
  }
  if (nodeClass == 1) {
    if (variables == nullptr || code >= variables->size()) {
      LogError(Tr("Wrong variable id"));
      return nullptr;
    }
    return std::make_unique<ElVar>(variables, code);
  }
  // Classes 2 and 3 read alike: the class bits are not checked against the code.
  if (code >= static_cast<unsigned>(kNodeOperationCount)) {
    LogError(Tr("Wrong operation or function id"));
    return nullptr;
  }
  std::unique_ptr<Element> node = OperationTable[code].create();
  if (OperationTable[code].arity == 1) {
    auto& op = static_cast<ElOpFn1&>(*node);
    op.child = LoadNode(in, variables, depth + 1);
    if (!op.child) return nullptr;
  } else {
    auto& op = static_cast<ElOpFn2&>(*node);
    op.left = LoadNode(in, variables, depth + 1);
    if (!op.left) return nullptr;
    op.right = LoadNode(in, variables, depth + 1);
    if (!op.right) return nullptr;
  }
  return node;
}

}  // namespace

std::unique_ptr<Element> LoadElement(std::istream& in, const VariableTable* variables) {
  return LoadNode(in, variables, 1);
}
