// Measurement units, page setup, printing order, print preview and PDF output.
#include "components/textcontrol/textcontrol.h"
#include "documents/convertfile.h"
#include "documents/documentwindow.h"
#include "layout/layoutstate.h"
#include "layout/pagesetupdialog.h"
#include "layout/printing.h"
#include "layout/printpreview.h"
#include "layout/units.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QtTest>

namespace {

// Records what a print run does instead of printing it.
class RecordingTarget : public Printing::PrintTarget {
public:
    QStringList events;
    QImage sheet{100, 100, QImage::Format_RGB32};
    QPainter painter_;
    bool failOpen = false;
    bool open(int orientation) override
    {
        events << QStringLiteral("open %1").arg(orientation);
        return !failOpen && painter_.begin(&sheet);
    }
    void setOrientation(int orientation) override { events << QStringLiteral("orientation %1").arg(orientation); }
    QPainter* painter() override { return &painter_; }
    void printing(int page) override { events << QStringLiteral("page %1").arg(page); }
    bool newSheet() override
    {
        events << QStringLiteral("sheet");
        return true;
    }
    void end() override
    {
        events << QStringLiteral("end");
        if (painter_.isActive())
            painter_.end();
    }
    QStringList pages() const { return events.filter(QRegularExpression("^page|^sheet")); }
};

void fillPages(TextControl* control, int pages)
{
    control->setPlainText(QString());
    for (int i = 1; i <= pages; ++i) {
        control->setSelText(QStringLiteral("Page text %1").arg(i));
        if (i < pages)
            control->insertPageBreak();
    }
    QCOMPARE(control->currentPages(), pages);
}

// What poppler's `tool` prints for `arguments`; nothing where poppler is not installed.
std::optional<QString> poppler(const char* tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString box(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(QLatin1String(name))->text(); }
void type(QDialog& d, const char* name, const QString& text)
{
    auto* edit = d.findChild<QLineEdit*>(QLatin1String(name));
    edit->setText(text);
    emit edit->editingFinished();
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LayoutState::MeasureUnit = 1; }
    void dlgString2Twips_data();
    void dlgString2Twips();
    void twips2DlgString_data();
    void twips2DlgString();
    void unknownUnitIsAnInternalError();
    void pageSetup_data();
    void pageSetup();
    void pageSetupWritesBackOnlyWhenConfirmed();
    void printOrder_data();
    void printOrder();
    void printErrorMessage();
    void previewZoomAndScrolling_data();
    void previewZoomAndScrolling();
    void pdfOfALetterWithPageNumbers();
    void pdfOfFortyThousandPages();
};

void PrintingTest::dlgString2Twips_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("twips");
    QTest::newRow("comma") << 1 << "2,5" << 3600;
    QTest::newRow("period") << 1 << "2.5" << 3600;
    QTest::newRow("first comma only") << 1 << "1,2,3" << 1728;
    QTest::newRow("trailing unit") << 1 << "1.5 in" << 2160;
    QTest::newRow("blank inside") << 1 << "1 .5" << 2160;
    QTest::newRow("letters") << 1 << "abc" << 0;
    QTest::newRow("lone minus") << 1 << "-" << 0;
    QTest::newRow("empty") << 1 << "" << 0;
    QTest::newRow("negative") << 1 << "-1" << -1440;
    QTest::newRow("one inch") << 1 << "1" << 1440;
    QTest::newRow("A4 width") << 1 << "8.27" << 11909;
    QTest::newRow("a third") << 1 << "0.333" << 480;
    QTest::newRow("centimetres") << 2 << "2.54" << 1440;
    QTest::newRow("half to even") << 2 << "0.5" << 284;  // 283.5
    QTest::newRow("huge is clamped") << 1 << "1e300" << std::numeric_limits<int>::max();
}

void PrintingTest::dlgString2Twips()
{
    QFETCH(int, unit);
    QFETCH(QString, text);
    LayoutState::MeasureUnit = unit;
    const QString before = text;
    QTEST(Units::DlgString2Twips(text), "twips");
    QCOMPARE(text, before);  // the caller's text stays as typed
}

void PrintingTest::twips2DlgString_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("twips");
    QTest::addColumn<QString>("text");
    QTest::newRow("one inch") << 1 << 1440.0 << "1.00";
    QTest::newRow("2 cm in inches") << 1 << 1134.0 << "0.79";
    QTest::newRow("letter width") << 1 << 12240.0 << "8.50";
    QTest::newRow("zero") << 1 << 0.0 << "0.00";
    QTest::newRow("a third back") << 1 << 480.0 << "0.33";
    QTest::newRow("centimetres") << 2 << 1440.0 << "2.54";
    QTest::newRow("no grouping") << 1 << 14400000.0 << "10000.00";
}

void PrintingTest::twips2DlgString()
{
    QFETCH(int, unit);
    QFETCH(double, twips);
    LayoutState::MeasureUnit = unit;
    QTEST(Units::Twips2DlgString(float(twips)), "text");
}

void PrintingTest::unknownUnitIsAnInternalError()
{
    ScriptedDialogs dialogs;
    LayoutState::MeasureUnit = 3;
    QCOMPARE(Units::DlgString2Twips(QStringLiteral("1")), 0);
    QCOMPARE(Units::Twips2DlgString(1440), QString());
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages.at(0).text, QStringLiteral("Internal Error in DlgString2Twips()"));
    QCOMPARE(dialogs.messages.at(1).text, QStringLiteral("Internal Error in Twips2DlgString()"));
    QCOMPARE(dialogs.messages.at(0).icon, CommonDialog::Icon::None);
}

void PrintingTest::pageSetup_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("action");  // what the user does after opening
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QString>("size");    // width x height shown
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("letter on open") << 12240 << 15840 << "" << "Letter" << "8.50x11.00" << true;
    QTest::newRow("legal chosen") << 12240 << 15840 << "paper Legal" << "Legal" << "8.50x14.00" << true;
    QTest::newRow("user defined turns portrait") << 12240 << 15840 << "landscape, paper User Defined"
                                                 << "User Defined" << "8.50x11.00" << true;
    QTest::newRow("typed A4 is recognised") << 12240 << 15840 << "size 8.27 11.69" << "A4" << "8.27x11.69" << true;
    QTest::newRow("landscape letter passes") << 12240 << 15840 << "landscape" << "Letter" << "11.00x8.50" << true;
    QTest::newRow("landscape A4 passes") << 11906 << 16837 << "landscape" << "A4" << "11.69x8.27" << true;
    QTest::newRow("landscape legal passes") << 12240 << 15840 << "paper Legal, landscape" << "Legal" << "14.00x8.50" << true;
    QTest::newRow("17 x 22 inches passes") << 12240 << 31680 << "size 17 22" << "User Defined" << "17x22" << true;
    QTest::newRow("taller than 22 inches fails") << 12240 << 15840 << "size 8.5 22.5" << "User Defined" << "8.5x22.5" << false;
    QTest::newRow("zero margin") << 12240 << 15840 << "margin 0" << "Letter" << "8.50x11.00" << false;
    QTest::newRow("margin wider than the page") << 12240 << 15840 << "margin 9" << "Letter" << "8.50x11.00" << false;
    QTest::newRow("margins leave no text") << 12240 << 15840 << "margin 7.5" << "Letter" << "8.50x11.00" << false;
}

void PrintingTest::pageSetup()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, action);
    LayoutState::PageSetupValues = {1440, 1440, 1440, 1440, width, height};
    PageSetupDialog dialog(1);
    auto* paper = dialog.findChild<QComboBox*>(QStringLiteral("cboPaperSize"));
    QCOMPARE(paper->count(), 6);
    for (const QString& step : action.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("landscape"))
            dialog.findChild<QRadioButton*>(QStringLiteral("OptOr_2"))->click();
        else if (step.startsWith(QLatin1String("paper ")))
            paper->setCurrentIndex(paper->findText(step.mid(6)));
        else if (step.startsWith(QLatin1String("size "))) {
            type(dialog, "txtPaperWidth", step.section(' ', 1, 1));
            type(dialog, "txtPaperHeight", step.section(' ', 2, 2));
        } else if (step.startsWith(QLatin1String("margin ")))
            type(dialog, "txtLeftMargin", step.mid(7));
    }
    QTEST(paper->currentText(), "paper");
    QTEST(box(dialog, "txtPaperWidth") + QLatin1Char('x') + box(dialog, "txtPaperHeight"), "size");
    QTEST(dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->isEnabled(), "okEnabled");
    QCOMPARE(box(dialog, "txtTopMargin"), QStringLiteral("1.00"));
}

void PrintingTest::pageSetupWritesBackOnlyWhenConfirmed()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    dialogs.dialogScripts << [](QDialog* d) {  // edits, then Cancel
        d->findChild<QComboBox*>(QStringLiteral("cboPaperSize"))->setCurrentIndex(0);
        d->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        return d->result();
    };
    ws.active()->action(QStringLiteral("mnuFormat_Document"))->trigger();
    QCOMPARE(control->pageWidth(), 12240);
    QCOMPARE(control->pageHeight(), 15840);
    dialogs.dialogScripts << [](QDialog* d) {  // A4, confirmed: the values the boxes show
        d->findChild<QComboBox*>(QStringLiteral("cboPaperSize"))->setCurrentIndex(0);
        d->findChild<QLineEdit*>(QStringLiteral("txtRightMargin"))->setText(QStringLiteral("0,5"));
        d->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        return d->result();
    };
    ws.active()->action(QStringLiteral("mnuFormat_Document"))->trigger();
    QCOMPARE(control->pageWidth(), 11909);
    QCOMPARE(control->pageHeight(), 16834);
    QCOMPARE(control->pageMarginR(), 720);
    QCOMPARE(control->pageMarginL(), 1440);
}

void PrintingTest::printOrder_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("range");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("printed");
    QTest::newRow("one page, no new sheet") << 1 << false << 1 << 1 << 1 << QStringList{"page 1"};
    QTest::newRow("pages 2-3 twice") << 5 << true << 2 << 3 << 2
                                     << QStringList{"page 2", "sheet", "page 3", "sheet", "page 2", "sheet", "page 3"};
    QTest::newRow("all, range ignored") << 3 << false << 2 << 2 << 1
                                        << QStringList{"page 1", "sheet", "page 2", "sheet", "page 3"};
}

void PrintingTest::printOrder()
{
    QFETCH(int, pages);
    QFETCH(bool, range);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    fillPages(ws.active()->textControl(), pages);
    RecordingTarget target;
    Printing::setTestTarget(&target);
    LayoutState::PrintOrientation = 2;
    dialogs.printAnswers << CommonDialog::PrintAnswer{true, range, from, to, copies};
    ws.active()->action(QStringLiteral("mnuFile_Print"))->trigger();
    Printing::setTestTarget(nullptr);
    LayoutState::PrintOrientation = 1;
    QTEST(target.pages(), "printed");
    QCOMPARE(target.events.first(), QStringLiteral("orientation 2"));
    QCOMPARE(target.events.filter("open").size(), 1);
    QCOMPARE(target.events.last(), QStringLiteral("end"));
    const CommonDialog::PrintRequest request = dialogs.printRequests.first();
    QCOMPARE(request.flags, 1048580);
    QCOMPARE(request.maxPage, pages);
    QCOMPARE(request.toPage, pages);
    QCOMPARE(request.orientation, 2);
    QVERIFY(dialogs.messages.isEmpty());

    dialogs.printAnswers.clear();  // Cancel: nothing printed, nothing said
    RecordingTarget cancelled;
    Printing::setTestTarget(&cancelled);
    ws.active()->action(QStringLiteral("mnuFile_Print"))->trigger();
    Printing::setTestTarget(nullptr);
    QVERIFY(cancelled.events.isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
}

void PrintingTest::printErrorMessage()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    RecordingTarget target;
    target.failOpen = true;
    Printing::setTestTarget(&target);
    dialogs.printAnswers << CommonDialog::PrintAnswer{true, false, 1, 1, 1};
    ws.active()->action(QStringLiteral("mnuFile_Print"))->trigger();
    Printing::setTestTarget(nullptr);
    QCOMPARE(dialogs.messages.size(), 1);
    // The specified message first, then what to do about it.
    const QString text = dialogs.messages.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("A Print Error has been Encountered:\r\nError 482 (Printer error)\r\n\r\n")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("File > Export as PDF")));
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        QVERIFY(text.contains(QStringLiteral("No printer is set up")));
    QCOMPARE(dialogs.messages.first().icon, CommonDialog::Icon::None);
    QCOMPARE(target.events.last(), QStringLiteral("end"));
}

void PrintingTest::previewZoomAndScrolling_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("1") << 1 << 0 << "Page 1" << "Page 1";
    QTest::newRow("2") << 2 << 0 << "Pages 1 - 2" << "Pages 1 - 2";
    QTest::newRow("4") << 4 << 1 << "Pages 1 - 2" << "Pages 3 - 4";
    QTest::newRow("5") << 5 << 2 << "Pages 1 - 2" << "Page 5";
}

void PrintingTest::previewZoomAndScrolling()
{
    QFETCH(int, pages);
    QFETCH(int, maximum);
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    fillPages(control, pages);
    control->setPrintZoom(77);
    dialogs.dialogScripts << [&](QDialog* d) {
        auto* scroll = d->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        auto* label = d->findChild<QLabel*>(QStringLiteral("Label1"));
        auto* box = d->findChild<QWidget*>(QStringLiteral("Picture1"));
        [&] {
            // The largest whole zoom at which a Letter page fits its box.
            const double zoom = control->printZoom() / 100.0;
            const QSizeF page(816 * zoom, 1056 * zoom);
            QVERIFY(page.width() <= box->width() + 1 && page.height() <= box->height() + 1);
            QVERIFY(page.width() + 816 / 100.0 >= box->width() - 1 || page.height() + 1056 / 100.0 >= box->height() - 1);
            QCOMPARE(scroll->maximum(), maximum);
            QTEST(label->text(), "first");
            // The keys turn the pages, wherever the focus is in the window.
            QWidget* focus = d->focusWidget() ? d->focusWidget() : d;
            QTest::keyClick(focus, Qt::Key_End);
            QTEST(label->text(), "last");
            QTest::keyClick(focus, Qt::Key_Home);
            QTEST(label->text(), "first");
            QTest::keyClick(focus, Qt::Key_PageDown);
            QCOMPARE(scroll->value(), std::min(1, maximum));
            // A notch of the wheel over a page turns back (the page passes it to the window, as
            // Qt passes on a real wheel's events only).
            const QPointF at = box->mapTo(d, box->rect().center());
            QWheelEvent notch(at, d->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(d, &notch);
            QTEST(label->text(), "first");
            scroll->setValue(maximum);
            QTEST(label->text(), "last");
            d->grab();  // paints both boxes, the right one empty past the end
        }();
        return int(QDialog::Rejected);  // closed by the window's frame, not by Close
    };
    ws.active()->action(QStringLiteral("mnuFile_PrintPreview"))->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"PrintPreview"});
    QCOMPARE(control->printZoom(), 77);
}

void PrintingTest::pdfOfALetterWithPageNumbers()
{
    TestWorkspace ws;
    const QString rtf = ws.writeFile(
        QStringLiteral("five.rtf"),
        "{\\rtf1\\paperw11906\\paperh16838{\\header Riverside header}{\\footer Page {\\field{\\*\\fldinst PAGE}"
        "{\\fldrslt 1}} of {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}}"
        "One\\page Two\\page Three\\page Four\\page Five}");
    const QString pdf = ws.file(QStringLiteral("five.pdf"));
    QString error;
    QVERIFY2(ConvertFile::convert(rtf, pdf, &error), qPrintable(error));
    const std::optional<QString> out = poppler("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!out)
        QSKIP("poppler-utils is not installed");
    for (int page = 1; page <= 5; ++page)
        QVERIFY2(out->contains(QStringLiteral("Page %1 of 5").arg(page)), qPrintable(*out));
    QCOMPARE(out->count(QStringLiteral("Riverside header")), 5);
    const QString details = poppler("pdfinfo", {pdf}).value_or(QString());
    QVERIFY2(details.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(details));  // as set up
}

// Past the page count where Qt's own layout overflows, every page is printed, the last with
// its own number. The sanitizers' build, many times slower, checks the same path on fewer pages.
void PrintingTest::pdfOfFortyThousandPages()
{
#if defined(__SANITIZE_ADDRESS__)
    const int pages = 200;
#else
    const int pages = 40000;
#endif
    TestWorkspace ws;
    QByteArray rtf = "{\\rtf1{\\footer Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}";
    for (int page = 1; page < pages; ++page)
        rtf += "Page\\page ";
    const QString source = ws.writeFile(QStringLiteral("huge.rtf"), rtf + "Last page}");
    const QString pdf = ws.file(QStringLiteral("huge.pdf"));
    QString error;
    QVERIFY2(ConvertFile::convert(source, pdf, &error), qPrintable(error));
    const std::optional<QString> details = poppler("pdfinfo", {pdf});
    if (!details)
        QSKIP("poppler-utils is not installed");
    QVERIFY2(details->contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(*details));
    const QString last = poppler("pdftotext", {QStringLiteral("-f"), QString::number(pages), pdf, QStringLiteral("-")})
                             .value_or(QString());
    QVERIFY2(last.contains(QLatin1String("Last page")) && last.contains(QStringLiteral("Page %1").arg(pages)),
             qPrintable(last));
}

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
