#pragma once
// A rectangle of text cells with the operations of the tables' grid control. Reports, the
// clipboard copy, the charts and the popups read the cells back, so a cell returns exactly
// the text last written to it. Sizes are in twips.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

enum class CellAlign { Left, Right, Center };

// Told about changes while Redraw is on; with Redraw off the grid collects them and reports
// one LayoutChanged when Redraw is switched on again.
class CellGridObserver {
  public:
    virtual ~CellGridObserver() = default;
    virtual void CellChanged(int row, int col) = 0;
    // Shape, texts, widths, heights or alignment changed: render everything again.
    virtual void LayoutChanged() = 0;
    virtual void CurrentCellChanged() {}
};

class CellGrid {
  public:
    static constexpr int kDefaultRowHeight = 240;
    static constexpr int kDefaultColWidth = 960;

    CellGrid(int rows = 2, int cols = 2);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Raising adds empty cells; lowering drops the cells beyond.
    void SetRows(int rows);
    void SetCols(int cols);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    // The current cell and its text.
    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetRow(int row);
    void SetCol(int col);
    QString Text() const { return TextMatrix(row_, col_); }
    void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }

    // The row of the user's selection, as left by the last click (the view keeps it up to date).
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row) { rowSel_ = row; }

    // "|"-separated fields, each optionally led by "<" (left), ">" (right) or "^" (centre):
    // sets the column count, the headings of row 0 and the alignment of every column.
    void SetFormatString(const QString& format);
    CellAlign ColAlignment(int col) const;

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);

    bool Redraw() const { return redraw_; }
    void SetRedraw(bool on);

    // Bytes kept with a row and never shown: a directory row keeps its path's exact bytes.
    QByteArray RowData(int row) const;
    void SetRowData(int row, const QByteArray& data);

    // A note kept with a row and never part of its cells: why its figures may fall short. A
    // view shows it on demand and marks the row's first cell.
    QString RowNote(int row) const;
    void SetRowNote(int row, const QString& note);

    void SetObserver(CellGridObserver* observer) { observer_ = observer; }

  private:
    bool InRange(int row, int col) const;
    void NotifyLayout();

    int rows_ = 0;
    int cols_ = 0;
    std::vector<QStringList> cells_;  // cells_[row][col]
    std::vector<QByteArray> rowData_;
    std::vector<QString> rowNote_;
    std::vector<CellAlign> align_;
    std::vector<int> colWidth_;
    std::vector<int> rowHeight_;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    bool redraw_ = true;
    bool pending_ = false;
    CellGridObserver* observer_ = nullptr;
};

// The cells of row Row, columns 0 to Cols - 1.
QStringList RowTexts(const CellGrid& grid, int row);

// The length in characters of the longest text in column Col, heading included.
int LongestText(const CellGrid& grid, int col);
