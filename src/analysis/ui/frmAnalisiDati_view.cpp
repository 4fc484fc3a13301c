// The analysis window's view buttons: zoom, move and playback.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/ui/analysis_pictures.h"
#include "analysis/ui/chart_component.h"
#include "platform/mainsurface.h"
#include "platform/ui/colors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace zuv {

QWidget* frmAnalisiDati::buildViewButtons()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const auto button = [&](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, bar);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(44);
        row->addWidget(b);
    };
    button(cmdScorriSX, "cmdScorriSX", QString());
    cmdScorriSX->setIcon(analysisIcon(QStringLiteral("ScorriSX")));
    button(cmdSpostaSX10, "cmdSpostaSX10", QStringLiteral("<<"));
    button(cmdSpostaSX1, "cmdSpostaSX1", QStringLiteral("<"));
    row->addSpacing(12);
    button(cmdZoomOut50, "cmdZoomOut50", QStringLiteral("-50%"));
    button(cmdZoomOut10, "cmdZoomOut10", QStringLiteral("-10%"));
    lblZoom = new QLabel(QStringLiteral("ZOOM"), bar);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    lblZoom->setAlignment(Qt::AlignCenter);
    lblZoom->setMinimumWidth(48);
    row->addWidget(lblZoom);
    button(cmdZoomIn10, "cmdZoomIn10", QStringLiteral("+10%"));
    button(cmdZoomIn50, "cmdZoomIn50", QStringLiteral("+50%"));
    row->addSpacing(12);
    button(cmdSpostaDX1, "cmdSpostaDX1", QStringLiteral(">"));
    button(cmdSpostaDX10, "cmdSpostaDX10", QStringLiteral(">>"));
    button(cmdScorriDX, "cmdScorriDX", QString());
    cmdScorriDX->setIcon(analysisIcon(QStringLiteral("ScorriDX")));
    row->addStretch(1);
    for (QPushButton* b : {cmdScorriSX, cmdScorriDX}) {
        b->setAutoFillBackground(true);
        setRoleColour(b, QPalette::Button, Playback::kIdleColour);
    }

    connect(cmdZoomIn10, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::In10); });
    connect(cmdZoomIn50, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::In50); });
    connect(cmdZoomOut10, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::Out10); });
    connect(cmdZoomOut50, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::Out50); });
    connect(cmdSpostaSX1, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Left1); });
    connect(cmdSpostaSX10, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Left10); });
    connect(cmdSpostaDX1, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Right1); });
    connect(cmdSpostaDX10, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Right10); });
    connect(cmdScorriSX, &QPushButton::clicked, this, [this] { playbackClick(PlaybackDirection::Left); });
    connect(cmdScorriDX, &QPushButton::clicked, this, [this] { playbackClick(PlaybackDirection::Right); });
    return bar;
}

void frmAnalisiDati::setZoomInEnabled(bool on)
{
    cmdZoomIn10->setEnabled(on);
    cmdZoomIn50->setEnabled(on);
}

void frmAnalisiDati::showView()
{
    NTGraph1->setCursorX(session_->MinX);
    NTGraphAll->setCursorX(session_->MinX);
    showMeasuresRange();
    RidisegnaGraficoAttivo();
    showAlarmsRange();
}

void frmAnalisiDati::zoomClick(ZoomButton button)
{
    mainSurface().setBusy(true);
    const std::optional<bool> zoomIn = session_->zoom(rangeOf(*NTGraph1), button);
    showView();
    if (zoomIn)
        setZoomInEnabled(*zoomIn);
    mainSurface().setBusy(false);
}

void frmAnalisiDati::moveClick(MoveButton button)
{
    session_->move(rangeOf(*NTGraph1), button);
    showView();
    session_->setCursorSample(NTGraph1->sampleAt(session_->MinX, 1.0));
    AggiornaCursore(1.0, 1.0, qint32(session_->CampioneCursore));
    AggiornaCursoreAllarmi(1.0, 1.0, qint32(session_->CampioneCursore));
}

void frmAnalisiDati::playbackClick(PlaybackDirection direction)
{
    const int tab = SSTab1->currentIndex();
    ChartComponent& chart = tab == 1 ? *NTGraphAll : *NTGraph1;
    QPushButton* mine = direction == PlaybackDirection::Right ? cmdScorriDX : cmdScorriSX;
    QPushButton* other = direction == PlaybackDirection::Right ? cmdScorriSX : cmdScorriDX;
    switch (session_->playback.click(direction, tab)) {
    case Playback::Click::Started:
        setRoleColour(mine, QPalette::Button, Playback::kPlayingColour);
        chart.setCursorTracking(false);
        other->setEnabled(false);
        playTimer_.start();
        break;
    case Playback::Click::Stopped:
        playTimer_.stop();
        stopPlaybackLook(chart);
        break;
    case Playback::Click::Ignored:
        break;
    }
}

void frmAnalisiDati::stopPlaybackLook(ChartComponent& chart)
{
    for (QPushButton* b : {cmdScorriSX, cmdScorriDX}) {
        setRoleColour(b, QPalette::Button, Playback::kIdleColour);
        b->setEnabled(true);
    }
    chart.setCursorTracking(true);
}

void frmAnalisiDati::playbackPass()
{
    if (!session_->playback.playing()) {
        playTimer_.stop();
        return;
    }
    const bool alarms = session_->playback.tab() == 1;
    ChartComponent& chart = alarms ? *NTGraphAll : *NTGraph1;
    const Playback::Pass pass = session_->playbackPass(rangeOf(chart));
    if (pass.moved) {
        chart.setCursorX(session_->MinX);
        if (alarms) {
            showAlarmsRange();
            DisegnaAllarmi();
        } else {
            showMeasuresRange();
            DisegnaGrafici();
        }
        session_->setCursorSample(chart.sampleAt(session_->MinX, 1.0));
        const qint32 n = qint32(session_->CampioneCursore);
        if (alarms)
            AggiornaCursoreAllarmi(1.0, 1.0, n);
        else
            AggiornaCursore(1.0, 1.0, n);
    }
    if (pass.stopped) {
        playTimer_.stop();
        stopPlaybackLook(chart);
    }
}

} // namespace zuv
