#include "shell/poll.h"

#include "link/commands.h"
#include "link/link_guard.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/mainsurface.h"
#include "project/state.h"
#include "shell/project_commands.h"

namespace zuv {

namespace {

void tick()
{
    CommState& status = StatoComunicazione;
    if (ConnettiStrumento()) {
        // A device that went away has closed its port by now, so the next
        // tick scans again; an instrument that is merely silent keeps its
        // port and shows as not answering until it speaks again.
        VerificaComunicazione();
        // A settling pause.
        clock().sleepMs(50);
    } else {
        mainSurface().setPanelPicture(4, PanelPicture::LinkOff);
        mainSurface().setPanelText(4, QStringLiteral("NO COMMUNICATION"));
        // Nothing answered, so nothing is there: Download Data and the
        // page buttons must not stay on for an instrument that has gone.
        status.StrumentoPresente = false;
    }
    if (!status.StrumentoPresente)
        mainSurface().setPanelText(7, QString());

    setCommandPair(QStringLiteral("mnuDownloadData"), QStringLiteral("DownData"),
                   status.StrumentoPresente);

    if (status.StrumentoPresente != status.StrumentoPresentePrec) {
        status.StrumentoPresentePrec = status.StrumentoPresente;
        if (status.FormAttivo)
            status.FormAttivo->setInstrumentButtonsEnabled(status.StrumentoPresente);
    }
}

} // namespace

bool pollTick()
{
    if (StatoComunicazione.AnalisiAperta || StatoComunicazione.ComandoInCorso != 0)
        return false;
    return runPollTick(tick);
}

} // namespace zuv
