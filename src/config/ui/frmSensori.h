#pragma once
// The sensors page: engine and vehicle speed inputs, the oil-pump and
// alternator levels and the nine analog channels. Opened modally from the
// Sensor command (construct, then exec()); it loads DatiProgetto when it is
// built and writes it back only on an OK that passes every check. While it
// is open it is FormAttivo: Send programs the page and the nine curves as
// shown, Read puts the instrument's page and curves into the controls.

#include "config/page_editors.h"
#include "config/ui/page_dialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace zuv {

class frmSensori final : public PageDialog, public SensorsEditorView {
    Q_OBJECT
public:
    explicit frmSensori(QWidget* parent = nullptr);

    // SensorsPageView
    void setInstrumentButtonsEnabled(bool on) override { followInstrument(on); }
    QString text(SensorsText box) const override;
    void setText(SensorsText box, const QString& text) override;
    int listIndex(SensorsCombo combo) const override;
    int listCount(SensorsCombo combo) const override;
    void setListIndex(SensorsCombo combo, int index) override;
    Qt::CheckState check(SensorsCheck box) const override;
    void setCheck(SensorsCheck box, Qt::CheckState state) override;
    // SensorsEditorView
    QString sensorText(int slot) const override;
    void setSensorText(int slot, const QString& text) override;
    QString samplingText(int which) const override;
    void setSamplingText(int which, const QString& text) override;

    // The controls of one channel, by curve slot 0..8.
    struct Channel {
        QGroupBox* frame = nullptr;
        QCheckBox* chkAbil = nullptr;
        QComboBox* sensor = nullptr;
        QComboBox* rate = nullptr;
        QComboBox* chann = nullptr; // the four wired channels only
        QLabel* lblName = nullptr;
        QLabel* lblTC = nullptr;
        QLabel* lblChannel = nullptr;
    };
    const Channel& channel(int slot) const { return channels_[static_cast<std::size_t>(slot)]; }

    // The two checks of OK and Send; each shows its own message.
    bool ControllaSensori(bool needLibrary);
    bool ControllaCanali();

protected:
    // Every check before anything is written or sent: a refused OK leaves
    // the record as it was.
    bool checksPass(bool send) override;
    PageExchangeEnd runExchange(bool send) override;
    void storeRecord() override;

private:
    void buildLayout();
    void setCaptions();
    void RiempiSensori();
    void CaricaDati();
    void applyRule(int slot);
    QLineEdit* box(SensorsText t) const;
    QComboBox* combo(SensorsCombo c) const;
    QComboBox* sampling(int which) const;
    int slotOf(SensorsCheck c) const;

    QTabWidget* SSTab1_;
    QGroupBox* fraRPM_;
    QLabel* lblNumAcc_;
    QLineEdit* txtNumAccRPM_;
    QLabel* lblTCRPM_;
    QComboBox* cboTCampRPM_;
    QGroupBox* fraPompaOlio_;
    QLabel* lblLAPO_;
    QComboBox* cboLAPO_;
    QGroupBox* fraAlternatore_;
    QLabel* lblLAAL_;
    QComboBox* cboLAAL_;
    QGroupBox* fraVelocitaVettura_;
    QLabel* lblNumImpulsi_;
    QLineEdit* txtImpulsiRuota_;
    QLabel* lblDiametroRuota_;
    QLineEdit* txtDiametroRuota_;
    QLabel* lblTCVV_;
    QComboBox* cboTCampVV_;
    std::array<Channel, 9> channels_;
};

} // namespace zuv
