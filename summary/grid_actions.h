#pragma once
// What the summary grid's popup commands work out before they act: the row under the right
// click and how a further summary window is started.

#include <QByteArray>
#include <vector>

// A further summary window opens this far right of and below the current one (twips).
inline constexpr int kNewWindowOffset = 300;

// The argument list of a further summary window on Directory with the same sort, placed
// kNewWindowOffset twips from Left, Top: "DIRECTORY -aN -xL,T" ("-dN" when descending). A
// directory the command line would read otherwise (a ";", quotes, outer blanks, a leading
// "-") comes last, after "--", where every word is one directory exactly as given.
std::vector<QByteArray> NewWindowArguments(const QByteArray& directory, int sortColumn,
                                           bool ascending, int leftTwips, int topTwips);

// Directory as an absolute path: a relative one is taken from CurrentDir. Bytes are kept.
QByteArray AbsoluteDirectory(const QByteArray& directory, const QByteArray& currentDir);
