#include "formatregistry.h"

#include "components/textcontrol/document/listlevels.h"
#include "doc/docreader.h"
#include "doc/docwriter.h"
#include "docx/docxreader.h"
#include "docx/docxwriter.h"
#include "html/htmlformat.h"
#include "native/nativeformat.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "text/plaintext.h"

#include <QTextCursor>
#include <QTextDocument>

namespace FormatRegistry {

namespace {

using Parts = DocumentParts;

const Format formats[] = {
    {Native,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo& page, Parts* parts, const Context& context) {
         return NativeFormat::read(bytes, target, page, parts, context.imageFolder);
     },
     [](const QTextDocument* source, const PageInfo& page, const Parts* parts, const Context&) {
         return NativeFormat::write(source, page, parts);
     },
     true, false},
    {Text,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo&, Parts*, const Context&) {
         QTextCursor(target).insertText(PlainText::decode(bytes));
         return true;
     },
     [](const QTextDocument* source, const PageInfo&, const Parts*, const Context&) {
         return PlainText::encode(ListLevels::plainText(source));
     },
     false, false},
    {Html,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo& page, Parts*, const Context& context) {
         return HtmlFormat::read(bytes, target, page, context.imageFolder);
     },
     [](const QTextDocument* source, const PageInfo& page, const Parts*, const Context& context) {
         return HtmlFormat::write(source, page, context.imageFolder);
     },
     false, true},
    {Rtf,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo& page, Parts* parts, const Context&) {
         return RtfReader::read(bytes, target, page, parts);
     },
     [](const QTextDocument* source, const PageInfo& page, const Parts* parts, const Context&) {
         return RtfWriter::write(source, page, parts);
     },
     false, true},
    {Word,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo& page, Parts* parts, const Context&) {
         return DocReader::read(bytes, target, page, parts);
     },
     [](const QTextDocument* source, const PageInfo& page, const Parts* parts, const Context&) {
         return DocWriter::write(source, page, parts);
     },
     false, true},
    {Docx,
     [](const QByteArray& bytes, QTextDocument* target, PageInfo& page, Parts* parts, const Context&) {
         return DocxReader::read(bytes, target, page, parts);
     },
     [](const QTextDocument* source, const PageInfo& page, const Parts* parts, const Context&) {
         return DocxWriter::write(source, page, parts);
     },
     false, true},
};

}  // namespace

const Format* find(int number)
{
    for (const Format& format : formats)
        if (format.number == number)
            return &format;
    return nullptr;
}

}  // namespace FormatRegistry
