#pragma once
// The rows of the summary shown, and the order in which they are shown.

#include <vector>

#include "census/directory_record.h"

struct SummaryData {
    std::vector<DirectoryRecord> Results;  // in walk order
    std::vector<int> RowOrder;             // display position -> index into Results
    Counts GrandTotal;
    Skipped AllSkipped;  // what the rows' walks left out, together

    int RowCount() const { return static_cast<int>(Results.size()); }
    // The record shown at grid row Row (1 the first below the heading); null for any other row.
    const DirectoryRecord* AtRow(int row) const;
    void Clear();
    // Takes the rows of a walk in walk order and sums them into GrandTotal and AllSkipped.
    void Record(std::vector<DirectoryRecord> rows);
};

// Orders RowOrder by field SortColumn (1 the path, lower-cased; 2..11 the numbers; 0 keeps
// the order), ascending or descending; rows with equal keys keep their order. False when
// SortColumn is not a field number: RowOrder is then left as it was.
bool SortRows(const std::vector<DirectoryRecord>& results, std::vector<int>& rowOrder,
              int sortColumn, bool ascending);
