#pragma once
// The sensor library editor and the fuel-level calibration without their
// windows: the sensor types, the point table and its row rule, the checks of
// the boxes, saving a sensor, reading a curve from the instrument and the
// calibration steps. The windows only mirror this state on screen.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace zuv {

class CSensore;

inline constexpr int kPointRows = 20;

// --- sensor types ------------------------------------------------------------

// The option buttons of the editor, in the window's order.
enum class SensorKind {
    TemperaturaOlio,
    Pressione,
    TemperaturaAcqua,
    LivelloBenzina,
    Altro,
    SensoreLambda,
    PressioneTurbo,
    SensoreG,
};
inline constexpr int kNumKinds = 8;

struct SensorType {
    SensorKind kind;
    QString keyword;   // the type line of a sensor file
    QString lblY;      // unit labels of the two columns
    QString lblX;
    int scale;         // fixed-point divisor of Y (1 for "Altro")
    bool calibration; // the calibration button is shown
};

const std::array<SensorType, kNumKinds>& sensorTypes();
const SensorType& sensorType(SensorKind kind);
std::optional<SensorKind> kindFromKeyword(const QString& keyword);
// The type an instrument slot 0..8 selects; nothing outside that.
std::optional<SensorKind> kindFromSlot(int slot);

// --- box checks --------------------------------------------------------------

// A number either column accepts: digits with a point or a comma, its
// value rounding (half to even) into -32768..32767. Empty, letters and
// exponents fail.
bool validNumber(const QString& text);
// A Y value must also fit the instrument's word once multiplied by the scale.
bool validY(const QString& text, int scale);
// What a box holds once the focus has left it: commas turned into points
// (and Y padded to the scale's decimals), blanks around it dropped.
QString normalizeX(const QString& text);
QString formatY(const QString& text, int scale);
// The bit order rule: the row before holds a greater X.
bool xDescending(const QString& xBefore, const QString& x);

// The message of the order rule (a fixed text of the program).
QString bitOrderMessage();

// --- point table ---------------------------------------------------------------

struct PointRow {
    QString x;
    QString y;
    bool ticked = false;
    bool active = false;        // both boxes enabled, white; else disabled, grey
    bool tickEnabled = false; // the tick box can be clicked
};

// The 20 rows and `NumPuntiAttivi`. The active rows always form a prefix;
// every tick change, by the user or by code, passes the row rule.
class PointTable {
public:
    PointTable();

    int NumPuntiAttivi() const { return activePoints_; }
    const PointRow& row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }

    void setX(int i, const QString& text);
    void setY(int i, const QString& text);
    // Both boxes of the row enabled and white (a row about to be filled).
    void enableRow(int i);
    void enableTick(int i);

    // Sets the tick of row i as a click would. Returns true when the active
    // rows changed (the chart is drawn again); an untick inside the prefix
    // is undone at once and returns false.
    bool setTick(int i, bool ticked);

    // Empties and greys every row, from 19 down to 0, unticking each.
    bool PulisciTabellaPunti();
    // The table of a new sensor: as cleared, only tick box 0 enabled.
    bool newSensor();

    // The texts of rows 0 .. n - 1, or of all rows.
    QStringList xTexts(int n = kPointRows) const;
    QStringList yTexts(int n = kPointRows) const;

private:
    std::array<PointRow, kPointRows> rows_;
    int activePoints_ = 0;
};

// A decimal text of a curve value: a point, no exponent, no blank.
QString pointText(double v);

// Loads the first library sensor of that name and type into the table
// (cleared first): its points as decimal texts, Y padded to the type's
// decimals, each row ticked. Nothing when the library has no such sensor.
const CSensore* loadSensorIntoTable(const QString& name, const QString& kind, PointTable& t);

// --- saving --------------------------------------------------------------------

// Why a name (already trimmed) cannot name a sensor file, as a message in
// the current language; empty when it can. An empty name is the caller's
// own message.
QString badNameReason(const QString& name);

struct BadCell {
    int row = 0;
    bool inY = false;
};

// The first active box that does not hold a number the instrument can take
// (or, with `xOrder`, an X below the row before it).
std::optional<BadCell> checkTable(const PointTable& t, int scale, bool xOrder);

enum class SaveOutcome { Saved, Cancelled, EmptyName, BadName, BadCell, WriteFailed };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::WriteFailed;
    QString path;          // the file written or refused
    BadCell cell;      // for BadCell
};

// The save command: checks the name and the table, asks before replacing a
// file of that name (case ignored), writes sensors/<name>.sns and reads the
// library again. Every refusal shows its message; `title` is the window's
// caption.
SaveResult SalvaSensore(const QString& typedName, SensorKind kind, const PointTable& t,
                         const QString& title);

// --- the instrument ------------------------------------------------------------

// The curve of slot 0..8 read from the instrument into the table (cleared
// first), Y divided by the slot's scale, all 20 rows ticked. False, with the
// table cleared and the shared curve as it was, when the link is busy or the
// read fails (the failure is reported once).
bool readCurveIntoTable(int slot, PointTable& t);

// The fuel-level input (element 4 of ValoriAnalogici) read live; nothing
// when the exchange failed (reported once).
std::optional<double> readFuelLevel();

// --- fuel-level calibration -------------------------------------------------

class CalibrationRun {
public:
    // 0 opened, 1 measuring, 2 finished, 3 cancelled.
    qint16 intUscita = 0;
    // Readings taken, and the row the next one fills (at most 19).
    qint16 intFaseCalibrazione = 0;
    qint16 XValue = 0;

    enum class Outcome { Recorded, BadLitres, ReadFailed, Complete };
    using Reader = std::function<std::optional<double>()>;

    // One OK: `litres` is the litres box (empty reads as 0.0 and is written
    // back formatted). A failed read records nothing and leaves the step.
    Outcome step(QString& litres, PointTable& t, const Reader& reader = readFuelLevel);
    // Room for another reading (the OK button is shown).
    bool moreReadings() const { return intFaseCalibrazione < 19; }

    // Finish: rows reversed when the readings fell, then filled to 20 with X
    // 1024 and the litres of the row before.
    void finish(PointTable& t);
    void cancel() { intUscita = 3; }

private:
    std::array<QString, 21> LettureCalibrazione;
    std::array<QString, 21> LitriCalibrazione;
};

} // namespace zuv
