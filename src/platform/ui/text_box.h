#pragma once
// A multi-line text box holds its line breaks as CR LF, as the system's own
// boxes give them, so what a user types on two lines reaches the files and
// printouts as the program's texts expect.

#include <QString>

class QPlainTextEdit;

namespace zuv {

QString multiLineText(const QPlainTextEdit& box);
// Shows `text`, whose lines may end in CR LF, LF or CR alone.
void setMultiLineText(QPlainTextEdit& box, const QString& text);

} // namespace zuv
