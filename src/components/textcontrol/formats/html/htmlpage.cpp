#include "htmlpage.h"

#include "htmlformat.h"

#include <QRegularExpression>

namespace HtmlPage {
namespace {

// LibreOffice's margins of an HTML page where the document gives none: 2 cm at the sides,
// 1 cm at the top and bottom.
constexpr int DefaultSide = 1134;
constexpr int DefaultTopBottom = 567;

struct Margins {
    int top = -1, right = -1, bottom = -1, left = -1;
};

// Applies the margin declarations of a CSS declaration block to `m`: the shorthand with one to
// four values in CSS order, and each side on its own.
void margins(const QString& declarations, Margins& m)
{
    static const QRegularExpression declaration(QStringLiteral("(?:^|[;{\\s])margin(-top|-right|-bottom|-left)?\\s*:\\s*([^;}]*)"),
                                                QRegularExpression::CaseInsensitiveOption);
    for (auto it = declaration.globalMatch(declarations); it.hasNext();) {
        const QRegularExpressionMatch d = it.next();
        QList<int> twips;
        for (const QString& v : d.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            twips << HtmlFormat::cssLengthToTwips(QString(v).remove(QStringLiteral("!important")));
        if (twips.isEmpty())
            continue;
        const QString side = d.captured(1).toLower();
        if (side == QLatin1String("-top"))
            m.top = twips[0];
        else if (side == QLatin1String("-right"))
            m.right = twips[0];
        else if (side == QLatin1String("-bottom"))
            m.bottom = twips[0];
        else if (side == QLatin1String("-left"))
            m.left = twips[0];
        else {
            m.top = twips[0];
            m.right = twips.value(1, m.top);
            m.bottom = twips.value(2, m.top);
            m.left = twips.value(3, m.right);
        }
    }
}

// An @page size: two lengths, or a paper name, either turned by "landscape".
void pageSize(const QStringList& values, PageInfo& page)
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
        else if (const int twips = HtmlFormat::cssLengthToTwips(v); twips > 0)
            lengths << twips;
    }
    if (lengths.size() < 2)
        return;
    page.width = lengths[0];
    page.height = lengths[1];
    if (landscape && page.width < page.height)
        std::swap(page.width, page.height);
}

// The style sheets' text: what stands between <style> and </style>.
QString styleSheets(const QString& html)
{
    static const QRegularExpression style(QStringLiteral("<style[^>]*>(.*?)</style>"),
                                          QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString sheets;
    for (auto it = style.globalMatch(html); it.hasNext();)
        sheets += it.next().captured(1) + QLatin1Char('\n');
    return sheets;
}

}  // namespace

// The body's margins, which a page without @page margins prints with: a "body" style rule's
// margin, or the body element's leftmargin/topmargin (marginwidth/marginheight) attributes,
// given in pixels.
void readBodyMargins(const QString& html, PageInfo& page)
{
    static const QRegularExpression bodyRule(QStringLiteral("(?:^|[^\\w.#-])body\\s*\\{[^}]*?\\bmargin\\s*:\\s*([^;}]*)"));
    if (const QRegularExpressionMatch m = bodyRule.match(html); m.hasMatch()) {
        QList<int> twips;
        for (const QString& v : m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            twips << HtmlFormat::cssLengthToTwips(v);
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

void readPageRules(const QString& html, PageInfo& page)
{
    static const QRegularExpression pageRule(QStringLiteral("@page\\s*(?::\\w+\\s*)?\\{([^}]*)\\}"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression size(QStringLiteral("(?:^|[;\\s])size\\s*:\\s*([^;}]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    bool any = false;
    Margins m;
    for (auto it = pageRule.globalMatch(styleSheets(html)); it.hasNext();) {
        const QString rule = it.next().captured(1);
        any = true;
        if (const QRegularExpressionMatch s = size.match(rule); s.hasMatch())
            pageSize(s.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts), page);
        margins(rule, m);
    }
    if (!any)
        return;
    page.marginT = m.top >= 0 ? m.top : DefaultTopBottom;
    page.marginR = m.right >= 0 ? m.right : DefaultSide;
    page.marginB = m.bottom >= 0 ? m.bottom : DefaultTopBottom;
    page.marginL = m.left >= 0 ? m.left : DefaultSide;
}

}  // namespace HtmlPage
