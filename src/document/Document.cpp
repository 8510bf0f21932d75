#include "document/Document.h"

#include "common/Log.h"

void Document::Reset() {
  variables[0] = Variable{"x", 0.0, 0.0, 0.0};
  params.Reset();
  results.Clear();
  pendings.Clear();
  stats.Reset();
  goal.Reset();
  view = ResultsViewFlags();
  changeFlags = 0;
  revalidationNeeded = false;
  modified = false;
}

namespace {

void Bind(Variant& v, Document& doc, const GoalData* goal) {
  v.variables = &doc.variables;
  v.evalVariables = &doc.variables;
  v.RebindVariables();
  v.constRange = goal ? goal->constRange : 0.0;
  v.weight = doc.params.weightFactor;
  v.places = doc.params.roundingPlaces;
  v.goal = goal;
  v.fitnessKind = static_cast<std::uint32_t>(doc.params.pointFitness);
}

}  // namespace

void Revalidate(Document& doc, bool warnWithoutGoal) {
  if (!doc.revalidationNeeded) return;
  const GoalData* goal = doc.goal.GetGoal(true);
  if (goal) {
    doc.variables[0].min = goal->xFirst;
    doc.variables[0].max = goal->xLast;
  } else {
    if (warnWithoutGoal && doc.results.Count() > 0) LogWarning(Tr("Goal data is not ready"));
    doc.changeFlags |= kChangeGoal;
  }
  {
    Locker store(doc.results.lock);
    if (!store.Ok()) {
      LogSysError(Tr("Can't lock Mutex"));
      return;
    }
    for (ResultEntry* e = doc.results.Head(); e; e = e->next) {
      Bind(*e->variant, doc, goal);
      e->variant->Reprocess(doc.changeFlags);
    }
    doc.results.RecomputeBest(true);
    doc.results.RecomputeBest(false);
    doc.results.RecomputeAverages();
    Locker pending(doc.pendings.lock);
    if (!pending.Ok()) {
      LogSysError(Tr("Can't lock Mutex"));
      return;
    }
    doc.pendings.ReprocessAll(doc.changeFlags, [&](PendingVariant& p) { Bind(p, doc, goal); });
  }
  doc.revalidationNeeded = false;
  doc.changeFlags = 0;
}

ResultEntry* AddVariant(Document& doc, const ElHolder& formula) {
  auto v = std::make_unique<Variant>();
  v->Setup(doc.goal.GetGoal(true), &doc.variables, doc.params.roundingPlaces,
           static_cast<std::uint32_t>(doc.params.pointFitness), doc.params.weightFactor, &formula, true);
  Locker store(doc.results.lock);
  if (!store.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return nullptr;
  }
  return doc.results.Append(std::move(v));
}
