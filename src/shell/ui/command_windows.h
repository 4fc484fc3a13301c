#pragma once
// The main window's commands that run in a window of their own (the
// editors, the instrument operations, the download and the export). The
// main window runs them through this interface, so that a test can give it
// a stand-in and run a command without its window; `QtCommandWindows` opens
// the real ones.

#include <QPointer>

class QWidget;

namespace zuv {

class dlgStrumento;

enum class WindowCommand {
    Setup,            // mnuSetup
    Sensors,          // mnuSensors
    Alarms,           // mnuAlarms
    CustomizeSensors, // mnuCustomizeSensors
    ProgramDevice,    // mnuProgramDevice
    ReadDevice,       // mnuReadDevice
    ViewDevice,       // mnuViewDevice
    DownloadData,     // mnuDownloadData
    SaveData,         // mnuSaveData
};

class CommandWindows {
public:
    virtual ~CommandWindows() = default;
    // Runs `command` with the main window as `parent`.
    virtual void run(WindowCommand command, QWidget* parent) = 0;
};

class QtCommandWindows final : public CommandWindows {
public:
    QtCommandWindows() = default;
    QtCommandWindows(const QtCommandWindows&) = delete;
    QtCommandWindows& operator=(const QtCommandWindows&) = delete;
    ~QtCommandWindows() override;

    void run(WindowCommand command, QWidget* parent) override;

private:
    void runDeviceCommand(bool program, QWidget* parent);

    // The progress window of the last Program or Read Device; a run that
    // succeeds leaves it open. Its parent may take it first.
    QPointer<dlgStrumento> progress_;
};

} // namespace zuv
