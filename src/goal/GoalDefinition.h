#pragma once
// The goal settings, the grid points and the GoalData built from them. The
// Goal page holds one and copies its controls into it; the building itself is
// here, so it runs and is tested without a window.

#include <string>
#include <vector>

#include "common/Log.h"
#include "goal/GoalData.h"

/// The goal settings as the user chooses them.
struct GoalSettings {
  bool expressionSource = false;  ///< false: the goal comes from the grid points
  int pointsCount = 2;            ///< "Points Cnt"
  int apcf = 0;                   ///< additional points per goal interval
  int interpolation = 0;          ///< 0, linear, is the only kind
  double minX = -10.0;
  double maxX = 10.0;
  std::string expression;

  bool operator==(const GoalSettings& o) const {
    return expressionSource == o.expressionSource && pointsCount == o.pointsCount && apcf == o.apcf &&
           interpolation == o.interpolation && minX == o.minX && maxX == o.maxX && expression == o.expression;
  }
};

/// Why the goal could not be built.
struct GoalFailure {
  LogLevel level = LogLevel::Warning;  ///< Warning or Error
  std::string message;                 ///< translated
  bool shownWhenSilent = false;
  int errorPosition = -1;  ///< compile errors: byte offset of the character to select
};

class GoalDefinition {
 public:
  /// Most goal points and additional points together that a goal may have, so
  /// that a count typed or read from a file cannot ask for a huge allocation.
  static constexpr long long kMaxPoints = 10000000;

  /// `variables` is the document's table; building sets the range and value of
  /// its first variable.
  explicit GoalDefinition(VariableTable& variables);

  /// Builds the goal if it is not built and returns it, or null when building
  /// fails. Silent use reports only what GoalFailure::shownWhenSilent says.
  const GoalData* GetGoal(bool silent);
  /// Builds the goal (at once when it is already built). Reports a failure
  /// through the log unless `silent` hides it, and records it (LastFailure).
  bool MakeGoal(bool silent);
  /// Empties the record.
  void ClearGoal() { data_.Clear(); }

  /// An input changed: the goal must be built again.
  void InputChanged() {
    goalBuilt = false;
    goalChanged = true;
  }
  /// Settings to their defaults, grid to the single point (0, 0), record and flags cleared.
  void Reset();

  const GoalData& Data() const { return data_; }
  const GoalFailure& LastFailure() const { return failure_; }
  /// The last successful build found the expression's value range unbounded.
  bool RangeWarning() const { return rangeWarning_; }
  /// The last build merged grid points of equal x (the grid must be refilled).
  bool GridMerged() const { return gridMerged_; }
  /// Number of times the record was built (tests the built-once rule).
  int BuildCount() const { return buildCount_; }

  GoalSettings settings;
  std::vector<GoalPoint> gridPoints{{0.0, 0.0}};
  bool goalBuilt = false;
  bool goalChanged = false;

 private:
  bool Fail(LogLevel level, const std::string& message, bool silent, bool shownWhenSilent, int position = -1);
  bool BuildFromExpression(bool silent);
  bool BuildFromPoints(bool silent);
  bool CheckSize(long long goalPoints, bool silent);

  VariableTable& variables_;
  GoalData data_;
  GoalFailure failure_;
  bool rangeWarning_ = false;
  bool gridMerged_ = false;
  int buildCount_ = 0;
};
