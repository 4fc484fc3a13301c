#pragma once
// Fuel-level calibration: an empty-tank reading, then one reading after each
// quantity of fuel poured in, written straight into the editor's table; Finish
// turns them into a 20-point curve.

#include "config/sensor_editor.h"
#include "project/active_page.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zuv {

class dlgCalibrazione final : public QDialog, public ActivePage {
    Q_OBJECT
public:
    // `table` is the editor's table; `tableChanged` shows it again.
    dlgCalibrazione(PointTable& table, std::function<void()> tableChanged, QWidget* parent = nullptr);
    ~dlgCalibrazione() override;

    PageKind pageKind() const override { return PageKind::Calibration; }
    void setInstrumentButtonsEnabled(bool on) override;

    qint16 intUscita() const { return calibration_.intUscita; }
    qint16 intFaseCalibrazione() const { return calibration_.intFaseCalibrazione; }
    qint16 XValue() const { return calibration_.XValue; }

    // Where a step's reading comes from (the instrument unless replaced).
    void setReading(CalibrationRun::Reader reading) { reading_ = std::move(reading); }

    void OKButton_Click();
    void cmdFineProcedura_Click();
    void CancelButton_Click();

    QLabel* lblDescrizioneFase = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtLitri = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* cmdFineProcedura = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    PointTable& table_;
    std::function<void()> tableChanged_;
    CalibrationRun calibration_;
    CalibrationRun::Reader reading_ = readFuelLevel;
    bool busy_ = false;
};

} // namespace zuv
