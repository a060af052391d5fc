#pragma once
// The table widget of both windows: a QTableView rendering a CellGrid. Row 0 of the grid is
// the fixed heading row (drawn as the view's header); positions are reported in twips
// relative to the widget, as currently scrolled.

#include <QTableView>
#include <memory>

#include "table/cell_grid.h"

class CellGridModel;

class FlexGrid : public QTableView {
    Q_OBJECT
  public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    CellGrid& Grid() { return grid_; }
    const CellGrid& Grid() const { return grid_; }

    // Distance in twips from the widget's top to the top of row Row (row 0 is the heading; the
    // row after the last is the last one's bottom edge), and from its left edge to the left
    // edge of column Col.
    double RowPos(int row) const;
    double ColPos(int col) const;
    // The width in twips column Col takes on the screen: the grid's, and room for the sort
    // indicator in the sorted column's heading.
    double ColWidthShown(int col) const;
    // The first data row shown below the heading.
    int TopRow() const;
    // Scrolls so that data row Row comes first below the heading, as far as the rows allow.
    void SetTopRow(int row);
    // The row of First..Last under Y (twips), rows scrolled out of sight excluded; -1 if none.
    int RowUnder(int first, int last, double y) const;
    // The width in pixels the widget needs to show every column without scrolling sideways.
    int WidthForAllColumns() const;
    // Makes row Row (1 the first below the heading) the current and selected one, scrolled
    // into view; nothing for a row the grid does not have.
    void SelectRow(int row);
    // The platform's sort indicator in the heading of column Col, pointing up for Ascending;
    // none when Col is no column. The heading's text stays; the column widens to hold both.
    void ShowSortIndicator(int col, bool ascending);

  signals:
    // A double click on a data row, or Enter on the current one.
    void DblClick();
    // A mouse button released over the grid: Button 1 left, 2 right; X and Y in twips.
    void MouseUp(int button, int shift, double x, double y);
    // The Menu key or Shift+F10: a popup for the current row, whose middle is Y twips from
    // the grid's top and At on the screen.
    void KeyboardPopup(double y, QPoint at);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void ApplyLayout();
    // Whether X (pixels in the heading's viewport) is on a separator between headings, where a
    // drag resizes the column to its left.
    bool OnHeadingSeparator(int x) const;
    void PopupForCurrentRow();

    CellGrid grid_;
    std::unique_ptr<CellGridModel> model_;
    int sortColumn_ = -1;
    bool resizingColumn_ = false;  // the button went down on a heading separator
};
