#include "config/ui/dlgCalibrazione.h"

#include "platform/messages.h"
#include "project/curve_buffer.h"
#include "project/state.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zuv {

dlgCalibrazione::dlgCalibrazione(PointTable& table, std::function<void()> tableChanged, QWidget* parent)
    : QDialog(parent), table_(table), tableChanged_(std::move(tableChanged))
{
    setObjectName(QStringLiteral("dlgCalibrazione"));
    setModal(true);
    lblDescrizioneFase = new QLabel(this);
    lblDescrizioneFase->setWordWrap(true);
    lblDescrizioneFase->setMinimumWidth(420);
    // Room for the longest instructions, whatever the language.
    lblDescrizioneFase->setMinimumHeight(lblDescrizioneFase->fontMetrics().lineSpacing() * 9);
    lblDescrizioneFase->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1 = new QLabel(this);
    txtLitri = new QLineEdit(this);
    txtLitri->setObjectName(QStringLiteral("txtLitri"));
    txtLitri->setMaximumWidth(100);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    cmdFineProcedura = new QPushButton(this);
    cmdFineProcedura->setAutoDefault(false);
    CancelButton = new QPushButton(this);
    CancelButton->setAutoDefault(false);

    auto* litres = new QHBoxLayout;
    litres->addWidget(Label1);
    litres->addWidget(txtLitri);
    litres->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(cmdFineProcedura);
    buttons->addWidget(CancelButton);
    buttons->addStretch(1);
    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(lblDescrizioneFase, 1);
    textColumn->addLayout(litres);
    auto* top = new QHBoxLayout(this);
    top->addLayout(textColumn, 1);
    top->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(cmdFineProcedura, &QPushButton::clicked, this, [this] { cmdFineProcedura_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    // Form_Load.
    ImpostaFormAttivo(this);
    cmdFineProcedura->setText(languageText(251));
    CancelButton->setText(languageText(35));
    setWindowTitle(languageText(252));
    lblDescrizioneFase->setText(languageText(244) + languageText(245) + QStringLiteral("\n\n") + languageText(247) +
                                QStringLiteral("\n\n") + languageText(248));
    txtLitri->setVisible(false);
    Label1->setVisible(false);
}

dlgCalibrazione::~dlgCalibrazione()
{
    if (StatoComunicazione.FormAttivo == this)
        ImpostaFormAttivo(nullptr);
}

void dlgCalibrazione::setInstrumentButtonsEnabled(bool on) { OKButton->setEnabled(on); }

void dlgCalibrazione::OKButton_Click()
{
    if (busy_ || !OKButton->isVisible())
        return;
    QString litres = txtLitri->text();
    CalibrationRun::Outcome outcome;
    {
        busy_ = true;
        setCursor(Qt::WaitCursor);
        outcome = calibration_.step(litres, table_, reading_);
        unsetCursor();
        busy_ = false;
    }
    switch (outcome) {
    case CalibrationRun::Outcome::Recorded:
        lblDescrizioneFase->setText(languageText(249) + QStringLiteral("\n") + languageText(250) + QStringLiteral("\n\n") +
                                    languageText(247) + QStringLiteral("\n\n") + languageText(248));
        txtLitri->setVisible(true);
        Label1->setVisible(true);
        txtLitri->setText(litres);
        if (!calibration_.moreReadings())
            OKButton->setVisible(false);
        if (tableChanged_)
            tableChanged_();
        txtLitri->setFocus();
        txtLitri->selectAll();
        break;
    case CalibrationRun::Outcome::BadLitres:
        msgBox(this, languageText(262), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
        txtLitri->setFocus();
        txtLitri->selectAll();
        break;
    case CalibrationRun::Outcome::ReadFailed: // the link has said so
    case CalibrationRun::Outcome::Complete:
        break;
    }
}

void dlgCalibrazione::cmdFineProcedura_Click()
{
    if (busy_)
        return;
    calibration_.finish(table_);
    if (tableChanged_)
        tableChanged_();
    done(QDialog::Accepted);
}

void dlgCalibrazione::CancelButton_Click()
{
    if (busy_)
        return;
    calibration_.cancel();
    done(QDialog::Rejected);
}

void dlgCalibrazione::keyPressEvent(QKeyEvent* event)
{
    // Escape is the Cancel button; the window frame's close keeps the rows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelButton_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void dlgCalibrazione::done(int result)
{
    if (StatoComunicazione.FormAttivo == this)
        ImpostaFormAttivo(nullptr);
    QDialog::done(result);
}

} // namespace zuv
