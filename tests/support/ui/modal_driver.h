#pragma once
// A user at the keyboard for the real Qt services: each step waits until a
// window of its kind is the active modal widget, then acts on it from a
// timer while the command that opened it is still inside exec(). Steps run
// in the order given; a message box that no step expects, or a step that
// waits too long, fails the test and closes whatever is modal, so a test
// never hangs.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QFileDialog;
class QWidget;

namespace zuv::test {

class ModalDriver : public QObject {
public:
    // What a message box showed the user.
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons; // their captions, in the order shown
        // The window the box belongs to.
        QPointer<QWidget> owner;
    };

    explicit ModalDriver(int stepTimeoutMs = 20000);
    ~ModalDriver() override;

    // The next modal window that inherits `className` ("QMessageBox",
    // "zuv::frmConfigurazione"): `act` runs on it once `ready` holds. An
    // action must not wait: it may run inside a wait of the command below
    // it, which cannot go on until the action returns.
    ModalDriver& on(const char* className, std::function<void(QWidget&)> act, QString what = QString(),
                    std::function<bool(QWidget&)> ready = nullptr);
    // The next message box: a mouse click on one of its buttons.
    ModalDriver& click(QMessageBox::StandardButton button);
    // The next message box: a key (Esc) or its close box.
    ModalDriver& key(int key);
    ModalDriver& closeBox();
    // The next file dialog: `look` at it, then the name typed into its name
    // box and Enter.
    ModalDriver& typeFile(const QString& name, std::function<void(QFileDialog&)> look = nullptr);
    // The next file dialog: `act` on it (to look at it), then Esc.
    ModalDriver& cancelFile(std::function<void(QFileDialog&)> look = nullptr);

    // Every step has run to its end.
    bool done() const { return ran_ >= steps_.size(); }
    // Waits (with events) until every step has run; false after `ms`.
    bool waitDone(int ms = 30000);
    // The message boxes met, in order, whether a step expected them or not.
    std::vector<Box> boxes;
    // The titles of the file dialogs met, in order.
    QStringList fileDialogTitles;

private:
    struct Step {
        const char* className;
        std::function<void(QWidget&)> act;
        QString what;
        std::function<bool(QWidget&)> ready;
    };

    void tick();
    void record(QWidget& w);
    void fail(const QString& why);

    std::vector<Step> steps_;
    std::size_t next_ = 0; // the step that waits for its window
    std::size_t ran_ = 0;
    QTimer timer_;
    QPointer<QWidget> acted_;
    int waitedMs_ = 0;
    int stepTimeoutMs_;
    bool failed_ = false;
};

} // namespace zuv::test
