#include "link/commands.h"

#include "link/codec.h"
#include "link/serial_comm.h"
#include "platform/mainsurface.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <algorithm>
#include <array>

namespace zuv {

namespace {

constexpr std::array<InfoComando, 16> kComandi{{
    {comando::Hello, 0, kLenConferma, true},
    {comando::VerificaComunicazione, 0, kLenVerifica, false},
    {comando::LeggiCalibrazione, 0, kLenCalibrazione, false},
    {comando::LeggiBloccoMemoria, 4, kLenBlocco, false},
    {comando::InviaDatiConfigurazione, kPayloadConfigurazione, kLenConferma, true},
    {comando::LeggiDatiConfigurazione, 0, kLenDatiConfigurazione, false},
    {comando::InviaDatiAllarmi, kPayloadAllarmi, kLenConferma, true},
    {comando::LeggiDatiAllarmi, 0, kLenDatiAllarmi, false},
    {comando::InviaDatiSensori, kPayloadSensori, kLenConferma, true},
    {comando::LeggiDatiSensori, 0, kLenDatiSensori, false},
    {comando::InviaCurvaSensore, kPayloadCurva, kLenConferma, true},
    {comando::LeggiCurvaSensore, 1, kLenCurvaSensore, false},
    {comando::InviaDatiConfigurazione2, kPayloadConfigurazione2, kLenConferma, true},
    {comando::LeggiDatiConfigurazione2, 0, kLenDatiConfigurazione2, false},
    {comando::StatoStrumento, 0, kLenStato, false},
    {comando::LeggiBloccoSessione, 2, kLenBlocco, false},
}};

// The ten bytes of the identification text as the status bar shows them:
// one character per byte, control bytes as blanks.
QString testoIdentificazione(QByteArrayView bytes)
{
    QByteArray b(bytes.toByteArray());
    for (char& ch : b)
        if (quint8(ch) < 0x20 || ch == 0x7F)
            ch = ' ';
    return fromCp1252(b);
}

// Sends a read request and takes its whole reply; empty when nothing came.
QByteArray scambio(quint8 codice, QByteArrayView payload)
{
    const InfoComando* info = infoComando(codice);
    if (!info || info->scrittura)
        return {};
    if (!InviaComando(buildFrame(codice, payload)))
        return {};
    return RiceviDati(info->risposta);
}

} // namespace

const InfoComando* infoComando(quint8 codice)
{
    for (const InfoComando& c : kComandi)
        if (c.codice == codice)
            return &c;
    return nullptr;
}

QByteArray leggiRisposta(quint8 codice, QByteArrayView payload)
{
    const QByteArray r = scambio(codice, payload);
    if (r.isEmpty())
        segnalaErroreComunicazione();
    return r;
}

QByteArray leggiPagina(quint8 codice, QByteArrayView payload)
{
    const QByteArray r = leggiRisposta(codice, payload);
    if (r.isEmpty())
        return {};
    LampeggiaRX();
    noteOutcome(true);
    return r;
}

bool scriviPagina(quint8 codice, QByteArrayView payload)
{
    if (!InviaComandoAttesa(buildFrame(codice, payload), ackFrame(codice))) {
        segnalaErroreComunicazione();
        return false;
    }
    LampeggiaTX();
    return noteOutcome(true);
}

void VerificaComunicazione()
{
    const QByteArray r = scambio(comando::VerificaComunicazione, {});
    MainSurface& s = mainSurface();
    if (r.isEmpty()) {
        s.setPanelPicture(4, PanelPicture::LinkOff);
        s.setPanelText(4, QStringLiteral("NO COMMUNICATION"));
        StatoComunicazione.StrumentoPresente = false;
    } else {
        s.setPanelPicture(4, PanelPicture::LinkOn);
        s.setPanelText(4, QStringLiteral("COM %1").arg(serialPort().portNumber()));
        s.setPanelText(7, testoIdentificazione(r.mid(2, 10)));
        StatoComunicazione.StrumentoPresente = true;
    }
    noteOutcome(true);
}

namespace {

// The 128 data bytes of a block read; empty after the failure report.
QByteArray blockRead(quint8 codice, QByteArrayView address)
{
    const QByteArray r = leggiRisposta(codice, address);
    if (r.isEmpty())
        return {};
    noteOutcome(true);
    return r.mid(2, kBytesBlocco);
}

} // namespace

QByteArray LeggiBloccoMemoria(const qint32& indirizzo)
{
    return blockRead(comando::LeggiBloccoMemoria, ScriviLong(indirizzo));
}

QByteArray LeggiBloccoSessione(qint32 indirizzo)
{
    return blockRead(comando::LeggiBloccoSessione, ScriviWord(indirizzo));
}

std::optional<qint16> readLapCount()
{
    const QByteArray r = leggiRisposta(comando::StatoStrumento, {});
    return r.isEmpty() ? std::nullopt : std::optional<qint16>(leggiWordValue(at(r, 23)));
}

std::optional<qint32> readRecordedBytes()
{
    const QByteArray r = leggiRisposta(comando::StatoStrumento, {});
    return r.isEmpty() ? std::nullopt : std::optional<qint32>(leggiLongValue(at(r, 32)));
}

qint16 LeggiStatoDownload1() { return readLapCount().value_or(0); }

qint32 LeggiStatoDownload2() { return readRecordedBytes().value_or(0); }

int giriScaricabili(qint16 giri) { return std::clamp(int(giri), 0, kMaxGiri - 1); }

qint32 bytesScaricabili(qint32 bytes) { return std::clamp(bytes, 0, kMemoriaStrumento); }

} // namespace zuv
