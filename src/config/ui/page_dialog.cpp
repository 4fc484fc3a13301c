#include "config/ui/page_dialog.h"

#include "config/ui/editor_widgets.h"
#include "link/link_guard.h"
#include "platform/messages.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/state.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

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
    CancelButton_->setText(Testo(35));
    fraStrumento_->setTitle(Testo(181));
    cmdInviaDati_->setText(Testo(182));
    cmdLeggiDati_->setText(Testo(183));
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

void PageDialog::exchange(const Exchange& x, const std::function<bool()>& ready,
                          const std::function<RunResult(PageRun&)>& steps)
{
    if (running_)
        return;
    // Clicked while another exchange waits: try again once it is over.
    if (linkBusy()) {
        const bool send = x.send;
        QTimer::singleShot(20, this, [this, send] { send ? cmdInviaDati_Click() : cmdLeggiDati_Click(); });
        return;
    }
    if (x.send && ready && !ready())
        return;
    const QString question = x.send ? Testo(147) : Testo(232);
    if (msgBox(question + QStringLiteral("\r\n") + Testo(148), MsgIcon::None, MsgButtons::OkCancel, x.title)
        != MsgAnswer::Ok)
        return;
    running_ = true;
    {
        std::vector<QWidget*> off{cmdInviaDati_, cmdLeggiDati_, OKButton_};
        off.insert(off.end(), x.alsoOff.begin(), x.alsoOff.end());
        PageRun run(this, x.comando, x.panel3, off);
        const RunResult r = steps(run);
        StatoComunicazione.ErroreComunicazione = !r.ok;
        run.finish();
        if (r.broken)
            msgBox(x.send ? Testo(229) : Testo(233), MsgIcon::Information);
        if (!r.ok)
            msgBox(Testo(230), MsgIcon::Information);
        else if (!r.broken && !x.success.isEmpty())
            msgBox(x.success, MsgIcon::Information, MsgButtons::Ok, x.successTitle);
    }
    afterRun(x.send ? cmdInviaDati_ : cmdLeggiDati_);
}

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
