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
const QColor kDisabledGrey(0xD4, 0xD0, 0xC8);

void setBoxLook(QLineEdit* box, bool active)
{
    box->setEnabled(active);
    QPalette pal = box->palette();
    const QColor c = active ? QColor(Qt::white) : kDisabledGrey;
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
    buildControls();

    // Form_Load.
    ImpostaFormAttivo(this);
    CaricaTipiSensore();
    GraficoSensore->model().clear();
    GraficoSensore->model().setRange({0, 1, 0, 1});
    selectType(SensorKind::TemperaturaOlio);
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

void frmImpostaSensore::launch(QWidget* parent)
{
    frmImpostaSensore w(parent);
    w.exec();
}

void openSensorSetup(QWidget* parent) { frmImpostaSensore::launch(parent); }

void frmImpostaSensore::buildControls()
{
    setModal(true);

    fraStrumento = new QGroupBox(this);
    lblTipoSensore = new QLabel(fraStrumento);
    cboTipiSensore = new QComboBox(fraStrumento);
    cboTipiSensore->setObjectName(QStringLiteral("cboTipiSensore"));
    cmdLeggiSensoreStrumento = new QPushButton(fraStrumento);
    cmdLeggiSensoreStrumento->setObjectName(QStringLiteral("cmdLeggiSensoreStrumento"));
    cmdLeggiSensoreStrumento->setEnabled(false);
    auto* instrument = new QGridLayout(fraStrumento);
    instrument->addWidget(lblTipoSensore, 0, 0);
    instrument->addWidget(cboTipiSensore, 0, 1);
    instrument->addWidget(cmdLeggiSensoreStrumento, 1, 0, 1, 2);

    fraLibreriaSensori = new QGroupBox(this);
    auto* library = new QGridLayout(fraLibreriaSensori);
    static const char* optionNames[kNumKinds] = {"optTemperaturaOlio", "optPressione",   "optTemperaturaAcqua",
                                                 "optLivelloBenzina",  "optAltro",       "optSensoreLambda",
                                                 "optPressioneTurbo",  "optSensoreG"};
    for (int i = 0; i < kNumKinds; ++i) {
        opt[i] = new QRadioButton(fraLibreriaSensori);
        opt[i]->setObjectName(QString::fromLatin1(optionNames[i]));
        library->addWidget(opt[i], i / 2, i % 2);
        const auto kind = static_cast<SensorKind>(i);
        connect(opt[i], &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                selectType(kind);
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
    library->addWidget(lblSelezionaSensore, 4, 0, 1, 2);
    library->addWidget(cboListaSensori, 5, 0, 1, 2);
    library->addWidget(lblNomeNuovo, 6, 0, 1, 2);
    library->addWidget(txtNomeNuovo, 7, 0, 1, 2);
    library->addWidget(cmdNuovoSensore, 8, 0);
    library->addWidget(cmdSalvaSensore, 8, 1);
    library->addWidget(cmdCalibrazione, 9, 0, 1, 2);

    fraTabella = new QGroupBox(this);
    auto* table = new QGridLayout(fraTabella);
    table->setVerticalSpacing(2);
    lblX = new QLabel(QStringLiteral("Bit"), fraTabella);
    lblY = new QLabel(fraTabella);
    table->addWidget(lblX, 0, 1, Qt::AlignHCenter);
    table->addWidget(lblY, 0, 2, Qt::AlignHCenter);
    const QFont fixed(QStringLiteral("monospace"));
    for (int i = 0; i < kPointRows; ++i) {
        Check1[i] = new QCheckBox(QStringLiteral("%1").arg(i + 1, 3), fraTabella);
        Check1[i]->setFont(fixed);
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
        table->addWidget(Check1[i], i + 1, 0);
        table->addWidget(txtX[i], i + 1, 1);
        table->addWidget(txtY[i], i + 1, 2);
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
        connect(txtX[i], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            table_.setX(i, t);
            edited_[i][0] = true;
        });
        connect(txtY[i], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            table_.setY(i, t);
            edited_[i][1] = true;
        });
    }

    GraficoSensore = new CurveChart(this);
    GraficoSensore->setObjectName(QStringLiteral("GraficoSensore"));
    GraficoSensore->setMinimumSize(420, 320);
    cmdDisegnaCurva = new QPushButton(this);
    CancelButton = new QPushButton(this);

    auto* left = new QVBoxLayout;
    left->addWidget(fraStrumento);
    left->addWidget(fraLibreriaSensori);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(GraficoSensore, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDisegnaCurva);
    buttons->addStretch(1);
    buttons->addWidget(CancelButton);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(fraTabella);
    top->addLayout(right, 1);

    connect(cboTipiSensore, &QComboBox::activated, this, [this] { cboTipiSensore_Click(); });
    connect(cboListaSensori, &QComboBox::currentIndexChanged, this, [this] { cboListaSensori_Click(); });
    connect(cmdNuovoSensore, &QPushButton::clicked, this, [this] { cmdNuovoSensore_Click(); });
    connect(cmdSalvaSensore, &QPushButton::clicked, this, [this] { cmdSalvaSensore_Click(); });
    connect(cmdDisegnaCurva, &QPushButton::clicked, this, [this] { cmdDisegnaCurva_Click(); });
    connect(cmdLeggiSensoreStrumento, &QPushButton::clicked, this, [this] { cmdLeggiSensoreStrumento_Click(); });
    connect(cmdCalibrazione, &QPushButton::clicked, this, [this] { cmdCalibrazione_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    refreshTable();
}

void frmImpostaSensore::setInstrumentButtonsEnabled(bool on)
{
    cmdLeggiSensoreStrumento->setEnabled(on);
    cmdCalibrazione->setEnabled(on);
}

void frmImpostaSensore::Form_Activate()
{
    computeLanguageOffset();
    setWindowTitle(languageText(78));
    lblNomeNuovo->setText(languageText(67));
    fraTabella->setTitle(languageText(71));
    cmdDisegnaCurva->setText(languageText(72));
    fraLibreriaSensori->setTitle(languageText(73));
    optTemperaturaOlio->setText(languageText(74));
    optPressione->setText(languageText(330));
    optTemperaturaAcqua->setText(languageText(228));
    optLivelloBenzina->setText(languageText(60));
    optAltro->setText(languageText(76));
    optSensoreLambda->setText(languageText(290));
    optPressioneTurbo->setText(languageText(319));
    optSensoreG->setText(languageText(69));
    cmdSalvaSensore->setText(languageText(77));
    lblSelezionaSensore->setText(languageText(100));
    cmdNuovoSensore->setText(languageText(101));
    CancelButton->setText(languageText(35));
    fraStrumento->setTitle(languageText(181));
    cmdLeggiSensoreStrumento->setText(languageText(184));
    lblTipoSensore->setText(languageText(185));
    cmdCalibrazione->setText(languageText(241));
}

void frmImpostaSensore::CaricaTipiSensore()
{
    const QSignalBlocker block(cboTipiSensore);
    cboTipiSensore->clear();
    for (int i = 0; i <= 8; ++i)
        cboTipiSensore->addItem(NomiTipiSensore[static_cast<std::size_t>(i)]);
    cboTipiSensore->setCurrentIndex(-1);
}

void frmImpostaSensore::fillSensorList()
{
    const QSignalBlocker block(cboListaSensori);
    cboListaSensori->clear();
    const QString& keyword = sensorType(currentType_).keyword;
    for (const CSensore& s : LibreriaSensori)
        if (s.Tipo() == keyword)
            cboListaSensori->addItem(s.Nome());
    cboListaSensori->setCurrentIndex(-1);
}

void frmImpostaSensore::selectType(SensorKind kind)
{
    const SensorType& info = sensorType(kind);
    {
        const QSignalBlocker block(opt[static_cast<std::size_t>(kind)]);
        opt[static_cast<std::size_t>(kind)]->setChecked(true);
    }
    currentType_ = kind;
    txtNomeNuovo->clear();
    fillSensorList();
    lblY->setText(info.lblY);
    lblX->setText(info.lblX);
    cmdCalibrazione->setVisible(info.calibration);
    PulisciTabellaPunti();
}

void frmImpostaSensore::cboTipiSensore_Click()
{
    PulisciTabellaPunti();
    const int slot = cboTipiSensore->currentIndex();
    const auto kind = kindFromSlot(slot);
    if (!kind) {
        cmdLeggiSensoreStrumento->setEnabled(false);
        cboTipiSensore->setCurrentIndex(-1);
        return;
    }
    cmdLeggiSensoreStrumento->setEnabled(true);
    selectType(*kind);
}

void frmImpostaSensore::cboListaSensori_Click()
{
    if (cboListaSensori->currentIndex() < 0) {
        cmdNuovoSensore_Click();
        return;
    }
    const CSensore* s = loadSensorIntoTable(cboListaSensori->currentText(),
                                               sensorType(currentType_).keyword, table_);
    edited_ = {};
    if (s) {
        txtNomeNuovo->setText(s->Nome());
        setWindowTitle(languageText(177) + s->Nome());
    }
    afterEdit(true);
}

void frmImpostaSensore::Check1_Click(int index)
{
    if (index < 0 || index >= kPointRows)
        return;
    const bool changed = table_.setTick(index, Check1[index]->isChecked());
    afterEdit(changed);
}

void frmImpostaSensore::PulisciTabellaPunti()
{
    const bool changed = table_.PulisciTabellaPunti();
    edited_ = {};
    afterEdit(changed);
}

void frmImpostaSensore::cmdNuovoSensore_Click()
{
    const bool changed = table_.newSensor();
    edited_ = {};
    setWindowTitle(languageText(177) + languageText(178));
    {
        const QSignalBlocker block(cboListaSensori);
        cboListaSensori->setCurrentIndex(-1);
    }
    afterEdit(changed);
}

void frmImpostaSensore::cmdSalvaSensore_Click()
{
    if (busy_)
        return;
    const SaveResult outcome = SalvaSensore(txtNomeNuovo->text(), currentType_, table_, windowTitle());
    switch (outcome.outcome) {
    case SaveOutcome::Saved:
        // The option's handler: name emptied, list refilled, table cleared.
        selectType(currentType_);
        break;
    case SaveOutcome::BadCell:
        boxFocused(outcome.cell.row, outcome.cell.inY);
        break;
    case SaveOutcome::EmptyName:
    case SaveOutcome::BadName:
        txtNomeNuovo->setFocus();
        break;
    default:
        break;
    }
}

void frmImpostaSensore::cmdDisegnaCurva_Click()
{
    const int n = table_.NumPuntiAttivi();
    redrawCurve(GraficoSensore->model(), table_.xTexts(n), table_.yTexts(n), n);
    GraficoSensore->update();
}

void frmImpostaSensore::cmdLeggiSensoreStrumento_Click()
{
    if (busy_)
        return;
    const int slot = cboTipiSensore->currentIndex();
    const auto kind = kindFromSlot(slot);
    if (!kind)
        return;
    // The curve is the slot's: shown, scaled and saved as its type.
    if (*kind != currentType_)
        selectType(*kind);
    {
        const Flag busy(busy_);
        setCursor(Qt::WaitCursor);
        PulisciTabellaPunti();
        readCurveIntoTable(slot, table_);
        unsetCursor();
    }
    edited_ = {};
    afterEdit(true);
}

void frmImpostaSensore::cmdCalibrazione_Click()
{
    if (busy_)
        return;
    PulisciTabellaPunti();
    int choice = 0;
    {
        dlgCalibrazione dlg(table_, [this] { afterEdit(true); }, this);
        dlg.Label1->setText(languageText(243));
        dlg.exec();
        choice = dlg.intUscita();
    }
    if (choice == 3) {
        AzzeraCurva();
        PulisciTabellaPunti();
    }
    edited_ = {};
    // Back in charge of the instrument buttons once the dialog has gone.
    if (!closed_)
        ImpostaFormAttivo(this);
    Form_Activate();
    afterEdit(true);
}

void frmImpostaSensore::txtX_LostFocus(int index) { boxLeft(index, false); }
void frmImpostaSensore::txtY_LostFocus(int index) { boxLeft(index, true); }

void frmImpostaSensore::boxLeft(int index, bool inY)
{
    if (checking_ || index < 0 || index >= kPointRows)
        return;
    QLineEdit* box = inY ? txtY[index] : txtX[index];
    if (!box->isEnabled())
        return;
    bool& edited = edited_[index][inY ? 1 : 0];
    const QString text = box->text();
    // An untouched empty box is left alone; saving checks every active row.
    if (!edited && text.trimmed().isEmpty())
        return;
    const Flag control(checking_);
    const int scale = sensorType(currentType_).scale;
    if (edited) {
        const bool valid = inY ? validY(text, scale) : validNumber(text);
        edited = false;
        if (!valid) {
            msgBox(this, languageText(262), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
            inY ? table_.setY(index, QString()) : table_.setX(index, QString());
            afterEdit(false);
            boxFocused(index, inY);
            return;
        }
    }
    if (inY) {
        table_.setY(index, formatY(text, scale));
        afterEdit(false);
        return;
    }
    table_.setX(index, normalizeX(text));
    bool changed = false;
    if (index >= 1 && currentType_ != SensorKind::LivelloBenzina &&
        xDescending(table_.row(index - 1).x, table_.row(index).x)) {
        msgBox(this, bitOrderMessage(), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
        table_.setX(index, QString());
        changed = table_.setTick(index, false);
    }
    afterEdit(changed);
}

void frmImpostaSensore::boxFocused(int index, bool inY)
{
    QLineEdit* box = inY ? txtY[index] : txtX[index];
    box->setFocus();
    // Again once the focus change in progress has ended.
    QTimer::singleShot(0, box, [box] { box->setFocus(); });
}

void frmImpostaSensore::afterEdit(bool redraw)
{
    refreshTable();
    if (redraw)
        cmdDisegnaCurva_Click();
}

void frmImpostaSensore::refreshTable()
{
    for (int i = 0; i < kPointRows; ++i) {
        const PointRow& r = table_.row(i);
        if (txtX[i]->text() != r.x)
            txtX[i]->setText(r.x);
        if (txtY[i]->text() != r.y)
            txtY[i]->setText(r.y);
        setBoxLook(txtX[i], r.active);
        setBoxLook(txtY[i], r.active);
        const QSignalBlocker block(Check1[i]);
        Check1[i]->setChecked(r.ticked);
        Check1[i]->setEnabled(r.tickEnabled);
    }
}

bool frmImpostaSensore::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < kPointRows; ++i) {
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
    closed_ = true;
    GraficoSensore->model().clear();
    GraficoSensore->update();
    if (StatoComunicazione.FormAttivo == this)
        ImpostaFormAttivo(nullptr);
    QDialog::done(result);
}

} // namespace zuv
