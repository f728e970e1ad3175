#pragma once
// The practice database a merge test runs against, on each back end the program supports:
// the embedded SQLite file, a PostgreSQL server and that server through ODBC. `make test`
// starts the server and names it in the environment (scripts/with-postgres).
#include <QString>
#include <QStringList>

class TestWorkspace;

namespace PracticeDatabase {

// "sqlite", "postgresql", "odbc".
QStringList backends();
// Why a back end cannot be used here; empty when it can.
QString unavailable(const QString& backend);
// Creates the demo tables with `patients` patients and points the workspace's settings file
// at them. False with `error` when the database refuses.
bool prepare(const TestWorkspace& ws, const QString& backend, int patients, QString* error);

}  // namespace PracticeDatabase

// Skips a test on a back end this machine lacks, unless the run demands every back end.
#define PREPARE_PRACTICE(ws, backend, patients)                                                  \
    do {                                                                                         \
        const QString why = PracticeDatabase::unavailable(backend);                              \
        if (!why.isEmpty()) {                                                                    \
            if (qEnvironmentVariableIsSet("SCRIVORA_TEST_ALL_BACKENDS"))                         \
                QFAIL(qPrintable(why));                                                          \
            QSKIP(qPrintable(why));                                                              \
        }                                                                                        \
        QString error;                                                                           \
        QVERIFY2(PracticeDatabase::prepare(ws, backend, patients, &error), qPrintable(error));   \
    } while (false)
