#include "expr/NumberFormat.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace {

// One stream per thread, re-imbued when the global locale has changed since
// the last use: constructing a stream for every constant costs more than the
// formatting itself.
struct NumberStream {
  std::ostringstream stream;
  std::locale locale;
  NumberStream() { stream.precision(15); }
};

}  // namespace

void AppendNumber(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "-ind";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-inf" : "inf";
    return;
  }
  thread_local NumberStream ns;
  const std::locale global;
  if (!(global == ns.locale)) {
    ns.stream.imbue(global);
    ns.locale = global;
  }
  ns.stream.str(std::string());
  ns.stream << value;
  out += ns.stream.str();
}

std::string FormatNumber(double value) {
  std::string out;
  AppendNumber(out, value);
  return out;
}
