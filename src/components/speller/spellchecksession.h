#pragma once
// One walk of a spelling check through a document: finds each word the dictionaries do not
// know, from the start, and applies the user's answer to it. Text whose format `skip`
// accepts (the program's merge fields) is not checked.
#include <QHash>
#include <QSet>
#include <QTextCursor>
#include <functional>

class QTextCharFormat;
class QTextDocument;
class SpellEngine;

class SpellCheckSession {
public:
    using SkipFormat = std::function<bool(const QTextCharFormat&)>;
    SpellCheckSession(QTextDocument* document, SpellEngine& engine, SkipFormat skip = {});

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
    bool known(const QString& word) const;
    void replaceCurrent(const QString& replacement);

    QTextDocument* m_document;
    SpellEngine& m_engine;
    SkipFormat m_skip;
    QTextCursor m_word;  // the current word, selected
    int m_position = 0;  // where the search goes on
    QSet<QString> m_ignored;
    QHash<QString, QString> m_changeAll;
};
