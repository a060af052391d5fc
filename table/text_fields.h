#pragma once
// Field procedures shared by every report: justify a text to a width, pick a field of a list,
// write a name so that it can neither break its line nor command a terminal.

#include <QByteArray>
#include <QString>

// Justifies Text to exactly Width characters: "L" left, "R" right (cut on the left when too
// long), "C" centred (an odd spare space goes right). Any other code gives "".
QString PadField(const QString& text, const QString& justify, int width);

// The Index-th (from 1) Delimiter-separated field of Text, trimmed of spaces; "" when absent.
QString GetField(const QString& text, const QString& delimiter, int index);

// Number of Delimiter-separated fields of Text with its outer blanks removed.
int CountFields(const QString& text, const QString& delimiter);

// Text without its leading and trailing spaces (other blanks such as TABs stay).
QString TrimSpaces(const QString& text);

// Path in single quotes for a shell; control characters (C0, DEL, and C1 written in UTF-8) as
// $'\ooo' pieces between them.
QByteArray ShellQuoted(const QByteArray& path);

// Text as a report writes a name: as it stands, or, when it holds a control character (which
// would split its line or reach the terminal as a command), shell-quoted as ShellQuoted writes it.
QString ReportSafeText(const QString& text);
