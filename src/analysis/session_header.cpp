#include "analysis/session_header.h"

#include "platform/printer.h"
#include "platform/twips.h"
#include "shell/file_layout.h"

namespace zuv {
namespace {

QString reportDrivers(const QString& drivers)
{
    QString out;
    out.reserve(drivers.size());
    for (qsizetype i = 0; i < drivers.size(); ++i) {
        if (drivers[i] == QLatin1Char('\r')) {
            out += QStringLiteral(", ");
            ++i;
        } else {
            out += drivers[i];
        }
    }
    return out;
}

QString blankBreaks(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

} // namespace

SessionHeader sessionHeaderTexts(const SessionRecord& s, const QString& drivers, const QString& notes)
{
    const QString fields[] = {s.Sessione, s.DataSessione, s.OraSessione, s.Circuito, s.VeicoloSessione, drivers, notes};
    SessionHeader out;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = languageText(195 + int(i)) + fields[i];
    return out;
}

SessionHeader reportHeaderTexts(const SessionRecord& s)
{
    return sessionHeaderTexts(s, reportDrivers(s.Piloti), s.NoteSessione);
}

ChartPrintArguments chartPrintArguments(const SessionRecord& s, bool alarmsTab)
{
    ChartPrintArguments a;
    a.header = sessionHeaderTexts(s, s.Piloti, s.NoteSessione);
    a.header[5] = blankBreaks(a.header[5]);
    a.header[6] = blankBreaks(a.header[6]);
    a.alarms = alarmsTab;
    if (alarmsTab) {
        for (int k = 0; k < kAlarmCount; ++k)
            a.traceNames += languageText(274 + k) + QLatin1Char(';');
    } else {
        a.traceNames = languageText(202);
    }
    return a;
}

void printSessionHeader(PrintSurface& page, const SessionHeader& texts)
{
    static constexpr struct {
        double x, y;
    } at[7] = {{1.5, 1.5}, {1.5, 2}, {9, 2}, {1.5, 2.5}, {9, 2.5}, {1.5, 3}, {1.5, 3.5}};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        page.setPosition(cmInTwips(at[i].x), cmInTwips(at[i].y));
        page.printLine(texts[i]);
    }
}

} // namespace zuv
