#pragma once
// The alarms and shift-light page: six alarm thresholds, five shift lights,
// three signal lamps, the digital output (and the hidden digital input).
// Opened modally from the Alarm command (construct, then exec()); it loads
// DatiProgetto when it is built, writes it back only on OK, and while it is
// open it is FormAttivo, so Send and Read exchange what is on screen.

#include "config/page_editors.h"
#include "config/ui/page_dialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace zuv {

class frmAllarmi final : public PageDialog, public AlarmsEditorView {
    Q_OBJECT
public:
    explicit frmAllarmi(QWidget* parent = nullptr);

    // AlarmsPageView
    void setInstrumentButtonsEnabled(bool on) override { followInstrument(on); }
    QString text(AlarmsText box) const override;
    void setText(AlarmsText box, const QString& text) override;
    Qt::CheckState check(AlarmsCheck box) const override;
    void setCheck(AlarmsCheck box, Qt::CheckState state) override;
    int listIndex(AlarmsCombo combo) const override;
    int listCount(AlarmsCombo combo) const override;
    void setListIndex(AlarmsCombo combo, int index) override;
    Qt::CheckState lampCheck(Lamp lamp) const override;
    void setLampCheck(Lamp lamp, Qt::CheckState state) override;
    QString lampText(Lamp lamp) const override;
    void setLampText(Lamp lamp, const QString& text) override;

protected:
    PageExchangeEnd runExchange(bool send) override;
    void storeRecord() override;

private:
    void buildLayout();
    void setCaptions();
    void RiempiCombo();
    void CaricaDati();
    // The check box rule: the governed control takes the enabled or the
    // disabled look; a cleared box also empties its list's selection.
    void applyRule(AlarmsCheck box);
    QLineEdit* box(AlarmsText t) const;
    QCheckBox* checkBox(AlarmsCheck c) const;
    QComboBox* combo(AlarmsCombo c) const;
    QCheckBox* lampBox(Lamp lamp) const;
    QComboBox* lampList(Lamp lamp) const;

    QGroupBox* fraAllarmi_;
    // TO, PO, PB, TA, LB, TB.
    std::array<QCheckBox*, 6> chkAlarm_{};
    std::array<QLineEdit*, 6> txtAlarm_{};
    std::array<QLabel*, 2> lblTemp_{};
    std::array<QLabel*, 2> lblPress_{};
    QLabel* lblTB_;

    QGroupBox* fraShiftLight_;
    std::array<QLabel*, 5> lblLedN_{}; // lblLed1 .. lblLed5
    std::array<QLineEdit*, 5> txtLed_{};
    QLabel* Image1_;
    QLabel* Label12_;

    QGroupBox* fraLed_;
    QLabel* lblLed_;
    QCheckBox* chkLedGiallo_;
    QComboBox* cboLedGiallo_;
    QCheckBox* chkLedVerde_;
    QComboBox* cboLedVerde_;
    QCheckBox* chkLedBlu_;
    QComboBox* cboLedBlu_;
    QCheckBox* chkUscita_;
    QComboBox* cboUscita_;
    QCheckBox* chkIngresso_;
    QComboBox* cboIngresso_;
};

} // namespace zuv
