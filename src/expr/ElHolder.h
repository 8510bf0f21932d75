#pragma once
// The owner of a whole expression tree.

#include <iosfwd>
#include <memory>
#include <string>

#include "engine/ThRTable.h"
#include "expr/Element.h"

/// Holds the root of one tree (`child`, null when empty) together with the
/// settings that generation and rounding of that tree use, and the random
/// stream that every random choice on the tree draws from (stream 8 unless a
/// worker gives it its own). Element operations forward to the root and
/// require one, except Save (which refuses an empty holder) and the text forms.
class ElHolder : public ElOpFn1, public ThRTable {
 public:
  ElHolder() = default;
  /// Takes ownership of `root`; the tree's variable nodes should refer to `table`.
  ElHolder(std::unique_ptr<Element> root, const VariableTable* table);
  /// Deep copy of the tree (its variable nodes keep the source's table) and of
  /// every holder field.
  ElHolder(const ElHolder& other);
  ElHolder& operator=(const ElHolder& other);
  ~ElHolder() override = default;

  /// A new plain ElHolder with a deep copy of the tree and all holder fields.
  std::unique_ptr<Element> Clone() const override;
  double Evaluate() const override { return child->Evaluate(); }
  int TypeCode() const override { return kOpHolder; }
  int ElementCount() const override { return child->ElementCount(); }
  std::string Label() const override { return "elh"; }
  void ValueRange(double& lower, double& upper) const override { child->ValueRange(lower, upper); }
  /// Writes the root's encoding, nothing of the holder itself. An empty holder
  /// logs "Empty element holders can't be saved" and writes nothing.
  bool Save(std::ostream& out) const override;
  void AppendText(std::string& out) const override;
  void AppendMarkup(std::string& out) const override;

  /// Replaces the tree by one encoded tree read from `in`; variable nodes refer
  /// to `variables`. `fileVersion` comes from the project reader and does not
  /// change the format. On failure the holder is empty and false is returned.
  bool Load(std::istream& in, int fileVersion);

  /// Points every variable node at `variables`; called whenever `variables`
  /// changes while a tree exists.
  void RebindVariables();

  /// True when both bounds of the root's value range are finite.
  bool RangeCheck() const;

  bool Empty() const { return !child; }

  /// New random constants are drawn from [-constRange, constRange].
  double constRange = 0.0;
  /// The table that the tree's variable nodes read (not owned).
  const VariableTable* variables = nullptr;
  /// Decimal places to which new constants are rounded; negative: no rounding.
  int places = -1;
  /// The random stream of this tree.
  WordFn randWord = WordFunction(kCommonStream);
  UniformFn randUniform = UniformFunction(kCommonStream);

 private:
  void CopyFields(const ElHolder& other);
};
