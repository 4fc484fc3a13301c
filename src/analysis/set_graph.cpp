// The chart settings dialog's texts and OK checks.
#include "analysis/set_graph.h"

#include "analysis/number_text.h"
#include "platform/numbers.h"
#include "project/state.h"

#include <limits>

namespace zuv {
namespace {

bool italiano() { return TabellaLingua.IndiceLingua == 0; }

QString messaggioIntero(bool filtro)
{
    constexpr int kMax = std::numeric_limits<qint16>::max();
    if (italiano())
        return (filtro ? QStringLiteral("Il filtro deve essere un numero intero da 1 a %1.")
                       : QStringLiteral("Lo spessore della linea deve essere un numero intero da 1 a %1."))
            .arg(kMax);
    return (filtro ? QStringLiteral("The filter must be a whole number from 1 to %1.")
                   : QStringLiteral("The line width must be a whole number from 1 to %1."))
        .arg(kMax);
}

QString messaggioScala()
{
    return italiano() ? QStringLiteral("Il minimo della scala non può superare il massimo.")
                      : QStringLiteral("The scale minimum cannot be above the maximum.");
}

} // namespace

double valoreTesto(QStringView testo)
{
    QString compatto;
    compatto.reserve(testo.size());
    for (const QChar c : testo)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            compatto.append(c);
    return leadingNumber(compatto);
}

std::optional<qint16> interoTesto(QStringView testo)
{
    QString s = testo.toString();
    const auto v = parseWhole(s.replace(QLatin1Char(','), QLatin1Char('.')), std::numeric_limits<qint16>::min(),
                              std::numeric_limits<qint16>::max());
    if (!v)
        return std::nullopt;
    return qint16(*v);
}

double minimoAllargato(double minimo) { return minimo - minimo * 0.1; }

double massimoAllargato(double massimo) { return massimo + massimo * 0.1; }

TestiSetGrafico testiSetGrafico(qint16 filtro, qint16 spessore, double minimo, double massimo)
{
    return {QString::number(filtro), QString::number(spessore), readoutText(minimoAllargato(minimo)),
            readoutText(massimoAllargato(massimo))};
}

EsitoSetGrafico controllaSetGrafico(const QString& txtFiltro, const QString& cboWidth, const QString& txtMinVal,
                                    const QString& txtMaxVal, bool scalaVisibile)
{
    EsitoSetGrafico e;
    const auto filtro = interoTesto(txtFiltro);
    if (!filtro || *filtro < 1) {
        e.messaggio = messaggioIntero(true);
        return e;
    }
    const auto spessore = interoTesto(cboWidth);
    if (!spessore || *spessore < 1) {
        e.messaggio = messaggioIntero(false);
        return e;
    }
    e.filtro = *filtro;
    e.spessore = *spessore;
    e.minimo = valoreTesto(txtMinVal);
    e.massimo = valoreTesto(txtMaxVal);
    if (scalaVisibile && e.minimo > e.massimo) {
        e.messaggio = messaggioScala();
        return e;
    }
    e.accettato = true;
    return e;
}

} // namespace zuv
