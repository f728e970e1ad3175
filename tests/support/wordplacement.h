#pragma once
// Where two prints of one document put their words, compared as the layout-compare tool does:
// the words are matched in reading order by the longest common blocks (difflib's matching
// without junk heuristics), and a matched word counts as placed alike when it lies on the same
// page with its box's top-left corner within a tolerance in both directions.
#include <QHash>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>

namespace WordPlacement {

struct Word {
    QString text;
    int page = 0;  // from 0
    double x = 0;
    double y = 0;
};

struct Print {
    int pages = 0;
    QList<Word> words;
};

// The words pdftotext finds in a PDF with their boxes; pages from pdfinfo.
inline Print fromPdf(const QString& pdf)
{
    Print print;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    text.waitForFinished(120000);
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">(.*)</word>"));
    int page = -1;
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (m.hasMatch())
            print.words.append({QTextDocumentFragment::fromHtml(m.captured(3)).toPlainText(), page,
                                m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    print.pages = QRegularExpression(QStringLiteral("(?m)^Pages:\\s+(\\d+)"))
                      .match(QString::fromUtf8(info.readAllStandardOutput()))
                      .captured(1)
                      .toInt();
    return print;
}

// A print kept as text: "pages N", then "page<TAB>x<TAB>y<TAB>word" a line.
inline Print fromText(const QString& text)
{
    Print print;
    const QStringList lines = text.split(QLatin1Char('\n'));
    print.pages = lines.value(0).section(QLatin1Char(' '), 1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines.at(i).split(QLatin1Char('\t'));
        if (f.size() >= 4)
            print.words.append({f.mid(3).join(QLatin1Char('\t')), f.at(0).toInt(), f.at(1).toDouble(), f.at(2).toDouble()});
    }
    return print;
}

// The pairs (index in a, index in b) of the matching blocks of two sequences, found as difflib's
// SequenceMatcher does with autojunk off: the longest block first (earliest in a, then in b, on
// ties), then the same in the stretches before and after it.
inline QList<std::pair<int, int>> matches(const QList<int>& a, const QList<int>& b)
{
    std::unordered_map<int, std::vector<int>> b2j;
    for (int j = 0; j < int(b.size()); ++j)
        b2j[b.at(j)].push_back(j);
    QList<std::pair<int, int>> result;
    std::vector<std::tuple<int, int, int, int>> queue{{0, int(a.size()), 0, int(b.size())}};
    std::unordered_map<int, int> j2len, next;
    while (!queue.empty()) {
        const auto [alo, ahi, blo, bhi] = queue.back();
        queue.pop_back();
        int besti = alo, bestj = blo, bestsize = 0;
        j2len.clear();
        for (int i = alo; i < ahi; ++i) {
            next.clear();
            const auto found = b2j.find(a.at(i));
            if (found != b2j.end()) {
                for (int j : found->second) {
                    if (j < blo)
                        continue;
                    if (j >= bhi)
                        break;
                    const auto before = j2len.find(j - 1);
                    const int k = next[j] = (before == j2len.end() ? 0 : before->second) + 1;
                    if (k > bestsize) {
                        besti = i - k + 1;
                        bestj = j - k + 1;
                        bestsize = k;
                    }
                }
            }
            std::swap(j2len, next);
        }
        if (!bestsize)
            continue;
        for (int k = 0; k < bestsize; ++k)
            result.append({besti + k, bestj + k});
        if (alo < besti && blo < bestj)
            queue.emplace_back(alo, besti, blo, bestj);
        if (besti + bestsize < ahi && bestj + bestsize < bhi)
            queue.emplace_back(besti + bestsize, ahi, bestj + bestsize, bhi);
    }
    return result;
}

struct Shares {
    double within6 = 0;   // of the reference's words, placed alike within 6 pt
    double within18 = 0;  // within 18 pt
    int words = 0;        // the reference's words
};

inline Shares compare(const Print& ours, const Print& reference)
{
    QHash<QString, int> ids;
    auto id = [&](const QString& text) { return int(*ids.insert(text, ids.value(text, int(ids.size())))); };
    QList<int> a, b;
    for (const Word& w : ours.words)
        a << id(w.text);
    for (const Word& w : reference.words)
        b << id(w.text);
    int close6 = 0, close18 = 0;
    for (const auto& [i, j] : matches(a, b)) {
        const Word& o = ours.words.at(i);
        const Word& r = reference.words.at(j);
        if (o.page != r.page)
            continue;
        const double distance = std::max(std::abs(o.x - r.x), std::abs(o.y - r.y));
        close6 += distance <= 6;
        close18 += distance <= 18;
    }
    const int total = std::max(int(reference.words.size()), 1);
    return {double(close6) / total, double(close18) / total, int(reference.words.size())};
}

}  // namespace WordPlacement
