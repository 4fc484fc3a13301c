// The session file beside a data file: writing it whole, reading it by position.
#include "analysis/session_file.h"

#include "analysis/number_text.h"
#include "platform/companion_file.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "project/time_text.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

namespace zuv {
namespace {

struct Key {
    const char* key;
    QString SessionRecord::*value;
};

constexpr int kKeyCount = 8;
const std::array<Key, kKeyCount> kKeys = {{
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
    return valueText(std::isfinite(v) ? v : 0.0);
}

QString withoutBlanks(QString s) { return s.remove(QLatin1Char(' ')); }

template <typename T>
std::optional<T> wholeField(const QString& field)
{
    // Files written under a comma locale hold "12,5".
    const auto v = parseWhole(VirgolaInPunto(withoutBlanks(field)), std::numeric_limits<T>::min(),
                              std::numeric_limits<T>::max());
    if (!v)
        return std::nullopt;
    return T(*v);
}

// The user's decimal separator as the writer wrote it, or "," or "." from
// another machine.
std::optional<double> doubleField(QString field)
{
    field.replace(QLocale().decimalPoint(), QStringLiteral("."));
    return parseDecimal(VirgolaInPunto(field));
}

// Takes the numbers of one measure line into `m`, field by field; false at
// the first field that cannot be taken.
bool readMeasureLine(const QString& line, MeasureSettings& m)
{
    const QStringList f = line.split(QLatin1Char(';'));
    if (f.size() < 6)
        return false;
    const qsizetype n = f.size();
    const auto filter = wholeField<qint16>(f[n - 5]);
    if (!filter)
        return false;
    m.filter = *filter;
    const auto colour = wholeField<qint32>(f[n - 4]);
    if (!colour)
        return false;
    m.colour = *colour;
    const auto lineWidth = wholeField<qint16>(f[n - 3]);
    if (!lineWidth)
        return false;
    m.lineWidth = *lineWidth;
    const auto minimum = doubleField(withoutBlanks(f[n - 2]));
    if (!minimum)
        return false;
    m.minimum = *minimum;
    const auto maximum = doubleField(f[n - 1]);
    if (!maximum)
        return false;
    m.maximum = *maximum;
    return true;
}

} // namespace

QString withoutOuterBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

QString sessionFileFor(const QString& analysisFileName)
{
    return withLastThreeReplaced(analysisFileName, QLatin1String("ses"));
}

QString joinLines(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out.replace(QLatin1String("\n"), QLatin1String(", "));
    return out;
}

QByteArray sessionFileText(const SessionRecord& session, const MeasureRows& measures)
{
    QStringList lines;
    for (const Key& k : kKeys) {
        const QString value = joinLines(session.*k.value);
        lines.append(QLatin1String(k.key) + (value.isEmpty() ? QStringLiteral(" ") : value));
    }
    for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
        const MeasureSettings& m = measures[i];
        lines.append(QStringList{joinLines(m.name), QString::number(m.filter), QString::number(m.colour),
                                 QString::number(m.lineWidth), numberField(m.minimum),
                                 numberField(m.maximum)}
                         .join(QLatin1Char(';')));
    }
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

SessionReadResult readSessionLines(const QStringList& lines, SessionRecord& session, MeasureRows& measures)
{
    session = SessionRecord();
    SessionReadResult r;
    r.outcome = SessionLoad::Partial;
    for (int k = 0; k < kKeyCount; ++k) {
        if (k >= lines.size())
            return r;
        const QString& line = lines[k];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        session.*kKeys[k].value = withoutOuterBlanks(eq < 0 ? line : line.mid(eq + 1));
        ++r.linesRead;
    }
    for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
        if (r.linesRead >= lines.size() || !readMeasureLine(lines[r.linesRead], measures[i]))
            return r;
        ++r.linesRead;
    }
    r.outcome = SessionLoad::Complete;
    return r;
}

SessionReadResult CaricaDatiSessione(const QString& sessionFileName, MeasureRows& measures)
{
    DatiSessione = SessionRecord();
    if (!QFileInfo(sessionFileName).isFile())
        return {SessionLoad::NoFile, 0};
    const auto lines = readTextLines(sessionFileName);
    if (!lines)
        return {SessionLoad::Unreadable, 0};
    return readSessionLines(*lines, DatiSessione, measures);
}

bool SalvaDatiSessione(const QString& sessionFileName, const MeasureRows& measures, QString* error)
{
    return writeFileAtomically(sessionFileName, sessionFileText(DatiSessione, measures), error);
}

} // namespace zuv
