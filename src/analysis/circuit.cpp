// Circuit outline files, circuit names in paths and the map geometry.
#include "analysis/circuit.h"

#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <algorithm>

namespace zuv {
namespace {

bool italiano() { return TabellaLingua.IndiceLingua == 0; }

std::optional<QString> fileDelCircuito(const QString& circuito, const char* estensione)
{
    if (circuito.isEmpty() || !motivoNomeCircuitoNonValido(circuito).isEmpty())
        return std::nullopt;
    return findEntryNoCase(cartellaTracciati(), circuito + QLatin1String(estensione));
}

// Far beyond any map box, and small enough that no scale overflows.
constexpr qint32 kMaxCoordinata = 10000000;

std::optional<qint32> coordinata(QStringView testo)
{
    const auto v = parseWhole(testo, -kMaxCoordinata, kMaxCoordinata);
    if (!v)
        return std::nullopt;
    return qint32(*v);
}

QString senzaVirgolette(const QString& riga)
{
    QStringView s(riga);
    if (s.startsWith(QLatin1Char('"')))
        s = s.sliced(1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s.toString();
}

QPoint inTwips(const MapPoint& p, int scala) { return QPoint(p.x * scala, p.y * scala); }

} // namespace

QString motivoNomeCircuitoNonValido(const QString& circuito)
{
    for (const QChar c : circuito) {
        const bool controllo = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || controllo) {
            const QString shown = controllo ? QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                            : QString(c);
            return italiano()
                       ? QStringLiteral("Il nome del circuito non può contenere il carattere \"%1\".").arg(shown)
                       : QStringLiteral("The circuit name cannot contain the character \"%1\".").arg(shown);
        }
    }
    if (circuito.contains(QLatin1String("..")))
        return italiano() ? QStringLiteral("Il nome del circuito non può contenere \"..\".")
                          : QStringLiteral("The circuit name cannot contain \"..\".");
    return QString();
}

QString cartellaTracciati() { return findEntryNoCase(programFolder(), QStringLiteral("tracks")); }

std::optional<QString> percorsoTracciato(const QString& circuito) { return fileDelCircuito(circuito, ".trk"); }

std::optional<QString> percorsoSettori(const QString& circuito) { return fileDelCircuito(circuito, ".sec"); }

std::optional<MapPoint> puntoTracciato(const QString& riga)
{
    const QString s = senzaVirgolette(riga);
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    const auto x = coordinata(QStringView(s).left(comma));
    const auto y = coordinata(QStringView(s).sliced(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return MapPoint{*x, *y};
}

std::vector<MapPoint> tracciatoFinestra(const QStringList& righe)
{
    std::vector<MapPoint> punti;
    for (const QString& riga : righe) {
        if (int(punti.size()) >= kMaxPuntiCircuito)
            break;
        const QString s = senzaVirgolette(riga);
        if (!s.trimmed().isEmpty() && !s.contains(QLatin1Char(',')))
            continue;
        const auto p = puntoTracciato(riga);
        if (!p)
            break;
        punti.push_back(*p);
    }
    if (!punti.empty() && int(punti.size()) < kMaxPuntiCircuito)
        punti.push_back(punti.back());
    return punti;
}

std::vector<MapPoint> tracciatoDialogo(const QStringList& righe)
{
    std::vector<MapPoint> punti;
    for (const QString& riga : righe) {
        if (int(punti.size()) >= kMaxPuntiCircuito)
            break;
        if (const auto p = puntoTracciato(riga))
            punti.push_back(*p);
    }
    return punti;
}

std::optional<QStringList> leggiFileTracciato(const QString& percorso) { return readTextLines(percorso); }

std::optional<QPoint> posizioneMarcatore(const std::vector<MapPoint>& punti, qint64 punto)
{
    if (punti.empty())
        return std::nullopt;
    const MapPoint& p = punti[std::size_t(std::clamp<qint64>(punto, 0, qint64(punti.size()) - 1))];
    return QPoint(p.x * kScalaMappaFinestra - 20, p.y * kScalaMappaFinestra - 30);
}

std::vector<QLine> segmentiMappa(const std::vector<MapPoint>& punti)
{
    std::vector<QLine> linee;
    if (punti.size() < 2)
        return linee;
    for (std::size_t i = 0; i + 1 < punti.size(); ++i)
        linee.emplace_back(inTwips(punti[i], kScalaMappaFinestra), inTwips(punti[i + 1], kScalaMappaFinestra));
    // The last entry repeats the last point of the file, or is that point
    // when the file filled every entry.
    linee.emplace_back(inTwips(punti.back(), kScalaMappaFinestra), inTwips(punti.front(), kScalaMappaFinestra));
    return linee;
}

} // namespace zuv
