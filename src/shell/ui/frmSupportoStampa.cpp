#include "shell/ui/frmSupportoStampa.h"

#include "platform/twips.h"
#include "platform/ui/qtprinter.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zuv {

frmSupportoStampa::frmSupportoStampa(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSupportoStampa"));
    auto* scroll = new QScrollArea(this);
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAlignment(Qt::AlignCenter);
    sheet_ = new QLabel;
    sheet_->setFrameStyle(QFrame::Box | QFrame::Plain);
    scroll->setWidget(sheet_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void frmSupportoStampa::drawPage(QSize twips, const std::function<void(PrintSurface&)>& draw)
{
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    const QSize pixels(int(twipsToPixels(twips.width(), dpi)) + 2, int(twipsToPixels(twips.height(), dpi)) + 2);
    page_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    page_.setDotsPerMeterX(int(dpi / 0.0254));
    page_.setDotsPerMeterY(int(dpi / 0.0254));
    page_.fill(Qt::white);
    {
        QPainter painter(&page_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PainterSurface surface(painter, dpi, dpi);
        draw(surface);
    }
    sheet_->setPixmap(QPixmap::fromImage(page_));
    sheet_->adjustSize();
    resize(pixels + QSize(40, 40));
}

} // namespace zuv
