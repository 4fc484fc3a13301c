#pragma once
// What the per-measure statistics dialog shows: one grid row per measure of
// the session with its name, minimum, maximum and average, as the analysis
// window gives them, the average in the form "#0.##".

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace zuv {

// The dialog's own size, in twips.
inline constexpr int kMeasureStatsHeight = 3900;
inline constexpr int kMeasureStatsWidth = 6720;

// An average as "#0.##": at least one digit before the decimal separator
// (the user's), at most two after it, rounded half away from zero, no
// trailing zeros and no separator for a whole number ("12", "12.35", "0.5").
// Empty for a value that is no number.
QString averageText(double average);
// The same from the window's text of it ("." or "," as separator); empty
// when it is no number.
QString averageText(const QString& average);

// The texts the window gives for measure i.
struct MeasureTexts {
    QString name;
    QString minimum;
    QString maximum;
    QString average;
};
using MeasureTextsOf = std::function<MeasureTexts(int i)>;

// Row 0 the headings (texts 190, 187, 188, 189), then row r for measure
// r + 2, up to `FieldsNum`; the headings alone when there is no measure.
std::vector<std::array<QString, 4>> measureStatsRows(int FieldsNum, const MeasureTextsOf& measure);

// 8/19, 3/19, 3/19 and 4/19 of the grid's width.
std::array<int, 4> measureStatsWidths(int gridWidth);

} // namespace zuv
