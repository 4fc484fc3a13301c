#include "project/name_tables.h"

#include "project/state.h"

namespace zuv {

std::array<QString, 3> NomiLingue;
std::array<QString, 3> NomiUMVelocita;
std::array<QString, 3> NomiUMTemperatura;
std::array<QString, 3> NomiUMPressione;
std::array<QString, 3> NomiIngressiAnalogici;
std::array<QString, 4> NomiLivelloLAPO;
std::array<QString, 4> NomiLivelloLAAL;
std::array<QString, 10> NomiTipiSensore;
std::array<QString, 2> NomiTipoIngresso;
std::array<QString, 8> NomiTipoUscita;
std::array<QString, 2> NomiTipoLedGiallo;

void CaricaTabelleCostanti()
{
    NomiLingue = {QStringLiteral("Italiano"), QStringLiteral("English"), QString()};
    NomiUMVelocita = {QStringLiteral("Km/h"), QStringLiteral("mph"), QString()};
    NomiUMTemperatura = {QStringLiteral("\u00B0 C"), QStringLiteral("\u00B0 F"), QString()};
    NomiUMPressione = {QStringLiteral("bar"), QStringLiteral("psi"), QString()};
    NomiIngressiAnalogici = {QStringLiteral("AN 1"), QStringLiteral("AN 2"), QString()};
    NomiLivelloLAPO = {Testo(221), Testo(222), Testo(223), QString()};
    NomiLivelloLAAL = {Testo(221), Testo(222), Testo(223), QString()};
    NomiTipiSensore = {Testo(134), Testo(135), Testo(136), Testo(137), Testo(138),
                       Testo(139), Testo(290), Testo(319), Testo(314), QString()};
    NomiTipoIngresso = {Testo(253), QString()};
    NomiTipoUscita = {Testo(255), Testo(256), Testo(257), Testo(258),
                      Testo(259), Testo(260), Testo(261), QString()};
    NomiTipoLedGiallo = {Testo(263), QString()};
}

void clearNameTables()
{
    NomiLingue = {};
    NomiUMVelocita = {};
    NomiUMTemperatura = {};
    NomiUMPressione = {};
    NomiIngressiAnalogici = {};
    NomiLivelloLAPO = {};
    NomiLivelloLAAL = {};
    NomiTipiSensore = {};
    NomiTipoIngresso = {};
    NomiTipoUscita = {};
    NomiTipoLedGiallo = {};
}

} // namespace zuv
