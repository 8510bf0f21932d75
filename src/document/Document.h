#pragma once
// Everything of one open project that the project file holds, and the state
// that keeps stored results in step with the goal and the parameters. The main
// window owns one; the command-line tool too.

#include <cstdint>

#include "goal/GoalDefinition.h"
#include "synthesis/PendingList.h"
#include "synthesis/ResultsStore.h"
#include "synthesis/StatData.h"
#include "synthesis/SynthesisParams.h"

/// The Results page's two view settings, stored with the project.
struct ResultsViewFlags {
  bool sortByFitness = true;
  bool followBest = false;
};

struct Document {
  Document() : goal(variables) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  /// Back to a new, empty project (the goal, parameters, results, pending
  /// variants, statistics and view flags at their defaults).
  void Reset();

  VariableTable variables{"x"};
  SynthesisParams params;
  ResultsStore results;
  PendingList pendings;
  StatData stats;
  GoalDefinition goal;
  ResultsViewFlags view;
  /// The version word of the file last read (the one written for a new document).
  std::int32_t version = 0x11;

  /// What changed since results and pending variants were last validated (ChangeFlags).
  unsigned changeFlags = 0;
  bool revalidationNeeded = false;
  /// Changed in a way the parts above do not track themselves.
  bool modified = false;
};

/// Rebinds every stored result and pending variant to the document's
/// variables, the goal (built silently; without one "Goal data is not ready"
/// is warned when `warnWithoutGoal`) and the parameters, runs Reprocess with
/// the change flags, recomputes the bests and averages, and clears the flags.
/// Runs only while revalidation is needed. Takes the store and pending locks.
void Revalidate(Document& doc, bool warnWithoutGoal = true);

/// Adds a typed formula as a result, as the Add Variant command does: bound to
/// the goal (built silently; it may be missing) and the parameters.
ResultEntry* AddVariant(Document& doc, const ElHolder& formula);
