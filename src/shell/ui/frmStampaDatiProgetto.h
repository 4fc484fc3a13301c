#pragma once
// A one-page summary of the project's main settings: a window of labels and
// frames that Print sends to the printer and Preview draws on a window of
// its own, each control at its place and in its font.

#include "platform/printer.h"
#include "shell/ui/frmSupportoStampa.h"

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class QPushButton;

namespace zuv {

struct ProjectRecord;

// One control of the page, measured in twips.
struct PageItem {
    enum class Kind { Label, TextBox, Shape };
    Kind kind = Kind::Label;
    QString name;
    QRect twips;
    QString fontName;
    double fontSize = 10;
    bool bold = false;
    QString text;
};

// The page numbers of the enabled display pages, each followed by two
// blanks: "2  3  9  "; empty when none is.
QString enabledPagesText(const ProjectRecord& project);

// The page's controls in their order, filled from `DatiProgetto`, the name
// tables and the current language.
std::vector<PageItem> printoutItems();

// The page's inner size in twips.
QSize printoutSizeTwips();

// Copies the controls onto `target` (labels and text boxes as text, text
// boxes and shapes as outlines) and, with `border`, a frame of the page's
// inner size.
void StampaForm(PrintSurface& target, const std::vector<PageItem>& source, QSize innerTwips, bool border);
void StampaTesto(PrintSurface& target, const PageItem& control, const QString& text, bool textBox);
void StampaRiquadro(PrintSurface& target, const PageItem& shape);

class frmStampaDatiProgetto : public QWidget {
    Q_OBJECT
public:
    explicit frmStampaDatiProgetto(QWidget* parent = nullptr);

    const std::vector<PageItem>& items() const { return items_; }
    frmSupportoStampa* preview() const { return preview_; }

    QPushButton* cmdPrint;
    QPushButton* cmdPreview;

public slots:
    // True when the page went to the printer.
    bool cmdPrint_Click();
    void cmdPreview_Click();

private:
    std::vector<PageItem> items_;
    QPointer<frmSupportoStampa> preview_;
};

} // namespace zuv
