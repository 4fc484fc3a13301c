#include "project/print_texts.h"

#include "project/state.h"

namespace zuv {

QString printRefusalText(const PrintRefusal& why)
{
    switch (why.fault) {
    case PrintFault::NoPrinter: return languageText(368);
    case PrintFault::NoDefaultPrinter: return languageText(369);
    case PrintFault::NotStarted:
        return why.where.isEmpty() ? languageText(370) : languageText(370) + QLatin1Char(' ') + why.where;
    case PrintFault::NotSent: return languageText(371);
    }
    return languageText(368);
}

PrintResult printDocument(PrinterService& printer, const QString& title, const std::function<void(PrintJob&)>& draw)
{
    PrintRefusal why;
    std::unique_ptr<PrintJob> job = printer.beginDocument(title, &why);
    if (job) {
        draw(*job);
        if (job->endDocument())
            return {true, QString()};
        why = {PrintFault::NotSent, QString()};
    }
    return {false, printRefusalText(why)};
}

} // namespace zuv
