#pragma once
// What the page codecs see of an open configuration window (FormAttivo).
// Each view exposes only the controls its page sends and reads, in the
// controls' own terms: texts as shown, list indexes (-1 = nothing selected)
// and check states. The windows implement these; the codecs never look at
// a window by name.
//
// Common rules for every view:
// - A check box counts as ticked in any state but Qt::Unchecked.
// - setCheck runs the window's check box rule (the governed controls take the
//   enabled or the disabled look; unticking a box that governs a list also
//   clears that list's selection), every time, even when the state does not
//   change, exactly as a click by the user would.
// - setListIndex is only called with -1 or an index below listCount; the
//   codecs check what the instrument sent before they select anything.
// - setText puts the text whole, whatever length limit the box has for typing.

#include "project/active_page.h"

#include <QString>
#include <qnamespace.h>

namespace zuv {

// --- configuration page (pages 1 and 2 of the instrument's configuration) --

enum class ConfigCombo { cboLingua, cboUMVelocita, cboUMTemperatura, cboUMPressione };

enum class ConfigText {
    txtStopRecSecondi,
    txtAbilRecVel,
    txtTempoMsgGiro,
    txtTempoVisGiro,
    txtSettoreCrono0,
    txtSettoreCrono1,
    txtSettoreCrono2,
    txtSettoreCrono3,
    txtSettoreCrono4,
};

class ConfigPageView : public ActivePage {
public:
    PageKind pageKind() const final { return PageKind::Config; }

    virtual int listIndex(ConfigCombo combo) const = 0;
    virtual int listCount(ConfigCombo combo) const = 0;
    virtual void setListIndex(ConfigCombo combo, int index) = 0;

    virtual QString text(ConfigText box) const = 0;
    virtual void setText(ConfigText box, const QString& text) = 0;

    // chkAbilRecLAP.
    virtual Qt::CheckState chkAbilRecLAP() const = 0;
    virtual void setChkAbilRecLAP(Qt::CheckState state) = 0;

    // The working enable flag of display page `page` (PagineAbilitate
    // element page - 1); the codecs use pages 2 to 9 only. Setting it also
    // refreshes the page on show when it is that page.
    virtual bool pageEnabled(int page) const = 0;
    virtual void setPageEnabled(int page, bool on) = 0;
};

// --- sensors page ------------------------------------------------------------

enum class SensorsText { txtNumAccRPM, txtImpulsiRuota, txtDiametroRuota };

enum class SensorsCombo {
    cboLAPO,
    cboLAAL,
    cboChannCambio,
    cboChannSG,
    cboChannSensoreLambda,
    cboChannPT,
};

enum class SensorsCheck {
    chkAbilTO,
    chkAbilPO,
    chkAbilPB,
    chkAbilTA,
    chkAbilLB,
    chkAbilCambio,
    chkAbilSG,
    chkAbilSensoreLambda,
    chkAbilPT,
};

class SensorsPageView : public ActivePage {
public:
    PageKind pageKind() const final { return PageKind::Sensors; }

    // The text as shown; the codec trims it.
    virtual QString text(SensorsText box) const = 0;
    virtual void setText(SensorsText box, const QString& text) = 0;

    virtual int listIndex(SensorsCombo combo) const = 0;
    virtual int listCount(SensorsCombo combo) const = 0;
    virtual void setListIndex(SensorsCombo combo, int index) = 0;

    virtual Qt::CheckState check(SensorsCheck box) const = 0;
    virtual void setCheck(SensorsCheck box, Qt::CheckState state) = 0;
};

// --- alarms and shift-light page -------------------------------------------

// The six alarms in the order the instrument keeps them.
enum class Alarm { TO, PO, PB, TA, LB, TB };
inline constexpr int kNumThresholds = 6;

enum class AlarmsText {
    txtTO,
    txtPO,
    txtPB,
    txtTA,
    txtLB,
    txtTB,
    txtLed0,
    txtLed1,
    txtLed2,
    txtLed3,
    txtLed4,
};

enum class AlarmsCheck { chkTO, chkPO, chkPB, chkTA, chkLB, chkTB, chkLedGiallo, chkUscita, chkIngresso };

enum class AlarmsCombo { cboLedGiallo, cboUscita, cboIngresso };

class AlarmsPageView : public ActivePage {
public:
    PageKind pageKind() const final { return PageKind::Alarms; }

    virtual QString text(AlarmsText box) const = 0;
    virtual void setText(AlarmsText box, const QString& text) = 0;

    virtual Qt::CheckState check(AlarmsCheck box) const = 0;
    virtual void setCheck(AlarmsCheck box, Qt::CheckState state) = 0;

    virtual int listIndex(AlarmsCombo combo) const = 0;
    virtual int listCount(AlarmsCombo combo) const = 0;
    virtual void setListIndex(AlarmsCombo combo, int index) = 0;
};

// The registered window as the page view of that kind, or nullptr when
// FormAttivo is none or another window. The page commands take it afresh
// after every wait: a window closed meanwhile gets nothing.
ConfigPageView* activeConfigPage();
SensorsPageView* activeSensorsPage();
AlarmsPageView* activeAlarmsPage();

} // namespace zuv
