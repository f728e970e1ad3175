#pragma once
// Inserts a header into the active window's document and clicks into it on page 1, as a user
// does to edit it.
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "support/testworkspace.h"

#include <QtTest>

inline void clickIntoNewHeader(TestWorkspace& ws)
{
    ws.active()->action("mnuIHeader")->trigger();
    TextControl* control = ws.active()->textControl();
    PageView* view = control->pageView();
    const QPointF scene = control->headerFooterParts()->pageOrigin(1)
        + QPointF(LayoutUnits::fromTwips(control->pageMarginL()) + 30, LayoutUnits::fromTwips(control->pageMarginT()) - 20);
    view->centerOn(scene);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(scene));
}
