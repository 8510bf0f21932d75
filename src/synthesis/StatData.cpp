#include "synthesis/StatData.h"

#include "common/BinaryIO.h"
#include "common/Log.h"

namespace {
constexpr std::uint8_t kMarker = 0x43;
}

PeriodStats& PeriodStats::operator+=(const PeriodStats& o) {
  processed += o.processed;
  seconds += o.seconds;
  improvements += o.improvements;
  rangecheckErrors += o.rangecheckErrors;
  reserved1 += o.reserved1;
  reserved2 += o.reserved2;
  reserved3 += o.reserved3;
  return *this;
}

bool PeriodStats::operator==(const PeriodStats& o) const {
  return processed == o.processed && seconds == o.seconds && improvements == o.improvements &&
         rangecheckErrors == o.rangecheckErrors && reserved1 == o.reserved1 && reserved2 == o.reserved2 &&
         reserved3 == o.reserved3;
}

bool PeriodStats::Write(std::ostream& out) const {
  bin::Put(out, processed);
  bin::Put(out, seconds);
  bin::Put(out, improvements);
  bin::Put(out, rangecheckErrors);
  bin::Put(out, reserved1);
  bin::Put(out, reserved2);
  bin::Put(out, reserved3);
  return static_cast<bool>(out);
}

bool PeriodStats::Read(std::istream& in) {
  return bin::Get(in, processed) && bin::Get(in, seconds) && bin::Get(in, improvements) &&
         bin::Get(in, rangecheckErrors) && bin::Get(in, reserved1) && bin::Get(in, reserved2) &&
         bin::Get(in, reserved3);
}

void StatData::StartPeriod(int workers) {
  totalStats += currentStats;
  currentStats = PeriodStats();
  threadStats.clear();
  for (int i = 0; i < workers; ++i) threadStats.push_back(std::make_unique<ThreadStats>());
}

void StatData::AccumulateThread(int i) {
  Locker all(lock);
  if (!all.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return;
  }
  ThreadStats& t = Thread(i);
  Locker one(t.lock);
  if (!one.Ok()) LogSysError(Tr("Can't lock Mutex"));
  // The record's counts are read under its lock when it could be taken; the
  // worker that owns the record is the caller, so they cannot change meanwhile.
  currentStats.processed += t.processed;
  currentStats.improvements += t.improvements;
  currentStats.rangecheckErrors += t.rangecheckErrors;
  if (one.Ok()) t.Clear();
}

void StatData::ClearThread(int i) {
  ThreadStats& t = Thread(i);
  Locker one(t.lock);
  if (!one.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return;
  }
  t.Clear();
}

void StatData::Reset() {
  totalStats = PeriodStats();
  currentStats = PeriodStats();
  threadStats.clear();
}

bool StatData::LiveCurrent(PeriodStats& out) {
  out = currentStats;
  for (auto& t : threadStats) {
    Locker one(t->lock);
    if (!one.Ok()) {
      LogSysError(Tr("Can't lock Mutex"));
      return false;
    }
    out.processed += t->processed;
    out.improvements += t->improvements;
    out.rangecheckErrors += t->rangecheckErrors;
  }
  return true;
}

bool StatData::WriteSection(std::ostream& out) {
  PeriodStats current;
  if (!LiveCurrent(current)) return false;
  bin::Put(out, kMarker);
  totalStats.Write(out);
  current.Write(out);
  return static_cast<bool>(out);
}

bool StatData::ReadSection(std::istream& in, int /*fileVersion*/) {
  if (!bin::ReadMarker(in, kMarker, Tr("Wrong StatData marker"))) return false;
  threadStats.clear();
  return totalStats.Read(in) && currentStats.Read(in);
}
