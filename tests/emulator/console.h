#pragma once
// The lines typed at zuv-emulator while it serves: each turns into one
// action on the instrument and one short line to print back. A line that
// means nothing changes nothing and says why.

#include "emulator/engine.h"

#include <QString>
#include <QStringView>

namespace zuv::emu {

class Emulator;

struct ConsoleAction {
    enum class Kind {
        Nothing,  // an empty line, or a wrong one (its reply says why)
        SetFault, // fault, lateMs, count and onlyCode for Emulator::setFault
        Answer,   // every fault cleared
        DropLine, // the line goes dead now
        Plug,     // a new line, on a new device
        Help,
    };
    Kind kind = Kind::Nothing;
    Fault fault = Fault::None;
    int count = -1;
    quint8 onlyCode = 0;
    int lateMs = 0;
    QString reply;
};

ConsoleAction parseConsoleLine(QStringView line);

// Does it on the running emulator; gives the line to print.
QString carryOut(Emulator& emulator, const ConsoleAction& action);

// The commands, one a line, as `help` and --help list them.
QString consoleHelp();

} // namespace zuv::emu
