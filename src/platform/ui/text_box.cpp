#include "platform/ui/text_box.h"

#include <QPlainTextEdit>

namespace zuv {

namespace {

QString shown(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString multiLineText(const QPlainTextEdit& box)
{
    return box.toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void setMultiLineText(QPlainTextEdit& box, const QString& text)
{
    const QString s = shown(text);
    if (box.toPlainText() != s)
        box.setPlainText(s);
}

} // namespace zuv
