#pragma once
// The variables that ElVar nodes read. The program has one table with the
// single variable "x"; each synthesis worker evaluates through a copy of its own.

#include <cstddef>
#include <string>
#include <vector>

/// One variable: its name in formulas, its current value and its range.
struct Variable {
  std::string name;
  double value = 0.0;
  double min = 0.0;
  double max = 0.0;
};

/// Ordered array of variables. A variable's position is what ElVar stores and
/// what the tree encoding writes, so the order is part of the stored format;
/// the encoding has room for at most 64 variables.
class VariableTable {
 public:
  VariableTable() = default;
  /// A table holding exactly one variable named `name`, all numbers 0.
  explicit VariableTable(const std::string& name) { Add(name); }

  /// Appends a variable with all numbers 0 and returns its index.
  std::size_t Add(const std::string& name) {
    items_.push_back(Variable{name, 0.0, 0.0, 0.0});
    return items_.size() - 1;
  }
  /// Index of the first variable called `name`, or -1.
  int Find(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (items_[i].name == name) return static_cast<int>(i);
    return -1;
  }
  std::size_t size() const { return items_.size(); }
  Variable& operator[](std::size_t i) { return items_[i]; }
  const Variable& operator[](std::size_t i) const { return items_[i]; }

 private:
  std::vector<Variable> items_;
};
