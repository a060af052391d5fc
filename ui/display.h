#pragma once
// Whether a window can be shown: a display to draw on, or a Qt platform chosen explicitly.

#include <QStringList>

// Arguments: the program's, where Qt's -platform option may name a platform.
bool HasDisplay(const QStringList& arguments = {});

// Tells on standard error that Program needs a display and how to get its report without one.
void ReportNoDisplay(const char* program);
