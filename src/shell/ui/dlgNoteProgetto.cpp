#include "shell/ui/dlgNoteProgetto.h"

#include "platform/ui/dialog_buttons.h"
#include "project/language.h"
#include "project/state.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zuv {

dlgNoteProgetto::dlgNoteProgetto(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgNoteProgetto"));
    setModal(false);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto line = [this, form](QLineEdit*& edit, QLabel*& label, const char* name) {
        edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        label = new QLabel(this);
        label->setBuddy(edit);
        form->addRow(label, edit);
    };
    line(txtNomeProgetto, lblNomeProgetto, "txtNomeProgetto");
    line(txtDataCreazione, lblDataCreazione, "txtDataCreazione");
    line(txtDataUltimaModifica, lblDataUltimaModifica, "txtDataUltimaModifica");
    line(txtAutoreProgetto, lblAutoreProgetto, "txtAutoreProgetto");
    line(txtStrumento, lblStrumento, "txtStrumento");
    line(txtVeicolo, lblVeicolo, "txtVeicolo");
    txtNoteProgetto = new QPlainTextEdit(this);
    txtNoteProgetto->setObjectName(QStringLiteral("txtNoteProgetto"));
    txtNoteProgetto->setTabChangesFocus(true);
    txtNoteProgetto->setMinimumHeight(110);
    lblNoteProgetto = new QLabel(this);
    lblNoteProgetto->setBuddy(txtNoteProgetto);
    lblNoteProgetto->setAlignment(Qt::AlignRight | Qt::AlignTop);
    form->addRow(lblNoteProgetto, txtNoteProgetto);

    QDialogButtonBox* buttons = okCancelButtons(this, OKButton, CancelButton);
    connect(OKButton, &QPushButton::clicked, this, &dlgNoteProgetto::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &dlgNoteProgetto::CancelButton_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());

    MostraNoteProgetto();
    Form_Activate();
}

void dlgNoteProgetto::MostraNoteProgetto()
{
    txtNomeProgetto->setText(DatiProgetto.NomeProgetto.trimmed());
    txtDataCreazione->setText(DatiProgetto.DataCreazione.trimmed());
    txtDataUltimaModifica->setText(DatiProgetto.DataUltimaModifica.trimmed());
    txtAutoreProgetto->setText(DatiProgetto.AutoreProgetto.trimmed());
    txtStrumento->setText(DatiProgetto.Strumento.trimmed());
    txtVeicolo->setText(DatiProgetto.Veicolo.trimmed());
    txtNoteProgetto->setPlainText(DatiProgetto.NoteProgetto.trimmed());
}

void dlgNoteProgetto::Form_Activate()
{
    computeLanguageOffset();
    setWindowTitle(languageText(207));
    lblNomeProgetto->setText(languageText(126));
    lblDataCreazione->setText(languageText(208));
    lblDataUltimaModifica->setText(languageText(209));
    lblAutoreProgetto->setText(languageText(210));
    lblStrumento->setText(languageText(211));
    lblVeicolo->setText(languageText(212));
    lblNoteProgetto->setText(languageText(213));
    CancelButton->setText(languageText(35));
}

void dlgNoteProgetto::OKButton_Click()
{
    DatiProgetto.NomeProgetto = txtNomeProgetto->text();
    DatiProgetto.DataCreazione = txtDataCreazione->text();
    DatiProgetto.DataUltimaModifica = txtDataUltimaModifica->text();
    DatiProgetto.AutoreProgetto = txtAutoreProgetto->text();
    DatiProgetto.Strumento = txtStrumento->text();
    DatiProgetto.Veicolo = txtVeicolo->text();
    DatiProgetto.NoteProgetto = txtNoteProgetto->toPlainText();
    ProgettoModificato = true;
    // Closes, and frees a dialog that asked for it.
    accept();
}

void dlgNoteProgetto::CancelButton_Click()
{
    reject();
}

bool dlgNoteProgetto::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

} // namespace zuv
