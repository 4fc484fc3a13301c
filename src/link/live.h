#pragma once
// The instrument's live values: the eight raw analog inputs (0x09) and the
// status with channel values, laps, free memory and alarms (0x25).

#include <QByteArrayView>
#include <QString>
#include <array>

namespace zuv {

// The controls of the live diagnostics dialog that the link fills. The
// dialog registers itself while it is shown (setDiagnosticsView).
class DiagnosticsView {
public:
    virtual ~DiagnosticsView() = default;
    // txtValoreAnalogico(k), k = 0..7.
    virtual void setAnalogValue(int k, const QString& text) = 0;
    // txtValoreCampo(i), i = 0 and 2..16.
    virtual void setFieldValue(int i, const QString& text) = 0;
    // shpAllarme(k + 2), k = 0..7: red when on, the inactive-border colour when off.
    virtual void setAlarm(int k, bool on) = 0;
};

// The dialog that is shown, or nullptr.
DiagnosticsView* diagnosticsView();
void setDiagnosticsView(DiagnosticsView* view);

inline constexpr int kNumAnalogInputs = 8;
inline constexpr int kNumAlarms = 8;
inline constexpr int kNumFields = 17;

// Input k is the signed word at position 3 + 2k of the 0x09 reply.
std::array<qint16, kNumAnalogInputs> decodeCalibration(QByteArrayView reply);

struct DiagnosticsState {
    // Bit 8 + k of the status word: oil pump, alternator, oil temperature,
    // water temperature, battery, fuel pressure, oil pressure, fuel level.
    std::array<bool, kNumAlarms> alarms{};
    // The texts of txtValoreCampo(i); box 1 stays empty (never filled).
    std::array<QString, kNumFields> fields;
};
DiagnosticsState decodeDiagnostics(QByteArrayView reply);

// Reads the inputs into the shown dialog, or into ValoriAnalogici when no
// dialog is shown. A failed read gets the failure report and returns false;
// a read that works leaves ErroreComunicazione as it was.
bool LeggiCalibrazione();
// Reads the status into the shown dialog (nothing to fill without one).
bool LeggiDiagnostica();

} // namespace zuv
