#pragma once
// The splash: the program's picture and version for three seconds at
// start-up, and the same window as the about box (Info menu), which stays
// until a key is pressed or it loses the focus.

#include <QWidget>
#include <functional>

class QLabel;

namespace zuv {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // "Ver 1.5.12": the numbers as they are, never padded.
    static QString versionText(int major, int minor, int revision);
    // The version of this build.
    static QString programVersionText();

    // The start-up wait: 3000 ms on the clock service, letting window events
    // run (a key closes the splash at once, the wait goes on); then
    // `showMain` runs once and the splash closes. Nothing in about-box mode.
    void startUpWait(const std::function<void()>& showMain);

    // True when shown as the about box from the Info menu.
    bool blnInfo = false;

    static constexpr int kStartUpWaitMs = 3000;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QLabel* Image1;
    QLabel* lblVersion;
};

} // namespace zuv
