#pragma once
// The signing dialog's own button captions.
#include <QString>

namespace SignatureTexts {

inline const QString Clear = QStringLiteral("C&lear");
inline const QString Ok = QStringLiteral("OK");
inline const QString Cancel = QStringLiteral("Cancel");

}  // namespace SignatureTexts
