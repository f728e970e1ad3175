#include "findrecorddialog.h"

#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "mergestatements.h"
#include "texts/mergetexts.h"
#include "windowmerge.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<FindRecordDialog> openDialog;

WindowMerge* activeMerge()
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
    return window ? window->merge() : nullptr;
}

}  // namespace

FindRecordDialog* FindRecordDialog::showFor(EditorWindow* window)
{
    if (!openDialog)
        openDialog = new FindRecordDialog(window);
    openDialog->show();
    openDialog->raise();
    openDialog->activateWindow();
    return openDialog;
}

FindRecordDialog* FindRecordDialog::current() { return openDialog; }

FindRecordDialog::FindRecordDialog(EditorWindow* window)
    : QDialog(window ? window->widget()->window() : nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmFindRec"));
    setWindowTitle(Texts::FindRecordTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_fields = new QComboBox(this);
    m_fields->setObjectName(QStringLiteral("cbofields"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtsql"));
    m_first = new QPushButton(Texts::FindFirst, this);
    m_first->setObjectName(QStringLiteral("cmdok"));
    m_first->setDefault(true);
    m_next = new QPushButton(Texts::FindNext, this);
    m_next->setObjectName(QStringLiteral("cmdnext"));
    auto* close = new QPushButton(Texts::CloseWithKey, this);
    close->setObjectName(QStringLiteral("cmdcancel"));

    auto* form = new QFormLayout;
    form->addRow(Texts::InField, m_fields);
    form->addRow(Texts::FindLabel, m_text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {m_first, m_next, close})
        buttons->addWidget(b);
    // A search that finds nothing says so here, not in a message box that would block the
    // letter the user is working on.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblstatus"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    if (WindowMerge* merge = window ? window->merge() : nullptr) {
        for (QAction* entry : merge->fieldListByTag())
            m_fields->addItem(entry->text());
        if (m_fields->count() > 0)
            m_fields->setCurrentIndex(0);
    }
    connect(m_text, &QLineEdit::textChanged, this, &FindRecordDialog::textChanged);
    connect(m_first, &QPushButton::clicked, this, &FindRecordDialog::findFirst);
    connect(m_next, &QPushButton::clicked, this, &FindRecordDialog::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Its field list and search belong to that window's table.
    if (window)
        connect(window->widget(), &QObject::destroyed, this, &QDialog::close);
}

QString FindRecordDialog::criterion() const
{
    return m_fields->currentText() + QStringLiteral(" Like '") + MergeStatements::doubledQuotes(m_text->text())
        + QStringLiteral("*'");
}

void FindRecordDialog::textChanged(const QString& text)
{
    m_status->clear();
    m_first->setEnabled(!text.isEmpty());
    if (text.isEmpty())
        m_next->setEnabled(false);
}

WindowMerge* FindRecordDialog::mergedWindow()
{
    WindowMerge* merge = activeMerge();
    if (merge && merge->mergedView())
        return merge;
    m_status->setText(Texts::FindNeedsMergedView);
    return nullptr;
}

void FindRecordDialog::findFirst()
{
    WindowMerge* merge = mergedWindow();
    if (!merge)
        return;
    Recordset& records = merge->recordset();
    const int shown = records.Bookmark();
    records.MoveFirst();
    m_lastmark = records.Bookmark();
    if (records.Find(criterion(), 0, *m_lastmark)) {
        m_lastmark = records.Bookmark();
        m_next->setEnabled(true);
        showFound();
    } else {
        m_next->setEnabled(false);
        notFound(records, shown);
    }
}

void FindRecordDialog::findNext()
{
    WindowMerge* merge = mergedWindow();
    if (!merge)
        return;
    Recordset& records = merge->recordset();
    const int shown = records.Bookmark();
    // Before any Find First the search goes on from the record the window shows.
    if (records.Find(criterion(), 1, m_lastmark.value_or(shown))) {
        m_lastmark = records.Bookmark();
        showFound();
    } else {
        m_next->setEnabled(false);
        notFound(records, shown);
    }
}

// The record source goes back to the record the letter shows, so that the record number, the
// letter and the next move of the tool bar agree.
void FindRecordDialog::notFound(Recordset& records, int shown)
{
    records.setBookmark(shown);
    m_status->setText(Texts::NoMatchingRecord);
}

void FindRecordDialog::showFound()
{
    m_status->clear();
    WindowMerge* merge = activeMerge();
    merge->mmerge();
    merge->setRecordLabel(merge->recordset().AbsolutePosition());
}

bool FindRecordDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        m_text->setFocus();
    return QDialog::event(event);
}

void FindRecordDialog::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    DocumentHost* host = DocumentHost::current();
    if (EditorWindow* window = host ? host->activeDocumentWindow() : nullptr)
        window->textControl()->setFocus();
}
