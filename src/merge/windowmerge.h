#pragma once
// A document window's side of the mail merge: its record source Adodc1, the table it merges
// with, the field list (menu mnuMail with entries mnumm_N), the merge tool bar and the
// window operations the merge dialogs and the loader call by name.
#include "components/recordsource/recordsource.h"
#include "mergetoolbar.h"

#include <QList>
#include <QObject>
#include <functional>

class EditorWindow;
class Panel;
class QAction;
class QMenu;
class TextControl;

class WindowMerge : public QObject {
    Q_OBJECT
public:
    WindowMerge(EditorWindow* window, Panel* panel, TextControl* control);

    RecordSource& Adodc1() { return m_source; }
    Recordset& recordset() { return m_source.recordset(); }
    Panel* MergePanel1() const { return m_panel; }
    const MergeToolbar& toolbar() const { return m_bar; }
    QMenu* mnuMail() const { return m_menu; }
    QAction* mnumm(int index) const { return m_entries.value(index); }
    // The field list as the dialogs read it: entries 0 to the number in the tool bar's Tag.
    QList<QAction*> fieldListByTag() const;
    QString mergetable() const { return m_table; }
    int lastfld() const { return m_lastfld; }
    int reccount() const { return m_reccount; }
    QString recordLabel() const;
    void setRecordLabel(int number);
    bool mergedView() const;

    // Format > Mail Merge: choose a table and open it.
    void mailMergeCommand();
    void opendatasetnew();
    void Opendataset();
    QString gettable() const;
    int countflds() const;
    // Field view again: the values merged view showed are taken back.
    void resetflds();
    // In merged view, shows the current record's values in the fields; nothing in field view.
    void mmerge();
    // Runs `work` (a save) on the document as field view has it, then shows merged view again
    // if it was on: a saved template holds its fields, never a record's values.
    bool inFieldView(const std::function<bool()>& work);
    void insertField(int index);
    void deleteField();

    // The tool bar's clicks, with the value the click gave the button.
    void fieldMenuClicked(bool down);
    void viewMergedClicked(bool down);
    void navigationClicked(int index, bool down);
    void findClicked(bool down);
    void mergeClicked(bool down);
    // A number typed into the record box and confirmed with Enter.
    void recordNumberEntered(int number);

private:
    // Runs the statement of `table`; true when the record source opened.
    bool openTable(const QString& table);
    void rebuildFieldList(const QString& table);
    void setPanelTag();

    EditorWindow* m_window;
    Panel* m_panel;
    TextControl* m_control;
    RecordSource m_source;
    MergeToolbar m_bar;
    QMenu* m_menu;
    QList<QAction*> m_entries;
    QString m_table;
    qint16 m_lastfld = 0;
    qint16 m_reccount = 0;
};
