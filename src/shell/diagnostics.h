#pragma once
// One refresh pass of the live diagnostics: status, 50 ms, raw inputs, 50 ms.

#include "platform/messages.h"

namespace zuv {

// Lets the first communication-error message of an outage through and keeps
// the rest of it quiet, so a silent instrument does not raise a message on
// every pass; a pass that reads again ends the outage.
class OutageMessages final : public MessageService {
public:
    explicit OutageMessages(MessageService& inner) : inner_(inner) {}
    MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons,
                   const QString& title) override;
    void endOutage() { inOutage_ = false; }

private:
    MessageService& inner_;
    bool inOutage_ = false;
};

struct PassoDiagnostica {
    bool connesso = false; // some port answered
    bool letto = false;    // both reads came back
};

// The caller holds ComandoInCorso at 0x25 while the dialog is shown.
PassoDiagnostica passoDiagnostica();

} // namespace zuv
