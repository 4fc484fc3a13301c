#include "config/ui/frmSensori.h"

#include "config/ui/editor_widgets.h"
#include "link/curve_codec.h"
#include "link/page_sensors.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "project/channels.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zuv {
namespace {

// An editable combo shows any text: the matching item when there is one.
void setComboText(QComboBox* c, const QString& text)
{
    const int i = c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    c->setCurrentIndex(i);
    if (i < 0)
        c->setEditText(text);
}

QComboBox* editableCombo(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QComboBox* samplingCombo(QWidget* parent)
{
    QComboBox* c = editableCombo(parent);
    c->addItems({QStringLiteral("1 Hz"), QStringLiteral("10 Hz"), QStringLiteral("20 Hz")});
    c->setMinimumContentsLength(6);
    return c;
}

} // namespace

frmSensori::frmSensori(QWidget* parent) : PageDialog(parent, "frmSensori")
{
    buildLayout();
    // Form_Load.
    registerPage(this);
    computeLanguageOffset();
    for (int i = 0; i < 3; ++i)
        cboLAPO_->addItem(NomiLivelloLAPO[i]);
    for (int i = 0; i < 3; ++i)
        cboLAAL_->addItem(NomiLivelloLAAL[i]);
    RiempiSensori();
    CaricaDati();
    setCaptions();
}

void frmSensori::buildLayout()
{
    auto form = [](QGroupBox* g) {
        auto* f = new QFormLayout(g);
        f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        return f;
    };

    SSTab1_ = new QTabWidget(this);
    named(SSTab1_, "SSTab1");
    auto* inputs = new QWidget;
    auto* channels = new QWidget;
    SSTab1_->addTab(inputs, QString());
    SSTab1_->addTab(channels, QString());

    // Tab 0: the fixed inputs.
    fraRPM_ = new QGroupBox(inputs);
    named(fraRPM_, "fraRPM");
    lblNumAcc_ = new QLabel(inputs);
    txtNumAccRPM_ = numberBox("txtNumAccRPM", 6, 12, inputs);
    lblTCRPM_ = new QLabel(inputs);
    cboTCampRPM_ = samplingCombo(inputs);
    named(cboTCampRPM_, "cboTCampRPM");
    QFormLayout* rpm = form(fraRPM_);
    rpm->addRow(lblNumAcc_, txtNumAccRPM_);
    rpm->addRow(lblTCRPM_, cboTCampRPM_);

    fraVelocitaVettura_ = new QGroupBox(inputs);
    named(fraVelocitaVettura_, "fraVelocitaVettura");
    lblNumImpulsi_ = new QLabel(inputs);
    txtImpulsiRuota_ = numberBox("txtImpulsiRuota", 6, 12, inputs);
    lblDiametroRuota_ = new QLabel(inputs);
    txtDiametroRuota_ = numberBox("txtDiametroRuota", 6, 12, inputs);
    lblTCVV_ = new QLabel(inputs);
    cboTCampVV_ = samplingCombo(inputs);
    named(cboTCampVV_, "cboTCampVV");
    QFormLayout* speed = form(fraVelocitaVettura_);
    speed->addRow(lblNumImpulsi_, txtImpulsiRuota_);
    speed->addRow(lblDiametroRuota_, txtDiametroRuota_);
    speed->addRow(lblTCVV_, cboTCampVV_);

    fraPompaOlio_ = new QGroupBox(inputs);
    named(fraPompaOlio_, "fraPompaOlio");
    lblLAPO_ = new QLabel(inputs);
    cboLAPO_ = new QComboBox(inputs);
    named(cboLAPO_, "cboLAPO");
    cboLAPO_->setMinimumContentsLength(10);
    form(fraPompaOlio_)->addRow(lblLAPO_, cboLAPO_);

    fraAlternatore_ = new QGroupBox(inputs);
    named(fraAlternatore_, "fraAlternatore");
    lblLAAL_ = new QLabel(inputs);
    cboLAAL_ = new QComboBox(inputs);
    named(cboLAAL_, "cboLAAL");
    cboLAAL_->setMinimumContentsLength(10);
    form(fraAlternatore_)->addRow(lblLAAL_, cboLAAL_);

    auto* inputsGrid = new QGridLayout(inputs);
    inputsGrid->addWidget(fraRPM_, 0, 0);
    inputsGrid->addWidget(fraVelocitaVettura_, 0, 1);
    inputsGrid->addWidget(fraPompaOlio_, 1, 0);
    inputsGrid->addWidget(fraAlternatore_, 1, 1);
    inputsGrid->setRowStretch(2, 1);

    // Tab 1: the nine channels, in slot order.
    struct Names {
        const char* frame;
        const char* chk;
        const char* sensor;
        const char* rate;
        const char* chann;
    };
    static constexpr Names names[9] = {
        {"fraTempOlio", "chkAbilTO", "cboTemperaturaOlio", "cboTCampTO", nullptr},
        {"fraPressOlio", "chkAbilPO", "cboPressione0", "cboTCampPO", nullptr},
        {"fraPressBenzina", "chkAbilPB", "cboPressione1", "cboTCampPB", nullptr},
        {"fraTempAcqua", "chkAbilTA", "cboTemperaturaAcqua", "cboTCampTA", nullptr},
        {"fraLivBenzina", "chkAbilLB", "cboLivelloBenzina", "cboTCampLB", nullptr},
        {"fraCambio", "chkAbilCambio", "cboAltro", "cboTCampCambio", "cboChannCambio"},
        {"fraSensoreLambda", "chkAbilSensoreLambda", "cboSensoreLambda", "cboTCampSensoreLambda",
         "cboChannSensoreLambda"},
        {"fraPressioneTurbo", "chkAbilPT", "cboPressioneTurbo", "cboTCampPT", "cboChannPT"},
        {"fraSensoreG", "chkAbilSG", "cboSG", "cboTCampSG", "cboChannSG"},
    };
    auto* channelsGrid = new QGridLayout(channels);
    for (int slot = 0; slot < 9; ++slot) {
        Channel& c = channels_[slot];
        const Names& n = names[slot];
        c.frame = new QGroupBox(channels);
        named(c.frame, n.frame);
        c.chkAbil = new QCheckBox(channels);
        named(c.chkAbil, n.chk);
        c.lblName = new QLabel(channels);
        c.sensor = editableCombo(channels);
        named(c.sensor, n.sensor);
        c.sensor->setMinimumContentsLength(14);
        c.lblTC = new QLabel(channels);
        c.rate = samplingCombo(channels);
        named(c.rate, n.rate);
        QFormLayout* f = form(c.frame);
        f->setRowWrapPolicy(QFormLayout::WrapAllRows);
        f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        f->addRow(c.chkAbil);
        f->addRow(c.lblName, c.sensor);
        f->addRow(c.lblTC, c.rate);
        if (n.chann) {
            c.lblChannel = new QLabel(channels);
            c.chann = new QComboBox(channels);
            named(c.chann, n.chann);
            c.chann->setMinimumContentsLength(6);
            f->addRow(c.lblChannel, c.chann);
        }
        channelsGrid->addWidget(c.frame, slot / 3, slot % 3, Qt::AlignTop);
        connect(c.chkAbil, &QCheckBox::toggled, this, [this, slot] { applyRule(slot); });
    }

    buildPageButtons();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fraStrumento_);
    bottom->addStretch();
    bottom->addWidget(OKButton_, 0, Qt::AlignBottom);
    bottom->addWidget(CancelButton_, 0, Qt::AlignBottom);
    auto* top = new QVBoxLayout(this);
    top->addWidget(SSTab1_);
    top->addLayout(bottom);
    top->setSizeConstraint(QLayout::SetFixedSize);

    auto rule = [](SensorsBox b) { return [b](const QString& t) { return checkSensorsBox(b, t); }; };
    checker_->add(txtNumAccRPM_, rule(SensorsBox::NumAccRPM));
    checker_->add(txtImpulsiRuota_, rule(SensorsBox::ImpulsiRuota));
    checker_->add(txtDiametroRuota_, rule(SensorsBox::DiametroRuota));
}

void frmSensori::setCaptions()
{
    setWindowTitle(languageText(49));
    SSTab1_->setTabText(0, languageText(51));
    SSTab1_->setTabText(1, languageText(52));
    SSTab1_->setCurrentIndex(0);
    fraRPM_->setTitle(languageText(53));
    fraAlternatore_->setTitle(languageText(54));
    fraPompaOlio_->setTitle(languageText(55));
    lblNumAcc_->setText(languageText(56));
    lblTCRPM_->setText(languageText(57));
    lblLAPO_->setText(languageText(58));
    lblLAAL_->setText(languageText(58));
    fraVelocitaVettura_->setTitle(languageText(59));
    lblNumImpulsi_->setText(languageText(65));
    lblDiametroRuota_->setText(languageText(66));
    lblTCVV_->setText(languageText(57));
    channels_[0].frame->setTitle(languageText(61));
    channels_[1].frame->setTitle(languageText(62));
    channels_[2].frame->setTitle(languageText(64));
    channels_[3].frame->setTitle(languageText(63));
    channels_[4].frame->setTitle(languageText(60));
    channels_[5].frame->setTitle(languageText(70));
    channels_[6].frame->setTitle(languageText(290));
    channels_[7].frame->setTitle(languageText(231));
    channels_[8].frame->setTitle(languageText(69));
    for (Channel& c : channels_) {
        c.lblName->setText(languageText(67));
        c.lblTC->setText(languageText(57));
        c.chkAbil->setText(languageText(68));
        if (c.lblChannel)
            c.lblChannel->setText(languageText(303));
    }
    setPageButtonCaptions();
}

void frmSensori::RiempiSensori()
{
    for (int slot = 0; slot < 9; ++slot) {
        Channel& c = channels_[slot];
        const QString type = QLatin1String(channelFromSlot(slot).type);
        c.sensor->clear();
        for (const CSensore& s : LibreriaSensori)
            if (s.Tipo() == type)
                c.sensor->addItem(s.Nome());
        if (c.chann)
            for (int k = 0; k < 2; ++k)
                c.chann->addItem(NomiIngressiAnalogici[k]);
    }
}

void frmSensori::CaricaDati()
{
    recordToView(DatiProgetto, *this);
    loadInstrumentState();
}

void frmSensori::applyRule(int slot)
{
    // The sampling rate follows its channel too, so that a channel ticked
    // here can be given one.
    Channel& c = channels_[slot];
    const bool on = c.chkAbil->checkState() != Qt::Unchecked;
    setLook(c.sensor, on);
    setLook(c.rate, on);
    if (c.chann)
        setLook(c.chann, on);
}

bool frmSensori::ControllaSensori(bool needLibrary)
{
    const int slot = firstMissingSensor(channelEntries(*this), needLibrary);
    if (slot < 0)
        return true;
    msgBox(this, missingSensorText(slot), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
    return false;
}

bool frmSensori::ControllaCanali()
{
    if (!inputsClash(channelEntries(*this)))
        return true;
    msgBox(this, languageText(305), MsgIcon::Exclamation, MsgButtons::Ok, windowTitle());
    return false;
}

bool frmSensori::checksPass(bool send)
{
    // Nothing goes out unless every enabled channel has a library sensor.
    return checker_->checkAll() && ControllaSensori(send) && ControllaCanali();
}

void frmSensori::storeRecord() { viewToRecord(*this, DatiProgetto); }

PageExchangeEnd frmSensori::runExchange(bool send) { return exchangeSensorsPage(send, *this, *this); }

// --- the view the sensors page codec reads and writes -----------------------

QLineEdit* frmSensori::box(SensorsText t) const
{
    switch (t) {
    case SensorsText::txtNumAccRPM: return txtNumAccRPM_;
    case SensorsText::txtImpulsiRuota: return txtImpulsiRuota_;
    case SensorsText::txtDiametroRuota: return txtDiametroRuota_;
    }
    return txtNumAccRPM_;
}

QComboBox* frmSensori::combo(SensorsCombo c) const
{
    if (c == SensorsCombo::cboLAPO)
        return cboLAPO_;
    if (c == SensorsCombo::cboLAAL)
        return cboLAAL_;
    for (int slot = 0; slot < kNumChannels; ++slot)
        if (channelInput(slot) == c)
            return channels_[std::size_t(slot)].chann;
    return cboLAPO_;
}

int frmSensori::slotOf(SensorsCheck c) const
{
    for (int slot = 0; slot < kNumChannels; ++slot)
        if (channelCheck(slot) == c)
            return slot;
    return 0;
}

QString frmSensori::text(SensorsText t) const { return box(t)->text(); }
void frmSensori::setText(SensorsText t, const QString& text) { box(t)->setText(text); }
int frmSensori::listIndex(SensorsCombo c) const { return combo(c)->currentIndex(); }
int frmSensori::listCount(SensorsCombo c) const { return combo(c)->count(); }
void frmSensori::setListIndex(SensorsCombo c, int index) { selectOrNone(combo(c), index); }

Qt::CheckState frmSensori::check(SensorsCheck c) const
{
    return channels_[static_cast<std::size_t>(slotOf(c))].chkAbil->checkState();
}

void frmSensori::setCheck(SensorsCheck c, Qt::CheckState state)
{
    const int slot = slotOf(c);
    channels_[static_cast<std::size_t>(slot)].chkAbil->setCheckState(state);
    applyRule(slot);
}

QString frmSensori::sensorText(int slot) const { return channels_.at(std::size_t(slot)).sensor->currentText(); }

void frmSensori::setSensorText(int slot, const QString& text)
{
    setComboText(channels_.at(std::size_t(slot)).sensor, text);
}

QComboBox* frmSensori::sampling(int which) const
{
    if (which == kSamplingRPM)
        return cboTCampRPM_;
    if (which == kSamplingVV)
        return cboTCampVV_;
    return channels_.at(std::size_t(which)).rate;
}

QString frmSensori::samplingText(int which) const { return sampling(which)->currentText(); }
void frmSensori::setSamplingText(int which, const QString& text) { setComboText(sampling(which), text); }

} // namespace zuv
