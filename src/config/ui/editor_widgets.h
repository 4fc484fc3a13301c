#pragma once
// Small helpers the configuration editors share: control names, list
// selections, the enabled and disabled look of a control its check box
// governs, a typing-only length limit, and the number boxes' check when the
// focus leaves them.

#include "config/checks.h"
#include "link/link_guard.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

namespace zuv {

// The name tests and page codecs find the control by.
template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// Selects item `index`, or nothing when the list has no such item.
void selectOrNone(QComboBox* c, int index);
// The selected item as stored in the record: 0 when nothing is selected.
qint16 storedIndex(const QComboBox* c);

// The back colour of a switched-off control (the system colour of inactive
// borders) and of a switched-on one.
inline const QColor kColoreDisattivo{0xD4, 0xD0, 0xC8};
inline const QColor kColoreAttivo{0xFF, 0xFF, 0xFF};

// Enabled and white, or disabled and grey.
void setLook(QWidget* w, bool on);
// The back colour the look gave the control.
QColor lookColour(const QWidget* w);

// Limits what the user types to `limit` characters; text the program puts
// into the box stays whole.
void limitTyping(QLineEdit* box, int limit);

// The numeric boxes of one window. When the focus leaves a box for another
// control of the window, its rule runs: accepted, the box shows the checked
// text; refused, text 262 (exclamation, the window's caption as title), the
// box is emptied and keeps the focus. `checkAll` runs every rule in order,
// for the buttons that store or send.
class BoxChecker final : public QObject {
public:
    using Rule = std::function<BoxCheck(const QString&)>;

    explicit BoxChecker(QWidget* window);

    // With `offWhenDisabled`, a switched-off box (its check box cleared) is
    // not refused: its value is what the rule accepts, else 0.
    void add(QLineEdit* box, Rule rule, bool offWhenDisabled = false);
    // Leaving a box for this control does not check it: the control checks
    // every box itself (OK, Send) or needs no check (Cancel, Read).
    void passThrough(QWidget* control);

    bool check(QLineEdit* box);
    bool checkAll();
    // The value of the box's last accepted check.
    qint32 value(const QLineEdit* box) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTabOf(QWidget* box);
    struct Entry {
        QLineEdit* box;
        Rule rule;
        bool offWhenDisabled;
        qint32 value;
    };

    Entry* find(const QObject* box);
    const Entry* find(const QObject* box) const;
    bool run(Entry& e);
    void left(QPointer<QLineEdit> box);

    QWidget* window_;
    std::vector<Entry> entries_;
    QSet<const QWidget*> passThrough_;
    bool busy_ = false;
};

// One instrument operation of a page window, from after its confirmation to
// its end message: the link held, ComandoInCorso set, the busy cursor on the
// window, the text in panel 3 and the given buttons off; the destructor puts
// ComandoInCorso back to 0 and the buttons as they were.
class PageRun {
public:
    PageRun(QWidget* window, int comando, const QString& panel3, const std::vector<QWidget*>& off);
    ~PageRun();
    PageRun(const PageRun&) = delete;
    PageRun& operator=(const PageRun&) = delete;

    // The user closed the window during one of the run's waits.
    bool closed() const;
    // Cursor back and panel 3 emptied, before the end message.
    void finish();

private:
    LinkGuard guard_;
    QPointer<QWidget> window_;
    bool startedVisible_;
    std::vector<std::pair<QPointer<QWidget>, bool>> off_;
    bool finished_ = false;
};

} // namespace zuv
