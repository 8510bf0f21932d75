#include "app/Images.h"

#include <cstdlib>
#include <cstring>

#include "design/App.xpm"
#include "design/CheckMark.xpm"
#include "design/FileNew.xpm"
#include "design/FileOpen.xpm"
#include "design/FileSave.xpm"
#include "design/Parameters.xpm"
#include "design/ProjectFile.xpm"
#include "design/SynthesisStart.xpm"
#include "design/SynthesisStop.xpm"
#include "design/TabGoal.xpm"
#include "design/TabResults.xpm"
#include "design/TabStatistics.xpm"
#include "design/ViewZoomFull.xpm"
#include "design/ViewZoomIn.xpm"
#include "design/ViewZoomOut.xpm"

namespace {

struct NamedImage {
  const char* name;
  const char* const* xpm;
};

const NamedImage kImages[] = {
    {"design/FileNew.xpm", FileNew_xpm},
    {"design/FileOpen.xpm", FileOpen_xpm},
    {"design/FileSave.xpm", FileSave_xpm},
    {"design/ViewZoomIn.xpm", ViewZoomIn_xpm},
    {"design/ViewZoomOut.xpm", ViewZoomOut_xpm},
    {"design/ViewZoomFull.xpm", ViewZoomFull_xpm},
    {"design/SynthesisStart.xpm", SynthesisStart_xpm},
    {"design/SynthesisStop.xpm", SynthesisStop_xpm},
    {"design/Parameters.xpm", Parameters_xpm},
};

}  // namespace

wxBitmap GetImage(const wxString& name) {
  for (const NamedImage& image : kImages)
    if (name == image.name) return wxBitmap(image.xpm);
  return wxNullBitmap;
}

wxBitmap CheckMarkImage() { return wxBitmap(CheckMark_xpm); }

wxImageList* CreateTabImages() {
  auto* list = new wxImageList(32, 32, true, 3);
  list->Add(wxBitmap(TabGoal_xpm));
  list->Add(wxBitmap(TabResults_xpm));
  list->Add(wxBitmap(TabStatistics_xpm));
  return list;
}

wxIcon AppIcon() { return wxIcon(App_xpm); }

std::string ProjectFileIconXpm() {
  // The header line gives width, height and the number of colours; the array
  // holds the header, one line per colour and one per pixel row.
  const int height = std::atoi(std::strchr(ProjectFile_xpm[0], ' ') + 1);
  const int colours = std::atoi(std::strchr(std::strchr(ProjectFile_xpm[0], ' ') + 1, ' ') + 1);
  const int lines = 1 + colours + height;
  std::string text = "/* XPM */\nstatic const char *formulon_project[] = {\n";
  for (int i = 0; i < lines; ++i) {
    text += "\"";
    text += ProjectFile_xpm[i];
    text += i + 1 < lines ? "\",\n" : "\"\n";
  }
  return text + "};\n";
}
