#pragma once
// The chart settings dialog without its widgets: the texts it opens with
// (the scale widened by a tenth of each bound) and the checks of OK, which
// turn the texts back into the measure's filter, line width and scale.

#include <QString>
#include <QStringView>
#include <optional>

namespace zuv {

// The dialog's title; not a language text.
inline constexpr char kSetGraphTitle[] = "Set grafico";

// The number a text starts with, blanks, tabs and line feeds ignored
// wherever they stand, "." as decimal point, an exponent allowed; 0 when
// the text starts with no number ("12.5 V" gives 12.5, "abc" 0).
double leadingValue(QStringView text);

// A whole number from -32768 to 32767: the text read as a number ("." or ","
// as decimal point) and rounded, halves to the even neighbour ("2.5" gives
// 2); nothing for a text that is no number or lies outside.
std::optional<qint16> wholeFromText(QStringView text);

// A tenth of the bound itself: 100 gives 90, -10 gives -9, 0 stays 0.
double widenedMin(double minimum);
// 200 gives 220.
double widenedMax(double maximum);

struct SetGraphTexts {
    QString txtFiltro;
    QString cboWidth;
    QString txtMinVal; // ".25", "-9": no zero before the point
    QString txtMaxVal;
};
// The boxes as the dialog opens on a measure's settings.
SetGraphTexts setGraphTexts(qint16 filter, qint16 lineWidth, double minimum, double maximum);

struct SetGraphResult {
    bool accepted = false;
    // Why not, for a message box; the dialog stays open.
    QString message;
    qint16 filter = 1;
    qint16 lineWidth = 1;
    double minimum = 0;
    double maximum = 0;
};

// OK: the filter must be a whole number from 1 to 32767, the width one from
// -32768 to 32767, stored as typed; the minimum and maximum are read by
// `leadingValue` and stored as they come, the minimum above the maximum too.
SetGraphResult checkSetGraph(const QString& txtFiltro, const QString& cboWidth, const QString& txtMinVal,
                             const QString& txtMaxVal);

} // namespace zuv
