#include "link/live.h"

#include "link/codec.h"
#include "link/commands.h"
#include "project/state.h"

namespace zuv {

namespace {

DiagnosticaView* g_view = nullptr;

QString decimali(double v, int decimals) { return QString::number(v, 'f', decimals); }

// A Double as plain text with all its significant digits.
QString numeroPieno(double v) { return QString::number(v, 'g', 15).toUpper(); }

} // namespace

DiagnosticaView* diagnosticaView() { return g_view; }
void setDiagnosticaView(DiagnosticaView* view) { g_view = view; }

std::array<qint16, kNumIngressiAnalogici> decodificaCalibrazione(QByteArrayView reply)
{
    std::array<qint16, kNumIngressiAnalogici> v{};
    for (int k = 0; k < kNumIngressiAnalogici; ++k)
        v[k] = leggiWordValue(at(reply, 3 + 2 * k));
    return v;
}

StatoDiagnostica decodificaDiagnostica(QByteArrayView r)
{
    StatoDiagnostica s;
    const qint16 allarmi = leggiWordValue(at(r, 3));
    for (int k = 0; k < kNumAllarmi; ++k)
        s.allarmi[k] = BitAttivo(allarmi, 8 + k);

    auto word = [&](int pos) { return double(leggiWordValue(at(r, pos))); };
    s.campi[0] = LeggiWord(at(r, 5));
    s.campi[2] = LeggiWord(at(r, 9));
    s.campi[3] = decimali(word(11) / 10, 1);
    s.campi[4] = decimali(word(13) / 10, 1);
    s.campi[5] = decimali(word(15) / 1000, 3);
    s.campi[6] = decimali(word(17) / 1000, 3);
    s.campi[7] = decimali(word(19) / 10, 1);
    s.campi[8] = LeggiWord(at(r, 23));
    s.campi[9] = decimali(double(leggiByteValue(at(r, 25))) / 10, 1);
    s.campi[10] = LeggiByte(at(r, 26));
    s.campi[11] = decimali(double(leggiByteSegnoValue(at(r, 27))) / 10, 1);
    s.campi[12] = LeggiByte(at(r, 28));
    s.campi[13] = decimali(double(leggiByteSegnoValue(at(r, 29))) / 10, 1);
    s.campi[14] = decimali(word(30) / 100, 2);
    const double registrati = leggiLongValue(at(r, 32));
    s.campi[15] = numeroPieno((kMemoriaStrumento - registrati) / kMemoriaStrumento * 100);
    s.campi[16] = decimali(word(30) / 1470, 3);
    return s;
}

bool LeggiCalibrazione()
{
    const QByteArray r = leggiRisposta(comando::LeggiCalibrazione);
    if (r.isEmpty())
        return false;
    const auto v = decodificaCalibrazione(r);
    if (DiagnosticaView* view = diagnosticaView()) {
        for (int k = 0; k < kNumIngressiAnalogici; ++k)
            view->setValoreAnalogico(k, QString::number(v[k]));
        return true;
    }
    for (int k = 0; k < kNumIngressiAnalogici; ++k)
        ValoriAnalogici[k] = v[k];
    return true;
}

bool LeggiDiagnostica()
{
    const QByteArray r = leggiRisposta(comando::StatoStrumento);
    if (r.isEmpty())
        return false;
    DiagnosticaView* view = diagnosticaView();
    if (!view)
        return true;
    const StatoDiagnostica s = decodificaDiagnostica(r);
    for (int k = 0; k < kNumAllarmi; ++k)
        view->setAllarme(k, s.allarmi[k]);
    for (int i = 0; i < kNumCampi; ++i)
        if (i != 1)
            view->setValoreCampo(i, s.campi[i]);
    return true;
}

} // namespace zuv
