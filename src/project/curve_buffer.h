#pragma once
// The one curve on its way to or from the instrument (`CurvaSensore`), and
// the window that exchanges values with the instrument (`FormAttivo`).

#include "project/active_page.h"

#include <QString>

namespace zuv {

// A sensor name empty after trimming blanks means no sensor.
bool sensorNameEmpty(const QString& name);

// True when `CaricaCurvaSensore` would find a curve for that name: the
// check before anything is sent.
bool sensorInLibrary(const QString& name);

// Points 0..19 of both arrays to 0; position 20 is left alone.
void AzzeraCurva();

// Clears the buffer, then fills it from the last library sensor of exactly
// that name: X as stored, Y times its type's scale; a fuel-level sensor
// short of 20 points goes on with X 1024 and its last Y. False, with the
// buffer cleared, when no sensor of that name with a known type exists.
bool CaricaCurvaSensore(const QString& name);

// The name of the first library sensor of exactly that type whose 20 X and
// Y values equal the buffer (Y in library units); "" when none does.
QString TrovaSensoreDaCurva(const QString& type);

// Registers the open configuration window; nullptr for none.
void ImpostaFormAttivo(ActivePage* page);

} // namespace zuv
