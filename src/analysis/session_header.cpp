#include "analysis/session_header.h"

#include "analysis/lap_report.h"
#include "analysis/session_file.h"
#include "analysis/texts.h"
#include "platform/printer.h"

namespace zuv {

SessionHeader sessionHeaderTexts(const SessionRecord& s)
{
    const QString* fields[] = {&s.Sessione, &s.DataSessione,    &s.OraSessione, &s.Circuito,
                               &s.VeicoloSessione, &s.Piloti, &s.NoteSessione};
    SessionHeader out;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = languageText(195 + int(i)) + joinLines(*fields[i]);
    return out;
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
