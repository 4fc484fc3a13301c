#include "link/poll_exchange.h"

#include "link/commands.h"
#include "link/link_guard.h"
#include "platform/clock.h"
#include "platform/mainsurface.h"
#include "platform/serialport.h"

#include <QCoreApplication>
#include <QPointer>

namespace zuv {

namespace {

// How often the port is looked at while an exchange is under way.
constexpr int kLookMs = 1;

QPointer<PollExchange> g_instance;

} // namespace

PollExchange::PollExchange(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kLookMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PollExchange::look);
}

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
            end_.reply = wait_->bytes();
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

void PollExchange::finish()
{
    stage_ = Stage::Idle;
    wait_.reset();
    timer_.stop();
    // Idle before `done` runs: it may start the next tick's exchanges.
    const Done done = std::move(done_);
    done_ = nullptr;
    if (done)
        done(end_);
}

} // namespace zuv
