#include "ui/display.h"

#include <QtGlobal>
#include <cstdio>

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void ReportNoDisplay(const char* program) {
    std::fprintf(stderr,
                 "%s: no display to show a window on; --report=txt or --report=csv writes the "
                 "report without one\n",
                 program);
}
