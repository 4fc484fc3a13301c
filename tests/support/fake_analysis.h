#pragma once
// A stand-in for the open analysis window: the interface's public values are
// those of a session without a loader, which a test sets, every getter gives
// the interface's own answer, computed from the session (lap times and
// averages may be scripted instead), and the window stands in the resolver
// under its kind for as long as it lives, so `currentAnalysis()` finds it
// while `UsaAnalisiSpeed` names that kind.

#include "analysis/analysis_interface.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace zuv::test {

class FakeAnalysis : public AnalysisInterface {
public:
    explicit FakeAnalysis(AnalysisKind kind = AnalysisKind::Dati);

    AnalysisKind kind() const override { return kind_; }
    AnalysisSession& session() override { return session_; }
    const AnalysisSession& session() const override { return session_; }
    void showModal() override {}
    void RefreshLanguage() override {}
    void SalvaDatiSessione() override { ++sessionSaves; }

    QString GetTempoGiro(qint16 numGiro) const override;
    QString GetSessioneTempo(qint16 numGiro) const override;
    QString GetVelocitaGiro(qint16 numGiro) const override;
    QString GetMinVal(qint16 Index) const override;
    QString GetMaxVal(qint16 Index) const override;
    QString GetNomeMisura(qint16 Index) const override;
    QString GetMediaVal(qint16 Index) const override;

    void setMeasureName(int i, const QString& name) override;
    void setMeasureUnit(int i, const QString& unit) override;
    void setMeasureColour(int i, quint32 colour) override;

    // Laps 1 to n with these times ("mm:ss.cc") as the lap-time file gives
    // them, lap k in lap-table row k + 1, each in session `sessions`[k - 1]
    // ("1" when not given); the fastest and slowest are marked as the lap
    // table marks them.
    void setLaps(const QStringList& times, const QStringList& sessions = {});
    // Measure i's name, unit and statistics; `FieldsNum` grows to i.
    void setMeasure(int i, const QString& name, const QString& unit, double min, double max, double avg);

    // Scripted answers by argument (lap-table row or measure index).
    std::map<int, QString> lapTime, avgVal;

    // Every getter and setter call of the interface, in order:
    // "GetTempoGiro 2", "setMeasureName 3 Oil".
    mutable std::vector<QString> calls;
    int sessionSaves = 0;

private:
    // The call noted, then the script's answer for `i` where there is one.
    QString answer(const char* name, int i, const QString& own, const std::map<int, QString>& script = {}) const;

    AnalysisKind kind_;
    AnalysisSession session_;
};

} // namespace zuv::test
