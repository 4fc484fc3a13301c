// The session data dialog's rules, sector file and map, without widgets.
#include "analysis/session_dialog.h"

#include "analysis/number_text.h"
#include "analysis/session_file.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "project/recent_files.h"
#include "project/state.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zuv {
namespace {

constexpr qint64 kMaxLunghezza = std::numeric_limits<qint32>::max();

bool italiano() { return TabellaLingua.IndiceLingua == 0; }

QString commaToPoint(QString s) { return s.replace(QLatin1Char(','), QLatin1Char('.')); }

// The value of a box: its text without blanks around it, rounded.
std::optional<qint32> valoreBox(const QString& testo)
{
    const auto v = parseWhole(commaToPoint(testo.trimmed()), std::numeric_limits<qint32>::min(),
                              std::numeric_limits<qint32>::max());
    if (!v)
        return std::nullopt;
    return qint32(*v);
}

// L: the track length as a whole number, when it is one above 0.
std::optional<qint32> lunghezzaPista(const QString& testo)
{
    const auto v = valoreBox(testo);
    if (!v || *v < 1)
        return std::nullopt;
    return v;
}

std::optional<double> lunghezzaDouble(const QString& testo) { return parseDecimal(commaToPoint(testo)); }

QPoint inTwips(const MapPoint& p) { return QPoint(p.x * kScalaMappaDialogo, p.y * kScalaMappaDialogo); }

class Pen {
public:
    explicit Pen(const std::vector<MapPoint>& punti, MapDrawing& out) : punti_(punti), out_(out) {}
    qint32 colore = kNero;

    bool valid(qint64 i) const { return i >= 0 && i < qint64(punti_.size()); }
    void line(qint64 a, qint64 b)
    {
        if (valid(a) && valid(b))
            out_.linee.push_back({QLine(inTwips(punti_[a]), inTwips(punti_[b])), colore});
    }
    void path(qint64 from, qint64 to)
    {
        for (qint64 j = from; j < to; ++j)
            line(j, j + 1);
    }
    void closing()
    {
        const qint64 n = qint64(punti_.size());
        line(n - 1, 0);
    }

private:
    const std::vector<MapPoint>& punti_;
    MapDrawing& out_;
};

void mostraBox(SectorBox& b, const QString& testo)
{
    b.visibile = true;
    b.attivo = true;
    b.testo = testo;
}

QString messaggioLunghezza()
{
    return italiano() ? QStringLiteral("La lunghezza del tracciato deve essere un numero intero di metri da 1 a %1.")
                            .arg(kMaxLunghezza)
                      : QStringLiteral("The track length must be a whole number of metres from 1 to %1.")
                            .arg(kMaxLunghezza);
}

QString messaggioSettoreZero()
{
    return italiano() ? QStringLiteral("La lunghezza di un settore non può essere zero.")
                      : QStringLiteral("A sector length cannot be zero.");
}

QString messaggioScrittura(const QString& percorso, const QString& motivo)
{
    return (italiano() ? QStringLiteral("Impossibile scrivere il file dei settori %1.")
                       : QStringLiteral("The sector file %1 could not be written."))
               .arg(percorso)
           + QLatin1Char('\n') + motivo;
}

// Sector lines of the dialog: whole lengths up to the first that is none.
void prendiSettori(DatiSessioneDialog& d, const FileSettori& file)
{
    int presi = 0;
    for (const double v : file.settori) {
        if (presi >= kBoxSettori)
            break;
        const double r = roundHalfEven(v);
        if (r == 0 || r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
            break;
        d.LunghezzaSettore[presi] = qint32(r);
        mostraBox(d.txtX[presi], QString::number(qint32(r)));
        ++presi;
    }
    d.NumSettori = qint16(presi);
    d.cboNumSettori = QString::number(presi);
}

} // namespace

std::optional<FileSettori> leggiFileSettori(const QString& percorso)
{
    const auto lines = readTextLines(percorso);
    if (!lines)
        return std::nullopt;
    FileSettori f;
    if (!lines->isEmpty())
        f.lunghezza = lines->first();
    for (qsizetype i = 1; i < lines->size() && int(f.settori.size()) <= kBoxSettori; ++i)
        f.settori.push_back(leadingNumber(lines->at(i)));
    return f;
}

bool scriviFileSettori(const QString& percorso, const QString& lunghezza, std::span<const qint32> settori,
                       QString* error)
{
    QStringList lines{righeInUna(lunghezza)};
    for (std::size_t k = 0; k < settori.size() && k < std::size_t(kBoxSettori) && settori[k] != 0; ++k)
        lines.append(QString::number(settori[k]));
    return writeTextLines(percorso, lines, error);
}

MapDrawing DisegnaTracciato(const std::vector<MapPoint>& punti)
{
    MapDrawing out;
    if (punti.empty())
        return out;
    Pen pen(punti, out);
    pen.path(0, qint64(punti.size()) - 1);
    pen.closing();
    const QPoint o = inTwips(punti.front());
    const int u = kScalaMappaDialogo;
    const std::array<QPoint, 4> square = {o + QPoint(-u, -u), o + QPoint(u, -u), o + QPoint(u, u), o + QPoint(-u, u)};
    for (std::size_t i = 0; i < square.size(); ++i)
        out.linee.push_back({QLine(square[i], square[(i + 1) % square.size()]), kGiallo});
    return out;
}

MapDrawing DisegnaSettori(const std::vector<MapPoint>& punti, const std::array<qint32, kBoxSettori + 1>& settori,
                          const QString& lunghTracciato)
{
    MapDrawing out;
    Pen pen(punti, out);
    const qint64 n = qint64(punti.size());
    const auto lt = lunghezzaDouble(lunghTracciato);
    qint64 first = 0;
    if (lt && *lt > 0) {
        for (int s = 0; s < kBoxSettori; ++s) {
            if (settori[s] == 0)
                continue;
            pen.colore = s % 2 == 0 ? kVerde : kRosso;
            qint64 last = 0;
            if (settori[s + 1] == 0) {
                last = n - 2;
            } else {
                const double fine = roundHalfEven(double(first) + double(settori[s]) * double(n) / *lt);
                if (!(fine >= std::numeric_limits<qint16>::min() && fine <= std::numeric_limits<qint16>::max()))
                    continue;
                last = qint64(fine);
            }
            for (qint64 j = first; j <= last; ++j) {
                if (j == first + 1 && pen.valid(j))
                    out.etichette.push_back({inTwips(punti[j]), QString::number(s + 1)});
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

DatiSessioneDialog MostraDatiSessione()
{
    DatiSessioneDialog d;
    const SessionRecord& s = DatiSessione;
    d.txtSessione = s.Sessione.trimmed();
    d.txtDataSessione = s.DataSessione.trimmed();
    d.txtOraSessione = s.OraSessione.trimmed();
    d.cboCircuito = s.Circuito.trimmed();
    d.txtLunghezzaTracciato = s.LunghTracciato.trimmed();
    d.LunghTracciato = s.LunghTracciato;
    d.txtVeicolo = s.VeicoloSessione.trimmed();
    d.txtPiloti = s.Piloti.trimmed();
    d.txtNote = s.NoteSessione.trimmed();
    d.txtX[0].visibile = true;
    cboCircuito_Click(d);
    return d;
}

QString titoloDatiSessione(const DatiSessioneDialog& d)
{
    return d.cboCircuito + QStringLiteral(" - ") + d.LunghTracciato + QStringLiteral(" m.");
}

void cboCircuito_Click(DatiSessioneDialog& d)
{
    d.disegno = MapDrawing();
    d.punti.clear();
    d.circuitoCaricato.clear();
    for (int k = 1; k < kBoxSettori; ++k) {
        d.LunghezzaSettore[k] = 0;
        d.txtX[k].visibile = false;
    }
    const auto tracciato = percorsoTracciato(d.cboCircuito);
    if (!tracciato)
        return;
    const auto righe = QFileInfo(*tracciato).isFile() ? leggiFileTracciato(*tracciato) : std::nullopt;
    if (!righe)
        return;
    d.PercorsoTracciato = *tracciato;
    d.punti = tracciatoDialogo(*righe);
    d.circuitoCaricato = d.cboCircuito;
    d.PercorsoSettori = percorsoSettori(d.cboCircuito).value_or(QString());

    const auto settori = QFileInfo(d.PercorsoSettori).isFile() ? leggiFileSettori(d.PercorsoSettori) : std::nullopt;
    if (!settori) {
        d.txtX[0].attivo = true;
        d.disegno = DisegnaTracciato(d.punti);
        return;
    }
    const QString lunghezza = numberText(leadingNumber(settori->lunghezza), u".", true);
    d.LunghTracciato = lunghezza;
    DatiSessione.LunghTracciato = lunghezza;
    prendiSettori(d, *settori);
    d.txtLunghezzaTracciato = lunghezza;
    // The sectors are drawn over a cleared box.
    d.disegno = DisegnaSettori(d.punti, d.LunghezzaSettore, d.LunghTracciato);
}

void cboNumSettori_Click(DatiSessioneDialog& d)
{
    for (int k = 1; k < kBoxSettori; ++k)
        d.LunghezzaSettore[k] = 0;
    const QString testo = d.cboNumSettori.trimmed();
    const double richiesti = testo.isEmpty() ? 0.0 : roundHalfEven(leadingNumber(testo));
    const int n = int(std::clamp(richiesti, 0.0, double(kBoxSettori)));
    d.NumSettori = qint16(n);
    const auto lunghezza = lunghezzaPista(d.LunghTracciato);
    const qint64 L = lunghezza.value_or(0);
    auto metti = [&](int k, qint64 valore) {
        mostraBox(d.txtX[k], lunghezza ? QString::number(valore) : QString());
        d.LunghezzaSettore[k] = lunghezza ? qint32(valore) : 0;
    };
    if (n >= 2) {
        const qint64 parte = qint64(roundHalfEven(double(L) / n));
        for (int k = 0; k <= n - 2; ++k)
            metti(k, parte);
        metti(n - 1, L - parte * (n - 1));
    } else if (n == 1) {
        metti(0, L);
    }
    for (int k = n; k < kBoxSettori; ++k)
        d.txtX[k].visibile = false;
    d.disegno = DisegnaSettori(d.punti, d.LunghezzaSettore, d.LunghTracciato);
}

void txtLunghezzaTracciato_Invio(DatiSessioneDialog& d)
{
    // Passing through the box must not throw away the sectors typed.
    if (d.txtLunghezzaTracciato.trimmed() == d.LunghTracciato.trimmed())
        return;
    d.LunghTracciato = d.txtLunghezzaTracciato;
    cboNumSettori_Click(d);
}

bool ultimoSettore(const DatiSessioneDialog& d, int k) { return k == d.NumSettori - 1; }

bool txtX_KeyPress(const DatiSessioneDialog& d, int k, QChar tasto)
{
    if (ultimoSettore(d, k))
        return true;
    return tasto != QLatin1Char(',') && tasto != QLatin1Char('.');
}

void txtX_Invio(DatiSessioneDialog& d, int k)
{
    if (k < 0 || k >= kBoxSettori || ultimoSettore(d, k))
        return;
    SectorBox& box = d.txtX[k];
    const qint32 vecchio = d.LunghezzaSettore[k];
    const auto nuovo = valoreBox(box.testo);
    const auto L = lunghezzaPista(d.LunghTracciato);
    if (!nuovo || !L || *nuovo >= *L || *nuovo < 1) {
        box.testo = QString::number(vecchio);
        return;
    }
    // A box past the sectors in use (the first box of a circuit without
    // sectors) only keeps its value.
    if (k < d.NumSettori - 1) {
        SectorBox& prossimo = d.txtX[k + 1];
        qint64 valore = 0;
        if (k == d.NumSettori - 2) {
            qint64 somma = *nuovo;
            for (int j = 0; j < k; ++j) {
                const auto v = valoreBox(d.txtX[j].testo);
                if (!v) {
                    box.testo = QString::number(vecchio);
                    return;
                }
                somma += *v;
            }
            valore = qint64(*L) - somma;
        } else {
            const auto v = valoreBox(prossimo.testo);
            if (!v) {
                box.testo = QString::number(vecchio);
                return;
            }
            valore = qint64(*v) - (qint64(*nuovo) - vecchio);
        }
        if (valore < std::numeric_limits<qint32>::min() || valore > std::numeric_limits<qint32>::max()) {
            box.testo = QString::number(vecchio);
            return;
        }
        prossimo.testo = QString::number(valore);
        d.LunghezzaSettore[k + 1] = qint32(valore);
    }
    d.LunghezzaSettore[k] = *nuovo;
    d.disegno = DisegnaSettori(d.punti, d.LunghezzaSettore, d.LunghTracciato);
}

EsitoOkDatiSessione OKButton_Click(DatiSessioneDialog& d)
{
    const auto lunghezza = lunghezzaDouble(d.txtLunghezzaTracciato);
    if (!lunghezza || *lunghezza != std::floor(*lunghezza) || *lunghezza < 1 || *lunghezza > double(kMaxLunghezza))
        return {false, messaggioLunghezza()};
    const QString motivoCircuito = motivoNomeCircuitoNonValido(d.cboCircuito);
    if (!motivoCircuito.isEmpty())
        return {false, motivoCircuito};
    const int n = std::clamp<int>(d.NumSettori, 0, kBoxSettori);
    qint64 somma = 0;
    for (int k = 0; k < n; ++k) {
        if (d.LunghezzaSettore[k] < 0)
            return {false, Testo(326)};
        somma += d.LunghezzaSettore[k];
    }
    for (int k = 0; k < n; ++k)
        if (d.LunghezzaSettore[k] == 0)
            return {false, messaggioSettoreZero()};
    if (double(somma) != *lunghezza)
        return {false, Testo(327)};

    // Only the sectors of the circuit whose outline is on show, and only
    // under the name now in the box.
    if (!d.circuitoCaricato.isEmpty() && !d.PercorsoSettori.isEmpty()
        && d.cboCircuito.compare(d.circuitoCaricato, Qt::CaseInsensitive) == 0) {
        QString motivo;
        if (!scriviFileSettori(d.PercorsoSettori, d.txtLunghezzaTracciato,
                               std::span<const qint32>(d.LunghezzaSettore.data(), std::size_t(n)), &motivo))
            return {false, messaggioScrittura(d.PercorsoSettori, motivo)};
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
