#pragma once
// The application object every fuzz target needs for fonts and images, made once.
#include <QApplication>

inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}
