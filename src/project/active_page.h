#pragma once
// A configuration window that exchanges values with the instrument while it
// is open (FormAttivo). Page codecs reach its controls through the typed
// views derived from this; the poll switches its instrument buttons.

namespace zuv {

enum class PageKind { Config, Sensors, Alarms, SensorSetup, Calibration };

class ActivePage {
public:
    virtual ~ActivePage() = default;
    virtual PageKind pageKind() const = 0;
    // The window's Send and Read buttons, on while the instrument answers.
    virtual void setInstrumentButtonsEnabled(bool on) = 0;
};

} // namespace zuv
