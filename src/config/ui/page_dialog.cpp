#include "config/ui/page_dialog.h"

#include "config/ui/editor_widgets.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/state.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace zuv {

PageDialog::PageDialog(QWidget* parent, const char* name) : QDialog(parent)
{
    setObjectName(QLatin1String(name));
    setModal(true);
}

PageDialog::~PageDialog() { releasePage(); }

void PageDialog::registerPage(ActivePage* page)
{
    page_ = page;
    ImpostaFormAttivo(page);
}

void PageDialog::releasePage()
{
    if (page_ && StatoComunicazione.FormAttivo == page_)
        ImpostaFormAttivo(nullptr);
}

void PageDialog::done(int r)
{
    QDialog::done(r);
    // A run still waiting on the link keeps the page registered until it ends.
    if (running_)
        closedDuringRun_ = true;
    else
        releasePage();
}

void PageDialog::CancelButton_Click() { reject(); }

void PageDialog::buildPageButtons()
{
    fraStrumento_ = named(new QGroupBox(this), "fraStrumento");
    cmdInviaDati_ = named(new QPushButton(this), "cmdInviaDati");
    cmdLeggiDati_ = named(new QPushButton(this), "cmdLeggiDati");
    auto* instrument = new QHBoxLayout(fraStrumento_);
    instrument->addWidget(cmdInviaDati_);
    instrument->addWidget(cmdLeggiDati_);
    OKButton_ = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    OKButton_->setDefault(true);
    CancelButton_ = named(new QPushButton(this), "CancelButton");

    checker_ = new BoxChecker(this);
    for (QWidget* w : {static_cast<QWidget*>(OKButton_), static_cast<QWidget*>(CancelButton_),
                       static_cast<QWidget*>(cmdInviaDati_), static_cast<QWidget*>(cmdLeggiDati_)})
        checker_->passThrough(w);

    connect(cmdInviaDati_, &QPushButton::clicked, this, [this] { cmdInviaDati_Click(); });
    connect(cmdLeggiDati_, &QPushButton::clicked, this, [this] { cmdLeggiDati_Click(); });
    connect(OKButton_, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton_, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

QHBoxLayout* PageDialog::okCancelRow()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton_);
    buttons->addWidget(CancelButton_);
    return buttons;
}

void PageDialog::setPageButtonCaptions()
{
    CancelButton_->setText(languageText(35));
    fraStrumento_->setTitle(languageText(181));
    cmdInviaDati_->setText(languageText(182));
    cmdLeggiDati_->setText(languageText(183));
}

void PageDialog::loadInstrumentState()
{
    instrumentOn_ = StatoComunicazione.StrumentoPresente;
    cmdInviaDati_->setEnabled(instrumentOn_);
    cmdLeggiDati_->setEnabled(instrumentOn_);
}

void PageDialog::followInstrument(bool on)
{
    instrumentOn_ = on;
    if (running_)
        return;
    cmdInviaDati_->setEnabled(on);
    cmdLeggiDati_->setEnabled(on);
}

void PageDialog::cmdInviaDati_Click() { exchange(true); }

void PageDialog::cmdLeggiDati_Click() { exchange(false); }

void PageDialog::OKButton_Click()
{
    // The focus may never have left a box (Enter presses OK): every box is
    // checked here, before anything is written.
    if (running_ || !checksPass(false))
        return;
    storeRecord();
    ProgettoModificato = true;
    accept();
}

bool PageDialog::checksPass(bool) { return checker_->checkAll(); }

void PageDialog::exchange(bool send)
{
    if (running_)
        return;
    if (send && !checksPass(true))
        return;
    running_ = true;
    const bool ran = runExchange(send) != PageExchangeEnd::Declined;
    for (auto& [w, wasEnabled] : locked_)
        if (w)
            w->setEnabled(wasEnabled);
    locked_.clear();
    if (ran) {
        afterRun(send ? cmdInviaDati_ : cmdLeggiDati_);
    } else {
        running_ = false;
        if (closedDuringRun_)
            releasePage();
        closedDuringRun_ = false;
    }
}

void PageDialog::runStarts()
{
    startedVisible_ = isVisible();
    // No second run may start inside this one's waits, nor OK store the page
    // while its values are on their way; Cancel and the page stay as they are.
    for (QWidget* w : {cmdInviaDati_, cmdLeggiDati_, OKButton_}) {
        locked_.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
    setCursor(Qt::WaitCursor);
}

void PageDialog::runEnding() { unsetCursor(); }

bool PageDialog::closedDuringRun() const { return startedVisible_ && !isVisible(); }

void PageDialog::afterRun(QPushButton* started)
{
    running_ = false;
    cmdInviaDati_->setEnabled(instrumentOn_);
    cmdLeggiDati_->setEnabled(instrumentOn_);
    // Locking the button moved the focus on to Cancel, where Enter would
    // throw away the values just read: it goes back where the run started
    // (to OK when that button is off now).
    if (!closedDuringRun_ && isVisible())
        (started->isEnabled() ? started : OKButton_)->setFocus(Qt::OtherFocusReason);
    if (closedDuringRun_)
        releasePage();
    closedDuringRun_ = false;
}

} // namespace zuv
