#pragma once
// The page of an HTML document as LibreOffice lays it out: the size and margins of its CSS
// @page rules, with LibreOffice's margins for HTML pages where a rule leaves one out, else the
// body's margins.
#include "components/textcontrol/document/pageinfo.h"

#include <QString>

namespace HtmlPage {

// The body's margins, which a page without @page margins prints with: a "body" style rule's
// margin, or the body element's leftmargin/topmargin (marginwidth/marginheight) attributes.
void readBodyMargins(const QString& html, PageInfo& page);
// The page set-up of `html`'s @page rules; `page` is left as it is when there is no rule.
void readPageRules(const QString& html, PageInfo& page);

}  // namespace HtmlPage
