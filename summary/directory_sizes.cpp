#include "summary/directory_sizes.h"

std::vector<PieFigure> DirectorySizes(const CellGrid& grid, const SummaryData& data,
                                      const Settings& settings) {
    constexpr int kTotalSizeField = 3;  // shown in column 2
    std::vector<PieFigure> sizes;
    for (int row = 1; const DirectoryRecord* record = data.AtRow(row); ++row) {
        const auto bytes = static_cast<double>(FieldValue(record->counts, kTotalSizeField));
        sizes.push_back({grid.TextMatrix(row, 0), grid.TextMatrix(row, kTotalSizeField - 1),
                         bytes / Divisor(settings.Unit)});
    }
    return sizes;
}
