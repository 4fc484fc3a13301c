#pragma once
// Program Device and Read Device: the whole configuration and the nine
// curves written to, or read from, the instrument step by step, with a
// progress window the user may close to break the run off.

#include <QString>
#include <functional>

namespace zuv {

// The progress window as the run sees it.
class DeviceProgressView {
public:
    virtual ~DeviceProgressView() = default;
    // Window caption and heading.
    virtual void setHeading(const QString& text) = 0;
    virtual void appendLog(const QString& text) = 0;
    virtual QString log() const = 0;
    virtual void setResult(const QString& text) = 0;
    virtual void setBusy(bool busy) = 0;
    // False once the user has closed it.
    virtual bool isShown() const = 0;
    virtual void closeWindow() = 0;
};

enum class DeviceRunEnd {
    Cancelled,     // the user said Cancel at the question, or a run was under way
    MissingSensor, // an enabled channel has no usable sensor: nothing was sent
    Succeeded,
    BrokenOff,     // the user closed the progress window
    CommError,
};

// Opens (shows) the progress window and hands it to the run; called only
// once the user has confirmed. The window outlives the run when it succeeds.
using ProgressOpener = std::function<DeviceProgressView&()>;

DeviceRunEnd programInstrument(const ProgressOpener& openProgress);
DeviceRunEnd readInstrument(const ProgressOpener& openProgress);

// The first enabled channel, in file order, whose sensor or sampling rate is
// missing or whose sensor is not in the library: its message number, or 0.
int missingSensorTextId();

} // namespace zuv
