#pragma once
// One walk of a spelling check through a document: finds each word the dictionaries do not
// know, from the start, and applies the user's answer to it. Which words are looked at
// (fields are not) is SpellingWords' rule, shared with the lines under unknown words.
#include <QHash>
#include <QSet>
#include <QTextCursor>

class QTextDocument;
class SpellEngine;

class SpellCheckSession {
public:
    SpellCheckSession(QTextDocument* document, SpellEngine& engine);

    // Goes to the next unknown word; false when the end is reached.
    bool next();
    QString word() const { return m_word.selectedText(); }
    // The paragraph around the word, for the dialog.
    QString context() const;
    int wordStartInContext() const;
    QStringList suggestions() const;

    void change(const QString& replacement);
    void changeAll(const QString& replacement);
    void ignore();
    void ignoreAll();
    bool add();

private:
    void replaceCurrent(const QString& replacement);

    QTextDocument* m_document;
    SpellEngine& m_engine;
    QTextCursor m_word;  // the current word, selected
    int m_position = 0;  // where the search goes on
    QSet<QString> m_ignored;
    QHash<QString, QString> m_changeAll;
};
