#pragma once
// What a redraw of an analysis window's charts plots: the rows of the lap
// that the visible range covers, each checked measure's band, y range,
// scale and stride, the alarm traces, and the rules of the measure check
// boxes and of the overlaid/separate buttons. The window hands each planned
// trace to its chart and sets the measure rows' looks from `drawn`.

#include "analysis/colour_values.h"
#include "analysis/measure_scales.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace zuv {

// Separate mode draws each measure in a band of its own, at most this many.
inline constexpr int kMaxSeparate = 3;
// The alarm traces' y axis runs from 0 to this.
inline constexpr double kAlarmsYMax = 18;

struct TraceState {
    bool blnSeparati = false;
    // Mirror of the `chkGrafico` boxes, by measure.
    std::array<bool, kMaxMeasure + 1> checked{};
    int NumGraficiAttivi = 0;
    int BandaSeparata = 0;
    int UltimaMisuraDisegnata = 0;
    qint64 RigaInizioTraccia = 0;
    qint64 RigaFineTraccia = 0;
    // The measure whose `optScala` is selected; 0 for none.
    int chosenScale = 0;
};

struct TraceRows {
    qint64 first = 0;
    qint64 last = 0;
    // The view starts after the lap's last row: nothing to plot.
    bool empty() const { return last < first; }
};
// The rows of the lap (`first` to `end`, as the caller numbers them) that
// the visible x range covers. Each end moves only when the view cuts into
// the lap (a `MinX` strictly after the lap's first time, a lap that runs
// past `MaxX`), by ten rows a second from the lap's first row, halves to
// even; the end never passes `end`.
TraceRows traceRows(qint64 first, qint64 end, const ViewState& view, const RowValue& timeAt);

struct YRange {
    double from = 0;
    double to = 0;
};
// The y range of a measure in its own band: a tenth of each bound beyond
// it, away from the data, never empty or upside down.
YRange separateRange(double min, double max);

// Data rows from one plotted point of a trace to the next.
int traceStride(int filter, int stride);

// The look of a measure row: drawn (bold on yellow, "Set" enabled and
// yellow, scale option enabled) or not.
struct RowLook {
    bool bold = false;
    quint32 valueBack = kColourWhite;
    bool setEnabled = false;
    quint32 setBack = kColourButtonFace;
    bool scaleEnabled = false;
};
RowLook measureRowLook(bool drawn);

// One trace to plot.
struct TracePlot {
    int column = 0; // measure 3..20, or alarms column 3..10
    int band = 0;   // 0 overlaid, 1..3 separate
    double yFrom = 0;
    double yTo = 0;
    double scale = 1;
    int stride = 1;
    quint32 colour = 0;
    int width = 1;
    QString name; // empty for alarms
    // Separate mode: the band's y axis.
    quint32 axisColour = 0;
    QString axisCaption;
};

struct TracePlan {
    // Separate mode with more than three measures checked: show language
    // text 145 and leave the chart as it is.
    bool refused = false;
    double xFrom = 0;
    double xTo = 0;
    TraceRows rows;
    // Nothing when `rows` is empty; the measure rows still take `drawn`.
    std::vector<TracePlot> plots;
    std::array<bool, kMaxMeasure + 1> drawn{};
    // Measure rows 3 to this one take the look of `drawn`; later ones keep
    // the look they have.
    int lastLook = kMaxMeasure;
};

// `DisegnaGrafici` without the chart: recomputes the stride, the trace rows,
// `UltimaMisuraDisegnata` and `BandaSeparata`, and lists the checked
// measures 3 to 20 in order. With `stopPastLap` (the fast window) a view
// that starts after the lap's last row ends the plan at the first checked
// measure: neither it nor a later one is drawn or changes its look.
TracePlan planMeasureTraces(TraceState& t, const MeasureState& m, ViewState& view, qint64 first,
                            qint64 end, const RowValue& timeAt, bool stopPastLap = false);

// `DisegnaAllarmi` without the chart: the eight alarm columns 3 to 10 on y 0
// to 18, with the alarms data's own time of a row. With `stopPastLap` a view
// after the lap's last row plans no alarm at all.
TracePlan planAlarmTraces(TraceState& t, ViewState& view, qint64 first, qint64 end,
                          const RowValue& alarmsTimeAt, bool stopPastLap = false);

// `chkGrafico_Click` after box `index` changed to `nowChecked`.
struct CheckClick {
    // The "Separati" key: enabled or disabled; nothing in separate mode.
    std::optional<bool> separateKeyEnabled;
    // The measure whose scale option to select (its handler redraws); 0 to
    // leave the options alone. A redraw follows in every case.
    int selectScale = 0;
};
CheckClick measureCheckClick(TraceState& t, int index, bool nowChecked);

// `ImpostaSovrapposti`'s rule for the "Separati" key ("SetZoom" is
// enabled): enabled below four measures, else released and disabled.
struct SeparateKey {
    bool enabled = true;
    bool release = false;
};
SeparateKey separateKeyWhenOverlaid(int activeCount);

// Separate mode holds at most three traces.
bool separateRefused(const TraceState& t);

} // namespace zuv
