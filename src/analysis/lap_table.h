#pragma once
// The lap table of an analysis window without its grid: the lap-time and
// sector files, the sector times of each lap, the cell texts, widths and
// colours of the grid, the fastest and slowest marks, the selection of a
// lap, and the lap times and speeds that the dialogs read. The window copies
// `LapGrid` into its grid widget after each call that changes it.

#include "analysis/chart_data.h"
#include "analysis/colour_values.h"
#include "analysis/measure_scales.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace zuv {

inline constexpr int kLapRows = 1000;  // lap-table rows 0..999
inline constexpr int kLapColumns = 21;  // columns 0..20
inline constexpr int kMaxSectors = 16;   // sector lines kept from a file

// Cell colours, 0x00BBGGRR.
struct CellColours {
    quint32 back = kColourWhite;
    quint32 fore = kColourBlack;
};

// What the grid `MSFlexGrid1` shows.
struct LapGrid {
    bool visible = false;
    int rows = 2;
    // Texts by row and column, rows 0 to `rows` - 1.
    std::vector<std::array<QString, kLapColumns>> cells;
    // Column widths in twips; 0 leaves the column as designed.
    std::array<int, kLapColumns> widths{};
    // By column, the row marked fastest and slowest; 0 for none.
    std::array<int, kLapColumns> fastRow{};
    std::array<int, kLapColumns> slowRow{};
    // The row on show (painted blue from column 2); 0 for none.
    int selectedRow = 0;

    QString text(int r, int c) const;
    // Colours of a cell outside the fixed row and column: white, the
    // selection, then green for the fastest and red for the slowest (red
    // wins on a column with one lap).
    CellColours colours(int r, int c) const;
};

struct LapState {
    int intGiriTotali = 0;
    int intGiriCompletati = 0;
    int SettoriGiro = 1;
    int intGiroVeloce = 0;
    int intGiroLento = 0;

    // Row r holds line r of the lap-time file: column 1 the lap time,
    // columns 2 to `SettoriGiro` the sector times.
    std::vector<std::array<QString, kLapColumns>> TabellaGiri =
        std::vector<std::array<QString, kLapColumns>>(kLapRows);
    std::vector<QString> RigheTempiGiro = std::vector<QString>(kLapRows);
    std::vector<QString> TempiSessione = std::vector<QString>(kLapRows);
    // Sector lengths in metres, index 0 the first sector.
    std::array<double, kLapColumns> LunghezzeSettori{};
    // `InizioGiro` and `FineGiro` by lap-table row, in the caller's rows.
    LapBounds bounds;
    int GiroCorrente = 0;
    qint64 CampioniGiro = 0;
    LapGrid grid;
};

// The lap-time file beside `analysisFile` (its extension replaced by
// ".tim", matched without regard to case). A missing file shows language
// texts 328 and 329 around its path and gives false, reading nothing.
// `versionLine` receives the file's first line.
bool CaricaTempiGiro(LapState& s, const QString& analysisFile, QString* versionLine = nullptr);
// The same from lines already read (the first is the version line). Lines
// after row 999 are dropped; `intGiriTotali` is the row after the last line
// read, and `intGiriCompletati` three less, never below 0.
void readLapLines(LapState& s, const QStringList& lines);

// The sector file `tracks/<circuit>.sec` beside the program (folder and
// extension matched without regard to case): line 1 the track length, then
// one sector length a line, at most 16 kept; entries after the file's keep
// what an earlier file put there. No file, or a circuit name that cannot
// stand in a path (empty, a folder separator, ".."), gives one column
// (`SettoriGiro` 1) and false.
bool CaricaSettori(LapState& s, const QString& circuit);

// The sector times of lap-table row r into `TabellaGiri`(r, 2..): each from
// the sample where the previous boundary was reached (or the lap's first)
// to the sample that reaches the next, boundaries being the running sums
// of the lengths. A lap that reaches the sum of all lengths before its end
// leaves the rest in up to three columns after `SettoriGiro`, never shown;
// one that does not gives its last sector the time to its end.
// `distanceAt` is the alarms data's distance at a row.
void CalcolaTempiSettori(LapState& s, int r, const RowValue& distanceAt);

// Fills `grid` from the lap times, the sectors and `lapNumberAt` (the alarms
// data's lap number at a row), computes the sector times and marks the
// extremes. With no completed lap the grid is hidden, row 2 (the whole
// session) is selected and false comes back: the window shows the chart
// controls, runs `CalcolaScale` and redraws, and selects nothing more.
bool CompilaTabellaGiri(LapState& s, const RowValue& lapNumberAt, const RowValue& distanceAt);
// The grid's headings and row labels again, in the current language.
void AggiornaTestiTabellaGiri(LapState& s, const RowValue& lapNumberAt);
// Empties the texts of grid row r from column 2 on (row 0: the headings
// from column 2); a row from 1 loses the selection's colours.
void PulisciRigaTabella(LapState& s, int r);
// The fastest and slowest cell of each column 1 to `SettoriGiro`, by time;
// empty cells take no part, and among equal times the first row wins.
// Column 1 gives `intGiroVeloce` and `intGiroLento` (0 for none).
void EvidenziaGiriEstremi(LapState& s);

struct LapSelection {
    // False: not a lap-time cell; only the marks were redone.
    bool selected = false;
    // What the tab captions add after their own text: " Lap n".
    QString lapCaption;
    // `MostraControlliGrafico`(showChart); when true `CalcolaScale` and a
    // redraw of the active chart follow.
    bool showChart = false;
};
// A click on grid cell (row, column), and the selection at load.
LapSelection MSFlexGrid1_Click(LapState& s, int row, int column, const RowValue& lapNumberAt);

// The first row from 1 whose lap ends at or after row 3; row 1 when none.
int PrimoGiroValido(const LapState& s);

// A time text ("mm:ss.cc", "hh:mm:ss.cc", minutes of any width) in
// hundredths of a second; parts that are not numbers count 0.
qint64 LeggiTempoCentesimi(const QString& time);

// Speeds in km/h from the track length in metres (`LunghTracciato`, 0 when
// it is not a number), as "#.0##"; empty when the time is 0.
QString VelocitaDaTempo(const QString& time, const QString& trackLength);
QString VelocitaMediaGiri(const QString& totalTime, int laps, const QString& trackLength);

// Lap-table row `numGiro` (0..999; empty text outside).
QString GetTempoGiro(const LapState& s, int numGiro);
QString GetSessioneTempo(const LapState& s, int numGiro);
QString GetVelocitaGiro(const LapState& s, int numGiro, const QString& trackLength);

} // namespace zuv
