#pragma once
// The table of text cells the analysis windows and their dialogs show (the
// lap table, the statistics, the per-measure statistics and the lap report).
// Cells are addressed (row, column) from (0, 0), fixed heading rows and
// columns included. A fixed row or column (at most one of each) is drawn as
// the table's heading, so it stays in view while the rest scrolls; every
// other cell is a plain cell of the table.
//
// Operations, by the windows that use them:
//   every grid: setRowCount, setColumnCount, setFixedRowCount / setFixedColumnCount (the form's design), setText,
//     setColumnWidth (twips)
//   the lap table of both analysis windows: setCurrentRow / setCurrentColumn
//     (no click), currentRow / currentColumn after a click, the current
//     cell's colours setCellBackground / setCellForeground (colour values
//     0x00BBGGRR, or a system colour), QWidget::setVisible, clicked(),
//     raised for a user's click on a cell once the current cell has become
//     that cell; moving the current cell from code never raises it; text
//     and cellBackground / cellForeground, so a redraw writes only what
//     changed
//   the dialogs: setColumnAlignment (always kCentred), widthTwips, which
//     they divide among their columns
//   the lap report: sort on the current column (kSortNumbers or kSortTexts,
//     analysis/grid_sort.h)
// rowCount, columnCount, columnWidth and columnAlignment read back, for the
// tests, what the windows set.

#include <QColor>
#include <QWidget>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace zuv {

class GridComponent : public QWidget {
    Q_OBJECT
public:
    explicit GridComponent(QWidget* parent = nullptr);

    // Counts include the fixed rows and columns. A count below the fixed
    // ones is raised to them; cells that stay keep their text and colours.
    void setRowCount(int rows);
    int rowCount() const;
    void setColumnCount(int columns);
    int columnCount() const;
    // 0 or 1 (a larger count is taken as 1).
    void setFixedRowCount(int rows);
    int fixedRowCount() const { return fixedRows_; }
    void setFixedColumnCount(int columns);

    // A row or column outside the grid is ignored.
    void setCurrentRow(int row);
    int currentRow() const { return row_; }
    void setCurrentColumn(int column);
    int currentColumn() const { return column_; }

    void setCellBackground(quint32 color);
    void setCellForeground(quint32 color);
    QColor cellBackground(int row, int column) const;
    QColor cellForeground(int row, int column) const;

    // Outside the grid: set does nothing, read gives "".
    void setText(int row, int column, const QString& text);
    QString text(int row, int column) const;

    // 1440 twips to the inch, at the screen's logical resolution; a
    // negative width puts back the default.
    void setColumnWidth(int column, int twips);
    int columnWidth(int column) const;
    // Centred across and down: the one alignment the windows give a column.
    static constexpr int kCentred = 4;
    // kCentred; any other value, like a column never set, is left and
    // middle.
    void setColumnAlignment(int column, int alignment);
    int columnAlignment(int column) const;

    // Reorders the rows below the fixed rows, whole (their fixed cells
    // too), by the current column, in the order `sortedOrder` gives for
    // `mode`; any other mode does nothing.
    void sort(int mode);

    int widthTwips() const;

    // The table itself, for tests that click on it.
    QTableWidget* table() const { return table_; }

signals:
    void clicked();

private:
    struct Cell {
        QString text;
        QColor background;
        QColor foreground;
    };

    QTableWidgetItem* item(int row, int column, bool create) const;
    QTableWidgetItem* newItem(int column) const;
    Qt::Alignment alignmentOf(int column) const;
    void setCellColor(int role, quint32 color);
    QColor cellColour(int row, int column, bool background) const;
    void setFixedCount(int& fixed, int count);
    void setCurrent(int& current, int index, int count);
    std::vector<std::vector<Cell>> snapshot() const;
    void restore(const std::vector<std::vector<Cell>>& cells);
    void applyFixedCounts();
    void syncCurrent();
    int pixels(int twips) const;

    QTableWidget* table_;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    int row_ = 0;
    int column_ = 0;
    std::vector<int> alignments_;
    QString corner_;
};

} // namespace zuv
