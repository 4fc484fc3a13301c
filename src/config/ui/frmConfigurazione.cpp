#include "config/ui/frmConfigurazione.h"

#include "config/checks.h"
#include "config/ui/editor_widgets.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
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

// The picture at its two sizes: 4740 x 2370 and 1920 x 960 twips.
constexpr QSize kPictureOn{316, 158};
constexpr QSize kPictureOff{128, 64};

// One width for all, so that the boxes line up.
QLineEdit* limitedBox(const char* name, int typingLimit, QWidget* parent)
{
    QLineEdit* box = numberBox(name, 6, 16, parent);
    limitTyping(box, typingLimit);
    return box;
}

// " 1/ 9": each number with the blank that stands for its sign.
QString pageCounter(int page, int count)
{
    auto str = [](int n) { return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n); };
    return str(page) + QLatin1Char('/') + str(count);
}

bool noCustomPicture(const QString& path) { return path.isEmpty() || path == QLatin1String(" "); }

} // namespace

QPixmap frmConfigurazione::builtInPicture(int page)
{
    // A sketch of the instrument's display showing page p.
    QPixmap pm(kPictureOff);
    pm.fill(QColor(0x10, 0x18, 0x20));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x60, 0xC0, 0xF0));
    p.drawRect(1, 1, pm.width() - 3, pm.height() - 3);
    QFont f = p.font();
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(6, 4, 50, 56), Qt::AlignCenter, QString::number(page));
    // A few gauges, different on each page.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const int len = 10 + ((page * 7 + i * 13) % 50);
        p.setBrush(QColor(0x40 + 0x30 * i, 0xD0 - 0x20 * i, 0x60));
        p.drawRect(60, 10 + i * 12, len, 7);
    }
    return pm;
}

frmConfigurazione::frmConfigurazione(QWidget* parent) : PageDialog(parent, "frmConfigurazione")
{
    buildLayout();
    // Form_Load: registration, lists, record to controls; then the captions.
    registerPage(this);
    RiempiCombo();
    CaricaDati();
    setCaptions();
}

void frmConfigurazione::buildLayout()
{
    auto newCombo = [&](const char* name) {
        auto* c = new QComboBox(this);
        named(c, name);
        c->setMinimumContentsLength(8);
        return c;
    };

    // Language and units.
    lblLinguaDisplay_ = new QLabel(this);
    cboLingua_ = newCombo("cboLingua");
    fraUnitaMisura_ = new QGroupBox(this);
    named(fraUnitaMisura_, "fraUnitaMisura");
    lblUMVelocita_ = new QLabel(this);
    lblUMTemperatura_ = new QLabel(this);
    lblUMPressione_ = new QLabel(this);
    named(lblUMPressione_, "lblUMPressione");
    cboUMVelocita_ = newCombo("cboUMVelocita");
    cboUMTemperatura_ = newCombo("cboUMTemperatura");
    cboUMPressione_ = newCombo("cboUMPressione");
    // The pressure unit is shown, not chosen here.
    cboUMPressione_->setEnabled(false);
    lblUMPressione_->setEnabled(false);
    auto* units = new QFormLayout(fraUnitaMisura_);
    units->addRow(lblUMVelocita_, cboUMVelocita_);
    units->addRow(lblUMTemperatura_, cboUMTemperatura_);
    units->addRow(lblUMPressione_, cboUMPressione_);
    auto* language = new QFormLayout;
    language->addRow(lblLinguaDisplay_, cboLingua_);

    // Display pages.
    fraPagine_ = new QGroupBox(this);
    named(fraPagine_, "fraPagine");
    imgPagina_ = new QLabel(this);
    named(imgPagina_, "imgPagina");
    imgPagina_->setScaledContents(true);
    imgPagina_->setFrameShape(QFrame::Box);
    auto* pictureArea = new QWidget(this);
    pictureArea->setFixedSize(kPictureOn + QSize(4, 4));
    auto* pictureLayout = new QGridLayout(pictureArea);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    pictureLayout->addWidget(imgPagina_, 0, 0, Qt::AlignCenter);
    lblPagina_ = new QLabel(this);
    lblCurrPagina_ = new QLabel(this);
    named(lblCurrPagina_, "lblCurrPagina");
    cmdPrevPage_ = new QPushButton(this);
    named(cmdPrevPage_, "cmdPrevPage");
    cmdNextPage_ = new QPushButton(this);
    named(cmdNextPage_, "cmdNextPage");
    chkAbilitaPagina_ = new QCheckBox(this);
    named(chkAbilitaPagina_, "chkAbilitaPagina");
    txtFilePagina_ = new QLineEdit(this);
    named(txtFilePagina_, "txtFilePagina");
    txtFilePagina_->setReadOnly(true);
    cmdScegliImmagine_ = new QPushButton(QStringLiteral("..."), this);
    named(cmdScegliImmagine_, "cmdScegliImmagine");
    cmdScegliImmagine_->setFixedWidth(cmdScegliImmagine_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);

    auto* counter = new QHBoxLayout;
    counter->addWidget(lblPagina_);
    counter->addWidget(lblCurrPagina_);
    counter->addStretch();
    auto* browse = new QHBoxLayout;
    browse->addWidget(cmdPrevPage_);
    browse->addWidget(cmdNextPage_);
    auto* pageSide = new QVBoxLayout;
    pageSide->addLayout(counter);
    pageSide->addLayout(browse);
    pageSide->addWidget(chkAbilitaPagina_);
    pageSide->addStretch();
    auto* file = new QHBoxLayout;
    file->addWidget(txtFilePagina_);
    file->addWidget(cmdScegliImmagine_);
    auto* pages = new QGridLayout(fraPagine_);
    pages->addWidget(pictureArea, 0, 0);
    pages->addLayout(pageSide, 0, 1);
    pages->addLayout(file, 1, 0, 1, 2);
    pages->setColumnStretch(1, 1);

    // Recording.
    fraRegistrazione_ = new QGroupBox(this);
    named(fraRegistrazione_, "fraRegistrazione");
    chkAbilRecLAP_ = new QCheckBox(this);
    named(chkAbilRecLAP_, "chkAbilRecLAP");
    lblAbilRecVel_ = new QLabel(this);
    lblAbilStopRec_ = new QLabel(this);
    txtAbilRecVel_ = limitedBox("txtAbilRecVel", configTypingLimit(ConfigBox::AbilRecVel), this);
    txtStopRecSecondi_ = limitedBox("txtStopRecSecondi", configTypingLimit(ConfigBox::StopRecSecondi), this);
    auto* rec = new QFormLayout(fraRegistrazione_);
    rec->addRow(chkAbilRecLAP_);
    rec->addRow(lblAbilRecVel_, txtAbilRecVel_);
    rec->addRow(lblAbilStopRec_, txtStopRecSecondi_);

    // Lap timer.
    fraCronometro_ = new QGroupBox(this);
    named(fraCronometro_, "fraCronometro");
    lblTempoMsgGiro_ = new QLabel(this);
    lblTempoVisGiro_ = new QLabel(this);
    txtTempoMsgGiro_ = limitedBox("txtTempoMsgGiro", configTypingLimit(ConfigBox::TempoMsgGiro), this);
    txtTempoVisGiro_ = limitedBox("txtTempoVisGiro", configTypingLimit(ConfigBox::TempoVisGiro), this);
    auto* lap = new QFormLayout(fraCronometro_);
    lap->addRow(lblTempoMsgGiro_, txtTempoMsgGiro_);
    lap->addRow(lblTempoVisGiro_, txtTempoVisGiro_);
    for (int i = 0; i < 5; ++i) {
        lblSettoreCrono_[i] = new QLabel(this);
        const QByteArray name = "txtSettoreCrono" + QByteArray::number(i);
        txtSettoreCrono_[i] = limitedBox(name.constData(), configTypingLimit(ConfigBox::SettoreCrono), this);
        lap->addRow(lblSettoreCrono_[i], txtSettoreCrono_[i]);
    }
    for (QFormLayout* f : {rec, lap, units, language})
        f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

    // Instrument and the window's buttons.
    buildPageButtons();

    auto* left = new QVBoxLayout;
    left->addLayout(language);
    left->addWidget(fraUnitaMisura_);
    left->addWidget(fraPagine_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(fraRegistrazione_);
    right->addWidget(fraCronometro_);
    right->addWidget(fraStrumento_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(okCancelRow());
    top->setSizeConstraint(QLayout::SetFixedSize);

    auto rule = [](ConfigBox b) { return [b](const QString& t) { return checkConfigBox(b, t); }; };
    checker_->add(txtAbilRecVel_, rule(ConfigBox::AbilRecVel));
    checker_->add(txtStopRecSecondi_, rule(ConfigBox::StopRecSecondi));
    checker_->add(txtTempoMsgGiro_, rule(ConfigBox::TempoMsgGiro));
    checker_->add(txtTempoVisGiro_, rule(ConfigBox::TempoVisGiro));
    for (QLineEdit* s : txtSettoreCrono_)
        checker_->add(s, rule(ConfigBox::SettoreCrono));

    connect(cmdNextPage_, &QPushButton::clicked, this, [this] { cmdNextPage_Click(); });
    connect(cmdPrevPage_, &QPushButton::clicked, this, [this] { cmdPrevPage_Click(); });
    connect(chkAbilitaPagina_, &QCheckBox::toggled, this, [this] { chkAbilitaPagina_Click(); });
    connect(cmdScegliImmagine_, &QPushButton::clicked, this, [this] { cmdScegliImmagine_Click(); });
}

void frmConfigurazione::setCaptions()
{
    computeLanguageOffset();
    setWindowTitle(languageText(24));
    lblLinguaDisplay_->setText(languageText(25));
    fraUnitaMisura_->setTitle(languageText(26));
    lblUMVelocita_->setText(languageText(27));
    lblUMPressione_->setText(languageText(28));
    lblUMTemperatura_->setText(languageText(29));
    fraPagine_->setTitle(languageText(30));
    chkAbilitaPagina_->setText(languageText(31));
    lblPagina_->setText(languageText(32));
    cmdPrevPage_->setText(languageText(33));
    cmdNextPage_->setText(languageText(34));
    setPageButtonCaptions();
    chkAbilRecLAP_->setText(languageText(264));
    lblAbilRecVel_->setText(languageText(265));
    lblAbilStopRec_->setText(languageText(266));
    fraRegistrazione_->setTitle(languageText(267));
    fraCronometro_->setTitle(languageText(283));
    lblTempoMsgGiro_->setText(languageText(293));
    lblTempoVisGiro_->setText(languageText(294));
    lblSettoreCrono_[0]->setText(languageText(295));
    lblSettoreCrono_[1]->setText(languageText(296));
    lblSettoreCrono_[2]->setText(languageText(297));
    lblSettoreCrono_[3]->setText(languageText(298));
    lblSettoreCrono_[4]->setText(languageText(299));
}

void frmConfigurazione::RiempiCombo()
{
    for (int i = 0; i < 2; ++i) {
        cboLingua_->addItem(NomiLingue[i]);
        cboUMVelocita_->addItem(NomiUMVelocita[i]);
        cboUMPressione_->addItem(NomiUMPressione[i]);
        cboUMTemperatura_->addItem(NomiUMTemperatura[i]);
    }
}

void frmConfigurazione::CaricaDati()
{
    const ProjectRecord& r = DatiProgetto;
    // The browser has pictures for nine pages.
    pageCount_ = qBound(1, int(r.MaxPagine), 9);
    currentPage_ = 1;

    for (int p = 1; p <= 9; ++p)
        ImageList1_[p - 1] = builtInPicture(p);
    // A custom bitmap that cannot be read (a project moved from another
    // machine) leaves the built-in picture; the path is kept.
    for (auto [page, path] : {std::pair{1, r.Pagina1}, std::pair{9, r.Pagina9}}) {
        QPixmap custom;
        if (!noCustomPicture(path) && custom.load(path))
            ImageList1_[page - 1] = custom;
    }

    recordToView(r, *this);
    loadInstrumentState();
    AggiornaPagina();
}

void frmConfigurazione::showPicture() { imgPagina_->setPixmap(ImageList1_[currentPage_ - 1]); }

void frmConfigurazione::AggiornaPagina()
{
    const bool first = currentPage_ == 1;
    const bool last = currentPage_ == pageCount_;
    cmdPrevPage_->setEnabled(!first);
    cmdNextPage_->setEnabled(!last);
    // Only the first and the ninth page have a bitmap of their own in the
    // project, so only they offer the chooser.
    const bool custom = currentPage_ == 1 || currentPage_ == 9;
    txtFilePagina_->setVisible(custom);
    cmdScegliImmagine_->setVisible(custom);
    if (currentPage_ == 1)
        txtFilePagina_->setText(DatiProgetto.Pagina1);
    else if (currentPage_ == 9)
        txtFilePagina_->setText(DatiProgetto.Pagina9);
    lblCurrPagina_->setText(pageCounter(currentPage_, pageCount_));

    const bool on = PagineAbilitate_[currentPage_ - 1];
    {
        const QSignalBlocker block(chkAbilitaPagina_);
        chkAbilitaPagina_->setChecked(on);
    }
    imgPagina_->setFixedSize(on ? kPictureOn : kPictureOff);
    showPicture();
}

void frmConfigurazione::cmdNextPage_Click()
{
    if (currentPage_ >= pageCount_)
        return;
    ++currentPage_;
    AggiornaPagina();
}

void frmConfigurazione::cmdPrevPage_Click()
{
    if (currentPage_ <= 1)
        return;
    --currentPage_;
    AggiornaPagina();
}

void frmConfigurazione::chkAbilitaPagina_Click()
{
    PagineAbilitate_[currentPage_ - 1] = chkAbilitaPagina_->checkState() != Qt::Unchecked;
    AggiornaPagina();
}

void frmConfigurazione::cmdScegliImmagine_Click()
{
    if (currentPage_ != 1 && currentPage_ != 9)
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("Display Page File (*.bmp)");
    request.folder = programFolder();
    const QString chosen = dialogs().askFile(request);
    if (chosen.isEmpty())
        return;
    QPixmap picture;
    if (!picture.load(chosen))
        return;
    ImageList1_[currentPage_ - 1] = picture;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    // Stored at once, even if the window is then cancelled; the project is marked
    // changed so that the path is not lost at exit without a question.
    (currentPage_ == 1 ? DatiProgetto.Pagina1 : DatiProgetto.Pagina9) = path;
    ProgettoModificato = true;
    AggiornaPagina();
}

PageExchangeEnd frmConfigurazione::runExchange(bool send) { return exchangeConfigPage(send, *this); }

void frmConfigurazione::storeRecord() { viewToRecord(*this, DatiProgetto); }

// --- the view the configuration codec reads and writes ----------------------

QComboBox* frmConfigurazione::combo(ConfigCombo c) const
{
    switch (c) {
    case ConfigCombo::cboLingua: return cboLingua_;
    case ConfigCombo::cboUMVelocita: return cboUMVelocita_;
    case ConfigCombo::cboUMTemperatura: return cboUMTemperatura_;
    case ConfigCombo::cboUMPressione: return cboUMPressione_;
    }
    return cboLingua_;
}

QLineEdit* frmConfigurazione::box(ConfigText t) const
{
    switch (t) {
    case ConfigText::txtStopRecSecondi: return txtStopRecSecondi_;
    case ConfigText::txtAbilRecVel: return txtAbilRecVel_;
    case ConfigText::txtTempoMsgGiro: return txtTempoMsgGiro_;
    case ConfigText::txtTempoVisGiro: return txtTempoVisGiro_;
    case ConfigText::txtSettoreCrono0: return txtSettoreCrono_[0];
    case ConfigText::txtSettoreCrono1: return txtSettoreCrono_[1];
    case ConfigText::txtSettoreCrono2: return txtSettoreCrono_[2];
    case ConfigText::txtSettoreCrono3: return txtSettoreCrono_[3];
    case ConfigText::txtSettoreCrono4: return txtSettoreCrono_[4];
    }
    return txtAbilRecVel_;
}

int frmConfigurazione::listIndex(ConfigCombo c) const { return combo(c)->currentIndex(); }
int frmConfigurazione::listCount(ConfigCombo c) const { return combo(c)->count(); }
void frmConfigurazione::setListIndex(ConfigCombo c, int index) { selectOrNone(combo(c), index); }
QString frmConfigurazione::text(ConfigText t) const { return box(t)->text(); }
void frmConfigurazione::setText(ConfigText t, const QString& text) { box(t)->setText(text); }
Qt::CheckState frmConfigurazione::chkAbilRecLAP() const { return chkAbilRecLAP_->checkState(); }
void frmConfigurazione::setChkAbilRecLAP(Qt::CheckState state) { chkAbilRecLAP_->setCheckState(state); }

bool frmConfigurazione::pageEnabled(int page) const
{
    return page >= 1 && page <= 10 && PagineAbilitate_[page - 1];
}

void frmConfigurazione::setPageEnabled(int page, bool on)
{
    if (page < 1 || page > 10)
        return;
    PagineAbilitate_[page - 1] = on;
    if (page == currentPage_)
        AggiornaPagina();
}

QPixmap frmConfigurazione::picture(int page) const
{
    return page >= 1 && page <= 9 ? ImageList1_[page - 1] : QPixmap();
}

} // namespace zuv
