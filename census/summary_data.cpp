#include "census/summary_data.h"

#include <QString>
#include <algorithm>
#include <numeric>

void SummaryData::Clear() {
    Results.clear();
    RowOrder.clear();
    GrandTotal = {};
    AllSkipped = {};
}

const DirectoryRecord* SummaryData::AtRow(int row) const {
    if (row < 1 || row > static_cast<int>(RowOrder.size())) return nullptr;
    return &Results[RowOrder[row - 1]];
}

void SummaryData::Record(std::vector<DirectoryRecord> rows) {
    Results = std::move(rows);
    RowOrder.resize(Results.size());
    std::iota(RowOrder.begin(), RowOrder.end(), 0);
    GrandTotal = {};
    AllSkipped = {};
    for (const DirectoryRecord& record : Results) {
        GrandTotal += record.counts;
        AllSkipped += record.skipped;
    }
}

namespace {

template <typename Key>
void StableSortByKey(std::vector<int>& rowOrder, const std::vector<Key>& keys, bool ascending) {
    std::stable_sort(rowOrder.begin(), rowOrder.end(), [&](int a, int b) {
        return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });
}

}  // namespace

bool SortRows(const std::vector<DirectoryRecord>& results, std::vector<int>& rowOrder,
              int sortColumn, bool ascending) {
    if (sortColumn < 0 || sortColumn > kLastField) return false;
    if (sortColumn == 0) return true;
    if (sortColumn == kPathField) {
        std::vector<QString> keys;
        keys.reserve(results.size());
        for (const DirectoryRecord& record : results) {
            keys.push_back(QString::fromUtf8(record.Path).toLower());
        }
        StableSortByKey(rowOrder, keys, ascending);
    } else {
        std::vector<Figure> keys;
        keys.reserve(results.size());
        for (const DirectoryRecord& record : results) {
            keys.push_back(FieldValue(record.counts, sortColumn));
        }
        StableSortByKey(rowOrder, keys, ascending);
    }
    return true;
}
