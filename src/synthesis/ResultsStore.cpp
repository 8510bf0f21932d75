#include "synthesis/ResultsStore.h"

#include "common/BinaryIO.h"
#include "common/Log.h"

namespace {
constexpr std::uint8_t kMarker = 0x21;
}

void ResultsStore::Link(ResultEntry* entry) {
  entry->previous = tail_;
  entry->next = nullptr;
  if (tail_)
    tail_->next = entry;
  else
    head_ = entry;
  tail_ = entry;
  ++count_;
}

ResultEntry* ResultsStore::Append(std::unique_ptr<Variant> variant) {
  const double f = variant->GetFitness();
  if (f > currentBest) {
    currentBest = f;
    currentBestIndex = static_cast<std::int32_t>(count_);
  }
  const double n = count_ - previousCount;
  currentAverage = (currentAverage * n + f) / (n + 1);
  auto* entry = new ResultEntry;
  entry->id = nextId++;
  entry->currentPeriod = 1;
  entry->variant = std::move(variant);
  Link(entry);
  if (nextId == 0) {
    LogWarning(Tr("Results Id was overrun\nIt is recomended to Save and Reopen document"));
    std::uint32_t id = 1;
    for (ResultEntry* e = head_; e; e = e->next) e->id = id++;
    nextId = count_ + 1;
  }
  if (!firstCurrent_) firstCurrent_ = entry;
  if (!firstUnshown_) firstUnshown_ = entry;
  return entry;
}

bool ResultsStore::Remove(ResultEntry* entry) {
  const double f = entry->variant->GetFitness();
  bool heldBest;
  if (entry->currentPeriod) {
    const double n = count_ - previousCount;
    currentAverage = n - 1 == 0 ? 0.0 : (currentAverage * n - f) / (n - 1);
    heldBest = f == currentBest;
    if (firstCurrent_ == entry) firstCurrent_ = entry->next;
  } else {
    const double n = previousCount;
    previousAverage = n - 1 == 0 ? 0.0 : (previousAverage * n - f) / (n - 1);
    heldBest = f == previousBest;
    --previousCount;
  }
  if (firstUnshown_ == entry) firstUnshown_ = entry->next;
  if (entry->previous)
    entry->previous->next = entry->next;
  else
    head_ = entry->next;
  if (entry->next)
    entry->next->previous = entry->previous;
  else
    tail_ = entry->previous;
  --count_;
  delete entry;
  return heldBest;
}

void ResultsStore::StartPeriod() {
  if (previousBest < currentBest) {
    previousBest = currentBest;
    previousBestIndex = currentBestIndex;
  }
  previousAverage = count_ > 0 ? (currentAverage * (count_ - previousCount) + previousAverage * previousCount) / count_
                               : 0.0;
  currentBest = 0.0;
  currentBestIndex = -1;
  currentAverage = 0.0;
  for (ResultEntry* e = firstCurrent_; e; e = e->next) e->currentPeriod = 0;
  previousCount = count_;
  firstCurrent_ = nullptr;
}

void ResultsStore::RecomputeBest(bool currentPeriod) {
  ResultEntry* from = currentPeriod ? firstCurrent_ : head_;
  ResultEntry* to = currentPeriod ? nullptr : firstCurrent_;
  std::int32_t position = currentPeriod ? static_cast<std::int32_t>(previousCount) : 0;
  double best = -1.0;
  std::int32_t bestPosition = -1;
  for (ResultEntry* e = from; e != to; e = e->next, ++position) {
    const double f = e->variant->GetFitness();
    if (best < f) {
      best = f;
      bestPosition = position;
    }
  }
  if (best < 0) best = 0.0;
  if (currentPeriod) {
    currentBest = best;
    currentBestIndex = bestPosition;
  } else {
    previousBest = best;
    previousBestIndex = bestPosition;
  }
}

void ResultsStore::RecomputeAverages() {
  double sum = 0.0;
  std::uint32_t n = 0;
  ResultEntry* e = head_;
  for (; e != firstCurrent_; e = e->next, ++n) sum += e->variant->GetFitness();
  previousAverage = n ? sum / n : 0.0;
  sum = 0.0;
  n = 0;
  for (; e; e = e->next, ++n) sum += e->variant->GetFitness();
  currentAverage = n ? sum / n : 0.0;
}

void ResultsStore::Clear() {
  while (head_) {
    ResultEntry* next = head_->next;
    delete head_;
    head_ = next;
  }
  tail_ = firstCurrent_ = firstUnshown_ = nullptr;
  count_ = 0;
  previousAverage = previousBest = currentAverage = currentBest = 0.0;
  previousCount = 0;
  previousBestIndex = currentBestIndex = -1;
  nextId = 1;
}

ResultEntry* ResultsStore::TakeUnshown() {
  ResultEntry* e = firstUnshown_;
  firstUnshown_ = nullptr;
  return e;
}

bool ResultsStore::WriteSection(std::ostream& out) const {
  bin::Put(out, kMarker);
  bin::Put(out, count_);
  for (const ResultEntry* e = head_; e && out; e = e->next) {
    if (!e->variant->Save(out)) return false;
    bin::Put(out, e->currentPeriod);
    bin::Put(out, e->id);
  }
  bin::Put(out, nextId);
  return static_cast<bool>(out);
}

bool ResultsStore::ReadSection(std::istream& in, int fileVersion, VariableTable* variables) {
  if (!bin::ReadMarker(in, kMarker, "Wrong Results marker")) return false;
  std::int32_t count = 0;
  if (!bin::Get(in, count)) return false;
  Clear();
  std::uint32_t lastId = 0;
  // Entries are added one by one as their data arrives: a count that the
  // file does not back ends at the first short read, never in a big allocation.
  for (std::int32_t i = 0; i < count; ++i) {
    auto variant = std::make_unique<Variant>();
    variant->SetVariables(variables);
    if (!variant->Load(in, fileVersion)) return false;
    auto* entry = new ResultEntry;
    entry->variant = std::move(variant);
    if (!bin::Get(in, entry->currentPeriod) || !bin::Get(in, entry->id)) {
      delete entry;
      return false;
    }
    if (entry->id <= lastId) {
      delete entry;
      LogError(Tr("Wrong result Id"));
      return false;
    }
    lastId = entry->id;
    Link(entry);
  }
  if (!bin::Get(in, nextId)) return false;
  if (lastId > nextId) {
    LogError(Tr("Wrong result Id"));
    return false;
  }
  // A next id equal to the last one is accepted, but handing it out again
  // would write a file that cannot be read back; the id after it is used.
  // (For the very last id the overrun renumbering of Append sorts it out.)
  if (count_ > 0 && nextId == lastId && lastId != UINT32_MAX) ++nextId;
  previousCount = 0;
  ResultEntry* e = head_;
  for (; e && e->currentPeriod == 0; e = e->next) ++previousCount;
  firstCurrent_ = e;
  for (; e; e = e->next)
    if (e->currentPeriod == 0) {
      LogError(Tr("Previous period in current period"));
      return false;
    }
  return true;
}
