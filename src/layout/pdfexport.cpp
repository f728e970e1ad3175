#include "pdfexport.h"

#include "components/savefile.h"
#include "components/textcontrol/textcontrol.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace PdfExport {

bool write(const TextControl* control, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Scrivora"));
        writer.setResolution(96);  // the control's layout resolution: one unit is one pixel
        writer.setPageSize(QPageSize(QSizeF(control->pageWidth() / 20.0, control->pageHeight() / 20.0),
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        const int pages = control->currentPages();
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                writer.newPage();
            control->paintPage(&painter, page);
        }
        painter.end();
    }
    return SaveFile::commit(file);
}

}  // namespace PdfExport
