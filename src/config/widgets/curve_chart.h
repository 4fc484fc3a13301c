#pragma once
// The sensor editor's chart: the curve of the point table on white, the axes
// and their scale in black, the curve in red with a mark on every point.

#include "config/curve_chart_model.h"

#include <QWidget>

namespace zuv {

class CurveChart final : public QWidget {
    Q_OBJECT
public:
    explicit CurveChart(QWidget* parent = nullptr);

    // Change the model, then call update() to show it.
    CurveChartModel& model() { return model_; }
    const CurveChartModel& model() const { return model_; }

    QSize sizeHint() const override { return {360, 260}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CurveChartModel model_;
};

} // namespace zuv
