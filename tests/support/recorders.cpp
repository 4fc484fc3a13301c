#include "support/recorders.h"

#include <gtest/gtest.h>

namespace zuv::test {

MsgAnswer MessageRecorder::show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                                QObject* owner)
{
    shown.push_back({text, icon, buttons, title, owner});
    if (answers.empty()) {
        if (buttons != MsgButtons::Ok)
            ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return cancelAnswer(buttons);
    }
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

QString DialogRecorder::askFile(const FileDialogRequest& request)
{
    asked.push_back(request);
    if (answers.empty())
        return QString();
    QString a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<quint32> DialogRecorder::askColour(quint32 initial)
{
    coloursAsked.push_back(initial);
    if (colourAnswers.empty())
        return std::nullopt;
    const std::optional<quint32> a = colourAnswers.front();
    colourAnswers.pop_front();
    return a;
}

void RecordingSurface::setPosition(int x, int y)
{
    calls.push_back(QStringLiteral("pos %1,%2").arg(x).arg(y));
}

void RecordingSurface::setFont(const QString& family, double pointSize, bool bold)
{
    calls.push_back(QStringLiteral("font %1 %2%3").arg(family).arg(pointSize).arg(bold ? " bold" : ""));
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

namespace {

// Records into the recorder's document, which outlives the job's moves.
class RecordedJob final : public PrintJob {
public:
    RecordedJob(PrintRecorder& owner, std::size_t index) : owner_(owner), index_(index) {}

    void setPosition(int x, int y) override { forward([&](RecordingSurface& s) { s.setPosition(x, y); }); }
    void setFont(const QString& family, double pointSize, bool bold) override
    {
        forward([&](RecordingSurface& s) { s.setFont(family, pointSize, bold); });
    }
    void printLine(const QString& text) override { forward([&](RecordingSurface& s) { s.printLine(text); }); }
    void drawBox(int x, int y, int w, int h) override
    {
        forward([&](RecordingSurface& s) { s.drawBox(x, y, w, h); });
    }
    void drawLine(int x1, int y1, int x2, int y2) override
    {
        forward([&](RecordingSurface& s) { s.drawLine(x1, y1, x2, y2); });
    }
    void newPage() override { document().calls.push_back(QStringLiteral("page")); }
    bool endDocument() override
    {
        document().calls.push_back(QStringLiteral("end"));
        document().ended = !owner_.refuseEnd;
        return document().ended;
    }

private:
    PrintRecorder::Document& document() { return owner_.documents[index_]; }
    template <typename F> void forward(F call)
    {
        RecordingSurface s;
        call(s);
        for (QString& c : s.calls)
            document().calls.push_back(std::move(c));
    }

    PrintRecorder& owner_;
    std::size_t index_;
};

} // namespace

std::unique_ptr<PrintJob> PrintRecorder::beginDocument(const QString& title, PrintRefusal* why)
{
    if (refuse) {
        if (why)
            *why = *refuse;
        return nullptr;
    }
    documents.push_back({title, {}, false});
    return std::make_unique<RecordedJob>(*this, documents.size() - 1);
}

void SurfaceRecorder::setMenuEnabled(const QString& menu, bool on)
{
    menus[menu] = on;
    calls.push_back(QStringLiteral("menu:%1=%2").arg(menu).arg(on ? 1 : 0));
}

void SurfaceRecorder::setButtonEnabled(const QString& key, bool on)
{
    buttons[key] = on;
    calls.push_back(QStringLiteral("button:%1=%2").arg(key).arg(on ? 1 : 0));
}

} // namespace zuv::test
