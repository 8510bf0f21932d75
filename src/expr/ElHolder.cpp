#include "expr/ElHolder.h"

#include <cmath>
#include <ostream>
#include <vector>

#include "common/Log.h"

ElHolder::ElHolder(std::unique_ptr<Element> root, const VariableTable* table) : variables(table) {
  child = std::move(root);
}

ElHolder::ElHolder(const ElHolder& other) : ElOpFn1(), ThRTable() {
  if (other.child) child = other.child->Clone();
  CopyFields(other);
}

ElHolder& ElHolder::operator=(const ElHolder& other) {
  if (this != &other) {
    child = other.child ? other.child->Clone() : nullptr;
    CopyFields(other);
  }
  return *this;
}

void ElHolder::CopyFields(const ElHolder& other) {
  constRange = other.constRange;
  variables = other.variables;
  places = other.places;
  randWord = other.randWord;
  randUniform = other.randUniform;
}

std::unique_ptr<Element> ElHolder::Clone() const {
  // Copies the holder part only, also when called on a derived class.
  return std::make_unique<ElHolder>(static_cast<const ElHolder&>(*this));
}

bool ElHolder::Save(std::ostream& out) const {
  if (!child) {
    LogError(Tr("Empty element holders can't be saved"));
    return false;
  }
  return child->Save(out);
}

void ElHolder::AppendText(std::string& out) const {
  if (child) child->AppendText(out);
}

void ElHolder::AppendMarkup(std::string& out) const {
  out += "<math>";
  if (child) child->AppendMarkup(out);
  out += "</math>";
}

bool ElHolder::Load(std::istream& in, int /*fileVersion*/) {
  child.reset();
  child = LoadElement(in, variables);
  return static_cast<bool>(child);
}

void ElHolder::RebindVariables() {
  if (!child) return;
  // An explicit stack: the walk needs no recursion.
  std::vector<Element*> pending{child.get()};
  while (!pending.empty()) {
    Element* node = pending.back();
    pending.pop_back();
    switch (node->Arity()) {
      case 0:
        if (node->NodeClass() == 1) static_cast<ElVar*>(node)->variables = variables;
        break;
      case 1:
        pending.push_back(static_cast<ElOpFn1*>(node)->child.get());
        break;
      default: {
        auto* op = static_cast<ElOpFn2*>(node);
        pending.push_back(op->right.get());
        pending.push_back(op->left.get());
      }
    }
  }
}

bool ElHolder::RangeCheck() const {
  double lower, upper;
  ValueRange(lower, upper);
  return std::isfinite(lower) && std::isfinite(upper);
}
