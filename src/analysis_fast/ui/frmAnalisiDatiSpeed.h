#pragma once
// The fast-loading analysis window: the analysis window over the in-memory
// table `Dati`. It reads the data and alarms files into the table itself
// (and writes `schema.ini` beside them), takes the measure names from the
// data file's header line, and computes statistics and traces from the
// table; everything else is the analysis window's.

#include "analysis/ui/frmAnalisiDati.h"

namespace zuv {

class Dati;

class frmAnalisiDatiSpeed : public frmAnalisiDati {
    Q_OBJECT
public:
    explicit frmAnalisiDatiSpeed(QWidget* parent = nullptr);

    // The table behind the window.
    const Dati& tables() const;
};

} // namespace zuv
