#pragma once
// Every text the text control shows to the user.
#include <QCoreApplication>
#include <QString>

namespace ControlTexts {

inline QString tr(const char* text) { return QCoreApplication::translate("TextControl", text); }

inline QString findTitle() { return tr("Find"); }
inline QString replaceTitle() { return tr("Replace"); }
inline QString findWhat() { return tr("Fi&nd what:"); }
inline QString replaceWith() { return tr("Re&place with:"); }
inline QString matchCase() { return tr("Match &case"); }
inline QString wholeWord() { return tr("Find &whole words only"); }
inline QString findNext() { return tr("&Find Next"); }
inline QString replace() { return tr("&Replace"); }
inline QString replaceAll() { return tr("Replace &All"); }
inline QString close() { return tr("Close"); }
inline QString notFound(const QString& what) { return tr("Cannot find \"%1\".").arg(what); }
inline QString replacedCount(int n) { return tr("%1 replacement(s) made.").arg(n); }

inline QString imagesFilter() { return tr("Images"); }
inline QString allFilesFilter() { return tr("All Files"); }

inline QString bold() { return tr("Bold"); }
inline QString italic() { return tr("Italic"); }
inline QString underline() { return tr("Underline"); }
inline QString alignLeft() { return tr("Align Left"); }
inline QString alignCenter() { return tr("Center"); }
inline QString alignRight() { return tr("Align Right"); }
inline QString justify() { return tr("Justify"); }
inline QString fontName() { return tr("Font"); }
inline QString fontSize() { return tr("Font Size"); }
inline QString bullets() { return tr("Bullets"); }
inline QString numbering() { return tr("Numbering"); }

inline QString listTitle() { return tr("Bullets and Numbering"); }
inline QString listStyle() { return tr("&Style:"); }
inline QString listNone() { return tr("None"); }
inline QString listStart() { return tr("S&tart at:"); }
inline QString listIndent() { return tr("&Indent:"); }
inline QString listIndentTip() { return tr("Where the item's text starts, from the left margin"); }
inline QString inches() { return tr(" in"); }

inline QString statusPage(int page, int pages) { return tr("Page %1 of %2").arg(page).arg(pages); }
inline QString statusLine(int line) { return tr("Line %1").arg(line); }
inline QString statusColumn(int column) { return tr("Col %1").arg(column); }
inline QString statusZoom(int zoom) { return tr("%1%").arg(zoom); }
inline QString statusInsert(bool inserting) { return inserting ? tr("INS") : tr("OVR"); }

inline QString cannotReadFile(const QString& path) { return tr("The file %1 cannot be read.").arg(path); }
inline QString cannotWriteFile(const QString& path) { return tr("The file %1 cannot be written.").arg(path); }
inline QString notADocument(const QString& path) { return tr("The file %1 is not a document of this kind or is damaged.").arg(path); }
inline QString unsupportedFormat(int format) { return tr("File format %1 is not supported.").arg(format); }

}  // namespace ControlTexts
