#pragma once
// Live values, alarm lamps and raw inputs of the instrument, refreshed until
// the dialog is closed. Modal.

#include "link/live.h"
#include "shell/diagnostics.h"

#include <QDialog>
#include <array>
#include <memory>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace zuv {

class dlgDiagnostica final : public QDialog, public DiagnosticsView {
    Q_OBJECT
public:
    explicit dlgDiagnostica(QWidget* parent = nullptr);
    ~dlgDiagnostica() override;

    void setAnalogValue(int k, const QString& text) override;
    void setFieldValue(int i, const QString& text) override;
    void setAlarm(int k, bool on) override;

    // For tests and the window itself.
    QString fieldValue(int i) const;
    QString analogValue(int k) const;
    bool alarm(int k) const;
    QString fieldName(int i) const;
    QString fieldUnit(int i) const;
    QString alarmName(int k) const;
    int steps() const { return steps_; }

    // Runs one refresh pass now (the timer does this while the dialog shows).
    void doStep();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setTexts();
    // Ends the refresh and gives the link back.
    void finishRun();

    std::array<QLineEdit*, kNumFields> txtValoreCampo{};
    std::array<QLabel*, kNumFields> lblNomeCampo{};
    std::array<QLabel*, kNumFields> lblUM{};
    std::array<QFrame*, kNumAlarms> shpAllarme{};
    std::array<QLabel*, kNumAlarms> lblNomeAllarme{};
    std::array<bool, kNumAlarms> alarms_{};
    std::array<QLineEdit*, kNumAnalogInputs> txtValoreAnalogico{};
    QGroupBox* fraIngressiAnalogici = nullptr;
    QTimer* timer_ = nullptr;
    std::unique_ptr<DiagnosticsRun> run_;
    bool inPass_ = false;
    int steps_ = 0;
};

} // namespace zuv
