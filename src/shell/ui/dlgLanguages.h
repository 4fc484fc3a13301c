#pragma once
// The program's language, Italiano or English. A choice takes effect at
// once; OK also stores it in the language database for the next start.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zuv {

class dlgLanguages : public QDialog {
    Q_OBJECT
public:
    explicit dlgLanguages(QWidget* parent = nullptr);

    void Form_Activate();

    QRadioButton* optItaliano;
    QRadioButton* optInglese;
    QPushButton* OKButton;
    QPushButton* CancelButton;

public slots:
    void optItaliano_Click();
    void optInglese_Click();
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool event(QEvent* event) override;

private:
    QLabel* Image1;
    QLabel* Image2;
};

} // namespace zuv
