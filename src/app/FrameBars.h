#pragma once
// The main window's menu bars and tool bars.

class wxMenu;
class wxMenuBar;
class wxToolBar;

/// The full menu bar of the document state; `recent` receives the "&Recent
/// Projects" submenu for the file history.
wxMenuBar* CreateDocumentMenuBar(wxMenu** recent);
/// The reduced menu bar of the no-document state: New, Open, Recent Projects,
/// Exit and About.
wxMenuBar* CreateNoDocumentMenuBar(wxMenu** recent);
/// Adds the document tools and realizes the tool bar.
void FillDocumentToolBar(wxToolBar* bar);
/// Adds New and Open and realizes the tool bar.
void FillNoDocumentToolBar(wxToolBar* bar);
