#pragma once
// The session file beside a data file: what the user said about the session
// (`DatiSessione`) and the display settings of the measure rows 3 to 20 of
// the analysis window. 26 lines in Windows-1252, each ended by CR LF:
//
//   Sessione=<value>      DataSessione=   OraSessione=   Circuito=
//   LunghTracciato=       VeicoloSessione=   Piloti=     NoteSessione=
//   name;filter;colour;width;minimum;maximum      (rows 3..20)
//
// An empty value is written as one blank; minimum and maximum with the
// user's decimal separator (either "." or "," is read back, so a file from
// another machine still reads).

#include "project/state.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace zuv {

// The settings of one measure row that the session file keeps.
struct MeasureSettings {
    // Written for the reader's eyes only; reading leaves the row's name alone.
    QString name;
    qint16 filter = 1;
    // 0x00BBGGRR; the top bit set names a system colour.
    qint32 colour = 0;
    qint16 lineWidth = 1;
    double minimum = 0;
    double maximum = 0;
};

inline constexpr int kFirstSessionMeasure = 3;
inline constexpr int kLastSessionMeasure = 20;
inline constexpr int kSessionFileLines = 26;

// Entries 0 to 20 like the window's per-measure tables; the file holds 3..20.
using MeasureRows = std::array<MeasureSettings, 21>;

// The data file's path less its last three characters, followed by "ses".
QString sessionFileFor(const QString& analysisFileName);

// The 26 lines of a session, encoded. A line break inside a value (CR LF,
// CR or LF) is written as ", " so every value keeps its one line.
QByteArray sessionFileText(const SessionRecord& session, const MeasureRows& measures);

enum class SessionLoad {
    // No session file: the eight values are empty.
    NoFile,
    // The file exists but could not be opened.
    Unreadable,
    // 26 lines read.
    Complete,
    // The file stopped early or held a field that is not its number; what
    // came before stays.
    Partial,
};

struct SessionReadResult {
    SessionLoad outcome = SessionLoad::NoFile;
    // Lines taken, 0 to 26.
    int linesRead = 0;
};

// Reads the lines of a session file into `session` (cleared first) and the
// rows 3..20 of `measures`; rows not reached keep what they held. Values are
// taken by position after the first "=" of their line, blanks around them
// dropped. A measure line gives its five numbers from the right, so a name
// that holds ";" costs nothing; a line with fewer than five ";" or a field
// that is not its number ends the reading there.
SessionReadResult readSessionLines(const QStringList& lines, SessionRecord& session,
                                   MeasureRows& measures);

// Reads `sessionFileName` into `DatiSessione` and `measures`. No file, or one
// that cannot be opened, leaves the eight values empty.
SessionReadResult CaricaDatiSessione(const QString& sessionFileName, MeasureRows& measures);

// Writes `DatiSessione` and the rows 3..20 of `measures` as a whole new file
// (the old one stays when the write fails). False with the system's reason
// in `error` when it could not be written.
bool SalvaDatiSessione(const QString& sessionFileName, const MeasureRows& measures,
                       QString* error = nullptr);

// `s` without the blanks around it; a tab or a line break there is part of
// the value. The reader and the session data dialog drop them so.
QString withoutOuterBlanks(const QString& s);

// CR LF, a lone CR and a lone LF each become ", ".
QString joinLines(const QString& text);

} // namespace zuv
