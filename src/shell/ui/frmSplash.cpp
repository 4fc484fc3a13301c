#include "shell/ui/frmSplash.h"

#include "platform/clock.h"
#include "shell/ui/pictures.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#ifndef ZUV_VERSION_MAJOR
#define ZUV_VERSION_MAJOR 1
#define ZUV_VERSION_MINOR 0
#define ZUV_VERSION_PATCH 0
#endif

namespace zuv {

namespace {
constexpr QSize kPicture(480, 270);
}

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kPicture);
    setFocusPolicy(Qt::StrongFocus);
    setWindowIcon(programIcon());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(splashPixmap(kPicture));
    Image1->setGeometry(QRect(QPoint(0, 0), kPicture));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setStyleSheet(QStringLiteral("color: #c9d1d9; background: transparent;"));
    QFont font = lblVersion->font();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    lblVersion->setFont(font);
    lblVersion->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblVersion->setGeometry(29, kPicture.height() - 70, 200, 24);
    lblVersion->setText(programVersionText());

    if (QScreen* s = screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

QString frmSplash::versionText(int major, int minor, int revision)
{
    return QStringLiteral("Ver %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString frmSplash::programVersionText()
{
    return versionText(ZUV_VERSION_MAJOR, ZUV_VERSION_MINOR, ZUV_VERSION_PATCH);
}

void frmSplash::startUpWait(const std::function<void()>& showMain)
{
    if (blnInfo)
        return;
    Clock& c = clock();
    const qint64 start = c.tickMs();
    // Elapsed time, so a counter that wraps cannot shorten or stretch it.
    while (c.tickMs() - start < kStartUpWaitMs) {
        c.yieldEvents();
        c.sleepMs(10);
    }
    if (showMain)
        showMain();
    close();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    close();
}

bool frmSplash::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        close();
    return QWidget::event(event);
}

} // namespace zuv
