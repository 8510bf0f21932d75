#pragma once
// A candidate formula: a tree with everything needed to grow, mutate, round
// and judge it, and the cached results of judging it.

#include <cstdint>
#include <memory>

#include "expr/ElHolder.h"
#include "goal/GoalData.h"

/// Bits passed to Variant::Reprocess when the goal or the parameters change.
enum ChangeFlags : unsigned {
  kChangeCancel = 0x01,        ///< constant cancellation was switched on
  kChangeGoal = 0x02,          ///< the goal or the point-fitness kind changed
  kChangeWeight = 0x04,        ///< the weight factor changed
  kChangePlaces = 0x08,        ///< constants are now rounded to fewer places
  kChangeRangeCheck = 0x10,    ///< the rangecheck option changed
  kChangeRangeCheckOn = 0x20,  ///< the rangecheck option is now on
};

/// Point-fitness kinds.
enum FitnessKind : std::uint32_t { kFitnessRelative = 0, kFitnessExponential = 1 };

/// The three differences the Results page shows.
struct VariantDifferences {
  double maxDifference = 0.0;      ///< largest |v - y| over both point sets
  double mainDifferenceSum = 0.0;  ///< sum of |v - y| over the goal points
  double allDifferenceSum = 0.0;   ///< that sum plus the additional points'
};

class Variant : public ElHolder {
 public:
  /// Empty tree, stream 8, weight 0.05, both caches dirty, no goal.
  Variant() = default;
  /// Copies the tree and every field, caches included: a copy of a judged
  /// variant needs no new evaluation.
  Variant(const Variant& other) = default;
  Variant& operator=(const Variant& other) = default;
  ~Variant() override = default;

  /// Points `variables` and `evalVariables` at `table` and rebinds the tree.
  void SetVariables(VariableTable* table);
  /// Binds the variant to a goal and the parameters; with `source`, first takes
  /// its tree and holder fields. constRange comes from the goal (0 without one).
  void Setup(const GoalData* goal, VariableTable* table, int places, std::uint32_t fitnessKind,
             double weight, const ElHolder* source, bool resetCaches);

  // Cached getters: compute when dirty, then return the cached value.
  double GetFitness();
  double GetAllScore();
  double GetMainFitness();
  double GetMainScore();

  /// The rangecheck, cached. A failure with `clearOnFail` makes the variant
  /// judged with fitness 0 without any evaluation.
  bool CheckRange(bool clearOnFail);

  /// Brings a stored variant in line after the goal or the parameters changed
  /// (the caller has already updated the fields and rebound the tree).
  void Reprocess(unsigned flags);

  // Generation and mutation (all draws from randWord / randUniform).
  /// Replaces the tree by a fresh random one.
  void Regenerate();
  /// Mutates about one node; never leaves the tree empty. Returns true.
  bool Mutate();
  /// A random subtree into `link`: a constant (1/4), a variable (1/4) or an operation (1/2).
  void RandomSubtree(std::unique_ptr<Element>& link);
  /// A random operation node with random operands into `link`.
  void RandomOperation(std::unique_ptr<Element>& link);
  /// Walks the subtree in `link` top-down and mutates each node with probability p.
  void MutateAt(std::unique_ptr<Element>& link, double p);

  // Constant handling.
  /// `x` rounded to `places` decimals, halves away from zero; unchanged when
  /// places is negative or the scaled value is out of range.
  double RoundConstant(double x) const;
  /// Replaces every maximal constant sub-expression in `link` by one (rounded) constant.
  void CancelConstantsAt(std::unique_ptr<Element>& link);
  /// CancelConstantsAt on the root; with rounding on, the caches become dirty.
  void CancelConstants();
  /// Rounds every constant of the subtree in place.
  void RoundConstants(Element& node) const;

  // Fitness.
  /// Computes the values over the goal points (all = false) or over all points.
  void ComputeFitness(bool all);
  VariantDifferences Differences() const;

  bool mainDirty = true;
  bool allDirty = true;
  double mainScore = 0.0;
  double allScore = 0.0;
  double mainFitness = 0.0;
  double fitness = 0.0;
  bool nonFinite = false;
  double weight = 0.05;
  bool rangeKnown = false;
  bool rangeOk = false;
  std::uint32_t fitnessKind = kFitnessRelative;
  const GoalData* goal = nullptr;
  /// The table whose first variable the fitness evaluation sets to each x;
  /// always the same table as `variables`.
  VariableTable* evalVariables = nullptr;

 private:
  void MarkChanged() {
    mainDirty = allDirty = true;
    rangeKnown = false;
  }
  void ZeroFitness() {
    mainScore = allScore = mainFitness = fitness = 0.0;
    mainDirty = allDirty = false;
  }
  void TweakConstant(ElConst& c);
  double PointScore(double v, double y, double range) const;
};

/// A variant taken from a stopped worker, to be resumed at the next start.
struct PendingVariant : Variant {
  PendingVariant() = default;
  PendingVariant(const Variant& v, std::uint32_t elapsed, std::uint64_t mutationCount)
      : Variant(v), elapsedMs(elapsed), mutations(mutationCount) {}
  std::uint32_t elapsedMs = 0;  ///< milliseconds already spent improving it
  std::uint64_t mutations = 0;  ///< trials made since its last improvement
};
