#pragma once
// A shape of the analysis window that only shows a colour: the measure and
// alarm colour swatches (a filled rectangle), the alarm lamps and the map
// marker (a filled circle). The colour is a 32-bit value with red in the
// low byte (0x00BBGGRR); one with the top bit set names a system colour.

#include <QFrame>

namespace zuv {

class Swatch : public QFrame {
    Q_OBJECT
public:
    enum class Shape { Rectangle, Circle };

    explicit Swatch(Shape shape, quint32 colour, QWidget* parent = nullptr);

    quint32 colour() const { return colour_; }
    void setColour(quint32 colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    quint32 colour_;
};

} // namespace zuv
