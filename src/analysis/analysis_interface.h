#pragma once
// The analysis-window interface: what the main window and the dialogs of
// session analysis reach in the open analysis window, whichever of the two
// it is, and the one resolver through which the dialogs find it. The public
// values are those of the window's session (`FieldsNum`,
// `intGiriCompletati`, ..., `currGraphMaxVal`, `AlarmsNum`); the getters
// work on them unless a window overrides one.

#include "analysis/analysis_session.h"
#include "shell/analysis_window.h"

#include <QString>

namespace zuv {

class AnalysisInterface : public AnalysisWindow {
public:
    // Takes the window out of the resolver if it is still there.
    ~AnalysisInterface() override;

    // The session the window shows.
    virtual AnalysisSession& session() = 0;
    virtual const AnalysisSession& session() const = 0;

    // `ValoriMin`, `ValoriMax` of measure `Index` (0..20; others ignored).
    virtual void SetMinVal(qint16 Index, double dblValue);
    virtual void SetMaxVal(qint16 Index, double dblValue);
    // Lap-table row `numGiro` (0..999): its lap time, the recorded session
    // it belongs to, and its speed from the session's track length.
    virtual QString GetTempoGiro(qint16 numGiro) const;
    virtual QString GetSessioneTempo(qint16 numGiro) const;
    virtual QString GetVelocitaGiro(qint16 numGiro) const;
    // Measure `Index` (0..20; empty text for others): minimum, maximum and
    // average with the user's decimal separator, and "name unit".
    virtual QString GetMinVal(qint16 Index) const;
    virtual QString GetMaxVal(qint16 Index) const;
    virtual QString GetNomeMisura(qint16 Index) const;
    virtual QString GetMediaVal(qint16 Index) const;
    virtual void SalvaDatiSessione() = 0;

    // The measure row's name, unit and trace colour (0x00BBGGRR), which the
    // chart settings dialog writes at OK. A window overrides the setters to
    // show the change at once.
    virtual QString measureName(int i) const;
    virtual void setMeasureName(int i, const QString& name);
    virtual QString measureUnit(int i) const;
    virtual void setMeasureUnit(int i, const QString& unit);
    virtual quint32 measureColour(int i) const;
    virtual void setMeasureColour(int i, quint32 colour);
};

// A window puts itself in the resolver, under its kind, as its load
// begins, and takes itself out when it closes.
void registerAnalysis(AnalysisInterface* window);
void unregisterAnalysis(AnalysisInterface* window);

// The open window of the kind `UsaAnalisiSpeed` names; nullptr when that
// one is not open.
AnalysisInterface* currentAnalysis();

} // namespace zuv
