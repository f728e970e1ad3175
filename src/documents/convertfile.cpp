#include "convertfile.h"

#include "components/textcontrol/textcontrol.h"
#include "opendocument.h"
#include "pageheaderfile.h"
#include "savedocument.h"
#include "texts/programtexts.h"

namespace ConvertFile {

bool convert(const QString& in, const QString& out, QString* error)
{
    TextControl control;
    const int inFormat = OpenDocuments::formatForPath(in);
    bool loaded = false;
    if (inFormat == PageHeaderFile::Format) {
        loaded = PageHeaderFile::load(in, &control) == PageHeaderFile::Loaded;
    } else {
        control.setLoadSaveAttribute(37, 1);
        loaded = control.load(in, 0, inFormat);
        if (loaded)
            control.applyLoadSaveAttributes();
    }
    if (!loaded) {
        *error = Texts::CantLoadFile + in;
        return false;
    }
    if (!SaveDocuments::writeDocument(&control, out)) {
        *error = Texts::CantSaveFile + out;
        return false;
    }
    return true;
}

}  // namespace ConvertFile
