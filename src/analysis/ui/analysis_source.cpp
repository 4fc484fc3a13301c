#include "analysis/ui/analysis_source.h"

#include "analysis/lap_table.h"
#include "analysis/texts.h"
#include "analysis/ui/chart_component.h"
#include "analysis_fast/fast_load.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "project/state.h"

#include <QFileInfo>

namespace zuv {

AnalysisSource::~AnalysisSource() = default;

QString progressText(int percent)
{
    return languageText(141) + QLatin1Char(' ') + QString::number(percent) + QStringLiteral(" %");
}

namespace {

// The companion alarms file's path; empty when there is none.
QString companionAlarmsFile(const QString& analysisFileName)
{
    const TableFileNames n = tableFileNames(analysisFileName);
    const AlarmsChoice c = chooseAlarmsFile(n.Cartella, n.NomeFileTabella, true);
    return c.FileAllarmiPresente ? n.Cartella + c.NomeFileAllarmi : QString();
}

class ChartFileSource final : public AnalysisSource {
public:
    ChartFileSource(ChartComponent& measures, ChartComponent& alarms) : measures_(measures), alarms_(alarms) {}

    Load load(AnalysisData& w, const QString& file) override
    {
        MainSurface& s = mainSurface();
        s.setPanelText(2, languageText(140));
        s.setPanelText(3, languageText(141));
        s.setBusy(true);
        QString error;
        if (!measures_.loadFile(file, &error)) {
            failure_ = missingFileText(file) + QLatin1Char('\n') + error;
            return Load::Failed;
        }
        w.FieldsNum = measures_.columnCount();
        addWarnings(file, measures_);
        s.setPanelText(2, QString());
        s.setPanelText(3, languageText(142));

        const QString companion = companionAlarmsFile(file);
        if (companion.isEmpty())
            return Load::NoCompanion;
        s.setPanelText(2, languageText(301));
        s.setPanelText(3, languageText(141));
        // An alarms file that cannot be read leaves the alarms chart empty;
        // the measures are still there to see.
        if (alarms_.loadFile(companion, &error))
            addWarnings(companion, alarms_);
        else
            warnings_.append(fileWarning(companion, error));

        w.SettoriGiro = 1;
        CaricaTempiGiro(w, file);
        sources_ = chartSources(measures_.data(), alarms_.data());
        return Load::Complete;
    }

    QStringList headers() const override
    {
        QStringList h;
        for (int i = 1; i <= measures_.columnCount(); ++i)
            h.append(measures_.data().header(i));
        return h;
    }

    LapBounds lapBounds() const override { return alarms_.lapBoundaries(u"K1"); }

    void plot(ChartComponent& chart, bool, const TraceRows& rows, const TracePlot& p, int element) const override
    {
        chart.plotFromCells(cellRef(1, rows.first), cellRef(1, rows.last), cellRef(p.column, rows.first),
                            cellRef(p.column, rows.last), element, p.scale, p.stride);
    }

private:
    void addWarnings(const QString& file, const ChartComponent& chart)
    {
        for (const QString& w : chart.data().table().warnings)
            warnings_.append(fileWarning(file, w));
        warningsLeftOut_ += chart.data().table().warningsLeftOut;
    }

    ChartComponent& measures_;
    ChartComponent& alarms_;
};

} // namespace

std::unique_ptr<AnalysisSource> chartFileSource(ChartComponent& measures, ChartComponent& alarms)
{
    return std::make_unique<ChartFileSource>(measures, alarms);
}

} // namespace zuv
