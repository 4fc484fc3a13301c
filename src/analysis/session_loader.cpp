#include "analysis/session_loader.h"

#include "platform/mainsurface.h"
#include "project/state.h"

namespace zuv {

SessionLoader::~SessionLoader() = default;

QString progressText(qint64 percent)
{
    return languageText(141) + QLatin1Char(' ') + QString::number(percent) + QStringLiteral(" %");
}

void SessionLoader::showDataStep()
{
    MainSurface& s = mainSurface();
    s.setPanelText(2, languageText(140));
    s.setPanelText(3, languageText(141));
    s.setBusy(true);
}

void SessionLoader::showAlarmsStep()
{
    MainSurface& s = mainSurface();
    s.setPanelText(2, languageText(301));
    s.setPanelText(3, languageText(141));
}

void SessionLoader::showProgress(qint64 percent) { mainSurface().setPanelText(3, progressText(percent)); }

bool SessionLoader::readLapFile(LapState& s, const QString& analysisFileName, QString* versionLine)
{
    s.SettoriGiro = 1;
    return CaricaTempiGiro(s, analysisFileName, versionLine);
}

} // namespace zuv
