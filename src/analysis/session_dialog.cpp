// The session data dialog's rules, sector file and map, without widgets.
#include "analysis/session_dialog.h"

#include "analysis/number_text.h"
#include "analysis/session_file.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "project/recent_files.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <numeric>

namespace zuv {
namespace {

// The value of a box, and L of the track length: the text without blanks
// around it, rounded to 32 bits; nothing for a text that is no number or
// lies beyond 32 bits.
std::optional<qint32> boxValue(const QString& text)
{
    const auto v = parseWhole(VirgolaInPunto(text.trimmed()), std::numeric_limits<qint32>::min(),
                              std::numeric_limits<qint32>::max());
    if (!v)
        return std::nullopt;
    return qint32(*v);
}

// The track length as a double.
std::optional<double> lengthValue(const QString& text) { return parseDecimal(VirgolaInPunto(text.trimmed())); }

QPoint inTwips(const MapPoint& p) { return QPoint(p.x * kDialogMapScale, p.y * kDialogMapScale); }

class Pen {
public:
    explicit Pen(const std::vector<MapPoint>& points, MapDrawing& out) : points_(points), out_(out) {}
    qint32 colour = kColourBlack;

    bool valid(qint64 i) const { return i >= 0 && i < qint64(points_.size()); }
    void line(qint64 a, qint64 b)
    {
        if (valid(a) && valid(b))
            out_.lines.push_back({QLine(inTwips(points_[a]), inTwips(points_[b])), colour});
    }
    void path(qint64 from, qint64 to)
    {
        for (qint64 j = from; j < to; ++j)
            line(j, j + 1);
    }
    void closing()
    {
        const qint64 n = qint64(points_.size());
        line(n - 1, 0);
    }

private:
    const std::vector<MapPoint>& points_;
    MapDrawing& out_;
};

void showBox(SectorBox& b, const QString& text)
{
    b.visible = true;
    b.enabled = true;
    b.text = text;
}

QString lengthMessage()
{
    return languageText(374).arg(std::numeric_limits<qint32>::min()).arg(std::numeric_limits<qint32>::max());
}

QString writeMessage(const QString& path, const QString& reason)
{
    return languageText(376).arg(path) + QLatin1Char('\n') + reason;
}

// Every sector line, up to the fifteenth, is a box, a 0 line too. A length
// beyond 32 bits ends the reading there.
void takeSectors(SessionDialogState& d, const FileSettori& file)
{
    int taken = 0;
    for (const double v : file.sectors) {
        if (taken >= kSectorBoxes)
            break;
        const double r = roundHalfEven(v);
        if (!(r >= std::numeric_limits<qint32>::min() && r <= std::numeric_limits<qint32>::max()))
            break;
        d.LunghezzaSettore[taken] = qint32(r);
        showBox(d.txtX[taken], QString::number(qint32(r)));
        ++taken;
    }
    d.NumSettori = qint16(taken);
    d.cboNumSettori = QString::number(taken);
}

} // namespace

std::optional<FileSettori> readSectorFile(const QString& path)
{
    const auto lines = readTextLines(path);
    if (!lines)
        return std::nullopt;
    FileSettori f;
    if (!lines->isEmpty())
        f.length = lines->first();
    for (qsizetype i = 1; i < lines->size() && int(f.sectors.size()) <= kSectorBoxes; ++i)
        f.sectors.push_back(leadingNumber(lines->at(i)));
    return f;
}

bool writeSectorFile(const QString& path, const QString& length, std::span<const qint32> sectors,
                     QString* error)
{
    QStringList lines{joinLines(length)};
    for (std::size_t k = 0; k < sectors.size() && k < std::size_t(kSectorBoxes) && sectors[k] != 0; ++k)
        lines.append(QString::number(sectors[k]));
    return writeTextLines(path, lines, error);
}

MapDrawing DisegnaTracciato(const std::vector<MapPoint>& points)
{
    MapDrawing out;
    if (points.empty())
        return out;
    Pen pen(points, out);
    pen.path(0, qint64(points.size()) - 1);
    pen.closing();
    const QPoint o = inTwips(points.front());
    const int u = kDialogMapScale;
    const std::array<QPoint, 4> square = {o + QPoint(-u, -u), o + QPoint(u, -u), o + QPoint(u, u), o + QPoint(-u, u)};
    for (std::size_t i = 0; i < square.size(); ++i)
        out.lines.push_back({QLine(square[i], square[(i + 1) % square.size()]), kColourYellow});
    return out;
}

MapDrawing DisegnaSettori(const std::vector<MapPoint>& points, const std::array<qint32, kSectorBoxes + 1>& sectors,
                          const QString& trackLength)
{
    MapDrawing out;
    Pen pen(points, out);
    const qint64 n = qint64(points.size());
    const auto lt = lengthValue(trackLength);
    qint64 first = 0;
    if (lt && *lt != 0) {
        for (int s = 0; s < kSectorBoxes; ++s) {
            if (sectors[s] == 0)
                continue;
            pen.colour = s % 2 == 0 ? kColourGreen : kColourRed;
            qint64 last = 0;
            if (sectors[s + 1] == 0) {
                last = n - 2;
            } else {
                const double end = roundHalfEven(double(first) + double(sectors[s]) * double(n) / *lt);
                if (!(end >= std::numeric_limits<qint16>::min() && end <= std::numeric_limits<qint16>::max()))
                    continue;
                last = qint64(end);
            }
            for (qint64 j = first; j <= last; ++j) {
                if (j == first + 1 && pen.valid(j))
                    out.labels.push_back({inTwips(points[j]), QString::number(s + 1)});
                pen.line(j, j + 1);
            }
            first = last;
        }
    }
    pen.path(first, n - 1);
    pen.closing();
    return out;
}

QStringList CaricaListaCircuiti()
{
    ListaTracciati.clear();
    CaricaListaTracciati();
    return ListaTracciati;
}

SessionDialogState MostraDatiSessione()
{
    SessionDialogState d;
    const SessionRecord& s = DatiSessione;
    d.txtSessione = withoutOuterBlanks(s.Sessione);
    d.txtDataSessione = withoutOuterBlanks(s.DataSessione);
    d.txtOraSessione = withoutOuterBlanks(s.OraSessione);
    d.cboCircuito = withoutOuterBlanks(s.Circuito);
    d.txtLunghezzaTracciato = withoutOuterBlanks(s.LunghTracciato);
    d.LunghTracciato = s.LunghTracciato;
    d.txtVeicolo = withoutOuterBlanks(s.VeicoloSessione);
    d.txtPiloti = withoutOuterBlanks(s.Piloti);
    d.txtNote = withoutOuterBlanks(s.NoteSessione);
    d.txtX[0].visible = true;
    cboCircuito_Click(d);
    return d;
}

QString sessionDialogTitle(const SessionDialogState& d)
{
    return d.cboCircuito + QStringLiteral(" - ") + d.LunghTracciato + QStringLiteral(" m.");
}

void cboCircuito_Click(SessionDialogState& d)
{
    d.drawing = MapDrawing();
    d.points.clear();
    for (int k = 1; k < kSectorBoxes; ++k) {
        d.LunghezzaSettore[k] = 0;
        d.txtX[k].visible = false;
    }
    const auto outline = outlineFilePath(d.cboCircuito);
    if (!outline)
        return;
    const auto lines = QFileInfo(*outline).isFile() ? readOutlineFile(*outline) : std::nullopt;
    if (!lines)
        return;
    // The track length as it was before a sector file is read.
    d.title = sessionDialogTitle(d);
    d.points = dialogOutline(*lines);
    d.PercorsoSettori = sectorFilePath(d.cboCircuito).value_or(QString());

    const auto sectors = QFileInfo(d.PercorsoSettori).isFile() ? readSectorFile(d.PercorsoSettori) : std::nullopt;
    if (!sectors) {
        d.txtX[0].enabled = true;
        d.drawing = DisegnaTracciato(d.points);
        return;
    }
    const QString length = numberText(leadingNumber(sectors->length), u".", true);
    d.LunghTracciato = length;
    DatiSessione.LunghTracciato = length;
    takeSectors(d, *sectors);
    d.txtLunghezzaTracciato = length;
    // The sectors are drawn over a cleared box.
    d.drawing = DisegnaSettori(d.points, d.LunghezzaSettore, d.LunghTracciato);
}

void cboNumSettori_Click(SessionDialogState& d)
{
    for (int k = 1; k < kSectorBoxes; ++k)
        d.LunghezzaSettore[k] = 0;
    const QString text = d.cboNumSettori.trimmed();
    const double wanted = text.isEmpty() ? 0.0 : roundHalfEven(leadingNumber(text));
    const int n = int(std::clamp(wanted, 0.0, double(kSectorBoxes)));
    d.NumSettori = qint16(n);
    const auto length = boxValue(d.LunghTracciato);
    const qint64 L = length.value_or(0);
    auto put = [&](int k, qint64 value) {
        showBox(d.txtX[k], length ? QString::number(value) : QString());
        d.LunghezzaSettore[k] = length ? qint32(value) : 0;
    };
    if (n >= 2) {
        const qint64 share = qint64(roundHalfEven(double(L) / n));
        for (int k = 0; k <= n - 2; ++k)
            put(k, share);
        put(n - 1, L - share * (n - 1));
    } else if (n == 1) {
        put(0, L);
    }
    for (int k = n; k < kSectorBoxes; ++k)
        d.txtX[k].visible = false;
    d.drawing = DisegnaSettori(d.points, d.LunghezzaSettore, d.LunghTracciato);
}

void txtLunghezzaTracciato_LostFocus(SessionDialogState& d)
{
    d.LunghTracciato = d.txtLunghezzaTracciato;
    cboNumSettori_Click(d);
}

bool isLastSector(const SessionDialogState& d, int k) { return k == d.NumSettori - 1; }

bool txtX_KeyPress(const SessionDialogState& d, int k, QChar key)
{
    if (isLastSector(d, k))
        return true;
    return key != QLatin1Char(',') && key != QLatin1Char('.');
}

void txtX_LostFocus(SessionDialogState& d, int k)
{
    if (k < 0 || k >= kSectorBoxes || isLastSector(d, k))
        return;
    SectorBox& box = d.txtX[k];
    const qint32 oldLength = d.LunghezzaSettore[k];
    // A text that is no number ends the step and stays in its box, and so
    // does what the step had changed before.
    const auto newLength = boxValue(box.text);
    const auto L = boxValue(d.LunghTracciato);
    if (!newLength || !L)
        return;
    if (*newLength >= *L || *newLength < 1) {
        box.text = QString::number(oldLength);
        return;
    }
    d.LunghezzaSettore[k] = *newLength;
    if (k + 1 >= kSectorBoxes)
        return;
    qint64 value = 0;
    if (k == d.NumSettori - 2) {
        qint64 sum = 0;
        for (int j = 0; j <= k; ++j) {
            const auto v = boxValue(d.txtX[j].text);
            if (!v)
                return;
            sum += *v;
        }
        value = qint64(*L) - sum;
    } else {
        const auto v = boxValue(d.txtX[k + 1].text);
        if (!v)
            return;
        value = qint64(*v) - (qint64(*newLength) - oldLength);
    }
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return;
    d.txtX[k + 1].text = QString::number(value);
    d.LunghezzaSettore[k + 1] = qint32(value);
    d.drawing = DisegnaSettori(d.points, d.LunghezzaSettore, d.LunghTracciato);
}

SessionOk OKButton_Click(SessionDialogState& d)
{
    const int n = std::clamp<int>(d.NumSettori, 0, kSectorBoxes);
    const std::span<const qint32> sectors(d.LunghezzaSettore.data(), std::size_t(n));
    if (std::ranges::any_of(sectors, [](qint32 v) { return v < 0; }))
        return {false, languageText(326)};
    // A length the split cannot take has no sum to match.
    const auto length = lengthValue(d.LunghTracciato);
    if (!length || !boxValue(d.LunghTracciato))
        return {false, lengthMessage()};
    if (double(std::accumulate(sectors.begin(), sectors.end(), qint64(0))) != *length)
        return {false, languageText(327)};
    // The sector file ends at a sector of 0: the sectors after it would be
    // lost.
    if (std::ranges::find(sectors, 0) != sectors.end())
        return {false, languageText(375)};
    if (const auto problem = circuitNameProblem(d.cboCircuito))
        return {false, *problem};

    // The sectors belong to the circuit last loaded, whatever name the box
    // now holds.
    if (!d.PercorsoSettori.isEmpty()) {
        QString reason;
        if (!writeSectorFile(d.PercorsoSettori, d.txtLunghezzaTracciato, sectors, &reason))
            return {false, writeMessage(d.PercorsoSettori, reason)};
    }

    SessionRecord& s = DatiSessione;
    s.Sessione = d.txtSessione;
    s.DataSessione = d.txtDataSessione;
    s.OraSessione = d.txtOraSessione;
    s.Circuito = d.cboCircuito;
    s.LunghTracciato = d.txtLunghezzaTracciato;
    s.VeicoloSessione = d.txtVeicolo;
    s.Piloti = d.txtPiloti;
    s.NoteSessione = d.txtNote;
    d.LunghTracciato = d.txtLunghezzaTracciato;
    return {true, QString()};
}

} // namespace zuv
