#pragma once
// The summary in Prometheus's text exposition format, for node_exporter's textfile collector:
// one sample per row and figure, labelled with the row's path, and the time of the run.

#include <QByteArray>
#include <QDateTime>

#include "census/summary_data.h"

// Data's rows in the order of its RowOrder, walked at When.
QByteArray PrometheusReport(const SummaryData& data, const QDateTime& when);

// Path as a label value: backslash, double quote and line feed escaped as the format says,
// and each byte that is not part of valid UTF-8 written as "\xHH" (the collector takes only
// UTF-8), so every name yields a value the collector accepts.
QByteArray PrometheusLabelValue(const QByteArray& path);
