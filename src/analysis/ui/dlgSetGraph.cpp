#include "analysis/ui/dlgSetGraph.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
#include "analysis/set_graph.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/ui/colors.h"
#include "project/language.h"
#include "project/state.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zuv {

dlgSetGraph::dlgSetGraph(qint16 index, QWidget* parent)
    : QDialog(parent), IndiceGrafico(index), lblNomeCampo(new QLabel(this)), txtNomeCampo(new QLineEdit(this)),
      lblUM(new QLabel(this)), txtUM(new QLineEdit(this)), lblFiltro(new QLabel(this)), txtFiltro(new QLineEdit(this)),
      lblColoreGrafico(new QLabel(this)), cmdColor(new QPushButton(this)), lblSpessoreLinea(new QLabel(this)),
      cboWidth(new QComboBox(this)), fraScalaDisegno(new QGroupBox(this)), lblMinValDisegno(new QLabel(this)),
      txtMinVal(new QLineEdit(this)), lblMaxValDisegno(new QLabel(this)), txtMaxVal(new QLineEdit(this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)), CancelButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("dlgSetGraph"));
    setWindowTitle(QString::fromLatin1(kSetGraphTitle));
    const std::pair<QWidget*, const char*> names[] = {
        {txtNomeCampo, "txtNomeCampo"}, {txtUM, "txtUM"},         {txtFiltro, "txtFiltro"},
        {cmdColor, "cmdColor"},         {cboWidth, "cboWidth"},   {fraScalaDisegno, "fraScalaDisegno"},
        {txtMinVal, "txtMinVal"},       {txtMaxVal, "txtMaxVal"}, {OKButton, "OKButton"},
        {CancelButton, "CancelButton"}};
    for (const auto& [w, name] : names)
        w->setObjectName(QLatin1String(name));

    cboWidth->setEditable(true);
    cboWidth->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= 6; ++n)
        cboWidth->addItem(QString::number(n));
    cmdColor->setAutoDefault(false);
    cmdColor->setMinimumWidth(60);
    OKButton->setDefault(true);
    CancelButton->setAutoDefault(false);

    auto* scale = new QFormLayout(fraScalaDisegno);
    scale->addRow(lblMinValDisegno, txtMinVal);
    scale->addRow(lblMaxValDisegno, txtMaxVal);
    auto* form = new QFormLayout;
    form->addRow(lblNomeCampo, txtNomeCampo);
    form->addRow(lblUM, txtUM);
    form->addRow(lblFiltro, txtFiltro);
    form->addRow(lblColoreGrafico, cmdColor);
    form->addRow(lblSpessoreLinea, cboWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fraScalaDisegno);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmdColor, &QPushButton::clicked, this, &dlgSetGraph::cmdColor_Click);
    connect(OKButton, &QPushButton::clicked, this, &dlgSetGraph::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
    Form_Activate();
}

void dlgSetGraph::Form_Load()
{
    const AnalysisInterface* w = currentAnalysis();
    if (!w)
        return;
    // Hidden in the overlaid mode, but filled all the same: OK stores what
    // the hidden boxes hold.
    fraScalaDisegno->setVisible(w->session().blnSeparati);
    txtNomeCampo->setText(w->measureName(IndiceGrafico));
    txtUM->setText(w->measureUnit(IndiceGrafico));
    const SetGraphTexts texts = setGraphTexts(*w);
    txtFiltro->setText(texts.txtFiltro);
    showColour(w->measureColour(IndiceGrafico));
    // The list's own entry when there is one, so its drop-down shows it.
    cboWidth->setCurrentIndex(cboWidth->findText(texts.cboWidth));
    cboWidth->setEditText(texts.cboWidth);
    txtMinVal->setText(texts.txtMinVal);
    txtMaxVal->setText(texts.txtMaxVal);
}

void dlgSetGraph::Form_Activate()
{
    computeLanguageOffset();
    lblNomeCampo->setText(languageText(41));
    lblUM->setText(languageText(42));
    lblFiltro->setText(languageText(43));
    lblColoreGrafico->setText(languageText(44));
    lblSpessoreLinea->setText(languageText(45));
    fraScalaDisegno->setTitle(languageText(46));
    lblMinValDisegno->setText(languageText(47));
    lblMaxValDisegno->setText(languageText(48));
    CancelButton->setText(languageText(35));
}

void dlgSetGraph::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void dlgSetGraph::showColour(quint32 colour)
{
    colour_ = colour;
    cmdColor->setStyleSheet(QStringLiteral("background-color: %1;").arg(colorFromValue(colour).name()));
}

void dlgSetGraph::cmdColor_Click()
{
    // A cancelled or failed choice keeps the colour.
    if (const std::optional<quint32> chosen = dialogs().askColour(colour_))
        showColour(*chosen);
}

bool dlgSetGraph::OKButton_Click()
{
    AnalysisInterface* w = currentAnalysis();
    if (!w) {
        reject();
        return false;
    }
    const SetGraphResult outcome =
        checkSetGraph(txtFiltro->text(), cboWidth->currentText(), txtMinVal->text(), txtMaxVal->text());
    if (!outcome.accepted) {
        msgBox(this, outcome.message, MsgIcon::Exclamation);
        return false;
    }
    applySetGraph(*w, IndiceGrafico, txtNomeCampo->text(), txtUM->text(), colour_, outcome);
    accept();
    return true;
}

bool dlgSetGraph::edit(QWidget* owner, qint16 i)
{
    AnalysisInterface* w = currentAnalysis();
    if (!w)
        return false;
    w->session().toSettingsExchange(i);
    bool stored = false;
    {
        dlgSetGraph dialog(i, owner);
        stored = dialog.exec() == QDialog::Accepted;
    }
    // After Cancel the exchange values still hold the measure's own.
    w->session().fromSettingsExchange(i);
    return stored;
}

} // namespace zuv
