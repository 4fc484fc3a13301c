#pragma once
// A small session as the export writes it, for the analysis tests.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace zuv::test {

// The bytes of the data, alarms and lap-time files.
struct SessionFiles {
    QByteArray data;
    QByteArray alarms;
    QByteArray laps;
};

// `columns` data columns ("Time [sec]", "Distance [m]", then "M3 [u3]", ...)
// and `laps` laps of `lapRows` rows each, with the out-lap before them and
// the stretch after them (time restarting at 0 on every one): measure c
// reads c x 10 + (row % 7); alarm 2 is on at the sixth row of each, the
// others idle; the lap-time file is of version "1.4", every lap "01:0n.00".
SessionFiles makeSession(int columns, int laps, int lapRows);

// Status-bar texts by panel, in the order written.
using Panels = std::vector<std::pair<int, QString>>;
// The steps of a load in the status bar: a reader reports its progress as
// often as it likes, so a run of progress texts counts by its last.
Panels loadSteps(const Panels& calls);

} // namespace zuv::test
