// The lap report's grid, sorts and printed pages.
#include "analysis/lap_report.h"

#include "analysis/session_file.h"
#include "analysis/statistics.h"
#include "platform/numbers.h"
#include "platform/printer.h"

#include <algorithm>
#include <cmath>

namespace zuv {
namespace {

constexpr int kGiriPerGruppo = 40;

bool italiano() { return TabellaLingua.IndiceLingua == 0; }

QString messaggioStampa(const QString& motivo)
{
    return (italiano() ? QStringLiteral("Non \u00e8 stato possibile stampare il rapporto giri.")
                       : QStringLiteral("The lap report could not be printed."))
           + QStringLiteral("\n\n") + motivo;
}

QString intestazioneVelocita() { return Testo(112) + QStringLiteral(" (Km/h)"); }

class Page {
public:
    explicit Page(PrintJob& job) : job_(job) {}

    void text(double x, double y, const QString& s)
    {
        job_.setPosition(cmInTwips(x), cmInTwips(y));
        job_.printLine(s);
    }
    void line(double x1, double y1, double x2, double y2)
    {
        job_.drawLine(cmInTwips(x1), cmInTwips(y1), cmInTwips(x2), cmInTwips(y2));
    }
    void frame(double left, double top, double right, double bottom)
    {
        line(left, top, right, top);
        line(right, top, right, bottom);
        line(right, bottom, left, bottom);
        line(left, bottom, left, top);
    }
    void font(double points) { job_.setFont(QString::fromLatin1(kCarattereReport), points, false); }

private:
    PrintJob& job_;
};

// x of the four columns, left group then right group.
constexpr std::array<std::array<double, 4>, 2> kColonne = {{{1.5, 3, 4.5, 7}, {10.5, 12, 13.5, 16}}};

void stampaPagina(Page& page, int pagina, const GiriReport& giri, const SessionRecord& s)
{
    page.font(10);
    page.frame(1, 1, 19, 5);
    // Line breaks of the multi-line boxes, whichever system typed them,
    // would break the frame.
    page.text(1.5, 1.5, Testo(195) + righeInUna(s.Sessione));
    page.text(1.5, 2, Testo(196) + righeInUna(s.DataSessione));
    page.text(9, 2, Testo(197) + righeInUna(s.OraSessione));
    page.text(1.5, 2.5, Testo(198) + righeInUna(s.Circuito));
    page.text(9, 2.5, Testo(199) + righeInUna(s.VeicoloSessione));
    page.text(1.5, 3, Testo(200) + righeInUna(s.Piloti));
    page.text(1.5, 3.5, Testo(201) + righeInUna(s.NoteSessione));
    page.frame(1, 5.5, 19, 28);
    page.font(9);
    const RigaReport titoli = intestazioniReport();
    for (const auto& x : kColonne)
        for (int c = 0; c < 4; ++c)
            page.text(x[c], 6, titoli[c]);
    const int primo = pagina * kGiriPerPagina + 1;
    const int ultimo = std::min(primo + kGiriPerPagina - 1, giri.intGiriCompletati);
    for (int k = primo; k <= ultimo; ++k) {
        const int r = k - primo + 1;
        const auto& x = kColonne[r > kGiriPerGruppo ? 1 : 0];
        const double y = 6.5 + 0.5 * (r > kGiriPerGruppo ? r - kGiriPerGruppo : r);
        page.text(x[0], y, giri.GetSessioneTempo(k + 1));
        // Printed as a number: a blank where a sign would stand.
        page.text(x[1], y, QLatin1Char(' ') + QString::number(k));
        page.text(x[2], y, giri.GetTempoGiro(k + 1));
        page.text(x[3], y, giri.GetVelocitaGiro(k + 1));
    }
}

} // namespace

int righeGrigliaReport(int intGiriCompletati) { return std::max(1, intGiriCompletati + 1); }

RigaReport intestazioniReport() { return {Testo(194), Testo(110), Testo(111), intestazioneVelocita()}; }

std::vector<RigaReport> righeReport(const GiriReport& giri)
{
    std::vector<RigaReport> righe;
    for (int k = 1; k < righeGrigliaReport(giri.intGiriCompletati); ++k)
        righe.push_back({giri.GetSessioneTempo(k + 1), QString::number(k), giri.GetTempoGiro(k + 1),
                         giri.GetVelocitaGiro(k + 1)});
    return righe;
}

std::array<int, 4> larghezzeReport(int larghezzaGriglia)
{
    return larghezzeProporzionali<4>(larghezzaGriglia, 10.0f, {2.0f, 1.5f, 2.5f, 3.8f});
}

void ordinaPerGiro(std::vector<RigaReport>& righe)
{
    std::stable_sort(righe.begin(), righe.end(), [](const RigaReport& a, const RigaReport& b) {
        return leadingNumber(a[1]) < leadingNumber(b[1]);
    });
}

void ordinaPerTempo(std::vector<RigaReport>& righe)
{
    std::stable_sort(righe.begin(), righe.end(),
                     [](const RigaReport& a, const RigaReport& b) { return a[2] < b[2]; });
}

int cmInTwips(double cm) { return int(std::lround(cm * 1440.0 / 2.54)); }

void stampaPagineReport(PrintJob& job, const GiriReport& giri, const SessionRecord& sessione)
{
    Page page(job);
    for (int p = 0; p * kGiriPerPagina < giri.intGiriCompletati; ++p) {
        if (p > 0)
            job.newPage();
        stampaPagina(page, p, giri, sessione);
    }
}

EsitoStampa StampaReportGiri(PrinterService& stampante, const GiriReport& giri, const SessionRecord& sessione)
{
    if (giri.intGiriCompletati < 1)
        return {};
    QString motivo;
    std::unique_ptr<PrintJob> job = stampante.beginDocument(Testo(115), &motivo);
    if (!job)
        return {false, motivo.isEmpty() ? QString() : messaggioStampa(motivo)};
    stampaPagineReport(*job, giri, sessione);
    if (!job->endDocument())
        return {false, messaggioStampa(italiano() ? QStringLiteral("La stampante ha rifiutato il documento.")
                                                   : QStringLiteral("The printer refused the document."))};
    return {true, QString()};
}

} // namespace zuv
