#pragma once
// What the configuration page windows share: Send and Read in their
// fraStrumento with OK and Cancel, the registration as FormAttivo, and what
// the window does for one Send or Read: Send, Read and OK locked while the
// page's exchange runs.

#include "config/page_exchange.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <utility>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QPushButton;

namespace zuv {

class ActivePage;
class BoxChecker;

class PageDialog : public QDialog, public PageRunView {
    Q_OBJECT
public:
    ~PageDialog() override;

    // Send and Read. Nothing while a run is on. A Send runs the window's
    // checks first; then the page's exchange (its first frame goes out once
    // an exchange of the poll's under way has ended), Send, Read and OK
    // locked until its end messages have been shown.
    void cmdInviaDati_Click();
    void cmdLeggiDati_Click();
    // The window's values into DatiProgetto once its checks pass.
    void OKButton_Click();
    void CancelButton_Click();

    void done(int r) override;

    // PageRunView
    void runStarts() override;
    void runEnding() override;
    bool closedDuringRun() const override;

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

    // What each page fills in: its checks before OK (`send` false) or Send
    // store or send anything, each refusal with its own message; its Send or
    // Read from the question on; its values into the record.
    virtual bool checksPass(bool send);
    virtual PageExchangeEnd runExchange(bool send) = 0;
    virtual void storeRecord() = 0;

    bool running() const { return running_; }

    QGroupBox* fraStrumento_ = nullptr;
    QPushButton* cmdInviaDati_ = nullptr;
    QPushButton* cmdLeggiDati_ = nullptr;
    QPushButton* OKButton_ = nullptr;
    QPushButton* CancelButton_ = nullptr;
    BoxChecker* checker_ = nullptr;

private:
    void exchange(bool send);
    void releasePage();
    void afterRun(QPushButton* started);

    ActivePage* page_ = nullptr;
    bool running_ = false;
    bool closedDuringRun_ = false;
    bool instrumentOn_ = false;
    bool startedVisible_ = false;
    // The controls a run locked, with whether they were enabled.
    std::vector<std::pair<QPointer<QWidget>, bool>> locked_;
};

} // namespace zuv
