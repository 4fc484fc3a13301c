#pragma once
// How every printout runs: a document is begun on the printer, drawn, and
// ended, which sends it; when the printer refuses it at either end, the one
// message every printout shows says why, in the program's language.

#include "platform/printer.h"

#include <QString>
#include <functional>

namespace zuv {

// Texts 368 to 371; the printer's name or the file's path after text 370.
QString printRefusalText(const PrintRefusal& why);

struct PrintResult {
    bool printed = false;
    // For a message box: why nothing was printed; empty when it was, or when
    // there was nothing to print.
    QString message;
};

// Begins a document titled `title` on `printer`, has `draw` draw its pages
// and ends it.
PrintResult printDocument(PrinterService& printer, const QString& title, const std::function<void(PrintJob&)>& draw);

} // namespace zuv
