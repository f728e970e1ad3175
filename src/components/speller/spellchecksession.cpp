#include "spellchecksession.h"

#include "spellengine.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>

SpellCheckSession::SpellCheckSession(QTextDocument* document, SpellEngine& engine, SkipFormat skip)
    : m_document(document), m_engine(engine), m_skip(std::move(skip))
{
}

bool SpellCheckSession::known(const QString& word) const
{
    for (const QChar c : word)
        if (c.isDigit())
            return true;  // codes, dates and numbers are not words
    return m_ignored.contains(word) || m_engine.check(word);
}

bool SpellCheckSession::next()
{
    for (QTextBlock block = m_document->findBlock(m_position); block.isValid(); block = block.next()) {
        const QString text = block.text();
        QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
        int start = std::max(0, m_position - block.position());
        finder.setPosition(start);
        if (!finder.isAtBoundary() || !(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem))
            finder.toNextBoundary();
        while (finder.position() >= 0 && finder.position() < text.size()) {
            start = int(finder.position());
            const int end = int(finder.toNextBoundary());
            if (end < 0)
                break;
            QString word = text.mid(start, end - start);
            while (word.endsWith(QLatin1Char('\'')) || word.endsWith(QChar(0x2019)))
                word.chop(1);
            if (word.isEmpty() || !word.at(0).isLetter())
                continue;
            QTextCursor cursor(m_document);
            cursor.setPosition(block.position() + start);
            cursor.setPosition(block.position() + start + int(word.size()), QTextCursor::KeepAnchor);
            QTextCursor inside(m_document);
            inside.setPosition(block.position() + start + 1);
            if (m_skip && m_skip(inside.charFormat()))
                continue;
            if (known(word))
                continue;
            m_word = cursor;
            m_position = cursor.selectionEnd();
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
