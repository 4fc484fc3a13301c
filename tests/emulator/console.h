#pragma once
// The emulator's console: lines typed while it serves put the instrument's
// faults in a newcomer's hands (an unanswered command, a late reply, a dead
// line), so every failure path of the program can be tried by hand.

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace zuv::emu {

class Emulator;

struct ConsoleOrder {
    enum class Kind { Silent, Late, Answer, Drop, Help, Wrong };
    Kind kind = Kind::Wrong;
    quint8 code = 0; // 0: every command
    int ms = 0;      // how late, for Late
    QString error;   // why a Wrong line is wrong
};

// One typed line, e.g. "silent 0x13", "late 3000 12", "answer".
ConsoleOrder parseConsoleLine(QByteArrayView line);

// Carries the order out on `emulator` and says, in one line, what it did.
QString applyConsoleOrder(Emulator& emulator, const ConsoleOrder& order);

// The console's commands, one a line.
QString consoleHelp();

} // namespace zuv::emu
