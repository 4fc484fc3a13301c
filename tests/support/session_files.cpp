#include "support/session_files.h"

#include <QStringList>

namespace zuv::test {

SessionFiles makeSession(int columns, int laps, int lapRows)
{
    SessionFiles f;
    QStringList names = {"Time [sec]", "Distance [m]"};
    for (int c = 3; c <= columns; ++c)
        names.append(QStringLiteral("M%1 [u%1]").arg(c));
    f.data = names.join(QLatin1Char(';')).toLatin1() + "\r\n";
    f.alarms = "Time [sec];Distance [m];A0;A1;A2;A3;A4;A5;A6;A7;\r\n";
    f.laps = "1.4\r\n";
    for (int lap = 0; lap <= laps + 1; ++lap) {
        for (int k = 0; k < lapRows; ++k) {
            const QByteArray t = QByteArray::number(k / 10.0, 'f', 1);
            const QByteArray d = QByteArray::number(k * 3.0, 'f', 1);
            QByteArray row = t + ';' + d;
            for (int c = 3; c <= columns; ++c)
                row += ';' + QByteArray::number(c * 10 + (k % 7));
            f.data += row + "\r\n";
            QByteArray alarm = t + ';' + d;
            for (int a = 0; a < 8; ++a)
                alarm += ';' + QByteArray::number(2 * a + 1 + (a == 2 && k == 5 ? 1 : 0));
            f.alarms += alarm + ';' + QByteArray::number(lap) + "\r\n";
        }
        if (lap >= 1 && lap <= laps)
            f.laps += QByteArray("01:0") + QByteArray::number(lap) + ".00, 1\r\n";
    }
    f.laps += "\r\n";
    return f;
}

Panels loadSteps(const Panels& calls)
{
    Panels out;
    for (const auto& c : calls) {
        const bool progress = c.first == 3 && c.second.endsWith(QLatin1String(" %"));
        if (progress && !out.empty() && out.back().first == 3 && out.back().second.endsWith(QLatin1String(" %")))
            out.back() = c;
        else
            out.push_back(c);
    }
    return out;
}

} // namespace zuv::test
