#include "synthesis/PendingList.h"

#include <iterator>

#include "common/BinaryIO.h"
#include "common/Log.h"

namespace {
constexpr std::uint8_t kMarker = 0x32;
}

PendingVariant* PendingList::TakeNext() {
  if (readPosition_ == entries_.end()) return nullptr;
  PendingVariant* p = readPosition_->get();
  ++readPosition_;
  return p;
}

void PendingList::InsertAtReadPosition(std::unique_ptr<PendingVariant> pending) {
  readPosition_ = entries_.insert(readPosition_, std::move(pending));
}

void PendingList::Append(std::unique_ptr<PendingVariant> pending) {
  const bool atEnd = readPosition_ == entries_.end();
  auto it = entries_.insert(entries_.end(), std::move(pending));
  if (atEnd) readPosition_ = it;
}

void PendingList::DiscardTaken() {
  entries_.erase(entries_.begin(), readPosition_);
  scanPosition_ = readPosition_;
}

PendingVariant* PendingList::ScanNext() {
  if (scanPosition_ == entries_.end()) return nullptr;
  PendingVariant* p = scanPosition_->get();
  ++scanPosition_;
  return p;
}

void PendingList::Remove(const PendingVariant* variant) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->get() != variant) continue;
    if (readPosition_ == it) ++readPosition_;
    if (scanPosition_ == it) ++scanPosition_;
    entries_.erase(it);
    return;
  }
}

void PendingList::Clear() {
  entries_.clear();
  readPosition_ = scanPosition_ = entries_.end();
}

std::size_t PendingList::Remaining() const {
  return static_cast<std::size_t>(std::distance(Entries::const_iterator(readPosition_), entries_.cend()));
}

bool PendingList::WriteSection(std::ostream& out) const {
  bin::Put(out, kMarker);
  bin::Put(out, static_cast<std::int32_t>(Remaining()));
  for (auto it = Entries::const_iterator(readPosition_); it != entries_.cend() && out; ++it) {
    if (!(*it)->Save(out)) return false;
    bin::Put(out, (*it)->elapsedMs);
    bin::Put(out, (*it)->mutations);
  }
  return static_cast<bool>(out);
}

bool PendingList::ReadSection(std::istream& in, int fileVersion, VariableTable* variables) {
  if (!bin::ReadMarker(in, kMarker, Tr("Wrong Pendings marker"))) return false;
  Clear();
  std::int32_t count = 0;
  if (!bin::Get(in, count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    auto pending = std::make_unique<PendingVariant>();
    pending->SetVariables(variables);
    if (!pending->Load(in, fileVersion) || !bin::Get(in, pending->elapsedMs) || !bin::Get(in, pending->mutations)) {
      LogError(Tr("Error opening pending variant"));
      return false;
    }
    entries_.push_back(std::move(pending));
  }
  readPosition_ = scanPosition_ = entries_.begin();
  return true;
}
