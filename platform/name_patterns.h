#pragma once
// Shell patterns ("*.iso", "node_modules", "/home/*/Downloads") over names as bytes.

#include <QByteArray>

// Whether Text matches Pattern: "*" any run of bytes, "?" one byte, "[...]" one of a set,
// "\" takes the next byte as it is. With WholePath neither "*" nor "?" nor a set matches "/".
// A leading "." needs no dot in the pattern.
bool MatchesPattern(const QByteArray& pattern, const QByteArray& text, bool wholePath);
