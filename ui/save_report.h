#pragma once
// The Save As command of both tables: ask for a file name, choose the kind by its extension,
// write the report safely, and tell the user what went wrong.

#include <QString>
#include <QStringList>
#include <functional>

class QDate;
class QWidget;
class SaveDialog;
class UserMessages;

struct ReportSources {
    std::function<QStringList()> textLines;  // the padded text report
    std::function<QStringList()> csvLines;   // the comma file
};

// Shows the save dialog and remembers the choice in LastName. The dialog offers Suggested (a
// file name without folder) in the folder of the last choice, or LastName itself when there
// is no suggestion. A name without extension gets the chosen filter's. Nothing is written on
// cancel; an extension other than .txt or .csv, or a failed write, gets a message box titled
// Title naming the file.
void SaveReportAs(QWidget* parent, SaveDialog& dialog, UserMessages& messages, const QString& title,
                  QString& lastName, const ReportSources& sources, const QString& suggested = {});

// Name with the extension of Pattern (such as "*.txt") added when its last component has none.
QString WithFilterExtension(const QString& name, const QString& pattern);

// "Subject 2026-12-08.txt": a report's file name from what it is about and the day it is made,
// with the extension of LastName when that is a report's, otherwise ".txt". Characters a file
// name cannot hold become "_"; an empty subject is "report".
QString SuggestedReportName(const QString& subject, const QDate& date, const QString& lastName);
