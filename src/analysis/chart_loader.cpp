#include "analysis/chart_loader.h"

#include "analysis/alarms_companion.h"
#include "analysis/texts.h"
#include "platform/mainsurface.h"
#include "project/state.h"
#include "shell/file_layout.h"

namespace zuv {
namespace {

// The companion alarms file's path; empty when there is none.
QString companionAlarmsFile(const QString& analysisFileName)
{
    const TableFileNames n = tableFileNames(analysisFileName);
    const AlarmsChoice c = chooseAlarmsFile(n.Cartella, n.NomeFileTabella, CompanionRule::Chart);
    return c.FileAllarmiPresente ? n.Cartella + c.NomeFileAllarmi : QString();
}

class ChartLoader final : public SessionLoader {
public:
    ChartLoader(ChartData& measures, ChartData& alarms) : measures_(measures), alarms_(alarms) {}

    Load load(AnalysisData& w, const QString& file) override
    {
        showDataStep();
        QString error;
        if (!measures_.loadFile(file, showProgress, &error)) {
            failure_ = missingFileText(file) + QLatin1Char('\n') + error;
            return Load::Failed;
        }
        w.FieldsNum = measures_.columnCount();
        warnings_.append(measures_.table().warnings, file);
        MainSurface& s = mainSurface();
        s.setPanelText(2, QString());
        s.setPanelText(3, languageText(142));

        const QString companion = companionAlarmsFile(file);
        if (companion.isEmpty())
            return Load::NoCompanion;
        showAlarmsStep();
        // An alarms file that cannot be read leaves the alarms chart empty,
        // and the laps without samples; the load goes on and says why.
        if (alarms_.loadFile(companion, showProgress, &error))
            warnings_.append(alarms_.table().warnings, companion);
        else
            warnings_.add({.kind = LoadWarning::Kind::Unreadable, .file = companion, .value = error});

        readLapFile(w, file);
        sources_ = chartSources(measures_, alarms_);
        return Load::Complete;
    }

    QStringList headers() const override
    {
        QStringList h;
        for (int i = 1; i <= measures_.columnCount(); ++i)
            h.append(measures_.header(i));
        return h;
    }

    LapBounds lapBounds() const override { return alarms_.lapBoundaries(cellRef(kLapNumberColumn, 1)); }

private:
    ChartData& measures_;
    ChartData& alarms_;
};

} // namespace

std::unique_ptr<SessionLoader> chartLoader(ChartData& measures, ChartData& alarms)
{
    return std::make_unique<ChartLoader>(measures, alarms);
}

} // namespace zuv
