#pragma once
// The fast-loading analysis window: the analysis window over the in-memory
// table `Dati`. Its session's loader (analysis_fast/table_loader.h) reads
// the data and alarms files into the table (and writes `schema.ini` beside
// them) and takes the measure names from the data file's header line;
// statistics and traces come from the table; everything else is the
// analysis window's.

#include "analysis/ui/frmAnalisiDati.h"

namespace zuv {

class frmAnalisiDatiSpeed : public frmAnalisiDati {
    Q_OBJECT
public:
    explicit frmAnalisiDatiSpeed(QWidget* parent = nullptr);
};

} // namespace zuv
