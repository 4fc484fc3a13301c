#pragma once
// Save Data: the download buffers become the data file (<name>.csv, one line
// per 0.1 s sample), the alarms file (<name>.txt) and the lap-time file
// (<name>.tim) that the analysis windows open.

#include <QByteArray>
#include <QString>
#include <span>

namespace zuv {

// What the writer reads: the blocks in reading order and the lap lines
// (index 0 unused, lines 1..numLaps written, at most up to 999).
struct ExportSource {
    std::span<const QByteArray> blocks;
    std::span<const QString> laps;
    int numLaps = 0;
    int language = 0;     // IndiceLingua: 0 Italiano, anything else English
    QString speedUnit;    // NomiUMVelocita(UMVel)
    QString tempUnit;     // NomiUMTemperatura(UMTemp)
};

// The three files' bytes: Windows-1252, CR LF, "." as decimal separator.
struct ExportFiles {
    QByteArray data;
    QByteArray alarms;
    QByteArray lapTimes;
};

ExportFiles buildExportFiles(const ExportSource& source);

// The download buffers, the lap count and the project's units and language.
ExportSource downloadedSource();

// The chosen name with ".csv" put after it unless it already ends so.
QString dataFileName(const QString& chosen);

// Writes the three files from the buffers to `PercorsoFileDati` and its
// companions and reports with a message. Nothing is written when any of the
// three cannot be created; that is reported and the result is false.
bool SalvaDatiScaricati();

// The Save Data command: asks the file name, asks before replacing an
// existing data file, writes. Returns true when the files were written.
bool runSaveData();

} // namespace zuv
