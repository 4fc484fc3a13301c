#pragma once
// The modeless dialogs of the analysis window (statistics, per-measure
// statistics, lap report): at most one of each class is open; opening it
// again only brings it forward, without filling it again; closing it deletes
// it, so the next opening fills a fresh one; and the window closes all of
// them when it closes itself.
//
// Entry points for the window:
//   dlgStatistiche::open(owner)        the "Statistiche" key
//   dlgStatisticheMisure::open(owner)  the "StatisticheMisure" key
//   dlgReportGiri::open(owner)         the "ReportGiri" key
//   dlgSetGraph::edit(owner, i)        a measure row's settings button
//   closeAnalysisDialogs()             the window's close

#include <QDialog>
#include <QMetaObject>
#include <vector>

class QVBoxLayout;

namespace zuv {

class AnalysisInterface;
class GridComponent;

// A dialog around one grid `MSFlexGrid1` whose columns share out the grid's
// width in fixed parts, when it loads and again whenever it is resized.
class GridDialog : public QDialog {
    Q_OBJECT
public:
    GridComponent* MSFlexGrid1;

protected:
    // The grid, with `columns` and `fixedRows` as designed, fills
    // `layout_`, below which a dialog may add its buttons.
    GridDialog(QWidget* parent, int columns, int fixedRows);
    // Column widths in twips for a grid `gridTwips` wide.
    virtual std::vector<int> columnWidths(int gridTwips) const = 0;
    // The widths for the grid as laid out now.
    void sizeColumns();
    void resizeEvent(QResizeEvent* event) override;

    QVBoxLayout* layout_;
};

namespace detail {
QDialog* raiseOpenDialog(const QMetaObject& kind);
}

// The open dialog of class `D`, brought forward; nullptr when none is open.
template <class D>
D* raiseOpenDialog()
{
    return static_cast<D*>(detail::raiseOpenDialog(D::staticMetaObject));
}

// Shows `dialog` beside its owner without waiting, deleted once closed, as
// the open dialog of its class.
void showModeless(QDialog* dialog);

// The open dialog of class `D` brought forward, or a new one shown beside
// `owner`.
template <class D>
D* openModeless(QWidget* owner)
{
    if (D* d = raiseOpenDialog<D>())
        return d;
    auto* d = new D(owner);
    showModeless(d);
    return d;
}

// A window with at least one completed lap; otherwise text 302 is shown
// as a box of `owner` (nothing when no analysis window is open) and false
// comes back.
bool completedLaps(const AnalysisInterface* w, QWidget* owner);

// Closes and deletes every open dialog of the analysis window.
void closeAnalysisDialogs();

// Sizes `widget` in twips at the screen's logical resolution.
void resizeTwips(QWidget& widget, int widthTwips, int heightTwips);

} // namespace zuv
