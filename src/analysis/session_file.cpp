// The session file beside a data file: writing it whole, reading it by position.
#include "analysis/session_file.h"

#include "analysis/number_text.h"
#include "platform/numbers.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <cmath>
#include <limits>
#include <optional>

namespace zuv {
namespace {

struct Key {
    const char* key;
    QString SessionRecord::*value;
};

constexpr int kChiavi = 8;
const std::array<Key, kChiavi> kKeys = {{
    {"Sessione=", &SessionRecord::Sessione},
    {"DataSessione=", &SessionRecord::DataSessione},
    {"OraSessione=", &SessionRecord::OraSessione},
    {"Circuito=", &SessionRecord::Circuito},
    {"LunghTracciato=", &SessionRecord::LunghTracciato},
    {"VeicoloSessione=", &SessionRecord::VeicoloSessione},
    {"Piloti=", &SessionRecord::Piloti},
    {"NoteSessione=", &SessionRecord::NoteSessione},
}};

QString numberField(double v)
{
    // A value that is no number would stop the next reading at this row.
    return numberText(std::isfinite(v) ? v : 0.0, u".", true);
}

QString withoutBlanks(QString s) { return s.remove(QLatin1Char(' ')); }

// Files written under a comma locale hold "12,5".
QString withPoint(QString s) { return s.replace(QLatin1Char(','), QLatin1Char('.')); }

template <typename T>
std::optional<T> wholeField(const QString& field)
{
    const auto v = parseWhole(withPoint(withoutBlanks(field)), std::numeric_limits<T>::min(),
                              std::numeric_limits<T>::max());
    if (!v)
        return std::nullopt;
    return T(*v);
}

std::optional<double> doubleField(const QString& field) { return parseDecimal(withPoint(field)); }

// Takes the numbers of one measure line into `m`, field by field; false at
// the first field that cannot be taken.
bool readMeasureLine(const QString& line, MeasureSettings& m)
{
    const QStringList f = line.split(QLatin1Char(';'));
    if (f.size() < 6)
        return false;
    const qsizetype n = f.size();
    const auto filtro = wholeField<qint16>(f[n - 5]);
    if (!filtro)
        return false;
    m.filtro = *filtro;
    const auto colore = wholeField<qint32>(f[n - 4]);
    if (!colore)
        return false;
    m.colore = *colore;
    const auto spessore = wholeField<qint16>(f[n - 3]);
    if (!spessore)
        return false;
    m.spessore = *spessore;
    const auto minimo = doubleField(withoutBlanks(f[n - 2]));
    if (!minimo)
        return false;
    m.minimo = *minimo;
    const auto massimo = doubleField(f[n - 1]);
    if (!massimo)
        return false;
    m.massimo = *massimo;
    return true;
}

} // namespace

QString nomeFileSessione(const QString& analysisFileName)
{
    return analysisFileName.left(qMax<qsizetype>(0, analysisFileName.size() - 3))
           + QStringLiteral("ses");
}

QString righeInUna(const QString& testo)
{
    QString out = testo;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out.replace(QLatin1String("\n"), QLatin1String(", "));
    return out;
}

QByteArray testoFileSessione(const SessionRecord& sessione, const MeasureRows& misure)
{
    QStringList lines;
    for (const Key& k : kKeys) {
        const QString value = righeInUna(sessione.*k.value);
        lines.append(QLatin1String(k.key) + (value.isEmpty() ? QStringLiteral(" ") : value));
    }
    for (int i = kPrimaMisuraSessione; i <= kUltimaMisuraSessione; ++i) {
        const MeasureSettings& m = misure[i];
        lines.append(QStringList{righeInUna(m.nome), QString::number(m.filtro), QString::number(m.colore),
                                 QString::number(m.spessore), numberField(m.minimo),
                                 numberField(m.massimo)}
                         .join(QLatin1Char(';')));
    }
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

SessionReadResult leggiFileSessione(const QStringList& righe, SessionRecord& sessione, MeasureRows& misure)
{
    sessione = SessionRecord();
    SessionReadResult r;
    r.esito = SessionLoad::Partial;
    for (int k = 0; k < kChiavi; ++k) {
        if (k >= righe.size())
            return r;
        const QString& line = righe[k];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        sessione.*kKeys[k].value = (eq < 0 ? line : line.mid(eq + 1)).trimmed();
        ++r.righeLette;
    }
    for (int i = kPrimaMisuraSessione; i <= kUltimaMisuraSessione; ++i) {
        if (r.righeLette >= righe.size() || !readMeasureLine(righe[r.righeLette], misure[i]))
            return r;
        ++r.righeLette;
    }
    r.esito = SessionLoad::Complete;
    return r;
}

SessionReadResult CaricaDatiSessione(const QString& sessionFileName, MeasureRows& misure)
{
    DatiSessione = SessionRecord();
    if (!QFileInfo(sessionFileName).isFile())
        return {SessionLoad::NoFile, 0};
    const auto lines = readTextLines(sessionFileName);
    if (!lines)
        return {SessionLoad::Unreadable, 0};
    return leggiFileSessione(*lines, DatiSessione, misure);
}

bool SalvaDatiSessione(const QString& sessionFileName, const MeasureRows& misure, QString* error)
{
    return writeFileAtomically(sessionFileName, testoFileSessione(DatiSessione, misure), error);
}

} // namespace zuv
