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

        int table = 0;
        const TableLoad r = loadTables(
            tables_, w.FieldsNum, file, QDir(names.Cartella).filePath(companion.NomeFileAllarmi),
            [&table, &s](int t, qint64, int percent) {
                if (t != table) {
                    table = t;
                    s.setPanelText(2, languageText(301));
                }
                s.setPanelText(3, progressText(percent));
            });
        if (!r.dataRead) {
            failure_ = missingFileText(file) + QLatin1Char('\n') + r.errors.join(QLatin1Char('\n'));
            return Load::Failed;
        }
        warnings_ += r.errors;
        warnings_ += r.warnings;
        warningsLeftOut_ += r.warningsLeftOut;
        s.setPanelText(2, languageText(301));
        s.setPanelText(3, languageText(141));
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

    LapBounds lapBounds() const override
    {
        const std::vector<qint32> laps = rowLapNumbers(tables_);
        return lapBoundsFromNumbers(laps);
    }

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
    Dati tables_;
    NomiCanali names_;
};

} // namespace

frmAnalisiDatiSpeed::frmAnalisiDatiSpeed(QWidget* parent)
    : frmAnalisiDati(AnalysisKind::DatiSpeed,
                     [](ChartComponent&, ChartComponent&) { return std::make_unique<TableSource>(); },
                     parent)
{
}

const Dati& frmAnalisiDatiSpeed::tables() const { return static_cast<const TableSource&>(source()).tables(); }

} // namespace zuv
