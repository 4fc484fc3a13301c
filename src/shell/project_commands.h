#pragma once
// The Project File commands, the start-up and shut-down sequences and the
// language change of the main window, without the window: everything they
// show goes through the main surface, the message and the file dialog
// services.

#include <QDate>
#include <QString>
#include <optional>

namespace zuv {

// A menu item and its toolbar button, always switched together.
void setCommandPair(const QString& menu, const QString& key, bool on);

// Today in the system's short date format; tests fix the day.
QString todayText();
void setTodayForTests(std::optional<QDate> day);

// The main window's load, after the window itself exists: state flags,
// recent files, language database, name tables, sensor library and the
// commands that need a project switched off. False when the language
// database failed (its message has been shown): the program must end.
bool startUp();

// The shut-down question when the project has unsaved changes. True when
// the caller may go on: nothing to save, the user chose No, or the project
// was saved. False for Cancel and for a save that did not happen.
bool askToSaveChanges();

// The question's text for the current project.
QString saveChangesQuestion();

// New project; false when the user kept the current one.
bool newProject();
// Opens `PercorsoDaAprire`, or asks for a file when it is empty. False when
// cancelled or when the file could not be read: the current project, the
// menus, the status bar and the recent list are then unchanged.
bool openProject();
// Recent-file item 0..3.
bool openRecentFile(int item);
// Saves to the project's file (through Save As when it has none).
bool saveProject();
// Asks for a file name (and before replacing a file), then saves there.
bool saveProjectAs();

// The main window's close: the save question, then the recent files, the
// sensor library and the port. False when the program must keep running.
bool shutDown();

// After the language dialog: offset, the analysis window's texts and the
// name tables follow the language now chosen.
void languageChanged();

} // namespace zuv
