#include "analysis/analysis_session.h"

#include "analysis/texts.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "project/state.h"

#include <QDir>
#include <QFileInfo>

namespace zuv {

AnalysisSession::AnalysisSession(std::unique_ptr<SessionLoader> loader) : loader_(std::move(loader)) {}

AnalysisSession::~AnalysisSession() = default;

const DataSources& AnalysisSession::sources() const
{
    static const DataSources none;
    return loader_ ? loader_->sources() : none;
}

// --- opening and closing --------------------------------------------------------

SessionLoader::Load AnalysisSession::load(const QString& analysisFileName)
{
    mapShown_ = false;
    PassoDisegno = 1;
    SchedaCorrente = 0;
    if (!loader_)
        return SessionLoader::Load::Failed;
    const SessionLoader::Load outcome = loader_->load(*this, analysisFileName);
    companionFound_ = outcome == SessionLoader::Load::Complete;
    return outcome;
}

bool AnalysisSession::setUpMeasures(const QString& analysisFileName)
{
    bounds = loader_ ? loader_->lapBounds() : LapBounds();
    const bool named = SchedaCorrente == 0;
    if (named)
        InizializzaMisure(*this, loader_ ? loader_->headers() : QStringList());
    MainSurface& s = mainSurface();
    s.setPanelText(1, QString());
    s.setPanelText(3, QString());
    s.setPanelText(2, QDir::toNativeSeparators(analysisFileName));
    return named;
}

void AnalysisSession::readSessionFile(const QString& analysisFileName)
{
    MeasureRows rows = sessionRows();
    SessionFileName = sessionFileFor(analysisFileName);
    sessionLoad_ = CaricaDatiSessione(SessionFileName, rows).outcome;
    sessionWritable_ = sessionLoad_ == SessionLoad::NoFile || sessionLoad_ == SessionLoad::Complete;
    applySessionRows(rows);
}

bool AnalysisSession::fillLapTable()
{
    CaricaSettori(*this, DatiSessione.Circuito);
    return CompilaTabellaGiri(*this, sources().lapNumberAt, sources().distanceAt);
}

void AnalysisSession::clearLapTable()
{
    for (int r = 0; r < grid.rows; ++r)
        PulisciRigaTabella(*this, r);
}

bool AnalysisSession::saveSessionFile()
{
    QString error;
    if (SalvaDatiSessione(SessionFileName, sessionRows(), &error)) {
        sessionWritable_ = true;
        return true;
    }
    msgBox(missingFileText(SessionFileName) + QLatin1Char('\n') + error, MsgIcon::Exclamation);
    return false;
}

void AnalysisSession::saveAtClose()
{
    // A session file that could not be read whole is not overwritten with
    // what the window made of it.
    if (companionFound_ && sessionWritable_)
        saveSessionFile();
}

void AnalysisSession::giveBackMainWindow()
{
    StatoComunicazione.AnalisiAperta = false;
    mainSurface().setBusy(false);
}

void AnalysisSession::showProjectInStatusBar()
{
    MainSurface& s = mainSurface();
    s.setPanelText(1, DatiProgetto.NomeProgetto);
    s.setPanelText(2, PercorsoFileProgetto);
    s.setPanelText(3, QString());
}

// --- measures, scales and traces ------------------------------------------------

void AnalysisSession::scaleLapOnShow()
{
    const DataSources& s = sources();
    scaleCurrentLap(s.stats, s.timeAt, s.xEndBack);
}

CheckClick AnalysisSession::checkMeasure(int index, bool checked) { return measureCheckClick(*this, index, checked); }

bool AnalysisSession::tickTimeAxis(bool ticked)
{
    chkTempo = ticked;
    if (ticked)
        PassoSpostamento = 0.01;
    return ticked;
}

TracePlan AnalysisSession::measureTraces() { return planMeasures(sources().timeAt, sources().stopPastLap); }

TracePlan AnalysisSession::alarmTraces() { return planAlarms(sources().alarmsTimeAt, sources().stopPastLap); }

int AnalysisSession::placeTrace(int column, int chart, int element)
{
    if (column >= 0 && column <= kMaxMeasure && chart >= 0 && chart < 3)
        IndiceElemento[std::size_t(column)][std::size_t(chart)] = element;
    return element;
}

// --- view -----------------------------------------------------------------------

void AnalysisSession::changeView(const ViewRange& shown, const std::function<void(ViewState&)>& change)
{
    takeRange(shown, true);
    change(*this);
    CalcolaPassoSpostamento();
}

void AnalysisSession::mouseZoomed(const ViewRange& shown)
{
    changeView(shown, [](ViewState&) {});
}

std::optional<bool> AnalysisSession::zoom(const ViewRange& shown, ZoomButton button)
{
    changeView(shown, [button](ViewState& v) { applyZoom(v, button); });
    return AggiornaPulsantiZoom(*this);
}

void AnalysisSession::move(const ViewRange& shown, MoveButton button)
{
    changeView(shown, [button](ViewState& v) { applyMove(v, button); });
}

void AnalysisSession::showTab(int tab, const ViewRange& measures)
{
    // The alarms take the measures' x range; their y levels are fixed.
    if (tab == 1)
        takeRange(measures, false);
    CalcolaPassoSpostamento();
    SchedaCorrente = tab;
}

Playback::Pass AnalysisSession::playbackPass(const ViewRange& shown)
{
    const bool alarms = playback.tab() == 1;
    // The alarms chart's fixed levels are not the measures' y range.
    takeRange(shown, !alarms);
    const DataSources& s = sources();
    return playback.pass(*this, playbackEndX(alarms ? s.alarmsTimeAt : s.timeAt));
}

CursorReadout AnalysisSession::cursorReadout(qint64 n, int mapPoints) const
{
    return AggiornaCursore(*this, n, sources().valueAt, mapPoints);
}

CursorReadout AnalysisSession::alarmsCursorReadout(qint64 n, int mapPoints) const
{
    return AggiornaCursoreAllarmi(*this, n, sources().valueAt, sources().alarmAt, mapPoints);
}

// --- laps -----------------------------------------------------------------------

LapSelection AnalysisSession::selectLap(int row, int column)
{
    const LapSelection sel = MSFlexGrid1_Click(*this, row, column, sources().lapNumberAt);
    if (sel.selected)
        lapCaption_ = sel.lapCaption;
    return sel;
}

QString AnalysisSession::tabCaption(int tab) const { return languageText(tab == 0 ? 273 : 91) + lapCaption_; }

// --- circuit map ----------------------------------------------------------------

AnalysisSession::MapChange AnalysisSession::toggleMap()
{
    if (mapShown_) {
        mapShown_ = false;
        return {MapChange::Kind::Hidden, {}};
    }
    const std::optional<QString> path = outlineFilePath(DatiSessione.Circuito);
    if (!path || !QFileInfo(*path).isFile())
        return {MapChange::Kind::NoOutline, {}};
    mapShown_ = true;
    return {MapChange::Kind::Shown, windowOutline(readOutlineFile(*path).value_or(QStringList()))};
}

// --- language -------------------------------------------------------------------

bool AnalysisSession::refreshLanguage()
{
    for (int i = 1; i <= 16; ++i)
        captions[std::size_t(i)] = languageText(measureNameText(i));
    // The plain titles, until the next lap selection adds the lap again.
    lapCaption_.clear();
    if (companionFound_)
        AggiornaTestiTabellaGiri(*this, sources().lapNumberAt);
    return companionFound_;
}

QString AnalysisSession::timeCaption() const { return captions[1] + QStringLiteral(" [sec]"); }

} // namespace zuv
