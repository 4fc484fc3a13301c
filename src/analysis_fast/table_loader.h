#pragma once
// The fast window's loader: the lap-time file fixes the table's width and
// `schema.ini` is written beside the data, then both files are read into
// the in-memory table `Dati` (analysis_fast/fast_load.h), the measure names
// taken from the data file's header line; the window's computations then
// read the table, in rows from 0.

#include "analysis/session_loader.h"
#include "analysis_fast/dati.h"
#include "analysis_fast/fast_load.h"

#include <memory>

namespace zuv {

class TableLoader final : public SessionLoader {
public:
    Load load(AnalysisData& w, const QString& analysisFileName) override;
    QStringList headers() const override;
    LapBounds lapBounds() const override;

    const Dati& tables() const { return tables_; }

private:
    Dati tables_;
    NomiCanali names_;
};

// The fast window's sources: the callables keep a reference, the table
// must outlive them.
DataSources tableSources(const Dati& tables);

} // namespace zuv
