#include "config/ui/frmAllarmi.h"

#include "config/checks.h"
#include "config/ui/editor_widgets.h"
#include "link/page_alarms.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zuv {
namespace {

// The five shift lights, green to red.
QPixmap shiftLightPicture()
{
    constexpr int kStep = 22;
    QPixmap pm(kStep * 5, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[5] = {QColor(0x30, 0xC0, 0x30), QColor(0x30, 0xC0, 0x30), QColor(0xF0, 0xC0, 0x20),
                               QColor(0xF0, 0x80, 0x20), QColor(0xE0, 0x20, 0x20)};
    for (int i = 0; i < 5; ++i) {
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.setBrush(colours[i]);
        p.drawEllipse(QPointF(kStep * i + kStep / 2.0, 10), 8, 8);
    }
    return pm;
}

} // namespace

frmAllarmi::frmAllarmi(QWidget* parent) : PageDialog(parent, "frmAllarmi")
{
    buildLayout();
    // Form_Load, then the captions of Form_Activate.
    registerPage(this);
    RiempiCombo();
    CaricaDati();
    setCaptions();
}

void frmAllarmi::buildLayout()
{
    // Alarms: check box, threshold and unit on each row.
    fraAllarmi_ = new QGroupBox(this);
    named(fraAllarmi_, "fraAllarmi");
    // In the order of alarmThresholds().
    static constexpr const char* measures[kNumThresholds] = {"TO", "PO", "PB", "TA", "LB", "TB"};
    auto* alarms = new QGridLayout(fraAllarmi_);
    for (int i = 0; i < kNumThresholds; ++i) {
        chkAlarm_[i] = new QCheckBox(this);
        named(chkAlarm_[i], QByteArray("chk").append(measures[i]).constData());
        txtAlarm_[i] = numberBox(QByteArray("txt").append(measures[i]).constData(), 7, 16, this);
        alarms->addWidget(chkAlarm_[i], i, 0);
        alarms->addWidget(txtAlarm_[i], i, 1);
    }
    for (int k = 0; k < 2; ++k) {
        lblTemp_[k] = new QLabel(this);
        lblPress_[k] = new QLabel(this);
        named(lblTemp_[k], k == 0 ? "lblTemp0" : "lblTemp1");
        named(lblPress_[k], k == 0 ? "lblPress0" : "lblPress1");
    }
    lblTB_ = new QLabel(QStringLiteral("V"), this);
    named(lblTB_, "lblTB");
    alarms->addWidget(lblTemp_[0], 0, 2);
    alarms->addWidget(lblPress_[0], 1, 2);
    alarms->addWidget(lblPress_[1], 2, 2);
    alarms->addWidget(lblTemp_[1], 3, 2);
    alarms->addWidget(lblTB_, 5, 2);
    alarms->setColumnStretch(0, 1);
    alarms->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("bar ")));

    // Shift lights.
    fraShiftLight_ = new QGroupBox(this);
    named(fraShiftLight_, "fraShiftLight");
    Image1_ = new QLabel(this);
    named(Image1_, "Image1");
    Image1_->setPixmap(shiftLightPicture());
    Label12_ = new QLabel(QStringLiteral("1 2 3 4 5"), this);
    named(Label12_, "Label12");
    auto* lights = new QGridLayout(fraShiftLight_);
    lights->addWidget(Image1_, 0, 0, 1, 2, Qt::AlignHCenter);
    lights->addWidget(Label12_, 1, 0, 1, 2, Qt::AlignHCenter);
    for (int i = 0; i < 5; ++i) {
        lblLedN_[i] = new QLabel(this);
        const QByteArray lbl = "lblLed" + QByteArray::number(i + 1);
        named(lblLedN_[i], lbl.constData());
        const QByteArray txt = "txtLed" + QByteArray::number(i);
        txtLed_[i] = numberBox(txt.constData(), 6, 16, this);
        limitTyping(txtLed_[i], 5);
        lights->addWidget(lblLedN_[i], i + 2, 0);
        lights->addWidget(txtLed_[i], i + 2, 1);
    }
    lights->setColumnStretch(0, 1);

    // Signal lamps, output and the input that is never shown.
    fraLed_ = new QGroupBox(this);
    named(fraLed_, "fraLed");
    lblLed_ = new QLabel(this);
    named(lblLed_, "lblLed");
    auto newCheck = [&](const char* name) {
        auto* c = new QCheckBox(this);
        named(c, name);
        return c;
    };
    auto newCombo = [&](const char* name, bool editable) {
        auto* c = new QComboBox(this);
        named(c, name);
        c->setEditable(editable);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumContentsLength(16);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setEnabled(false);
        return c;
    };
    chkLedGiallo_ = newCheck("chkLedGiallo");
    cboLedGiallo_ = newCombo("cboLedGiallo", false);
    chkLedVerde_ = newCheck("chkLedVerde");
    cboLedVerde_ = newCombo("cboLedVerde", true);
    chkLedBlu_ = newCheck("chkLedBlu");
    cboLedBlu_ = newCombo("cboLedBlu", true);
    chkUscita_ = newCheck("chkUscita");
    cboUscita_ = newCombo("cboUscita", false);
    chkIngresso_ = newCheck("chkIngresso");
    cboIngresso_ = newCombo("cboIngresso", false);
    chkIngresso_->setEnabled(false);
    chkIngresso_->setVisible(false);
    cboIngresso_->setVisible(false);
    auto* lamps = new QGridLayout(fraLed_);
    lamps->addWidget(lblLed_, 0, 1);
    lamps->addWidget(chkLedGiallo_, 1, 0);
    lamps->addWidget(cboLedGiallo_, 1, 1);
    lamps->addWidget(chkLedVerde_, 2, 0);
    lamps->addWidget(cboLedVerde_, 2, 1);
    lamps->addWidget(chkLedBlu_, 3, 0);
    lamps->addWidget(cboLedBlu_, 3, 1);
    auto* inout = new QGridLayout;
    inout->addWidget(chkUscita_, 0, 0);
    inout->addWidget(cboUscita_, 0, 1);
    inout->addWidget(chkIngresso_, 1, 0);
    inout->addWidget(cboIngresso_, 1, 1);
    inout->setColumnStretch(2, 1);

    buildPageButtons();

    auto* grid = new QGridLayout;
    grid->addWidget(fraAllarmi_, 0, 0);
    grid->addWidget(fraShiftLight_, 0, 1);
    grid->addWidget(fraLed_, 1, 0);
    auto* side = new QVBoxLayout;
    side->addLayout(inout);
    side->addWidget(fraStrumento_);
    side->addStretch();
    grid->addLayout(side, 1, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(okCancelRow());
    top->setSizeConstraint(QLayout::SetFixedSize);

    for (const AlarmThreshold& t : alarmThresholds()) {
        const auto scale = static_cast<ThresholdScale>(t.scale);
        checker_->add(box(t.text), [scale](const QString& text) { return checkThreshold(text, scale); }, true);
        const AlarmsCheck c = t.box;
        connect(checkBox(c), &QCheckBox::toggled, this, [this, c] { applyRule(c); });
    }
    for (QLineEdit* led : txtLed_)
        checker_->add(led, [](const QString& t) { return checkShiftLight(t); });
    connect(chkLedGiallo_, &QCheckBox::toggled, this, [this] { applyRule(AlarmsCheck::chkLedGiallo); });
    connect(chkUscita_, &QCheckBox::toggled, this, [this] { applyRule(AlarmsCheck::chkUscita); });
    connect(chkIngresso_, &QCheckBox::toggled, this, [this] { applyRule(AlarmsCheck::chkIngresso); });
    connect(chkLedVerde_, &QCheckBox::toggled, this, [this] { setLook(cboLedVerde_, chkLedVerde_->isChecked()); });
    connect(chkLedBlu_, &QCheckBox::toggled, this, [this] { setLook(cboLedBlu_, chkLedBlu_->isChecked()); });
}

void frmAllarmi::setCaptions()
{
    computeLanguageOffset();
    setWindowTitle(languageText(79));
    fraShiftLight_->setTitle(languageText(80));
    lblLedN_[0]->setText(languageText(81));
    lblLedN_[1]->setText(languageText(82));
    lblLedN_[2]->setText(languageText(83));
    lblLedN_[3]->setText(languageText(84));
    lblLedN_[4]->setText(languageText(85));
    fraLed_->setTitle(languageText(86));
    chkLedGiallo_->setText(languageText(87));
    chkLedVerde_->setText(languageText(88));
    chkLedBlu_->setText(languageText(89));
    lblLed_->setText(languageText(90));
    fraAllarmi_->setTitle(languageText(91));
    chkAlarm_[0]->setText(languageText(92));
    chkAlarm_[1]->setText(languageText(93));
    chkAlarm_[2]->setText(languageText(94));
    chkAlarm_[3]->setText(languageText(95));
    chkAlarm_[4]->setText(languageText(96));
    chkAlarm_[5]->setText(languageText(97));
    chkIngresso_->setText(languageText(98));
    chkUscita_->setText(languageText(99));
    setPageButtonCaptions();
    // The units of the record, whatever an open configuration page shows.
    for (QLabel* l : lblTemp_)
        l->setText(nameInTable(NomiUMTemperatura, DatiProgetto.UMTemp));
    for (QLabel* l : lblPress_)
        l->setText(nameInTable(NomiUMPressione, DatiProgetto.UMPress));
}

void frmAllarmi::RiempiCombo()
{
    cboIngresso_->clear();
    cboUscita_->clear();
    cboLedGiallo_->clear();
    for (int i = 0; i < usedPositions(NomiTipoIngresso); ++i)
        cboIngresso_->addItem(NomiTipoIngresso[i]);
    for (int i = 0; i < usedPositions(NomiTipoUscita); ++i)
        cboUscita_->addItem(NomiTipoUscita[i]);
    for (int i = 0; i < usedPositions(NomiTipoLedGiallo); ++i)
        cboLedGiallo_->addItem(NomiTipoLedGiallo[i]);
}

void frmAllarmi::CaricaDati()
{
    recordToView(DatiProgetto, *this);
    loadInstrumentState();
}

void frmAllarmi::applyRule(AlarmsCheck c)
{
    const bool on = checkBox(c)->checkState() != Qt::Unchecked;
    switch (c) {
    case AlarmsCheck::chkLedGiallo:
    case AlarmsCheck::chkUscita:
    case AlarmsCheck::chkIngresso: {
        QComboBox* list = c == AlarmsCheck::chkLedGiallo ? cboLedGiallo_
            : c == AlarmsCheck::chkUscita                 ? cboUscita_
                                                          : cboIngresso_;
        setLook(list, on);
        if (!on)
            list->setCurrentIndex(-1);
        break;
    }
    default: setLook(txtAlarm_[static_cast<int>(c)], on); break;
    }
}

PageExchangeEnd frmAllarmi::runExchange(bool send) { return exchangeAlarmsPage(send, *this); }

void frmAllarmi::storeRecord() { viewToRecord(*this, DatiProgetto); }

// --- the view the alarms page codec reads and writes -------------------------

QLineEdit* frmAllarmi::box(AlarmsText t) const
{
    const int i = static_cast<int>(t);
    return i < 6 ? txtAlarm_[i] : txtLed_[qBound(0, i - 6, 4)];
}

QCheckBox* frmAllarmi::checkBox(AlarmsCheck c) const
{
    switch (c) {
    case AlarmsCheck::chkLedGiallo: return chkLedGiallo_;
    case AlarmsCheck::chkUscita: return chkUscita_;
    case AlarmsCheck::chkIngresso: return chkIngresso_;
    default: return chkAlarm_[static_cast<int>(c)];
    }
}

QComboBox* frmAllarmi::combo(AlarmsCombo c) const
{
    switch (c) {
    case AlarmsCombo::cboLedGiallo: return cboLedGiallo_;
    case AlarmsCombo::cboUscita: return cboUscita_;
    case AlarmsCombo::cboIngresso: return cboIngresso_;
    }
    return cboLedGiallo_;
}

QString frmAllarmi::text(AlarmsText t) const { return box(t)->text(); }
void frmAllarmi::setText(AlarmsText t, const QString& text) { box(t)->setText(text); }
Qt::CheckState frmAllarmi::check(AlarmsCheck c) const { return checkBox(c)->checkState(); }

void frmAllarmi::setCheck(AlarmsCheck c, Qt::CheckState state)
{
    checkBox(c)->setCheckState(state);
    applyRule(c);
}

QCheckBox* frmAllarmi::lampBox(Lamp lamp) const { return lamp == Lamp::Verde ? chkLedVerde_ : chkLedBlu_; }

QComboBox* frmAllarmi::lampList(Lamp lamp) const { return lamp == Lamp::Verde ? cboLedVerde_ : cboLedBlu_; }

Qt::CheckState frmAllarmi::lampCheck(Lamp lamp) const { return lampBox(lamp)->checkState(); }

void frmAllarmi::setLampCheck(Lamp lamp, Qt::CheckState state)
{
    lampBox(lamp)->setCheckState(state);
    setLook(lampList(lamp), state != Qt::Unchecked);
}

QString frmAllarmi::lampText(Lamp lamp) const { return lampList(lamp)->currentText(); }
void frmAllarmi::setLampText(Lamp lamp, const QString& text) { lampList(lamp)->setEditText(text); }

int frmAllarmi::listIndex(AlarmsCombo c) const { return combo(c)->currentIndex(); }
int frmAllarmi::listCount(AlarmsCombo c) const { return combo(c)->count(); }
void frmAllarmi::setListIndex(AlarmsCombo c, int index) { selectOrNone(combo(c), index); }

} // namespace zuv
