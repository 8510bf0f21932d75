#pragma once
// A frame that shows one project at a time.

#include <iosfwd>

#include <wx/filehistory.h>
#include <wx/frame.h>

class wxMenu;
class wxMenuBar;
class wxToolBar;

/// The frame knows about one project file at a time: the file commands and
/// history, the window title and the two user-interface states, document
/// (`documentState` 1: the full menu bar and tool bar, the project's view) and
/// no document (2: the reduced bars, no view). The project's own content is
/// the derived frame's, reached through the pure virtual operations.
class DocumentFrame : public wxFrame {
 public:
  DocumentFrame();
  ~DocumentFrame() override;

  /// Opens the project `name` (a new untitled one when it is empty and the
  /// history is empty, else the most recent history entry). On failure the
  /// frame shows no document when allowed and `fromCommandLine`, otherwise a
  /// new untitled project, and false is returned.
  virtual bool OpenDocument(const wxString& name, bool fromCommandLine);
  /// Puts the project's content back to that of a new project.
  virtual void ResetDocument() = 0;
  /// Reads or writes the project's content; false after reporting a failure.
  virtual bool ReadDocument(std::istream& in) = 0;
  virtual bool WriteDocument(std::ostream& out) = 0;
  /// Hides the project's view when no project is shown.
  virtual void ShowNoDocumentView() {}
  /// Shows the project's view again.
  virtual void ShowDocumentView() {}
  /// True while the project has unsaved changes.
  virtual bool IsModified() const = 0;

  /// Attaches the reduced bars, hides the view, titles the window with the
  /// application name alone. Only when the no-document state is allowed.
  void EnterNoDocumentState();
  /// Attaches the full bars and shows the view again; a project is shown.
  void EnterDocumentState();
  /// A new untitled project, "Untitled%d" with the next number.
  void NewUntitled();

  /// Sets the window title from the state, the project's name and its unsaved
  /// state. Without `force` nothing happens unless the unsaved state changed
  /// since the title last showed it.
  void UpdateTitle(bool force);
  /// The title text for a frame `width` pixels wide (UpdateTitle's text).
  wxString TitleText(int width) const;

  int DocumentState() const { return documentState_; }
  const wxString& DocumentName() const { return documentName_; }
  bool IsUntitled() const { return untitled_; }
  bool ShowFilePath() const { return showFilePath_; }
  void SetShowFilePath(bool on) { showFilePath_ = on; }
  void SetSaveOnExit(bool on) { saveOnExit_ = on; }
  bool SaveOnExit() const { return saveOnExit_; }
  wxFileHistory& FileHistory() { return history_; }
  wxMenuBar* DocumentMenuBar() const { return docMenuBar_; }
  wxMenuBar* NoDocumentMenuBar() const { return noDocMenuBar_; }
  wxToolBar* DocumentToolBar() const { return docToolBar_; }
  wxToolBar* NoDocumentToolBar() const { return noDocToolBar_; }

 protected:
  /// Stores the document settings, loads the file history into both recent
  /// menus and starts with a new untitled project (or with none when
  /// `startWithout` and `allowNoDocument`).
  void SetupDocument(bool allowNoDocument, bool startWithout, const wxString& wildcard,
                     const wxString& extension, wxMenuBar* noDocMenuBar, wxMenu* noDocRecent,
                     wxToolBar* noDocToolBar);
  /// The bars of the document state, built by the derived frame.
  void SetDocumentBars(wxMenuBar* menuBar, wxMenu* recent, wxToolBar* toolBar);
  /// Reads the project file `path`; false after reporting a failure.
  bool ReadFile(const wxString& path);
  /// Saves the file history to the settings store.
  void SaveHistory();
  /// The close handling: saves the history, hides the window, resets the
  /// project and destroys the frame.
  void OnClose(wxCloseEvent& event);

  /// Tells in the status bar that `command` is not in this version yet.
  void NotAvailable(const wxString& command);

 private:
  void OnSize(wxSizeEvent& event);
  void OnNew(wxCommandEvent& event);
  void OnHistoryFile(wxCommandEvent& event);
  void OnFileCommandNotAvailable(wxCommandEvent& event);

  int documentState_ = 0;
  wxString documentName_;
  bool untitled_ = false;
  int untitledCounter_ = 0;
  bool showFilePath_ = true;
  bool allowNoDocument_ = false;
  bool saveOnExit_ = false;
  wxString wildcard_;
  wxString extension_;
  wxFileHistory history_{9, wxID_FILE1};
  wxMenuBar* docMenuBar_ = nullptr;
  wxMenu* docRecent_ = nullptr;
  wxToolBar* docToolBar_ = nullptr;
  wxMenuBar* noDocMenuBar_ = nullptr;
  wxMenu* noDocRecent_ = nullptr;
  wxToolBar* noDocToolBar_ = nullptr;
};
