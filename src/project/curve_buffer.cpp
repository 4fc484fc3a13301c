#include "project/curve_buffer.h"

#include "project/channels.h"
#include "project/state.h"

#include <algorithm>

namespace zuv {
namespace {
constexpr int kPoints = 20;

// Only the last sensor of the name counts: merging two curves of different
// lengths would give a curve that no sensor has. A type without a scale
// would send a flat curve, so it is no usable sensor.
const CSensore* usableSensor(const QString& name)
{
    if (sensorNameEmpty(name))
        return nullptr;
    const CSensore* sensor = nullptr;
    for (const CSensore& s : LibreriaSensori)
        if (s.Nome() == name && typeScale(s.Tipo()) > 0)
            sensor = &s;
    return sensor;
}

} // namespace

bool sensorNameEmpty(const QString& name) { return name.trimmed().isEmpty(); }

bool sensorInLibrary(const QString& name) { return usableSensor(name) != nullptr; }

void AzzeraCurva()
{
    std::fill_n(CurvaSensore.CurvaX.begin(), kPoints, 0.0);
    std::fill_n(CurvaSensore.CurvaY.begin(), kPoints, 0.0);
}

bool CaricaCurvaSensore(const QString& name)
{
    // Whatever happens, no curve of an earlier channel is left to be sent.
    AzzeraCurva();
    const CSensore* sensor = usableSensor(name);
    if (!sensor)
        return false;

    const double scale = typeScale(sensor->Tipo());
    const int n = std::clamp<int>(sensor->NumPunti(), 0, kPoints);
    for (int i = 0; i < n; ++i) {
        CurvaSensore.CurvaX[i] = sensor->X(i);
        CurvaSensore.CurvaY[i] = sensor->Y(i) * scale;
    }
    if (sensor->Tipo() == QLatin1String("LivelloBenzina")) {
        const double last = n > 0 ? CurvaSensore.CurvaY[n - 1] : 0.0;
        for (int i = n; i < kPoints; ++i) {
            CurvaSensore.CurvaX[i] = 1024;
            CurvaSensore.CurvaY[i] = last;
        }
    }
    return true;
}

QString TrovaSensoreDaCurva(const QString& type)
{
    for (const CSensore& s : LibreriaSensori) {
        if (s.Tipo() != type)
            continue;
        bool same = true;
        for (int i = 0; i < kPoints && same; ++i)
            same = s.X(i) == CurvaSensore.CurvaX[i] && s.Y(i) == CurvaSensore.CurvaY[i];
        if (same)
            return s.Nome();
    }
    return QString();
}

void ImpostaFormAttivo(ActivePage* page) { StatoComunicazione.FormAttivo = page; }

} // namespace zuv
