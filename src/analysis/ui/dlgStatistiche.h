#pragma once
// The lap statistics of the open analysis window as ten labelled lines:
// completed laps, total and average lap time, average speed, and the
// fastest and slowest lap with their times and speeds. Filled once, when it
// opens; modeless beside the window.

#include "analysis/ui/analysis_dialogs.h"

namespace zuv {

class dlgStatistiche : public GridDialog {
    Q_OBJECT
public:
    // Filled from the window `currentAnalysis()` names, whose statistics
    // texts must be computed already (`open` does that).
    explicit dlgStatistiche(QWidget* parent = nullptr);

    // The "Statistiche" key: the open window's statistics computed into its
    // texts, then this dialog shown beside `owner`, or only brought forward
    // when it is open. No completed lap: text 302, nothing opens, nullptr;
    // a lap time that cannot be read: nothing opens, without a word.
    static dlgStatistiche* open(QWidget* owner);

protected:
    std::vector<int> columnWidths(int gridTwips) const override;

private:
    void Form_Load();
};

} // namespace zuv
