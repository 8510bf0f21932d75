#include "app/FrameBars.h"

#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/CommandIds.h"
#include "app/Images.h"

namespace {

/// Appends a plain item with its help text and, when `image` names one, its image.
void Item(wxMenu* menu, int id, const wxString& label, const wxString& help,
          const char* image = nullptr) {
  auto* item = new wxMenuItem(menu, id, label, help, wxITEM_NORMAL);
  if (image) item->SetBitmap(GetImage(image));
  menu->Append(item);
}

/// An item whose image marks an active mode: it starts with an empty image,
/// so that the toolkit keeps an image place it can change later.
void ModeItem(wxMenu* menu, int id, const wxString& label, const wxString& help) {
  auto* item = new wxMenuItem(menu, id, label, help, wxITEM_NORMAL);
  wxBitmap blank(16, 16);
  blank.SetMask(new wxMask(blank, *wxBLACK));
  item->SetBitmap(blank);
  menu->Append(item);
}

void FileStart(wxMenu* file) {
  Item(file, wxID_NEW, _("&New Project\tCtrl+N"), _("Creates a new project"), "design/FileNew.xpm");
  Item(file, wxID_OPEN, _("&Open Project...\tCtrl+O"), _("Opens an existing project"),
       "design/FileOpen.xpm");
}

wxMenu* HelpMenu() {
  auto* help = new wxMenu;
  Item(help, wxID_ABOUT, _("&About..."), _("Displays the programm information and copyright"));
  return help;
}

}  // namespace

wxMenuBar* CreateDocumentMenuBar(wxMenu** recent) {
  auto* bar = new wxMenuBar;

  auto* file = new wxMenu;
  FileStart(file);
  Item(file, wxID_CLOSE, _("&Close Project"), _("Closes the project"));
  file->AppendSeparator();
  Item(file, wxID_SAVE, _("&Save Project\tCtrl+S"), _("Saves the project"), "design/FileSave.xpm");
  Item(file, wxID_SAVEAS, _("Save Project &As..."), _("Saves the project with a new name"));
  file->AppendSeparator();
  Item(file, ID_IMPORT_POINTS, _("&Import Input Points Data"),
       _("Imports input points data from a file"));
  Item(file, ID_EXPORT_POINTS, _("&Export Input Points Data"),
       _("Exports input points data to a file"));
  file->AppendSeparator();
  *recent = new wxMenu;
  file->Append(ID_RECENT, _("&Recent Projects"), *recent, wxEmptyString);
  file->AppendSeparator();
  Item(file, wxID_EXIT, _("E&xit"), _("Quits the application; prompts to save project"));
  bar->Append(file, _("&File"));

  auto* view = new wxMenu;
  Item(view, ID_ZOOM_IN, _("Zoom &In\tCtrl+KP_ADD"), _("Zooms in the plot"),
       "design/ViewZoomIn.xpm");
  Item(view, ID_ZOOM_OUT, _("Zoom &Out\tCtrl+KP_SUBTRACT"), _("Zooms out the plot"),
       "design/ViewZoomOut.xpm");
  Item(view, ID_ZOOM_ENTIRE, _("Zoom to &Entire\tF3"), _("Zooms to show the entire plot"),
       "design/ViewZoomFull.xpm");
  bar->Append(view, _("&View"));

  auto* synthesis = new wxMenu;
  Item(synthesis, ID_START, _("&Start\tF5"), _("Starts the synthesis"),
       "design/SynthesisStart.xpm");
  Item(synthesis, ID_STOP, _("S&top\tF6"), _("Stops the synthesis or improvement"),
       "design/SynthesisStop.xpm");
  synthesis->AppendSeparator();
  Item(synthesis, ID_PARAMETERS, _("&Parameters...\tF9"),
       _("Shows the synthesis parameters dialog"), "design/Parameters.xpm");
  synthesis->AppendSeparator();
  Item(synthesis, ID_SETTINGS, _("Settings..."), _("Shows Formulon settings"));
  bar->Append(synthesis, _("&Synthesis"));

  auto* results = new wxMenu;
  ModeItem(results, ID_SORT_BY_FITNESS, _("Sort by &Fitness"), _("Sets results sorting by fitness"));
  ModeItem(results, ID_SORT_BY_NUMBER, _("Sort by &Number"), _("Sets results sorting by number"));
  results->AppendSeparator();
  ModeItem(results, ID_FOLLOW_NONE, _("Follow &None"), _("Sets no following"));
  ModeItem(results, ID_FOLLOW_BEST, _("Follow &Best Result"), _("Sets best results following"));
  results->AppendSeparator();
  Item(results, ID_ADD_VARIANT, _("&Add Variant..."), _("Adds variant from the expression"));
  Item(results, ID_REMOVE_SELECTED, _("Remove &Selected"), _("Removes selected results"));
  results->AppendSeparator();
  Item(results, ID_CLEAR_RESULTS, _("&Clear"), _("Clears results"));
  Item(results, ID_REMOVE_BELOW, _("Remove All With Fitness Lower Than..."),
       _("Removes all results with fitnesses lower than specified"));
  bar->Append(results, _("Res&ults"));

  bar->Append(HelpMenu(), _("&Help"));
  return bar;
}

wxMenuBar* CreateNoDocumentMenuBar(wxMenu** recent) {
  auto* bar = new wxMenuBar;
  auto* file = new wxMenu;
  FileStart(file);
  file->AppendSeparator();
  *recent = new wxMenu;
  file->Append(ID_NODOC_RECENT, _("&Recent Projects"), *recent, wxEmptyString);
  file->AppendSeparator();
  Item(file, wxID_EXIT, _("E&xit"), _("Quits the application; prompts to save project"));
  bar->Append(file, _("&File"));
  bar->Append(HelpMenu(), _("&Help"));
  return bar;
}

void FillDocumentToolBar(wxToolBar* bar) {
  bar->SetToolBitmapSize(wxSize(16, 16));
  FillNoDocumentToolBar(bar);
  bar->AddTool(wxID_SAVE, wxEmptyString, GetImage("design/FileSave.xpm"), _("Save project"),
               wxITEM_NORMAL);
  bar->SetToolLongHelp(wxID_SAVE, _("Saves the project"));
  bar->AddSeparator();
  struct Tool {
    int id;
    const char* image;
    wxString shortHelp, longHelp;
  };
  const Tool tools[] = {
      {ID_ZOOM_IN, "design/ViewZoomIn.xpm", _("Zoom in"), _("Zooms in the plot")},
      {ID_ZOOM_OUT, "design/ViewZoomOut.xpm", _("Zoom out"), _("Zooms out the plot")},
      {ID_ZOOM_ENTIRE, "design/ViewZoomFull.xpm", _("Zooms to show the entire plot"),
       _("Zooms to show the entire plot")},
      {0, nullptr, "", ""},
      {ID_START, "design/SynthesisStart.xpm", _("Synthesis start"), _("Starts the synthesis")},
      {ID_STOP, "design/SynthesisStop.xpm", _("Synthesis stop"),
       _("Stops the synthesis or improvement")},
      {0, nullptr, "", ""},
      {ID_PARAMETERS, "design/Parameters.xpm", _("Synthesis Parameters"),
       _("Shows the synthesis parameters")},
  };
  for (const Tool& t : tools) {
    if (!t.image) {
      bar->AddSeparator();
      continue;
    }
    bar->AddTool(t.id, wxEmptyString, GetImage(t.image), t.shortHelp, wxITEM_NORMAL);
    bar->SetToolLongHelp(t.id, t.longHelp);
  }
  bar->Realize();
}

void FillNoDocumentToolBar(wxToolBar* bar) {
  bar->SetToolBitmapSize(wxSize(16, 16));
  bar->AddTool(wxID_NEW, wxEmptyString, GetImage("design/FileNew.xpm"), _("New project"),
               wxITEM_NORMAL);
  bar->SetToolLongHelp(wxID_NEW, _("Creates a new project"));
  bar->AddTool(wxID_OPEN, wxEmptyString, GetImage("design/FileOpen.xpm"), _("Open project"),
               wxITEM_NORMAL);
  bar->SetToolLongHelp(wxID_OPEN, _("Opens an existing project"));
  bar->Realize();
}
