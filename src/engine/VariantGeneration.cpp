// Random trees and their mutation. Every draw is one word or one uniform value
// of the variant's own stream, in the order the steps are written; word
// comparisons are unsigned.

#include "engine/Variant.h"

namespace {

constexpr std::uint32_t kQuarter = 0x3fffffff;
constexpr std::uint32_t kHalfLess = 0x7ffffffe;
constexpr std::uint32_t kHalf = 0x7fffffff;
constexpr std::uint32_t kThird = 0x55555555;
constexpr std::uint32_t kTwoThirds = 0xaaaaaaaa;

ElOpFn1& One(Element& e) { return static_cast<ElOpFn1&>(e); }
ElOpFn2& Two(Element& e) { return static_cast<ElOpFn2&>(e); }

}  // namespace

void Variant::RandomSubtree(std::unique_ptr<Element>& link) {
  const std::uint32_t r = randWord();
  if (r <= kQuarter) {
    link = std::make_unique<ElConst>(RoundConstant(randUniform(-constRange, constRange)));
  } else if (r <= kHalfLess) {
    const std::uint32_t n = static_cast<std::uint32_t>(variables->size());
    link = std::make_unique<ElVar>(variables, randWord() % n);
  } else {
    RandomOperation(link);
  }
}

void Variant::RandomOperation(std::unique_ptr<Element>& link) {
  link = OperationTable[randWord() & 0xf].create();
  Element& node = *link;
  if (node.Arity() == 1) {
    RandomSubtree(One(node).child);
  } else {
    RandomSubtree(Two(node).left);
    RandomSubtree(Two(node).right);
  }
}

void Variant::TweakConstant(ElConst& c) {
  const std::uint32_t r = randWord();
  if (r <= kThird) {
    const double factor = randWord() <= kHalf ? randUniform(0.2, 5.0) : randUniform(-5.0, -0.2);
    c.value = factor * c.value;
  } else if (r <= kTwoThirds) {
    c.value = c.value + randUniform(-5.0, 5.0);
  } else {
    c.value = randUniform(-constRange, constRange);
  }
  c.value = RoundConstant(c.value);
}

void Variant::MutateAt(std::unique_ptr<Element>& start, double p) {
  std::unique_ptr<Element>* link = &start;
  for (;;) {
    Element& node = **link;
    if (randUniform(0, 1) > p) {
      // No mutation here: walk on.
      if (node.Arity() == 0) return;
      if (node.Arity() == 1) {
        link = &One(node).child;
      } else {
        MutateAt(Two(node).left, p);
        link = &Two(node).right;
      }
      continue;
    }
    if (randWord() <= kHalf) {
      // Insert an operation above the node, then consider the node again.
      std::unique_ptr<Element> above = OperationTable[randWord() & 0xf].create();
      std::unique_ptr<Element>* next;
      if (above->Arity() == 1) {
        One(*above).child = std::move(*link);
        next = &One(*above).child;
      } else if (randWord() <= kHalf) {
        Two(*above).left = std::move(*link);
        RandomSubtree(Two(*above).right);
        next = &Two(*above).left;
      } else {
        Two(*above).right = std::move(*link);
        RandomSubtree(Two(*above).left);
        next = &Two(*above).right;
      }
      *link = std::move(above);
      link = next;
      continue;
    }
    // Replace the node.
    const std::uint32_t r3 = randWord();
    if (r3 <= kQuarter) {
      if (node.NodeClass() == 0)
        TweakConstant(static_cast<ElConst&>(node));
      else
        *link = std::make_unique<ElConst>(RoundConstant(randUniform(-constRange, constRange)));
      return;
    }
    if (r3 <= kHalfLess) {
      const std::uint32_t n = static_cast<std::uint32_t>(variables->size());
      const std::uint32_t index = randWord() % n;
      if (node.NodeClass() == 1)
        static_cast<ElVar&>(node).index = index;
      else
        *link = std::make_unique<ElVar>(variables, index);
      return;
    }
    if (node.Arity() == 0) {
      RandomOperation(*link);
      return;
    }
    std::unique_ptr<Element> replacement = OperationTable[randWord() & 0xf].create();
    std::unique_ptr<Element>* next;
    if (node.Arity() == 1 && replacement->Arity() == 1) {
      One(*replacement).child = std::move(One(node).child);
      next = &One(*replacement).child;
    } else if (node.Arity() == 1) {
      if (randWord() <= kHalf) {
        Two(*replacement).left = std::move(One(node).child);
        RandomSubtree(Two(*replacement).right);
        next = &Two(*replacement).left;
      } else {
        Two(*replacement).right = std::move(One(node).child);
        RandomSubtree(Two(*replacement).left);
        next = &Two(*replacement).right;
      }
    } else if (replacement->Arity() == 1) {
      One(*replacement).child = std::move(randWord() <= kHalf ? Two(node).left : Two(node).right);
      next = &One(*replacement).child;
    } else {
      const bool keepOrder = randWord() <= kHalf;
      Two(*replacement).left = std::move(keepOrder ? Two(node).left : Two(node).right);
      Two(*replacement).right = std::move(keepOrder ? Two(node).right : Two(node).left);
      next = nullptr;
    }
    *link = std::move(replacement);  // deletes the old node and what it still holds
    if (next) {
      link = next;
    } else {
      MutateAt(Two(**link).left, p);
      link = &Two(**link).right;
    }
  }
}

void Variant::Regenerate() {
  child.reset();
  RandomSubtree(child);
  MarkChanged();
}

bool Variant::Mutate() {
  const double p = 1.0 / ElementCount();
  MutateAt(child, p);
  if (!child) RandomSubtree(child);
  MarkChanged();
  return true;
}
