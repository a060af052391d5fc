#pragma once
// The Save As command of both tables: ask for a file name, choose the kind by its extension,
// write the report safely, and tell the user what went wrong.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class SaveDialog;
class UserMessages;

struct ReportSources {
    std::function<QStringList()> textLines;  // the padded text report
    std::function<QStringList()> csvLines;   // the comma file
};

// Shows the save dialog with LastName as the initial name and remembers the choice there.
// Nothing is written on cancel; an extension other than .txt or .csv, or a failed write,
// gets a message box titled Title naming the file.
void SaveReportAs(QWidget* parent, SaveDialog& dialog, UserMessages& messages, const QString& title,
                  QString& lastName, const ReportSources& sources);
