#pragma once
// The project: the instrument's whole configuration, 101 fields in the
// order of the project file.

#include <QString>
#include <array>
#include <variant>

namespace zuv {

// All zero or empty: the state before any project.
struct ProjectRecord {
    QString NomeProgetto; // 0
    QString DataCreazione; // 1
    QString DataUltimaModifica; // 2
    QString AutoreProgetto; // 3
    QString Strumento; // 4
    QString Veicolo; // 5
    QString NoteProgetto; // 6
    qint16 Lingua = 0; // 7
    qint16 UMVel = 0; // 8
    qint16 UMTemp = 0; // 9
    qint16 UMPress = 0; // 10
    qint16 MaxPagine = 0; // 11
    QString Pagina1; // 12
    QString Pagina8; // 13
    QString Pagina9; // 14
    QString Pagina10; // 15
    bool PaginaAbilitata1 = false; // 16
    bool PaginaAbilitata2 = false; // 17
    bool PaginaAbilitata3 = false; // 18
    bool PaginaAbilitata4 = false; // 19
    bool PaginaAbilitata5 = false; // 20
    bool PaginaAbilitata6 = false; // 21
    bool PaginaAbilitata7 = false; // 22
    bool PaginaAbilitata8 = false; // 23
    bool PaginaAbilitata9 = false; // 24
    bool PaginaAbilitata10 = false; // 25
    qint16 NumAccRPM = 0; // 26
    QString TCampRPM; // 27
    qint16 LAPO = 0; // 28
    qint16 LAAL = 0; // 29
    qint16 ImpulsiRuota = 0; // 30
    qint16 DiametroRuota = 0; // 31
    QString TCampVV; // 32
    QString TemperaturaOlio; // 33
    QString TCampTO; // 34
    bool AbilTO = false; // 35
    QString PressioneOlio; // 36
    QString TCampPO; // 37
    bool AbilPO = false; // 38
    QString TemperaturaAcqua; // 39
    QString TCampTA; // 40
    bool AbilTA = false; // 41
    QString PressioneBenzina; // 42
    QString TCampPB; // 43
    bool AbilPB = false; // 44
    QString LivelloBenzina; // 45
    QString TCampLB; // 46
    bool AbilLB = false; // 47
    QString PressioneTurbo; // 48
    QString TCampPT; // 49
    bool AbilPT = false; // 50
    QString SensoreG; // 51
    QString TCampSG; // 52
    bool AbilSG = false; // 53
    QString Cambio; // 54
    QString TCampCambio; // 55
    bool AbilCambio = false; // 56
    qint16 Led0 = 0; // 57
    qint16 Led1 = 0; // 58
    qint16 Led2 = 0; // 59
    qint16 Led3 = 0; // 60
    qint16 Led4 = 0; // 61
    bool LedGiallo = false; // 62
    bool LedVerde = false; // 63
    bool LedBlu = false; // 64
    QString TipoLedGiallo; // 65
    QString TipoLedVerde; // 66
    QString TipoLedBlu; // 67
    bool chkTO = false; // 68
    qint32 mskTO = 0; // 69
    bool chkPO = false; // 70
    qint32 mskPO = 0; // 71
    bool chkPB = false; // 72
    qint32 mskPB = 0; // 73
    bool chkTA = false; // 74
    qint32 mskTA = 0; // 75
    bool chkLB = false; // 76
    qint32 mskLB = 0; // 77
    bool chkTB = false; // 78
    qint32 mskTB = 0; // 79
    bool chkIngresso = false; // 80
    bool chkUscita = false; // 81
    qint16 TipoIngresso = 0; // 82
    qint16 TipoUscita = 0; // 83
    bool chkAbilRecLap = false; // 84
    qint32 mskAbilRecVel = 0; // 85
    qint32 mskStopRecSecondi = 0; // 86
    qint16 TempoMsgGiro = 0; // 87
    qint16 TempoVisGiro = 0; // 88
    qint32 Settore1 = 0; // 89
    qint32 Settore2 = 0; // 90
    qint32 Settore3 = 0; // 91
    qint32 Settore4 = 0; // 92
    qint32 Settore5 = 0; // 93
    QString SensoreLambda; // 94
    QString TCampSensoreLambda; // 95
    bool AbilSensoreLambda = false; // 96
    qint16 ChannSG = 0; // 97
    qint16 ChannCambio = 0; // 98
    qint16 ChannPT = 0; // 99
    qint16 ChannSensoreLambda = 0; // 100

    bool operator==(const ProjectRecord&) const = default;
};

enum class FieldType { String, Integer, Boolean, Long };

using FieldMember = std::variant<QString ProjectRecord::*, qint16 ProjectRecord::*,
                                 bool ProjectRecord::*, qint32 ProjectRecord::*>;

struct FieldInfo {
    int index;
    const char* name; // the project-file key without "ID_"
    FieldType type;
    FieldMember member;
};

inline constexpr int kProjectFieldCount = 101;
// The field that is kept in memory only.
inline constexpr int kChkIngressoIndex = 80;

const std::array<FieldInfo, kProjectFieldCount>& projectFields();

// The values a new project starts with.
ProjectRecord newProjectValues();

} // namespace zuv
