#pragma once
// Time texts of the lap statistics and decimal texts of the fixed-point
// values the instrument keeps.
//
// A lap time is "mm:ss.cc" (minutes may have more digits), a total time
// "hh:mm:ss.cc". Parts are taken between the separators, so a lap time of
// 100 minutes or more still adds up.

#include <QString>
#include <QtGlobal>

namespace zuv {

// a + b as a total time, hours with at least two digits.
QString SommaTempi(const QString& a, const QString& b);

// A total time divided by n, truncated, as a lap time: the whole hours stay
// in the minutes ("02:00:00.00" / 1 is "120:00.00"). n below 1 gives
// "00:00.00".
QString DividiTempo(const QString& time, qint32 n);

// A time text ("s.cc", "mm:ss.cc", "hh:mm:ss.cc", minutes of any width)
// in hundredths of a second. Each part counts the number it starts with, 0
// when none; one digit after the point stands for tenths.
qint64 timeHundredths(const QString& text);

// Hundredths of a second as a lap time; a negative value counts as 0.
QString CentesimiInTempo(qint64 value);

// Every "," turned into ".".
QString VirgolaInPunto(const QString& text);

// Pads a decimal text to one, two or three decimals for scale 10, 100 or
// 1000 and puts "0" before a leading point; never rounds or cuts. The text
// is written back and also returned.
QString FormattaDecimali(QString& text, int scale);

} // namespace zuv
