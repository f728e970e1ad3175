#pragma once
// The spelling checker's own captions and messages.
#include <QString>

namespace SpellerTexts {

inline const QString Title = QStringLiteral("Spelling");
inline const QString NotInDictionary = QStringLiteral("Not in dictionary:");
inline const QString ChangeTo = QStringLiteral("Change to:");
inline const QString Suggestions = QStringLiteral("Suggestions:");
inline const QString Change = QStringLiteral("&Change");
inline const QString ChangeAll = QStringLiteral("Change A&ll");
inline const QString Ignore = QStringLiteral("&Ignore");
inline const QString IgnoreAll = QStringLiteral("I&gnore All");
inline const QString AddToDictionary = QStringLiteral("&Add to Dictionary");
inline const QString Close = QStringLiteral("Close");
inline const QString Complete = QStringLiteral("The spelling check is complete.");

}  // namespace SpellerTexts
