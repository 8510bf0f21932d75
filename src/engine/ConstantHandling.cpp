// Rounding of constants and folding of constant sub-expressions.

#include <cmath>
#include <vector>

#include "engine/Variant.h"

double Variant::RoundConstant(double x) const {
  if (places < 0) return x;
  // 10^places by repeated squaring: exact up to 22 places.
  double f = 1.0, base = 10.0;
  for (int e = places; e > 0; e >>= 1) {
    if (e & 1) f *= base;
    base *= base;
  }
  const long double y = static_cast<long double>(f) * x;
  // A value too large to scale already has no digits beyond the places; it
  // stays as it is rather than becoming infinite or NaN.
  if (std::isinf(y) || std::isinf(f)) return x;
  // Halves go away from zero.
  const long double rounded = y >= 0 ? std::floor(y + 0.5L) : std::ceil(y - 0.5L);
  return static_cast<double>(rounded / f);
}

void Variant::CancelConstantsAt(std::unique_ptr<Element>& start) {
  std::unique_ptr<Element>* link = &start;
  for (;;) {
    Element& node = **link;
    if (node.NodeClass() <= 1) return;  // a constant or a variable
    if (node.IsConstant()) {
      *link = std::make_unique<ElConst>(RoundConstant(node.Evaluate()));
      return;
    }
    if (node.Arity() == 1) {
      link = &static_cast<ElOpFn1&>(node).child;
    } else {
      CancelConstantsAt(static_cast<ElOpFn2&>(node).left);
      link = &static_cast<ElOpFn2&>(node).right;
    }
  }
}

void Variant::CancelConstants() {
  if (!child) return;
  CancelConstantsAt(child);
  if (places >= 0) MarkChanged();
}

void Variant::RoundConstants(Element& start) const {
  Element* node = &start;
  for (;;) {
    switch (node->Arity()) {
      case 0:
        if (node->NodeClass() == 0) {
          auto& c = static_cast<ElConst&>(*node);
          c.value = RoundConstant(c.value);
        }
        return;
      case 1:
        node = static_cast<ElOpFn1&>(*node).child.get();
        break;
      default:
        RoundConstants(*static_cast<ElOpFn2&>(*node).left);
        node = static_cast<ElOpFn2&>(*node).right.get();
    }
  }
}
