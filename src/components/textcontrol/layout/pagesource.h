#pragma once
// The page a layout is made for: its size, margins and header and footer distances, and how
// many pages the text fills. The text control implements it.
#include "components/textcontrol/document/pageinfo.h"

class PageSource {
public:
    virtual ~PageSource() = default;
    virtual PageInfo pageInfo() const = 0;
    virtual int currentPages() const = 0;  // once all is laid out
    virtual int laidOutPages() const = 0;  // so far
};
