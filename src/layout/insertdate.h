#pragma once
// Insert Date: today's date in one of six formats, typed in at the caret.
#include <QDate>
#include <QDialog>
#include <QLocale>
#include <QStringList>

class QListWidget;

namespace InsertDate {

// The locale whose names and separator the dates use: the user's, or English (United States)
// when the user's is the C/POSIX locale.
QLocale dateLocale(const QLocale& locale);

// Today's date in the six formats, in list order, with the locale's names and separator.
QStringList formats(const QDate& date, const QLocale& locale = QLocale());

// The Insert ▸ Date command on the active document window.
void insertDate(QWidget* parent);

}  // namespace InsertDate

class InsertDateDialog : public QDialog {
    Q_OBJECT
public:
    explicit InsertDateDialog(const QDate& today, QWidget* parent = nullptr);
    // The selected entry's text; empty when none is selected (Cancel).
    QString chosen() const;

private:
    QListWidget* m_list;
};
