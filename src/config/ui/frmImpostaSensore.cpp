#include "config/ui/frmImpostaSensore.h"

#include "config/ui/curve_chart.h"
#include "config/ui/dlgCalibrazione.h"
#include "platform/messages.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zuv {
namespace {

// &H8000000B, the inactive-border grey of a switched-off box.
const QColor kGrigio(0xD4, 0xD0, 0xC8);

void aspetto(QLineEdit* box, bool attiva)
{
    box->setEnabled(attiva);
    QPalette pal = box->palette();
    const QColor c = attiva ? QColor(Qt::white) : kGrigio;
    pal.setColor(QPalette::Active, QPalette::Base, c);
    pal.setColor(QPalette::Inactive, QPalette::Base, c);
    pal.setColor(QPalette::Disabled, QPalette::Base, c);
    box->setPalette(pal);
}

// Restores a flag when the scope ends, whatever way it ends.
class Flag {
public:
    explicit Flag(bool& f) : f_(f) { f_ = true; }
    ~Flag() { f_ = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& f_;
};

} // namespace

frmImpostaSensore::frmImpostaSensore(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImpostaSensore"));
    costruisci();

    // Form_Load.
    ImpostaFormAttivo(this);
    CaricaTipiSensore();
    GraficoSensore->model().clear();
    GraficoSensore->model().setRange({0, 1, 0, 1});
    selezionaTipo(OpzioneTipo::TemperaturaOlio);
    {
        const QSignalBlocker block(cboTipiSensore);
        cboTipiSensore->setCurrentIndex(0);
    }
    cboTipiSensore_Click();
    cmdLeggiSensoreStrumento->setEnabled(cboTipiSensore->currentIndex() >= 0 &&
                                         StatoComunicazione.StrumentoPresente);
    lblY->setText(QStringLiteral("Y (°C)"));
    Form_Activate();
}

frmImpostaSensore::~frmImpostaSensore()
{
    if (StatoComunicazione.FormAttivo == this)
        ImpostaFormAttivo(nullptr);
}

void frmImpostaSensore::apri(QWidget* parent)
{
    frmImpostaSensore w(parent);
    w.exec();
}

void apriImpostaSensore(QWidget* parent) { frmImpostaSensore::apri(parent); }

void frmImpostaSensore::costruisci()
{
    setModal(true);

    fraStrumento = new QGroupBox(this);
    lblTipoSensore = new QLabel(fraStrumento);
    cboTipiSensore = new QComboBox(fraStrumento);
    cboTipiSensore->setObjectName(QStringLiteral("cboTipiSensore"));
    cmdLeggiSensoreStrumento = new QPushButton(fraStrumento);
    cmdLeggiSensoreStrumento->setObjectName(QStringLiteral("cmdLeggiSensoreStrumento"));
    cmdLeggiSensoreStrumento->setEnabled(false);
    auto* strumento = new QGridLayout(fraStrumento);
    strumento->addWidget(lblTipoSensore, 0, 0);
    strumento->addWidget(cboTipiSensore, 0, 1);
    strumento->addWidget(cmdLeggiSensoreStrumento, 1, 0, 1, 2);

    fraLibreriaSensori = new QGroupBox(this);
    auto* libreria = new QGridLayout(fraLibreriaSensori);
    static const char* nomiOpt[kNumTipi] = {"optTemperaturaOlio", "optPressione",   "optTemperaturaAcqua",
                                            "optLivelloBenzina",  "optAltro",       "optSensoreLambda",
                                            "optPressioneTurbo",  "optSensoreG"};
    for (int i = 0; i < kNumTipi; ++i) {
        opt[i] = new QRadioButton(fraLibreriaSensori);
        opt[i]->setObjectName(QString::fromLatin1(nomiOpt[i]));
        libreria->addWidget(opt[i], i / 2, i % 2);
        const auto tipo = static_cast<OpzioneTipo>(i);
        connect(opt[i], &QRadioButton::toggled, this, [this, tipo](bool on) {
            if (on)
                selezionaTipo(tipo);
        });
    }
    lblSelezionaSensore = new QLabel(fraLibreriaSensori);
    cboListaSensori = new QComboBox(fraLibreriaSensori);
    cboListaSensori->setObjectName(QStringLiteral("cboListaSensori"));
    lblNomeNuovo = new QLabel(fraLibreriaSensori);
    txtNomeNuovo = new QLineEdit(fraLibreriaSensori);
    txtNomeNuovo->setObjectName(QStringLiteral("txtNomeNuovo"));
    cmdNuovoSensore = new QPushButton(fraLibreriaSensori);
    cmdSalvaSensore = new QPushButton(fraLibreriaSensori);
    cmdCalibrazione = new QPushButton(fraLibreriaSensori);
    cmdCalibrazione->setObjectName(QStringLiteral("cmdCalibrazione"));
    cmdCalibrazione->setVisible(false);
    libreria->addWidget(lblSelezionaSensore, 4, 0, 1, 2);
    libreria->addWidget(cboListaSensori, 5, 0, 1, 2);
    libreria->addWidget(lblNomeNuovo, 6, 0, 1, 2);
    libreria->addWidget(txtNomeNuovo, 7, 0, 1, 2);
    libreria->addWidget(cmdNuovoSensore, 8, 0);
    libreria->addWidget(cmdSalvaSensore, 8, 1);
    libreria->addWidget(cmdCalibrazione, 9, 0, 1, 2);

    fraTabella = new QGroupBox(this);
    auto* tabella = new QGridLayout(fraTabella);
    tabella->setVerticalSpacing(2);
    lblX = new QLabel(QStringLiteral("Bit"), fraTabella);
    lblY = new QLabel(fraTabella);
    tabella->addWidget(lblX, 0, 1, Qt::AlignHCenter);
    tabella->addWidget(lblY, 0, 2, Qt::AlignHCenter);
    const QFont fisso(QStringLiteral("monospace"));
    for (int i = 0; i < kRighePunti; ++i) {
        Check1[i] = new QCheckBox(QStringLiteral("%1").arg(i + 1, 3), fraTabella);
        Check1[i]->setFont(fisso);
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        txtX[i] = new QLineEdit(fraTabella);
        txtX[i]->setObjectName(QStringLiteral("txtX_%1").arg(i));
        txtY[i] = new QLineEdit(fraTabella);
        txtY[i]->setObjectName(QStringLiteral("txtY_%1").arg(i));
        for (QLineEdit* box : {txtX[i], txtY[i]}) {
            box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-32768.000")) + 12);
            box->setMaximumWidth(box->minimumWidth() + 30);
            box->installEventFilter(this);
        }
        tabella->addWidget(Check1[i], i + 1, 0);
        tabella->addWidget(txtX[i], i + 1, 1);
        tabella->addWidget(txtY[i], i + 1, 2);
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
        connect(txtX[i], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            tabella_.setX(i, t);
            modificata_[i][0] = true;
        });
        connect(txtY[i], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            tabella_.setY(i, t);
            modificata_[i][1] = true;
        });
    }

    GraficoSensore = new CurveChart(this);
    GraficoSensore->setObjectName(QStringLiteral("GraficoSensore"));
    GraficoSensore->setMinimumSize(420, 320);
    cmdDisegnaCurva = new QPushButton(this);
    CancelButton = new QPushButton(this);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(fraStrumento);
    sinistra->addWidget(fraLibreriaSensori);
    sinistra->addStretch(1);
    auto* destra = new QVBoxLayout;
    destra->addWidget(GraficoSensore, 1);
    auto* bottoni = new QHBoxLayout;
    bottoni->addWidget(cmdDisegnaCurva);
    bottoni->addStretch(1);
    bottoni->addWidget(CancelButton);
    destra->addLayout(bottoni);
    auto* top = new QHBoxLayout(this);
    top->addLayout(sinistra);
    top->addWidget(fraTabella);
    top->addLayout(destra, 1);

    connect(cboTipiSensore, &QComboBox::activated, this, [this] { cboTipiSensore_Click(); });
    connect(cboListaSensori, &QComboBox::currentIndexChanged, this, [this] { cboListaSensori_Click(); });
    connect(cmdNuovoSensore, &QPushButton::clicked, this, [this] { cmdNuovoSensore_Click(); });
    connect(cmdSalvaSensore, &QPushButton::clicked, this, [this] { cmdSalvaSensore_Click(); });
    connect(cmdDisegnaCurva, &QPushButton::clicked, this, [this] { cmdDisegnaCurva_Click(); });
    connect(cmdLeggiSensoreStrumento, &QPushButton::clicked, this, [this] { cmdLeggiSensoreStrumento_Click(); });
    connect(cmdCalibrazione, &QPushButton::clicked, this, [this] { cmdCalibrazione_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    aggiornaTabella();
}

void frmImpostaSensore::setInstrumentButtonsEnabled(bool on)
{
    cmdLeggiSensoreStrumento->setEnabled(on);
    cmdCalibrazione->setEnabled(on);
}

void frmImpostaSensore::Form_Activate()
{
    CalcolaOffsetLingua();
    setWindowTitle(Testo(78));
    lblNomeNuovo->setText(Testo(67));
    fraTabella->setTitle(Testo(71));
    cmdDisegnaCurva->setText(Testo(72));
    fraLibreriaSensori->setTitle(Testo(73));
    optTemperaturaOlio->setText(Testo(74));
    optPressione->setText(Testo(330));
    optTemperaturaAcqua->setText(Testo(228));
    optLivelloBenzina->setText(Testo(60));
    optAltro->setText(Testo(76));
    optSensoreLambda->setText(Testo(290));
    optPressioneTurbo->setText(Testo(319));
    optSensoreG->setText(Testo(69));
    cmdSalvaSensore->setText(Testo(77));
    lblSelezionaSensore->setText(Testo(100));
    cmdNuovoSensore->setText(Testo(101));
    CancelButton->setText(Testo(35));
    fraStrumento->setTitle(Testo(181));
    cmdLeggiSensoreStrumento->setText(Testo(184));
    lblTipoSensore->setText(Testo(185));
    cmdCalibrazione->setText(Testo(241));
}

void frmImpostaSensore::CaricaTipiSensore()
{
    const QSignalBlocker block(cboTipiSensore);
    cboTipiSensore->clear();
    for (int i = 0; i <= 8; ++i)
        cboTipiSensore->addItem(NomiTipiSensore[static_cast<std::size_t>(i)]);
    cboTipiSensore->setCurrentIndex(-1);
}

void frmImpostaSensore::riempiListaSensori()
{
    const QSignalBlocker block(cboListaSensori);
    cboListaSensori->clear();
    const QString& keyword = tipoSensore(tipoCorrente_).keyword;
    for (const CSensore& s : LibreriaSensori)
        if (s.Tipo() == keyword)
            cboListaSensori->addItem(s.Nome());
    cboListaSensori->setCurrentIndex(-1);
}

void frmImpostaSensore::selezionaTipo(OpzioneTipo tipo)
{
    const TipoSensore& info = tipoSensore(tipo);
    {
        const QSignalBlocker block(opt[static_cast<std::size_t>(tipo)]);
        opt[static_cast<std::size_t>(tipo)]->setChecked(true);
    }
    tipoCorrente_ = tipo;
    txtNomeNuovo->clear();
    riempiListaSensori();
    lblY->setText(info.lblY);
    lblX->setText(info.lblX);
    cmdCalibrazione->setVisible(info.calibrazione);
    PulisciTabellaPunti();
}

void frmImpostaSensore::cboTipiSensore_Click()
{
    PulisciTabellaPunti();
    const int slot = cboTipiSensore->currentIndex();
    const auto tipo = opzioneDaSlot(slot);
    if (!tipo) {
        cmdLeggiSensoreStrumento->setEnabled(false);
        cboTipiSensore->setCurrentIndex(-1);
        return;
    }
    cmdLeggiSensoreStrumento->setEnabled(true);
    selezionaTipo(*tipo);
}

void frmImpostaSensore::cboListaSensori_Click()
{
    if (cboListaSensori->currentIndex() < 0) {
        cmdNuovoSensore_Click();
        return;
    }
    const CSensore* s = caricaSensoreInTabella(cboListaSensori->currentText(),
                                               tipoSensore(tipoCorrente_).keyword, tabella_);
    modificata_ = {};
    if (s) {
        txtNomeNuovo->setText(s->Nome());
        setWindowTitle(Testo(177) + s->Nome());
    }
    dopoModifica(true);
}

void frmImpostaSensore::Check1_Click(int index)
{
    if (index < 0 || index >= kRighePunti)
        return;
    const bool changed = tabella_.setTick(index, Check1[index]->isChecked());
    dopoModifica(changed);
}

void frmImpostaSensore::PulisciTabellaPunti()
{
    const bool changed = tabella_.PulisciTabellaPunti();
    modificata_ = {};
    dopoModifica(changed);
}

void frmImpostaSensore::cmdNuovoSensore_Click()
{
    const bool changed = tabella_.nuovoSensore();
    modificata_ = {};
    setWindowTitle(Testo(177) + Testo(178));
    {
        const QSignalBlocker block(cboListaSensori);
        cboListaSensori->setCurrentIndex(-1);
    }
    dopoModifica(changed);
}

void frmImpostaSensore::cmdSalvaSensore_Click()
{
    if (occupato_)
        return;
    const Salvataggio esito = SalvaSensore(txtNomeNuovo->text(), tipoCorrente_, tabella_, windowTitle());
    switch (esito.esito) {
    case EsitoSalvataggio::Salvato:
        // The option's handler: name emptied, list refilled, table cleared.
        selezionaTipo(tipoCorrente_);
        break;
    case EsitoSalvataggio::CellaNonValida:
        focusCasella(esito.cella.riga, esito.cella.colonnaY);
        break;
    case EsitoSalvataggio::NomeVuoto:
    case EsitoSalvataggio::NomeNonValido:
        txtNomeNuovo->setFocus();
        break;
    default:
        break;
    }
}

void frmImpostaSensore::cmdDisegnaCurva_Click()
{
    const int n = tabella_.NumPuntiAttivi();
    ridisegnaCurva(GraficoSensore->model(), tabella_.testiX(n), tabella_.testiY(n), n);
    GraficoSensore->update();
}

void frmImpostaSensore::cmdLeggiSensoreStrumento_Click()
{
    if (occupato_)
        return;
    const int slot = cboTipiSensore->currentIndex();
    const auto tipo = opzioneDaSlot(slot);
    if (!tipo)
        return;
    // The curve is the slot's: shown, scaled and saved as its type.
    if (*tipo != tipoCorrente_)
        selezionaTipo(*tipo);
    {
        const Flag busy(occupato_);
        setCursor(Qt::WaitCursor);
        PulisciTabellaPunti();
        LeggiCurvaInTabella(slot, tabella_);
        unsetCursor();
    }
    modificata_ = {};
    dopoModifica(true);
}

void frmImpostaSensore::cmdCalibrazione_Click()
{
    if (occupato_)
        return;
    PulisciTabellaPunti();
    int uscita = 0;
    {
        dlgCalibrazione dlg(tabella_, [this] { dopoModifica(true); }, this);
        dlg.Label1->setText(Testo(243));
        dlg.exec();
        uscita = dlg.intUscita();
    }
    if (uscita == 3) {
        AzzeraCurva();
        PulisciTabellaPunti();
    }
    modificata_ = {};
    // Back in charge of the instrument buttons once the dialog has gone.
    if (!chiusa_)
        ImpostaFormAttivo(this);
    Form_Activate();
    dopoModifica(true);
}

void frmImpostaSensore::txtX_LostFocus(int index) { uscitaCasella(index, false); }
void frmImpostaSensore::txtY_LostFocus(int index) { uscitaCasella(index, true); }

void frmImpostaSensore::uscitaCasella(int index, bool colonnaY)
{
    if (inControllo_ || index < 0 || index >= kRighePunti)
        return;
    QLineEdit* box = colonnaY ? txtY[index] : txtX[index];
    if (!box->isEnabled())
        return;
    bool& modificata = modificata_[index][colonnaY ? 1 : 0];
    const QString testo = box->text();
    // An untouched empty box is left alone; saving checks every active row.
    if (!modificata && testo.trimmed().isEmpty())
        return;
    const Flag controllo(inControllo_);
    const int scala = tipoSensore(tipoCorrente_).scala;
    if (modificata) {
        const bool valido = colonnaY ? valoreYValido(testo, scala) : numeroValido(testo);
        modificata = false;
        if (!valido) {
            msgBox(Testo(262), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
            colonnaY ? tabella_.setY(index, QString()) : tabella_.setX(index, QString());
            dopoModifica(false);
            focusCasella(index, colonnaY);
            return;
        }
    }
    if (colonnaY) {
        tabella_.setY(index, formattaY(testo, scala));
        dopoModifica(false);
        return;
    }
    tabella_.setX(index, normalizzaX(testo));
    bool changed = false;
    if (index >= 1 && tipoCorrente_ != OpzioneTipo::LivelloBenzina &&
        xDecrescente(tabella_.riga(index - 1).x, tabella_.riga(index).x)) {
        msgBox(messaggioOrdineBit(), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
        tabella_.setX(index, QString());
        changed = tabella_.setTick(index, false);
    }
    dopoModifica(changed);
}

void frmImpostaSensore::focusCasella(int index, bool colonnaY)
{
    QLineEdit* box = colonnaY ? txtY[index] : txtX[index];
    box->setFocus();
    // Again once the focus change in progress has ended.
    QTimer::singleShot(0, box, [box] { box->setFocus(); });
}

void frmImpostaSensore::dopoModifica(bool ridisegna)
{
    aggiornaTabella();
    if (ridisegna)
        cmdDisegnaCurva_Click();
}

void frmImpostaSensore::aggiornaTabella()
{
    for (int i = 0; i < kRighePunti; ++i) {
        const RigaPunto& r = tabella_.riga(i);
        if (txtX[i]->text() != r.x)
            txtX[i]->setText(r.x);
        if (txtY[i]->text() != r.y)
            txtY[i]->setText(r.y);
        aspetto(txtX[i], r.attiva);
        aspetto(txtY[i], r.attiva);
        const QSignalBlocker block(Check1[i]);
        Check1[i]->setChecked(r.ticked);
        Check1[i]->setEnabled(r.tickAbilitato);
    }
}

bool frmImpostaSensore::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < kRighePunti; ++i) {
            if (watched == txtX[i])
                txtX_LostFocus(i);
            else if (watched == txtY[i])
                txtY_LostFocus(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmImpostaSensore::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    else if (event->type() == QEvent::LanguageChange)
        Form_Activate();
}

void frmImpostaSensore::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmImpostaSensore::done(int result)
{
    // Form_Unload.
    chiusa_ = true;
    GraficoSensore->model().clear();
    GraficoSensore->update();
    if (StatoComunicazione.FormAttivo == this)
        ImpostaFormAttivo(nullptr);
    QDialog::done(result);
}

} // namespace zuv
