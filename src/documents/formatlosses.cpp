#include "formatlosses.h"

#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/textcontrol.h"
#include "texts/filetexts.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace FormatLosses {
namespace {

struct Contents {
    bool tables = false;
    bool pictures = false;
    bool frames = false;
    bool formatting = false;
};

// Formatting that plain text cannot carry: anything a run or paragraph sets beyond the
// document's own font.
bool isFormatted(const QTextCharFormat& format, const QFont& base)
{
    const bool coloured =
        format.foreground().style() != Qt::NoBrush && format.foreground().color() != QColor(Qt::black);
    return format.fontWeight() > QFont::Normal || format.fontItalic() || format.fontUnderline()
        || format.fontStrikeOut() || coloured
        || (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() != base.pointSizeF())
        || (!format.fontFamilies().toStringList().isEmpty()
            && format.fontFamilies().toStringList().first() != base.family());
}

Contents contentsOf(const QTextDocument* document)
{
    Contents found;
    const QFont base = document->defaultFont();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!found.tables && qobject_cast<QTextTable*>(document->frameAt(block.position())))
            found.tables = true;
        if (ParagraphFrames::style(block.blockFormat()) & (ParagraphFrames::Sides | ParagraphFrames::TabLines))
            found.frames = true;
        if (block.blockFormat().alignment() != Qt::AlignLeft && block.blockFormat().alignment() != Qt::AlignLeading
            && block.blockFormat().hasProperty(QTextFormat::BlockAlignment))
            found.formatting = true;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                found.pictures = true;
            else if (isFormatted(format, base))
                found.formatting = true;
        }
    }
    return found;
}

}  // namespace

QStringList lostBy(const TextControl* control, int format)
{
    const bool text = format == TextControl::FormatText;
    if (!text && format != TextControl::FormatHtml)
        return {};
    const QTextDocument* document = control->document();
    const Contents found = contentsOf(document);
    QStringList lost;
    if (text && found.tables)
        lost << Texts::LostTables;
    if (text && found.pictures)
        lost << Texts::LostPictures;
    if (control->headerFooter() != 0)
        lost << Texts::LostHeaderFooter;
    if (found.frames)
        lost << Texts::LostFrames;
    if (!Fields::spans(document).isEmpty())
        lost << Texts::LostFields;
    if (text && found.formatting)
        lost << Texts::LostFormatting;
    return lost;
}

QString formatName(int format)
{
    return format == TextControl::FormatText ? Texts::TextFormatName : Texts::HtmlFormatName;
}

}  // namespace FormatLosses
