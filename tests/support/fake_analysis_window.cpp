#include "support/fake_analysis_window.h"

#include "project/state.h"

namespace zuv::test {

FakeAnalysisWindow::FakeAnalysisWindow(AnalysisKind kind, WhileOpen whileOpen)
    : kind_(kind), whileOpen_(std::move(whileOpen))
{
}

FakeAnalysisWindow::~FakeAnalysisWindow() { ++destroyed; }

void FakeAnalysisWindow::showModal()
{
    // The window's load.
    AnalisiCaricata = true;
    if (whileOpen_)
        whileOpen_(*this);
}

void FakeAnalysisWindow::RefreshLanguage() { ++refreshed; }

} // namespace zuv::test
