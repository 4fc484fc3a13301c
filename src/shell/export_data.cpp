#include "shell/export_data.h"

#include "platform/companion_file.h"
#include "platform/dialogs.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/command_captions.h"
#include "shell/download.h"
#include "shell/file_layout.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>


namespace zuv {

namespace {

constexpr int kBlockSize = 128;
constexpr int kSamples = 10;
// The A/F ratio of a stoichiometric mixture, in tenths.
constexpr int kStoichTenths = 147;

// --- number texts ---------------------------------------------------------
// Every value of the files is an exact number of hundredths (the slow
// channels move by tenths of their raw step), so the texts are built from
// integers: no binary rounding, no locale.

// One line being built: plain chars, appended to the file in one piece.
struct LineBuf {
    char buf[256];
    int n = 0;
    LineBuf& operator+=(char c)
    {
        buf[n++] = c;
        return *this;
    }
    LineBuf& operator+=(const char* t)
    {
        while (*t)
            buf[n++] = *t++;
        return *this;
    }
};

void putUnsigned(LineBuf& out, quint64 v)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    while (n)
        out += digits[--n];
}

void putInt(LineBuf& out, qint64 v)
{
    if (v < 0) {
        out += '-';
        putUnsigned(out, quint64(-v));
    } else {
        putUnsigned(out, quint64(v));
    }
}

// "0.0" of a value given in tenths (scale 10), "0.0#" of one in hundredths
// (scale 100): the second decimal only when it is not 0.
void putFixed(LineBuf& out, qint64 v, unsigned scale)
{
    if (v < 0)
        out += '-';
    const quint64 a = v < 0 ? quint64(-v) : quint64(v);
    putUnsigned(out, a / scale);
    out += '.';
    const unsigned frac = unsigned(a % scale);
    const unsigned step = scale / 10;
    out += char('0' + frac / step);
    if (frac % step)
        out += char('0' + frac % step);
}

void putHundredths(LineBuf& out, qint64 h) { putFixed(out, h, 100); }
void putTenths(LineBuf& out, qint64 t) { putFixed(out, t, 10); }

// --- record fields ----------------------------------------------------------

struct Record {
    explicit Record(const QByteArray& block)
    {
        // A short block (never stored by the download) reads as zeros.
        const qsizetype n = std::min<qsizetype>(block.size(), kBlockSize);
        for (qsizetype i = 0; i < n; ++i)
            b[std::size_t(i)] = static_cast<unsigned char>(block[i]);
    }
    // Positions are counted from 1, as in the record layout.
    int u8(int pos) const { return b[std::size_t(pos - 1)]; }
    int s8(int pos) const { return static_cast<signed char>(b[std::size_t(pos - 1)]); }
    int u16(int pos) const { return (u8(pos) << 8) | u8(pos + 1); }
    int s16(int pos) const { return static_cast<qint16>(u16(pos)); }

    std::array<unsigned char, kBlockSize> b{};
};

// The slow channels, sampled once a second and spread over the ten samples.
enum Slow { Speed, FuelPress, OilPress, WaterTemp, OilTemp, Battery, FuelLevel, AirFuel, SlowCount };

std::array<int, SlowCount> slowValues(const Record& r)
{
    std::array<int, SlowCount> v{};
    v[Speed] = r.u16(122);
    v[FuelPress] = r.u8(116);
    v[OilPress] = r.u8(115);
    v[WaterTemp] = r.s16(113);
    v[OilTemp] = r.s16(111);
    v[Battery] = r.u8(118);
    v[FuelLevel] = r.u8(117);
    v[AirFuel] = r.u8(119);
    return v;
}

const char* const kDataHeaderIt =
    "Tempo [sec];Distanza [m];Motore [RPM];Velocit\xE0 [%1];Press. carbur. [bar];"
    "Press. olio [bar];Farfalla [%];Temp. acqua [%2];Sensore G [G];Temp. olio [%2];"
    "Tensione Batteria [V];Marcia [];Livello Carbur. [];Pressione Turbo [bar];"
    "Sonda Lambda [A/F];Sonda Lambda [Lambda]";
const char* const kDataHeaderEn =
    "Time [sec];Distance [m];Engine [RPM];Speed [%1];Fuel Press. [bar];Oil Press. [bar];"
    "Throttle [%];Water Temp [%2];G Sensor [G];Oil Temp. [%2];Battery [V];Gear [];"
    "Fuel Level [];Turbo Press. [bar];Lambda sensor [A/F];Lambda sensor[Lambda]";
const char* const kAlarmHeaderIt =
    "Tempo [sec];Distanza [m];Pompa Olio;Alternatore;Temperatura Olio;Temperatura Acqua;"
    "Batteria;Pressione carburante;Pressione Olio;Livello carburante;";
const char* const kAlarmHeaderEn =
    "Time [sec];Distance [m];Oil Pump;Alternator;Oil Temperature;Water Temperature;"
    "Battery;Fuel Pressure;Oil Pressure;Fuel Level;";

QByteArray dataHeader(const ExportSource& src)
{
    // The headers are Windows-1252 bytes; only the unit names are inserted.
    QByteArray h = src.language == 0 ? kDataHeaderIt : kDataHeaderEn;
    h.replace("%1", toCp1252(src.speedUnit));
    h.replace("%2", toCp1252(src.tempUnit));
    return h;
}

// The pending lines of the run being built, without their time field.
class PendingLines {
public:
    void reserve(qsizetype lines)
    {
        data_.reserve(lines * 72);
        alarms_.reserve(lines * 40);
        dataEnd_.reserve(lines);
        alarmEnd_.reserve(lines);
    }
    QByteArray& data() { return data_; }
    QByteArray& alarms() { return alarms_; }
    void endLine()
    {
        dataEnd_.push_back(data_.size());
        alarmEnd_.push_back(alarms_.size());
    }
    qint32 count() const { return qint32(dataEnd_.size()); }
    void clear()
    {
        data_.clear();
        alarms_.clear();
        dataEnd_.clear();
        alarmEnd_.clear();
    }

    // Lines from..count-1, each behind its time: index / 10, or counted
    // from `from` when `restart`; the alarms line ends with `session`.
    void write(qint32 from, bool restart, const QByteArray& session, QByteArray& outData,
               QByteArray& outAlarms) const
    {
        for (qint32 j = from; j < count(); ++j) {
            const qsizetype d0 = j ? dataEnd_[std::size_t(j - 1)] : 0;
            const qsizetype a0 = j ? alarmEnd_[std::size_t(j - 1)] : 0;
            LineBuf time;
            putTenths(time, restart ? j - from : j);
            time += ';';
            outData.append(time.buf, time.n);
            outData.append(data_.constData() + d0, dataEnd_[std::size_t(j)] - d0);
            outData.append("\r\n", 2);
            outAlarms.append(time.buf, time.n);
            outAlarms.append(alarms_.constData() + a0, alarmEnd_[std::size_t(j)] - a0);
            outAlarms += session;
            outAlarms.append("\r\n", 2);
        }
    }

private:
    QByteArray data_;
    QByteArray alarms_;
    std::vector<qsizetype> dataEnd_;
    std::vector<qsizetype> alarmEnd_;
};

QByteArray sessionText(qint64 v)
{
    LineBuf s;
    putInt(s, v);
    return QByteArray(s.buf, s.n);
}

} // namespace

ExportFiles buildExportFiles(const ExportSource& src)
{
    ExportFiles files;
    const qsizetype numBlocks = qsizetype(src.blocks.size());
    files.data.reserve(numBlocks * kSamples * 80 + 512);
    files.alarms.reserve(numBlocks * kSamples * 48 + 256);

    files.data += dataHeader(src);
    files.data += "\r\n";
    files.alarms += src.language == 0 ? kAlarmHeaderIt : kAlarmHeaderEn;
    files.alarms += "\r\n";

    PendingLines pending;
    pending.reserve(std::min<qsizetype>(numBlocks, kMaxBlocks) * kSamples);
    qint32 runStart = 0;
    qint32 previous = 0;
    bool distanceReset = false;
    qint32 lastSession = 0;
    std::array<int, SlowCount> base{};
    if (numBlocks > 0)
        base = slowValues(Record(src.blocks[0])); // no ramp up from 0

    for (const QByteArray& block : src.blocks) {
        const Record r(block);
        const std::array<int, SlowCount> x = slowValues(r);
        const qint32 session = r.s16(120);
        const int status = r.u16(124);
        lastSession = session;

        if (status & 0x0002) {
            if (session <= previous + 1 && session != previous) {
                // Lines before the run start went out at an earlier mark.
                pending.write(runStart, true, sessionText(session), files.data, files.alarms);
                distanceReset = true;
                previous = session;
                pending.clear();
                runStart = 0;
            } else {
                pending.write(runStart, false, previous != 0 ? "-1" : "0", files.data,
                              files.alarms);
                previous = session;
                runStart = pending.count();
            }
        }

        // The record's alarm states, the same for its ten samples.
        char alarmFields[kAlarmCount][4];
        for (int k = 0; k < kAlarmCount; ++k) {
            const int code = (status >> (8 + k)) & 1 ? 2 * k + 2 : 2 * k + 1;
            char* p = alarmFields[k];
            if (code >= 10)
                *p++ = char('0' + code / 10);
            *p++ = char('0' + code % 10);
            *p = '\0';
        }

        for (int s = 0; s < kSamples; ++s) {
            const int o = 11 * s; // sample s occupies 11s+1 .. 11s+11
            // Tenths of the raw step: the value runs from the previous
            // block's towards this block's, reached at the next block.
            std::array<qint64, SlowCount> t{};
            for (std::size_t c = 0; c < t.size(); ++c)
                t[c] = 10LL * base[c] + qint64(s) * (x[c] - base[c]);

            int distance = r.u16(o + 3);
            if (distanceReset && distance > 30)
                distance = 0;
            const int gear = r.u8(o + 5);

            LineBuf d;
            putTenths(d, qint64(distance) * 10);
            d += ';';
            putInt(d, r.u16(o + 1));
            d += ';';
            putHundredths(d, t[Speed] * 10);
            d += ';';
            putHundredths(d, t[FuelPress]);
            d += ';';
            putHundredths(d, t[OilPress]);
            d += ';';
            putTenths(d, qint64(r.u8(o + 7)) * 10);
            d += ';';
            putHundredths(d, t[WaterTemp]);
            d += ';';
            putTenths(d, r.s8(o + 8));
            d += ';';
            putHundredths(d, t[OilTemp]);
            d += ';';
            putHundredths(d, t[Battery]);
            d += ';';
            if (gear)
                putInt(d, gear);
            d += ';';
            putHundredths(d, t[FuelLevel] * 10);
            d += ';';
            putTenths(d, r.s8(o + 6));
            d += ';';
            putHundredths(d, t[AirFuel]);
            d += ';';
            // Lambda = A/F / 14.7 = t / 1470, to the nearest hundredth
            // (10t / 147 is never a half).
            putHundredths(d, (20 * t[AirFuel] + kStoichTenths) / (2 * kStoichTenths));

            LineBuf a;
            putTenths(a, qint64(distance) * 10);
            a += ';';
            for (const auto& f : alarmFields) {
                a += f;
                a += ';';
            }
            pending.data().append(d.buf, d.n);
            pending.alarms().append(a.buf, a.n);
            pending.endLine();
        }

        distanceReset = false;
        base = x;
    }

    pending.write(runStart, false, sessionText(qint64(lastSession) + 1), files.data,
                  files.alarms);

    files.lapTimes = QByteArray(kLapFileVersion) + "\r\n";
    const int lastLap = std::min({src.numLaps, kMaxLaps - 1, int(src.laps.size()) - 1});
    for (int i = 1; i <= lastLap; ++i) {
        files.lapTimes += toCp1252(src.laps[std::size_t(i)]);
        files.lapTimes += "\r\n";
    }
    files.lapTimes += "\r\n";
    return files;
}

ExportSource downloadedSource()
{
    ExportSource src;
    const qint32 n = std::clamp<qint32>(NumBlocchi, 0, qint32(DatiScaricati.size()));
    src.blocks = std::span<const QByteArray>(DatiScaricati.data(), std::size_t(n));
    src.laps = std::span<const QString>(TempiGiro.data(), TempiGiro.size());
    src.numLaps = NumGiriStrumento;
    src.language = TabellaLingua.IndiceLingua;
    src.speedUnit = nameInTable(NomiUMVelocita, DatiProgetto.UMVel);
    src.tempUnit = nameInTable(NomiUMTemperatura, DatiProgetto.UMTemp);
    return src;
}

QString dataFileName(const QString& chosen)
{
    if (chosen.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".csv");
}

bool SalvaDatiScaricati()
{
    PercorsoFileAllarmi = withLastThreeReplaced(PercorsoFileDati, QLatin1String("txt"));
    PercorsoFileTempiGiro = withLastThreeReplaced(PercorsoFileDati, QLatin1String("tim"));
    const ExportFiles files = buildExportFiles(downloadedSource());

    const std::array<std::pair<const QString*, const QByteArray*>, 3> outputs = {{
        {&PercorsoFileDati, &files.data},
        {&PercorsoFileAllarmi, &files.alarms},
        {&PercorsoFileTempiGiro, &files.lapTimes},
    }};
    // All three are written aside and each is flushed to the disk and
    // checked before any of them replaces an old file: a disk that fills up,
    // or a size limit, half-way through the third must not leave the first
    // two new beside an old third, nor a cut-off file in place of a good one.
    std::array<std::unique_ptr<QSaveFile>, 3> saves;
    auto fail = [&](const QString& path, const QString& reason) {
        for (auto& s : saves)
            if (s)
                s->cancelWriting();
        msgBox(languageText(328) + QLatin1Char(' ') + path + QLatin1Char(' ') + languageText(329) + QStringLiteral("\n")
                   + reason,
               MsgIcon::Critical);
        return false;
    };
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        saves[i] = std::make_unique<QSaveFile>(*outputs[i].first);
        const QString reason = writeAside(*saves[i], *outputs[i].second);
        if (!reason.isNull())
            return fail(*outputs[i].first, reason);
    }
    for (std::size_t i = 0; i < outputs.size(); ++i)
        if (!saves[i]->commit())
            return fail(*outputs[i].first, saves[i]->errorString());

    msgBox(languageText(269), MsgIcon::Information);
    return true;
}

bool runSaveData()
{
    // "The download was interrupted: the data are partial", said before the
    // name is asked, so that the user can name the files for what they hold.
    if (downloadInterrupted)
        msgBox(languageText(380), MsgIcon::Exclamation);

    const QString chosen =
        dialogs().askFile(commandFileDialog(true, 21, QStringLiteral("Data File (*.csv)"), programFolder()));
    if (chosen.isEmpty())
        return false;

    const QString path = dataFileName(chosen);
    if (QFileInfo::exists(path)) {
        const MsgAnswer a = msgBox(path + QLatin1Char(' ') + languageText(132), MsgIcon::None,
                                   MsgButtons::OkCancel, languageText(133));
        if (a != MsgAnswer::Ok)
            return false;
    }
    PercorsoFileDati = path;

    mainSurface().setBusy(true);
    const bool ok = SalvaDatiScaricati();
    mainSurface().setBusy(false);
    return ok;
}

} // namespace zuv
