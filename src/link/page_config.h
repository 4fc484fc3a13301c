#pragma once
// The instrument's two configuration pages: page 1 (language, units, display
// pages 2 to 9, automatic recording; write 0x12, read 0x13) and page 2 (lap
// message and display times, five sector distances; write 0x1C, read 0x1D).
// Values come from DatiProgetto, or from the configuration window while it
// is FormAttivo, and read values go back to the same place.

#include "link/operation.h"
#include "project/project_record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>

namespace zuv {

class ConfigPageView;

// Page 1 as it travels. Numbers are taken whole and the line keeps their low
// 8 or 16 bits; decoded numbers are as the instrument sent them.
struct ConfigPage1 {
    qint64 Lingua = 0;
    qint64 UMVel = 0;
    qint64 UMTemp = 0;
    qint64 UMPress = 0;
    // Display pages 2 to 9: element k is page k + 2.
    std::array<bool, 8> pages{};
    bool AbilRecLap = false;
    qint64 StopRecSecondi = 0; // one byte
    qint64 AbilRecVel = 0;     // one word, signed when read

    bool operator==(const ConfigPage1&) const = default;
};

struct ConfigPage2 {
    qint64 TempoMsgGiro = 0; // one byte
    qint64 TempoVisGiro = 0; // one byte
    std::array<qint64, 5> Settori{}; // one word each, signed when read

    bool operator==(const ConfigPage2&) const = default;
};

// The 26 and 22 payload bytes of the write frames.
QByteArray encodeConfigPage1(const ConfigPage1& page);
QByteArray encodeConfigPage2(const ConfigPage2& page);
// The 30- and 16-byte replies (data from position 3; a short reply reads as
// zeros where it stops).
ConfigPage1 decodeConfigPage1(QByteArrayView reply);
ConfigPage2 decodeConfigPage2(QByteArrayView reply);

ConfigPage1 configPage1From(const ProjectRecord& rec);
ConfigPage2 configPage2From(const ProjectRecord& rec);
// From the window: list indexes as they are (-1 for nothing selected), the
// number each text spells (0 when it spells none), a check box in any state
// but cleared counts as ticked.
ConfigPage1 configPage1From(const ConfigPageView& view);
ConfigPage2 configPage2From(const ConfigPageView& view);

void storeConfigPage1(const ConfigPage1& page, ProjectRecord& rec);
void storeConfigPage2(const ConfigPage2& page, ProjectRecord& rec);
// Into the window: a value that is no item of its list selects nothing.
void showConfigPage1(const ConfigPage1& page, ConfigPageView& view);
void showConfigPage2(const ConfigPage2& page, ConfigPageView& view);

// The four page commands. The caller has connected; each returns whether
// its exchange worked, a failed one having shown text 242.
bool InviaDatiConfigurazione();
bool InviaDatiConfigurazione2();
bool LeggiDatiConfigurazione();
bool LeggiDatiConfigurazione2();

// The two pages as every caller runs them: page 1, 50 ms, page 2 whatever
// page 1 gave, each a connected step (a connection that cannot be made fails
// without a message of its own: the operation reports it). The pair fails
// when either page does, and ErroreComunicazione says so.
RunOutcome configPagesRun(bool send);

} // namespace zuv
