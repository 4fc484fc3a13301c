#include "shell/poll.h"

#include "link/link_guard.h"
#include "link/poll_exchange.h"
#include "platform/clock.h"
#include "project/state.h"
#include "shell/project_commands.h"

namespace zuv {

namespace {

constexpr int kSettlingPauseMs = 50;

void afterExchanges(const PollExchange::End& end)
{
    // Another exchange took the line before this tick had polled: it ends
    // here, and the next tick does its work.
    if (end.cut && !end.polled)
        return;
    CommState& status = StatoComunicazione;
    if (end.connected) {
        // The exchange has shown the poll's outcome. A device that went
        // away has closed its port by now, so the next tick scans again; an
        // instrument that is merely silent keeps its port and shows as not
        // answering until it speaks again.
        clock().sleepMs(kSettlingPauseMs);
    } else {
        showNoCommunication();
        // Nothing answered, so nothing is there: Download Data and the
        // page buttons must not stay on for an instrument that has gone.
        status.StrumentoPresente = false;
    }

    setCommandPair(QStringLiteral("mnuDownloadData"), QStringLiteral("DownData"),
                   status.StrumentoPresente);

    if (status.StrumentoPresente != status.StrumentoPresentePrec) {
        status.StrumentoPresentePrec = status.StrumentoPresente;
        if (status.FormAttivo)
            status.FormAttivo->setInstrumentButtonsEnabled(status.StrumentoPresente);
    }
}

} // namespace

bool startPollTick()
{
    const CommState& status = StatoComunicazione;
    if (status.AnalisiAperta || status.ComandoInCorso != 0 || linkBusy())
        return false;
    return PollExchange::instance().start(afterExchanges);
}

} // namespace zuv
