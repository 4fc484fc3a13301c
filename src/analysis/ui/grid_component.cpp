#include "analysis/ui/grid_component.h"

#include "platform/numbers.h"
#include "platform/ui/colors.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace zuv {

namespace {

constexpr int kGeneralAlignment = 9;

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
    const int body = std::max(rows, fixedRows_) - fixedRows_;
    const int before = table_->rowCount();
    table_->setRowCount(body);
    // Rows without a heading item would show their numbers.
    for (int r = before; r < body; ++r)
        table_->setVerticalHeaderItem(r, new QTableWidgetItem);
    row_ = std::min(row_, rowCount() - 1);
    if (row_ < 0)
        row_ = 0;
}

void GridComponent::setColumnCount(int columns)
{
    const int body = std::max(columns, fixedColumns_) - fixedColumns_;
    const int before = table_->columnCount();
    table_->setColumnCount(body);
    for (int c = before; c < body; ++c)
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem);
    alignments_.resize(std::size_t(columnCount()), kGeneralAlignment);
    column_ = std::max(0, std::min(column_, columnCount() - 1));
}

void GridComponent::setFixedRowCount(int rows)
{
    rows = std::clamp(rows, 0, 1);
    if (rows == fixedRows_)
        return;
    const auto cells = snapshot();
    fixedRows_ = rows;
    restore(cells);
}

void GridComponent::setFixedColumnCount(int columns)
{
    columns = std::clamp(columns, 0, 1);
    if (columns == fixedColumns_)
        return;
    const auto cells = snapshot();
    fixedColumns_ = columns;
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
            if (it && it->background().style() != Qt::NoBrush)
                cell.background = it->background().color();
            if (it && it->foreground().style() != Qt::NoBrush)
                cell.foreground = it->foreground().color();
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

void GridComponent::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    row_ = row;
    syncCurrent();
}

void GridComponent::setCurrentColumn(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    column_ = column;
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
    if (r < 0) {
        QTableWidgetItem* it = table_->horizontalHeaderItem(c);
        if (!it && create) {
            it = new QTableWidgetItem;
            table_->setHorizontalHeaderItem(c, it);
        }
        return it;
    }
    if (c < 0) {
        QTableWidgetItem* it = table_->verticalHeaderItem(r);
        if (!it && create) {
            it = new QTableWidgetItem;
            table_->setVerticalHeaderItem(r, it);
        }
        return it;
    }
    QTableWidgetItem* it = table_->item(r, c);
    if (!it && create) {
        it = newItem(column);
        table_->setItem(r, c, it);
    }
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
    const QTableWidgetItem* it = item(row, column, false);
    if (it && it->background().style() != Qt::NoBrush)
        return it->background().color();
    const bool fixed = row < fixedRows_ || column < fixedColumns_;
    return table_->palette().color(fixed ? QPalette::Button : QPalette::Base);
}

QColor GridComponent::cellForeground(int row, int column) const
{
    const QTableWidgetItem* it = item(row, column, false);
    if (it && it->foreground().style() != Qt::NoBrush)
        return it->foreground().color();
    const bool fixed = row < fixedRows_ || column < fixedColumns_;
    return table_->palette().color(fixed ? QPalette::ButtonText : QPalette::Text);
}

int GridComponent::pixels(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

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
    return qRound(px * 1440.0 / logicalDpiX());
}

Qt::Alignment GridComponent::alignmentOf(int column) const
{
    const int value = column >= 0 && column < int(alignments_.size()) ? alignments_[std::size_t(column)]
                                                                      : kGeneralAlignment;
    if (value < 0 || value > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[value / 3] | down[value % 3];
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
    if (mode < 1 || mode > 8 || column_ < 0 || column_ >= columnCount())
        return;
    const int rows = table_->rowCount();
    if (rows < 2)
        return;
    std::vector<QString> keys(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        keys[std::size_t(r)] = text(r + fixedRows_, column_);

    auto less = [mode](const QString& a, const QString& b) {
        switch ((mode + 1) / 2) {
        case 1: {
            const auto x = parseDecimal(a);
            const auto y = parseDecimal(b);
            if (x && y)
                return *x < *y;
            return a.compare(b, Qt::CaseInsensitive) < 0;
        }
        case 2:
            return leadingNumber(a) < leadingNumber(b);
        case 3:
            return a.compare(b, Qt::CaseInsensitive) < 0;
        default:
            return a.compare(b, Qt::CaseSensitive) < 0;
        }
    };
    const bool descending = mode % 2 == 0;
    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QString& ka = keys[std::size_t(a)];
        const QString& kb = keys[std::size_t(b)];
        return descending ? less(kb, ka) : less(ka, kb);
    });

    const int columns = table_->columnCount();
    std::vector<std::vector<QTableWidgetItem*>> items(static_cast<std::size_t>(rows));
    std::vector<QTableWidgetItem*> headings(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            items[std::size_t(r)].push_back(table_->takeItem(r, c));
        headings[std::size_t(r)] = table_->takeVerticalHeaderItem(r);
    }
    for (int r = 0; r < rows; ++r) {
        const std::size_t from = std::size_t(order[std::size_t(r)]);
        for (int c = 0; c < columns; ++c)
            if (QTableWidgetItem* it = items[from][std::size_t(c)])
                table_->setItem(r, c, it);
        table_->setVerticalHeaderItem(r, headings[from] ? headings[from] : new QTableWidgetItem);
    }
}

int GridComponent::widthTwips() const { return qRound(width() * 1440.0 / logicalDpiX()); }

} // namespace zuv
