#pragma once
// The manual page scrivora(1), written from the same usage text that --help prints, so the
// two never disagree. The build runs `scrivora --man-page` to make it.
#include <QString>

namespace ManPage {

// `usage`: "Usage: NAME SYNOPSIS", description paragraphs, then "Options:" followed by lines
// "  --option ARG   description" and deeper-indented continuation lines.
QString fromUsage(const QString& usage, const QString& version);

}  // namespace ManPage
