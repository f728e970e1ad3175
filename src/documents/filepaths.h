#pragma once
#include <QString>

namespace FilePaths {

// The part of a path after its last separator (slash, backslash or colon); the whole path
// when it has none; empty when the separator is the last character.
QString FileTitleOf(const QString& path);

// Whether two paths name the same file: canonical paths compared, ignoring case only where
// the file system does.
bool samePath(const QString& a, const QString& b);

// Whether the file system that holds `path` ignores the case of names.
bool ignoresCase(const QString& path);
// Tests stand in a case-insensitive file system: 1 ignores case, 0 respects it, -1 asks.
void setIgnoresCaseOverride(int override);

// The caption of a window whose document is the file at `path`: the path, upper-cased
// where the file system ignores case.
QString captionFor(const QString& path);

}  // namespace FilePaths
