#include "platform/printer.h"

namespace zuv {
namespace {

class NoPrinter final : public PrinterService {
public:
    std::unique_ptr<PrintJob> beginDocument(const QString&, QString* error) override
    {
        if (error)
            *error = QStringLiteral("No printer is set up.");
        return nullptr;
    }
};

PrinterService* g_printer = nullptr;

} // namespace

PrinterService& printer()
{
    static NoPrinter none;
    return g_printer ? *g_printer : none;
}

void setPrinter(PrinterService* service) { g_printer = service; }

} // namespace zuv
