#pragma once

#include "platform/printer.h"
#include "platform/twips.h"

#include <QFont>

class QPainter;

namespace zuv {

// A print surface over any QPainter: twips become device pixels by the
// device's own resolution, so the same page draws alike on paper, in a PDF
// and on the screen.
class PainterSurface : public PrintSurface {
public:
    PainterSurface(QPainter& painter, double dpiX, double dpiY);

    void setPosition(int xTwips, int yTwips) override;
    void setFont(const QString& family, double pointSize, bool bold) override;
    void printLine(const QString& text) override;
    void drawBox(int xTwips, int yTwips, int widthTwips, int heightTwips) override;
    void drawLine(int x1Twips, int y1Twips, int x2Twips, int y2Twips) override;
    QPainter* painter() override { return &painter_; }
    // Back to the top left corner, as a new page needs.
    void resetPosition() { x_ = y_ = 0; }

private:
    double toX(int twips) const { return twipsToPixels(twips, dpiX_); }
    double toY(int twips) const { return twipsToPixels(twips, dpiY_); }

    QPainter& painter_;
    double dpiX_;
    double dpiY_;
    int x_ = 0;
    int y_ = 0;
};

// The printer as QPrinter: the system's default printer, or with a PDF path
// that file. No dialog is shown either way.
class QtPrinter final : public PrinterService {
public:
    explicit QtPrinter(QString pdfPath = QString());
    std::unique_ptr<PrintJob> beginDocument(const QString& title, PrintRefusal* why) override;

private:
    QString pdfPath_;
};

} // namespace zuv
