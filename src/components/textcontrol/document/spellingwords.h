#pragma once
// The words of a paragraph that spelling looks at, for the spelling check and for the lines
// under unknown words alike: they begin with a letter, hold no digit, lose trailing
// apostrophes, and are not inside a field (the program's text, not the writer's).
#include <QList>

class QTextBlock;

namespace SpellingWords {

struct Word {
    int start = 0;  // offset in the block's text
    int length = 0;
};

QList<Word> inBlock(const QTextBlock& block);

}  // namespace SpellingWords
