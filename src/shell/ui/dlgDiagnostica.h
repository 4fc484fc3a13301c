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

class dlgDiagnostica final : public QDialog, public DiagnosticaView {
    Q_OBJECT
public:
    explicit dlgDiagnostica(QWidget* parent = nullptr);
    ~dlgDiagnostica() override;

    void setValoreAnalogico(int k, const QString& text) override;
    void setValoreCampo(int i, const QString& text) override;
    void setAllarme(int k, bool on) override;

    // For tests and the window itself.
    QString valoreCampo(int i) const;
    QString valoreAnalogico(int k) const;
    bool allarme(int k) const;
    QString nomeCampo(int i) const;
    QString unitaCampo(int i) const;
    QString nomeAllarme(int k) const;
    int passi() const { return passi_; }

    // Runs one refresh pass now (the timer does this while the dialog shows).
    void eseguiPasso();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void impostaTesti();
    // Ends the refresh and gives the link back.
    void finishRun();

    std::array<QLineEdit*, kNumCampi> txtValoreCampo{};
    std::array<QLabel*, kNumCampi> lblNomeCampo{};
    std::array<QLabel*, kNumCampi> lblUM{};
    std::array<QFrame*, kNumAllarmi> shpAllarme{};
    std::array<QLabel*, kNumAllarmi> lblNomeAllarme{};
    std::array<bool, kNumAllarmi> allarmi_{};
    std::array<QLineEdit*, kNumIngressiAnalogici> txtValoreAnalogico{};
    QGroupBox* fraIngressiAnalogici = nullptr;
    QTimer* timer_ = nullptr;
    std::unique_ptr<DiagnosticaRun> run_;
    bool inPass_ = false;
    int passi_ = 0;
    qint64 nextScanMs_ = 0;
};

} // namespace zuv
