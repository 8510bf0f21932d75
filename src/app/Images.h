#pragma once
// The program's embedded images (drawn in design/).

#include <string>

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/imaglist.h>

/// The 16 × 16 tool or menu image named `name` ("design/FileNew.xpm" and the
/// other names of the menus and tool bars); an unknown name gives an invalid
/// bitmap, which the menus and tool bars show as no image.
wxBitmap GetImage(const wxString& name);

/// The 16 × 16 check mark that marks the active sort and follow modes.
wxBitmap CheckMarkImage();

/// The three 32 × 32 tab images (Goal, Results, Statistics) with masks; the
/// caller owns the list.
wxImageList* CreateTabImages();

/// The application icon ("app").
wxIcon AppIcon();

/// The project-file icon as the text of an XPM file, for the desktop's icon theme.
std::string ProjectFileIconXpm();
