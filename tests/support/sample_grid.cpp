#include "tests/support/sample_grid.h"

CellGrid SampleGrid() {
    CellGrid grid(3, 4);
    grid.SetFormatString("<Directory Name|>Total Files|>Total Bytes|>Total Dirs");
    const QStringList row{"/srv/a \"quoted\" dir", "1,234", "", "7"};
    const QStringList total{"Grand Total", "1,234", "", "7"};
    for (int c = 0; c < 4; ++c) {
        grid.SetTextMatrix(1, c, row[c]);
        grid.SetTextMatrix(2, c, total[c]);
    }
    return grid;
}
