// The manual page written from the usage text: every option --help shows is described, and
// text that roff would take for requests or escapes comes out as written.
#include "shell/commandline.h"
#include "shell/manpage.h"
#include "texts/programtexts.h"

#include <QRegularExpression>
#include <QtTest>

class ManPageTest : public QObject {
    Q_OBJECT
private slots:
    void everyOptionOfHelpIsDescribed();
    void hiddenOptionsAreParsed_data();
    void hiddenOptionsAreParsed();
    void layout_data();
    void layout();
};

void ManPageTest::everyOptionOfHelpIsDescribed()
{
    const QString page = ManPage::fromUsage(Texts::UsageText, QStringLiteral("9.8.7"));
    QVERIFY(page.startsWith(QLatin1String(".TH SCRIVORA 1 \"\" \"scrivora 9.8.7\"")));
    static const QRegularExpression option(QStringLiteral("^  (--[a-z-]+)"),
                                           QRegularExpression::MultilineOption);
    int count = 0;
    for (auto it = option.globalMatch(Texts::UsageText); it.hasNext(); ++count) {
        const QString name = it.next().captured(1);
        QVERIFY2(page.contains(QLatin1String(".TP\n\\fB") + QString(name).replace(QLatin1Char('-'), QLatin1String("\\-"))),
                 qPrintable(name));
    }
    QVERIFY(count >= 10);
    QVERIFY(page.contains(QLatin1String(".SH FILES\n")));
    QVERIFY(page.contains(QLatin1String("/etc/clinora/clinora.ini")));
}

void ManPageTest::hiddenOptionsAreParsed_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("paths");
    QTest::addColumn<bool>("manPage");
    QTest::newRow("--paths") << QStringList{QStringLiteral("--paths")} << true << false;
    QTest::newRow("--paths with --app-path")
        << QStringList{QStringLiteral("--app-path"), QStringLiteral("/"), QStringLiteral("--paths")} << true << false;
    QTest::newRow("--man-page") << QStringList{QStringLiteral("--man-page")} << false << true;
    QTest::newRow("after the document it is the document's")
        << QStringList{QStringLiteral("letter.rtf"), QStringLiteral("--paths")} << false << false;
}

void ManPageTest::hiddenOptionsAreParsed()
{
    QFETCH(QStringList, arguments);
    const CommandLine options = CommandLine::parse(arguments);
    QVERIFY2(options.error.isEmpty(), qPrintable(options.error));
    QFETCH(bool, paths);
    QFETCH(bool, manPage);
    QCOMPARE(options.showPaths, paths);
    QCOMPARE(options.showManPage, manPage);
}

void ManPageTest::layout_data()
{
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QString>("expected");
    const QString head = QStringLiteral("Usage: tool [options] FILE\n\nDoes things.\n\nOptions:\n");
    QTest::newRow("synopsis") << head << QStringLiteral(".SH SYNOPSIS\n.B tool\n[options] FILE\n");
    QTest::newRow("description") << head << QStringLiteral(".SH DESCRIPTION\nDoes things.\n.SH OPTIONS\n");
    QTest::newRow("argument in italics, continuation joined")
        << head + QStringLiteral("  --open FILE    open FILE in a window\n                 of its own\n")
        << QStringLiteral(".TP\n\\fB\\-\\-open\\fR \\fIFILE\\fR\nopen FILE in a window of its own\n");
    QTest::newRow("description only on the next line")
        << head + QStringLiteral("  --scramble TEXT\n                 print it\n")
        << QStringLiteral(".TP\n\\fB\\-\\-scramble\\fR \\fITEXT\\fR\nprint it\n");
    QTest::newRow("a line starting with a dot is no request")
        << QStringLiteral("Usage: tool\n.hidden files too\nOptions:\n")
        << QStringLiteral("\\&.hidden files too\n");
    QTest::newRow("a backslash is printed")
        << head + QStringLiteral("  --dir DIR      C:\\Clinora on Windows\n")
        << QStringLiteral("C:\\eClinora on Windows\n");
}

void ManPageTest::layout()
{
    QFETCH(QString, usage);
    QFETCH(QString, expected);
    const QString page = ManPage::fromUsage(usage, QStringLiteral("1.0"));
    QVERIFY2(page.contains(expected), qPrintable(page));
}

QTEST_GUILESS_MAIN(ManPageTest)
#include "tst_manpage.moc"
