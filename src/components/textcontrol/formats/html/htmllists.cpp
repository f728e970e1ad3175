#include "htmllists.h"

#include "components/textcontrol/document/listlevels.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <memory>

namespace HtmlLists {
namespace {

// The numbered lists in the order their first items come, as Qt writes and reads ol elements.
QList<QTextList*> numberedLists(const QTextDocument* document)
{
    QList<QTextList*> lists;
    QSet<QTextList*> seen;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        QTextList* list = b.textList();
        if (!list || seen.contains(list))
            continue;
        seen.insert(list);
        if (!ListLevels::isBullet(ListLevels::styleOf(list->format())))
            lists << list;
    }
    return lists;
}

QTextListFormat::Style htmlStyle(ListLevels::Style style)
{
    switch (style) {
    case ListLevels::Circle: return QTextListFormat::ListCircle;
    case ListLevels::Square: return QTextListFormat::ListSquare;
    case ListLevels::Decimal:
    case ListLevels::DecimalParen: return QTextListFormat::ListDecimal;
    case ListLevels::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case ListLevels::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case ListLevels::LowerRoman: return QTextListFormat::ListLowerRoman;
    case ListLevels::UpperRoman: return QTextListFormat::ListUpperRoman;
    default: return QTextListFormat::ListDisc;
    }
}

}  // namespace

QString toHtml(const QTextDocument* document)
{
    bool any = false;
    for (QTextBlock b = document->begin(); b.isValid() && !any; b = b.next())
        any = b.textList() != nullptr;
    if (!any)
        return document->toHtml();
    std::unique_ptr<QTextDocument> copy(document->clone());
    QList<int> starts;
    for (QTextList* list : numberedLists(copy.get()))
        starts << ListLevels::startOf(list->format());
    QSet<QTextList*> done;
    for (QTextBlock b = copy->begin(); b.isValid(); b = b.next()) {
        QTextList* list = b.textList();
        if (!list || done.contains(list))
            continue;
        done.insert(list);
        QTextListFormat f = list->format();
        const ListLevels::Style style = ListLevels::styleOf(f);
        f.setStyle(htmlStyle(style));
        if (style == ListLevels::DecimalParen)
            f.setNumberSuffix(QStringLiteral(")"));
        list->setFormat(f);
    }
    QString html = copy->toHtml();
    // Qt writes no start: put it into the ol elements, which come in the lists' order.
    static const QRegularExpression ol(QStringLiteral("<ol\\b"));
    qsizetype from = 0;
    for (int start : starts) {
        const QRegularExpressionMatch m = ol.match(html, from);
        if (!m.hasMatch())
            break;
        from = m.capturedEnd();
        if (start != 1) {
            const QString attribute = QStringLiteral(" start=\"%1\"").arg(start);
            html.insert(from, attribute);
            from += attribute.size();
        }
    }
    return html;
}

void applyStarts(const QString& html, QTextDocument* document)
{
    static const QRegularExpression ol(QStringLiteral("<ol\\b([^>]*)>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression start(QStringLiteral("\\bstart\\s*=\\s*[\"']?(-?\\d+)"), QRegularExpression::CaseInsensitiveOption);
    QList<int> starts;
    for (auto it = ol.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch s = start.match(it.next().captured(1));
        starts << (s.hasMatch() ? std::clamp(s.captured(1).toInt(), 0, 32767) : 1);
    }
    const QList<QTextList*> lists = numberedLists(document);
    if (lists.size() != starts.size())
        return;  // Qt made lists of something else: better no starts than the wrong ones
    for (int i = 0; i < lists.size(); ++i) {
        if (starts.at(i) == 1)
            continue;
        QTextListFormat f = lists.at(i)->format();
        f.setProperty(ListLevels::StartProperty, starts.at(i));
        lists.at(i)->setFormat(f);
    }
}

}  // namespace HtmlLists
