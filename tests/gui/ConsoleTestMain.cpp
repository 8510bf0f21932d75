// Tests of the window program's parts that need the toolkit's base library but
// no display (message catalogs, languages).

#include <cstdio>

#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/string.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                        const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "toolkit assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
  });
  wxInitializer toolkit(argc, argv);
  if (!toolkit.IsOk()) {
    std::fprintf(stderr, "gui_console_tests: the toolkit did not initialise\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
