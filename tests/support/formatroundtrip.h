#pragma once
// A document written by one of the control's writers and read again by the same format's
// reader, for tests that check what each format keeps: one data row per format.
#include "components/textcontrol/document/pageinfo.h"
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/doc/docwriter.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/docxwriter.h"
#include "components/textcontrol/formats/native/nativeformat.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"

#include <QTextDocument>
#include <QtTest>
#include <functional>

namespace FormatRoundTrip {

// Writes the first document and reads what was written into the second; false where the
// reader refuses it.
using Trip = std::function<bool(const QTextDocument&, QTextDocument&)>;

template <typename Write, typename Read>
Trip through(Write write, Read read)
{
    return [=](const QTextDocument& source, QTextDocument& target) {
        PageInfo page;
        return read(write(&source, PageInfo{}), &target, page);
    };
}

// A column "roundTrip" and a row for RTF, .docx, .doc and the control's own format.
inline void addRows()
{
    QTest::addColumn<Trip>("roundTrip");
    QTest::newRow("rtf") << through([](auto d, auto p) { return RtfWriter::write(d, p); },
                                    [](auto b, auto d, auto& p) { return RtfReader::read(b, d, p); });
    QTest::newRow("docx") << through([](auto d, auto p) { return DocxWriter::write(d, p); },
                                     [](auto b, auto d, auto& p) { return DocxReader::read(b, d, p); });
    QTest::newRow("doc") << through([](auto d, auto p) { return DocWriter::write(d, p); },
                                    [](auto b, auto d, auto& p) { return DocReader::read(b, d, p); });
    QTest::newRow("own format") << through([](auto d, auto p) { return NativeFormat::write(d, p); },
                                           [](auto b, auto d, auto& p) { return NativeFormat::read(b, d, p); });
}

}  // namespace FormatRoundTrip

Q_DECLARE_METATYPE(FormatRoundTrip::Trip)
