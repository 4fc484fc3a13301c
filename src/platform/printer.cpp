#include "platform/printer.h"

#include "platform/service.h"

namespace zuv {
namespace {

// Without a printer every document is refused, with the reason.
class NoPrinter final : public PrinterService {
public:
    std::unique_ptr<PrintJob> beginDocument(const QString&, PrintRefusal* why) override
    {
        if (why)
            *why = {PrintFault::NoPrinter, QString()};
        return nullptr;
    }
};

constinit ServiceHolder<PrinterService, NoPrinter> g_printer;

} // namespace

PrinterService& printer() { return g_printer.get(); }

void setPrinter(PrinterService* service) { g_printer.set(service); }

} // namespace zuv
