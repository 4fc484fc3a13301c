// The analysis window's traces: the measures' scales and names, and the
// drawing of both charts, overlaid or in separate bands.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/ui/chart_component.h"
#include "analysis/ui/swatch.h"
#include "platform/messages.h"
#include "platform/ui/colors.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

namespace zuv {

void frmAnalisiDati::CalcolaScale()
{
    session_->scaleLapOnShow();
    showMeasuresRange();
    applyScaleAxis();
}

void frmAnalisiDati::applyScaleAxis()
{
    // The y axis reads in the units of the measure whose scale is chosen,
    // with that lap's factor.
    const AnalysisSession& s = *session_;
    const int i = s.chosenScale;
    if (i < kFirstMeasure || i > kMaxMeasure)
        return;
    if (!s.blnSeparati)
        NTGraph1->setYScaleFactor(s.FattoriScala[i]);
    NTGraph1->setYAxisColor(s.colours[i]);
    NTGraph1->setYCaption(s.captions[i] + QLatin1Char(' ') + s.units[i]);
}

void frmAnalisiDati::optScala_Click(int index)
{
    session_->chooseScale(index);
    applyScaleAxis();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::setMeasureName(int i, const QString& name)
{
    AnalysisInterface::setMeasureName(i, name);
    if (i < 1 || i > kMaxMeasure)
        return;
    lblNomeCampo[i]->setText(name);
    lblNomeCampo[i]->setToolTip(name);
}

void frmAnalisiDati::setMeasureUnit(int i, const QString& unit)
{
    AnalysisInterface::setMeasureUnit(i, unit);
    if (i >= 1 && i <= kMaxMeasure)
        lblUM[i]->setText(unit);
}

void frmAnalisiDati::setMeasureColour(int i, quint32 colour)
{
    AnalysisInterface::setMeasureColour(i, colour);
    if (i >= kFirstMeasure && i <= kMaxMeasure)
        shpColor[i]->setColour(colour);
}

void frmAnalisiDati::setRowLook(int i, bool drawn)
{
    const RowLook look = measureRowLook(drawn);
    QFont f = txtValore[i]->font();
    f.setBold(look.bold);
    txtValore[i]->setFont(f);
    setRoleColour(txtValore[i], QPalette::Base, look.valueBack);
    cmdSetGraph[i]->setEnabled(look.setEnabled);
    setRoleColour(cmdSetGraph[i], QPalette::Button, look.setBack);
    optScala[i]->setEnabled(look.scaleEnabled);
}

void frmAnalisiDati::RidisegnaGraficoAttivo()
{
    if (SSTab1->currentIndex() == 0)
        DisegnaGrafici();
    else if (SSTab1->currentIndex() == 1)
        DisegnaAllarmi();
}

void frmAnalisiDati::DisegnaGrafici()
{
    const TracePlan plan = session_->measureTraces();
    if (plan.refused) {
        // The box waits for the user in an event loop of its own: a
        // playback's next pass waits for it too.
        const bool playing = playTimer_.isActive();
        playTimer_.stop();
        msgBox(this, languageText(145), MsgIcon::Information);
        if (playing && session_->playback.playing())
            playTimer_.start();
        return;
    }
    NTGraph1->clear();
    NTGraph1->setXCaption(session_->timeCaption());
    if (!session_->blnSeparati)
        applyScaleAxis();
    for (int i = kFirstMeasure; i <= plan.lastLook; ++i)
        setRowLook(i, plan.drawn[i]);
    for (const TracePlot& p : plan.plots) {
        const int element = session_->placeTrace(p.column, 0, NTGraph1->elementCount());
        NTGraph1->setElementColor(p.colour);
        NTGraph1->setElementLineWidth(p.width);
        NTGraph1->setElementName(p.name);
        InizializzaGrafico(*NTGraph1);
        if (p.band != 0) {
            NTGraph1->setYAxisColor(p.axisColour);
            NTGraph1->setYCaption(p.axisCaption);
        }
        NTGraph1->setRange(plan.xFrom, plan.xTo, p.yFrom, p.yTo, p.band);
        plot_(*NTGraph1, false, plan.rows, p, element);
    }
}

void frmAnalisiDati::DisegnaAllarmi()
{
    NTGraphAll->clear();
    NTGraphAll->setXCaption(session_->timeCaption());
    InizializzaGrafico(*NTGraphAll);
    showAlarmsRange();
    const TracePlan plan = session_->alarmTraces();
    for (const TracePlot& p : plan.plots) {
        // Alarm k is element k: the first one fills the element the chart
        // was given above, so the legend's colours match the traces.
        const int element = session_->placeTrace(p.column, 1, int(&p - plan.plots.data()));
        NTGraphAll->setElementColor(p.colour);
        NTGraphAll->setElementLineWidth(1);
        plot_(*NTGraphAll, true, plan.rows, p, element);
    }
}

void frmAnalisiDati::chkGrafico_Click(int index, bool checked)
{
    const CheckClick c = session_->checkMeasure(index, checked);
    if (c.separateKeyEnabled)
        toolButton(QStringLiteral("Separati"))->setEnabled(*c.separateKeyEnabled);
    if (c.selectScale != 0) {
        optScala[c.selectScale]->setChecked(true);
        optScala_Click(c.selectScale);
    }
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::chkTempo_Click(bool checked)
{
    if (!session_->tickTimeAxis(checked))
        return;
    CalcolaScale();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::setSplitLook(bool split)
{
    toolButton(QStringLiteral("Separati"))->setChecked(split);
    toolButton(QStringLiteral("Sovrapposti"))->setChecked(!split);
}

void frmAnalisiDati::ImpostaSovrapposti()
{
    toolButton(QStringLiteral("SetZoom"))->setEnabled(true);
    const SeparateKey b = separateKeyWhenOverlaid(session_->NumGraficiAttivi);
    QAction* split = toolButton(QStringLiteral("Separati"));
    if (b.release)
        split->setChecked(false);
    split->setEnabled(b.enabled);
    showMeasuresRange();
    session_->CalcolaPassoSpostamento();
    DisegnaGrafici();
}

void frmAnalisiDati::ImpostaSeparati()
{
    // "SetZoom" keeps its look, and the zoom-in buttons their state.
    toolButton(QStringLiteral("SetZoom"))->setEnabled(false);
    session_->setZoomMode(false);
    ApplicaModoZoom();
    if (separateRefused(*session_)) {
        msgBox(this, languageText(145), MsgIcon::Information);
        return;
    }
    NTGraph1->setYScaleFactor(1.0);
    DisegnaGrafici();
}

} // namespace zuv
