#include "platform/printer.h"

namespace zuv {

namespace {

QString fontCall(const QString& family, double pointSize, bool bold)
{
    return QStringLiteral("font %1 %2%3").arg(family).arg(pointSize).arg(bold ? " bold" : "");
}

class RecordedJob final : public PrintJob {
public:
    RecordedJob(PrintRecorder& owner, std::size_t index) : owner_(owner), index_(index) {}

    void setPosition(int x, int y) override { add(QStringLiteral("pos %1,%2").arg(x).arg(y)); }
    void setFont(const QString& family, double pointSize, bool bold) override
    {
        add(fontCall(family, pointSize, bold));
    }
    void printLine(const QString& text) override { add(QStringLiteral("text ") + text); }
    void drawBox(int x, int y, int w, int h) override
    {
        add(QStringLiteral("box %1,%2,%3,%4").arg(x).arg(y).arg(w).arg(h));
    }
    void drawLine(int x1, int y1, int x2, int y2) override
    {
        add(QStringLiteral("line %1,%2,%3,%4").arg(x1).arg(y1).arg(x2).arg(y2));
    }
    void newPage() override { add(QStringLiteral("page")); }
    bool endDocument() override
    {
        add(QStringLiteral("end"));
        owner_.documents[index_].ended = true;
        return true;
    }

private:
    void add(const QString& call) { owner_.documents[index_].calls.push_back(call); }

    PrintRecorder& owner_;
    std::size_t index_;
};

PrinterService* g_printer = nullptr;

} // namespace

std::unique_ptr<PrintJob> PrintRecorder::beginDocument(const QString& title, QString* error)
{
    if (!refuse.isEmpty()) {
        if (error)
            *error = refuse;
        return nullptr;
    }
    documents.push_back({title, {}, false});
    return std::make_unique<RecordedJob>(*this, documents.size() - 1);
}

void RecordingSurface::setPosition(int x, int y)
{
    calls.push_back(QStringLiteral("pos %1,%2").arg(x).arg(y));
}

void RecordingSurface::setFont(const QString& family, double pointSize, bool bold)
{
    calls.push_back(fontCall(family, pointSize, bold));
}

void RecordingSurface::printLine(const QString& text) { calls.push_back(QStringLiteral("text ") + text); }

void RecordingSurface::drawBox(int x, int y, int w, int h)
{
    calls.push_back(QStringLiteral("box %1,%2,%3,%4").arg(x).arg(y).arg(w).arg(h));
}

void RecordingSurface::drawLine(int x1, int y1, int x2, int y2)
{
    calls.push_back(QStringLiteral("line %1,%2,%3,%4").arg(x1).arg(y1).arg(x2).arg(y2));
}

PrinterService& printer()
{
    static PrintRecorder unseen;
    return g_printer ? *g_printer : unseen;
}

void setPrinter(PrinterService* service) { g_printer = service; }

} // namespace zuv
