#include "windowmerge.h"

#include "components/commondialog/commondialog.h"
#include "components/commondialog/mousepointer.h"
#include "components/panels/latchbutton.h"
#include "components/panels/panel.h"
#include "components/textcontrol/textcontrol.h"
#include "datasourcedialog.h"
#include "hosts/editorwindow.h"
#include "editing/viewcommands.h"
#include "findrecorddialog.h"
#include "mergefields.h"
#include "mergeconnection.h"
#include "mergestatements.h"
#include "mergetonew.h"
#include "recordnumberbox.h"
#include "texts/mergetexts.h"

#include <QAction>
#include <QTextCursor>
#include <QMenu>

WindowMerge::WindowMerge(EditorWindow* window, Panel* panel, TextControl* control)
    : QObject(window->widget()), m_window(window), m_panel(panel), m_control(control),
      m_source(MergeConnection::buildConnectionString())
{
    m_bar = MergeToolbar::build(panel);
    m_menu = new QMenu(Texts::MailMergeMenu, window->widget());
    m_menu->setObjectName(QStringLiteral("mnuMail"));
    QAction* first = m_menu->addAction(Texts::FirstFieldCaption);
    first->setObjectName(QStringLiteral("mnumm_0"));
    connect(first, &QAction::triggered, this, [this] { insertField(0); });
    m_entries << first;

    connect(m_bar.cmdmmflds, &LatchButton::valueClicked, this, &WindowMerge::fieldMenuClicked);
    connect(m_bar.cmdmmerge, &LatchButton::valueClicked, this, &WindowMerge::viewMergedClicked);
    connect(m_bar.cmdfind, &LatchButton::valueClicked, this, &WindowMerge::findClicked);
    connect(m_bar.cmdshow, &LatchButton::valueClicked, this, &WindowMerge::mergeClicked);
    for (int i = 0; i < 4; ++i)
        connect(m_bar.cmddata[i], &LatchButton::valueClicked, this,
                [this, i](bool down) { navigationClicked(i, down); });
    connect(m_bar.lblrecs, &RecordNumberBox::numberEntered, this, &WindowMerge::recordNumberEntered);
}

QList<QAction*> WindowMerge::fieldListByTag() const
{
    QList<QAction*> entries;
    const int last = m_panel->tag().trimmed().toInt();
    for (int i = 0; i <= last; ++i)
        if (QAction* entry = mnumm(i))
            entries << entry;
    return entries;
}

QString WindowMerge::recordLabel() const { return m_bar.lblrecs->shown(); }

void WindowMerge::setRecordLabel(int number) { m_bar.lblrecs->setShown(QString::number(number)); }

bool WindowMerge::mergedView() const { return m_bar.cmdmmerge->value(); }

void WindowMerge::mailMergeCommand()
{
    MousePointer::set(MousePointer::Hourglass);
    m_panel->show();
    ViewCommands::LayoutDocumentWindow(m_window);
    int index = -1;
    {
        DataSourceDialog dialog(m_window->widget());
        CommonDialog::provider().exec(&dialog);
        index = dialog.listIndex();
    }
    MousePointer::set(MousePointer::Hourglass);
    m_table = MergeStatements::tableForListIndex(index);
    if (!m_table.isEmpty()) {
        opendatasetnew();
    } else {
        m_panel->hide();
        ViewCommands::LayoutDocumentWindow(m_window);
    }
    m_control->setFocus();
    MousePointer::set(MousePointer::Default);
}

bool WindowMerge::openTable(const QString& table)
{
    m_source.setSourceStatement(MergeStatements::forTable(table));
    const bool opened = m_source.Requery();
    Recordset& records = recordset();
    if (records.RecordCount() >= 1) {
        records.MoveLast();
        records.MoveFirst();
        setRecordLabel(1);
        m_reccount = qint16(records.RecordCount());
    } else {
        setRecordLabel(0);
        m_reccount = 0;
    }
    return opened;
}

void WindowMerge::opendatasetnew()
{
    if (openTable(m_table))
        rebuildFieldList(m_table);
    setPanelTag();
}

void WindowMerge::Opendataset()
{
    countflds();
    const QString table = gettable();
    const bool opened = openTable(table);
    if (recordset().RecordCount() == 0) {
        m_bar.cmdmmerge->setEnabled(false);
        m_bar.cmdshow->setEnabled(false);
    }
    if (opened)
        rebuildFieldList(table);
    m_panel->show();
    ViewCommands::LayoutDocumentWindow(m_window);
    setPanelTag();
}

void WindowMerge::rebuildFieldList(const QString& table)
{
    while (m_entries.size() > 1)
        delete m_entries.takeLast();
    m_lastfld = 0;
    const Recordset& records = recordset();
    for (int i = 0; i < records.fieldCount(); ++i) {
        const QString name = records.fieldName(i);
        QAction* entry = m_entries.value(i);
        if (!entry) {
            entry = m_menu->addAction(name);
            entry->setObjectName(QStringLiteral("mnumm_%1").arg(i));
            connect(entry, &QAction::triggered, this, [this, i] { insertField(i); });
            m_entries << entry;
            ++m_lastfld;
        }
        entry->setText(name);
        entry->setData(table + QLatin1Char('.') + name);
    }
}

// The tool bar's tag is the highest entry index as text, with a blank for the sign.
void WindowMerge::setPanelTag()
{
    m_panel->setTag((m_lastfld >= 0 ? QStringLiteral(" ") : QString()) + QString::number(m_lastfld));
}

QString WindowMerge::gettable() const { return MergeFields::gettable(m_control); }

int WindowMerge::countflds() const { return MergeFields::countflds(m_control); }

namespace {

// Runs `change` and puts the caret back where the user had it: beside the same letters, which
// a copy of the cursor follows while the fields before it grow or shrink to their values. A
// caret inside a field ends at that field's edge.
template <typename Change> void keepingCaret(TextControl* control, Change change)
{
    const QTextCursor kept = control->textCursor();
    change();
    control->setTextCursor(kept);
}

}  // namespace

// The record's values are shown, never written: the control keeps them out of the undo
// history and takes them back when merged view ends.
void WindowMerge::resetflds()
{
    keepingCaret(m_control, [this] {
        m_control->withdrawTransient([this] { MergeFields::resetflds(m_control); });
    });
}

void WindowMerge::mmerge()
{
    if (!mergedView())
        return;  // field view shows field names, whatever record a search moved to
    keepingCaret(m_control, [this] {
        m_control->showTransient([this] { MergeFields::mmerge(m_control, recordset()); });
    });
}

bool WindowMerge::inFieldView(const std::function<bool()>& work)
{
    if (!m_control->transientShown())
        return work();
    resetflds();
    const bool result = work();
    mmerge();
    return result;
}

void WindowMerge::insertField(int index)
{
    if (QAction* entry = mnumm(index))
        MergeFields::insertField(m_control, entry->data().toString());
}

void WindowMerge::deleteField() { MergeFields::deleteField(m_control); }

void WindowMerge::fieldMenuClicked(bool down)
{
    if (!down)
        return;
    m_bar.cmdmmflds->setValue(false);
    // Just above the lower edge of the tool bar, at its left end (75 twips in).
    const QPoint at(5, m_panel->y() + m_panel->height() - 5);
    m_menu->popup(m_window->widget()->mapToGlobal(at));
}

void WindowMerge::viewMergedClicked(bool down)
{
    m_bar.enableFor(down);
    if (down)
        mmerge();
    else
        resetflds();
    if (QAction* deleteField = m_window->action(QStringLiteral("mnuFDelField")))
        deleteField->setEnabled(!down);
}

void WindowMerge::navigationClicked(int index, bool down)
{
    LatchButton* button = m_bar.cmddata[index];
    if (!mergedView()) {
        button->setValue(false);
        return;
    }
    if (!down)
        return;
    button->setValue(false);
    Recordset& records = recordset();
    int number = 0;
    switch (index) {
    case 0:
        records.MoveFirst();
        number = 1;
        break;
    case 1:
        records.MovePrevious();
        if (records.atBOF()) {
            records.MoveFirst();
            number = 1;
        } else {
            number = recordLabel().toInt() - 1;
        }
        break;
    case 2:
        records.MoveNext();
        if (records.atEOF()) {
            records.MoveLast();
            number = m_reccount;
        } else {
            number = recordLabel().toInt() + 1;
        }
        break;
    default:
        records.MoveLast();
        number = m_reccount;
        break;
    }
    setRecordLabel(number);
    mmerge();
}

void WindowMerge::recordNumberEntered(int number)
{
    Recordset& records = recordset();
    if (!mergedView() || number < 1 || number > records.RecordCount()) {
        m_bar.lblrecs->restore();
        m_bar.lblrecs->selectAll();
        return;
    }
    records.setBookmark(number - 1);
    setRecordLabel(number);
    mmerge();
    m_control->setFocus();
}

void WindowMerge::findClicked(bool down)
{
    if (!down)
        return;
    m_bar.cmdfind->setValue(false);
    FindRecordDialog::showFor(m_window);
}

void WindowMerge::mergeClicked(bool down)
{
    if (!down)
        return;
    m_bar.cmdshow->setValue(false);
    MergeToNew::mergeToNewDocument(m_window, this, m_control);
}
