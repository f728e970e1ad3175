#include "insertdate.h"

#include "dialogbuttons.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "settings/apppaths.h"
#include "texts/programtexts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace InsertDate {

QLocale dateLocale(const QLocale& locale)
{
    // The C/POSIX locale has no real date conventions ("12 6 2026"); a user who set none gets
    // the dates of English (United States).
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QStringList formats(const QDate& date, const QLocale& userLocale)
{
    const QLocale locale = dateLocale(userLocale);
    // The regional separator: the first character of the short date format that is no letter.
    QString separator = QStringLiteral("/");
    for (QChar c : locale.dateFormat(QLocale::ShortFormat))
        if (!c.isLetter()) {
            separator = c;
            break;
        }
    const QString day = QString::number(date.day());
    const QString month = QString::number(date.month());
    const QString year = QString::number(date.year());
    const QString monthName = locale.monthName(date.month(), QLocale::LongFormat);
    return {monthName + QLatin1Char(' ') + day + QStringLiteral(", ") + year,
            locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") + monthName
                + QLatin1Char(' ') + day + QStringLiteral(", ") + year,
            month + separator + day + separator + year,
            locale.monthName(date.month(), QLocale::ShortFormat) + QLatin1Char(' ') + day
                + QStringLiteral(", ") + year,
            day + QStringLiteral(" - ") + monthName + QStringLiteral(", ") + year,
            day + separator + month + separator + year};
}

void insertDate(QWidget* parent)
{
    EditorWindow* window = DocumentHost::current()->activeDocumentWindow();
    if (!window)
        return;
    QString text;
    {
        InsertDateDialog dialog(AppPaths::today(), parent);
        CommonDialog::provider().exec(&dialog);
        text = dialog.chosen();
    }
    if (text.isEmpty())
        return;
    // Typed in at the caret as one undo step; the clipboard stays as the user left it.
    window->textControl()->setFocus();
    window->textControl()->setSelText(text);
}

}  // namespace InsertDate

InsertDateDialog::InsertDateDialog(const QDate& today, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frminsdate"));
    setWindowTitle(Texts::InsertDateTitle);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Texts::AvailableFormats, this);
    label->setObjectName(QStringLiteral("Label1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->addItems(InsertDate::formats(today));
    m_list->setCurrentRow(0);
    const auto [buttons, ok, cancel] =
        DialogButtons::make(this, Texts::Ok, "cmdok", Texts::CancelWithKey, "cmdcancel");
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_list->clearSelection();
        m_list->setCurrentRow(-1);
        reject();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString InsertDateDialog::chosen() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
