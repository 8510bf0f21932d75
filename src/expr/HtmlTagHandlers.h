#pragma once
// The program's extensions of the toolkit's HTML renderer: the formula markup
// tags (<math>, <mvar>, <mconst>, <mop>, <mfn>, <mpar>), whose content is not
// shown, and <noindent>, a block whose content sits without indentation.

#include <wx/html/htmlcell.h>

/// The container that <noindent> creates.
class NoIndentContainer : public wxHtmlContainerCell {
 public:
  explicit NoIndentContainer(wxHtmlContainerCell* parent) : wxHtmlContainerCell(parent) {}
};

/// Makes sure the handlers are linked into the program: the renderer finds
/// them through a module that registers itself, which a linker would drop from
/// a static library when nothing refers to its file. Call it once before the
/// first HTML window is created.
void UseHtmlTagHandlers();
