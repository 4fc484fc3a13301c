#include "shell/project_commands.h"

#include "link/serial_comm.h"
#include "platform/dialogs.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/qtlanguage.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/project_file.h"
#include "project/recent_files.h"
#include "project/sensor_library.h"
#include "project/state.h"
#include "shell/analysis_window.h"
#include "shell/command_captions.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace zuv {

namespace {

std::optional<QDate> g_today;

const QString kProjectFilter = QStringLiteral("Project File (*.pro)");

FileDialogRequest projectDialog(bool save) { return commandFileDialog(save, save ? 6 : 3, kProjectFilter); }

// The commands a project stored in a file offers.
void enableFileCommands()
{
    setCommandPair(QStringLiteral("mnuSave"), QStringLiteral("Save"), true);
    setCommandPair(QStringLiteral("mnuSaveAs"), QStringLiteral("SaveAs"), true);
    setCommandPair(QStringLiteral("mnuReadDevice"), QStringLiteral("ReadDev"), true);
    setCommandPair(QStringLiteral("mnuProgramDevice"), QStringLiteral("ProgDev"), true);
}

// A file of that name is already in the chosen folder. The letter case is
// not compared, as on the systems the project files come from.
bool fileAlreadyThere(const QString& chosen)
{
    const QFileInfo info(chosen);
    if (info.exists())
        return true;
    const QDir folder = info.absoluteDir();
    const QString wanted = info.fileName().toUpper();
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.toUpper() == wanted)
            return true;
    }
    return false;
}

// Saves to the project's file without touching the dates.
bool saveInPlace()
{
    if (!SalvaProgetto())
        return false;
    setCommandPair(QStringLiteral("mnuProgramDevice"), QStringLiteral("ProgDev"), true);
    return true;
}

// The values Open gives the fields that older project files lack.
void presetOpenFields(ProjectRecord& p)
{
    p.chkAbilRecLap = false;
    p.mskAbilRecVel = 0;
    p.mskStopRecSecondi = 0;
    p.TempoMsgGiro = 0;
    p.TempoVisGiro = 0;
    p.Settore1 = p.Settore2 = p.Settore3 = p.Settore4 = p.Settore5 = 0;
    p.SensoreLambda.clear();
    p.TCampSensoreLambda.clear();
    p.AbilSensoreLambda = false;
    p.ChannSG = 1;
    p.ChannCambio = 0;
    p.ChannPT = 0;
    p.ChannSensoreLambda = 1;
}

} // namespace

void setCommandPair(const QString& menu, const QString& key, bool on)
{
    mainSurface().setMenuEnabled(menu, on);
    mainSurface().setButtonEnabled(key, on);
}

QString todayText()
{
    const QDate day = g_today.value_or(QDate::currentDate());
    return QLocale::system().toString(day, QLocale::ShortFormat);
}

void setTodayForTests(std::optional<QDate> day) { g_today = day; }

bool startUp()
{
    AnalisiCaricata = false;
    StatoComunicazione.StrumentoPresentePrec = false;
    StatoComunicazione.AnalisiAperta = false;
    UsaAnalisiSpeed = true;

    CaricaFileRecenti();
    if (!CaricaLingue())
        return false;
    computeLanguageOffset();
    useQtLanguage(TabellaLingua.IndiceLingua);
    CaricaTabelleCostanti();
    CaricaLibreriaSensori();
    ProgettoModificato = false;

    setCommandPair(QStringLiteral("mnuSave"), QStringLiteral("Save"), false);
    setCommandPair(QStringLiteral("mnuSaveAs"), QStringLiteral("SaveAs"), false);
    setCommandPair(QStringLiteral("mnuReadDevice"), QStringLiteral("ReadDev"), false);
    setCommandPair(QStringLiteral("mnuProgramDevice"), QStringLiteral("ProgDev"), false);
    setCommandPair(QStringLiteral("mnuSaveData"), QStringLiteral("SaveData"), false);
    setCommandPair(QStringLiteral("mnuDownloadData"), QStringLiteral("DownData"), false);
    return true;
}

QString saveChangesQuestion()
{
    const QString& name = DatiProgetto.NomeProgetto;
    const QString head = name.isEmpty() ? languageText(130) + languageText(128)
                                        : languageText(127) + name + QLatin1Char(' ') + languageText(128);
    return head + QLatin1Char('\n') + languageText(129);
}

bool askToSaveChanges()
{
    if (!ProgettoModificato)
        return true;
    switch (msgBox(saveChangesQuestion(), MsgIcon::None, MsgButtons::YesNoCancel)) {
    case MsgAnswer::No:
        return true;
    case MsgAnswer::Yes:
        // An unnamed project goes through Save As even when it has a file,
        // so a New after an Open never overwrites the opened file.
        if (DatiProgetto.NomeProgetto.isEmpty() || PercorsoFileProgetto.isEmpty())
            return saveProjectAs();
        return saveInPlace();
    default:
        return false;
    }
}

bool newProject()
{
    if (!askToSaveChanges())
        return false;
    NuovoProgetto();
    mainSurface().setPanelText(1, languageText(131));
    mainSurface().setPanelText(2, QString());
    PercorsoFileProgetto.clear();
    ProgettoModificato = false;
    setCommandPair(QStringLiteral("mnuSave"), QStringLiteral("Save"), false);
    setCommandPair(QStringLiteral("mnuSaveAs"), QStringLiteral("SaveAs"), true);
    setCommandPair(QStringLiteral("mnuReadDevice"), QStringLiteral("ReadDev"), true);
    setCommandPair(QStringLiteral("mnuProgramDevice"), QStringLiteral("ProgDev"), false);
    return true;
}

namespace {

// Open once the unsaved changes have been dealt with.
bool openAfterQuestion()
{
    struct Clear {
        ~Clear() { PercorsoDaAprire.clear(); }
    } clearAtEnd;

    if (PercorsoDaAprire.isEmpty()) {
        FileDialogRequest request = projectDialog(false);
        request.folder = programFolder();
        PercorsoDaAprire = dialogs().askFile(request);
        if (PercorsoDaAprire.isEmpty())
            return false;
    }

    // The record is loaded over a copy of itself: a file that cannot be
    // read leaves the current project exactly as it was.
    const ProjectRecord before = DatiProgetto;
    presetOpenFields(DatiProgetto);
    if (!CaricaProgetto(PercorsoDaAprire)) {
        DatiProgetto = before;
        return false;
    }

    setCommandPair(QStringLiteral("mnuConfigure"), QStringLiteral("Setup"), true);
    mainSurface().setButtonEnabled(QStringLiteral("Sensor"), true);
    mainSurface().setButtonEnabled(QStringLiteral("Alarm"), true);
    mainSurface().setMenuEnabled(QStringLiteral("mnuNote"), true);
    PercorsoFileProgetto = PercorsoDaAprire;
    mainSurface().setPanelText(1, DatiProgetto.NomeProgetto);
    mainSurface().setPanelText(2, PercorsoFileProgetto);
    ProgettoModificato = false;
    enableFileCommands();
    // The menu follows the list in memory: a program folder that cannot be
    // written still lists the project just opened.
    SalvaFileRecenti();
    showRecentFiles();
    return true;
}

} // namespace

bool openProject()
{
    if (!askToSaveChanges()) {
        PercorsoDaAprire.clear();
        return false;
    }
    return openAfterQuestion();
}

bool openRecentFile(int item)
{
    if (item < 0 || item > 3 || FileRecenti[std::size_t(item)].isEmpty())
        return false;
    // The question comes before the path is taken, so a Cancel leaves
    // nothing behind for the next Open.
    if (!askToSaveChanges())
        return false;
    PercorsoDaAprire = FileRecenti[std::size_t(item)];
    return openAfterQuestion();
}

bool saveProject()
{
    if (PercorsoFileProgetto.isEmpty())
        return saveProjectAs();
    const QString before = DatiProgetto.DataUltimaModifica;
    DatiProgetto.DataUltimaModifica = todayText();
    if (!saveInPlace()) {
        DatiProgetto.DataUltimaModifica = before;
        return false;
    }
    return true;
}

bool saveProjectAs()
{
    FileDialogRequest request = projectDialog(true);
    if (!PercorsoFileProgetto.isEmpty()) {
        const QFileInfo current(PercorsoFileProgetto);
        request.folder = current.absolutePath();
        request.fileName = current.fileName();
    }
    QString chosen = dialogs().askFile(request);
    if (chosen.isEmpty())
        return false;
    // Open lists only "*.pro": a name typed without an extension gets it.
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pro");

    if (fileAlreadyThere(chosen)) {
        if (msgBox(chosen + QLatin1Char(' ') + languageText(132), MsgIcon::Exclamation,
                   MsgButtons::OkCancel, languageText(133)) != MsgAnswer::Ok)
            return false;
    }

    const QString pathBefore = PercorsoFileProgetto;
    const QString dateBefore = DatiProgetto.DataCreazione;
    PercorsoFileProgetto = chosen;
    DatiProgetto.DataCreazione = todayText();
    if (!saveInPlace()) {
        PercorsoFileProgetto = pathBefore;
        DatiProgetto.DataCreazione = dateBefore;
        return false;
    }
    return true;
}

bool shutDown()
{
    if (!askToSaveChanges())
        return false;
    SalvaFileRecenti();
    LibreriaSensori.clear();
    ChiudiPorta();
    return true;
}

void languageChanged()
{
    computeLanguageOffset();
    useQtLanguage(TabellaLingua.IndiceLingua);
    refreshAnalysisLanguage();
    CaricaTabelleCostanti();
}

} // namespace zuv
