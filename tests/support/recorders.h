#pragma once
// Stand-ins for the platform services: each keeps what the code asked for
// and answers from a script the test writes.

#include "platform/dialogs.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/printer.h"

#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zuv::test {

struct ShownMessage {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    QString title;
    // The window the box was given as its own; nullptr for none.
    const QObject* owner = nullptr;
};

// Keeps every message and answers from `answers`. A question (any buttons
// but OK alone) with the script empty fails the test and gets the answer
// of a box closed with Esc, so no test confirms by accident.
class MessageRecorder final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                   QObject* owner) override;

    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;

    void clear()
    {
        shown.clear();
        answers.clear();
    }
};

// Keeps every request and answers from a script; empty (cancel) once the
// script runs out.
class DialogRecorder final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override;
    std::optional<quint32> askColour(quint32 initial) override;

    std::vector<FileDialogRequest> asked;
    std::deque<QString> answers;
    // The colour each colour dialog opened on, and the answers (nothing:
    // cancelled).
    std::vector<quint32> coloursAsked;
    std::deque<std::optional<quint32>> colourAnswers;
};

// Keeps every call as a line of text: "pos 120,240", "font Arial 10 bold",
// "text Hello", "box 0,0,100,50", "line 0,0,100,50" (and "page", "end" in a
// printed document).
class RecordingSurface : public PrintSurface {
public:
    void setPosition(int x, int y) override;
    void setFont(const QString& family, double pointSize, bool bold) override;
    void printLine(const QString& text) override;
    void drawBox(int x, int y, int w, int h) override;
    void drawLine(int x1, int y1, int x2, int y2) override;

    std::vector<QString> calls;
};

// Keeps every document it was asked to print.
class PrintRecorder final : public PrinterService {
public:
    std::unique_ptr<PrintJob> beginDocument(const QString& title, PrintRefusal* why) override;

    struct Document {
        QString title;
        std::vector<QString> calls;
        bool ended = false;
    };
    std::vector<Document> documents;
    // When set, beginDocument refuses for this reason.
    std::optional<PrintRefusal> refuse;
    // The printer does not take the documents it was given.
    bool refuseEnd = false;
};

// Keeps the last state of everything and the order of the enable calls.
class SurfaceRecorder final : public MainSurface {
public:
    void setMenuEnabled(const QString& menu, bool on) override;
    void setButtonEnabled(const QString& key, bool on) override;
    void setPanelText(int panel, const QString& text) override
    {
        panelText[panel] = text;
        panelTexts.emplace_back(panel, text);
    }
    void setPanelPicture(int panel, PanelPicture picture) override { panelPicture[panel] = picture; }
    void setRecentItem(int item, bool visible, const QString& caption) override
    {
        recent[item] = {visible, caption};
    }
    void setBusy(bool on) override { busy = on; }

    struct Recent {
        bool visible = false;
        QString caption;
    };

    std::map<QString, bool> menus;
    std::map<QString, bool> buttons;
    std::map<int, QString> panelText;
    // Every panel text, in call order.
    std::vector<std::pair<int, QString>> panelTexts;
    std::map<int, PanelPicture> panelPicture;
    std::map<int, Recent> recent;
    bool busy = false;
    // "menu:mnuSave=1", "button:Save=0", in call order.
    std::vector<QString> calls;

    void clear() { *this = SurfaceRecorder(); }
};

} // namespace zuv::test
