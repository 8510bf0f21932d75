#include "common/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string DirOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool Fail(std::string* error, int err) {
  if (error) *error = std::strerror(err);
  return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Fail(error, errno);

  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(name.data());
    return Fail(error, err);
  };
  if (::fchmod(fd, mode) != 0) return abandon(errno);
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return abandon(errno);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(name.data());
    return Fail(error, err);
  }
  if (::rename(name.data(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(name.data());
    return Fail(error, err);
  }
  const int dirFd = ::open(DirOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

bool MakeDirs(const std::string& dir) {
  if (dir.empty()) return false;
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = DirOf(dir);
  if (parent != dir && !MakeDirs(parent)) return false;
  if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) return false;
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
