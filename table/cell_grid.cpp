#include "table/cell_grid.h"

#include <algorithm>

CellGrid::CellGrid(int rows, int cols) {
    SetCols(cols);
    SetRows(rows);
}

void CellGrid::SetRows(int rows) {
    rows_ = std::max(rows, 0);
    cells_.resize(rows_);
    for (QStringList& line : cells_)
        line.resize(cols_);
    rowData_.resize(rows_);
    rowNote_.resize(rows_);
    rowHeight_.resize(rows_, kDefaultRowHeight);
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    rowSel_ = std::min(rowSel_, std::max(rows_ - 1, 0));
    NotifyLayout();
}

void CellGrid::SetCols(int cols) {
    cols_ = std::max(cols, 0);
    for (QStringList& line : cells_)
        line.resize(cols_);
    align_.resize(cols_, CellAlign::Left);
    colWidth_.resize(cols_, kDefaultColWidth);
    col_ = std::min(col_, std::max(cols_ - 1, 0));
    NotifyLayout();
}

bool CellGrid::InRange(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

QString CellGrid::TextMatrix(int row, int col) const {
    return InRange(row, col) ? cells_[row][col] : QString();
}

void CellGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (!InRange(row, col)) return;
    cells_[row][col] = text;
    if (!redraw_) {
        pending_ = true;
    } else if (observer_) {
        observer_->CellChanged(row, col);
    }
}

void CellGrid::SetRow(int row) {
    if (row < 0 || row >= rows_) return;
    row_ = row;
    if (observer_) observer_->CurrentCellChanged();
}

void CellGrid::SetCol(int col) {
    if (col < 0 || col >= cols_) return;
    col_ = col;
    if (observer_) observer_->CurrentCellChanged();
}

void CellGrid::SetFormatString(const QString& format) {
    const QStringList fields = format.split(u'|');
    const bool wasOn = redraw_;
    redraw_ = false;
    SetCols(static_cast<int>(fields.size()));
    if (rows_ < 1) SetRows(1);
    for (int col = 0; col < cols_; ++col) {
        QString text = fields[col];
        CellAlign align = CellAlign::Left;
        if (text.startsWith(u'>')) align = CellAlign::Right;
        if (text.startsWith(u'^')) align = CellAlign::Center;
        if (text.startsWith(u'<') || text.startsWith(u'>') || text.startsWith(u'^')) {
            text.remove(0, 1);
        }
        align_[col] = align;
        cells_[0][col] = text;
    }
    redraw_ = wasOn;
    pending_ = true;
    NotifyLayout();
}

CellAlign CellGrid::ColAlignment(int col) const {
    return col >= 0 && col < cols_ ? align_[col] : CellAlign::Left;
}

int CellGrid::ColWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidth_[col] : 0;
}

void CellGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    colWidth_[col] = std::max(twips, 0);
    NotifyLayout();
}

int CellGrid::RowHeight(int row) const {
    return row >= 0 && row < rows_ ? rowHeight_[row] : 0;
}

void CellGrid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    rowHeight_[row] = std::max(twips, 0);
    NotifyLayout();
}

void CellGrid::SetRedraw(bool on) {
    redraw_ = on;
    if (on && pending_) NotifyLayout();
}

QByteArray CellGrid::RowData(int row) const {
    return row >= 0 && row < rows_ ? rowData_[row] : QByteArray();
}

void CellGrid::SetRowData(int row, const QByteArray& data) {
    if (row >= 0 && row < rows_) rowData_[row] = data;
}

QString CellGrid::RowNote(int row) const {
    return row >= 0 && row < rows_ ? rowNote_[row] : QString();
}

void CellGrid::SetRowNote(int row, const QString& note) {
    if (row < 0 || row >= rows_) return;
    rowNote_[row] = note;
    NotifyLayout();
}

void CellGrid::NotifyLayout() {
    if (!redraw_) {
        pending_ = true;
        return;
    }
    pending_ = false;
    if (observer_) observer_->LayoutChanged();
}

int LongestText(const CellGrid& grid, int col) {
    qsizetype longest = 0;
    for (int row = 0; row < grid.Rows(); ++row) {
        longest = std::max(longest, grid.TextMatrix(row, col).size());
    }
    return static_cast<int>(longest);
}

QStringList RowTexts(const CellGrid& grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid.Cols(); ++col)
        texts << grid.TextMatrix(row, col);
    return texts;
}
