#include "support/fake_analysis.h"

#include <algorithm>

namespace zuv::test {

FakeAnalysis::FakeAnalysis(AnalysisKind kind) : kind_(kind) { registerAnalysis(this); }

QString FakeAnalysis::answer(const char* name, int i, const QString& own, const std::map<int, QString>& script) const
{
    calls.push_back(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(i));
    const auto it = script.find(i);
    return it != script.end() ? it->second : own;
}

QString FakeAnalysis::GetTempoGiro(qint16 numGiro) const
{
    return answer("GetTempoGiro", numGiro, AnalysisInterface::GetTempoGiro(numGiro), lapTime);
}

QString FakeAnalysis::GetSessioneTempo(qint16 numGiro) const
{
    return answer("GetSessioneTempo", numGiro, AnalysisInterface::GetSessioneTempo(numGiro));
}

QString FakeAnalysis::GetVelocitaGiro(qint16 numGiro) const
{
    return answer("GetVelocitaGiro", numGiro, AnalysisInterface::GetVelocitaGiro(numGiro));
}

QString FakeAnalysis::GetMinVal(qint16 Index) const
{
    return answer("GetMinVal", Index, AnalysisInterface::GetMinVal(Index));
}

QString FakeAnalysis::GetMaxVal(qint16 Index) const
{
    return answer("GetMaxVal", Index, AnalysisInterface::GetMaxVal(Index));
}

QString FakeAnalysis::GetNomeMisura(qint16 Index) const
{
    return answer("GetNomeMisura", Index, AnalysisInterface::GetNomeMisura(Index));
}

QString FakeAnalysis::GetMediaVal(qint16 Index) const
{
    return answer("GetMediaVal", Index, AnalysisInterface::GetMediaVal(Index), avgVal);
}

void FakeAnalysis::setMeasureName(int i, const QString& name)
{
    calls.push_back(QStringLiteral("setMeasureName %1 %2").arg(i).arg(name));
    AnalysisInterface::setMeasureName(i, name);
}

void FakeAnalysis::setMeasureUnit(int i, const QString& unit)
{
    calls.push_back(QStringLiteral("setMeasureUnit %1 %2").arg(i).arg(unit));
    AnalysisInterface::setMeasureUnit(i, unit);
}

void FakeAnalysis::setMeasureColour(int i, quint32 colour)
{
    calls.push_back(QStringLiteral("setMeasureColour %1 %2").arg(i).arg(colour, 6, 16, QLatin1Char('0')));
    AnalysisInterface::setMeasureColour(i, colour);
}

void FakeAnalysis::setLaps(const QStringList& times, const QStringList& sessions)
{
    // The lap-time file: a version line, one line a lap, and the line of the
    // samples after the last lap.
    QStringList lines{QStringLiteral("fake")};
    for (qsizetype k = 0; k < times.size(); ++k)
        lines << times.at(k) + QStringLiteral(", ") + (k < sessions.size() ? sessions.at(k) : QStringLiteral("1"));
    lines << QStringLiteral("00:00.00, 1");
    session_.grid.cells.assign(std::size_t(lines.size() + 1), {});
    readLapLines(session_, lines);
    EvidenziaGiriEstremi(session_);
}

void FakeAnalysis::setMeasure(int i, const QString& name, const QString& unit, double min, double max, double avg)
{
    if (i < 0 || i > kMaxMeasure)
        return;
    AnalysisSession& s = session_;
    s.captions[std::size_t(i)] = name;
    s.units[std::size_t(i)] = unit;
    s.ValoriMin[std::size_t(i)] = min;
    s.ValoriMax[std::size_t(i)] = max;
    s.ValoriMedi[std::size_t(i)] = avg;
    s.FieldsNum = std::max(s.FieldsNum, i);
}

} // namespace zuv::test
