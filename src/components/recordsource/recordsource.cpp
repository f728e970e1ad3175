#include "recordsource.h"

#include "connectionstring.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

Recordset::Recordset(QStringList names, QVector<QVector<QVariant>> rows, QVector<bool> textColumns)
    : m_names(std::move(names)), m_rows(std::move(rows)), m_text(std::move(textColumns))
{
}

QVariant Recordset::value(int index) const
{
    if (m_position < 0 || m_position >= RecordCount() || index < 0 || index >= fieldCount())
        return {};
    const QVariant v = m_rows.at(m_position).at(index);
    return v.isNull() ? QVariant() : v;
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Recordset::value(const QString& name) const
{
    return value(fieldIndex(name));
}

bool Recordset::Find(const QString& criterion, int skip, int startBookmark)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\S+)\\s+like\\s+'(.*)'\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(criterion);
    if (!m.hasMatch())
        return false;
    QString prefix = m.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"));
    if (prefix.endsWith(QLatin1Char('*')))
        prefix.chop(1);
    const int column = fieldIndex(m.captured(1));
    int row = (startBookmark >= 0 ? startBookmark : m_position) + skip;
    for (row = std::max(row, 0); column >= 0 && row < RecordCount(); ++row) {
        const QVariant v = m_rows.at(row).at(column);
        if (!v.isNull() && v.toString().startsWith(prefix, Qt::CaseInsensitive)) {
            m_position = row;
            return true;
        }
    }
    m_position = RecordCount();  // EOF
    return false;
}

RecordSource::RecordSource(const QString& connectionString)
    : m_connectionString(connectionString),
      m_connectionName(QStringLiteral("recordsource-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RecordSource::~RecordSource()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool RecordSource::Requery()
{
    m_recordset = Recordset();
    m_error.clear();
    const ConnectionSettings settings = ConnectionString::settingsFor(m_connectionString);
    if (settings.driver.isEmpty() || !QSqlDatabase::isDriverAvailable(settings.driver)) {
        m_error = QStringLiteral("No database driver for this connection.");
        return false;
    }
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
            ? QSqlDatabase::database(m_connectionName, false)
            : QSqlDatabase::addDatabase(settings.driver, m_connectionName);
        db.setDatabaseName(settings.databaseName);
        db.setHostName(settings.hostName);
        db.setPort(settings.port);
        db.setUserName(settings.userName);
        db.setPassword(settings.password);
        db.setConnectOptions(settings.connectOptions);
        if (!db.isOpen() && !db.open()) {
            m_error = db.lastError().text();
            return false;
        }
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(m_statement)) {
            m_error = query.lastError().text();
            return false;
        }
        QStringList names;
        QVector<bool> text;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            names << record.fieldName(i);
            text << (record.field(i).metaType().id() == QMetaType::QString);
        }
        QVector<QVector<QVariant>> rows;
        while (query.next()) {
            QVector<QVariant> row(record.count());
            for (int i = 0; i < record.count(); ++i)
                row[i] = query.value(i);
            rows.append(std::move(row));
        }
        m_recordset = Recordset(names, std::move(rows), std::move(text));
        ok = true;
    }
    return ok;
}
