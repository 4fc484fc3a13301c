#include "config/sensor_editor.h"

#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/operation.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/sensor_library.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace zuv {
namespace {

// A read of the editor as an operation of its own; an instrument that
// does not answer is reported like a failed read.
bool editorRead(int code, const std::function<bool()>& read)
{
    Operation operation(code);
    const StepEnd end = runStep(read);
    if (end == StepEnd::NoInstrument)
        reportLinkError();
    return end == StepEnd::Done;
}

bool inRange16(double v) { return v >= -32768.0 && v <= 32767.0; }

// A plain decimal number: sign, digits, one point; blanks around it.
std::optional<double> plainNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    const QString t = VirgolaInPunto(text);
    if (!re.match(t).hasMatch())
        return std::nullopt;
    return parseDecimal(t);
}

} // namespace

// --- sensor types ------------------------------------------------------------

const std::array<SensorType, kNumKinds>& sensorTypes()
{
    static const std::array<SensorType, kNumKinds> types = {{
        {SensorKind::TemperaturaOlio, QStringLiteral("TemperaturaOlio"), QStringLiteral("Y (°C)"),
         QStringLiteral("Bit"), 10, false},
        {SensorKind::Pressione, QStringLiteral("Pressione"), QStringLiteral("Y (bar)"), QStringLiteral("Bit"),
         1000, false},
        {SensorKind::TemperaturaAcqua, QStringLiteral("TemperaturaAcqua"), QStringLiteral("Y (°C)"),
         QStringLiteral("Bit"), 10, false},
        {SensorKind::LivelloBenzina, QStringLiteral("LivelloBenzina"), QStringLiteral("Y"), QStringLiteral("Bit"),
         10, true},
        {SensorKind::Altro, QStringLiteral("Altro"), QStringLiteral("Y ( )"), QStringLiteral("Bit"), 1, false},
        {SensorKind::SensoreLambda, QStringLiteral("SensoreLambda"), QStringLiteral("A/F"), QStringLiteral("mV"),
         100, false},
        {SensorKind::PressioneTurbo, QStringLiteral("PressioneTurbo"), QStringLiteral("Y (bar)"),
         QStringLiteral("mV"), 1000, false},
        {SensorKind::SensoreG, QStringLiteral("SensoreG"), QStringLiteral("G"), QStringLiteral("mV"), 1000, false},
    }};
    return types;
}

const SensorType& sensorType(SensorKind kind) { return sensorTypes().at(static_cast<std::size_t>(kind)); }

std::optional<SensorKind> kindFromKeyword(const QString& keyword)
{
    for (const SensorType& t : sensorTypes())
        if (t.keyword == keyword)
            return t.kind;
    return std::nullopt;
}

std::optional<SensorKind> kindFromSlot(int slot)
{
    static constexpr std::array<SensorKind, 9> bySlot = {
        SensorKind::TemperaturaOlio, SensorKind::Pressione,     SensorKind::Pressione,
        SensorKind::TemperaturaAcqua, SensorKind::LivelloBenzina, SensorKind::Altro,
        SensorKind::SensoreLambda,   SensorKind::PressioneTurbo, SensorKind::SensoreG,
    };
    if (slot < 0 || slot >= static_cast<int>(bySlot.size()))
        return std::nullopt;
    return bySlot[static_cast<std::size_t>(slot)];
}

// --- box checks --------------------------------------------------------------

bool validNumber(const QString& text)
{
    const auto v = plainNumber(text);
    return v && inRange16(roundHalfEven(*v));
}

bool validY(const QString& text, int scale)
{
    const auto v = plainNumber(text);
    return v && inRange16(roundHalfEven(*v)) && inRange16(roundHalfEven(*v * std::max(1, scale)));
}

QString normalizeX(const QString& text) { return VirgolaInPunto(text.trimmed()); }

QString formatY(const QString& text, int scale)
{
    QString t = VirgolaInPunto(text.trimmed());
    return FormattaDecimali(t, scale);
}

bool xDescending(const QString& xBefore, const QString& x) { return leadingNumber(xBefore) > leadingNumber(x); }

QString bitOrderMessage() { return QStringLiteral("Il valore di bit deve essere crescente"); }

// --- point table ---------------------------------------------------------------

PointTable::PointTable() { rows_[0].tickEnabled = true; }

void PointTable::setX(int i, const QString& text) { rows_.at(static_cast<std::size_t>(i)).x = text; }
void PointTable::setY(int i, const QString& text) { rows_.at(static_cast<std::size_t>(i)).y = text; }
void PointTable::enableRow(int i) { rows_.at(static_cast<std::size_t>(i)).active = true; }
void PointTable::enableTick(int i) { rows_.at(static_cast<std::size_t>(i)).tickEnabled = true; }

bool PointTable::setTick(int index, bool ticked)
{
    if (index < 0 || index >= kPointRows)
        return false;
    PointRow& r = rows_[static_cast<std::size_t>(index)];
    if (r.ticked == ticked)
        return false;
    r.ticked = ticked;
    const int n = activePoints_;
    auto set = [this](int from, int to, auto fn) {
        for (int i = std::max(0, from); i <= std::min(to, kPointRows - 1); ++i)
            fn(rows_[static_cast<std::size_t>(i)]);
    };
    if (index < n - 1) {
        r.ticked = true; // rows inside the prefix stay
        return false;
    }
    if (ticked) {
        activePoints_ = n + 1;
        set(0, index, [](PointRow& x) { x.active = true; });
        if (index < kPointRows - 1)
            set(1, index + 1, [](PointRow& x) { x.tickEnabled = true; });
        set(index + 2, kPointRows - 1, [](PointRow& x) { x.active = x.tickEnabled = false; });
    } else {
        activePoints_ = n - 1;
        set(0, index - 1, [](PointRow& x) { x.active = true; });
        set(1, index, [](PointRow& x) { x.tickEnabled = true; });
        set(index + 1, kPointRows - 1, [](PointRow& x) { x.active = x.tickEnabled = false; });
    }
    return true;
}

bool PointTable::PulisciTabellaPunti()
{
    bool changed = false;
    for (int i = kPointRows - 1; i >= 0; --i) {
        PointRow& r = rows_[static_cast<std::size_t>(i)];
        r.active = false;
        r.x.clear();
        r.y.clear();
        changed = setTick(i, false) || changed;
    }
    return changed;
}

bool PointTable::newSensor()
{
    activePoints_ = 0;
    const bool changed = PulisciTabellaPunti();
    for (PointRow& r : rows_) {
        r.active = false;
        r.tickEnabled = false;
        r.x.clear();
        r.y.clear();
    }
    rows_[0].tickEnabled = true;
    activePoints_ = 0;
    return changed;
}

QStringList PointTable::xTexts(int n) const
{
    QStringList out;
    for (int i = 0; i < std::clamp(n, 0, kPointRows); ++i)
        out << rows_[static_cast<std::size_t>(i)].x;
    return out;
}

QStringList PointTable::yTexts(int n) const
{
    QStringList out;
    for (int i = 0; i < std::clamp(n, 0, kPointRows); ++i)
        out << rows_[static_cast<std::size_t>(i)].y;
    return out;
}

QString pointText(double v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc())
        return decimalText(v);
    return QString::fromLatin1(buf, res.ptr - buf);
}

const CSensore* loadSensorIntoTable(const QString& name, const QString& kind, PointTable& t)
{
    t.PulisciTabellaPunti();
    // Two sensors may share a name across types; the list shows this type's.
    const auto it = std::find_if(LibreriaSensori.begin(), LibreriaSensori.end(),
                                 [&](const CSensore& s) { return s.Nome() == name && s.Tipo() == kind; });
    if (it == LibreriaSensori.end())
        return nullptr;
    const CSensore& s = *it;
    const int n = std::clamp<int>(s.NumPunti(), 0, kPointRows);
    const int scale = kindFromKeyword(s.Tipo()) ? sensorType(*kindFromKeyword(s.Tipo())).scale : 1;
    for (int i = 0; i < n; ++i) {
        t.enableRow(i);
        t.setX(i, pointText(s.X(i)));
        QString y = pointText(s.Y(i));
        t.setY(i, FormattaDecimali(y, scale));
        t.setTick(i, true);
    }
    for (int i = kPointRows - 1; i >= n; --i)
        t.setTick(i, false);
    return &s;
}

// --- saving --------------------------------------------------------------------

QString badNameReason(const QString& name)
{
    // Reserved on Windows, where sensor folders are shared too, so refused
    // everywhere; a folder part would write outside the sensors folder.
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        const bool outsideCodePage = fromCp1252(toCp1252(QString(c))) != QString(c);
        if (reserved.contains(c) || control || outsideCodePage) {
            const QString shown = control ? QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                            : QString(c);
            return italian() ? QStringLiteral("Il nome del sensore non può contenere il carattere \"%1\".").arg(shown)
                              : QStringLiteral("The sensor name cannot contain the character \"%1\".").arg(shown);
        }
    }
    // A leading point hides the file from the library; Windows drops a last one.
    if (name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('.')))
        return italian() ? QStringLiteral("Il nome del sensore non può iniziare o finire con un punto.")
                          : QStringLiteral("The sensor name cannot begin or end with a dot.");
#ifdef Q_OS_WIN
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        return italian() ? QStringLiteral("\"%1\" è un nome riservato del sistema.").arg(name)
                          : QStringLiteral("\"%1\" is a name the system reserves.").arg(name);
#endif
    return QString();
}

std::optional<BadCell> checkTable(const PointTable& t, int scale, bool xOrder)
{
    for (int i = 0; i < t.NumPuntiAttivi(); ++i) {
        const PointRow& r = t.row(i);
        if (!validNumber(r.x) || (xOrder && i >= 1 && xDescending(t.row(i - 1).x, r.x)))
            return BadCell{i, false};
        if (!validY(r.y, scale))
            return BadCell{i, true};
    }
    return std::nullopt;
}

SaveResult SalvaSensore(const QString& typedName, SensorKind kind, const PointTable& t,
                         const QString& title)
{
    SaveResult out;
    const QString name = typedName.trimmed();
    if (name.isEmpty()) {
        msgBox(languageText(179), MsgIcon::Critical, MsgButtons::Ok, title);
        out.outcome = SaveOutcome::EmptyName;
        return out;
    }
    if (const QString reason = badNameReason(name); !reason.isEmpty()) {
        msgBox(reason, MsgIcon::Critical, MsgButtons::Ok, title);
        out.outcome = SaveOutcome::BadName;
        return out;
    }
    const SensorType& info = sensorType(kind);
    if (const auto cell = checkTable(t, info.scale, kind != SensorKind::LivelloBenzina)) {
        const PointRow& r = t.row(cell->row);
        const bool bitOrder = !cell->inY && validNumber(r.x);
        msgBox(bitOrder ? bitOrderMessage() : languageText(262), MsgIcon::Exclamation, MsgButtons::Ok, title);
        out.outcome = SaveOutcome::BadCell;
        out.cell = *cell;
        return out;
    }

    // The system's reason, when there is one, after the language text.
    auto writeFailed = [&out](const QString& path, const QString& reason = QString()) {
        QString message = languageText(328) + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QLatin1Char(' ')
            + languageText(329);
        if (!reason.isEmpty())
            message += QLatin1Char('\n') + reason;
        msgBox(message, MsgIcon::Critical);
        out.outcome = SaveOutcome::WriteFailed;
        out.path = path;
        return out;
    };

    // The folder is made on the first save.
    const QString folder = sensorsFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return writeFailed(folder, QString::fromLocal8Bit(std::strerror(errno)));

    // A file of that name in any case is the one replaced, under its own
    // spelling, as a system that ignores case would do.
    const QString fileName = name + QStringLiteral(".sns");
    QString path = QDir(folder).filePath(fileName);
    const QStringList listed = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    const auto existing = std::find_if(listed.begin(), listed.end(), [&](const QString& f) {
        return f.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    if (existing != listed.end()) {
        path = QDir(folder).filePath(*existing);
        const MsgAnswer a = msgBox(languageText(175) + QDir::toNativeSeparators(path) + QLatin1Char(' ') + languageText(132),
                                   MsgIcon::None, MsgButtons::OkCancel, languageText(133));
        if (a != MsgAnswer::Ok) {
            out.outcome = SaveOutcome::Cancelled;
            out.path = path;
            return out;
        }
    }

    const int n = t.NumPuntiAttivi();
    if (n == 0)
        return writeFailed(path);
    QString error;
    if (!writeSensorFile(path, info.keyword, name, t.xTexts(n), t.yTexts(n), &error))
        return writeFailed(path, error);

    LibreriaSensori.clear();
    CaricaLibreriaSensori();
    out.outcome = SaveOutcome::Saved;
    out.path = path;
    return out;
}

// --- the instrument ------------------------------------------------------------

bool readCurveIntoTable(int slot, PointTable& t)
{
    t.PulisciTabellaPunti();
    const auto kind = kindFromSlot(slot);
    if (!kind || operationRunning())
        return false;
    const int scale = sensorType(*kind).scale;

    mainSurface().setPanelText(3, languageText(205));
    const bool ok = editorRead(cmd::LeggiCurvaSensore, [slot] { return readCurveScaled(slot); });
    if (ok) {
        for (int i = 0; i < kPointRows; ++i) {
            t.setX(i, pointText(CurvaSensore.CurvaX[static_cast<std::size_t>(i)]));
            t.setY(i, formatY(pointText(CurvaSensore.CurvaY[static_cast<std::size_t>(i)]), scale));
        }
        for (int i = 0; i < kPointRows; ++i) {
            t.enableRow(i);
            t.enableTick(i);
            t.setTick(i, true);
        }
    }
    mainSurface().setPanelText(3, QString());
    return ok;
}

std::optional<double> readFuelLevel()
{
    if (operationRunning() || !editorRead(cmd::LeggiCalibrazione, LeggiCalibrazione))
        return std::nullopt;
    return ValoriAnalogici[4];
}

// --- fuel-level calibration -------------------------------------------------

CalibrationRun::Outcome CalibrationRun::step(QString& litres, PointTable& t, const Reader& reader)
{
    const int s = intFaseCalibrazione;
    if (s >= 19)
        return Outcome::Complete;
    // The litres become a Y of the curve: a number the instrument can hold.
    const QString litresText = litres.trimmed().isEmpty() ? QStringLiteral("0.0") : formatY(litres, 10);
    if (!validY(litresText, 10))
        return Outcome::BadLitres;

    const std::optional<double> reading = reader ? reader() : std::nullopt;
    if (!reading)
        return Outcome::ReadFailed;

    intUscita = 1;
    XValue = static_cast<qint16>(std::clamp(roundHalfEven(*reading), -32768.0, 32767.0));
    litres = litresText;
    const QString x = QString::number(XValue);
    t.setX(s, x);
    t.setY(s, litres);
    t.setTick(s, true);
    LettureCalibrazione[static_cast<std::size_t>(s)] = x;
    LitriCalibrazione[static_cast<std::size_t>(s)] = litres;
    intFaseCalibrazione = static_cast<qint16>(s + 1);
    return Outcome::Recorded;
}

void CalibrationRun::finish(PointTable& t)
{
    intUscita = 2;
    const int s = intFaseCalibrazione;
    if (s < 1)
        return;
    if (leadingNumber(t.row(0).x) > leadingNumber(t.row(s - 1).x)) {
        for (int i = 0; i < s; ++i) {
            t.setX(i, LettureCalibrazione[static_cast<std::size_t>(s - 1 - i)]);
            t.setY(i, LitriCalibrazione[static_cast<std::size_t>(s - 1 - i)]);
        }
    }
    for (int i = s; i < kPointRows; ++i) {
        t.setX(i, QStringLiteral("1024"));
        t.setY(i, t.row(i - 1).y);
        t.setTick(i, true);
    }
}

} // namespace zuv
