#pragma once
// The project's descriptive fields: name, dates, author, instrument,
// vehicle and notes. Modeless; OK writes them back and marks the project
// modified.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zuv {

class dlgNoteProgetto : public QDialog {
    Q_OBJECT
public:
    explicit dlgNoteProgetto(QWidget* parent = nullptr);

    // The fields, without surrounding blanks, into the boxes.
    void MostraNoteProgetto();
    void Form_Activate();

    QLineEdit* txtNomeProgetto;
    QLineEdit* txtDataCreazione;
    QLineEdit* txtDataUltimaModifica;
    QLineEdit* txtAutoreProgetto;
    QLineEdit* txtStrumento;
    QLineEdit* txtVeicolo;
    QPlainTextEdit* txtNoteProgetto;
    QPushButton* OKButton;
    QPushButton* CancelButton;

public slots:
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool event(QEvent* event) override;

private:
    QLabel* lblNomeProgetto;
    QLabel* lblDataCreazione;
    QLabel* lblDataUltimaModifica;
    QLabel* lblAutoreProgetto;
    QLabel* lblStrumento;
    QLabel* lblVeicolo;
    QLabel* lblNoteProgetto;
};

} // namespace zuv
