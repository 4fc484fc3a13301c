// The lap report's grid and printed pages.
#include "analysis/lap_report.h"

#include "analysis/session_header.h"
#include "analysis/statistics.h"
#include "analysis/texts.h"
#include "platform/printer.h"
#include "platform/twips.h"

#include <algorithm>

namespace zuv {
namespace {

constexpr int kLapsPerGroup = 40;

QString speedHeading() { return languageText(112) + QStringLiteral(" (Km/h)"); }

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
    void font(double points) { job_.setFont(QString::fromLatin1(kReportFont), points, false); }
    void header(const SessionRecord& s) { printSessionHeader(job_, reportHeaderTexts(s)); }

private:
    PrintJob& job_;
};

// x of the four columns, left group then right group.
constexpr std::array<std::array<double, 4>, 2> kColumns = {{{1.5, 3, 4.5, 7}, {10.5, 12, 13.5, 16}}};

void printReportPage(Page& page, int pageIndex, const ReportSource& laps, const SessionRecord& s)
{
    page.font(kSessionHeaderPoints);
    const CmRect& f = kSessionHeaderFrame;
    page.frame(f.left, f.top, f.right, f.bottom);
    page.header(s);
    page.frame(1, 5.5, 19, 28);
    page.font(9);
    const ReportRow headings = reportHeadings();
    for (const auto& x : kColumns)
        for (int c = 0; c < 4; ++c)
            page.text(x[c], 6, headings[c]);
    const int first = pageIndex * kLapsPerPage + 1;
    const int last = std::min(first + kLapsPerPage - 1, laps.intGiriCompletati);
    for (int k = first; k <= last; ++k) {
        const int r = k - first + 1;
        const auto& x = kColumns[r > kLapsPerGroup ? 1 : 0];
        const double y = 6.5 + 0.5 * (r > kLapsPerGroup ? r - kLapsPerGroup : r);
        page.text(x[0], y, laps.GetSessioneTempo(k + 1));
        // Printed as a number: a blank where a sign would stand.
        page.text(x[1], y, QLatin1Char(' ') + QString::number(k));
        page.text(x[2], y, laps.GetTempoGiro(k + 1));
        page.text(x[3], y, laps.GetVelocitaGiro(k + 1));
    }
}

} // namespace

int reportGridRows(int intGiriCompletati) { return std::max(1, intGiriCompletati + 1); }

ReportRow reportHeadings() { return {languageText(194), languageText(110), languageText(111), speedHeading()}; }

std::vector<ReportRow> reportRows(const ReportSource& laps)
{
    std::vector<ReportRow> lines;
    for (int k = 1; k < reportGridRows(laps.intGiriCompletati); ++k)
        lines.push_back({laps.GetSessioneTempo(k + 1), QString::number(k), laps.GetTempoGiro(k + 1),
                         laps.GetVelocitaGiro(k + 1)});
    return lines;
}

std::array<int, 4> reportWidths(int gridWidth)
{
    return proportionalWidths<4>(gridWidth, 10.0f, {2.0f, 1.5f, 2.5f, 3.8f});
}

void printReportPages(PrintJob& job, const ReportSource& laps, const SessionRecord& session)
{
    Page page(job);
    for (int p = 0; p * kLapsPerPage < laps.intGiriCompletati; ++p) {
        if (p > 0)
            job.newPage();
        printReportPage(page, p, laps, session);
    }
}

PrintResult printLapReport(PrinterService& printer, const ReportSource& laps, const SessionRecord& session)
{
    if (laps.intGiriCompletati < 1)
        return {};
    return printDocument(printer, languageText(115), [&](PrintJob& job) { printReportPages(job, laps, session); });
}

} // namespace zuv
