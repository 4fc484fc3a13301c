#pragma once
// The sensor library editor: pick a type, load a library sensor or start a
// new one, edit its 20-point table, see the curve, save it as a sensor file,
// read a curve from the instrument, calibrate a fuel-level sensor.

#include "config/sensor_editor.h"
#include "project/active_page.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zuv {

class CurveChart;

class frmImpostaSensore final : public QDialog, public ActivePage {
    Q_OBJECT
public:
    explicit frmImpostaSensore(QWidget* parent = nullptr);
    ~frmImpostaSensore() override;

    // Opens the editor modally over `parent` and drops it when it closes.
    static void launch(QWidget* parent);

    PageKind pageKind() const override { return PageKind::SensorSetup; }
    void setInstrumentButtonsEnabled(bool on) override;

    const PointTable& table() const { return table_; }
    const QString& TipoSensoreCorrente() const { return sensorType(currentType_).keyword; }

    // The handlers, callable as the controls call them.
    void Form_Activate();
    void selectType(SensorKind kind); // an option button chosen
    void cboTipiSensore_Click();
    void cboListaSensori_Click();
    void Check1_Click(int index);
    void cmdNuovoSensore_Click();
    void cmdSalvaSensore_Click();
    void cmdDisegnaCurva_Click();
    void cmdLeggiSensoreStrumento_Click();
    void cmdCalibrazione_Click();
    // The focus leaves a box of the table: its number check, then the bit
    // order rule (X) or the decimal format (Y).
    void txtX_LostFocus(int index);
    void txtY_LostFocus(int index);

    // Mirrors the table on screen (after the calibration wrote into it).
    void refreshTable();

    QComboBox* cboTipiSensore = nullptr;
    std::array<QRadioButton*, kNumKinds> opt{};
    QRadioButton*& optTemperaturaOlio = opt[0];
    QRadioButton*& optPressione = opt[1];
    QRadioButton*& optTemperaturaAcqua = opt[2];
    QRadioButton*& optLivelloBenzina = opt[3];
    QRadioButton*& optAltro = opt[4];
    QRadioButton*& optSensoreLambda = opt[5];
    QRadioButton*& optPressioneTurbo = opt[6];
    QRadioButton*& optSensoreG = opt[7];
    QComboBox* cboListaSensori = nullptr;
    QLineEdit* txtNomeNuovo = nullptr;
    std::array<QLineEdit*, kPointRows> txtX{};
    std::array<QLineEdit*, kPointRows> txtY{};
    std::array<QCheckBox*, kPointRows> Check1{};
    QLabel* lblX = nullptr;
    QLabel* lblY = nullptr;
    QPushButton* cmdNuovoSensore = nullptr;
    QPushButton* cmdSalvaSensore = nullptr;
    QPushButton* cmdDisegnaCurva = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdLeggiSensoreStrumento = nullptr;
    QPushButton* cmdCalibrazione = nullptr;
    CurveChart* GraficoSensore = nullptr;
    QGroupBox* fraStrumento = nullptr;
    QGroupBox* fraLibreriaSensori = nullptr;
    QGroupBox* fraTabella = nullptr;
    QLabel* lblTipoSensore = nullptr;
    QLabel* lblSelezionaSensore = nullptr;
    QLabel* lblNomeNuovo = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void CaricaTipiSensore();
    void fillSensorList();
    void PulisciTabellaPunti();
    void boxLeft(int index, bool inY);
    void afterEdit(bool redraw);
    void boxFocused(int index, bool inY);

    PointTable table_;
    SensorKind currentType_ = SensorKind::TemperaturaOlio;
    // Boxes typed into since their last check.
    std::array<std::array<bool, 2>, kPointRows> edited_{};
    bool checking_ = false;
    bool busy_ = false;
    bool closed_ = false;
};

// The hook of the main window's CustSensors command.
void openSensorSetup(QWidget* parent);

} // namespace zuv
