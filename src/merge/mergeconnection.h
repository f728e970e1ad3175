#pragma once
// The connection string of the practice database, assembled from section "SQLServer" of the
// settings file, and the scrambled form in which that section keeps the password.
#include <QString>
#include <optional>

namespace MergeConnection {

// The one-byte key of the scrambled password; the practice system's writer uses the same.
constexpr int ScrambleKey = 1;

// The password from its stored form; nullopt when a character falls outside 0 to 255.
std::optional<QString> UnscrambleSetting(int key, const QString& stored);
// The stored form of a password (the inverse); nullopt when the settings file could not keep
// it (a control character, a leading or trailing blank, a code above 255).
std::optional<QString> ScrambleSetting(int key, const QString& password);

// The string the settings file at `settingsFile` gives (a stored password that is not valid
// is left out, as if it were empty).
QString assemble(const QString& settingsFile);
// Rebuilds MergeState::ConnectionString from the program's settings file and returns it.
QString buildConnectionString();

}  // namespace MergeConnection
