#pragma once
// The progress window of Program Device and Read Device: a heading, the log
// of steps and a result line. Modeless; closing it with its close box breaks
// the run off. A plain window, not a dialog: Esc does nothing there.

#include "shell/device_ops.h"

#include <QWidget>

class QLabel;

namespace zuv {

class dlgStrumento final : public QWidget, public DeviceProgressView {
    Q_OBJECT
public:
    explicit dlgStrumento(QWidget* parent = nullptr);

    void setHeading(const QString& text) override;
    void appendLog(const QString& text) override;
    QString log() const override { return log_; }
    void setResult(const QString& text) override;
    void setBusy(bool busy) override;
    bool isShown() const override { return isVisible(); }
    void closeWindow() override { close(); }

    QString heading() const;
    QString result() const;

private:
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    QString log_;
};

} // namespace zuv
