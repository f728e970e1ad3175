#pragma once
// Hunspell with the program's two dictionaries: the main one (a Hunspell .dic/.aff pair, the
// system's en_US when the program's own is missing) and the user's word list, UTF-8, one
// word a line, created by the first Add.
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

class SpellEngine {
public:
    SpellEngine();
    ~SpellEngine();

    // `mainDictionary` names the .dic file (any extension); its .AFF/.aff lies beside it.
    void setMainDictionary(const QString& path);
    void setUserDictionary(const QString& path);
    // The system's en_US .dic file, used when the main dictionary cannot be had.
    static QString systemDictionary();
    bool isReady() const { return m_hunspell != nullptr; }

    bool check(const QString& word) const;
    QStringList suggest(const QString& word) const;
    // Adds to the user dictionary (kept in its file) and accepts the word from now on.
    bool add(const QString& word);

private:
    void load();
    QByteArray encode(const QString& word) const;
    QString decode(const std::string& word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    QString m_main, m_user;
    QSet<QString> m_userWords;
    bool m_utf8 = true;
};
