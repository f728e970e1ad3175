#pragma once
// The page of an HTML document as LibreOffice lays it out: the size and margins of its CSS
// @page rules, with LibreOffice's margins for HTML pages where a rule leaves one out. (The
// body's own margins Qt applies to its paragraphs, once their lengths are in pixels.)
#include "components/textcontrol/pageinfo.h"

#include <QString>

namespace HtmlPage {

// The page set-up of `html`'s @page rules; `page` is left as it is when there is no rule.
void readPageRules(const QString& html, PageInfo& page);

}  // namespace HtmlPage
