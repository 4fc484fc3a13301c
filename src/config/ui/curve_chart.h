#pragma once
// The sensor editor's chart: the curve of the point table on white, the axes
// and their scale in black, the curve in red with a mark on every point.

#include "config/curve_chart_model.h"

#include <QFontMetrics>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

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

    // Where everything goes at a size: the frame, the plot inside it (the
    // points map there, so a point on the range's edge is drawn whole inside
    // the frame) and each scale label with its text.
    struct Label {
        QRectF rect;
        QString text;
    };
    struct Layout {
        QRectF frame;
        QRectF plot;
        std::vector<double> xTicks;
        std::vector<double> yTicks;
        std::vector<Label> labels;
        bool drawable = false;
    };
    Layout layoutFor(QSize size, const QFontMetrics& fm) const;

    // The radius of a point's mark.
    static constexpr double kPointRadius = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CurveChartModel model_;
};

} // namespace zuv
