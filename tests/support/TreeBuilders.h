#pragma once
// Small helpers that build expression trees by hand in tests.

#include <memory>
#include <utility>

#include "expr/ElHolder.h"

namespace tb {

using Node = std::unique_ptr<Element>;

inline Node C(double v) { return std::make_unique<ElConst>(v); }
inline Node X(const VariableTable& t) { return std::make_unique<ElVar>(&t, 0u); }

inline Node Op1(int code, Node child) {
  Node n = OperationTable[code].create();
  static_cast<ElOpFn1&>(*n).child = std::move(child);
  return n;
}
inline Node Op2(int code, Node left, Node right) {
  Node n = OperationTable[code].create();
  auto& op = static_cast<ElOpFn2&>(*n);
  op.left = std::move(left);
  op.right = std::move(right);
  return n;
}
inline Node Neg(Node c) { return Op1(kOpNeg, std::move(c)); }
inline Node Sin(Node c) { return Op1(kOpSin, std::move(c)); }
inline Node Pow(Node l, Node r) { return Op2(kOpPow, std::move(l), std::move(r)); }
inline Node Mult(Node l, Node r) { return Op2(kOpMult, std::move(l), std::move(r)); }
inline Node Div(Node l, Node r) { return Op2(kOpDiv, std::move(l), std::move(r)); }
inline Node Plus(Node l, Node r) { return Op2(kOpPlus, std::move(l), std::move(r)); }
inline Node Minus(Node l, Node r) { return Op2(kOpMinus, std::move(l), std::move(r)); }

inline ElHolder Hold(Node root, const VariableTable& t) { return ElHolder(std::move(root), &t); }

}  // namespace tb
