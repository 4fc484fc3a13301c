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
    NomiLivelloLAPO = {languageText(221), languageText(222), languageText(223), QString()};
    NomiLivelloLAAL = {languageText(221), languageText(222), languageText(223), QString()};
    NomiTipiSensore = {languageText(134), languageText(135), languageText(136), languageText(137), languageText(138),
                       languageText(139), languageText(290), languageText(319), languageText(314), QString()};
    NomiTipoIngresso = {languageText(253), QString()};
    NomiTipoUscita = {languageText(255), languageText(256), languageText(257), languageText(258),
                      languageText(259), languageText(260), languageText(261), QString()};
    NomiTipoLedGiallo = {languageText(263), QString()};
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
