#pragma once
// The OK and Cancel pair of the program's small dialogs. OK is the default
// button; Cancel's caption comes from the language table when the dialog
// fills its texts. Both carry the object names the tests find them by.

class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace zuv {

QDialogButtonBox* okCancelButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace zuv
