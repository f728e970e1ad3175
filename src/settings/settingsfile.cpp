#include "settingsfile.h"

#include "components/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// Only the narrow (UTF-8) flavour is used, so no wide-character conversion is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace SettingsFile {
namespace {

// The longest value a read returns: what a 500-character buffer holds.
constexpr qsizetype MaxValueLength = 499;

bool load(const QString& file, CSimpleIniA& ini)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    return ini.LoadData(data.constData(), size_t(data.size())) >= 0;
}

}  // namespace

QString ReadSetting(const QString& file, const QString& section, const QString& key)
{
    return ReadSetting(QStringList{file}, section, key);
}

QString ReadSetting(const QStringList& files, const QString& section, const QString& key)
{
    for (const QString& file : files) {
        CSimpleIniA ini(true);
        if (!load(file, ini))
            continue;
        if (const char* value = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData()))
            return QString::fromUtf8(value).left(MaxValueLength);
    }
    return {};
}

void WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value)
{
    CSimpleIniA ini(true);
    if (QFile::exists(file) && !load(file, ini))
        return;  // an unreadable file is left alone rather than overwritten
    ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                 value.toUtf8().constData());
    std::string text;
    if (ini.Save(text) < 0)
        return;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        if (out.write(text.data(), qint64(text.size())) == qint64(text.size()))
            SaveFile::commit(out);
    }
}

}  // namespace SettingsFile
