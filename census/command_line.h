#pragma once
// The command line of tallmere32:
//   tallmere32 [START ...] [-aN | -dN] [-xLEFT,TOP] [-s | -r | -l]
// read word by word; "/aN", "/dN" and "/xL,T" are accepted as whole words of digits.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "census/scan.h"
#include "platform/session_control.h"

using Words = std::vector<QByteArray>;

struct StartPath {
    QByteArray Spec;         // the start directories joined by ";", with a trailing "/"
    QByteArray CurrentRoot;  // what the caption shows
    StartPlaces places;      // where the walk starts
};

struct Switches {
    int SortColumn = 1;
    bool SortAscending = true;
    QString Left;  // window position in twips, "" when not given
    QString Top;
};

// Joins the START words with ";", drops double quotes, outer blanks and empty fields; nothing
// (or only separators) is "My Computer" and a field "." the current directory CurrentDir. Words
// after "--" are each one directory exactly as given.
StartPath ParseStartPath(const Words& words, const QByteArray& currentDir);

// The sort and position switches; the last sort switch wins.
Switches ParseSwitches(const Words& words);

// The session action of "-s", "-r" or "-l" (any case, whole words only); "-l" wins over
// "-r", which wins over "-s".
std::optional<SessionAction> CheckExitOptions(const Words& words);

// The caption's root for a start specification ending in "/": "/" stays, otherwise the
// specification without its last character.
QByteArray RootOfSpec(const QByteArray& spec);
