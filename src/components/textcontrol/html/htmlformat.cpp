#include "htmlformat.h"

#include "components/textcontrol/textcontrol.h"

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

// An @page size: two lengths, or a paper name, either turned by "landscape".
// The body's margins, which a page without @page margins prints with: a "body" style rule's
// margin, or the body element's leftmargin/topmargin (marginwidth/marginheight) attributes,
// given in pixels.
static void bodyMargins(const QString& html, PageInfo& page)
{
    static const QRegularExpression bodyRule(QStringLiteral("(?:^|[^\\w.#-])body\\s*\\{[^}]*?\\bmargin\\s*:\\s*([^;}]*)"));
    if (const QRegularExpressionMatch m = bodyRule.match(html); m.hasMatch()) {
        QList<int> twips;
        for (const QString& v : m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            twips << cssLengthToTwips(v);
        if (!twips.isEmpty() && twips.first() > 0) {
            page.marginT = twips[0];
            page.marginR = twips.value(1, page.marginT);
            page.marginB = twips.value(2, page.marginT);
            page.marginL = twips.value(3, page.marginR);
        }
    }
    static const QRegularExpression bodyTag(QStringLiteral("<body\\b([^>]*)>"), QRegularExpression::CaseInsensitiveOption);
    const QString attributes = bodyTag.match(html).captured(1);
    static const QRegularExpression attribute(QStringLiteral("\\b(leftmargin|topmargin|marginwidth|marginheight)\\s*=\\s*\"?(\\d+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    for (auto it = attribute.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch a = it.next();
        const int twips = a.captured(2).toInt() * 15;
        if (twips <= 0 || twips > 31680)
            continue;
        const QString name = a.captured(1).toLower();
        if (name == QLatin1String("leftmargin") || name == QLatin1String("marginwidth"))
            page.marginL = page.marginR = twips;
        else
            page.marginT = page.marginB = twips;
    }
}

static void pageSize(const QStringList& values, PageInfo& page)
{
    QList<int> lengths;
    bool landscape = false;
    for (const QString& v : values) {
        const QString name = v.toLower();
        if (name == QLatin1String("a4"))
            lengths = {11906, 16838};
        else if (name == QLatin1String("letter"))
            lengths = {12240, 15840};
        else if (name == QLatin1String("legal"))
            lengths = {12240, 20160};
        else if (name == QLatin1String("a5"))
            lengths = {8391, 11906};
        else if (name == QLatin1String("landscape"))
            landscape = true;
        else if (const int twips = cssLengthToTwips(v); twips > 0)
            lengths << twips;
    }
    if (lengths.size() < 2)
        return;
    page.width = lengths[0];
    page.height = lengths[1];
    if (landscape && page.width < page.height)
        std::swap(page.width, page.height);
}

QByteArray write(const QTextDocument* document, const PageInfo& page, const QString& imageFolder)
{
    QString html = document->toHtml();
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
    document->setHtml(html);

    bodyMargins(html, page);
    static const QRegularExpression pageRule(QStringLiteral("@page\\s*\\{([^}]*)\\}"));
    const QRegularExpressionMatch rule = pageRule.match(html);
    if (rule.hasMatch()) {
        static const QRegularExpression declaration(
            QStringLiteral("(size|margin(?:-top|-right|-bottom|-left)?)\\s*:\\s*([^;]*)"));
        for (auto it = declaration.globalMatch(rule.captured(1)); it.hasNext();) {
            const QRegularExpressionMatch d = it.next();
            const QString property = d.captured(1);
            const QStringList values = d.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QList<int> twips;
            for (const QString& v : values)
                twips << cssLengthToTwips(v);
            if (property == QLatin1String("size")) {
                pageSize(values, page);
            } else if (property == QLatin1String("margin") && !twips.isEmpty()) {
                // CSS order: top, right, bottom, left, with the usual shorthands.
                const int t = twips[0];
                const int r = twips.value(1, t);
                const int b = twips.value(2, t);
                const int l = twips.value(3, r);
                page = {page.width, page.height, l, t, r, b};
            } else if (!twips.isEmpty() && twips.first() > 0) {
                // One side, given after the shorthand or alone.
                const QStringView side = QStringView(property).mid(7);
                (side == u"top" ? page.marginT : side == u"right" ? page.marginR : side == u"bottom" ? page.marginB : page.marginL) =
                    twips.first();
            }
        }
    }
    // The images become the document's own, so that it no longer needs their files.
    QStringList names = imageNames(document);
    for (const QString& name : names) {
        const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(name));
        if (image.isValid())
            document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    document->setProperty(TextControl::ImageNamesProperty, names);
    return true;
}

}  // namespace HtmlFormat
