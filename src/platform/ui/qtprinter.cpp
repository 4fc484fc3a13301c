#include "platform/ui/qtprinter.h"

#include "platform/twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zuv {

PainterSurface::PainterSurface(QPainter& painter, double dpiX, double dpiY)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY)
{
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::setPosition(int xTwips, int yTwips)
{
    x_ = xTwips;
    y_ = yTwips;
}

void PainterSurface::setFont(const QString& family, double pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize > 0 ? pointSize : 10);
    font.setBold(bold);
    painter_.setFont(font);
}

void PainterSurface::printLine(const QString& text)
{
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    painter_.drawText(QPointF(toX(x_), toY(y_) + metrics.ascent()), text);
    // The next line starts below this one, as on a line printer.
    y_ += int(pixelsToTwips(metrics.height(), dpiY_));
}

void PainterSurface::drawBox(int xTwips, int yTwips, int widthTwips, int heightTwips)
{
    painter_.drawRect(QRectF(toX(xTwips), toY(yTwips), toX(widthTwips), toY(heightTwips)));
}

void PainterSurface::drawLine(int x1Twips, int y1Twips, int x2Twips, int y2Twips)
{
    painter_.drawLine(QPointF(toX(x1Twips), toY(y1Twips)), QPointF(toX(x2Twips), toY(y2Twips)));
}

namespace {

class QtPrintJob final : public PrintJob {
public:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer)
        : printer_(std::move(printer)), painter_(printer_.get()),
          surface_(painter_, printer_->resolution(), printer_->resolution())
    {
    }

    bool active() const { return painter_.isActive(); }

    void setPosition(int x, int y) override { surface_.setPosition(x, y); }
    void setFont(const QString& family, double pointSize, bool bold) override
    {
        surface_.setFont(family, pointSize, bold);
    }
    void printLine(const QString& text) override { surface_.printLine(text); }
    void drawBox(int x, int y, int w, int h) override { surface_.drawBox(x, y, w, h); }
    void drawLine(int x1, int y1, int x2, int y2) override { surface_.drawLine(x1, y1, x2, y2); }
    QPainter* painter() override { return &painter_; }
    void newPage() override
    {
        printer_->newPage();
        surface_.resetPosition();
    }
    bool endDocument() override { return painter_.end(); }

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    PainterSurface surface_;
};

} // namespace

QtPrinter::QtPrinter(QString pdfPath) : pdfPath_(std::move(pdfPath)) {}

std::unique_ptr<PrintJob> QtPrinter::beginDocument(const QString& title, PrintRefusal* why)
{
    const auto refuse = [why](PrintFault fault, const QString& where) {
        if (why)
            *why = {fault, where};
        return nullptr;
    };
    std::unique_ptr<QPrinter> printer;
    QString where = pdfPath_;
    if (!pdfPath_.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath_);
    } else {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (system.isNull())
            return refuse(QPrinterInfo::availablePrinterNames().isEmpty() ? PrintFault::NoPrinter
                                                                          : PrintFault::NoDefaultPrinter,
                          QString());
        printer = std::make_unique<QPrinter>(system, QPrinter::HighResolution);
        where = system.printerName();
    }
    printer->setDocName(title);
    auto job = std::make_unique<QtPrintJob>(std::move(printer));
    if (!job->active())
        return refuse(PrintFault::NotStarted, where);
    return job;
}

} // namespace zuv
