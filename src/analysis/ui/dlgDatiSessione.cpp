#include "analysis/ui/dlgDatiSessione.h"

#include "analysis/analysis_interface.h"
#include "analysis/ui/session_map.h"
#include "platform/messages.h"
#include "platform/ui/text_box.h"
#include "project/language.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace zuv {
namespace {

constexpr int kMapWidthTwips = 6144;
constexpr int kMapHeightTwips = 3072;
constexpr int kSectorColumns = 5;
// What a sector box takes from the keyboard.
constexpr int kTypedSectorChars = 4;

void setTextIfChanged(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

// Typing stops at four characters, but a text put into a sector box is
// never cut: the limit widens to hold it, and narrows again as the user
// shortens it.
void fitSectorLimit(QLineEdit* box, qsizetype length)
{
    const int limit = int(std::max<qsizetype>(kTypedSectorChars, length));
    if (box->maxLength() == limit)
        return;
    const int cursor = box->cursorPosition();
    box->setMaxLength(limit);
    box->setCursorPosition(cursor);
}

void setSectorText(QLineEdit* box, const QString& text)
{
    if (box->text() == text)
        return;
    fitSectorLimit(box, text.size());
    box->setText(text);
}

// A text of the list also makes its entry current, so the arrow keys step
// on from it.
void setTextIfChanged(QComboBox* box, const QString& text)
{
    const int listed = box->findText(text);
    if (box->currentIndex() != listed)
        box->setCurrentIndex(listed);
    if (box->currentText() != text)
        box->setEditText(text);
}

QPlainTextEdit* multiLine(QWidget* parent, const char* name)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setMinimumHeight(80);
    return box;
}

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

} // namespace

dlgDatiSessione::dlgDatiSessione(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgDatiSessione"));
    setModal(true);

    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto line = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };

    // The session.
    fraSessione = new QGroupBox(this);
    fraSessione->setObjectName(QStringLiteral("fraSessione"));
    auto* form = new QFormLayout(fraSessione);
    auto row = [form](QLabel* l, QWidget* box) {
        l->setBuddy(box);
        form->addRow(l, box);
    };
    txtSessione = line("txtSessione");
    txtDataSessione = line("txtDataSessione");
    txtOraSessione = line("txtOraSessione");
    txtVeicolo = line("txtVeicolo");
    txtPiloti = multiLine(this, "txtPiloti");
    txtNote = multiLine(this, "txtNote");
    row(lblSessione = label("lblSessione"), txtSessione);
    row(lblData = label("lblData"), txtDataSessione);
    row(lblOra = label("lblOra"), txtOraSessione);
    row(lblVeicolo = label("lblVeicolo"), txtVeicolo);
    row(lblPiloti = label("lblPiloti"), txtPiloti);
    row(lblNote = label("lblNote"), txtNote);
    txtSessione->setMinimumWidth(200);
    lblPiloti->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The circuit, its length, its sectors and its map.
    fraCircuito = new QGroupBox(this);
    fraCircuito->setObjectName(QStringLiteral("fraCircuito"));
    auto* circuit = new QGridLayout(fraCircuito);
    cboCircuito = new QComboBox(this);
    cboCircuito->setObjectName(QStringLiteral("cboCircuito"));
    cboCircuito->setEditable(true);
    cboCircuito->setInsertPolicy(QComboBox::NoInsert);
    // A name is typed as it is, not completed from the list.
    cboCircuito->setCompleter(nullptr);
    txtLunghezzaTracciato = line("txtLunghezzaTracciato");
    cboNumSettori = new QComboBox(this);
    cboNumSettori->setObjectName(QStringLiteral("cboNumSettori"));
    cboNumSettori->setEditable(true);
    cboNumSettori->setInsertPolicy(QComboBox::NoInsert);
    cboNumSettori->setCompleter(nullptr);
    for (int n = 1; n <= kSectorBoxes; ++n)
        cboNumSettori->addItem(QString::number(n));
    cboNumSettori->setCurrentIndex(-1);

    lblCircuito = label("lblCircuito");
    lblLunghTracciato = label("lblLunghTracciato");
    lblMetri = label("lblMetri");
    lblNSettori = label("lblNSettori");
    lblSettori = label("lblSettori");
    lblCircuito->setBuddy(cboCircuito);
    lblLunghTracciato->setBuddy(txtLunghezzaTracciato);
    lblNSettori->setBuddy(cboNumSettori);
    circuit->addWidget(lblCircuito, 0, 0);
    circuit->addWidget(cboCircuito, 0, 1, 1, 2);
    circuit->addWidget(lblLunghTracciato, 1, 0);
    circuit->addWidget(txtLunghezzaTracciato, 1, 1);
    circuit->addWidget(lblMetri, 1, 2);
    circuit->addWidget(lblNSettori, 2, 0);
    circuit->addWidget(cboNumSettori, 2, 1);
    circuit->addWidget(lblSettori, 3, 0, 1, 3);

    auto* sectors = new QGridLayout;
    for (int k = 0; k < kSectorBoxes; ++k) {
        lblNumSetc[k] = new QLabel(QString::number(k + 1) + QLatin1Char('.'), this);
        lblNumSetc[k]->setObjectName(QStringLiteral("lblNumSetc%1").arg(k));
        txtX[k] = new QLineEdit(this);
        txtX[k]->setObjectName(QStringLiteral("txtX%1").arg(k));
        txtX[k]->setMaxLength(kTypedSectorChars);
        connect(txtX[k], &QLineEdit::textEdited, this,
                [box = txtX[k]](const QString& text) { fitSectorLimit(box, text.size()); });
        txtX[k]->setFixedWidth(txtX[k]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        txtX[k]->installEventFilter(this);
        lblNumSetc[k]->setBuddy(txtX[k]);
        const int r = k / kSectorColumns;
        const int c = (k % kSectorColumns) * 2;
        sectors->addWidget(lblNumSetc[k], r, c, Qt::AlignRight);
        sectors->addWidget(txtX[k], r, c + 1);
    }
    // The boxes keep to the left however many are shown.
    sectors->setColumnStretch(kSectorColumns * 2, 1);
    circuit->addLayout(sectors, 4, 0, 1, 3);
    Picture1 = new SessionMap(kMapWidthTwips, kMapHeightTwips, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    circuit->addWidget(Picture1, 5, 0, 1, 3);
    circuit->setRowStretch(6, 1);

    txtLunghezzaTracciato->installEventFilter(this);
    // An editable combo keeps the focus and its keys itself.
    cboCircuito->installEventFilter(this);
    cboNumSettori->installEventFilter(this);
    // Picked from the list (the list itself or the arrow keys). A text
    // typed is no choice, even one of the list confirmed with Enter or by
    // leaving the box, which the editable combo would report as a pick: a
    // typed circuit loads nothing, a typed number of sectors splits nothing
    // until the track length changes.
    onPicked(cboCircuito, &SessionDialogState::cboCircuito, cboCircuito_Click);
    onPicked(cboNumSettori, &SessionDialogState::cboNumSettori, cboNumSettori_Click);

    // Enter belongs to the boxes, so no button is the default one (a
    // button box would make OK so).
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {OKButton, CancelButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(OKButton, &QPushButton::clicked, this, &dlgDatiSessione::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &dlgDatiSessione::CancelButton_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(fraSessione, 1);
    top->addWidget(fraCircuito);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    cboCircuito->addItems(CaricaListaCircuiti());
    cboCircuito->setCurrentIndex(-1);
    d_ = MostraDatiSessione();
    showState();
    Form_Activate();
}

dlgDatiSessione::~dlgDatiSessione()
{
    closing_ = true;
    cboCircuito->disconnect(this);
    cboNumSettori->disconnect(this);
}

void dlgDatiSessione::Form_Activate()
{
    computeLanguageOffset();
    fraSessione->setTitle(languageText(117));
    lblSessione->setText(languageText(194));
    lblData->setText(languageText(118));
    lblOra->setText(languageText(119));
    lblCircuito->setText(languageText(120));
    lblLunghTracciato->setText(languageText(121));
    lblMetri->setText(languageText(122));
    lblVeicolo->setText(languageText(123));
    lblPiloti->setText(languageText(124));
    lblNote->setText(languageText(125));
    lblSettori->setText(languageText(321));
    lblNSettori->setText(languageText(324));
    fraCircuito->setTitle(languageText(120));
    CancelButton->setText(languageText(35));
    d_.cboCircuito = cboCircuito->currentText();
    d_.title = sessionDialogTitle(d_);
    setWindowTitle(d_.title);
}

template <typename F>
void dlgDatiSessione::handle(F&& step)
{
    readControls();
    step();
    showState();
}

void dlgDatiSessione::readControls()
{
    d_.txtSessione = txtSessione->text();
    d_.txtDataSessione = txtDataSessione->text();
    d_.txtOraSessione = txtOraSessione->text();
    d_.txtVeicolo = txtVeicolo->text();
    d_.txtPiloti = multiLineText(*txtPiloti);
    d_.txtNote = multiLineText(*txtNote);
    d_.cboCircuito = cboCircuito->currentText();
    d_.txtLunghezzaTracciato = txtLunghezzaTracciato->text();
    d_.cboNumSettori = cboNumSettori->currentText();
    for (int k = 0; k < kSectorBoxes; ++k)
        d_.txtX[k].text = txtX[k]->text();
}

void dlgDatiSessione::showState()
{
    filling_ = true;
    setTextIfChanged(txtSessione, d_.txtSessione);
    setTextIfChanged(txtDataSessione, d_.txtDataSessione);
    setTextIfChanged(txtOraSessione, d_.txtOraSessione);
    setTextIfChanged(txtVeicolo, d_.txtVeicolo);
    setMultiLineText(*txtPiloti, d_.txtPiloti);
    setMultiLineText(*txtNote, d_.txtNote);
    setTextIfChanged(cboCircuito, d_.cboCircuito);
    setTextIfChanged(txtLunghezzaTracciato, d_.txtLunghezzaTracciato);
    setTextIfChanged(cboNumSettori, d_.cboNumSettori);
    for (int k = 0; k < kSectorBoxes; ++k) {
        const SectorBox& box = d_.txtX[k];
        setSectorText(txtX[k], box.text);
        txtX[k]->setEnabled(box.enabled);
        txtX[k]->setVisible(box.visible);
        lblNumSetc[k]->setVisible(box.visible);
    }
    Picture1->setDrawing(d_.drawing);
    setWindowTitle(d_.title);
    filling_ = false;
}

void dlgDatiSessione::onPicked(QComboBox* box, QString SessionDialogState::*text,
                               void (*click)(SessionDialogState&))
{
    connect(box, &QComboBox::activated, this, [this, box, text, click](int index) {
        if (index < 0 || closing_ || confirmingTyped_)
            return;
        handle([&] {
            d_.*text = box->itemText(index);
            click(d_);
        });
    });
}

bool dlgDatiSessione::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == cboCircuito || watched == cboNumSettori) {
        if (type == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event)))
            return true;
        if (type == QEvent::FocusOut) {
            // The combo confirms its text as it loses the focus; what it
            // reports then is no pick.
            const QScopedValueRollback<bool> typed(confirmingTyped_, true);
            watched->event(event);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (filling_ || closing_ || (type != QEvent::KeyPress && type != QEvent::FocusOut))
        return QDialog::eventFilter(watched, event);

    bool enter = false;
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        enter = isEnter(key);
        if (!enter) {
            const QString typed = key->text();
            for (int k = 0; k < kSectorBoxes; ++k)
                if (watched == txtX[k] && typed.size() == 1 && !txtX_KeyPress(d_, k, typed.front()))
                    return true;
            return QDialog::eventFilter(watched, event);
        }
    } else {
        // Another window coming up (a message, the combo's list) is not
        // leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QDialog::eventFilter(watched, event);
    }

    if (watched == txtLunghezzaTracciato) {
        handle([this] { txtLunghezzaTracciato_LostFocus(d_); });
        return enter;
    }
    for (int k = 0; k < kSectorBoxes; ++k) {
        if (watched == txtX[k]) {
            handle([this, k] { txtX_LostFocus(d_, k); });
            return enter;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void dlgDatiSessione::OKButton_Click()
{
    readControls();
    const SessionOk outcome = zuv::OKButton_Click(d_);
    if (!outcome.accepted) {
        msgBox(this, outcome.message, MsgIcon::None, MsgButtons::Ok);
        return;
    }
    if (AnalysisInterface* window = currentAnalysis())
        window->SalvaDatiSessione();
    accept();
}

void dlgDatiSessione::CancelButton_Click() { reject(); }

void dlgDatiSessione::showEvent(QShowEvent* event)
{
    closing_ = false;
    QDialog::showEvent(event);
}

void dlgDatiSessione::done(int result)
{
    closing_ = true;
    QDialog::done(result);
}

bool dlgDatiSessione::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

bool openSessionDialog(QWidget* parent)
{
    dlgDatiSessione dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zuv
