#pragma once
// The download window: a progress bar, the percent and a status line. The
// download runs once the window is shown; closing it with its close box ends
// the run before the next pair. Esc does nothing.

#include "shell/download.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zuv {

class frmDownload final : public QDialog, public DownloadView {
    Q_OBJECT
public:
    explicit frmDownload(QWidget* parent = nullptr, DownloadLink& link = instrumentDownloadLink());

    // DownloadView
    void setProgressMax(int max) override;
    void setProgressValue(int value) override;
    void setStatusText(const QString& text) override;
    void setBusy(bool on) override;
    bool closedByUser() const override { return closed_; }
    void runEnded(DownloadOutcome outcome) override;

    bool runFinished() const { return finished_; }
    DownloadOutcome outcome() const { return outcome_; }

    QPushButton* OKButton = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblPerc = nullptr;
    QLabel* lblStatoDownload = nullptr;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Activate();

    DownloadRun run_;
    bool started_ = false;
    bool closed_ = false;
    bool finished_ = false;
    DownloadOutcome outcome_ = DownloadOutcome::NothingDownloaded;
};

// The Download Data command: empties the buffers, runs the download in its
// window (modal) and then offers Save Data, whatever the download stored.
void runDownloadData(QWidget* parent, DownloadLink& link = instrumentDownloadLink());

} // namespace zuv
