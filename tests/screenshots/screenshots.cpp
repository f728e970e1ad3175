// Makes the screenshots of the manual and the README: runs the program in a scripted
// session on the real display (use xvfb-run) and grabs the main window.
#include "components/textcontrol/document/listlevels.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/opendocument.h"
#include "documents/recoverydialog.h"
#include "documents/windowarrangement.h"
#include "layout/pagesetupdialog.h"
#include "layout/printpreview.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiSubWindow>
#include <QPainter>
#include <QIcon>
#include <QMdiArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTemporaryDir>
#include <QTimer>
#include "components/panels/latchbutton.h"
#include "demodata.h"
#include "merge/windowmerge.h"

namespace {

const char* Letter =
    "Dear Dr. Alvarez,\n\n"
    "Thank you for referring Mrs. Margaret O'Brien, whom I saw in the clinic on "
    "4 December 2026 for follow-up of her hypertension.\n\n"
    "Her blood pressure today was 128/82 on her current medication. I have asked her to "
    "continue the present dose and to return in three months with a home blood pressure "
    "diary.\n\n"
    "Please do not hesitate to contact me if you have any questions.\n\n"
    "Yours sincerely,\n\nDr. Helen Park";

const char* MedicationLetter =
    "Dear Dr. Alvarez,\n\n"
    "I saw Mrs. Margaret O'Brien in the clinic today. Her medication from now on:\n"
    "Ramipril 5 mg, once daily\nin the morning\nAmlodipine 5 mg, once daily\n"
    "Aspirin 100 mg, once daily\nwith food\n\n"
    "Please check:\nkidney values and potassium in two weeks\nher blood pressure diary at the next visit\n\n"
    "Yours sincerely,\n\nDr. Helen Park";

// Selects paragraphs `first` to `last` of the control.
void selectParagraphs(TextControl* control, int first, int last)
{
    QTextCursor c(control->document());
    c.setPosition(control->document()->findBlockByNumber(first).position());
    c.setPosition(control->document()->findBlockByNumber(last).position(), QTextCursor::KeepAnchor);
    control->setTextCursor(c);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivora"));
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    // A program directory of its own: the window opens as on a first start, filling the screen.
    QTemporaryDir program;
    AppPaths::setAppPath(program.path());
    MainWindow main;
    Startup::run(main, QString());
    settle();
    DocumentWindow* first = main.activeDocumentWindow();
    first->textControl()->setPlainText(QString::fromUtf8(Letter));
    DocumentWindow* second = DocumentWindows::NewDocumentWindow();
    second->textControl()->setPlainText(QString::fromUtf8(Letter));
    WindowArrangement::arrange(main.mdiArea(), WindowArrangement::TileVertical);
    main.mdiArea()->setActiveSubWindow(second->subWindow());
    main.selectZoomListIndex(1);  // 50 %
    main.mdiArea()->setActiveSubWindow(first->subWindow());
    settle();
    main.grab().save(out + QStringLiteral("/screenshot-two-windows.png"));

    // A letter with header, footer and page number, a table and a picture.
    for (DocumentWindow* w : {first, second})
        w->setCloseApproved(true);  // nothing to save in a demonstration
    main.mdiArea()->closeAllSubWindows();
    DocumentWindow* letter = DocumentWindows::NewDocumentWindow();
    letter->subWindow()->showMaximized();
    TextControl* control = letter->textControl();
    control->setPlainText(QString::fromUtf8(Letter));
    QTextCursor c(control->document());
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setCellPadding(4);
    tf.setBorderCollapse(true);
    QTextTable* table = c.insertTable(3, 3, tf);
    const char* cells[9] = {"Date", "Systolic", "Diastolic", "1 Dec", "132", "85", "4 Dec", "128", "82"};
    for (int i = 0; i < 9; ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(QString::fromUtf8(cells[i]));
    // The blood-pressure paragraph framed, and a picture placed beside the opening.
    control->setSelStart(control->plainText().indexOf(QStringLiteral("Her blood")));
    control->setFrameStyle(1 + 2 + 4 + 8);
    control->setFrameLineWidth(30);
    control->setFrameDistance(80);
    QImage logo(150, 96, QImage::Format_RGB32);
    logo.fill(QColor(0x2a, 0x6f, 0xb0));
    QPainter paint(&logo);
    paint.setPen(QPen(Qt::white, 6));
    paint.drawLine(75, 20, 75, 76);
    paint.drawLine(47, 48, 103, 48);
    paint.end();
    QTemporaryDir pictures;
    logo.save(pictures.filePath(QStringLiteral("logo.png")));
    control->objectInsertFixed(0, pictures.filePath(QStringLiteral("logo.png")), 11000, 1500, 100, 100, 0, 0, 3, 3,
                               144, 0, 144, 144);
    control->setSelStart(0);
    letter->action("mnuIHeader")->trigger();
    control->headerFooterSelect(1);
    control->setSelText(QStringLiteral("Riverside Family Practice - 12 Harbour Road"));
    control->headerFooterSelect(0);
    letter->action("mnuIPageNo")->trigger();
    control->headerFooterSelect(4);
    QTextCursor start = control->textCursor();
    start.movePosition(QTextCursor::Start);
    control->setTextCursor(start);
    control->setSelText(QStringLiteral("Page "));
    control->headerFooterSelect(0);
    main.selectZoomListIndex(6);  // Whole Page: the header and the footer with its page number
    control->pageView()->verticalScrollBar()->setValue(0);
    settle();
    main.grab().save(out + QStringLiteral("/screenshot-page.png"));
    letter->setCloseApproved(true);

    // A letter with a medication list: numbers with a second level, and bullets.
    main.mdiArea()->closeAllSubWindows();
    DocumentWindow* medication = DocumentWindows::NewDocumentWindow();
    medication->subWindow()->showMaximized();
    TextControl* list = medication->textControl();
    list->setPlainText(QString::fromUtf8(MedicationLetter));
    selectParagraphs(list, 3, 7);
    list->setListStyle(ListLevels::Decimal);
    for (int item : {4, 7}) {
        selectParagraphs(list, item, item);
        list->changeListLevel(1);
    }
    selectParagraphs(list, 10, 11);
    list->setListStyle(ListLevels::Disc);
    selectParagraphs(list, 6, 6);
    main.selectZoomListIndex(3);  // 100 %
    list->pageView()->verticalScrollBar()->setValue(0);
    settle();
    main.grab().save(out + QStringLiteral("/screenshot-medication-list.png"));
    medication->setCloseApproved(true);

    // The sample referral letter merged with the demo practice's third patient.
    main.mdiArea()->closeAllSubWindows();
    QTemporaryDir practice;
    QString error;
    DemoData::createSqliteDatabase(practice.filePath(QStringLiteral("practice.db")), 300, &error);
    DemoData::writeSettings(practice.filePath(QStringLiteral("clinora.ini")),
                            practice.filePath(QStringLiteral("practice.db")));
    DemoData::writeTemplate(practice.filePath(QStringLiteral("Referral Letter.tx")));
    AppPaths::setAppPath(practice.path());
    OpenDocuments::OpenDocument(practice.filePath(QStringLiteral("Referral Letter.tx")));
    DocumentWindow* merged = main.activeDocumentWindow();
    merged->subWindow()->showMaximized();
    main.selectZoomListIndex(2);  // 75 %
    const MergeToolbar& bar = merged->merge()->toolbar();
    bar.cmdmmerge->click();
    bar.cmddata[2]->click();
    bar.cmddata[2]->click();
    merged->textControl()->setSelStart(0);
    merged->textControl()->pageView()->verticalScrollBar()->setValue(0);
    settle();
    main.grab().save(out + QStringLiteral("/screenshot-merged-view.png"));
    {
        PrintPreview preview(merged->textControl(), &main);
        preview.show();
        settle();
        preview.grab().save(out + QStringLiteral("/screenshot-print-preview.png"));
    }
    {
        PageSetupDialog pageSetup(1, &main);
        pageSetup.show();
        settle();
        pageSetup.grab().save(out + QStringLiteral("/screenshot-page-setup.png"));
    }
    {
        const QDateTime saved = QDateTime(QDate(2026, 12, 4), QTime(10, 42), Qt::UTC);
        const QString letter = QStringLiteral("/home/clinic/Documents/Referral O'Brien.rtf");
        RecoveryDialog recovery({{{}, {}, {letter, letter, TextControl::FormatRtf, saved}},
                                 {{}, {}, {QStringLiteral("Untitled:2"), {}, TextControl::FormatNative, saved.addSecs(-300)}}},
                                &main);
        recovery.actionBox(1)->setCurrentIndex(RecoveryDialog::Discard);
        recovery.show();
        settle();
        recovery.grab().save(out + QStringLiteral("/screenshot-recovery.png"));
    }
    merged->setCloseApproved(true);
    return 0;
}
