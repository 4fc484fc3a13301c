#pragma once
// The lap report: every completed lap of the open session with its session
// number, lap number, lap time and average speed; sorts by lap number or by
// lap time, and prints the laps in lap order, 80 a page, under the session's
// data. Filled once, when it opens; each print reads the window again.
// Modeless beside the window.

#include "analysis/ui/analysis_dialogs.h"

class QPushButton;

namespace zuv {

class dlgReportGiri : public GridDialog {
    Q_OBJECT
public:
    // Filled from the window `currentAnalysis()` names.
    explicit dlgReportGiri(QWidget* parent = nullptr);

    // The "ReportGiri" key: shows this dialog beside `owner`, or only brings
    // it forward when it is open. No completed lap: text 302, nothing opens,
    // nullptr.
    static dlgReportGiri* open(QWidget* owner);

    void cmdGiri_Click();
    void cmdTempi_Click();
    // Straight to the program's printer; a printer that fails says why.
    // True when the report was sent.
    bool cmdStampa_Click();

    QPushButton* cmdGiri;
    QPushButton* cmdTempi;
    QPushButton* cmdStampa;

protected:
    std::vector<int> columnWidths(int gridTwips) const override;

private:
    void Form_Load();
    void sortBy(int column, int mode);
};

} // namespace zuv
