// Spell checking: the walk through a document with the user's answers, the user dictionary,
// merge fields left alone, and only the chosen window checked.
#include "components/speller/speller.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "editing/spellcommands.h"
#include "components/textcontrol/view/pageview.h"
#include "merge/mergefields.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTextBlock>
#include <QPushButton>
#include <QtTest>

namespace {

// Answers the spelling dialog: "button" or "button=replacement", one per unknown word.
std::function<int(QDialog*)> answers(const QStringList& steps, QStringList* seen)
{
    return [steps, seen](QDialog* d) {
        for (const QString& step : steps) {
            if (!d->isVisible() && d->result() == QDialog::Accepted)
                break;
            const QString button = step.section('=', 0, 0);
            *seen << d->findChild<QLineEdit*>(QStringLiteral("txtChangeTo"))->text();
            if (step.contains('='))
                d->findChild<QLineEdit*>(QStringLiteral("txtChangeTo"))->setText(step.section('=', 1));
            d->findChild<QPushButton*>(button)->click();
            if (d->result() == QDialog::Accepted)
                break;
        }
        return d->result();
    };
}

}  // namespace

class SpellingTest : public QObject {
    Q_OBJECT
private slots:
    void walkWithAnswers();
    void mergeFieldsAreSkipped();
    void onlyTheChosenWindow();
    void underlinedAsYouTypeButNotPrinted();
};

void SpellingTest::walkWithAnswers()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Thsi is a smple note from Scrivoro about the smple test."));
    QStringList offered;
    dialogs.dialogScripts << answers({"cmdChange=This", "cmdIgnoreAll", "cmdAdd"}, &offered);
    ws.active()->action(QStringLiteral("mnuEspell"))->trigger();
    QCOMPARE(control->plainText(), QStringLiteral("This is a smple note from Scrivoro about the smple test."));
    QCOMPARE(offered.size(), 3);
    QVERIFY(offered.first() != QStringLiteral("Thsi"));  // a suggestion is offered, not the word
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().text, QStringLiteral("The spelling check is complete."));
    QVERIFY(control->hasFocus() || !control->isActiveWindow());

    QFile custom(ws.file(QStringLiteral("Custom.dct")));
    QVERIFY(custom.open(QIODevice::ReadOnly));
    QCOMPARE(custom.readAll(), QByteArray("Scrivoro\n"));

    // A new check accepts the added word; the ignored one is unknown again.
    dialogs.messages.clear();
    offered.clear();
    dialogs.dialogScripts << answers({"cmdIgnore", "cmdIgnore"}, &offered);
    ws.active()->action(QStringLiteral("mnuEspell"))->trigger();
    QCOMPARE(offered.size(), 2);
    QCOMPARE(dialogs.messages.size(), 1);

    // Close stops the walk: no completion message.
    dialogs.messages.clear();
    dialogs.dialogScripts << answers({"cmdClose"}, &offered);
    ws.active()->action(QStringLiteral("mnuEspell"))->trigger();
    QVERIFY(dialogs.messages.isEmpty());
}

void SpellingTest::mergeFieldsAreSkipped()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Dear "));
    MergeFields::insertField(control, QStringLiteral("patient_info.lst_nme"));
    control->setSelText(QStringLiteral(", [xyzzyq] is typed."));
    QStringList offered;
    dialogs.dialogScripts << answers({"cmdIgnore", "cmdIgnore"}, &offered);
    ws.active()->action(QStringLiteral("mnuEspell"))->trigger();
    QCOMPARE(offered.size(), 1);  // only the typed word
    QCOMPARE(dialogs.dialogsShown.size(), 1);
}

void SpellingTest::onlyTheChosenWindow()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* first = ws.active();
    first->textControl()->setSelText(QStringLiteral("Frist window."));
    DocumentWindow* second = DocumentWindows::NewDocumentWindow();
    second->textControl()->setSelText(QStringLiteral("Secnod window."));
    QStringList offered;
    dialogs.dialogScripts << answers({"cmdChange=Second"}, &offered);
    second->action(QStringLiteral("mnuEspell"))->trigger();
    QCOMPARE(second->textControl()->plainText(), QStringLiteral("Second window."));
    QCOMPARE(first->textControl()->plainText(), QStringLiteral("Frist window."));
}

namespace {
int redPixels(const QImage& image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 110 && c.blue() < 110;
        }
    return red;
}
}  // namespace

void SpellingTest::underlinedAsYouTypeButNotPrinted()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    ws.main().resize(900, 700);
    ws.main().show();
    DocumentWindow* window = ws.active();
    window->subWindow()->showMaximized();
    TextControl* control = window->textControl();
    control->setSelText(QStringLiteral("A wrod here."));
    QCoreApplication::processEvents();
    QVERIFY(window->action(QStringLiteral("mnuView_SpellAsYouType"))->isChecked());
    QVERIFY(redPixels(control->grab().toImage()) > 5);

    // The right-click menu offers the suggestions above the Edit items.
    const QTextCursor word = [&] {
        QTextCursor c(control->document());
        c.setPosition(3);
        return c;
    }();
    const QRectF box = control->document()->documentLayout()->blockBoundingRect(word.block());
    const QPoint at = control->pageView()->viewport()->mapTo(
        control, control->pageView()->mapFromScene(box.topLeft() + QPointF(30, 8)));
    QVERIFY(control->wordAt(at).selectedText() == QStringLiteral("wrod"));
    QMenu menu;
    QVERIFY(SpellCommands::addSuggestions(window, &menu, at));
    QStringList texts;
    for (QAction* a : menu.actions())
        texts << a->text();
    QVERIFY2(texts.contains(QStringLiteral("word")), qPrintable(texts.join(',')));
    menu.actions().at(texts.indexOf(QStringLiteral("word")))->trigger();
    QCOMPARE(control->plainText(), QStringLiteral("A word here."));

    // Printing draws the page without the lines; switching the check off removes them.
    control->setSelStart(control->plainText().size());
    control->setSelText(QStringLiteral(" Anothr."));
    QImage page(816, 1056, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    control->paintPage(&painter, 1);
    painter.end();
    QCOMPARE(redPixels(page), 0);
    window->action(QStringLiteral("mnuView_SpellAsYouType"))->trigger();
    QVERIFY(!window->action(QStringLiteral("mnuView_SpellAsYouType"))->isChecked());
    QCoreApplication::processEvents();
    QCOMPARE(redPixels(control->grab().toImage()), 0);
}

QTEST_MAIN(SpellingTest)
#include "tst_spelling.moc"
