#pragma once
// The presence poll's exchanges as the program runs them: the scan when the
// port is closed, then the poll frame and its reply. They advance on a timer
// that looks at the port, so nothing ever waits inside them and no command
// or window can start in their middle. An exchange of the link that begins
// while they are under way lets the one in flight end first (settle), and
// the poll starts no other on that tick.

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
        bool polled = false;    // the poll frame went out
        QByteArray reply;       // its reply; empty when none came
        bool cut = false;       // another exchange took the line first
    };
    using Done = std::function<void(const End&)>;

    // The one the program runs.
    static PollExchange& instance();
    // While one is under way: it ends here, repainting only, under the busy
    // pointer; the poll then starts no further exchange on that tick.
    static void settle();

    // Starts the tick's exchanges; `done` gets their end. False while they
    // are under way.
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
    // One look at the port, from the timer or a wait.
    void look();
    void sendPoll();
    void finish();

    Stage stage_ = Stage::Idle;
    PortScan scan_;
    std::optional<LineWait> wait_;
    End end_;
    Done done_;
    bool looking_ = false;
    QTimer timer_;
};

} // namespace zuv
