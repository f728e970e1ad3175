#include "convertfile.h"

#include "components/textcontrol/textcontrol.h"
#include "fileproblems.h"
#include "layout/pdfexport.h"
#include "opendocument.h"
#include "pageheaderfile.h"
#include "savedocument.h"
#include "texts/filetexts.h"
#include "texts/programtexts.h"

namespace ConvertFile {
namespace {

bool isPdf(const QString& path) { return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive); }

}  // namespace

bool writesFormatOf(const QString& path)
{
    return isPdf(path) || path.endsWith(QLatin1String(".txm"), Qt::CaseInsensitive)
        || SaveDocuments::formatForPath(path) != PageHeaderFile::Format;
}

bool load(const QString& in, TextControl* control, QString* error)
{
    const int inFormat = OpenDocuments::formatForPath(in);
    bool loaded = false;
    if (inFormat == PageHeaderFile::Format) {
        loaded = PageHeaderFile::load(in, control) == PageHeaderFile::Loaded;
    } else {
        control->setLoadSaveAttribute(37, 1);
        loaded = control->load(in, 0, inFormat);
        if (loaded)
            control->applyLoadSaveAttributes();
    }
    if (!loaded && error)
        *error = Texts::failureLine(Texts::CantLoadFile, in,
                                    FileProblems::whyNotLoaded(in, inFormat));
    return loaded;
}

bool write(TextControl* control, const QString& out, QString* error)
{
    if (isPdf(out) ? PdfExport::write(control, out) : SaveDocuments::writeDocument(control, out))
        return true;
    *error = Texts::failureLine(Texts::CantSaveFile, out,
                                FileProblems::whyNotSaved(out, control->lastFileFailure()));
    return false;
}

bool convert(const QString& in, const QString& out, QString* error)
{
    TextControl control;
    return load(in, &control, error) && write(&control, out, error);
}

}  // namespace ConvertFile
