#pragma once
// The sensor library: one file per sensor in the folder "sensors" beside the
// program, read into `LibreriaSensori` at start-up.
//
// Sensor file, one value per line, CR LF, Windows-1252:
//   "ZUVSensor" / type keyword / name / n (1..20) / n X values / n Y values
// Value lines are read by their leading number (point as separator).

#include "project/sensor.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zuv {

// The sensors folder of the program folder, whatever the case of its name.
QString sensorsFolder();

// The plain files of a folder (hidden ones left out) by name, case
// ignored first; empty when the folder does not exist.
QStringList listFolderFiles(const QString& folder);

// One sensor file; nothing when it cannot be read, lacks the magic line,
// has no whole count in 1..20 or ends before its 2n value lines.
std::optional<CSensore> readSensorFile(const QString& path);

// Appends every sound file of the sensors folder to `LibreriaSensori`, in
// name order; each refused file gets its own message and the rest still load.
void CaricaLibreriaSensori();

// Writes a sensor file as the library editor does: count "20", the given X
// and Y texts unchanged, the last row repeated up to 20 rows. Refuses (false
// with the reason, file untouched) no rows, more than 20, X and Y of
// different lengths, and texts a line of the file cannot hold.
bool writeSensorFile(const QString& path, const QString& type, const QString& name,
                       const QStringList& x, const QStringList& y, QString* error = nullptr);

} // namespace zuv
