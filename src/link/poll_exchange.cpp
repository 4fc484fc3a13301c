#include "link/poll_exchange.h"

#include "link/command_set.h"
#include "link/link_guard.h"
#include "platform/mainsurface.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <QCoreApplication>
#include <QPointer>

namespace zuv {

namespace {

// How often the port is looked at while an exchange is under way.
constexpr int kLookMs = 1;

QPointer<PollExchange> g_instance;

} // namespace

void showNoCommunication()
{
    mainSurface().setPanelPicture(4, PanelPicture::LinkOff);
    mainSurface().setPanelText(4, QStringLiteral("NO COMMUNICATION"));
}

PollExchange::PollExchange(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kLookMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PollExchange::look);
    setExchangeSettler(&PollExchange::settle);
}

PollExchange::~PollExchange() { setExchangeSettler(nullptr); }

PollExchange& PollExchange::instance()
{
    if (!g_instance)
        g_instance = new PollExchange(QCoreApplication::instance());
    return *g_instance;
}

void PollExchange::settle()
{
    PollExchange* p = g_instance;
    if (!p || !p->underWay() || p->looking_)
        return;
    p->end_.cut = true;
    mainSurface().setBusy(true);
    p->runToEnd();
    mainSurface().setBusy(false);
}

bool PollExchange::start(Done done)
{
    if (underWay())
        return false;
    end_ = End{};
    reply_.clear();
    done_ = std::move(done);
    stage_ = Stage::Scan;
    switch (scan_.start()) {
    case LineWait::State::Waiting:
        break;
    case LineWait::State::Done:
        end_.connected = true;
        sendPoll();
        break;
    case LineWait::State::Failed:
        stage_ = Stage::Idle;
        break;
    }
    if (underWay())
        timer_.start();
    else
        finish();
    return true;
}

void PollExchange::runToEnd()
{
    if (looking_ || !underWay())
        return;
    lookUntilOver(
        [this] {
            look();
            return underWay() ? LineWait::State::Waiting : LineWait::State::Done;
        },
        false);
}

void PollExchange::abandon()
{
    if (looking_ || !underWay())
        return;
    if (stage_ == Stage::Scan)
        serialPort().close();
    stage_ = Stage::Idle;
    wait_.reset();
    timer_.stop();
    done_ = nullptr;
}

void PollExchange::look()
{
    if (looking_ || !underWay())
        return;
    looking_ = true;
    SerialPort& port = serialPort();
    bool over = false;
    switch (stage_) {
    case Stage::Idle:
        break;
    case Stage::Scan:
        switch (scan_.look(!end_.cut)) {
        case LineWait::State::Waiting:
            break;
        case LineWait::State::Done:
            end_.connected = true;
            if (end_.cut)
                over = true;
            else
                sendPoll();
            break;
        case LineWait::State::Failed:
            over = true;
            break;
        }
        break;
    case Stage::PollOut:
        switch (wait_->look(port)) {
        case LineWait::State::Waiting:
            break;
        case LineWait::State::Done:
            wait_ = LineWait::reply(kLenCheck);
            stage_ = Stage::PollIn;
            break;
        case LineWait::State::Failed:
            over = true;
            break;
        }
        break;
    case Stage::PollIn: {
        const LineWait::State s = wait_->look(port);
        if (s == LineWait::State::Done)
            reply_ = wait_->bytes();
        over = s != LineWait::State::Waiting;
        break;
    }
    }
    looking_ = false;
    if (over || stage_ == Stage::Idle)
        finish();
}

void PollExchange::sendPoll()
{
    end_.polled = true;
    if (!startFrame(serialPort(), buildFrame(cmd::VerificaComunicazione))) {
        stage_ = Stage::Idle;
        return;
    }
    wait_ = LineWait::drain();
    stage_ = Stage::PollOut;
}

void PollExchange::showReply()
{
    // Panel 7 only with a reply: without one it keeps the last reply's text.
    if (reply_.isEmpty()) {
        showNoCommunication();
    } else {
        MainSurface& s = mainSurface();
        s.setPanelPicture(4, PanelPicture::LinkOn);
        s.setPanelText(4, QStringLiteral("COM %1").arg(serialPort().portNumber()));
        s.setPanelText(7, fromCp1252(reply_.mid(2, 10)));
    }
    StatoComunicazione.StrumentoPresente = !reply_.isEmpty();
    noteOutcome(true);
}

void PollExchange::finish()
{
    stage_ = Stage::Idle;
    wait_.reset();
    timer_.stop();
    if (end_.polled)
        showReply();
    // Idle before `done` runs: it may start the next tick's exchanges.
    const Done done = std::move(done_);
    done_ = nullptr;
    if (done)
        done(end_);
}

} // namespace zuv
