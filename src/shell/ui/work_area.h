#pragma once
// The main window's empty work area, over which the program's windows open:
// a quiet background with the program's mark in the middle.

#include <QWidget>

namespace zuv {

class WorkArea : public QWidget {
    Q_OBJECT
public:
    explicit WorkArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zuv
