#pragma once
// The session data dialog without its widgets: what its controls hold, the
// circuit and sector files it reads and writes, the even split of the track
// into sectors, the rules of the sector boxes, the checks of OK and the map
// of the circuit with its sectors as coloured lines in twips. The dialog
// copies the state into its controls after every call and the edited texts
// back before it.
//
// Sector file (tracks/<circuit>.sec, CR LF): line 1 the track length as
// typed, then one whole sector length a line, at most 15, none of them 0.

#include "analysis/circuit.h"
#include "analysis/colour_values.h"

#include <QLine>
#include <QPoint>
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace zuv {

// The dialog's sector boxes; a sector file it writes holds at most as many.
inline constexpr int kSectorBoxes = 15;

// --- sector file -----------------------------------------------------------------

struct FileSettori {
    // Line 1 as it stands.
    QString length;
    // The leading number of each further line ("." as decimal point, 0 for a
    // line that starts with none), at most `kSectorBoxes + 1` of them.
    std::vector<double> sectors;
};

std::optional<FileSettori> readSectorFile(const QString& path);

// Replaces the file whole: `length` as line 1, then the sectors up to the
// first of length 0, at most 15. False with the system's reason in `error`.
bool writeSectorFile(const QString& path, const QString& length, std::span<const qint32> sectors,
                     QString* error = nullptr);

// --- map -------------------------------------------------------------------------

// Every line of the dialog's map is 4 pixels wide; the sector numbers are
// black, bold, 12 points, their top-left corner on the point.
inline constexpr int kDialogMapPen = 4;
inline constexpr int kSectorLabelPoints = 12;

struct MapSegment {
    QLine line; // twips
    qint32 colour = kColourBlack; // 0x00BBGGRR
};
struct MapLabel {
    QPoint position; // twips
    QString text;
};
// What the map box shows; each drawing replaces the one before.
struct MapDrawing {
    std::vector<MapSegment> lines;
    std::vector<MapLabel> labels;
};

// The outline in black, closed, and a yellow square one map unit around the
// start point (scale 43).
MapDrawing DisegnaTracciato(const std::vector<MapPoint>& points);

// The outline split into sectors, green for sector 1, red for sector 2 and
// so on, each numbered at its second point; the last sector in use runs to
// the end of the outline. Sector s ends at the point
// first + length(s) x points / track length. Only the outline, in black,
// when the track length is no number or 0. Lines whose points lie outside
// the outline are left out.
MapDrawing DisegnaSettori(const std::vector<MapPoint>& points, const std::array<qint32, kSectorBoxes + 1>& sectors,
                          const QString& trackLength);

// --- the dialog ------------------------------------------------------------------

struct SectorBox {
    QString text;
    bool visible = false;
    // Enabled with a white background; otherwise disabled with the menu
    // colour.
    bool enabled = false;
};

struct SessionDialogState {
    // The text boxes and combo texts.
    QString txtSessione;
    QString txtDataSessione;
    QString txtOraSessione;
    QString txtVeicolo;
    QString txtPiloti;
    QString txtNote;
    QString cboCircuito;
    QString txtLunghezzaTracciato;
    QString cboNumSettori;
    // Boxes 1. to 15. with their labels; box 1. shown but disabled at first.
    std::array<SectorBox, kSectorBoxes> txtX{};

    // The track length the split and the map use while the dialog is open;
    // it becomes the session's at OK.
    QString LunghTracciato;
    // Outline of the circuit last read in the dialog.
    std::vector<MapPoint> points;
    // Entry 15 is always 0 and ends every walk over the sectors.
    std::array<qint32, kSectorBoxes + 1> LunghezzaSettore{};
    qint16 NumSettori = 0;
    // The sector file of the circuit whose outline was read last; a choice
    // that finds no outline leaves it.
    QString PercorsoSettori;
    MapDrawing drawing;
    // The dialog's title, set at activation and when a circuit's outline
    // is opened.
    QString title;
};

// Empties `ListaTracciati` and fills it again from the tracks folder; the
// names for the circuit combo, in that order.
QStringList CaricaListaCircuiti();

// The dialog as it opens: the session's values without the blanks around
// them (a line break that ends the drivers stays), then the session's
// circuit chosen as by `cboCircuito_Click`.
SessionDialogState MostraDatiSessione();

// The dialog's title: circuit, " - ", track length, " m.".
QString sessionDialogTitle(const SessionDialogState& d);

// A circuit picked from the list (not typed): reads its outline and, when it
// has one, its sector file, every sector line up to the fifteenth a box (a
// 0 line a box with 0). Opening the outline sets the title with the track
// length as it was before. A sector file puts its track length into the
// session at once, also when the dialog is later cancelled.
void cboCircuito_Click(SessionDialogState& d);

// A number of sectors chosen (or typed, then confirmed): 0 to 15 (a larger
// number counts as 15), the track split evenly, the last sector taking the
// rest. A track length that is no number, or lies beyond 32 bits, leaves
// the boxes empty.
void cboNumSettori_Click(SessionDialogState& d);

// Enter in the track-length box, or focus leaving it: the box's text
// becomes the dialog's track length and the sectors are split again.
void txtLunghezzaTracciato_LostFocus(SessionDialogState& d);

// Whether box k takes the key: every box but the last refuses "," and ".";
// the last takes any key.
bool txtX_KeyPress(const SessionDialogState& d, int k, QChar key);
bool isLastSector(const SessionDialogState& d, int k);

// Enter in box k, or focus leaving it; nothing in the last box. A length
// of 1 or more and below the track length is taken and the next box
// absorbs the change (the box before the last makes the last one the rest
// of the track); a number out of that range puts the old length back in
// the box. A text that is no number (in the box, the track length, or a
// box the step reads) ends the step, the text staying as typed.
void txtX_LostFocus(SessionDialogState& d, int k);

struct SessionOk {
    bool accepted = false;
    // Why not, for a message box with an OK button (language text 326 or 327,
    // or a clear text of ours).
    QString message;
};

// OK: refuses, storing nothing, in this order: a sector in use below 0
// (326); a track length that is no number or lies beyond 32 bits; sectors
// whose sum is not the track length (327); then a sector of length 0, a
// circuit name that cannot name a file and a sector file that cannot be
// written. Otherwise writes the sector file of the circuit whose outline
// was read last (none when no outline was read in the dialog), whatever
// name the circuit box holds, and stores the texts of the boxes as they
// stand in `DatiSessione`; the caller then saves the session file and
// closes.
SessionOk OKButton_Click(SessionDialogState& d);

} // namespace zuv
