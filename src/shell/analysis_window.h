#pragma once
// What the main window knows of a session-analysis window: the data file to
// open, a modal show that returns once the window has closed, and a refresh
// of its texts after a language change. Two kinds exist; `UsaAnalisiSpeed`
// picks one.

#include <QString>
#include <functional>
#include <memory>

namespace zuv {

enum class AnalysisKind { Dati, DatiSpeed };

class AnalysisWindow {
public:
    virtual ~AnalysisWindow();

    virtual AnalysisKind kind() const = 0;
    // Returns when the window has closed, however it closed.
    virtual void showModal() = 0;
    // Reloads every caption and text from the language table.
    virtual void RefreshLanguage() = 0;

    // Full path of the ".csv" data file; set before the show.
    QString AnalysisFileName;
};

using AnalysisFactory = std::function<std::unique_ptr<AnalysisWindow>()>;

// The program registers a factory for each kind as it starts, before the
// main window opens; tests register their own. An empty factory removes one.
void setAnalysisFactory(AnalysisKind kind, AnalysisFactory factory);

// The kind `UsaAnalisiSpeed` chooses.
AnalysisKind chosenAnalysisKind();

// The analysis window being shown, or nullptr.
AnalysisWindow* analysisWindowOpen();

// The analysis command after the file dialog: shows `file` in a fresh window
// of the chosen kind. The poll stays off the port while it is open, and both
// `AnalisiAperta` and `AnalisiCaricata` are clear again once it has closed.
void showAnalysis(const QString& file);

// The language command's part: the open analysis window takes the new
// language, once it has loaded; nothing when none is open.
void refreshAnalysisLanguage();

// The analysis command: asks for a data file, then `showAnalysis`.
// A cancelled dialog changes nothing.
void runAnalysisCommand();

} // namespace zuv
