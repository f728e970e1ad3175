#include "spellchecksession.h"

#include "components/textcontrol/document/spellingwords.h"
#include "spellengine.h"

#include <QTextBlock>
#include <QTextDocument>

SpellCheckSession::SpellCheckSession(QTextDocument* document, SpellEngine& engine)
    : m_document(document), m_engine(engine)
{
}

bool SpellCheckSession::next()
{
    for (QTextBlock block = m_document->findBlock(m_position); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const SpellingWords::Word& w : SpellingWords::inBlock(block)) {
            const int start = block.position() + w.start;
            const QString word = text.mid(w.start, w.length);
            if (start < m_position || m_ignored.contains(word) || m_engine.check(word))
                continue;
            m_word = QTextCursor(m_document);
            m_word.setPosition(start);
            m_word.setPosition(start + w.length, QTextCursor::KeepAnchor);
            m_position = start + w.length;
            if (m_changeAll.contains(word)) {
                replaceCurrent(m_changeAll.value(word));
                return next();
            }
            return true;
        }
        m_position = block.position() + block.length();
    }
    m_word = QTextCursor();
    return false;
}

QString SpellCheckSession::context() const
{
    return m_word.isNull() ? QString() : m_word.block().text();
}

int SpellCheckSession::wordStartInContext() const
{
    return m_word.isNull() ? -1 : m_word.selectionStart() - m_word.block().position();
}

QStringList SpellCheckSession::suggestions() const { return m_engine.suggest(word()); }

void SpellCheckSession::replaceCurrent(const QString& replacement)
{
    if (m_word.isNull())
        return;
    m_word.insertText(replacement);  // keeps the format of the word's first character
    m_position = m_word.position();
}

void SpellCheckSession::change(const QString& replacement) { replaceCurrent(replacement); }

void SpellCheckSession::changeAll(const QString& replacement)
{
    m_changeAll.insert(word(), replacement);
    replaceCurrent(replacement);
}

void SpellCheckSession::ignore() {}

void SpellCheckSession::ignoreAll() { m_ignored.insert(word()); }

bool SpellCheckSession::add() { return m_engine.add(word()); }
