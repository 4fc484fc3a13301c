// The analysis window's lap table: the laps and sectors of the session, and a
// click on a lap to show it.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/ui/grid_component.h"
#include "platform/twips.h"
#include "platform/ui/colors.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace zuv {

// The sectors of the session's circuit and the lap table from them.
void frmAnalisiDati::fillLapTable()
{
    const bool filled = session_->fillLapTable();
    showLapGrid();
    if (filled)
        return;
    // No completed lap: the whole recording as one stretch.
    MostraControlliGrafico(true);
    CalcolaScale();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::showLapGrid()
{
    const LapGrid& grid = session_->grid;
    MSFlexGrid1->setVisible(grid.visible);
    if (!grid.visible)
        return;
    const int row = MSFlexGrid1->currentRow();
    const int column = MSFlexGrid1->currentColumn();
    MSFlexGrid1->setRowCount(grid.rows);
    // The designed widths, widened where this screen's font needs it for a
    // time or a heading.
    const QFontMetrics fm(MSFlexGrid1->table()->font());
    const auto twips = [&](const QString& text) {
        return int(pixelsToTwips(fm.horizontalAdvance(text) + 14, std::max(1, MSFlexGrid1->logicalDpiX())));
    };
    const int timeWidth = twips(QStringLiteral("00:00.00"));
    for (int c = 0; c < kLapColumns; ++c)
        if (grid.widths[std::size_t(c)] > 0)
            MSFlexGrid1->setColumnWidth(c, std::max({grid.widths[std::size_t(c)], timeWidth, twips(grid.text(0, c))}));
    // Only what changed is written: a click repaints two rows and the marks,
    // not a table of a thousand laps.
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < kLapColumns; ++c) {
            const QString text = grid.text(r, c);
            if (MSFlexGrid1->text(r, c) != text)
                MSFlexGrid1->setText(r, c, text);
            if (r == 0 || c == 0)
                continue;
            const CellColours cell = grid.colours(r, c);
            if (MSFlexGrid1->cellBackground(r, c) == colorFromValue(cell.back)
                && MSFlexGrid1->cellForeground(r, c) == colorFromValue(cell.fore))
                continue;
            MSFlexGrid1->setCurrentRow(r);
            MSFlexGrid1->setCurrentColumn(c);
            MSFlexGrid1->setCellBackground(cell.back);
            MSFlexGrid1->setCellForeground(cell.fore);
        }
    }
    MSFlexGrid1->setCurrentRow(row);
    MSFlexGrid1->setCurrentColumn(column);
}

void frmAnalisiDati::MSFlexGrid1_Click()
{
    const LapSelection sel = session_->selectLap(MSFlexGrid1->currentRow(), MSFlexGrid1->currentColumn());
    if (sel.selected) {
        setTabCaptions();
        MostraControlliGrafico(sel.showChart);
        if (sel.showChart) {
            CalcolaScale();
            RidisegnaGraficoAttivo();
        }
    }
    showLapGrid();
}

void frmAnalisiDati::MostraControlliGrafico(bool show)
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraMisure, SSTab1, cmdScorriDX, cmdScorriSX, cmdSpostaDX1,
                                                      cmdSpostaDX10, cmdSpostaSX1, cmdSpostaSX10, cmdZoomIn10,
                                                      cmdZoomIn50, cmdZoomOut10, cmdZoomOut50, lblZoom})
        w->setVisible(show);
    showMap(show && session_->blnCircuitoVisibile());
}

} // namespace zuv
