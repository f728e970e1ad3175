#pragma once
// Why a file could not be loaded or saved, in the user's words: the file system is asked
// what stands in the way, and the file's first bytes say what kind of document it is.
#include "components/textcontrol/textcontrol.h"

#include <QString>

namespace FileProblems {

// The reason `path` was not read as `format` (a number of the open table), found in the file.
QString whyNotLoaded(const QString& path, int format);
// The reason `path` was not written.
QString whyNotSaved(const QString& path,
                    TextControl::FileFailure failure = TextControl::FileFailure::None);
// The kind of document the file's first bytes show, in words.
QString looksLike(const QString& path);
// The kind of document a format number of the open table stands for, in words.
QString kindOf(int format);

}  // namespace FileProblems
