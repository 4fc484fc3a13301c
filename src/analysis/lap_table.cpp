#include "analysis/lap_table.h"

#include "analysis/circuit.h"
#include "analysis/number_text.h"
#include "analysis/session_dialog.h"
#include "analysis/texts.h"
#include "platform/companion_file.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QFileInfo>
#include <algorithm>

namespace zuv {
namespace {

constexpr int kTimeWidth = 1100;
constexpr int kSectorWidth = 850;
// Column 1 is the lap time; sectors follow.
constexpr int kTimeColumn = 1;
constexpr int kFirstSector = 2;

bool validRow(int r) { return r >= 0 && r < kLapRows; }

int lastTimeColumn(const LapState& s) { return std::clamp(s.SettoriGiro, kTimeColumn, kLapColumns - 1); }

// The lap number a row label and the tab captions show: the alarms data's
// at the lap's first row, the row number less one for a lap without rows.
QString lapNumberText(const LapState& s, int r, const RowValue& lapNumberAt)
{
    if (s.bounds.first(r) != s.bounds.end(r) && lapNumberAt)
        if (const auto v = lapNumberAt(s.bounds.first(r)))
            return numberText(*v, u".", true);
    return QString::number(r - 1);
}

void setCell(LapGrid& g, int r, int c, const QString& text)
{
    if (r >= 0 && r < int(g.cells.size()) && c >= 0 && c < kLapColumns)
        g.cells[std::size_t(r)][std::size_t(c)] = text;
}

// A lap or sector time as a number to compare; nothing for a cell that
// holds no time at all.
std::optional<qint64> cellTime(const QString& text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return LeggiTempoCentesimi(text);
}

qint64 trackMetres(const QString& trackLength)
{
    const auto v = parseDecimal(VirgolaInPunto(trackLength));
    if (!v || std::abs(*v) > 1e12)
        return 0;
    return qint64(roundHalfEven(*v));
}

QString speed(qint64 metres, qint64 hundredths)
{
    if (hundredths <= 0)
        return QString();
    return speedText(double(metres) / double(hundredths) * 360);
}

} // namespace

QString LapGrid::text(int r, int c) const
{
    if (r < 0 || r >= int(cells.size()) || c < 0 || c >= kLapColumns)
        return QString();
    return cells[std::size_t(r)][std::size_t(c)];
}

CellColours LapGrid::colours(int r, int c) const
{
    CellColours out;
    if (c < 0 || c >= kLapColumns)
        return out;
    if (r == selectedRow && r > 0 && c >= kFirstSector) {
        out.back = kColourBlue;
        out.fore = kColourWhite;
    }
    if (r > 0 && r == fastRow[std::size_t(c)])
        out.back = kColourGreen;
    if (r > 0 && r == slowRow[std::size_t(c)])
        out.back = kColourRed;
    return out;
}

void readLapLines(LapState& s, const QStringList& lines)
{
    for (int r = 0; r < kLapRows; ++r) {
        s.RigheTempiGiro[std::size_t(r)].clear();
        s.TempiSessione[std::size_t(r)].clear();
        s.TabellaGiri[std::size_t(r)].fill(QString());
    }
    // Line 1 is the version; this reader only passes it on.
    int k = 2;
    for (qsizetype i = 1; i < lines.size() && k < kLapRows; ++i, ++k) {
        const QString& line = lines.at(i);
        s.RigheTempiGiro[std::size_t(k)] = line;
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        if (comma >= 0) {
            s.TabellaGiri[std::size_t(k)][kTimeColumn] = line.left(comma);
            // The comma and the blank after it are skipped.
            s.TempiSessione[std::size_t(k)] = line.mid(comma + 2);
        } else {
            s.TabellaGiri[std::size_t(k)][kTimeColumn] = line;
            s.TempiSessione[std::size_t(k)] = QStringLiteral("1");
        }
    }
    s.intGiriTotali = k;
    s.intGiriCompletati = std::max(0, k - 3);
}

bool CaricaTempiGiro(LapState& s, const QString& analysisFile, QString* versionLine)
{
    const QFileInfo named(companionFileName(analysisFile, u".tim"));
    const QString path = findEntryNoCase(named.path(), named.fileName());
    const std::optional<QStringList> lines = QFileInfo(path).isFile() ? readTextLines(path) : std::nullopt;
    if (!lines) {
        msgBox(missingFileText(path), MsgIcon::Critical);
        return false;
    }
    if (versionLine)
        *versionLine = lines->value(0);
    readLapLines(s, *lines);
    return true;
}

// The session dialog and the lap table read the same sector lines.
static_assert(kMaxSectors == kSectorBoxes + 1);

bool CaricaSettori(LapState& s, const QString& circuit)
{
    s.SettoriGiro = 1;
    // `LunghezzeSettori` is not cleared: a file of fewer sectors overwrites
    // only its own entries.
    const std::optional<QString> path = sectorFilePath(circuit);
    const std::optional<FileSettori> file =
        path && QFileInfo(*path).isFile() ? readSectorFile(*path) : std::nullopt;
    if (!file)
        return false;
    const std::size_t n = std::min(file->sectors.size(), std::size_t(kMaxSectors));
    std::copy_n(file->sectors.begin(), n, s.LunghezzeSettori.begin());
    s.SettoriGiro = int(n) + 1;
    return true;
}

// The walk below writes up to three columns after the last sector's.
static_assert(kMaxSectors + 1 + 3 < kLapColumns);

void CalcolaTempiSettori(LapState& s, int r, const RowValue& distanceAt)
{
    if (!validRow(r))
        return;
    auto& row = s.TabellaGiri[std::size_t(r)];
    for (int c = kFirstSector; c < kLapColumns; ++c)
        row[std::size_t(c)].clear();
    // Without a sector file there is nothing to time.
    const int settoriGiro = lastTimeColumn(s);
    if (settoriGiro <= kTimeColumn)
        return;
    auto put = [&row](int j, qint64 samples) {
        if (j + kFirstSector < kLapColumns)
            row[std::size_t(j + kFirstSector)] = CentesimiInTempo(samples * 10);
    };
    const qint64 first = s.bounds.first(r);
    const qint64 last = s.bounds.end(r);
    qint64 mark = first;
    double boundary = s.LunghezzeSettori[0];
    int j = 0;
    qint64 i = first;
    // Every boundary is looked for, the last one too: once the lap's
    // distance reaches the sum of the lengths, what is left of the lap goes
    // into the columns after the last sector's, which the grid never shows.
    for (; i <= last; ++i) {
        const std::optional<double> d = distanceAt ? distanceAt(i) : std::nullopt;
        if (!d || *d < boundary)
            continue;
        put(j, i - mark);
        ++j;
        mark = i;
        if (j > settoriGiro)
            break;
        boundary += s.LunghezzeSettori[std::size_t(j)];
    }
    put(j, i - mark);
}

void AggiornaTestiTabellaGiri(LapState& s, const RowValue& lapNumberAt)
{
    if (s.intGiriCompletati < 1) {
        s.grid.visible = false;
        s.CampioniGiro = s.bounds.end(2) - s.bounds.first(2);
        s.GiroCorrente = 2;
        return;
    }
    LapGrid& g = s.grid;
    setCell(g, 0, kTimeColumn, languageText(143));
    for (int j = kFirstSector; j <= lastTimeColumn(s); ++j)
        setCell(g, 0, j, languageText(144) + QString::number(j - 1));
    setCell(g, 1, 0, QStringLiteral("Start"));
    for (int r = 2; r <= s.intGiriTotali - 2; ++r)
        setCell(g, r, 0, languageText(193) + lapNumberText(s, r, lapNumberAt));
    setCell(g, s.intGiriTotali - 1, 0, QStringLiteral("End"));
}

bool CompilaTabellaGiri(LapState& s, const RowValue& lapNumberAt, const RowValue& distanceAt)
{
    LapGrid& g = s.grid;
    g.fastRow.fill(0);
    g.slowRow.fill(0);
    // Sector times of an earlier circuit must not survive a change of it.
    for (auto& row : s.TabellaGiri)
        for (int c = kFirstSector; c < kLapColumns; ++c)
            row[std::size_t(c)].clear();
    if (s.intGiriCompletati < 1) {
        AggiornaTestiTabellaGiri(s, lapNumberAt);
        g.selectedRow = s.GiroCorrente;
        return false;
    }
    g.visible = true;
    g.rows = std::clamp(s.intGiriTotali, 2, kLapRows);
    g.cells.assign(std::size_t(g.rows), {});
    g.widths.fill(0);
    g.widths[kTimeColumn] = kTimeWidth;
    for (int j = kFirstSector; j < kLapColumns; ++j)
        g.widths[std::size_t(j)] = kSectorWidth;
    AggiornaTestiTabellaGiri(s, lapNumberAt);
    for (int r = 2; r <= s.intGiriTotali - 2; ++r)
        if (s.bounds.first(r) != s.bounds.end(r))
            CalcolaTempiSettori(s, r, distanceAt);
    // The marking writes every time cell of the laps.
    EvidenziaGiriEstremi(s);
    return true;
}

void PulisciRigaTabella(LapState& s, int r)
{
    if (r < 0 || r >= int(s.grid.cells.size()))
        return;
    // Every row from 1 is painted white, the selected one too; the next
    // click paints a selection again.
    if (r != 0 && r == s.grid.selectedRow)
        s.grid.selectedRow = 0;
    for (int c = kFirstSector; c < kLapColumns; ++c)
        s.grid.cells[std::size_t(r)][std::size_t(c)].clear();
}

void EvidenziaGiriEstremi(LapState& s)
{
    LapGrid& g = s.grid;
    for (int c = kTimeColumn; c <= lastTimeColumn(s); ++c) {
        int fast = 0;
        int slow = 0;
        qint64 fastTime = 0;
        qint64 slowTime = 0;
        for (int r = 2; r <= s.intGiriCompletati + 1 && validRow(r); ++r) {
            const QString& text = s.TabellaGiri[std::size_t(r)][std::size_t(c)];
            setCell(g, r, c, text);
            const std::optional<qint64> t = cellTime(text);
            if (!t)
                continue;
            if (slow == 0 || *t > slowTime) {
                slow = r;
                slowTime = *t;
            }
            if (fast == 0 || *t < fastTime) {
                fast = r;
                fastTime = *t;
            }
        }
        g.fastRow[std::size_t(c)] = fast;
        g.slowRow[std::size_t(c)] = slow;
        if (c == kTimeColumn) {
            s.intGiroVeloce = fast > 0 ? fast - 1 : 0;
            s.intGiroLento = slow > 0 ? slow - 1 : 0;
        }
    }
}

LapSelection MSFlexGrid1_Click(LapState& s, int row, int column, const RowValue& lapNumberAt)
{
    LapSelection sel;
    if (s.grid.visible && column == kTimeColumn && row >= 1 && row < s.grid.rows) {
        sel.selected = true;
        sel.lapCaption = QLatin1Char(' ') + languageText(110) + QLatin1Char(' ') + lapNumberText(s, row, lapNumberAt);
        s.grid.selectedRow = row;
        s.CampioniGiro = s.bounds.end(row) - s.bounds.first(row);
        s.GiroCorrente = row;
        sel.showChart = s.CampioniGiro >= 1;
    }
    EvidenziaGiriEstremi(s);
    return sel;
}

int PrimoGiroValido(const LapState& s)
{
    const int last = std::min(s.intGiriTotali, kLapRows) - 1;
    for (int r = 1; r <= last; ++r)
        if (s.bounds.end(r) >= 3)
            return r;
    return 1;
}

qint64 LeggiTempoCentesimi(const QString& time) { return timeHundredths(time); }

QString VelocitaDaTempo(const QString& time, const QString& trackLength)
{
    return speed(trackMetres(trackLength), LeggiTempoCentesimi(time));
}

QString VelocitaMediaGiri(const QString& totalTime, int laps, const QString& trackLength)
{
    return speed(trackMetres(trackLength) * std::max(0, laps), LeggiTempoCentesimi(totalTime));
}

QString GetTempoGiro(const LapState& s, int numGiro)
{
    return validRow(numGiro) ? s.TabellaGiri[std::size_t(numGiro)][kTimeColumn] : QString();
}

QString GetSessioneTempo(const LapState& s, int numGiro)
{
    return validRow(numGiro) ? s.TempiSessione[std::size_t(numGiro)] : QString();
}

QString GetVelocitaGiro(const LapState& s, int numGiro, const QString& trackLength)
{
    return validRow(numGiro) ? VelocitaDaTempo(GetTempoGiro(s, numGiro), trackLength) : QString();
}

} // namespace zuv
