#pragma once
// The summary as JSON for scripts: every figure a raw integer (bytes, not the unit shown), the
// rows in the order given, and the folders that could not be read.

#include <QByteArray>
#include <QDateTime>
#include <vector>

#include "summary/scan.h"
#include "summary/summary_data.h"

// Data's rows in the order of its RowOrder, walked from Starts (each with its "/") counting
// sizes as Counting says, at When, with Excluded entries left out.
QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when, Figure excluded = 0);
