#include "shell/ui/frmStampaDatiProgetto.h"

#include "platform/messages.h"
#include "platform/twips.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/print_texts.h"
#include "project/state.h"
#include "shell/command_captions.h"
#include "shell/ui/frmSupportoStampa.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zuv {

namespace {

constexpr int kPageWidth = 9000;
constexpr int kPageHeight = 8760;
constexpr int kLineHeight = 300;
const QString kFont = QStringLiteral("Sans Serif");

PageItem label(const char* name, int left, int top, int width, const QString& text, bool bold = false,
               double size = 10)
{
    PageItem item;
    item.kind = PageItem::Kind::Label;
    item.name = QString::fromLatin1(name);
    item.twips = QRect(left, top, width, kLineHeight + int(size - 10) * 30);
    item.fontName = kFont;
    item.fontSize = size;
    item.bold = bold;
    item.text = text;
    return item;
}

PageItem shape(const char* name, const QRect& twips)
{
    PageItem item;
    item.kind = PageItem::Kind::Shape;
    item.name = QString::fromLatin1(name);
    item.twips = twips;
    return item;
}

QString withColon(const QString& text) { return withoutMnemonic(text) + QStringLiteral(" :"); }

} // namespace

QString enabledPagesText(const ProjectRecord& p)
{
    const bool pages[10] = {p.PaginaAbilitata1, p.PaginaAbilitata2, p.PaginaAbilitata3, p.PaginaAbilitata4,
                            p.PaginaAbilitata5, p.PaginaAbilitata6, p.PaginaAbilitata7, p.PaginaAbilitata8,
                            p.PaginaAbilitata9, p.PaginaAbilitata10};
    QString text;
    for (int i = 0; i < 10; ++i) {
        if (pages[i])
            text += QString::number(i + 1) + QStringLiteral("  ");
    }
    return text;
}

QSize printoutSizeTwips() { return QSize(kPageWidth, kPageHeight); }

std::vector<PageItem> printoutItems()
{
    computeLanguageOffset();
    const ProjectRecord& p = DatiProgetto;
    const int cap = 480;   // captions of a group
    const int sub = 720;   // captions inside a subgroup
    const int val = 4680;  // values
    const int capW = 4000;
    const int valW = 4000;
    return {
        label("lblProgetto", 360, 240, 2400, withoutMnemonic(languageText(1)), true, 14),
        label("lblNomeProgetto", 2880, 240, 5760, p.NomeProgetto, true, 14),
        label("lblConfigurazione", 360, 960, capW, withoutMnemonic(languageText(10)), true, 11),
        label("lblLinguaDisplay", cap, 1440, capW, withColon(languageText(25))),
        label("lblValLinguaDisplay", val, 1440, valW, nameInTable(NomiLingue, p.Lingua)),
        label("lblUMVelocita", cap, 1800, capW, withColon(languageText(27))),
        label("lblUMPressione", cap, 2160, capW, withColon(languageText(28))),
        label("lblUMTemperatura", cap, 2520, capW, withColon(languageText(29))),
        label("lblValUMVel", val, 1800, valW, nameInTable(NomiUMVelocita, p.UMVel)),
        label("lblValUMPress", val, 2160, valW, nameInTable(NomiUMPressione, p.UMPress)),
        label("lblValUMTemp", val, 2520, valW, nameInTable(NomiUMTemperatura, p.UMTemp)),
        label("lblPagineAbilitate", cap, 2880, capW, withColon(languageText(30))),
        label("lblValPagineAbilitate", val, 2880, valW, enabledPagesText(p)),
        label("lblSensori", 360, 3720, capW, withoutMnemonic(languageText(12)), true, 11),
        label("lblVelocitaVettura", cap, 4200, capW, withoutMnemonic(languageText(59)), true),
        label("lblNumImpulsi", sub, 4560, capW - 240, withoutMnemonic(languageText(65))),
        label("lblDiametroRuota", sub, 4920, capW - 240, withoutMnemonic(languageText(66))),
        label("lblValNumImpulsi", val, 4560, valW, QString::number(p.ImpulsiRuota)),
        label("lblValDiametroRuota", val, 4920, valW, QString::number(p.DiametroRuota)),
        label("lblRPM", cap, 5760, capW, withoutMnemonic(languageText(53)), true),
        label("lblNumAcc", sub, 6120, capW - 240, withoutMnemonic(languageText(56))),
        label("lblTCRPM", sub, 6480, capW - 240, withoutMnemonic(languageText(57))),
        label("lblValNumAcc", val, 6120, valW, QString::number(p.NumAccRPM)),
        label("lblValTCRPM", val, 6480, valW, p.TCampRPM),
        label("lblTCVV", sub, 5280, capW - 240, QStringLiteral("Tipo di campionamento")),
        label("lblValTCVV", val, 5280, valW, p.TCampVV),
        label("lblPressOlio", cap, 6960, capW, QStringLiteral("Pressione Olio"), true),
        label("lblNomePO", sub, 7320, capW - 240, QStringLiteral("Nome sensore")),
        label("lblValNomePO", val, 7320, valW, p.PressioneOlio),
        label("lblTemperOlio", cap, 7800, capW, QStringLiteral("Temperatura Olio"), true),
        label("lblNomeTO", sub, 8160, capW - 240, QStringLiteral("Nome sensore")),
        label("lblValNomeTO", val, 8160, valW, p.TemperaturaOlio),
        shape("Shape1", QRect(240, 840, 8520, 2520)),
        shape("Shape2", QRect(240, 3600, 8520, 4920)),
    };
}

void StampaTesto(PrintSurface& target, const PageItem& control, const QString& text, bool textBox)
{
    int x = control.twips.left();
    int y = control.twips.top();
    if (textBox) {
        // Inside the box, clear of its outline.
        const int inset = int(std::lround(0.2 * control.fontSize * 20));
        x += inset;
        y += inset;
    }
    target.setPosition(x, y);
    target.setFont(control.fontName, control.fontSize, control.bold);
    target.printLine(text);
    if (textBox)
        target.drawBox(control.twips.left(), control.twips.top(), control.twips.width(), control.twips.height());
}

void StampaRiquadro(PrintSurface& target, const PageItem& shape)
{
    target.drawBox(shape.twips.left(), shape.twips.top(), shape.twips.width(), shape.twips.height());
}

void StampaForm(PrintSurface& target, const std::vector<PageItem>& source, QSize innerTwips, bool border)
{
    for (const PageItem& item : source) {
        switch (item.kind) {
        case PageItem::Kind::Label:
            StampaTesto(target, item, item.text, false);
            break;
        case PageItem::Kind::TextBox:
            StampaTesto(target, item, item.text, true);
            break;
        case PageItem::Kind::Shape:
            StampaRiquadro(target, item);
            break;
        }
    }
    if (border)
        target.drawBox(0, 0, innerTwips.width(), innerTwips.height());
}

frmStampaDatiProgetto::frmStampaDatiProgetto(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmStampaDatiProgetto"));
    setWindowTitle(withoutMnemonic(languageText(7)));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    items_ = printoutItems();
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    for (const PageItem& item : items_) {
        const QRect r(roundedPixels(item.twips.left(), dpi), roundedPixels(item.twips.top(), dpi),
                      roundedPixels(item.twips.width(), dpi), roundedPixels(item.twips.height(), dpi));
        if (item.kind == PageItem::Kind::Shape) {
            auto* frame = new QFrame(this);
            frame->setObjectName(item.name);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setGeometry(r);
            frame->lower();
            continue;
        }
        auto* text = new QLabel(item.text, this);
        text->setObjectName(item.name);
        text->setTextFormat(Qt::PlainText);
        QFont font(item.fontName);
        font.setPointSizeF(item.fontSize);
        font.setBold(item.bold);
        text->setFont(font);
        text->setGeometry(r.adjusted(0, 0, 0, 4));
    }

    const QSize page = printoutSizeTwips();
    const int buttonsTop = roundedPixels(page.height(), dpi) + 8;
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPreview = new QPushButton(QStringLiteral("Preview"), this);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    const int width = roundedPixels(page.width(), dpi);
    cmdPreview->setGeometry(width - 2 * 100 - 24, buttonsTop, 100, 28);
    cmdPrint->setGeometry(width - 100 - 16, buttonsTop, 100, 28);
    connect(cmdPrint, &QPushButton::clicked, this, &frmStampaDatiProgetto::cmdPrint_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmStampaDatiProgetto::cmdPreview_Click);
    setFixedSize(width, buttonsTop + 28 + 12);
}

bool frmStampaDatiProgetto::cmdPrint_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintResult outcome = printDocument(printer(), windowTitle(), [this](PrintJob& job) {
        StampaForm(job, items_, printoutSizeTwips(), true);
    });
    QApplication::restoreOverrideCursor();
    if (!outcome.printed)
        msgBox(this, outcome.message, MsgIcon::Critical);
    return outcome.printed;
}

void frmStampaDatiProgetto::cmdPreview_Click()
{
    if (!preview_) {
        preview_ = new frmSupportoStampa(this);
        preview_->setAttribute(Qt::WA_DeleteOnClose);
        preview_->setWindowTitle(windowTitle());
    }
    preview_->drawPage(printoutSizeTwips() + QSize(15, 15), [this](PrintSurface& surface) {
        StampaForm(surface, items_, printoutSizeTwips(), true);
    });
    preview_->show();
    preview_->raise();
}

} // namespace zuv
