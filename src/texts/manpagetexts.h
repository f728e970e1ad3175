#pragma once
// The parts of the manual page scrivora(1) that --help does not say; the options come from
// the usage text itself.
#include <QString>

namespace ManPageTexts {

inline const QString Summary =
    QStringLiteral("word processor for the letters and forms of a medical practice");
inline const QString Manual = QStringLiteral("User Commands");
// Each entry: a path, then what it holds.
inline const QString Files[][2] = {
    {QStringLiteral("/etc/clinora/clinora.ini"),
     QStringLiteral("the practice's settings, shared with the practice system: the database "
                    "connection, and the folder of the practice's documents (key DocumentsFolder "
                    "of section [Word Processor])")},
    {QStringLiteral("$XDG_CONFIG_HOME/clinora/clinora.ini"),
     QStringLiteral("what this user changes (the recently used files, where the windows were) "
                    "when the practice's file is not writable; read over it")},
    {QStringLiteral("~/Documents/Clinora"),
     QStringLiteral("the documents folder when the settings name none")},
    {QStringLiteral("/usr/share/scrivora"),
     QStringLiteral("the help manual and the demonstration template")},
    {QStringLiteral("$XDG_DATA_HOME/scrivora/Custom.dct"),
     QStringLiteral("this user's own words for the spelling check")},
    {QStringLiteral("MAIN_AE.DCT"),
     QStringLiteral("a main dictionary (Hunspell) in the settings folder replaces the system's "
                    "en_US one")},
};
inline const QString FilesNote = QStringLiteral(
    "With --app-path, or run from its build folder, every one of these is in the program folder. "
    "scrivora --paths shows the ones in use.");
inline const QString SeeAlso = QStringLiteral("scrivora-demodata creates a demonstration practice "
                                              "(database, settings and template) in a folder.");

}  // namespace ManPageTexts
