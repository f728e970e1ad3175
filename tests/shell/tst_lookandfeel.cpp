// How the program looks and sits on the screen: menu separators, the Open dialog's filters,
// where the main window, the help window and the print preview open, and how help closes.
#include "components/commondialog/commondialog.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "settings/apppaths.h"
#include "settings/settingsfile.h"
#include "settings/windowplacement.h"
#include "shell/helpwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/menutexts.h"
#include "texts/programtexts.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

namespace {

// A menu that tells how the style is asked to draw one of its items.
class ProbeMenu : public QMenu {
public:
    QStyleOptionMenuItem optionFor(QAction* action)
    {
        addAction(action);
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        removeAction(action);
        return option;
    }
};

QStringList separatorNames(const QList<MenuTexts::Menu>& menus)
{
    QStringList names;
    for (const MenuTexts::Menu& menu : menus)
        for (const MenuTexts::Item& item : menu.items)
            if (qstrcmp(item.caption, "-") == 0)
                names << QLatin1String(item.name);
    return names;
}

QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

QRect globalRect(const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

// Ends the program as the user does, so that it keeps what it keeps at its end.
void quit(TestWorkspace& ws, ScriptedDialogs& dialogs)
{
    dialogs.messageAnswers << CommonDialog::Answer::No << CommonDialog::Answer::No;
    QVERIFY(ws.main().close());
}

QString storedPlacement(const QString& key)
{
    return SettingsFile::ReadSetting(AppPaths::settingsFile(), QStringLiteral("Word Processor"), key);
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

}  // namespace

class LookAndFeelTest : public QObject {
    Q_OBJECT
private slots:
    void separatorsAreOnlyLines();
    void openDialogFilters();
    void filterLabelsNameEachPatternOnce_data();
    void filterLabelsNameEachPatternOnce();
    void fileTypeChangeKeepsTheTypedName_data();
    void fileTypeChangeKeepsTheTypedName();
    void fileDialogOpensWhereTheLastFileWasChosen();
    void firstStartFillsTheScreen();
    void laterStartsRestoreThePlacement_data();
    void laterStartsRestoreThePlacement();
    void unusablePlacementFillsTheScreen();
    void helpClosesWithKeys_data();
    void helpClosesWithKeys();
    void helpOpensClearOfTheMenuBar_data();
    void helpOpensClearOfTheMenuBar();
    void previewOpensLargeAndKeepsItsSize();
};

// The style draws a separator's text before its line: every separator has none, in the
// main window's menus and a document window's, the recent-file separator included once shown.
void LookAndFeelTest::separatorsAreOnlyLines()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString letter = ws.writeFile("Documents/letter.txt", "Dear Dr. Alvarez,");
    MainWindow& main = ws.start();
    dialogs.fileAnswers << letter;
    ws.active()->action("mnuFile_Open")->trigger();  // a recent file: its separator shows
    QVERIFY(ws.active()->action("mnuRecentFile_0")->isVisible());

    ProbeMenu probe;
    const QStringList mainNames = separatorNames(MenuTexts::mainMenus());
    QStringList documentNames = separatorNames(MenuTexts::documentMenus())
        + separatorNames(MenuTexts::documentSubmenus());
    QVERIFY(mainNames.size() >= 3);
    QVERIFY(documentNames.size() >= 15);
    QList<QAction*> separators;
    for (const QString& name : mainNames)
        separators << main.mainAction(name);
    for (const QString& name : documentNames)
        separators << ws.active()->action(name);
    for (QAction* action : separators) {
        QVERIFY2(action, "a separator of the menu tables has no action");
        const QStyleOptionMenuItem option = probe.optionFor(action);
        QVERIFY2(option.menuItemType == QStyleOptionMenuItem::Separator, qPrintable(action->objectName()));
        QVERIFY2(option.text.isEmpty(), qPrintable(action->objectName() + ": " + option.text));
    }
    // And no item of the menu bar is a caption "-" that is not a separator.
    for (QAction* top : main.menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            QVERIFY2(item->text() != QLatin1String("-"), qPrintable(item->objectName()));
}

// The Open dialog starts on "All documents", which shows every file Open reads; the
// specified filters follow in their order.
void LookAndFeelTest::openDialogFilters()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QStringList documents = {"a.rtf", "b.htm", "c.html", "d.txt", "e.doc", "f.docx", "g.tx", "h.txm", "I.RTF"};
    for (const QString& name : documents)
        ws.writeFile("Documents/" + name, "x");
    ws.writeFile("Documents/notes.pdf", "%PDF");
    ws.start();
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    const CommonDialog::FileRequest request = dialogs.fileRequests.first();
    QCOMPARE(request.filterIndex, 1);
    const QStringList expected = {
        "All documents (*.rtf *.htm *.html *.txt *.doc *.docx *.tx *.txm)",
        "Rich Text Format (*.rtf)",
        "Hypertext Markup Language (*.htm)",
        "Text Documents (*.txt)",
        "Word Documents (*.doc)",
        "Templates (*.tx)",
        "Word 2007 Document (*.docx)",
    };
    QCOMPARE(CommonDialog::qtFilters(request.filter), expected);

    // The dialog the user sees: the first filter chosen, in the Documents folder.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    CommonDialog::setUpFileDialog(dialog, request, request.filterIndex);
    QCOMPARE(dialog.nameFilters(), expected);
    QCOMPARE(dialog.selectedNameFilter(), expected.first());
    QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(AppPaths::documentsFolder()).canonicalPath());
    // It lists every document, in any letter case, and nothing Open cannot read.
    const QString chosen = dialog.selectedNameFilter();
    const qsizetype open = chosen.lastIndexOf('(');
    const QStringList patterns = chosen.mid(open + 1, chosen.size() - open - 2).split(' ');
    QStringList listed = QDir(AppPaths::documentsFolder()).entryList(patterns, QDir::Files);
    QStringList all = documents;
    listed.sort(Qt::CaseInsensitive);
    all.sort(Qt::CaseInsensitive);
    QCOMPARE(listed, all);
}

void LookAndFeelTest::fileTypeChangeKeepsTheTypedName_data()
{
    QTest::addColumn<int>("steps");  // arrow keys pressed in the file type box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // the name the dialog shows after the change
    QTest::addColumn<int>("type");
    QTest::newRow("words with a full stop") << 5 << "Letter to Dr. Lee" << "Letter to Dr. Lee" << 6;
    QTest::newRow("no full stop") << 3 << "Referral" << "Referral" << 4;
    QTest::newRow("a type's extension follows the type") << 5 << "Referral.rtf" << "Referral.docx" << 6;
    QTest::newRow("any extension follows the type") << 5 << "Referral.xyz" << "Referral.docx" << 6;
}

// Save As: choosing another file type after typing the name does not eat the name's last word.
void LookAndFeelTest::fileTypeChangeKeepsTheTypedName()
{
    QFETCH(int, steps);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, type);
    CommonDialog::FileRequest request;
    request.filter = Texts::SaveFilter;
    request.defaultExtension = QStringLiteral("rtf");
    request.initialFolder = QDir::tempPath();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    CommonDialog::setUpFileDialog(dialog, request, 1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(types && name);
    name->clear();
    QTest::keyClicks(name, typed);
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(name->text(), shown);
    QCOMPARE(dialog.nameFilters().indexOf(dialog.selectedNameFilter()) + 1, type);
}

// Insert Text names no folder: its dialog opens where a file was last chosen, in any dialog, and
// before any was chosen in the practice's documents folder, never in the program's working one.
void LookAndFeelTest::fileDialogOpensWhereTheLastFileWasChosen()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("Documents") && QDir(root.path()).mkpath("Referrals"));
    const QString documents = root.filePath("Documents");
    const QString referrals = root.filePath("Referrals");
    QFile letter(referrals + "/Dr. Lee's referral.txt");
    QVERIFY(letter.open(QIODevice::WriteOnly));
    letter.close();
    CommonDialog::setStartFolder(documents);

    // Each dialog as it shows: its folder is noted, and it takes `file` or is cancelled.
    QStringList shownIn;
    auto answerNext = [&shownIn](const QString& file) {
        QTimer::singleShot(0, [&shownIn, file] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shownIn << dialog->directory().absolutePath();
            if (file.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(file);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
    };
    CommonDialog::FileRequest insertText;
    insertText.title = Texts::InsertTextTitle;
    insertText.filter = Texts::InsertTextFilter;
    answerNext(letter.fileName());
    QCOMPARE(CommonDialog::provider().openFile(nullptr, insertText).fileName, letter.fileName());
    answerNext(QString());
    QVERIFY(!CommonDialog::provider().openFile(nullptr, insertText).accepted);
    CommonDialog::FileRequest open = insertText;
    open.initialFolder = documents;  // File > Open names its folder each time
    answerNext(QString());
    CommonDialog::provider().openFile(nullptr, open);
    QCOMPARE(shownIn, (QStringList{documents, referrals, documents}));
}

void LookAndFeelTest::filterLabelsNameEachPatternOnce_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("open") << Texts::OpenFilter;
    QTest::newRow("save as") << Texts::SaveFilter;
    QTest::newRow("insert text") << Texts::InsertTextFilter;
    QTest::newRow("export as PDF") << Texts::ExportPdfFilter;
    QTest::newRow("description without patterns") << QStringLiteral("Letters|*.rtf;*.txt");
    QTest::newRow("description naming other patterns") << QStringLiteral("Web page(*.htm, *.html)|*.htm");
}

// Each label shows the patterns its entry filters by, each once, after the description.
void LookAndFeelTest::filterLabelsNameEachPatternOnce()
{
    QFETCH(QString, filter);
    const QStringList parts = filter.split('|');
    const QStringList labels = CommonDialog::qtFilters(filter);
    QCOMPARE(labels.size(), parts.size() / 2);
    for (int i = 0; i < labels.size(); ++i) {
        const QStringList patterns = parts.at(2 * i + 1).split(';');
        const QString label = labels.at(i);
        QVERIFY2(label.endsWith(" (" + patterns.join(' ') + ")"), qPrintable(label));
        for (const QString& pattern : patterns)
            QVERIFY2(label.count(pattern + ' ') + label.count(pattern + ')') == 1, qPrintable(label));
        QVERIFY2(!label.startsWith(' ') && !label.contains("  "), qPrintable(label));
    }
}

// No placement stored: the window takes the whole available screen, maximized.
void LookAndFeelTest::firstStartFillsTheScreen()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    QVERIFY(storedPlacement(WindowPlacement::MainWindowKey).isEmpty());
    MainWindow& main = ws.start();
    settle();
    QVERIFY(main.isMaximized());
    QVERIFY(available().contains(main.geometry()));
    QVERIFY2(main.frameGeometry().width() >= available().width() * 9 / 10
                 && main.frameGeometry().height() >= available().height() * 9 / 10,
             qPrintable(QStringLiteral("%1 x %2").arg(main.width()).arg(main.height())));
    // The first document window takes its share of that space, not of a smaller frame.
    QVERIFY(ws.active()->subWindow()->width() >= main.mdiArea()->width() * 3 / 4);
}

void LookAndFeelTest::laterStartsRestoreThePlacement_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::newRow("a window the user placed") << false;
    QTest::newRow("a maximized window") << true;
}

// The program ends where the user left the window; the next start puts it back there.
void LookAndFeelTest::laterStartsRestoreThePlacement()
{
    QFETCH(bool, maximized);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& first = ws.start();
    settle();
    first.showNormal();
    const QRect placed(available().topLeft() + QPoint(60, 70), QSize(640, 420));
    first.setGeometry(placed);
    settle();
    if (maximized)
        first.showMaximized();
    settle();
    quit(ws, dialogs);
    QVERIFY(!storedPlacement(WindowPlacement::MainWindowKey).isEmpty());

    MainWindow& second = ws.start();
    settle();
    QCOMPARE(second.isMaximized(), maximized);
    if (!maximized)
        QCOMPARE(second.geometry(), placed);
    second.showNormal();  // the size before maximizing is kept too
    settle();
    QCOMPARE(second.geometry(), placed);
}

// A placement the program cannot read counts as none.
void LookAndFeelTest::unusablePlacementFillsTheScreen()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.writeFile("clinora.ini", "[Word Processor]\nWindowPlacement=not a placement\n");
    MainWindow& main = ws.start();
    settle();
    QVERIFY(main.isMaximized());
}

void LookAndFeelTest::helpClosesWithKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier);
}

// Help opened from the menu closes with the keys of other viewers; the letter stays as it was.
void LookAndFeelTest::helpClosesWithKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    QFile::copy(":/help/manual.html", ws.file("vavavadud.chm"));
    MainWindow& main = ws.start();
    TextControl* control = ws.active()->textControl();
    QTest::keyClicks(control->pageView()->viewport(), "Dear Dr. Alvarez,");
    const QString typed = control->plainText();
    QCOMPARE(typed, QStringLiteral("Dear Dr. Alvarez,"));
    for (int round = 1; round <= 2; ++round) {  // the second time on the window kept from the first
        ws.active()->action("mnuContents")->trigger();
        HelpWindow* help = main.helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->browser(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY2(!help->isVisible(), qPrintable(QStringLiteral("round %1").arg(round)));
    }
    QVERIFY(main.isVisible());
    QCOMPARE(control->plainText(), typed);
}

void LookAndFeelTest::helpOpensClearOfTheMenuBar_data()
{
    QTest::addColumn<QRect>("frame");  // empty: as started
    QTest::newRow("maximized main window") << QRect();
    QTest::newRow("smaller main window") << QRect(available().topLeft() + QPoint(10, 40), QSize(600, 440));
}

// Help stands beside the main window where there is room, else over its documents: never
// over the menu bar or the tool bar, and whole on the screen.
void LookAndFeelTest::helpOpensClearOfTheMenuBar()
{
    QFETCH(QRect, frame);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    QFile::copy(":/help/manual.html", ws.file("vavavadud.chm"));
    MainWindow& main = ws.start();
    settle();
    if (!frame.isEmpty()) {
        main.showNormal();
        main.setGeometry(frame);
        settle();
    }
    ws.active()->action("mnuContents")->trigger();
    HelpWindow* help = main.helpWindow();
    QVERIFY(help && help->isVisible());
    settle();
    const QRect helpFrame = help->frameGeometry();
    QVERIFY2(!helpFrame.intersects(globalRect(main.menuBar())), qPrintable(QStringLiteral("%1,%2").arg(helpFrame.x()).arg(helpFrame.y())));
    QVERIFY(!helpFrame.intersects(globalRect(main.toolbarPanel())));
    QVERIFY(available().contains(help->geometry()));
    QVERIFY(help->width() >= 300 && help->height() >= 300);
}

// The preview opens large and can be resized; the size the user leaves it at is the size
// it opens at next time, in this run and the next.
void LookAndFeelTest::previewOpensLargeAndKeepsItsSize()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Dear Dr. Alvarez,"));
    const QSize chosen(620, 480);
    int largeZoom = 0;
    dialogs.dialogScripts << [&](QDialog* d) {
        [&] {
            QVERIFY(d->height() >= available().height() * 4 / 5);
            QVERIFY(d->minimumSize() != d->maximumSize());
            largeZoom = control->printZoom();
            d->show();
            d->resize(chosen);
            settle();
            QVERIFY(control->printZoom() < largeZoom);  // the pages shrink with the window
        }();
        return int(QDialog::Accepted);
    };
    ws.active()->action("mnuFile_PrintPreview")->trigger();
    QCOMPARE(control->printZoom(), 100);  // back to the document's own
    QVERIFY(largeZoom > 31);  // larger than the small fixed window showed them

    QSize reopened;
    dialogs.dialogScripts << [&](QDialog* d) {
        reopened = d->size();
        return int(QDialog::Rejected);
    };
    ws.active()->action("mnuFile_PrintPreview")->trigger();
    QCOMPARE(reopened, chosen);

    quit(ws, dialogs);
    ws.start();
    dialogs.dialogScripts << [&](QDialog* d) {
        reopened = d->size();
        return int(QDialog::Rejected);
    };
    ws.active()->action("mnuFile_PrintPreview")->trigger();
    QCOMPARE(reopened, chosen);
}

QTEST_MAIN(LookAndFeelTest)
#include "tst_lookandfeel.moc"
