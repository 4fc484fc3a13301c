#include "shell/analysis_window.h"

#include "link/poll_exchange.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/programfolder.h"
#include "project/state.h"
#include "shell/command_captions.h"

#include <map>

namespace zuv {

AnalysisWindow::~AnalysisWindow() = default;

namespace {

std::map<AnalysisKind, AnalysisFactory>& factories()
{
    static std::map<AnalysisKind, AnalysisFactory> all;
    return all;
}

AnalysisWindow* g_open = nullptr;

} // namespace

void setAnalysisFactory(AnalysisKind kind, AnalysisFactory factory)
{
    if (factory)
        factories()[kind] = std::move(factory);
    else
        factories().erase(kind);
}

AnalysisKind chosenAnalysisKind()
{
    return UsaAnalisiSpeed ? AnalysisKind::DatiSpeed : AnalysisKind::Dati;
}

AnalysisWindow* analysisWindowOpen() { return g_open; }

void showAnalysis(const QString& file)
{
    const auto it = factories().find(chosenAnalysisKind());
    if (it == factories().end())
        return;

    StatoComunicazione.AnalisiAperta = true;
    // A poll exchange under way ends before the window opens: the line stays
    // quiet while it is open.
    PollExchange::settle();
    clock().yieldEvents();

    // Whatever happens inside, the poll must be able to run again and no
    // later command may reach a window that is gone.
    struct Closed {
        ~Closed()
        {
            g_open = nullptr;
            StatoComunicazione.AnalisiAperta = false;
        }
    } closed;

    std::unique_ptr<AnalysisWindow> window = it->second();
    if (!window)
        return;
    g_open = window.get();
    window->AnalysisFileName = file;
    window->showModal();
}

void refreshAnalysisLanguage()
{
    if (g_open && AnalisiCaricata)
        g_open->RefreshLanguage();
}

void runAnalysisCommand()
{
    const QString file = dialogs().askFile(
        commandFileDialog(false, 22, QStringLiteral("Analysis File (*.csv)"), programFolder()));
    if (file.isEmpty())
        return;
    showAnalysis(file);
}

} // namespace zuv
