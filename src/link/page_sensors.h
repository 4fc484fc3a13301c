#pragma once
// The instrument's sensors page (write 0x16, read 0x17): engine and vehicle
// speed inputs, the oil-pump and alternator levels, the enable flags of the
// nine analog channels and the analog input of four of them. The curves
// travel on their own. Values come from DatiProgetto, or from the sensors
// window while it is FormAttivo, and read values go back to the same place.

#include "project/project_record.h"

#include <QByteArray>
#include <QByteArrayView>

namespace zuv {

class SensorsPageView;

// The page as it travels. Numbers are taken whole and the line keeps their
// low 8 or 16 bits; decoded numbers are as the instrument sent them.
struct SensorsPage {
    qint64 NumAccRPM = 0;     // one byte
    qint64 ImpulsiRuota = 0;  // one byte
    qint64 DiametroRuota = 0; // one word, signed when read
    qint64 LAPO = 0;          // one byte
    qint64 LAAL = 0;          // one byte
    bool AbilTO = false;
    bool AbilPO = false;
    bool AbilPB = false;
    bool AbilTA = false;
    bool AbilLB = false;
    bool AbilCambio = false;
    bool AbilSG = false;
    bool AbilSensoreLambda = false;
    // Analog inputs as list indexes (0 = "AN 1"); the line carries index + 1,
    // so a byte 0 reads back as -1.
    qint64 ChannCambio = 0;
    qint64 ChannSG = 0;
    qint64 ChannSensoreLambda = 0;
    qint64 ChannPT = 0;
    bool AbilPT = false;

    bool operator==(const SensorsPage&) const = default;
};

// The 34 payload bytes of the write frame.
QByteArray encodeSensorsPage(const SensorsPage& page);
// The 21-byte reply (data from position 3).
SensorsPage decodeSensorsPage(QByteArrayView reply);

SensorsPage sensorsPageFrom(const ProjectRecord& rec);
// From the window: trimmed texts as the numbers they spell (0 when they
// spell none), list indexes as they are (-1 for nothing selected), any
// check state but cleared as enabled.
SensorsPage sensorsPageFrom(const SensorsPageView& view);

void storeSensorsPage(const SensorsPage& page, ProjectRecord& rec);
// Into the window: a value that is no item of its list selects nothing.
void showSensorsPage(const SensorsPage& page, SensorsPageView& view);

// The page commands. The caller has connected; each returns whether its
// exchange worked, a failed one having shown text 242.
bool InviaDatiSensori();
bool LeggiDatiSensori();

} // namespace zuv
