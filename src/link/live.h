#pragma once
// The instrument's live values: the eight raw analog inputs (0x09) and the
// status with channel values, laps, free memory and alarms (0x25).

#include <QByteArrayView>
#include <QString>
#include <array>

namespace zuv {

// The controls of the live diagnostics dialog that the link fills. The
// dialog registers itself while it is shown (setDiagnosticaView).
class DiagnosticaView {
public:
    virtual ~DiagnosticaView() = default;
    // txtValoreAnalogico(k), k = 0..7.
    virtual void setValoreAnalogico(int k, const QString& text) = 0;
    // txtValoreCampo(i), i = 0 and 2..16.
    virtual void setValoreCampo(int i, const QString& text) = 0;
    // shpAllarme(k + 2), k = 0..7: red when on, the inactive-border colour when off.
    virtual void setAllarme(int k, bool on) = 0;
};

// The dialog that is shown, or nullptr.
DiagnosticaView* diagnosticaView();
void setDiagnosticaView(DiagnosticaView* view);

inline constexpr int kNumIngressiAnalogici = 8;
inline constexpr int kNumAllarmi = 8;
inline constexpr int kNumCampi = 17;

// Input k is the signed word at position 3 + 2k of the 0x09 reply.
std::array<qint16, kNumIngressiAnalogici> decodificaCalibrazione(QByteArrayView reply);

struct StatoDiagnostica {
    // Bit 8 + k of the status word: oil pump, alternator, oil temperature,
    // water temperature, battery, fuel pressure, oil pressure, fuel level.
    std::array<bool, kNumAllarmi> allarmi{};
    // The texts of txtValoreCampo(i); box 1 stays empty (never filled).
    std::array<QString, kNumCampi> campi;
};
StatoDiagnostica decodificaDiagnostica(QByteArrayView reply);

// Reads the inputs into the shown dialog, or into ValoriAnalogici when no
// dialog is shown. A failed read gets the failure report and returns false;
// a read that works leaves ErroreComunicazione as it was.
bool LeggiCalibrazione();
// Reads the status into the shown dialog (nothing to fill without one).
bool LeggiDiagnostica();

} // namespace zuv
