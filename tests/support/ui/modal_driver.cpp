#include "support/ui/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace zuv::test {

namespace {
constexpr int kTickMs = 10;
}

ModalDriver::ModalDriver(int stepTimeoutMs) : stepTimeoutMs_(stepTimeoutMs)
{
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::tick);
    timer_.start(kTickMs);
}

ModalDriver::~ModalDriver() { timer_.stop(); }

ModalDriver& ModalDriver::on(const char* className, std::function<void(QWidget&)> act, QString what,
                             std::function<bool(QWidget&)> ready)
{
    steps_.push_back({className, std::move(act), what.isEmpty() ? QString::fromLatin1(className) : what,
                      std::move(ready)});
    return *this;
}

ModalDriver& ModalDriver::click(QMessageBox::StandardButton button)
{
    return on(
        "QMessageBox",
        [button](QWidget& w) {
            auto& box = static_cast<QMessageBox&>(w);
            QAbstractButton* b = box.button(button);
            if (!b) {
                ADD_FAILURE() << "the box has no such button: " << box.text().toStdString();
                box.reject();
                return;
            }
            QTest::mouseClick(b, Qt::LeftButton);
        },
        QStringLiteral("a message box to click"));
}

ModalDriver& ModalDriver::key(int key)
{
    return on("QMessageBox", [key](QWidget& w) { QTest::keyClick(&w, Qt::Key(key)); },
              QStringLiteral("a message box to press a key in"));
}

ModalDriver& ModalDriver::closeBox()
{
    return on("QMessageBox", [](QWidget& w) { w.close(); }, QStringLiteral("a message box to close"));
}

ModalDriver& ModalDriver::typeFile(const QString& name, std::function<void(QFileDialog&)> look)
{
    return on(
        "QFileDialog",
        [name, look](QWidget& w) {
            if (look)
                look(static_cast<QFileDialog&>(w));
            auto* edit = w.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                ADD_FAILURE() << "a file dialog without its name box";
                static_cast<QDialog&>(w).reject();
                return;
            }
            // Typed faster than any completion list could come up, so that
            // Enter goes to the dialog.
            edit->setCompleter(nullptr);
            edit->setFocus(Qt::OtherFocusReason);
            edit->clear();
            QTest::keyClicks(edit, name);
            QTest::keyClick(edit, Qt::Key_Return);
        },
        QStringLiteral("a file dialog to type ") + name);
}

ModalDriver& ModalDriver::cancelFile(std::function<void(QFileDialog&)> look)
{
    return on(
        "QFileDialog",
        [look](QWidget& w) {
            if (look)
                look(static_cast<QFileDialog&>(w));
            QTest::keyClick(&w, Qt::Key_Escape);
        },
        QStringLiteral("a file dialog to cancel"));
}

bool ModalDriver::waitDone(int ms)
{
    if (!QTest::qWaitFor([this] { return done() || failed_; }, ms) && !failed_)
        fail(QStringLiteral("still waiting for ") + steps_[std::min(next_, steps_.size() - 1)].what);
    return done();
}

void ModalDriver::record(QWidget& w)
{
    if (auto* box = qobject_cast<QMessageBox*>(&w)) {
        Box b{box->windowTitle(), box->text(), box->icon(), {}, box->parentWidget()};
        for (QAbstractButton* button : box->buttons())
            b.buttons << button->text();
        boxes.push_back(b);
    } else if (qobject_cast<QFileDialog*>(&w)) {
        fileDialogTitles << w.windowTitle();
    }
}

void ModalDriver::fail(const QString& why)
{
    if (failed_)
        return;
    failed_ = true;
    ADD_FAILURE() << why.toStdString();
}

void ModalDriver::tick()
{
    QWidget* w = QApplication::activeModalWidget();
    if (failed_) {
        // Out of every modal loop, so the test goes on to its end.
        if (w)
            QTimer::singleShot(0, w, [w] {
                if (auto* d = qobject_cast<QDialog*>(w))
                    d->reject();
                else
                    w->close();
            });
        return;
    }
    if (w && w != acted_) {
        const bool expected = next_ < steps_.size() && w->inherits(steps_[next_].className);
        const bool ready = expected && (!steps_[next_].ready || steps_[next_].ready(*w));
        // The user acts on the window in front, once it has the focus (a
        // file dialog still settling would take typed keys for itself); one
        // left behind another is clicked to the front first.
        if (ready && !w->isActiveWindow()) {
            w->activateWindow();
        } else if (ready) {
            record(*w);
            acted_ = w;
            waitedMs_ = 0;
            std::function<void(QWidget&)> act = steps_[next_++].act;
            QTimer::singleShot(0, w, [this, act, w] {
                act(*w);
                ++ran_;
            });
            return;
        }
        if (!expected && qobject_cast<QMessageBox*>(w)) {
            record(*w);
            acted_ = w;
            fail(QStringLiteral("a message box no step expected: ") + static_cast<QMessageBox*>(w)->text());
            return;
        }
    }
    // A window still waiting for the user after the last step, or a step
    // waiting too long for its window: the test would hang.
    if (next_ < steps_.size() || (done() && w)) {
        if ((waitedMs_ += kTickMs) > stepTimeoutMs_)
            fail(next_ < steps_.size() ? QStringLiteral("timed out waiting for ") + steps_[next_].what
                                       : QStringLiteral("a window left open after the last step: ")
                                             + QString::fromLatin1(w->metaObject()->className()));
    } else {
        waitedMs_ = 0;
    }
}

} // namespace zuv::test
