#pragma once
// The record source: runs a select statement and keeps all its rows on the client (a static
// cursor), with exact counts, moves, fields by position and name, prefix finds, bookmarks.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList names, QVector<QVector<QVariant>> rows, QVector<bool> textColumns = {});

    int RecordCount() const { return int(m_rows.size()); }
    // BOF and EOF (EOF is a macro of the C library, hence the names).
    bool atBOF() const { return m_position < 0 || m_rows.isEmpty(); }
    bool atEOF() const { return m_position >= RecordCount() || m_rows.isEmpty(); }
    void MoveFirst() { m_position = 0; }
    void MoveLast() { m_position = RecordCount() - 1; }
    void MoveNext() { m_position = std::min(m_position + 1, RecordCount()); }
    void MovePrevious() { m_position = std::max(m_position - 1, -1); }

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int index) const { return m_names.value(index); }
    QStringList fieldNames() const { return m_names; }
    // The position of a column by its name, case ignored; -1 when there is none.
    int fieldIndex(const QString& name) const;
    // Whether the database declares the column as text (unknown columns count as text).
    bool isTextField(int index) const { return m_text.value(index, true); }
    // The current row's value; an invalid QVariant for Null or outside the rows.
    QVariant value(int index) const;
    QVariant value(const QString& name) const;

    // `column Like 'text*'`: the first row at or after the start (after it when skip is 1)
    // whose column begins with the text, case ignored; EOF when there is none.
    bool Find(const QString& criterion, int skip = 0, int startBookmark = -1);
    int Bookmark() const { return m_position; }
    void setBookmark(int bookmark) { m_position = std::clamp(bookmark, -1, RecordCount()); }
    int AbsolutePosition() const { return m_position + 1; }

private:
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    QVector<bool> m_text;
    int m_position = 0;
};

class RecordSource {
public:
    explicit RecordSource(const QString& connectionString = QString());
    ~RecordSource();

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString& text) { m_connectionString = text; }
    QString SourceStatement() const { return m_statement; }
    void setSourceStatement(const QString& statement) { m_statement = statement; }

    // Runs the statement; false (and no rows) when the database or the statement fails.
    bool Requery();
    Recordset& recordset() { return m_recordset; }
    QString lastError() const { return m_error; }

private:
    QString m_connectionString;
    QString m_statement;
    Recordset m_recordset;
    QString m_error;
    QString m_connectionName;
};
