#include "project/state.h"

#include "project/name_tables.h"
#include "project/project_file.h"

namespace zuv {

ProjectRecord DatiProgetto;
QString PercorsoFileProgetto;
bool ProgettoModificato = false;

LanguageTable TabellaLingua;

bool italian() { return TabellaLingua.IndiceLingua == 0; }

QString languageText(int n)
{
    const qsizetype i = qsizetype(TabellaLingua.OffsetLingua) + n;
    // Past the last text of one language lies the other language.
    if (n < 1 || n > TabellaLingua.NumTestiLingua || i < 0 || i >= TabellaLingua.TestiLingua.size())
        return QString();
    return TabellaLingua.TestiLingua.at(i);
}

QString languageText(int n, int language)
{
    const qint64 i = qint64(TabellaLingua.NumTestiLingua) * language + n;
    if (n < 1 || n > TabellaLingua.NumTestiLingua || language < 0 || i >= TabellaLingua.TestiLingua.size())
        return QString();
    return TabellaLingua.TestiLingua.at(qsizetype(i));
}

int languageCount()
{
    const qint32 perLanguage = TabellaLingua.NumTestiLingua;
    return perLanguage > 0 ? int((TabellaLingua.TestiLingua.size() - 1) / perLanguage) : 0;
}

CommState StatoComunicazione;
bool AnalisiCaricata = false;

std::vector<CSensore> LibreriaSensori;
CurveBuffer CurvaSensore;
std::array<double, 8> ValoriAnalogici{};

std::array<QString, 5> FileRecenti;
qint16 NumFileRecenti = 0;
QString PercorsoDaAprire;
bool UsaAnalisiSpeed = false;
QStringList ListaTracciati;

SessionRecord DatiSessione;

std::vector<QByteArray> DatiScaricati(kMaxBlocks + 1);
qint32 NumBlocchi = 0;
qint16 NumGiriStrumento = 0;
bool downloadInterrupted = false;
std::vector<QString> TempiGiro(kMaxLaps, QStringLiteral("00:00.00"));

QString PercorsoFileDati;
QString PercorsoFileAllarmi;
QString PercorsoFileTempiGiro;

void resetProgramState()
{
    DatiProgetto = ProjectRecord();
    ValoriProgetto.fill(QString());
    PercorsoFileProgetto.clear();
    ProgettoModificato = false;
    TabellaLingua = LanguageTable();
    clearNameTables();
    StatoComunicazione = CommState();
    AnalisiCaricata = false;
    LibreriaSensori.clear();
    CurvaSensore = CurveBuffer();
    ValoriAnalogici.fill(0);
    FileRecenti.fill(QString());
    NumFileRecenti = 0;
    PercorsoDaAprire.clear();
    UsaAnalisiSpeed = false;
    ListaTracciati.clear();
    DatiSessione = SessionRecord();
    DatiScaricati.assign(kMaxBlocks + 1, QByteArray());
    NumBlocchi = 0;
    NumGiriStrumento = 0;
    downloadInterrupted = false;
    TempiGiro.assign(kMaxLaps, QStringLiteral("00:00.00"));
    PercorsoFileDati.clear();
    PercorsoFileAllarmi.clear();
    PercorsoFileTempiGiro.clear();
}

} // namespace zuv
