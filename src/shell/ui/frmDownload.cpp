#include "shell/ui/frmDownload.h"

#include "project/state.h"
#include "shell/export_data.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace zuv {

frmDownload::frmDownload(QWidget* parent, DownloadLink& link)
    : QDialog(parent), run_(*this, link)
{
    setObjectName(QStringLiteral("frmDownload"));
    setWindowTitle(languageText(20));
    setModal(true);

    lblStatoDownload = new QLabel(this);
    lblStatoDownload->setObjectName(QStringLiteral("lblStatoDownload"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    lblPerc = new QLabel(QStringLiteral("0 %"), this);
    lblPerc->setObjectName(QStringLiteral("lblPerc"));
    lblPerc->setMinimumWidth(48);
    lblPerc->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setEnabled(false);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* bar = new QHBoxLayout;
    bar->addWidget(ProgressBar1, 1);
    bar->addWidget(lblPerc);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatoDownload);
    layout->addLayout(bar);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void frmDownload::setProgressMax(int max) { ProgressBar1->setMaximum(max); }

void frmDownload::setProgressValue(int value)
{
    ProgressBar1->setValue(std::clamp(value, ProgressBar1->minimum(), ProgressBar1->maximum()));
    lblPerc->setText(QString::number(value) + QStringLiteral(" %"));
}

void frmDownload::setStatusText(const QString& text) { lblStatoDownload->setText(text); }

void frmDownload::setBusy(bool on)
{
    if (on)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmDownload::runEnded(DownloadOutcome outcome)
{
    finished_ = true;
    outcome_ = outcome;
    OKButton->setEnabled(true);
    // A download that gave up closes its window, like any failed instrument read.
    if (outcome == DownloadOutcome::Failed && isVisible())
        QDialog::reject();
}

void frmDownload::reject()
{
    closed_ = true;
    QDialog::reject();
}

void frmDownload::keyPressEvent(QKeyEvent* event)
{
    // The window has no Cancel: only its close box breaks the download off.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDownload::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Shown again (minimised and restored) must not start a second run.
    if (started_)
        return;
    started_ = true;
    QPointer<frmDownload> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->Form_Activate();
    });
}

void frmDownload::Form_Activate()
{
    // The window outlives the run: exec() returns only once this returns.
    run_.run();
}

void runDownloadData(QWidget* parent, DownloadLink& link)
{
    resetDownloadBuffers();
    {
        frmDownload window(parent, link);
        window.exec();
    }
    runSaveData();
}

} // namespace zuv
