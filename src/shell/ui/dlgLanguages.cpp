#include "shell/ui/dlgLanguages.h"

#include "platform/messages.h"
#include "platform/ui/dialog_buttons.h"
#include "project/language.h"
#include "project/state.h"
#include "shell/command_captions.h"
#include "shell/ui/pictures.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zuv {

namespace {

// No language text exists for this: the database itself is what failed.
QString cannotStoreText(const QString& reason)
{
    if (italian())
        return QStringLiteral("Non \u00e8 stato possibile salvare la lingua scelta nel file LANGUAGES.DAT.\n"
                              "La lingua resta in uso fino alla chiusura del programma.\n\n%1")
            .arg(reason);
    return QStringLiteral("The chosen language could not be stored in LANGUAGES.DAT.\n"
                          "It stays in use until the program ends.\n\n%1")
        .arg(reason);
}

} // namespace

dlgLanguages::dlgLanguages(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgLanguages"));
    setModal(true);

    optItaliano = new QRadioButton(QStringLiteral("Italiano"), this);
    optItaliano->setObjectName(QStringLiteral("optItaliano"));
    optInglese = new QRadioButton(QStringLiteral("English"), this);
    optInglese->setObjectName(QStringLiteral("optInglese"));
    Image1 = new QLabel(this);
    Image1->setPixmap(flagPixmap(0, QSize(36, 24)));
    Image2 = new QLabel(this);
    Image2->setPixmap(flagPixmap(1, QSize(36, 24)));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(Image1, 0, 0);
    grid->addWidget(optItaliano, 0, 1);
    grid->addWidget(Image2, 1, 0);
    grid->addWidget(optInglese, 1, 1);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = okCancelButtons(this, OKButton, CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(280);

    // Neither option is chosen for an index that names no language.
    if (TabellaLingua.IndiceLingua == 0)
        optItaliano->setChecked(true);
    else if (TabellaLingua.IndiceLingua == 1)
        optInglese->setChecked(true);

    connect(optItaliano, &QRadioButton::clicked, this, &dlgLanguages::optItaliano_Click);
    connect(optInglese, &QRadioButton::clicked, this, &dlgLanguages::optInglese_Click);
    connect(OKButton, &QPushButton::clicked, this, &dlgLanguages::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &dlgLanguages::CancelButton_Click);

    Form_Activate();
}

void dlgLanguages::Form_Activate()
{
    computeLanguageOffset();
    setWindowTitle(withoutMnemonic(languageText(23)));
    CancelButton->setText(languageText(35));
}

void dlgLanguages::optItaliano_Click() { TabellaLingua.IndiceLingua = 0; }

void dlgLanguages::optInglese_Click() { TabellaLingua.IndiceLingua = 1; }

void dlgLanguages::OKButton_Click()
{
    QString reason;
    if (!writeLanguageIndex(TabellaLingua.IndiceLingua, &reason))
        msgBox(this, cannotStoreText(reason), MsgIcon::Critical);
    accept();
}

void dlgLanguages::CancelButton_Click() { reject(); }

bool dlgLanguages::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

} // namespace zuv
