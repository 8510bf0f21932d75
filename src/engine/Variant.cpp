#include "engine/Variant.h"

void Variant::SetVariables(VariableTable* table) {
  evalVariables = table;
  variables = table;
  if (child) RebindVariables();
}

void Variant::Setup(const GoalData* goalData, VariableTable* table, int newPlaces, std::uint32_t kind,
                    double newWeight, const ElHolder* source, bool resetCaches) {
  if (source) ElHolder::operator=(*source);
  const bool rebind = variables != table;
  evalVariables = table;
  variables = table;
  if (rebind && child) RebindVariables();
  constRange = goalData ? goalData->constRange : 0.0;
  weight = newWeight;
  places = newPlaces;
  goal = goalData;
  fitnessKind = kind;
  if (resetCaches) MarkChanged();
}

double Variant::GetFitness() {
  if (allDirty) {
    ComputeFitness(true);
    allDirty = false;
  }
  return fitness;
}

double Variant::GetAllScore() {
  if (allDirty) {
    ComputeFitness(true);
    allDirty = false;
  }
  return allScore;
}

double Variant::GetMainFitness() {
  if (mainDirty) {
    ComputeFitness(false);
    mainDirty = false;
  }
  return mainFitness;
}

double Variant::GetMainScore() {
  if (mainDirty) {
    ComputeFitness(false);
    mainDirty = false;
  }
  return mainScore;
}

bool Variant::CheckRange(bool clearOnFail) {
  if (rangeKnown) return rangeOk;
  rangeOk = goal != nullptr && child && RangeCheck();
  if (!rangeOk && clearOnFail) ZeroFitness();
  rangeKnown = true;
  return rangeOk;
}

void Variant::Reprocess(unsigned flags) {
  bool need = (flags & kChangeGoal) != 0;
  if (!child) return;
  if (flags & kChangePlaces) {
    RoundConstants(*child);
    need = true;
  }
  if (flags & kChangeCancel) {
    CancelConstantsAt(child);
    if (places >= 0) {
      MarkChanged();
      need = true;
    }
  }
  if (flags & kChangeRangeCheck) {
    if (flags & kChangeRangeCheckOn) {
      if (need || !rangeKnown) {
        rangeOk = goal != nullptr && RangeCheck();
        if (!rangeOk) {
          ZeroFitness();
          rangeKnown = true;
          return;
        }
      }
    } else if (rangeKnown && !rangeOk) {
      need = true;  // zeroed by the check: judge it again
    }
  }
  if ((flags & kChangeWeight) || need) {
    MarkChanged();
    ComputeFitness(true);  // brings the goal-point values up to date too
    mainDirty = allDirty = false;
  }
}
