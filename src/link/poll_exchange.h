#pragma once
// The presence poll's exchanges as the program runs them: the scan of
// ConnettiStrumento when the port is closed, then VerificaComunicazione:
// the poll frame, its reply and what that reply shows. They advance on a
// timer that looks at the port, so nothing ever waits inside them and no
// command or window can start in their middle. An exchange of the link that
// begins while they are under way lets the one in flight end first
// (settle), and the poll starts no other on that tick.

#include "link/serial_comm.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace zuv {

class PollExchange final : public QObject {
public:
    struct End {
        bool connected = false; // a port is open to the instrument
        bool polled = false;    // the poll's outcome is shown
        bool cut = false;       // another exchange took the line first
    };
    using Done = std::function<void(const End&)>;

    // The one the program runs.
    static PollExchange& instance();
    // While one is under way: it ends here, repainting only, under the busy
    // pointer; the poll then starts no further exchange on that tick.
    static void settle();

    // Starts the tick's exchanges; `done` gets their end. False while they
    // are under way. Once the poll frame has gone out (or failed to), its
    // outcome is shown as VerificaComunicazione shows it: panel 4, and the
    // instrument's text in panel 7 when a reply came; StrumentoPresente;
    // ErroreComunicazione false; never a message.
    bool start(Done done);
    bool underWay() const { return stage_ != Stage::Idle; }
    // Takes the exchanges to their end here, repainting only.
    void runToEnd();
    // The window that shows the tick goes away: the exchanges end here
    // without their outcome; a port whose hello is still unanswered is
    // closed, so the next tick scans again, and a reply still to come is
    // dropped by the next send.
    void abandon();

private:
    enum class Stage { Idle, Scan, PollOut, PollIn };

    explicit PollExchange(QObject* parent);
    ~PollExchange() override;
    // One look at the port, from the timer or a wait.
    void look();
    void sendPoll();
    // What the poll's reply (empty when none came) shows.
    void showReply();
    void finish();

    Stage stage_ = Stage::Idle;
    PortScan scan_;
    std::optional<LineWait> wait_;
    QByteArray reply_;
    End end_;
    Done done_;
    bool looking_ = false;
    QTimer timer_;
};

// Panel 4 when the instrument is not answering or not found: picture 2
// and "NO COMMUNICATION".
void showNoCommunication();

} // namespace zuv
