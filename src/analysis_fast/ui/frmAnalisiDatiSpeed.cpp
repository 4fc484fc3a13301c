#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"

#include "analysis/lap_table.h"
#include "analysis/texts.h"
#include "analysis/ui/analysis_source.h"
#include "analysis/ui/chart_component.h"
#include "analysis_fast/dati.h"
#include "analysis_fast/fast_load.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "project/state.h"

#include <QDir>
#include <QFileInfo>

namespace zuv {
namespace {

class TableSource final : public AnalysisSource {
public:
    explicit TableSource(ChartComponent& alarms) : alarms_(alarms) {}

    Load load(AnalysisData& w, const QString& file) override
    {
        const TableFileNames names = tableFileNames(file);
        const AlarmsChoice companion = chooseAlarmsFile(names.Cartella, names.NomeFileTabella);
        if (!companion.FileAllarmiPresente)
            return Load::NoCompanion;

        w.SettoriGiro = 1;
        QString version;
        w.FieldsNum = 0;
        w.AlarmsNum = 0;
        if (CaricaTempiGiro(w, file, &version)) {
            w.FieldsNum = fieldsNumFromVersion(version);
            w.AlarmsNum = kAlarmsNum;
            QString error;
            if (!ScriviSchemaIni(names.Cartella, names.NomeFileTabella, companion.NomeFileAllarmi, w.FieldsNum,
                                 w.AlarmsNum, &error))
                warnings_.append(error);
        }

        MainSurface& s = mainSurface();
        s.setPanelText(2, languageText(140));
        s.setPanelText(3, languageText(141));
        s.setBusy(true);
        names_ = LeggiNomiCanali(file, w.FieldsNum);

        const TableProgress progress = [&s](int, qint64, int percent) { s.setPanelText(3, progressText(percent)); };
        TableLoad r = loadDataTable(tables_, w.FieldsNum, file, progress);
        if (!r.dataRead) {
            failure_ = missingFileText(file) + QLatin1Char('\n') + r.errors.join(QLatin1Char('\n'));
            return Load::Failed;
        }
        s.setPanelText(2, languageText(301));
        s.setPanelText(3, languageText(141));
        loadAlarmsTable(tables_, QDir(names.Cartella).filePath(companion.NomeFileAllarmi), r, progress);
        warnings_ += r.errors;
        warnings_ += r.warnings;
        warningsLeftOut_ += r.warningsLeftOut;
        sources_ = tableSources(tables_);
        return Load::Complete;
    }

    QStringList headers() const override
    {
        QStringList h;
        for (int i = 1; i <= tables_.FieldsNum() && i < int(names_.size()); ++i)
            h.append(names_[std::size_t(i)]);
        return h;
    }

    LapBounds lapBounds() const override { return alarms_.lapBoundaries(rowLapNumbers(tables_)); }

    void plot(ChartComponent& chart, bool alarms, const TraceRows& rows, const TracePlot& p,
              int element) const override
    {
        // Every row of the range goes to the chart, which applies the stride.
        const int table = alarms ? 1 : 0;
        const std::span<const double> x = tables_.rows(1, table);
        const std::span<const double> y = tables_.rows(p.column, table);
        const qint64 first = std::max<qint64>(rows.first, 0);
        const qint64 end = std::min<qint64>({rows.last + 1, qint64(x.size()), qint64(y.size())});
        if (rows.empty() || end <= first) {
            chart.plotFromArrays({}, {}, element, p.scale, p.stride);
            return;
        }
        chart.plotFromArrays(x.subspan(std::size_t(first), std::size_t(end - first)),
                             y.subspan(std::size_t(first), std::size_t(end - first)), element, p.scale, p.stride);
    }

    const Dati& tables() const { return tables_; }

private:
    ChartComponent& alarms_;
    Dati tables_;
    NomiCanali names_;
};

} // namespace

frmAnalisiDatiSpeed::frmAnalisiDatiSpeed(QWidget* parent)
    : frmAnalisiDati(AnalysisKind::DatiSpeed,
                     [](ChartComponent&, ChartComponent& alarms) { return std::make_unique<TableSource>(alarms); },
                     parent)
{
}

const Dati& frmAnalisiDatiSpeed::tables() const { return static_cast<const TableSource&>(source()).tables(); }

} // namespace zuv
