#pragma once
// The program-wide state, one instance each, under the names the rest of the
// program knows them by. `resetProgramState` puts everything back as at
// start-up (tests call it between cases).

#include "project/active_page.h"
#include "project/project_record.h"
#include "project/sensor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zuv {

// --- project ---------------------------------------------------------------
extern ProjectRecord DatiProgetto;
extern QString PercorsoFileProgetto;
extern bool ProgettoModificato;

// --- language table --------------------------------------------------------
struct LanguageTable {
    // Position 0 is never filled; 1..count hold the text lines in file order.
    QStringList TestiLingua;
    qint32 NumTestiLingua = 0;
    qint32 IndiceLingua = 0;
    qint16 OffsetLingua = 0;
};
extern LanguageTable TabellaLingua;

// Text n of the current language; empty when the table has no such text.
QString languageText(int n);
// Text n of `language` (0 Italiano, 1 English) whichever is current; empty
// when the table has no such text.
QString languageText(int n, int language);
// The languages the table holds.
int languageCount();
// True while the program speaks Italian: for our own texts, the ones the
// language database does not hold.
bool italian();

// --- communication state ---------------------------------------------------
struct CommState {
    int ComandoInCorso = 0;
    bool StrumentoPresente = false;
    // The presence the open page's instrument buttons were last set for.
    bool StrumentoPresentePrec = false;
    bool ErroreComunicazione = false;
    ActivePage* FormAttivo = nullptr;
    bool AnalisiAperta = false;
};
extern CommState StatoComunicazione;
// The analysis window has loaded its data.
extern bool AnalisiCaricata;

// --- sensor library and curve buffer ---------------------------------------
extern std::vector<CSensore> LibreriaSensori;

struct CurveBuffer {
    std::array<double, 21> CurvaX{};
    std::array<double, 21> CurvaY{};
};
extern CurveBuffer CurvaSensore;

// Last raw live inputs read from the instrument.
extern std::array<double, 8> ValoriAnalogici;

// --- recent files and circuits ---------------------------------------------
extern std::array<QString, 5> FileRecenti;
extern qint16 NumFileRecenti;
extern QString PercorsoDaAprire;
extern bool UsaAnalisiSpeed;
extern QStringList ListaTracciati;

// --- session analysis ------------------------------------------------------
// What the user said about the session on show. The vehicle is the
// session's own: opening or saving a session leaves the project's alone.
struct SessionRecord {
    QString Sessione;
    QString DataSessione;
    QString OraSessione;
    QString Circuito;
    // Metres, as typed.
    QString LunghTracciato;
    QString VeicoloSessione;
    QString Piloti;
    QString NoteSessione;
};
extern SessionRecord DatiSessione;

// --- download buffers ------------------------------------------------------
inline constexpr int kMaxBlocks = 16384;
inline constexpr int kMaxLaps = 1000;
// Slots 0..16384; blocks of 128 bytes in reading order.
extern std::vector<QByteArray> DatiScaricati;
extern qint32 NumBlocchi;
// Laps stored in the instrument, as read by the last download (0..999: the
// lap lines the buffers can hold).
extern qint16 NumGiriStrumento;
// The last download ended before the end of the memory (its window was
// closed, or a read gave up): the buffers hold part of the recording.
extern bool downloadInterrupted;
// Lap lines 0..999 (the download writes from 1); "00:00.00" before a download.
extern std::vector<QString> TempiGiro;

// --- exported files --------------------------------------------------------
// Paths of the last Save Data; the companions follow the data file's name.
extern QString PercorsoFileDati;
extern QString PercorsoFileAllarmi;
extern QString PercorsoFileTempiGiro;

void resetProgramState();

} // namespace zuv
