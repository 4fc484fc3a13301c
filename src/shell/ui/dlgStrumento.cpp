#include "shell/ui/dlgStrumento.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zuv {

dlgStrumento::dlgStrumento(QWidget* parent)
    : QWidget(parent, Qt::Dialog), Label2(new QLabel(this)), Label1(new QLabel(this)), Label3(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setMinimumSize(265, 145);
    Label1->setWordWrap(true);
    Label3->setFont(bold);
    layout->addWidget(Label2);
    layout->addWidget(Label1, 1);
    layout->addWidget(Label3);
    resize(300, 260);
}

void dlgStrumento::setHeading(const QString& text)
{
    setWindowTitle(text);
    Label2->setText(text);
}

void dlgStrumento::appendLog(const QString& text)
{
    log_ += text;
    QString shown = log_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Label1->setText(shown);
}

void dlgStrumento::setResult(const QString& text) { Label3->setText(text); }

void dlgStrumento::setBusy(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

QString dlgStrumento::heading() const { return Label2->text(); }
QString dlgStrumento::result() const { return Label3->text(); }

} // namespace zuv
