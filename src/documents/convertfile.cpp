#include "convertfile.h"

#include "components/textcontrol/textcontrol.h"
#include "layout/pdfexport.h"
#include "opendocument.h"
#include "pageheaderfile.h"
#include "savedocument.h"
#include "texts/programtexts.h"

namespace ConvertFile {

bool load(const QString& in, TextControl* control)
{
    const int inFormat = OpenDocuments::formatForPath(in);
    if (inFormat == PageHeaderFile::Format)
        return PageHeaderFile::load(in, control) == PageHeaderFile::Loaded;
    control->setLoadSaveAttribute(37, 1);
    if (!control->load(in, 0, inFormat))
        return false;
    control->applyLoadSaveAttributes();
    return true;
}

bool convert(const QString& in, const QString& out, QString* error)
{
    TextControl control;
    if (!load(in, &control)) {
        *error = Texts::CantLoadFile + in;
        return false;
    }
    const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!(pdf ? PdfExport::write(&control, out) : SaveDocuments::writeDocument(&control, out))) {
        *error = Texts::CantSaveFile + out;
        return false;
    }
    return true;
}

}  // namespace ConvertFile
