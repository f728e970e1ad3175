#pragma once
// The captions, tool tips and messages of the mail merge.
#include <QString>
#include <QStringList>

namespace Texts {

// The field menu of the merge tool bar.
inline const QString MailMergeMenu = QStringLiteral("&Mail Merge");

// Data source dialog.
inline const QString DataSourceTitle = QStringLiteral("Select Data Source");
inline const QString DataSourcePrompt = QStringLiteral("Select a table to merge into document.");
inline const QStringList DataSourceEntries = {QStringLiteral("Patients"), QStringLiteral("Users"),
                                              QStringLiteral("Referral Sources"),
                                              QStringLiteral("Insurance Companies")};

// Merge tool bar.
inline const QString FirstFieldCaption = QStringLiteral("Field1");
inline const QString InsertMergeFieldsTip = QStringLiteral("Insert Merge Fields");
inline const QString NavigationTips[4] = {QStringLiteral("First Record"), QStringLiteral("Previous Record"),
                                          QStringLiteral("Next Record"), QStringLiteral("Last Record")};
inline const QString FindRecordTip = QStringLiteral("Find Record");
inline const QString ViewMergedDataTip = QStringLiteral("View Merged Data");
inline const QString MergeToNewTip = QStringLiteral("Merge to New Document");
inline const QString RecordNumberTip =
    QStringLiteral("Record number: in merged view type a number and press Enter to show that record");

// Find Record dialog.
inline const QString FindRecordTitle = QStringLiteral("Find Record");
inline const QString InField = QStringLiteral("In Field:");
inline const QString FindLabel = QStringLiteral("Find:");
inline const QString FindFirst = QStringLiteral("&Find First");
inline const QString FindNext = QStringLiteral("Find &Next");
inline const QString CloseWithKey = QStringLiteral("&Close");
inline const QString NoMatchingRecord = QStringLiteral("No matching record.");
inline const QString FindNeedsMergedView =
    QStringLiteral("The active document does not show merged data: choose a letter in merged view.");

// Merge dialog.
inline const QString MergeTitle = QStringLiteral("Merge");
inline const QString RecordsToBeMerged = QStringLiteral("Records To Be Merged");
inline const QString AllRecords = QStringLiteral("&All");
inline const QString WhereRecords = QStringLiteral("&Where");
inline const QString IsLabel = QStringLiteral("is");
inline const QStringList Comparisons = {QStringLiteral("="),  QStringLiteral("<="), QStringLiteral("<"),
                                        QStringLiteral(">="), QStringLiteral(">"),  QStringLiteral("Like")};
inline const QString NoRecordsTitle = QStringLiteral("No Records Found");
inline const QString NoRecords = QStringLiteral("No records meet criteria. Try another!");

// A long merge.
inline const QString MergingRecords = QStringLiteral("Merging records...");
inline QString mergingRecord(int record, int count)
{
    return QStringLiteral("Merging record %1 of %2...").arg(record).arg(count);
}

// The merge and password commands of the command line.
inline QString mergeDatabaseFailed(const QString& error)
{
    return QStringLiteral("scrivora: the practice database cannot be read: %1\n"
                          "Check the [SQLServer] section of clinora.ini in the program directory.")
        .arg(error);
}
inline const QString mergeNoRecords =
    QStringLiteral("scrivora: no records meet the criteria; nothing was written");
inline QString mergeBadWhere(const QString& where)
{
    return QStringLiteral("scrivora: --where needs \"COLUMN OP VALUE\" with OP one of = <= < >= > Like, "
                          "not \"%1\"")
        .arg(where);
}
inline const QString passwordNotStorable = QStringLiteral(
    "scrivora: this password holds a character that the settings file cannot keep; choose another");

}  // namespace Texts
