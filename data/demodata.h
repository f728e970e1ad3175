#pragma once
// The demonstration practice: a deterministic set of synthetic patients, providers, referral
// sources and insurance companies, and a referral-letter template with merge fields.
#include <QString>

class QSqlDatabase;

namespace DemoData {

// Creates (replacing) the four practice tables in an open database and fills them; `patients`
// rows of patient_info. False with `error` set when the database refuses a statement.
bool createTables(QSqlDatabase& db, int patients, QString* error);
// Creates the SQLite file at `path` (replacing it).
bool createSqliteDatabase(const QString& path, int patients, QString* error);
// Points section "SQLServer" of the settings file at the SQLite database.
void writeSettings(const QString& settingsFile, const QString& databasePath);
// The sample referral letter, saved as a template (.tx).
bool writeTemplate(const QString& path);

}  // namespace DemoData
