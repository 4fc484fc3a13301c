#include "support/ui/analysis_windows.h"

#include "analysis/ui/frmAnalisiDati.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "shell/analysis_window.h"

#include <QApplication>
#include <memory>

namespace zuv::test {

AnalysisWindowsRegistered::AnalysisWindowsRegistered()
{
    setAnalysisFactory(AnalysisKind::Dati, [] { return std::make_unique<frmAnalisiDati>(QApplication::activeWindow()); });
    setAnalysisFactory(AnalysisKind::DatiSpeed,
                       [] { return std::make_unique<frmAnalisiDatiSpeed>(QApplication::activeWindow()); });
}

AnalysisWindowsRegistered::~AnalysisWindowsRegistered()
{
    setAnalysisFactory(AnalysisKind::Dati, nullptr);
    setAnalysisFactory(AnalysisKind::DatiSpeed, nullptr);
}

} // namespace zuv::test
