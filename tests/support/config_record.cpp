#include "support/config_record.h"

namespace zuv::test {

ProjectRecord workedConfigRecord()
{
    ProjectRecord r;
    r.Lingua = 1;
    r.UMVel = 1;
    r.UMPress = 1;
    r.PaginaAbilitata3 = r.PaginaAbilitata9 = true;
    r.chkAbilRecLap = true;
    r.mskStopRecSecondi = 30;
    r.mskAbilRecVel = 50;
    r.TempoMsgGiro = 5;
    r.TempoVisGiro = 10;
    r.Settore1 = 1200;
    r.Settore2 = 2500;
    return r;
}

} // namespace zuv::test
