#pragma once
// The preview surface: a window that shows what was drawn on it, in twips,
// until it is closed.

#include <QImage>
#include <QWidget>
#include <functional>

class QLabel;

namespace zuv {

class PrintSurface;

class frmSupportoStampa : public QWidget {
    Q_OBJECT
public:
    explicit frmSupportoStampa(QWidget* parent = nullptr);

    // A blank sheet of that size; `draw` then paints on it in twips.
    void drawPage(QSize twips, const std::function<void(PrintSurface&)>& draw);
    const QImage& page() const { return page_; }

private:
    QLabel* sheet_;
    QImage page_;
};

} // namespace zuv
