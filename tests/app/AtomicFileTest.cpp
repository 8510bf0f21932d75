#include "common/AtomicFile.h"

#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

std::string TempDir() {
  char pattern[] = "/tmp/atomic-XXXXXX";
  return mkdtemp(pattern);
}

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int Entries(const std::string& dir) {
  int n = 0;
  DIR* d = opendir(dir.c_str());
  while (dirent* e = readdir(d))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
  closedir(d);
  return n;
}

}  // namespace

TEST(AtomicFile, ReplacesContentAndKeepsMode) {
  const std::string dir = TempDir();
  const std::string path = dir + "/settings.conf";
  ASSERT_TRUE(WriteFileAtomically(path, "one\n"));
  EXPECT_EQ(Read(path), "one\n");
  chmod(path.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(path, "two\n"));
  EXPECT_EQ(Read(path), "two\n");
  struct stat st;
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(Entries(dir), 1);  // no temporary file left behind
}

TEST(AtomicFile, FailureLeavesTheOldFile) {
  const std::string dir = TempDir();
  const std::string path = dir + "/settings.conf";
  ASSERT_TRUE(WriteFileAtomically(path, "old\n"));
  if (geteuid() != 0) {
    chmod(dir.c_str(), 0500);  // no new files in the folder
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "new\n", &error));
    EXPECT_FALSE(error.empty());
    chmod(dir.c_str(), 0700);
  }
  // A target that is a folder cannot be replaced by a file.
  ASSERT_TRUE(MakeDirs(dir + "/sub/deeper"));
  EXPECT_FALSE(WriteFileAtomically(dir + "/sub", "x"));
  EXPECT_EQ(Read(path), "old\n");
  EXPECT_EQ(Entries(dir), 2);
}
