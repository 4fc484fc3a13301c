#include "project/name_tables.h"
#include "project/project_file.h"
#include "project/state.h"

#include <gtest/gtest.h>

namespace zuv {
namespace {

// Every program-wide variable comes back as at start-up, so no test sees
// what the one before it left behind.
TEST(ProgramState, ResetPutsEveryVariableBack)
{
    DatiProgetto.NomeProgetto = QStringLiteral("left over");
    ValoriProgetto[5] = QStringLiteral("7");
    PercorsoFileProgetto = QStringLiteral("/tmp/a.pro");
    ProgettoModificato = true;
    TabellaLingua.NumTestiLingua = 3;
    TabellaLingua.OffsetLingua = 3;
    NomiLingue[0] = QStringLiteral("Italiano");
    StatoComunicazione.ComandoInCorso = 0x26;
    StatoComunicazione.StrumentoPresente = true;
    StatoComunicazione.StrumentoPresentePrec = true;
    StatoComunicazione.AnalisiAperta = true;
    AnalisiCaricata = true;
    LibreriaSensori.emplace_back();
    CurvaSensore.CurvaX[3] = 1.5;
    ValoriAnalogici[2] = 4.0;
    FileRecenti[1] = QStringLiteral("/tmp/b.pro");
    NumFileRecenti = 2;
    PercorsoDaAprire = QStringLiteral("/tmp/c.pro");
    UsaAnalisiSpeed = true;
    ListaTracciati << QStringLiteral("Monza");
    DatiSessione.Circuito = QStringLiteral("Monza");
    DatiScaricati[4] = QByteArray(128, 'x');
    NumBlocchi = 5;
    NumGiriStrumento = 12;
    downloadInterrupted = true;
    TempiGiro[1] = QStringLiteral("01:23.45, 1");
    PercorsoFileDati = QStringLiteral("/tmp/run.csv");
    PercorsoFileAllarmi = QStringLiteral("/tmp/run.txt");
    PercorsoFileTempiGiro = QStringLiteral("/tmp/run.tim");

    resetProgramState();

    EXPECT_TRUE(DatiProgetto.NomeProgetto.isEmpty());
    EXPECT_TRUE(ValoriProgetto[5].isEmpty());
    EXPECT_TRUE(PercorsoFileProgetto.isEmpty());
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_EQ(TabellaLingua.NumTestiLingua, 0);
    EXPECT_EQ(TabellaLingua.OffsetLingua, 0);
    EXPECT_TRUE(NomiLingue[0].isEmpty());
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_FALSE(StatoComunicazione.StrumentoPresente);
    EXPECT_FALSE(StatoComunicazione.StrumentoPresentePrec);
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(AnalisiCaricata);
    EXPECT_TRUE(LibreriaSensori.empty());
    EXPECT_EQ(CurvaSensore.CurvaX[3], 0.0);
    EXPECT_EQ(ValoriAnalogici[2], 0.0);
    EXPECT_TRUE(FileRecenti[1].isEmpty());
    EXPECT_EQ(NumFileRecenti, 0);
    EXPECT_TRUE(PercorsoDaAprire.isEmpty());
    EXPECT_FALSE(UsaAnalisiSpeed);
    EXPECT_TRUE(ListaTracciati.isEmpty());
    EXPECT_TRUE(DatiSessione.Circuito.isEmpty());
    EXPECT_EQ(DatiScaricati.size(), std::size_t(kMaxBlocks + 1));
    EXPECT_TRUE(DatiScaricati[4].isEmpty());
    EXPECT_EQ(NumBlocchi, 0);
    EXPECT_EQ(NumGiriStrumento, 0);
    EXPECT_FALSE(downloadInterrupted);
    EXPECT_EQ(TempiGiro[1], QStringLiteral("00:00.00"));
    EXPECT_TRUE(PercorsoFileDati.isEmpty());
    EXPECT_TRUE(PercorsoFileAllarmi.isEmpty());
    EXPECT_TRUE(PercorsoFileTempiGiro.isEmpty());
}

} // namespace
} // namespace zuv
