#pragma once
// The number and channel checks of the configuration editors, as plain
// functions: the windows call them when the focus leaves a box and again,
// for every box, before OK, Send or Read act, so a refused value is never
// stored or sent.
//
// Every numeric box is bounded by what its field carries on the serial line
// and by the range its label shows; a value outside is refused like text
// that is no number (text 262).

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <optional>

namespace zuv {

// One box checked: refused (the window shows text 262, empties the box and
// keeps the focus there), or accepted with the text the box shows from now
// on and the value OK stores.
struct BoxCheck {
    bool ok = false;
    QString text;
    qint32 value = 0;
};

// The number a box holds: blanks around it, an optional sign, digits with
// a decimal point or comma; no exponent, no grouping. Empty text is no
// number.
std::optional<double> editorNumber(QStringView text);

// A whole number within [lo, hi]; a fraction is rounded, halves to even.
// The accepted text is the plain decimal text of the value.
BoxCheck checkWhole(QStringView text, qint32 lo, qint32 hi);

// --- configuration page ----------------------------------------------------

enum class ConfigBox { AbilRecVel, StopRecSecondi, TempoMsgGiro, TempoVisGiro, SettoreCrono };

struct WholeRange {
    qint32 lo;
    qint32 hi;
};

// Speed 0..999 and the three times 0..99 (what their boxes take by typing;
// the times and the stop delay travel as one byte), sectors 0..32767 (a word
// the instrument gives back signed).
WholeRange configRange(ConfigBox box);
// Characters the user may type into the box.
int configTypingLimit(ConfigBox box);
BoxCheck checkConfigBox(ConfigBox box, QStringView text);

// --- sensors page ----------------------------------------------------------

enum class SensorsBox { NumAccRPM, ImpulsiRuota, DiametroRuota };

// Ignitions 1..255 (one byte), wheel pulses 1..99 and wheel diameter
// 1..9999 mm (the ranges their labels show).
WholeRange sensorsRange(SensorsBox box);
// A text of exactly "0" becomes "1"; otherwise a whole number in range.
BoxCheck checkSensorsBox(SensorsBox box, QStringView text);

// One channel as the sensors page shows it, by curve slot.
struct ChannelEntry {
    bool enabled = false;
    QString sensor;  // the sensor combo's text
    int input = -1;  // the analog input combo's index, -1 none (wired channels only)
};
using ChannelEntries = std::array<ChannelEntry, 9>;

// The first enabled channel, in the order TO, PO, TA, PB, LB, PT, SG, gear,
// lambda, whose sensor is missing: a name that is blank after trimming, or,
// with `needLibrary`, a name that loads no library curve. Its slot, or -1.
int firstMissingSensor(const ChannelEntries& bySlot, bool needLibrary);
// That channel's message (texts 166 to 173 and 304).
QString missingSensorText(int slot);

// Whether two of G sensor, turbo pressure and lambda are enabled on the same
// input (the gear channel may share one).
bool inputsClash(const ChannelEntries& bySlot);

// --- alarms and shift-light page -------------------------------------------

// Fixed-point scale of an alarm threshold: 10 for TO, TA, LB, TB; 1000 for
// the pressures PO and PB.
enum class ThresholdScale { Tenths = 10, Thousandths = 1000 };

// An alarm threshold as the focus leaves its box: the text must convert to a
// 16-bit whole number; it is then shown with a point and padded to the
// scale's decimals, cut down to 999.9 or 9.999; the value is the number
// times the scale, rounded half to even, and must fit the signed word the
// page sends (so down to -3276.8 or -32.768).
BoxCheck checkThreshold(QStringView text, ThresholdScale scale);
// A stored threshold as its box shows it: 250 at scale 10 is "25.0", 2500
// at scale 1000 "2.500".
QString thresholdText(qint32 value, ThresholdScale scale);

// A shift-light threshold: a 16-bit whole number.
BoxCheck checkShiftLight(QStringView text);

} // namespace zuv
