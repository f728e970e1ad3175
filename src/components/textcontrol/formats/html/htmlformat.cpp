#include "htmlformat.h"

#include "components/textcontrol/document/objects.h"
#include "cssunits.h"
#include "htmllists.h"
#include "htmlpage.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace HtmlFormat {
namespace {

QString inches(int twips) { return QString::number(twips / 1440.0, 'f', 4) + QLatin1String("in"); }

QStringList imageNames(const QTextDocument* document)
{
    QStringList names;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                if (!names.contains(name))
                    names << name;
            }
    return names;
}

}  // namespace

int cssLengthToTwips(const QString& length)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([0-9]*\\.?[0-9]+)\\s*(in|cm|mm|pt|pc|px)?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(length);
    if (!m.hasMatch())
        return 0;
    const double value = m.captured(1).toDouble();
    const QString unit = m.captured(2);
    double perUnit = 20;  // points when no unit is given
    if (unit == QLatin1String("in"))
        perUnit = 1440;
    else if (unit == QLatin1String("cm"))
        perUnit = 1440 / 2.54;
    else if (unit == QLatin1String("mm"))
        perUnit = 144 / 2.54;
    else if (unit == QLatin1String("pc"))
        perUnit = 240;
    else if (unit == QLatin1String("px"))
        perUnit = 15;
    const double twips = value * perUnit;
    return twips > 0 && twips < 1e7 ? int(twips + 0.5) : 0;
}

QByteArray write(const QTextDocument* document, const PageInfo& page, const QString& imageFolder)
{
    QString html = HtmlLists::toHtml(document);
    const QString rule = QStringLiteral("<style type=\"text/css\">@page { size: %1 %2; margin: %3 %4 %5 %6; }</style>")
                             .arg(inches(page.width), inches(page.height), inches(page.marginT),
                                  inches(page.marginR), inches(page.marginB), inches(page.marginL));
    const qsizetype head = html.indexOf(QLatin1String("<head>"));
    if (head >= 0)
        html.insert(head + 6, rule);
    else
        html.prepend(rule);
    // Images that live in the document are written beside it, named as they are known.
    for (const QString& name : imageNames(document)) {
        const QImage image = document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
        const QString file = QUrl(name).isRelative() ? name : QString();
        if (!image.isNull() && !file.isEmpty() && !imageFolder.isEmpty()
            && !QFileInfo::exists(QDir(imageFolder).filePath(file)))
            image.save(QDir(imageFolder).filePath(file));
    }
    return html.toUtf8();
}

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, const QString& imageFolder)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    const QString html = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    if (!imageFolder.isEmpty())
        document->setBaseUrl(QUrl::fromLocalFile(QDir(imageFolder).absolutePath() + QLatin1Char('/')));
    // Paragraphs without a top margin of their own have none, as LibreOffice and browsers
    // show them, rather than Qt's twelve pixels above each.
    document->setDefaultStyleSheet(QStringLiteral("p { margin-top: 0pt }"));
    document->setHtml(CssUnits::inPoints(html));
    HtmlLists::applyStarts(html, document);

    HtmlPage::readBodyMargins(html, page);
    HtmlPage::readPageRules(html, page);
    // The images become the document's own, so that it no longer needs their files.
    QStringList names = imageNames(document);
    for (const QString& name : names) {
        const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(name));
        if (image.isValid())
            document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    document->setProperty(Objects::ImageNamesProperty, names);
    return true;
}

}  // namespace HtmlFormat
