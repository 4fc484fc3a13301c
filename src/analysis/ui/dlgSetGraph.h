#pragma once
// The chart settings of one measure of the open analysis window: its name,
// unit, filter, trace colour, line width and, in the separate-traces mode,
// the minimum and maximum of its drawing scale. Modal over the window, a new
// dialog each time. OK checks the numbers, keeps the dialog open with a
// message when one is wrong, and otherwise writes name, unit and colour into
// the window's measure row and the numbers into its exchange values; Cancel,
// Esc and the close box write nothing.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zuv {

class dlgSetGraph : public QDialog {
    Q_OBJECT
public:
    // Filled from measure `IndiceGrafico` of the window `currentAnalysis()`
    // names, whose exchange values (`currGraphFiltro`, ...) hold that
    // measure's settings already.
    explicit dlgSetGraph(qint16 IndiceGrafico, QWidget* parent = nullptr);

    // A measure row's settings button: measure i's settings into the
    // exchange values, this dialog shown modal over `owner`, and the values
    // back into the window's tables however it closed. True when OK stored
    // them; the window then refreshes and redraws the chart in view either
    // way.
    static bool edit(QWidget* owner, qint16 i);

    // Captions in the current language, at every activation.
    void Form_Activate();
    void cmdColor_Click();
    // False, with a message and the dialog still open, for a wrong number.
    bool OKButton_Click();

    const qint16 IndiceGrafico;
    // The trace colour the button shows (0x00BBGGRR).
    quint32 colour() const { return colour_; }

    QLabel* lblNomeCampo;
    QLineEdit* txtNomeCampo;
    QLabel* lblUM;
    QLineEdit* txtUM;
    QLabel* lblFiltro;
    QLineEdit* txtFiltro;
    QLabel* lblColoreGrafico;
    QPushButton* cmdColor;
    QLabel* lblSpessoreLinea;
    QComboBox* cboWidth;
    QGroupBox* fraScalaDisegno;
    QLabel* lblMinValDisegno;
    QLineEdit* txtMinVal;
    QLabel* lblMaxValDisegno;
    QLineEdit* txtMaxVal;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void showColour(quint32 colour);

    quint32 colour_ = 0;
};

} // namespace zuv
