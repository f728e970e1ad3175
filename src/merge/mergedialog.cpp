#include "mergedialog.h"

#include "components/commondialog/commondialog.h"
#include "components/recordsource/recordsource.h"
#include "hosts/editorwindow.h"
#include "layout/dialogbuttons.h"
#include "mergestate.h"
#include "mergestatements.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"
#include "windowmerge.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

MergeDialog::MergeDialog(EditorWindow* window) : QDialog(window ? window->widget() : nullptr)
{
    setObjectName(QStringLiteral("frmmrgTo"));
    setWindowTitle(Texts::MergeTitle);
    auto* frame = new QGroupBox(Texts::RecordsToBeMerged, this);
    frame->setObjectName(QStringLiteral("Frame1"));
    const QString optionTexts[2] = {Texts::AllRecords, Texts::WhereRecords};
    for (int i = 0; i < 2; ++i) {
        m_options[i] = new QRadioButton(optionTexts[i], frame);
        m_options[i]->setObjectName(QStringLiteral("optrec_%1").arg(i));
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { optionClicked(i); });
    }
    m_fields = new QComboBox(frame);
    m_fields->setObjectName(QStringLiteral("cbofield"));
    auto* is = new QLabel(Texts::IsLabel, frame);
    is->setObjectName(QStringLiteral("Label2"));
    m_compare = new QComboBox(frame);
    m_compare->setObjectName(QStringLiteral("cbocompare"));
    m_value = new QLineEdit(frame);
    m_value->setObjectName(QStringLiteral("txtcompare"));
    m_value->installEventFilter(this);

    auto* criterion = new QHBoxLayout;
    criterion->addWidget(m_fields, 2);
    criterion->addWidget(is);
    criterion->addWidget(m_compare, 1);
    criterion->addWidget(m_value, 2);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_options[0]);
    frameLayout->addWidget(m_options[1]);
    frameLayout->addLayout(criterion);
    const DialogButtons::Pair buttons =
        DialogButtons::make(this, Texts::Ok, "cmdOk", Texts::CancelWithKey, "cmdCancel");
    m_ok = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons.row);
    connect(m_ok, &QPushButton::clicked, this, &MergeDialog::ok);
    connect(buttons.cancel, &QPushButton::clicked, this, &MergeDialog::reject);
    connect(m_value, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_options[1]->isChecked())
            m_ok->setEnabled(!text.isEmpty());
    });

    // The window's field list; the first entry's tag names the table.
    if (WindowMerge* merge = window ? window->merge() : nullptr) {
        const QList<QAction*> entries = merge->fieldListByTag();
        const Recordset& records = merge->recordset();
        for (QAction* entry : entries)
            m_fields->addItem(entry->text(), records.isTextField(records.fieldIndex(entry->text())));
        if (!entries.isEmpty())
            m_table = entries.first()->data().toString();
    }
    if (m_fields->count() > 0) {
        m_fields->setCurrentIndex(0);
        const qsizetype dot = m_table.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            m_table.truncate(dot);
    }
    MergeState::mergesql.clear();
    m_compare->addItems(Texts::Comparisons);
    m_compare->setCurrentIndex(-1);
    // All records is the usual merge: the dialog opens with it chosen, ready for Ok.
    m_options[0]->setChecked(true);
    optionClicked(0);
}

void MergeDialog::optionClicked(int index)
{
    m_value->clear();
    m_value->setEnabled(index == 1);
    m_ok->setEnabled(index == 0);
    if (index == 1)
        m_fields->setFocus();
}

QString MergeDialog::statement() const
{
    if (m_options[0]->isChecked())
        return MergeStatements::forTable(m_table);
    const QVariant text = m_fields->currentData();
    return MergeStatements::where(m_table, m_fields->currentText(), m_compare->currentIndex(),
                                  m_compare->currentText(), m_value->text(), !text.isValid() || text.toBool());
}

void MergeDialog::ok()
{
    MergeState::mergesql = statement();
    RecordSource check(MergeState::ConnectionString);
    check.setSourceStatement(MergeState::mergesql);
    // A statement the database refuses is not reported here; the merge then finds nothing.
    if (!check.Requery() || check.recordset().RecordCount() != 0) {
        accept();
        return;
    }
    CommonDialog::provider().message(this, Texts::NoRecordsTitle, Texts::NoRecords,
                                     CommonDialog::Buttons::Ok, CommonDialog::Icon::Information);
}

void MergeDialog::reject()
{
    MergeState::mergesql.clear();
    QDialog::reject();
}

// Any character can be typed into the value but the wildcards "%" and "*", which would widen a
// comparison the user did not ask for: the value goes into the statement as a quoted literal
// with its apostrophes doubled, so O'Brien, San Antonio and Muñoz compare as they are typed.
// (Refusing the apostrophe and the blank, as the program Scrivora replaces did, turned
// "Like O'" into "Like O" and sent letters to patients who were not meant.)
bool MergeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_value && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text == QLatin1String("%") || text == QLatin1String("*"))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
