#pragma once
// The session data dialog: the session's name, date, time, vehicle, drivers
// and notes, its circuit from the tracks folder, the track length and its
// sectors over the circuit's map. Modal over the analysis window, a new
// dialog each time. OK stores the session values, writes the circuit's
// sector file and has the open analysis window save its session file;
// Cancel stores nothing.

#include "analysis/session_dialog.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zuv {

class SessionMap;

class dlgDatiSessione : public QDialog {
    Q_OBJECT
public:
    explicit dlgDatiSessione(QWidget* parent = nullptr);
    ~dlgDatiSessione() override;

    void Form_Activate();

    QGroupBox* fraSessione;
    QLineEdit* txtSessione;
    QLineEdit* txtDataSessione;
    QLineEdit* txtOraSessione;
    QLineEdit* txtVeicolo;
    QPlainTextEdit* txtPiloti;
    QPlainTextEdit* txtNote;
    QGroupBox* fraCircuito;
    QComboBox* cboCircuito;
    QLineEdit* txtLunghezzaTracciato;
    QComboBox* cboNumSettori;
    std::array<QLineEdit*, kSectorBoxes> txtX{};
    std::array<QLabel*, kSectorBoxes> lblNumSetc{};
    SessionMap* Picture1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // What the controls stand for, as of the last handler.
    const SessionDialogState& state() const { return d_; }

public slots:
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // Every handler reads the controls into the state, runs the dialog's
    // logic and shows the state again.
    template <typename F>
    void handle(F&& step);
    void readControls();
    void showState();

    // A combo's entry picked: its text into `text` of the state, then `click`.
    void onPicked(QComboBox* box, QString SessionDialogState::*text, void (*click)(SessionDialogState&));

    SessionDialogState d_;
    // Set while the controls are being filled, so the focus moves that
    // showing and hiding boxes causes run no handler.
    bool filling_ = false;
    // Set once OK or Cancel has closed the dialog: the focus leaving a box
    // as it goes changes nothing any more.
    bool closing_ = false;
    // The number-of-sectors text last shown, to tell a typed one.
    // Set while the circuit combo handles losing the focus.
    bool confirmingTyped_ = false;

    QLabel* lblSessione;
    QLabel* lblData;
    QLabel* lblOra;
    QLabel* lblVeicolo;
    QLabel* lblPiloti;
    QLabel* lblNote;
    QLabel* lblCircuito;
    QLabel* lblLunghTracciato;
    QLabel* lblMetri;
    QLabel* lblNSettori;
    QLabel* lblSettori;
};

// The toolbar key "DatiSessione" of either analysis window: shows the
// dialog modal over `parent` and returns once it has closed; true when it
// closed with OK. The caller then rebuilds its lap table whichever way.
bool openSessionDialog(QWidget* parent);

} // namespace zuv
