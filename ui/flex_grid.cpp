#include "ui/flex_grid.h"

#include <QAbstractTableModel>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <cstdlib>

#include "table/grid_hit.h"
#include "ui/twips.h"

namespace {

Qt::Alignment AlignmentOf(CellAlign align) {
    switch (align) {
        case CellAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case CellAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case CellAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

// Grid rows 1.. are the model's rows 0..; grid row 0 is the horizontal header.
class CellGridModel final : public QAbstractTableModel, public CellGridObserver {
  public:
    CellGridModel(CellGrid& grid, QIcon noteMark, std::function<void()> relayout)
        : grid_(grid), noteMark_(std::move(noteMark)), relayout_(std::move(relayout)) {
        grid_.SetObserver(this);
    }
    ~CellGridModel() override { grid_.SetObserver(nullptr); }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : std::max(grid_.Rows() - 1, 0);
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : grid_.Cols();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) return grid_.TextMatrix(index.row() + 1, index.column());
        if (index.column() == 0 && (role == Qt::ToolTipRole || role == Qt::DecorationRole)) {
            const QString note = grid_.RowNote(index.row() + 1);
            if (note.isEmpty()) return {};
            return role == Qt::ToolTipRole ? QVariant(note) : QVariant(noteMark_);
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(AlignmentOf(grid_.ColAlignment(index.column())));
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) return {};
        if (role == Qt::DisplayRole) return grid_.TextMatrix(0, section);
        if (role == Qt::TextAlignmentRole) {
            // The heading row is two lines high: long headings wrap rather than clip.
            return QVariant::fromValue(AlignmentOf(grid_.ColAlignment(section)) | Qt::TextWordWrap);
        }
        return {};
    }

    void CellChanged(int row, int col) override {
        if (row == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex cell = index(row - 1, col);
            emit dataChanged(cell, cell);
        }
    }
    void LayoutChanged() override {
        beginResetModel();
        endResetModel();
        relayout_();
    }

  private:
    CellGrid& grid_;
    QIcon noteMark_;  // beside the first cell of a row with a note
    std::function<void()> relayout_;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent),
      model_(std::make_unique<CellGridModel>(
          grid_, style()->standardIcon(QStyle::SP_MessageBoxWarning), [this] { ApplyLayout(); })) {
    setModel(model_.get());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);  // Tab moves on to the window's next control
    // The scroll bars follow the pixels: by whole columns, a wide name column makes the thumb
    // jump and run out of step with what shows.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(this, &QTableView::doubleClicked, this, [this] { emit DblClick(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) grid_.SetRowSel(current.row() + 1);
            });
    ApplyLayout();
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::ApplyLayout() {
    const int indicator = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this) +
                          style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    for (int col = 0; col < grid_.Cols(); ++col) {
        const int room = col == sortColumn_ ? indicator : 0;
        setColumnWidth(col, TwipsToPixels(grid_.ColWidth(col)) + room);
    }
    horizontalHeader()->setFixedHeight(TwipsToPixels(grid_.RowHeight(0)));
    verticalHeader()->setDefaultSectionSize(TwipsToPixels(CellGrid::kDefaultRowHeight));
    verticalHeader()->setMinimumSectionSize(1);
    for (int row = 1; row < grid_.Rows(); ++row) {
        if (grid_.RowHeight(row) != CellGrid::kDefaultRowHeight) {
            setRowHeight(row - 1, TwipsToPixels(grid_.RowHeight(row)));
        }
    }
}

void FlexGrid::changeEvent(QEvent* event) {
    // The heading takes the grid's font, as the cells do.
    if (event->type() == QEvent::FontChange) horizontalHeader()->setFont(font());
    QTableView::changeEvent(event);
}

double FlexGrid::RowPos(int row) const {
    const int headerTop = horizontalHeader()->geometry().top();
    if (row <= 0) return PixelsToTwips(headerTop);
    // Past the last row: its bottom edge, where the last row's band ends.
    const int last = model_->rowCount({}) - 1;
    const int top = row - 1 > last && last >= 0 ? rowViewportPosition(last) + rowHeight(last)
                                                : rowViewportPosition(row - 1);
    return PixelsToTwips(viewport()->geometry().top() + top);
}

double FlexGrid::ColPos(int col) const {
    return PixelsToTwips(viewport()->geometry().left() + columnViewportPosition(col));
}

double FlexGrid::ColWidthShown(int col) const {
    return PixelsToTwips(columnWidth(col));
}

int FlexGrid::RowUnder(int first, int last, double y) const {
    return ::RowUnder(
        first, last, TopRow(), [this](int row) { return RowPos(row); }, y);
}

int FlexGrid::TopRow() const {
    const int first = rowAt(0);
    return first < 0 ? 1 : first + 1;
}

void FlexGrid::SetTopRow(int row) {
    if (row >= 1 && row < grid_.Rows()) scrollTo(model_->index(row - 1, 0), PositionAtTop);
}

void FlexGrid::SelectRow(int row) {
    const QModelIndex cell = model_->index(row - 1, 0);
    if (!cell.isValid()) return;
    setCurrentIndex(cell);
    grid_.SetRow(row);
    grid_.SetCol(0);
    scrollTo(cell);
}

void FlexGrid::ShowSortIndicator(int col, bool ascending) {
    const bool shown = col >= 0 && col < grid_.Cols();
    sortColumn_ = shown ? col : -1;
    horizontalHeader()->setSortIndicatorShown(shown);
    horizontalHeader()->setSortIndicator(sortColumn_,
                                         ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    ApplyLayout();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid()) {
        emit DblClick();
    } else if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        PopupForCurrentRow();
    } else {
        QTableView::keyPressEvent(event);
    }
}

// The Menu key arrives as a context menu event; a mouse's right button is MouseUp's.
void FlexGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) PopupForCurrentRow();
}

void FlexGrid::PopupForCurrentRow() {
    const int row = currentIndex().isValid() ? currentIndex().row() : std::max(rowAt(0), 0);
    if (row >= model_->rowCount({})) return;
    const int middle = rowViewportPosition(row) + rowHeight(row) / 2;
    const QPoint at = viewport()->mapToGlobal(QPoint(columnWidth(0) / 2, middle));
    emit KeyboardPopup(PixelsToTwips(viewport()->geometry().top() + middle), at);
}

// Room for a vertical scroll bar, and a pixel each side for the rounding of twips.
int FlexGrid::WidthForAllColumns() const {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return horizontalHeader()->length() + 2 * frameWidth() + scrollBar + 2;
}

bool FlexGrid::OnHeadingSeparator(int x) const {
    const QHeaderView* header = horizontalHeader();
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    for (int col = 0; col < header->count(); ++col) {
        const int right = header->sectionViewportPosition(col) + header->sectionSize(col);
        if (std::abs(x - right) <= grip) return true;
    }
    return false;
}

// A button released after it went down on a heading separator ends a column's resizing: no
// click of the grid.
bool FlexGrid::eventFilter(QObject* watched, QEvent* event) {
    const bool onHeading = watched == horizontalHeader()->viewport();
    if (event->type() == QEvent::MouseButtonPress && onHeading) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        resizingColumn_ = mouse->button() == Qt::LeftButton &&
                          OnHeadingSeparator(mouse->position().toPoint().x());
    }
    if (event->type() == QEvent::MouseButtonRelease && onHeading && resizingColumn_) {
        resizingColumn_ = false;
        return QTableView::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* source = static_cast<QWidget*>(watched);
        const QPointF at = source->mapTo(this, mouse->position().toPoint());
        emit MouseUp(ButtonNumber(mouse->button()), ShiftState(mouse->modifiers()),
                     PixelsToTwips(at.x()), PixelsToTwips(at.y()));
    }
    return QTableView::eventFilter(watched, event);
}
