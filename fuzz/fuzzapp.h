#pragma once
// The application object every fuzz target needs for fonts and images, made once; where the
// entry point runs inside a test program, that program's own.
#include <QApplication>

inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);  // lives as long as the process
}
