#include "expr/HtmlTagHandlers.h"

#include <wx/html/m_templ.h>

namespace {

void ResetIndent(wxHtmlCell* cell) {
  if (auto* c = dynamic_cast<wxHtmlContainerCell*>(cell))
    c->SetIndent(0, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
}

}  // namespace

TAG_HANDLER_BEGIN(FORMULA_MARKUP, "MATH,MVAR,MCONST,MOP,MFN,MPAR")
TAG_HANDLER_PROC(tag) {
  // Handled without building a cell and without parsing the inner text: the
  // markup is for a mathematical renderer, not for this page.
  wxUnusedVar(tag);
  return true;
}
TAG_HANDLER_END(FORMULA_MARKUP)

TAG_HANDLER_BEGIN(NOINDENT, "NOINDENT")
TAG_HANDLER_PROC(tag) {
  // The block starts below whatever text came before it.
  m_WParser->CloseContainer();
  wxHtmlContainerCell* previous = m_WParser->GetContainer();
  auto* block = new NoIndentContainer(previous);
  block->SetIndent(0, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
  m_WParser->SetContainer(block);
  // The content goes into a container of its own, so that inner tags that
  // close their container (tables, blockquotes) stay inside the block.
  m_WParser->OpenContainer();
  ParseInner(tag);
  for (wxHtmlCell* child = block->GetFirstChild(); child; child = child->GetNext()) {
    ResetIndent(child);
    if (auto* c = dynamic_cast<wxHtmlContainerCell*>(child))
      for (wxHtmlCell* grand = c->GetFirstChild(); grand; grand = grand->GetNext())
        ResetIndent(grand);
  }
  m_WParser->SetContainer(previous);
  // Text after the block goes into a fresh paragraph below it.
  m_WParser->OpenContainer();
  return true;
}
TAG_HANDLER_END(NOINDENT)

TAGS_MODULE_BEGIN(FormulonTags)
TAGS_MODULE_ADD(FORMULA_MARKUP)
TAGS_MODULE_ADD(NOINDENT)
TAGS_MODULE_END(FormulonTags)

void UseHtmlTagHandlers() {}
