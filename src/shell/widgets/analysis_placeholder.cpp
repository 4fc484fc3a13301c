#include "shell/widgets/analysis_placeholder.h"

#include "platform/messages.h"
#include "project/state.h"

namespace zuv {

QString AnalysisPlaceholder::message() const
{
    if (TabellaLingua.IndiceLingua == 0)
        return QStringLiteral("L'analisi dei dati non \u00e8 ancora disponibile in questa versione.\n\n%1")
            .arg(AnalysisFileName);
    return QStringLiteral("Data analysis is not available in this version yet.\n\n%1").arg(AnalysisFileName);
}

void AnalysisPlaceholder::showModal() { msgBox(message(), MsgIcon::Information); }

} // namespace zuv
