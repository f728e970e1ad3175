#pragma once
// The program's own options, in front of the command line the practice system hands over.
#include <QDate>
#include <QString>
#include <QStringList>

struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    bool showPaths = false;    // --paths: the folders and files in use, and why
    bool showManPage = false;  // --man-page (not in --help): the manual page, made at build time
    QString appPath;
    QString tempPath;
    QDate today;
    QString document;  // what is left: a path, "*", or empty
    QString convertFrom, convertTo;  // --convert IN OUT: convert without a window
    QStringList openFiles;           // --open FILE: opened after start-up, as File > Open does
    QStringList files;               // --files FILE...: the rest, each opened as File > Open does
    bool newInstance = false;        // --new-instance: never hand the files to a running program
    // --type TEXT: typed into the window of the --open before it (0: the first window).
    QList<QPair<int, QString>> typing;
    QString mergeTemplate, mergeOut, mergeWhere;  // --merge TEMPLATE OUT [--where "C OP V"]
    QString scramblePassword;        // --scramble-password TEXT
    bool scramble = false;
    QString error;     // a message for the user when the options are wrong

    // Whether the program runs without a window (conversion, merge, a listing).
    bool isHeadless() const;

    // `arguments` without the program name.
    static CommandLine parse(const QStringList& arguments);
};
