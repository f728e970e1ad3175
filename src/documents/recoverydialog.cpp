#include "recoverydialog.h"

#include "autorecover.h"
#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "documentwindows.h"
#include "filepaths.h"
#include "merge/windowmerge.h"
#include "texts/recoverytexts.h"
#include "texts/sharingtexts.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { CaptionColumn, PathColumn, SavedColumn, ActionColumn };

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setToolTip(text);
    return item;
}

bool recover(DocumentHost* host, AutoRecover* recover, const RecoveryEntry& entry)
{
    const int slot = DocumentTable::shared().FindFreeDocumentSlot();
    DocumentWindow* window = DocumentWindows::createInSlot(host, slot, DocumentWindows::Hidden);
    TextControl* control = window->textControl();
    if (!control->load(entry.textFile, 0, TextControl::FormatNative)) {
        DocumentWindows::discard(window);
        return false;
    }
    if (!entry.index.originalPath.isEmpty()) {
        // Saving writes to the file the document came from, as before the program ended.
        // The crashed program's lock is taken over; a file someone else has open meanwhile is
        // only read, so that the recovered text never lands on theirs unasked.
        const QString& path = entry.index.originalPath;
        const bool theirs = !SharedFile::otherHolder(path).isEmpty();
        window->setCaption(FilePaths::captionFor(path) + (theirs ? Texts::ReadOnlyMark : QString()));
        window->setFilePath(path);
        window->sharedFile().opened(path, theirs ? SharedFile::ReadOnly : SharedFile::Edit);
    }
    if (entry.index.format == TextControl::FormatNative && !entry.index.originalPath.isEmpty())
        window->merge()->Opendataset();  // a template: its merge tool bar and table, as Open gives
    window->action(QStringLiteral("mnuIHeader"))->setChecked(control->headerFooter() & 1);
    window->action(QStringLiteral("mnuIFooter"))->setChecked(control->headerFooter() & 4);
    DocumentWindows::show(window);
    DocumentState& state = DocumentTable::shared().state(slot);
    state.IgnoreNextChange = false;
    state.Dirty = true;  // nothing of it is in the user's file yet
    recover->adopt(window, entry);
    return true;
}

}  // namespace

RecoveryDialog::RecoveryDialog(const QList<RecoveryEntry>& entries, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRecover"));
    setWindowTitle(Texts::RecoverTitle);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(Texts::RecoverIntro, this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_table = new QTableWidget(int(entries.size()), 4, this);
    m_table->setObjectName(QStringLiteral("lstRecover"));
    m_table->setHorizontalHeaderLabels({Texts::RecoverColumnCaption, Texts::RecoverColumnPath,
                                        Texts::RecoverColumnSaved, Texts::RecoverColumnAction});
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideMiddle);  // a path keeps its folder's start and its name
    const QLocale locale;
    for (int row = 0; row < entries.size(); ++row) {
        const RecoveryIndex& index = entries.at(row).index;
        m_table->setItem(row, CaptionColumn, cell(index.caption));
        m_table->setItem(row, PathColumn, cell(index.originalPath.isEmpty() ? Texts::RecoverNeverSaved
                                                                            : index.originalPath));
        m_table->setItem(row, SavedColumn, cell(locale.toString(index.saved.toLocalTime(), QLocale::ShortFormat)));
        auto* box = new QComboBox(m_table);
        box->setObjectName(QStringLiteral("cboRecoverAction_%1").arg(row));
        box->addItems({Texts::RecoverActionRecover, Texts::RecoverActionDiscard, Texts::RecoverActionLater});
        m_table->setCellWidget(row, ActionColumn, box);
    }
    m_table->horizontalHeader()->setSectionResizeMode(PathColumn, QHeaderView::Stretch);
    m_table->resizeColumnToContents(SavedColumn);
    m_table->resizeColumnToContents(ActionColumn);
    m_table->resizeColumnToContents(CaptionColumn);
    m_table->setColumnWidth(CaptionColumn, std::min(m_table->columnWidth(CaptionColumn), 220));
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(760, 300);
}

QComboBox* RecoveryDialog::actionBox(int row) const
{
    return qobject_cast<QComboBox*>(m_table->cellWidget(row, ActionColumn));
}

RecoveryDialog::Action RecoveryDialog::action(int row) const
{
    const QComboBox* box = actionBox(row);
    return box ? Action(box->currentIndex()) : Later;
}

void RecoveryDialog::offer(DocumentHost* host, AutoRecover* recoverer, const QList<RecoveryEntry>& entries)
{
    QList<Action> actions(entries.size(), Later);
    {
        RecoveryDialog dialog(entries, host->hostWidget());
        if (CommonDialog::provider().exec(&dialog) == QDialog::Accepted)
            for (int row = 0; row < entries.size(); ++row)
                actions[row] = dialog.action(row);
    }
    for (int row = 0; row < entries.size(); ++row) {
        const RecoveryEntry& entry = entries.at(row);
        if (actions.at(row) == Discard) {
            RecoveryFiles::remove(entry);
        } else if (actions.at(row) == Recover && !recover(host, recoverer, entry)) {
            CommonDialog::provider().message(host->hostWidget(), Texts::RecoverTitle,
                                             Texts::cantRecover(entry.index.caption),
                                             CommonDialog::Buttons::Ok, CommonDialog::Icon::Exclamation);
        }
    }
}
