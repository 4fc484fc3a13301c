#pragma once
// Why nothing was printed, in the program's language: the one message every
// printout shows when the printer refuses it.

#include "platform/printer.h"

#include <QString>

namespace zuv {

// Texts 368 to 371; the printer's name or the file's path after text 370.
QString printRefusalText(const PrintRefusal& why);

} // namespace zuv
