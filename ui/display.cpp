#include "ui/display.h"

#include <QtGlobal>
#include <cstdio>

bool HasDisplay(const QStringList& arguments) {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           arguments.contains(QStringLiteral("-platform")) ||
           arguments.contains(QStringLiteral("--platform"));
}

void ReportNoDisplay(const char* program) {
    std::fprintf(stderr,
                 "%s: no display to show a window on; --report=txt or --report=csv writes the "
                 "report without one\n",
                 program);
}
