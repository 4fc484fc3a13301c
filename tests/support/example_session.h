#pragma once
// The example that ships in data/: two circuits of our own (outline and
// sectors) and one session driven on the first, made as a user's session is
// made: a memory image as the instrument holds it, read by the program's own
// download and written by its own Save Data, plus the session file that
// names the circuit. Everything is computed, so every run gives the same
// bytes.

#include <QByteArray>
#include <QString>
#include <vector>

namespace zuv::test {

inline constexpr char kExampleCircuit[] = "Pista Collina";
inline constexpr char kExampleSecondCircuit[] = "Anello Lago";
// The session's data file, relative to the data folder.
inline constexpr char kExampleDataFile[] = "examples/Prova Collina.csv";

struct ExampleFile {
    QString path; // relative to the data folder, e.g. "tracks/Pista Collina.trk"
    QByteArray bytes;
};

// Every file of the example, in a fixed order. Uses the program-wide state
// and services (clock, messages, serial port) while it runs and leaves them
// reset. Empty, with `error` set, when the download or the save failed.
std::vector<ExampleFile> exampleFiles(QString* error = nullptr);

} // namespace zuv::test
