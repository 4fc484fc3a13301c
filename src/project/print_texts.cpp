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

} // namespace zuv
