#include "analysis/ui/grid_component.h"

#include "analysis/grid_sort.h"
#include "platform/twips.h"
#include "platform/ui/colors.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zuv {

namespace {

constexpr int kGeneralAlignment = 9;

// Body rows (vertical) or columns (horizontal) of the table, each new one
// with an empty heading item: one without would show its number.
void setBodyCount(QTableWidget& table, Qt::Orientation o, int body)
{
    const bool rows = o == Qt::Vertical;
    const int before = rows ? table.rowCount() : table.columnCount();
    if (rows)
        table.setRowCount(body);
    else
        table.setColumnCount(body);
    for (int i = before; i < body; ++i) {
        if (rows)
            table.setVerticalHeaderItem(i, new QTableWidgetItem);
        else
            table.setHorizontalHeaderItem(i, new QTableWidgetItem);
    }
}

// The index kept within `count` entries; 0 when there are none.
int within(int index, int count) { return std::max(0, std::min(index, count - 1)); }

// An item's own colour; invalid when it has none.
QColor ownColour(const QBrush& brush) { return brush.style() != Qt::NoBrush ? brush.color() : QColor(); }

} // namespace

GridComponent::GridComponent(QWidget* parent) : QWidget(parent), table_(new QTableWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The windows paint the chosen row themselves; a selection highlight
    // would hide their colours.
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionsClickable(false);
    table_->verticalHeader()->setSectionsClickable(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setWordWrap(false);
    applyFixedCounts();

    connect(table_, &QTableWidget::cellPressed, this, [this](int row, int column) {
        row_ = row + fixedRows_;
        column_ = column + fixedColumns_;
    });
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        row_ = row + fixedRows_;
        column_ = column + fixedColumns_;
        emit clicked();
    });
}

int GridComponent::rowCount() const { return table_->rowCount() + fixedRows_; }

int GridComponent::columnCount() const { return table_->columnCount() + fixedColumns_; }

void GridComponent::setRowCount(int rows)
{
    setBodyCount(*table_, Qt::Vertical, std::max(rows, fixedRows_) - fixedRows_);
    row_ = within(row_, rowCount());
}

void GridComponent::setColumnCount(int columns)
{
    setBodyCount(*table_, Qt::Horizontal, std::max(columns, fixedColumns_) - fixedColumns_);
    alignments_.resize(std::size_t(columnCount()), kGeneralAlignment);
    column_ = within(column_, columnCount());
}

void GridComponent::setFixedRowCount(int rows) { setFixedCount(fixedRows_, rows); }

void GridComponent::setFixedColumnCount(int columns) { setFixedCount(fixedColumns_, columns); }

void GridComponent::setFixedCount(int& fixed, int count)
{
    count = std::clamp(count, 0, 1);
    if (count == fixed)
        return;
    const auto cells = snapshot();
    fixed = count;
    restore(cells);
}

std::vector<std::vector<GridComponent::Cell>> GridComponent::snapshot() const
{
    std::vector<std::vector<Cell>> cells(static_cast<std::size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem* it = item(r, c, false);
            Cell cell;
            cell.text = text(r, c);
            if (it) {
                cell.background = ownColour(it->background());
                cell.foreground = ownColour(it->foreground());
            }
            cells[std::size_t(r)].push_back(cell);
        }
    return cells;
}

void GridComponent::restore(const std::vector<std::vector<Cell>>& cells)
{
    const int rows = int(cells.size());
    const int columns = rows ? int(cells[0].size()) : columnCount();
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    corner_.clear();
    applyFixedCounts();
    setColumnCount(columns);
    setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < int(cells[std::size_t(r)].size()); ++c) {
            const Cell& cell = cells[std::size_t(r)][std::size_t(c)];
            if (!cell.text.isEmpty())
                setText(r, c, cell.text);
            if (!cell.background.isValid() && !cell.foreground.isValid())
                continue;
            if (QTableWidgetItem* it = item(r, c, true)) {
                if (cell.background.isValid())
                    it->setBackground(cell.background);
                if (cell.foreground.isValid())
                    it->setForeground(cell.foreground);
            }
        }
}

void GridComponent::applyFixedCounts()
{
    table_->horizontalHeader()->setVisible(fixedRows_ > 0);
    table_->verticalHeader()->setVisible(fixedColumns_ > 0);
}

void GridComponent::setCurrentRow(int row) { setCurrent(row_, row, rowCount()); }

void GridComponent::setCurrentColumn(int column) { setCurrent(column_, column, columnCount()); }

void GridComponent::setCurrent(int& current, int index, int count)
{
    if (index < 0 || index >= count)
        return;
    current = index;
    syncCurrent();
}

void GridComponent::syncCurrent()
{
    // Only the focus frame follows; the table raises no click for it.
    const int r = row_ - fixedRows_;
    const int c = column_ - fixedColumns_;
    if (r >= 0 && c >= 0 && r < table_->rowCount() && c < table_->columnCount())
        table_->setCurrentCell(r, c, QItemSelectionModel::NoUpdate);
}

QTableWidgetItem* GridComponent::newItem(int column) const
{
    auto* it = new QTableWidgetItem;
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    it->setTextAlignment(alignmentOf(column));
    return it;
}

QTableWidgetItem* GridComponent::item(int row, int column, bool create) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const int r = row - fixedRows_;
    const int c = column - fixedColumns_;
    if (r < 0 && c < 0)
        return nullptr;
    QTableWidgetItem* it = r < 0 ? table_->horizontalHeaderItem(c)
                           : c < 0 ? table_->verticalHeaderItem(r)
                                   : table_->item(r, c);
    if (it || !create)
        return it;
    if (r < 0)
        table_->setHorizontalHeaderItem(c, it = new QTableWidgetItem);
    else if (c < 0)
        table_->setVerticalHeaderItem(r, it = new QTableWidgetItem);
    else
        table_->setItem(r, c, it = newItem(column));
    return it;
}

void GridComponent::setText(int row, int column, const QString& text)
{
    if (row < fixedRows_ && column < fixedColumns_ && row >= 0 && column >= 0) {
        corner_ = text;
        return;
    }
    if (QTableWidgetItem* it = item(row, column, true))
        it->setText(text);
}

QString GridComponent::text(int row, int column) const
{
    if (row < fixedRows_ && column < fixedColumns_ && row >= 0 && column >= 0)
        return corner_;
    const QTableWidgetItem* it = item(row, column, false);
    return it ? it->text() : QString();
}

void GridComponent::setCellColor(int role, quint32 color)
{
    QTableWidgetItem* it = item(row_, column_, true);
    if (!it)
        return;
    if (role == Qt::BackgroundRole)
        it->setBackground(colorFromValue(color));
    else
        it->setForeground(colorFromValue(color));
}

void GridComponent::setCellBackground(quint32 color) { setCellColor(Qt::BackgroundRole, color); }

void GridComponent::setCellForeground(quint32 color) { setCellColor(Qt::ForegroundRole, color); }

QColor GridComponent::cellBackground(int row, int column) const
{
    return cellColour(row, column, true);
}

QColor GridComponent::cellForeground(int row, int column) const
{
    return cellColour(row, column, false);
}

QColor GridComponent::cellColour(int row, int column, bool background) const
{
    if (const QTableWidgetItem* it = item(row, column, false)) {
        const QColor own = ownColour(background ? it->background() : it->foreground());
        if (own.isValid())
            return own;
    }
    // Headings take the button colours, other cells the table's.
    const bool fixed = row < fixedRows_ || column < fixedColumns_;
    if (background)
        return table_->palette().color(fixed ? QPalette::Button : QPalette::Base);
    return table_->palette().color(fixed ? QPalette::ButtonText : QPalette::Text);
}

int GridComponent::pixels(int twips) const { return roundedPixels(twips, logicalDpiX()); }

void GridComponent::setColumnWidth(int column, int twips)
{
    if (column < 0 || column >= columnCount())
        return;
    if (column < fixedColumns_) {
        QHeaderView* header = table_->verticalHeader();
        if (twips < 0) {
            header->setMinimumWidth(0);
            header->setMaximumWidth(QWIDGETSIZE_MAX);
        } else {
            header->setFixedWidth(pixels(twips));
        }
        return;
    }
    const int c = column - fixedColumns_;
    table_->setColumnWidth(c, twips < 0 ? table_->horizontalHeader()->defaultSectionSize() : pixels(twips));
}

int GridComponent::columnWidth(int column) const
{
    if (column < 0 || column >= columnCount())
        return 0;
    const int px = column < fixedColumns_ ? table_->verticalHeader()->width()
                                          : table_->columnWidth(column - fixedColumns_);
    return roundedTwips(px, logicalDpiX());
}

Qt::Alignment GridComponent::alignmentOf(int column) const
{
    return columnAlignment(column) == kCentred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

void GridComponent::setColumnAlignment(int column, int alignment)
{
    if (column < 0 || column >= columnCount())
        return;
    alignments_[std::size_t(column)] = alignment;
    if (column < fixedColumns_)
        return;
    const int c = column - fixedColumns_;
    for (int r = 0; r < table_->rowCount(); ++r)
        if (QTableWidgetItem* it = table_->item(r, c))
            it->setTextAlignment(alignmentOf(column));
}

int GridComponent::columnAlignment(int column) const
{
    return column >= 0 && column < int(alignments_.size()) ? alignments_[std::size_t(column)] : kGeneralAlignment;
}

void GridComponent::sort(int mode)
{
    if (column_ < 0 || column_ >= columnCount())
        return;
    const int rows = table_->rowCount();
    std::vector<QString> keys(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        keys[std::size_t(r)] = text(r + fixedRows_, column_);
    const std::optional<std::vector<int>> order = sortedOrder(keys, mode);
    if (!order || rows < 2)
        return;

    const int columns = table_->columnCount();
    std::vector<std::vector<QTableWidgetItem*>> items(static_cast<std::size_t>(rows));
    std::vector<QTableWidgetItem*> headings(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            items[std::size_t(r)].push_back(table_->takeItem(r, c));
        headings[std::size_t(r)] = table_->takeVerticalHeaderItem(r);
    }
    for (int r = 0; r < rows; ++r) {
        const std::size_t from = std::size_t((*order)[std::size_t(r)]);
        for (int c = 0; c < columns; ++c)
            if (QTableWidgetItem* it = items[from][std::size_t(c)])
                table_->setItem(r, c, it);
        table_->setVerticalHeaderItem(r, headings[from] ? headings[from] : new QTableWidgetItem);
    }
}

int GridComponent::widthTwips() const { return roundedTwips(width(), logicalDpiX()); }

} // namespace zuv
