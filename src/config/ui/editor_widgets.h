#pragma once
// Small helpers the configuration editors share: control names, list
// selections, the enabled and disabled look of a control its check box
// governs, a typing-only length limit, and the number boxes' check when the
// focus leaves them.

#include "config/checks.h"

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

// The back colour of a switched-off control (the system colour of inactive
// borders) and of a switched-on one.
inline const QColor kInactiveColour{0xD4, 0xD0, 0xC8};
inline const QColor kActiveColour{0xFF, 0xFF, 0xFF};

// Enabled and white, or disabled and grey.
void setLook(QWidget* w, bool on);

// Limits what the user types to `limit` characters; text the program puts
// into the box stays whole.
void limitTyping(QLineEdit* box, int limit);

// A right-aligned box for a number, named `name`: as wide as `digits`
// digits and `margin` pixels for its frame.
QLineEdit* numberBox(const char* name, int digits, int margin, QWidget* parent);

// The numeric boxes of one window. When the focus leaves a box for another
// control of the window, its rule runs: accepted, the box shows the checked
// text (which stores as the checked value); refused, text 262 (exclamation, the window's caption as title), the
// box is emptied and keeps the focus. `checkAll` runs every rule in order,
// for the buttons that store or send.
class BoxChecker final : public QObject {
public:
    using Rule = std::function<BoxCheck(const QString&)>;

    explicit BoxChecker(QWidget* window);

    // With `offWhenDisabled`, a switched-off box (its check box cleared) is
    // not refused, whatever it holds.
    void add(QLineEdit* box, Rule rule, bool offWhenDisabled = false);
    // Leaving a box for this control does not check it: the control checks
    // every box itself (OK, Send) or needs no check (Cancel, Read).
    void passThrough(QWidget* control);

    bool check(QLineEdit* box);
    bool checkAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTabOf(QWidget* box);
    struct Entry {
        QLineEdit* box;
        Rule rule;
        bool offWhenDisabled;
    };

    Entry* find(const QObject* box);
    bool run(Entry& e);
    void left(QPointer<QLineEdit> box);

    QWidget* window_;
    std::vector<Entry> entries_;
    QSet<const QWidget*> passThrough_;
    bool busy_ = false;
};

} // namespace zuv
