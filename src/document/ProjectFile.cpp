#include "document/ProjectFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/BinaryIO.h"
#include "common/Log.h"
#include "goal/GoalSection.h"

namespace {

constexpr std::uint8_t kResultsPanelMarker = 0x65;

bool WriteViewSection(std::ostream& out, const ResultsViewFlags& view) {
  bin::Put(out, kResultsPanelMarker);
  bin::PutFlag(out, view.sortByFitness);
  bin::PutFlag(out, view.followBest);
  return static_cast<bool>(out);
}

bool ReadViewSection(std::istream& in, ResultsViewFlags& view) {
  if (!bin::ReadMarker(in, kResultsPanelMarker, "Wrong ResultsPanel marker")) return false;
  view = ResultsViewFlags();
  std::uint8_t sort = 0, follow = 0;
  if (!bin::Get(in, sort) || !bin::Get(in, follow)) return false;
  view.sortByFitness = sort != 0;
  view.followBest = follow != 0;
  return true;
}

// Takes the three document locks in their order, or none.
class DocumentLocks {
 public:
  explicit DocumentLocks(Document& doc) : store_(doc.results.lock), pending_(doc.pendings.lock), stats_(doc.stats.lock) {}
  bool Ok() const { return store_.Ok() && pending_.Ok() && stats_.Ok(); }

 private:
  // Members are constructed in this order and destroyed in reverse.
  Locker store_;
  Locker pending_;
  Locker stats_;
};

}  // namespace

bool WriteDocument(std::ostream& out, Document& doc, const WriteHooks& hooks) {
  if (!bin::Put(out, kProjectVersion)) return false;
  DocumentLocks locks(doc);
  if (!locks.Ok()) {
    LogSysError(Tr("Can't lock Mutex"));
    return false;
  }
  if (hooks.updateTime) hooks.updateTime();
  // Every unfinished variant once: the workers' current ones first, then
  // those not handed out in this run.
  PendingList toWrite;
  if (hooks.appendWorkerPendings) hooks.appendWorkerPendings(toWrite);
  doc.pendings.DiscardTaken();
  while (const PendingVariant* p = doc.pendings.ScanNext()) toWrite.Append(std::make_unique<PendingVariant>(*p));
  toWrite.Rewind();
  const bool ok = doc.params.WriteSection(out) && doc.results.WriteSection(out) && toWrite.WriteSection(out) &&
                  doc.stats.WriteSection(out) && WriteGoalSection(out, doc.goal) &&
                  WriteViewSection(out, doc.view);
  if (ok) doc.modified = false;
  return ok;
}

bool ReadDocument(std::istream& in, Document& doc) {
  std::int32_t version = 0;
  if (!bin::Get(in, version)) return false;
  const int major = version >> 4, minor = version & 0xf;
  if (major > 1 || (major == 1 && minor > 2)) {
    LogError(Format(Tr("Project can be opened only by higher version program (Formulon version %d.%d or above)").c_str(),
                    major, minor));
    return false;
  }
  doc.version = version;
  {
    Locker store(doc.results.lock);
    Locker pending(doc.pendings.lock);
    Locker stats(doc.stats.lock);
    if (!store.Ok() || !pending.Ok() || !stats.Ok()) {
      LogSysError(Tr("Can't lock Mutex"));
      return false;
    }
    if (!doc.params.ReadSection(in, version) || !doc.results.ReadSection(in, version, &doc.variables) ||
        !doc.pendings.ReadSection(in, version, &doc.variables) || !doc.stats.ReadSection(in, version))
      return false;
  }
  if (!ReadGoalSection(in, version, doc.goal) || !ReadViewSection(in, doc.view)) return false;
  // Nothing may follow the last section.
  in.get();
  if (!in.eof() || in.bad()) return false;
  doc.modified = false;
  doc.changeFlags = kChangeCancel | kChangeGoal | kChangeWeight | kChangePlaces | kChangeRangeCheck |
                    (doc.params.rangeCheck == 1 ? kChangeRangeCheckOn : 0u);
  doc.revalidationNeeded = true;
  Revalidate(doc);
  return true;
}

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool SaveProjectFile(const std::string& path, Document& doc, const WriteHooks& hooks) {
  // The whole file is made in memory first, so the locks are held only while
  // the sections are written and never during disk I/O.
  const bool goalChanged = doc.goal.goalChanged;
  auto failed = [&] {
    // The document is still unsaved.
    doc.modified = true;
    doc.goal.goalChanged = goalChanged;
    return false;
  };
  std::ostringstream image(std::ios::binary);
  if (!WriteDocument(image, doc, hooks)) {
    LogError(Format(Tr("Error writing file %s").c_str(), path.c_str()));
    return false;
  }
  std::string temp = path + ".tmp-XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    LogSysError(Format(Tr("Can't open file %s for writing").c_str(), path.c_str()));
    return failed();
  }
  temp = name.data();
  // The saved file keeps the permissions of the one it replaces, or gets
  // those of a newly created file.
  struct stat old {};
  mode_t mode;
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, image.str()) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    errno = written && closed ? errno : savedErrno;
    LogSysError(Format(Tr("Error writing file %s").c_str(), path.c_str()));
    ::unlink(temp.c_str());
    return failed();
  }
  // Make the rename itself durable.
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool LoadProjectFile(const std::string& path, Document& doc) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    LogSysError(Format(Tr("Can't open file: %s for reading").c_str(), path.c_str()));
    return false;
  }
  if (!ReadDocument(in, doc)) {
    LogError(Format(Tr("Error reading file: %s").c_str(), path.c_str()));
    return false;
  }
  return true;
}
