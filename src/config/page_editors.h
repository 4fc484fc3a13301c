#pragma once
// The three configuration page editors between the project record and their
// controls: what a window shows when it opens, and what its OK stores once
// every box has passed its check. The windows implement the views: the
// link's page views for what travels to the instrument, and the few
// controls only the project keeps.

#include "config/checks.h"
#include "link/page_views.h"
#include "link/sensors_run.h"
#include "project/project_record.h"

#include <optional>

namespace zuv {

// --- configuration page --------------------------------------------------------
// The page view covers it all, display pages 1 and 10 included.

// A stored selection that is no item of its list selects nothing.
void recordToView(const ProjectRecord& rec, ConfigPageView& view);
// A list with nothing selected stores 0; boxes store the number they hold.
void viewToRecord(const ConfigPageView& view, ProjectRecord& rec);

// --- sensors page ----------------------------------------------------------------

// The sampling rates that are not a channel's (those go by slot 0..8).
inline constexpr int kSamplingRPM = 9;
inline constexpr int kSamplingVV = 10;

class SensorsEditorView : public SensorsPageView {
public:
    // The editable lists, as their text: a channel's sensor by slot, and
    // the sampling rate of a channel (by slot), of the engine speed
    // (kSamplingRPM) or of the vehicle speed (kSamplingVV).
    virtual QString sensorText(int slot) const = 0;
    virtual void setSensorText(int slot, const QString& text) = 0;
    virtual QString samplingText(int which) const = 0;
    virtual void setSamplingText(int which, const QString& text) = 0;
};

// The enable box of the channel in `slot` 0..8, and the list of its analog
// input (the four wired channels only).
SensorsCheck channelCheck(int slot);
std::optional<SensorsCombo> channelInput(int slot);
// The channels as the window shows them, by slot, for its checks and Send.
ChannelEntries channelEntries(const SensorsEditorView& view);
// The curves a Send of the page puts out: those of the enabled channels.
SlotSensors slotSensorsFrom(const ChannelEntries& bySlot);

void recordToView(const ProjectRecord& rec, SensorsEditorView& view);
void viewToRecord(const SensorsEditorView& view, ProjectRecord& rec);

// --- alarms and shift-light page --------------------------------------------------

enum class Lamp { Verde, Blu };

class AlarmsEditorView : public AlarmsPageView {
public:
    // The green and blue lamps, kept in the project and never sent: their
    // check boxes (setting one runs its rule, every time) and the text of
    // their lists.
    virtual Qt::CheckState lampCheck(Lamp lamp) const = 0;
    virtual void setLampCheck(Lamp lamp, Qt::CheckState state) = 0;
    virtual QString lampText(Lamp lamp) const = 0;
    virtual void setLampText(Lamp lamp, const QString& text) = 0;
};

// Thresholds show the stored value whether their alarm is on or not; a
// stored type outside its list selects nothing.
void recordToView(const ProjectRecord& rec, AlarmsEditorView& view);
// A type list with nothing selected stores 0.
void viewToRecord(const AlarmsEditorView& view, ProjectRecord& rec);

} // namespace zuv
