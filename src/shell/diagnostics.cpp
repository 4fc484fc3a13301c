#include "shell/diagnostics.h"

#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"

namespace zuv {

MsgAnswer OutageMessages::show(const QString& text, MsgIcon icon, MsgButtons buttons,
                               const QString& title)
{
    if (text == Testo(242)) {
        if (inOutage_)
            return MsgAnswer::Ok;
        inOutage_ = true;
    }
    return inner_.show(text, icon, buttons, title);
}

PassoDiagnostica passoDiagnostica()
{
    PassoDiagnostica passo;
    bool ok = true;
    if (ConnettiStrumento()) {
        passo.connesso = true;
        StatoComunicazione.ErroreComunicazione = false;
        LeggiDiagnostica();
        ok = !StatoComunicazione.ErroreComunicazione;
    }
    clock().sleepMs(50);
    if (ConnettiStrumento()) {
        passo.connesso = true;
        StatoComunicazione.ErroreComunicazione = false;
        LeggiCalibrazione();
        ok = ok && !StatoComunicazione.ErroreComunicazione;
    }
    clock().sleepMs(50);
    passo.letto = passo.connesso && ok;
    return passo;
}

} // namespace zuv
