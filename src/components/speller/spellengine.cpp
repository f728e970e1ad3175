#include "spellengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <hunspell/hunspell.hxx>

namespace {

const char* const SystemDictionary = "/usr/share/hunspell/en_US";

// The affix file beside a dictionary: same name, extension .AFF or .aff.
QString affixFor(const QString& dictionary)
{
    const QFileInfo info(dictionary);
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    for (const char* ext : {".AFF", ".aff"})
        if (QFileInfo::exists(base + QLatin1String(ext)))
            return base + QLatin1String(ext);
    return {};
}

}  // namespace

QString SpellEngine::systemDictionary()
{
    return QLatin1String(SystemDictionary) + QStringLiteral(".dic");
}

SpellEngine::SpellEngine() = default;
SpellEngine::~SpellEngine() = default;

void SpellEngine::setMainDictionary(const QString& path)
{
    m_main = path;
    load();
}

void SpellEngine::setUserDictionary(const QString& path)
{
    m_user = path;
    m_userWords.clear();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (const QString word = QString::fromUtf8(line).trimmed(); !word.isEmpty())
                m_userWords.insert(word);
    load();
}

void SpellEngine::load()
{
    QString dictionary = m_main;
    QString affix = affixFor(m_main);
    if (!QFileInfo::exists(dictionary) || affix.isEmpty()) {
        dictionary = systemDictionary();
        affix = QLatin1String(SystemDictionary) + QStringLiteral(".aff");
    }
    m_hunspell.reset();
    if (!QFileInfo::exists(dictionary) || !QFileInfo::exists(affix))
        return;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(affix).constData(),
                                            QFile::encodeName(dictionary).constData());
    m_utf8 = QString::fromStdString(m_hunspell->get_dict_encoding()).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0;
    for (const QString& word : std::as_const(m_userWords))
        m_hunspell->add(encode(word).toStdString());
}

QByteArray SpellEngine::encode(const QString& word) const { return m_utf8 ? word.toUtf8() : word.toLatin1(); }

QString SpellEngine::decode(const std::string& word) const
{
    return m_utf8 ? QString::fromStdString(word) : QString::fromLatin1(word.data(), qsizetype(word.size()));
}

bool SpellEngine::check(const QString& word) const
{
    if (m_userWords.contains(word))
        return true;
    return !m_hunspell || m_hunspell->spell(encode(word).toStdString());
}

QStringList SpellEngine::suggest(const QString& word) const
{
    QStringList result;
    if (m_hunspell)
        for (const std::string& s : m_hunspell->suggest(encode(word).toStdString()))
            result << decode(s);
    return result;
}

bool SpellEngine::add(const QString& word)
{
    if (word.isEmpty() || m_userWords.contains(word))
        return true;
    m_userWords.insert(word);
    if (m_hunspell)
        m_hunspell->add(encode(word).toStdString());
    if (m_user.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_user).absolutePath());  // a user's data folder may not exist yet
    QFile file(m_user);  // appended, so that a list kept by hand keeps its order
    if (!file.open(QIODevice::Append))
        return false;
    return file.write(word.toUtf8() + '\n') > 0;
}
