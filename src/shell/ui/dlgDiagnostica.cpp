#include "shell/ui/dlgDiagnostica.h"

#include "project/name_tables.h"
#include "project/state.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace zuv {
namespace {

const QColor kAlarmRed(255, 0, 0);

// The rows of the value column, in the order they are shown; box 1 is
// never filled by the instrument and is not shown.
constexpr int kRows[] = {0, 2, 3, 4, 5, 6, 11, 7, 9, 10, 12, 13, 14, 16, 8, 15};

void setFill(QFrame* lamp, const QColor& colour)
{
    QPalette p = lamp->palette();
    p.setColor(QPalette::Window, colour);
    lamp->setPalette(p);
}

QColor inactiveColour() { return QPalette().color(QPalette::Disabled, QPalette::Window); }

QLineEdit* valueBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(80);
    return box;
}

// Wide enough for `widest` whole: the frame, the box's own margins and the
// cursor come on top of the text.
void fitText(QLineEdit* box, const QString& widest)
{
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QMargins m = box->textMargins();
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widest) + 2 * frame + m.left() + m.right() + 8);
}

// The free memory keeps all its digits: 15 significant ones with a sign, or
// an exponent when the memory is all but full.
const QString kWidestMemory = QStringLiteral("-8.88888888888888E-88");

} // namespace

dlgDiagnostica::dlgDiagnostica(QWidget* parent) : QDialog(parent), timer_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Diagnostica"));
    setModal(true);

    auto* values = new QGridLayout;
    int row = 0;
    for (int i : kRows) {
        lblNomeCampo[i] = new QLabel(this);
        txtValoreCampo[i] = valueBox(this);
        lblUM[i] = new QLabel(this);
        values->addWidget(lblNomeCampo[i], row, 0);
        values->addWidget(txtValoreCampo[i], row, 1);
        values->addWidget(lblUM[i], row, 2);
        ++row;
    }
    lblNomeCampo[1] = new QLabel(this);
    lblNomeCampo[1]->hide();
    txtValoreCampo[1] = valueBox(this);
    txtValoreCampo[1]->hide();
    lblUM[1] = new QLabel(this);
    lblUM[1]->hide();
    fitText(txtValoreCampo[15], kWidestMemory);
    lblUM[0]->setText(QStringLiteral("RPM"));
    lblUM[9]->setText(QStringLiteral("Volt"));
    lblUM[12]->setText(QStringLiteral("%"));
    lblUM[13]->setText(QStringLiteral("G"));
    lblUM[14]->setText(QStringLiteral("A/F"));
    lblUM[15]->setText(QStringLiteral("%"));
    lblUM[16]->setText(QStringLiteral("Lambda"));

    auto* alarms = new QGridLayout;
    for (int k = 0; k < kNumAlarms; ++k) {
        shpAllarme[k] = new QFrame(this);
        shpAllarme[k]->setFixedSize(18, 18);
        shpAllarme[k]->setFrameShape(QFrame::Box);
        shpAllarme[k]->setAutoFillBackground(true);
        setFill(shpAllarme[k], inactiveColour());
        lblNomeAllarme[k] = new QLabel(this);
        alarms->addWidget(shpAllarme[k], k, 0);
        alarms->addWidget(lblNomeAllarme[k], k, 1);
    }
    alarms->setRowStretch(kNumAlarms, 1);

    fraIngressiAnalogici = new QGroupBox(this);
    auto* analog = new QGridLayout(fraIngressiAnalogici);
    for (int k = 0; k < kNumAnalogInputs; ++k) {
        txtValoreAnalogico[k] = valueBox(this);
        analog->addWidget(new QLabel(QString::number(k), this), k, 0);
        analog->addWidget(txtValoreAnalogico[k], k, 1);
        analog->addWidget(new QLabel(QStringLiteral("bit"), this), k, 2);
    }
    analog->addWidget(new QLabel(QStringLiteral("AN1 AUX"), this), 6, 3);
    analog->addWidget(new QLabel(QStringLiteral("AN2 AUX"), this), 7, 3);

    auto* right = new QVBoxLayout;
    right->addLayout(alarms);
    right->addWidget(fraIngressiAnalogici);
    right->addStretch(1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(values);
    top->addSpacing(16);
    top->addLayout(right);

    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &dlgDiagnostica::doStep);
}

dlgDiagnostica::~dlgDiagnostica()
{
    // Destroyed while still shown (its parent went first): nothing may keep
    // pointing at it.
    if (run_)
        finishRun();
    if (diagnosticsView() == this)
        setDiagnosticsView(nullptr);
}

void dlgDiagnostica::finishRun()
{
    setDiagnosticsView(nullptr);
    run_.reset();
}

void dlgDiagnostica::setTexts()
{
    fraIngressiAnalogici->setTitle(languageText(300));
    const std::pair<int, int> names[] = {{0, 284}, {2, 112}, {3, 61},  {4, 63},  {5, 62},
                                        {6, 286}, {7, 287}, {8, 288}, {9, 97},  {10, 70},
                                        {11, 231}, {12, 289}, {13, 69}, {14, 290}, {15, 291}};
    for (const auto& [i, n] : names)
        lblNomeCampo[i]->setText(languageText(n));
    lblUM[2]->setText(nameInTable(NomiUMVelocita, DatiProgetto.UMVel));
    lblUM[3]->setText(nameInTable(NomiUMTemperatura, DatiProgetto.UMTemp));
    lblUM[4]->setText(lblUM[3]->text());
    lblUM[5]->setText(nameInTable(NomiUMPressione, DatiProgetto.UMPress));
    lblUM[6]->setText(lblUM[5]->text());
    lblUM[11]->setText(lblUM[5]->text());
    for (int k = 0; k < kNumAlarms; ++k)
        lblNomeAllarme[k]->setText(languageText(274 + k));
}

void dlgDiagnostica::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setTexts();
    if (!run_)
        run_ = std::make_unique<DiagnosticsRun>();
    setDiagnosticsView(this);
    timer_->start();
}

void dlgDiagnostica::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QDialog::hideEvent(event);
    // A pass under way finishes first; it ends the run when it sees the
    // dialog hidden.
    if (!inPass_ && run_)
        finishRun();
}

void dlgDiagnostica::doStep()
{
    if (inPass_ || !run_)
        return;
    inPass_ = true;
    run_->step();
    ++steps_;
    inPass_ = false;
    if (!isVisible())
        finishRun();
}

void dlgDiagnostica::setAnalogValue(int k, const QString& text)
{
    if (k >= 0 && k < kNumAnalogInputs)
        txtValoreAnalogico[k]->setText(text);
}

void dlgDiagnostica::setFieldValue(int i, const QString& text)
{
    if (i >= 0 && i < kNumFields)
        txtValoreCampo[i]->setText(text);
}

void dlgDiagnostica::setAlarm(int k, bool on)
{
    if (k < 0 || k >= kNumAlarms)
        return;
    alarms_[k] = on;
    setFill(shpAllarme[k], on ? kAlarmRed : inactiveColour());
}

QString dlgDiagnostica::fieldValue(int i) const { return txtValoreCampo.at(i)->text(); }
QString dlgDiagnostica::analogValue(int k) const { return txtValoreAnalogico.at(k)->text(); }
bool dlgDiagnostica::alarm(int k) const { return alarms_.at(k); }
QString dlgDiagnostica::fieldName(int i) const { return lblNomeCampo.at(i)->text(); }
QString dlgDiagnostica::fieldUnit(int i) const { return lblUM.at(i)->text(); }
QString dlgDiagnostica::alarmName(int k) const { return lblNomeAllarme.at(k)->text(); }

} // namespace zuv
