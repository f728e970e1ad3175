#pragma once
// Lists: the one convention every reader, writer and editing step shares.
//
// A list is Qt's own QTextList. One list of the user's (a "group") with items on several levels
// is one QTextList per level and run, all carrying the same GroupProperty. Level L (0..8) is the
// list format's indent L + 1; the document's indent width is StepTwips, so an item's text starts
// at its block's left margin plus (L + 1) steps. The style the user chose is kept in
// StyleProperty; Qt draws the round and square bullets itself, every other marker (numbers,
// which Qt 6.4 cannot start anywhere but 1, and the dash) is drawn by ListMarkers.
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTextFormat>

class QTextBlock;
class QTextDocument;
class QTextList;

namespace ListLevels {

constexpr int Count = 9;
constexpr int StepTwips = 360;  // a quarter inch further in per level

enum Style {
    Disc, Circle, Square, Dash,  // bullets
    Decimal, DecimalParen, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman,  // numbers
    StyleCount
};
enum class Kind { Bullet, Number };

enum Property {
    GroupProperty = QTextFormat::UserProperty + 100,  // int: the levels of one list share it
    StyleProperty = QTextFormat::UserProperty + 101,  // int: Style
    StartProperty = QTextFormat::UserProperty + 102,  // int: number of the first item
    // Set by a reader on a paragraph, turned into a real list by attachReadLists.
    ReadGroupProperty = QTextFormat::UserProperty + 103,  // QString: the file's list
    ReadLevelProperty = QTextFormat::UserProperty + 104,  // int
    // QString: a number that joins the numbers of the levels above or words of its own, "%1"
    // to "%9" standing for the numbers of levels 1 to 9 ("%1.%2.", "Article %1"); none for
    // the style's own number.
    TemplateProperty = QTextFormat::UserProperty + 105,
};

inline bool isBullet(Style style) { return style <= Dash; }
inline Kind kindOf(Style style) { return isBullet(style) ? Kind::Bullet : Kind::Number; }
// Bullets •, ◦, ▪ and numbers 1., a., i. repeat down the levels.
Style defaultStyle(Kind kind, int level);
int defaultLeftTwips(int level);
QString bulletText(Style style);
// The text of number n in a style: "3.", "c)", "iv." ...
QString numberText(Style style, int n);
// What follows a style's number: "." or ")".
QString numberSuffix(Style style);
// A level's number template as files keep it: "%2." for "b." on the second level, or the bullet.
QString defaultTemplate(Style style, int level);

// Styles as Word's formats give them (RTF's \levelnfc, the .doc's nfc): number format 23 is
// a bullet whose text is the level text, the others number, ")" after a decimal number making
// it "1)". Bullets of symbol fonts (the private-use letters and "o" and "§") are mapped on the
// look they have there.
Style styleOfWordFormat(int numberFormat, const QString& levelText);
int wordFormatOf(Style style);
Style bulletStyleOf(const QString& text);
// Word's level texts (RTF's \leveltext, the .doc's) hold the level numbers as characters 0 to
// 8, and where they stand (1-based); templates write them "%1" to "%9".
QString templateOfLevelText(const QString& levelText);
QString levelTextOfTemplate(const QString& numberTemplate, QList<int>* positions);

// A list format of this convention.
QTextListFormat format(Style style, int level, int start = 1, int group = 0, const QString& numberTemplate = {});
Style styleOf(const QTextListFormat& format);
int levelOf(const QTextListFormat& format);
int startOf(const QTextListFormat& format);
int groupOf(const QTextListFormat& format);

// What a paragraph is as a list item.
struct Item {
    bool inList = false;
    int group = 0;
    int level = 0;
    Style style = Disc;
    int start = 1;
    int number = 0;      // the item's own number (start + position in its run)
    int leftTwips = 0;   // where the item's text starts
    QString marker;      // "•", "2.", "b)", "1.2."
    QString numberTemplate;  // the level's template
};
Item item(const QTextBlock& block);

// The document's indent width, the list step.
void prepare(QTextDocument* document);
// Lists a reader or Qt's HTML import made: every list gets a group (an item right after another
// item joins its group), a style and start of this convention.
void normalize(QTextDocument* document);

// One level of a list as a file defines it.
struct LevelDefinition {
    Style style = Disc;
    int start = 1;
    int leftTwips = -1;  // -1: the paragraph's own indent, else the default
    QString numberTemplate;  // empty: the style's own
};
using Definitions = QHash<QString, QList<LevelDefinition>>;  // the file's list → its levels
// Paragraphs a reader marked with ReadGroupProperty / ReadLevelProperty become items of real
// lists: a deeper level restarts after an item above it, as word processors number.
void attachReadLists(QTextDocument* document, const Definitions& definitions);

// The lists of a document as a writer needs them: groups numbered from 1 in the order they
// first appear, each with its nine levels.
class Table {
public:
    explicit Table(const QTextDocument* document);
    bool isEmpty() const { return m_groups.isEmpty(); }
    int count() const { return int(m_groups.size()); }
    const QList<LevelDefinition>& levels(int index) const { return m_groups.at(index); }
    // The 0-based group index of a paragraph, -1 when it is no list item.
    int indexOf(const QTextBlock& block) const;

private:
    QList<QList<LevelDefinition>> m_groups;
    QHash<int, int> m_indexOfGroup;
    QList<QSet<int>> m_seen;  // the levels whose first item has been taken
};

// The document's text with every item's bullet or number in front of it, as text-only
// readers show a list: four blanks per level, the marker, a blank.
QString plainText(const QTextDocument* document);

}  // namespace ListLevels
