#include "spellingwords.h"

#include "fields.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>

namespace SpellingWords {
namespace {

bool inField(const QTextBlock& block, int offset)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int start = f.position() - block.position();
        if (offset >= start && offset < start + f.length())
            return f.charFormat().hasProperty(Fields::IdProperty);
    }
    return false;
}

}  // namespace

QList<Word> inBlock(const QTextBlock& block)
{
    QList<Word> words;
    const QString text = block.text();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = finder.toNextBoundary();
        if (end < 0)
            break;
        qsizetype length = end - start;
        while (length > 0 && (text.at(start + length - 1) == QLatin1Char('\'') || text.at(start + length - 1) == QChar(0x2019)))
            --length;
        const QStringView word = QStringView(text).mid(start, length);
        const bool checkable = !word.isEmpty() && word.front().isLetter()
            && std::none_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
        if (checkable && !inField(block, int(start)))
            words.append({int(start), int(length)});
        start = end;
    }
    return words;
}

}  // namespace SpellingWords
