#include "shell/ui/command_windows.h"

#include "config/ui/frmAllarmi.h"
#include "config/ui/frmConfigurazione.h"
#include "config/ui/frmImpostaSensore.h"
#include "config/ui/frmSensori.h"
#include "shell/device_ops.h"
#include "shell/export_data.h"
#include "shell/ui/dlgDiagnostica.h"
#include "shell/ui/dlgStrumento.h"
#include "shell/ui/frmDownload.h"

namespace zuv {

namespace {

template <typename Dialog>
void execDialog(QWidget* parent)
{
    Dialog dialog(parent);
    dialog.exec();
}

} // namespace

QtCommandWindows::~QtCommandWindows() { delete progress_; }

void QtCommandWindows::run(WindowCommand command, QWidget* parent)
{
    switch (command) {
    case WindowCommand::Setup: execDialog<frmConfigurazione>(parent); return;
    case WindowCommand::Sensors: execDialog<frmSensori>(parent); return;
    case WindowCommand::Alarms: execDialog<frmAllarmi>(parent); return;
    case WindowCommand::CustomizeSensors: openSensorSetup(parent); return;
    case WindowCommand::ProgramDevice: runDeviceCommand(true, parent); return;
    case WindowCommand::ReadDevice: runDeviceCommand(false, parent); return;
    case WindowCommand::ViewDevice: execDialog<dlgDiagnostica>(parent); return;
    case WindowCommand::DownloadData: runDownloadData(parent); return;
    case WindowCommand::SaveData: runSaveData(); return;
    }
}

void QtCommandWindows::runDeviceCommand(bool program, QWidget* parent)
{
    const ProgressOpener opener = [this, parent]() -> DeviceProgressView& {
        // The window of the run before goes once the new one stands.
        auto* next = new dlgStrumento(parent);
        delete progress_;
        progress_ = next;
        progress_->show();
        return *progress_;
    };
    if (program)
        programInstrument(opener);
    else
        readInstrument(opener);
}

} // namespace zuv
