#include "config/checks.h"

#include "platform/numbers.h"
#include "project/channels.h"
#include "project/curve_buffer.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace zuv {
namespace {

constexpr qint32 kWordMin = std::numeric_limits<qint16>::min();
constexpr qint32 kWordMax = std::numeric_limits<qint16>::max();

BoxCheck refused() { return BoxCheck{}; }

BoxCheck accepted(const QString& text, qint32 value) { return BoxCheck{true, text, value}; }

} // namespace

std::optional<double> editorNumber(QStringView text)
{
    static const QRegularExpression plain(
        QStringLiteral("^[ \\t]*[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)[ \\t]*$"));
    const QString t = text.toString();
    if (!plain.match(t).hasMatch())
        return std::nullopt;
    return parseDecimal(VirgolaInPunto(t));
}

BoxCheck checkWhole(QStringView text, qint32 lo, qint32 hi)
{
    const auto v = editorNumber(text);
    if (!v)
        return refused();
    const double r = roundHalfEven(*v);
    if (r < lo || r > hi)
        return refused();
    const auto value = static_cast<qint32>(r);
    return accepted(QString::number(value), value);
}

// --- configuration page ----------------------------------------------------

WholeRange configRange(ConfigBox box)
{
    switch (box) {
    case ConfigBox::AbilRecVel: return {0, 999};
    case ConfigBox::StopRecSecondi:
    case ConfigBox::TempoMsgGiro:
    case ConfigBox::TempoVisGiro: return {0, 99};
    case ConfigBox::SettoreCrono: return {0, kWordMax};
    }
    return {0, 0};
}

int configTypingLimit(ConfigBox box)
{
    switch (box) {
    case ConfigBox::AbilRecVel: return 3;
    case ConfigBox::StopRecSecondi:
    case ConfigBox::TempoMsgGiro:
    case ConfigBox::TempoVisGiro: return 2;
    case ConfigBox::SettoreCrono: return 5;
    }
    return 0;
}

BoxCheck checkConfigBox(ConfigBox box, QStringView text)
{
    const WholeRange r = configRange(box);
    return checkWhole(text, r.lo, r.hi);
}

// --- sensors page ----------------------------------------------------------

WholeRange sensorsRange(SensorsBox box)
{
    switch (box) {
    case SensorsBox::NumAccRPM: return {1, 255};
    case SensorsBox::ImpulsiRuota: return {1, 99};
    case SensorsBox::DiametroRuota: return {1, 9999};
    }
    return {0, 0};
}

BoxCheck checkSensorsBox(SensorsBox box, QStringView text)
{
    // A plain 0 is taken as the least meaningful count, 1.
    if (text == QLatin1String("0"))
        return accepted(QStringLiteral("1"), 1);
    const WholeRange r = sensorsRange(box);
    return checkWhole(text, r.lo, r.hi);
}

int firstMissingSensor(const ChannelEntries& bySlot, bool needLibrary)
{
    for (const ChannelInfo& c : channelsInFileOrder()) {
        const ChannelEntry& e = bySlot[static_cast<std::size_t>(c.slot)];
        if (!e.enabled)
            continue;
        // The same test as the curve load, so that a channel that passes
        // always has a curve to send.
        if (sensorNameEmpty(e.sensor) || (needLibrary && !sensorInLibrary(e.sensor)))
            return c.slot;
    }
    return -1;
}

QString missingSensorText(int slot)
{
    switch (slot) {
    case 0: return languageText(166);
    case 1: return languageText(167);
    case 2: return languageText(169);
    case 3: return languageText(168);
    case 4: return languageText(170);
    case 5: return languageText(173);
    case 6: return languageText(304);
    case 7: return languageText(171);
    case 8: return languageText(172);
    default: return QString();
    }
}

bool inputsClash(const ChannelEntries& bySlot)
{
    constexpr int kLambda = 6, kTurbo = 7, kG = 8;
    constexpr int pairs[3][2] = {{kG, kTurbo}, {kG, kLambda}, {kTurbo, kLambda}};
    for (const auto& p : pairs) {
        const ChannelEntry& a = bySlot[p[0]];
        const ChannelEntry& b = bySlot[p[1]];
        if (a.enabled && b.enabled && a.input == b.input)
            return true;
    }
    return false;
}

// --- alarms and shift-light page -------------------------------------------

BoxCheck checkThreshold(QStringView text, ThresholdScale scale)
{
    if (!checkWhole(text, kWordMin, kWordMax).ok)
        return refused();
    const int factor = static_cast<int>(scale);
    QString shown = VirgolaInPunto(text.trimmed().toString());
    FormattaDecimali(shown, factor);
    double v = leadingNumber(shown);
    const bool tenths = scale == ThresholdScale::Tenths;
    const double bound = tenths ? 999.9 : 9.999;
    if (v > bound) {
        shown = tenths ? QStringLiteral("999.9") : QStringLiteral("9.999");
        v = bound;
    }
    const double scaled = roundHalfEven(v * factor);
    if (scaled < kWordMin || scaled > kWordMax)
        return refused();
    return accepted(shown, static_cast<qint32>(scaled));
}

QString thresholdText(qint32 value, ThresholdScale scale)
{
    // value / scale padded to the scale's decimals, worked in whole numbers
    // so that no value ever shows in exponent form.
    const qint64 factor = static_cast<qint64>(scale);
    const int decimals = scale == ThresholdScale::Tenths ? 1 : 3;
    const qint64 magnitude = value < 0 ? -qint64(value) : qint64(value);
    QString text = value < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / factor) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % factor, decimals, 10, QLatin1Char('0'));
    return text;
}

BoxCheck checkShiftLight(QStringView text) { return checkWhole(text, kWordMin, kWordMax); }

} // namespace zuv
