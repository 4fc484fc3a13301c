#pragma once
// A stand-in for the open analysis window: the interface's public values are
// those of a session without a loader, which a test sets, every getter
// answers from a table the test may fill (an index not in it gets the
// interface's own answer, computed from the session), and the window stands
// in the resolver under its kind for as long as it lives, so
// `currentAnalysis()` finds it while `UsaAnalisiSpeed` names that kind.

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
    void showModal() override { ++modalShows; }
    void RefreshLanguage() override { ++languageRefreshes; }
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
    std::map<int, QString> lapTime, lapSession, lapSpeed;
    std::map<int, QString> minVal, maxVal, measureTitle, avgVal;

    // Every getter and setter call of the interface, in order:
    // "GetTempoGiro 2", "setMeasureName 3 Oil".
    mutable std::vector<QString> calls;
    int modalShows = 0;
    int languageRefreshes = 0;
    int sessionSaves = 0;

private:
    QString answer(const char* name, const std::map<int, QString>& script, int i, const QString& own) const;

    AnalysisKind kind_;
    AnalysisSession session_;
};

} // namespace zuv::test
