#pragma once
// Every measure of the open session with its name, minimum, maximum and
// average over the lap on show, one grid row each, as the analysis window
// gives them. Filled once, when it opens; modeless beside the window.

#include "analysis/ui/analysis_dialogs.h"

namespace zuv {

class dlgStatisticheMisure : public GridDialog {
    Q_OBJECT
public:
    // Filled from the window `currentAnalysis()` names.
    explicit dlgStatisticheMisure(QWidget* parent = nullptr);

    // The "StatisticheMisure" key: shows this dialog beside `owner`, or only
    // brings it forward when it is open. No completed lap: text 302,
    // nothing opens, nullptr.
    static dlgStatisticheMisure* open(QWidget* owner);

protected:
    std::vector<int> columnWidths(int gridTwips) const override;

private:
    void Form_Load();
};

} // namespace zuv
