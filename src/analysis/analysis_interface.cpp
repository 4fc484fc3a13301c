#include "analysis/analysis_interface.h"

#include "analysis/number_text.h"
#include "project/state.h"

#include <array>

namespace zuv {
namespace {

std::array<AnalysisInterface*, 2> g_windows{};

std::size_t slot(AnalysisKind kind) { return kind == AnalysisKind::DatiSpeed ? 1 : 0; }

bool measureIndex(int i) { return i >= 0 && i <= kMaxMeasure; }

} // namespace

AnalysisInterface::~AnalysisInterface() { unregisterAnalysis(this); }

void AnalysisInterface::SetMinVal(qint16 Index, double dblValue)
{
    if (measureIndex(Index))
        session().ValoriMin[Index] = dblValue;
}

void AnalysisInterface::SetMaxVal(qint16 Index, double dblValue)
{
    if (measureIndex(Index))
        session().ValoriMax[Index] = dblValue;
}

QString AnalysisInterface::GetTempoGiro(qint16 numGiro) const { return zuv::GetTempoGiro(session(), numGiro); }

QString AnalysisInterface::GetSessioneTempo(qint16 numGiro) const
{
    return zuv::GetSessioneTempo(session(), numGiro);
}

QString AnalysisInterface::GetVelocitaGiro(qint16 numGiro) const
{
    return zuv::GetVelocitaGiro(session(), numGiro, DatiSessione.LunghTracciato);
}

QString AnalysisInterface::GetMinVal(qint16 Index) const
{
    return measureIndex(Index) ? valueText(session().ValoriMin[Index]) : QString();
}

QString AnalysisInterface::GetMaxVal(qint16 Index) const
{
    return measureIndex(Index) ? valueText(session().ValoriMax[Index]) : QString();
}

QString AnalysisInterface::GetNomeMisura(qint16 Index) const
{
    return measureIndex(Index) ? session().captions[Index] + QLatin1Char(' ') + session().units[Index] : QString();
}

QString AnalysisInterface::GetMediaVal(qint16 Index) const
{
    return measureIndex(Index) ? valueText(session().ValoriMedi[Index]) : QString();
}

QString AnalysisInterface::measureName(int i) const { return measureIndex(i) ? session().captions[i] : QString(); }

void AnalysisInterface::setMeasureName(int i, const QString& name)
{
    if (measureIndex(i))
        session().captions[i] = name;
}

QString AnalysisInterface::measureUnit(int i) const { return measureIndex(i) ? session().units[i] : QString(); }

void AnalysisInterface::setMeasureUnit(int i, const QString& unit)
{
    if (measureIndex(i))
        session().units[i] = unit;
}

quint32 AnalysisInterface::measureColour(int i) const { return measureIndex(i) ? session().colours[i] : 0; }

void AnalysisInterface::setMeasureColour(int i, quint32 colour)
{
    if (measureIndex(i))
        session().colours[i] = colour;
}

void registerAnalysis(AnalysisInterface* window)
{
    if (window)
        g_windows[slot(window->kind())] = window;
}

void unregisterAnalysis(AnalysisInterface* window)
{
    for (AnalysisInterface*& w : g_windows)
        if (w == window)
            w = nullptr;
}

AnalysisInterface* currentAnalysis() { return g_windows[slot(chosenAnalysisKind())]; }

} // namespace zuv
