#include "project/sensor_library.h"

#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace zuv {
namespace {

const QString kMagic = QStringLiteral("ZUVSensor");
const QString kFuelLevel = QStringLiteral("LivelloBenzina");
constexpr int kMaxPoints = 20;

// The whole count of line 4, or 0 when it is not one in 1..20.
int pointCount(const QString& line)
{
    const auto v = parseDecimal(line);
    if (!v || *v != std::floor(*v) || *v < 1 || *v > kMaxPoints)
        return 0;
    return static_cast<int>(*v);
}

// A text that one line of the file gives back as it was written.
bool fitsOneLine(const QString& text)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return false;
    return fromCp1252(toCp1252(text)) == text;
}

} // namespace

QString sensorsFolder() { return findEntryNoCase(programFolder(), QStringLiteral("sensors")); }

QStringList listFolderFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

std::optional<CSensore> readSensorFile(const QString& path)
{
    const auto lines = readTextLines(path);
    if (!lines || lines->size() < 4 || lines->at(0) != kMagic)
        return std::nullopt;
    const int n = pointCount(lines->at(3));
    if (n == 0 || lines->size() < 4 + 2 * n)
        return std::nullopt;

    CSensore s;
    s.setNome(lines->at(2));
    s.setNomeFile(path);
    s.setTipo(lines->at(1));
    s.setNumPunti(static_cast<qint16>(n));
    // Exact comparison: a keyword in other case is not a fuel-level sensor.
    const bool fill = s.Tipo() == kFuelLevel;
    for (int i = 0; i < n; ++i) {
        s.setX(i, leadingNumber(lines->at(4 + i)));
        s.setY(i, leadingNumber(lines->at(4 + n + i)));
    }
    if (fill) {
        for (int i = n; i < kMaxPoints; ++i) {
            s.setX(i, s.X(n - 1));
            s.setY(i, s.Y(n - 1));
        }
    }
    return s;
}

void CaricaLibreriaSensori()
{
    const QString folder = sensorsFolder();
    if (!QFileInfo(folder).isDir())
        return;
    const QDir dir(folder);
    for (const QString& name : listFolderFiles(folder)) {
        auto sensor = readSensorFile(dir.filePath(name));
        if (!sensor) {
            msgBox(languageText(175) + name + QLatin1Char(' ') + languageText(176), MsgIcon::Critical);
            continue;
        }
        LibreriaSensori.push_back(std::move(*sensor));
    }
}

bool writeSensorFile(const QString& path, const QString& type, const QString& name,
                       const QStringList& x, const QStringList& y, QString* error)
{
    auto refuse = [error](const char* why) {
        if (error)
            *error = QString::fromLatin1(why);
        return false;
    };
    if (x.isEmpty())
        return refuse("the sensor has no points");
    if (x.size() > kMaxPoints)
        return refuse("a sensor has at most 20 points");
    if (y.size() != x.size())
        return refuse("the X and Y columns differ in length");
    QStringList texts = {type, name};
    texts << x << y;
    for (const QString& t : texts)
        if (!fitsOneLine(t))
            return refuse("a text holds a line break or a character the file cannot store");

    QStringList lines = {kMagic, type, name, QString::number(kMaxPoints)};
    for (const QStringList* column : {&x, &y}) {
        lines << *column;
        for (qsizetype i = column->size(); i < kMaxPoints; ++i)
            lines << column->last();
    }
    return writeTextLines(path, lines, error);
}

} // namespace zuv
