#include "spellcheckdialog.h"

#include "spellchecksession.h"
#include "spellertexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SpellCheckDialog::SpellCheckDialog(SpellCheckSession& session, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("SpellCheckDialog"));
    setWindowTitle(SpellerTexts::Title);
    m_context = new QLabel(this);
    m_context->setObjectName(QStringLiteral("lblContext"));
    m_context->setTextFormat(Qt::RichText);
    m_context->setWordWrap(true);
    m_context->setMinimumWidth(360);
    m_changeTo = new QLineEdit(this);
    m_changeTo->setObjectName(QStringLiteral("txtChangeTo"));
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("lstSuggestions"));
    connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(SpellerTexts::NotInDictionary, this), 0, 0);
    grid->addWidget(m_context, 1, 0);
    grid->addWidget(new QLabel(SpellerTexts::ChangeTo, this), 2, 0);
    grid->addWidget(m_changeTo, 3, 0);
    grid->addWidget(new QLabel(SpellerTexts::Suggestions, this), 4, 0);
    grid->addWidget(m_suggestions, 5, 0);
    auto* buttons = new QVBoxLayout;
    auto button = [this, buttons](const char* name, const QString& text, const std::function<void()>& action) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    button("cmdChange", SpellerTexts::Change, [this] {
        m_session.change(m_changeTo->text());
        answered();
    })->setDefault(true);
    button("cmdChangeAll", SpellerTexts::ChangeAll, [this] {
        m_session.changeAll(m_changeTo->text());
        answered();
    });
    button("cmdIgnore", SpellerTexts::Ignore, [this] {
        m_session.ignore();
        answered();
    });
    button("cmdIgnoreAll", SpellerTexts::IgnoreAll, [this] {
        m_session.ignoreAll();
        answered();
    });
    button("cmdAdd", SpellerTexts::AddToDictionary, [this] {
        m_session.add();
        answered();
    });
    buttons->addStretch(1);
    button("cmdClose", SpellerTexts::Close, [this] { reject(); });
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    showWord();
}

void SpellCheckDialog::showWord()
{
    const QString context = m_session.context();
    const int start = m_session.wordStartInContext();
    const QString word = m_session.word();
    m_context->setText(context.left(start).toHtmlEscaped() + QStringLiteral("<b><font color=\"#c00000\">")
                       + word.toHtmlEscaped() + QStringLiteral("</font></b>")
                       + context.mid(start + word.size()).toHtmlEscaped());
    m_suggestions->clear();
    m_suggestions->addItems(m_session.suggestions());
    m_changeTo->setText(m_suggestions->count() > 0 ? m_suggestions->item(0)->text() : word);
    if (m_suggestions->count() > 0)
        m_suggestions->setCurrentRow(0);
}

void SpellCheckDialog::answered()
{
    if (m_session.next())
        showWord();
    else
        accept();
}
