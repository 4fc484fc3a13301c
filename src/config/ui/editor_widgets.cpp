#include "config/ui/editor_widgets.h"

#include "platform/messages.h"
#include "project/state.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

namespace zuv {

void selectOrNone(QComboBox* c, int index)
{
    c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
}

void setLook(QWidget* w, bool on)
{
    w->setEnabled(on);
    QPalette p = w->palette();
    const QColor c = on ? kActiveColour : kInactiveColour;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, c);
        p.setColor(group, QPalette::Button, c);
    }
    w->setPalette(p);
}

namespace {

// Undoes a user edit that makes the text longer than the limit; watching
// only user edits lets longer text from the program through.
class TypingLimit final : public QObject {
public:
    TypingLimit(QLineEdit* box, int limit) : QObject(box), box_(box), limit_(limit), last_(box->text())
    {
        connect(box, &QLineEdit::textEdited, this, &TypingLimit::edited);
        connect(box, &QLineEdit::textChanged, this, [this] { last_ = box_->text(); });
    }

private:
    void edited(const QString& text)
    {
        if (text.size() <= limit_ || text.size() <= last_.size())
            return;
        const int cursor = qMax(0, box_->cursorPosition() - int(text.size() - last_.size()));
        box_->setText(last_);
        box_->setCursorPosition(qMin(cursor, int(last_.size())));
    }

    QLineEdit* box_;
    int limit_;
    QString last_;
};

} // namespace

void limitTyping(QLineEdit* box, int limit) { new TypingLimit(box, limit); }

QLineEdit* numberBox(const char* name, int digits, int margin, QWidget* parent)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + margin);
    box->setAlignment(Qt::AlignRight);
    return box;
}

BoxChecker::BoxChecker(QWidget* window) : QObject(window), window_(window) {}

void BoxChecker::add(QLineEdit* box, Rule rule, bool offWhenDisabled)
{
    entries_.push_back(Entry{box, std::move(rule), offWhenDisabled});
    box->installEventFilter(this);
}

void BoxChecker::passThrough(QWidget* control) { passThrough_.insert(control); }

BoxChecker::Entry* BoxChecker::find(const QObject* box)
{
    for (Entry& e : entries_)
        if (e.box == box)
            return &e;
    return nullptr;
}

bool BoxChecker::check(QLineEdit* box)
{
    Entry* e = find(box);
    return e ? run(*e) : true;
}

bool BoxChecker::checkAll()
{
    for (Entry& e : entries_)
        if (!run(e))
            return false;
    return true;
}

bool BoxChecker::run(Entry& e)
{
    const BoxCheck r = e.rule(e.box->text());
    if (r.ok) {
        if (e.box->text() != r.text)
            e.box->setText(r.text);
        return true;
    }
    // Nobody can type into a switched-off box, and what it holds is neither
    // sent nor used while its check box stays cleared.
    if (e.offWhenDisabled && !e.box->isEnabled())
        return true;
    // The message box and the focus moves below would report focus changes
    // of their own; none of them is the user leaving a box.
    const bool wasBusy = busy_;
    busy_ = true;
    msgBox(window_, languageText(262), MsgIcon::Exclamation, MsgButtons::Ok, window_->windowTitle());
    e.box->clear();
    showTabOf(e.box);
    e.box->setFocus(Qt::OtherFocusReason);
    busy_ = wasBusy;
    return false;
}

void BoxChecker::showTabOf(QWidget* box)
{
    // A box refused at OK may sit on a tab that is not shown; the focus
    // reaches it only once its tab is.
    for (QWidget* w = box; w && w != window_; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(w);
    }
}

bool BoxChecker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !busy_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a popup is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::MenuBarFocusReason) {
            if (Entry* e = find(watched)) {
                // Checked once the focus has settled on its new control.
                QPointer<QLineEdit> box = e->box;
                QTimer::singleShot(0, this, [this, box] { left(box); });
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void BoxChecker::left(QPointer<QLineEdit> box)
{
    if (!box || busy_ || !window_->isVisible())
        return;
    QWidget* now = QApplication::focusWidget();
    if (!now || now == box || now->window() != window_ || passThrough_.contains(now))
        return;
    check(box);
}

} // namespace zuv
