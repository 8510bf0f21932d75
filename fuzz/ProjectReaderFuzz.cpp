// libFuzzer target: the project-file reader must refuse or read any bytes
// without a crash, a hang or a huge allocation, and what it reads must write
// back to a file that reads again.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "common/Log.h"
#include "document/ProjectFile.h"

namespace {

class Quiet final : public Reporter {
 public:
  void Log(LogLevel, const std::string&, int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Quiet quiet;
  static const bool installed = (SetReporter(&quiet), true);
  (void)installed;
  Document doc;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  if (!ReadDocument(in, doc)) return 0;
  std::ostringstream out;
  if (!WriteDocument(out, doc)) std::abort();
  Document again;
  std::istringstream back(out.str());
  if (!ReadDocument(back, again)) std::abort();
  return 0;
}
