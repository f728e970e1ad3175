#pragma once
// The texts of autosave and of the recovery of documents after a program that did not end.
#include <QString>

namespace Texts {

inline const QString RecoverTitle = QStringLiteral("Recover Documents");
inline const QString RecoverIntro = QStringLiteral(
    "Scrivora did not close normally last time. These documents were saved automatically "
    "before it ended. Choose for each whether to recover it now, discard it, or decide later "
    "(it is offered again at the next start).");
inline const QString RecoverColumnCaption = QStringLiteral("Document");
inline const QString RecoverColumnPath = QStringLiteral("Original file");
inline const QString RecoverColumnSaved = QStringLiteral("Saved at");
inline const QString RecoverColumnAction = QStringLiteral("Action");
inline const QString RecoverActionRecover = QStringLiteral("Recover");
inline const QString RecoverActionDiscard = QStringLiteral("Discard");
inline const QString RecoverActionLater = QStringLiteral("Later");
inline const QString RecoverNeverSaved = QStringLiteral("(never saved)");
inline QString cantAutosave(const QString& caption, const QString& folder)
{
    return QStringLiteral("The automatic copy of \"") + caption + QStringLiteral("\" could not be written to ")
        + folder + QStringLiteral(" (the disk may be full or the folder not writable). Save your "
                                  "documents yourself until this is fixed; this message is shown once.");
}
inline QString cantRecover(const QString& caption)
{
    return QStringLiteral("The automatically saved copy of \"") + caption
        + QStringLiteral("\" could not be read; it is kept and offered again at the next start. "
                         "Recovery files are in the program's temporary directory.");
}

}  // namespace Texts
