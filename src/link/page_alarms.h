#pragma once
// The instrument's alarms page (write 0x14, read 0x15): six alarm
// thresholds, five shift-light thresholds, the yellow LED's function and the
// digital output's type (the input is read, never sent). Values come from
// DatiProgetto, or from the alarms window while it is FormAttivo, and read
// values go back to the same place.

#include "link/operation.h"
#include "link/page_views.h"
#include "project/project_record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>

namespace zuv {

inline constexpr int kNumLed = 5;

// One alarm threshold: its record fields, its controls and its fixed-point
// scale (10 or 1000). In the instrument's order TO, PO, PB, TA, LB, TB.
struct AlarmThreshold {
    bool ProjectRecord::*chk;
    qint32 ProjectRecord::*msk;
    AlarmsCheck box;
    AlarmsText text;
    int scale;
};
const std::array<AlarmThreshold, kNumThresholds>& alarmThresholds();

// One shift light: its record field and its box, Led0 to Led4.
struct ShiftLight {
    qint16 ProjectRecord::*rec;
    AlarmsText text;
};
const std::array<ShiftLight, kNumLed>& shiftLights();

// The page as it travels. Numbers are taken whole and the line keeps their
// low 8 or 16 bits; decoded numbers are as the instrument sent them.
struct AlarmsPage {
    // Thresholds TO, PO, PB, TA, LB, TB in fixed point (x 10 or x 1000);
    // 0 for an alarm that is off. Signed when read; above 0 means on.
    std::array<qint64, 6> Soglie{};
    std::array<qint64, kNumLed> Led{}; // shift lights, signed when read
    qint64 LedGiallo = 0;        // yellow LED function, 0 = off
    qint64 Uscita = 0;           // output type, 0 = off
    qint64 Ingresso = 0;         // input type: read only, always sent as 0

    bool operator==(const AlarmsPage&) const = default;
};

// The 48 payload bytes of the write frame.
QByteArray encodeAlarmsPage(const AlarmsPage& page);
// The 31-byte reply (data from position 3).
AlarmsPage decodeAlarmsPage(QByteArrayView reply);

// A threshold box's text as it travels: the number at the start of the text
// (point as decimal separator, 0 when there is none) times the scale,
// rounded half to even; 0 when that does not fit a 32-bit Long.
qint64 pageThresholdFromText(const QString& text, int scale);
// A threshold as the window shows it: "85.5", "2.500", "0.0".
QString pageThresholdText(qint64 threshold, int scale);

AlarmsPage alarmsPageFrom(const ProjectRecord& rec);
// From the window: a threshold only when its box is ticked (any state but
// cleared), the shift-light texts trimmed as the numbers they spell (0 when
// they spell none), a list index + 1 when its box is ticked.
AlarmsPage alarmsPageFrom(const AlarmsPageView& view);

void storeAlarmsPage(const AlarmsPage& page, ProjectRecord& rec);
// Into the window: a yellow-LED or output value that is no item of its list
// ticks the box and selects nothing.
void showAlarmsPage(const AlarmsPage& page, AlarmsPageView& view);

// The page commands. The caller has connected; each returns whether its
// exchange worked, a failed one having shown text 242.
bool InviaDatiAllarmi();
bool LeggiDatiAllarmi();

// The page as every caller runs it: one connected step, after which
// `brokenOff`, when given, says whether the user closed the run's window.
RunOutcome alarmsPageRun(bool send, const std::function<bool()>& brokenOff = {});

} // namespace zuv
