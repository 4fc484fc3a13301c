#pragma once
// The display names behind the numeric selectors of the project: fixed
// names (languages, units, analog inputs) and names in the current language
// (sensor slots, input levels, input and output types, yellow LED function).
// Each table keeps one empty spare position after the used ones.

#include <QString>
#include <array>
#include <cstddef>

namespace zuv {

extern std::array<QString, 3> NomiLingue;
extern std::array<QString, 3> NomiUMVelocita;
extern std::array<QString, 3> NomiUMTemperatura;
extern std::array<QString, 3> NomiUMPressione;
extern std::array<QString, 3> NomiIngressiAnalogici;
extern std::array<QString, 4> NomiLivelloLAPO;
extern std::array<QString, 4> NomiLivelloLAAL;
// By curve slot 0..8.
extern std::array<QString, 10> NomiTipiSensore;
extern std::array<QString, 2> NomiTipoIngresso;
extern std::array<QString, 8> NomiTipoUscita;
extern std::array<QString, 2> NomiTipoLedGiallo;

// Fills every used position from the literals and the current language;
// call again after a language change.
void CaricaTabelleCostanti();

// Empties all eleven tables, as before the first fill.
void clearNameTables();

// Positions in use: all but the spare one.
template <std::size_t N>
constexpr int usedPositions(const std::array<QString, N>&)
{
    return static_cast<int>(N) - 1;
}

// The name at `index`, or "" when `index` is not a used position: selector
// values come from files and from the instrument unchecked.
template <std::size_t N>
QString nameInTable(const std::array<QString, N>& table, int index)
{
    if (index < 0 || index >= usedPositions(table))
        return QString();
    return table[static_cast<std::size_t>(index)];
}

} // namespace zuv
