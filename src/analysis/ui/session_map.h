#pragma once
// A map box that shows a drawing of the circuit: lines and sector numbers
// placed in twips, drawn at the screen the windows were laid out on (15
// twips to a pixel, whatever the screen), each line 4 pixels wide and the
// numbers black, bold, 12 points with their top-left corner on the point.

#include "analysis/session_dialog.h"

#include <QWidget>

namespace zuv {

class SessionMap : public QWidget {
    Q_OBJECT
public:
    // `widthTwips` x `heightTwips` on screen.
    SessionMap(int widthTwips, int heightTwips, QWidget* parent = nullptr);

    // Replaces what the box shows.
    void setDrawing(const MapDrawing& drawing);
    const MapDrawing& drawing() const { return drawing_; }

    // Twips to the pixel of the box they fall on.
    static QPoint toPixels(const QPoint& twips);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MapDrawing drawing_;
};

} // namespace zuv
