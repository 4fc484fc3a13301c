#include "link/live.h"

#include "link/codec.h"
#include "link/commands.h"
#include "project/state.h"

namespace zuv {

namespace {

DiagnosticsView* g_view = nullptr;

QString fixedText(double v, int decimals) { return QString::number(v, 'f', decimals); }

// A Double as plain text with all its significant digits.
QString fullNumber(double v) { return QString::number(v, 'g', 15).toUpper(); }

} // namespace

DiagnosticsView* diagnosticsView() { return g_view; }
void setDiagnosticsView(DiagnosticsView* view) { g_view = view; }

std::array<qint16, kNumAnalogInputs> decodeCalibration(QByteArrayView reply)
{
    std::array<qint16, kNumAnalogInputs> v{};
    for (int k = 0; k < kNumAnalogInputs; ++k)
        v[k] = readWord(at(reply, 3 + 2 * k));
    return v;
}

DiagnosticsState decodeDiagnostics(QByteArrayView r)
{
    DiagnosticsState s;
    const qint16 alarms = readWord(at(r, 3));
    for (int k = 0; k < kNumAlarms; ++k)
        s.alarms[k] = BitAttivo(alarms, 8 + k);

    auto word = [&](int pos) { return double(readWord(at(r, pos))); };
    s.fields[0] = LeggiWord(at(r, 5));
    s.fields[2] = LeggiWord(at(r, 9));
    s.fields[3] = fixedText(word(11) / 10, 1);
    s.fields[4] = fixedText(word(13) / 10, 1);
    s.fields[5] = fixedText(word(15) / 1000, 3);
    s.fields[6] = fixedText(word(17) / 1000, 3);
    s.fields[7] = fixedText(word(19) / 10, 1);
    s.fields[8] = LeggiWord(at(r, 23));
    s.fields[9] = fixedText(double(readByte(at(r, 25))) / 10, 1);
    s.fields[10] = LeggiByte(at(r, 26));
    s.fields[11] = fixedText(double(readSignedByte(at(r, 27))) / 10, 1);
    s.fields[12] = LeggiByte(at(r, 28));
    s.fields[13] = fixedText(double(readSignedByte(at(r, 29))) / 10, 1);
    s.fields[14] = fixedText(word(30) / 100, 2);
    const double recorded = readLong(at(r, 32));
    s.fields[15] = fullNumber((kDeviceMemory - recorded) / kDeviceMemory * 100);
    s.fields[16] = fixedText(word(30) / 1470, 3);
    return s;
}

bool LeggiCalibrazione()
{
    const QByteArray r = readReply(cmd::LeggiCalibrazione);
    if (r.isEmpty())
        return false;
    const auto v = decodeCalibration(r);
    if (DiagnosticsView* view = diagnosticsView()) {
        for (int k = 0; k < kNumAnalogInputs; ++k)
            view->setAnalogValue(k, QString::number(v[k]));
        return true;
    }
    for (int k = 0; k < kNumAnalogInputs; ++k)
        ValoriAnalogici[k] = v[k];
    return true;
}

bool LeggiDiagnostica()
{
    const QByteArray r = readReply(cmd::Status);
    if (r.isEmpty())
        return false;
    DiagnosticsView* view = diagnosticsView();
    if (!view)
        return true;
    const DiagnosticsState s = decodeDiagnostics(r);
    for (int k = 0; k < kNumAlarms; ++k)
        view->setAlarm(k, s.alarms[k]);
    for (int i = 0; i < kNumFields; ++i)
        if (i != 1)
            view->setFieldValue(i, s.fields[i]);
    return true;
}

} // namespace zuv
