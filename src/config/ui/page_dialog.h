#pragma once
// What the configuration page windows share: Send and Read in their
// fraStrumento with OK and Cancel, the registration as FormAttivo, and the
// course of one Send or Read from the click to its end message.

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QPushButton;

namespace zuv {

class ActivePage;
class BoxChecker;
class PageRun;

class PageDialog : public QDialog {
    Q_OBJECT
public:
    ~PageDialog() override;

    // What a run's steps did: `ok` as the link reported, `broken` when the
    // user closed the window during one of its waits.
    struct RunResult {
        bool ok = false;
        bool broken = false;
    };

    virtual void cmdInviaDati_Click() = 0;
    virtual void cmdLeggiDati_Click() = 0;
    virtual void OKButton_Click() = 0;
    void CancelButton_Click();

    void done(int r) override;

protected:
    PageDialog(QWidget* parent, const char* name);

    // Makes the window FormAttivo until it closes.
    void registerPage(ActivePage* page);

    // Creates fraStrumento with Send and Read, OK (the default button) and
    // Cancel, wires their clicks, and creates the window's box checker, which
    // lets the focus leave a box for any of the four unchecked.
    void buildPageButtons();
    // OK and Cancel at the right of a row.
    QHBoxLayout* okCancelRow();
    void setPageButtonCaptions();

    // Send and Read follow StrumentoPresente as the record is loaded, and
    // the poll afterwards (except during a run, which puts them back itself).
    void loadInstrumentState();
    void followInstrument(bool on);

    struct Exchange {
        // Send: `ready` checks first, text 147 asks, text 229 reports a
        // broken run. Read: text 232 asks, text 233 reports a broken run.
        bool send = true;
        QString title;   // of the question
        int comando = 0; // ComandoInCorso during the run
        QString panel3;
        // Shown after a run that worked and was not broken; empty for none.
        QString success;
        QString successTitle; // empty: the program's
        // Locked during the run besides Send, Read and OK.
        std::vector<QWidget*> alsoOff;
    };

    // One click of Send or Read. Nothing while a run is on; a link busy
    // with another exchange gets the click again shortly. Then the checks
    // (they show their own message), the question, the steps under a
    // PageRun, ErroreComunicazione, and the end messages while the run
    // still holds the buttons.
    void exchange(const Exchange& x, const std::function<bool()>& ready,
                  const std::function<RunResult(PageRun&)>& steps);

    bool running() const { return running_; }

    QGroupBox* fraStrumento_ = nullptr;
    QPushButton* cmdInviaDati_ = nullptr;
    QPushButton* cmdLeggiDati_ = nullptr;
    QPushButton* OKButton_ = nullptr;
    QPushButton* CancelButton_ = nullptr;
    BoxChecker* checker_ = nullptr;

private:
    void releasePage();
    void afterRun(QPushButton* started);

    ActivePage* page_ = nullptr;
    bool running_ = false;
    bool closedDuringRun_ = false;
    bool instrumentOn_ = false;
};

} // namespace zuv
