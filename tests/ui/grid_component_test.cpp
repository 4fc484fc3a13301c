// The table of the analysis windows through the real widget, offscreen:
// clicks and the current cell, colours, sorts and widths in twips.

#include "analysis/ui/grid_component.h"
#include "platform/ui/colors.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zuv::test {
namespace {

// The lap table as the window is designed: one fixed row and column.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setFixedRowCount(1);
        grid.setFixedColumnCount(1);
        grid.setColumnCount(4);
        grid.setRowCount(5);
        grid.setText(0, 1, QStringLiteral("Lap time"));
        grid.setText(1, 0, QStringLiteral("Start"));
        for (int r = 2; r < 5; ++r) {
            grid.setText(r, 0, QStringLiteral("Lap %1").arg(r - 1));
            grid.setText(r, 1, QStringLiteral("01:2%1.00").arg(r));
        }
    }

    void clickCell(int row, int column)
    {
        QTableWidget* table = grid.table();
        const QRect cell = table->visualRect(table->model()->index(row - 1, column - 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void show()
    {
        grid.resize(500, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    GridComponent grid;
};

TEST_F(GridTest, FixedCellsAreHeadingsAndKeepTheirText)
{
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.table()->rowCount(), 4);
    EXPECT_EQ(grid.table()->horizontalHeaderItem(0)->text(), QStringLiteral("Lap time"));
    EXPECT_EQ(grid.table()->verticalHeaderItem(0)->text(), QStringLiteral("Start"));
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("Lap time"));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("01:23.00"));
    EXPECT_EQ(grid.text(0, 3), QString()) << "a heading nobody wrote shows no number";
    EXPECT_EQ(grid.table()->horizontalHeaderItem(2)->text(), QString());
    EXPECT_EQ(grid.cellBackground(0, 2), grid.table()->palette().color(QPalette::Button));
    EXPECT_FALSE(grid.table()->item(2, 0)->flags() & Qt::ItemIsEditable);

    // Rows that stay keep their cells; fewer rows than the fixed ones stay
    // at the headings; cells outside give nothing and take nothing.
    grid.setRowCount(8);
    EXPECT_EQ(grid.text(4, 0), QStringLiteral("Lap 3"));
    EXPECT_EQ(grid.text(7, 0), QString());
    grid.setRowCount(0);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("Lap time"));
    grid.setText(9, 9, QStringLiteral("x"));
    EXPECT_EQ(grid.text(9, 9), QString());

    // A grid without fixed rows shows no headings at all.
    GridComponent plain;
    plain.setColumnCount(2);
    plain.setRowCount(10);
    plain.setText(0, 0, QStringLiteral("Laps"));
    EXPECT_FALSE(plain.table()->horizontalHeader()->isVisibleTo(&plain));
    EXPECT_EQ(plain.table()->item(0, 0)->text(), QStringLiteral("Laps"));
}

TEST_F(GridTest, ClickComesAfterTheCurrentCellMovesAndNeverFromCode)
{
    show();
    std::vector<std::pair<int, int>> seen;
    QObject::connect(&grid, &GridComponent::clicked, [&] {
        seen.emplace_back(grid.currentRow(), grid.currentColumn());
        // A handler that paints cells moves the current cell itself.
        grid.setCurrentRow(1);
        grid.setCurrentColumn(3);
        grid.setCellBackground(0xFFFFFF);
    });
    clickCell(3, 1);
    ASSERT_EQ(seen.size(), 1u) << "no second click from the handler's own moves";
    EXPECT_EQ(seen[0], std::make_pair(3, 1));
    EXPECT_EQ(grid.currentRow(), 1);

    QSignalSpy clicks(&grid, &GridComponent::clicked);
    grid.setCurrentRow(2);
    grid.setCurrentColumn(1);
    EXPECT_EQ(clicks.size(), 0);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 1);
    // Outside the grid the current cell stays.
    grid.setCurrentRow(5);
    grid.setCurrentColumn(-1);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 1);

    clickCell(4, 2);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(seen.back(), std::make_pair(4, 2));
}

TEST_F(GridTest, ColoursGoToTheCurrentCellOnly)
{
    grid.setCurrentColumn(2);
    grid.setCurrentRow(3);
    grid.setCellBackground(0xFF0000);
    grid.setCellForeground(0xFFFFFF);
    EXPECT_EQ(grid.cellBackground(3, 2), QColor(0, 0, 255));
    EXPECT_EQ(grid.cellForeground(3, 2), QColor(255, 255, 255));
    EXPECT_EQ(grid.table()->item(2, 1)->background().color(), QColor(0, 0, 255));
    EXPECT_EQ(grid.cellBackground(3, 3), grid.table()->palette().color(QPalette::Base));
    EXPECT_EQ(grid.cellBackground(2, 2), grid.table()->palette().color(QPalette::Base));

    grid.setCurrentColumn(1);
    grid.setCellBackground(65280);
    EXPECT_EQ(grid.cellBackground(3, 1), QColor(0, 255, 0));
    grid.setCellBackground(0x8000000F);
    EXPECT_EQ(grid.cellBackground(3, 1), colorFromValue(0x8000000F));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("01:23.00")) << "painting keeps the text";
}

TEST_F(GridTest, SortsWholeRowsStably)
{
    // The lap report: session, lap number, lap time; one fixed row.
    GridComponent report;
    report.setFixedRowCount(1);
    report.setColumnCount(3);
    report.setRowCount(6);
    const char* rows[][3] = {{"s1", "10", "01:30.00"},
                             {"s2", "2", "01:25.50"},
                             {"s3", "1", "01:30.00"},
                             {"s4", "2", "a"},
                             {"s5", "9", "B"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            report.setText(r + 1, c, QString::fromLatin1(rows[r][c]));
    report.setText(0, 0, QStringLiteral("Session"));
    const auto sessions = [&report] {
        QStringList out;
        for (int r = 1; r < report.rowCount(); ++r)
            out << report.text(r, 0);
        return out.join(' ');
    };

    report.setCurrentRow(1);
    report.setCurrentColumn(1);
    report.sort(3);
    EXPECT_EQ(sessions(), QStringLiteral("s3 s2 s4 s5 s1")) << "numbers; equal laps keep their order";
    EXPECT_EQ(report.text(1, 2), QStringLiteral("01:30.00")) << "rows move whole";
    EXPECT_EQ(report.text(0, 0), QStringLiteral("Session")) << "the heading stays";

    report.setCurrentColumn(2);
    report.sort(7);
    EXPECT_EQ(sessions(), QStringLiteral("s2 s3 s1 s5 s4")) << "texts by character code: digits, B, a";
    report.setCurrentColumn(1);
    report.sort(7);
    EXPECT_EQ(sessions(), QStringLiteral("s3 s1 s2 s4 s5")) << "as texts 10 comes before 2";
    const QString before = sessions();
    report.sort(0);
    EXPECT_EQ(sessions(), before) << "an unknown mode does nothing";

    // The fixed column of the lap table moves with its row.
    grid.setCurrentRow(1);
    grid.setCurrentColumn(1);
    grid.setText(1, 1, QStringLiteral("01:20.00"));
    grid.setText(2, 1, QStringLiteral("01:26.00"));
    grid.setText(3, 1, QStringLiteral("01:25.00"));
    grid.sort(7);
    EXPECT_EQ(grid.text(1, 0), QStringLiteral("Start"));
    EXPECT_EQ(grid.text(2, 0), QStringLiteral("Lap 3"));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("01:24.00"));
    EXPECT_EQ(grid.text(4, 0), QStringLiteral("Lap 1"));
}

TEST_F(GridTest, WidthsAndAlignmentInTheGridsUnits)
{
    show();
    const double dpi = grid.logicalDpiX();
    grid.setColumnWidth(1, 1100);
    grid.setColumnWidth(2, 1440);
    EXPECT_EQ(grid.table()->columnWidth(0), qRound(1100 * dpi / 1440));
    EXPECT_EQ(grid.table()->columnWidth(1), qRound(dpi));
    EXPECT_NEAR(grid.columnWidth(1), 1100, 1440 / dpi);
    grid.setColumnWidth(0, 720);
    EXPECT_EQ(grid.table()->verticalHeader()->width(), qRound(dpi / 2));
    EXPECT_NEAR(grid.widthTwips(), 500 * 1440 / dpi, 1);

    grid.setColumnAlignment(1, 4);
    EXPECT_EQ(grid.table()->item(1, 0)->textAlignment(), int(Qt::AlignCenter));
    grid.setText(4, 3, QStringLiteral("x"));
    EXPECT_EQ(grid.table()->item(3, 2)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));

    grid.setVisible(false);
    EXPECT_FALSE(grid.isVisible());
}

} // namespace
} // namespace zuv::test
