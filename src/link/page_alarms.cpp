#include "link/page_alarms.h"

#include "link/codec.h"
#include "link/commands.h"
#include "link/page_command.h"
#include "link/page_views.h"
#include "platform/numbers.h"
#include "project/state.h"
#include "project/time_text.h"

#include <cmath>
#include <limits>

namespace zuv {

namespace {

constexpr std::array<AlarmThreshold, kNumThresholds> kThresholds = {{
    {&ProjectRecord::chkTO, &ProjectRecord::mskTO, AlarmsCheck::chkTO, AlarmsText::txtTO, 10},
    {&ProjectRecord::chkPO, &ProjectRecord::mskPO, AlarmsCheck::chkPO, AlarmsText::txtPO, 1000},
    {&ProjectRecord::chkPB, &ProjectRecord::mskPB, AlarmsCheck::chkPB, AlarmsText::txtPB, 1000},
    {&ProjectRecord::chkTA, &ProjectRecord::mskTA, AlarmsCheck::chkTA, AlarmsText::txtTA, 10},
    {&ProjectRecord::chkLB, &ProjectRecord::mskLB, AlarmsCheck::chkLB, AlarmsText::txtLB, 10},
    {&ProjectRecord::chkTB, &ProjectRecord::mskTB, AlarmsCheck::chkTB, AlarmsText::txtTB, 10},
}};

constexpr std::array<ShiftLight, kNumLed> kLed = {{
    {&ProjectRecord::Led0, AlarmsText::txtLed0},
    {&ProjectRecord::Led1, AlarmsText::txtLed1},
    {&ProjectRecord::Led2, AlarmsText::txtLed2},
    {&ProjectRecord::Led3, AlarmsText::txtLed3},
    {&ProjectRecord::Led4, AlarmsText::txtLed4},
}};

bool ticked(const AlarmsPageView& view, AlarmsCheck box) { return view.check(box) != Qt::Unchecked; }

// A check box and the list it governs: list index + 1 when ticked, else 0.
qint64 choiceFrom(const AlarmsPageView& view, AlarmsCheck box, AlarmsCombo combo)
{
    return ticked(view, box) ? qint64(view.listIndex(combo)) + 1 : 0;
}

// The box first (its rule sets the list's look and clears it when off),
// then the item, only for a value above 0.
void showChoice(AlarmsPageView& view, AlarmsCheck box, AlarmsCombo combo, qint64 value)
{
    view.setCheck(box, value > 0 ? Qt::Checked : Qt::Unchecked);
    if (value > 0)
        view.setListIndex(combo, indexOrNone(value - 1, view.listCount(combo)));
}

} // namespace

const std::array<AlarmThreshold, kNumThresholds>& alarmThresholds() { return kThresholds; }

const std::array<ShiftLight, kNumLed>& shiftLights() { return kLed; }

AlarmsPageView* activeAlarmsPage() { return activePage<AlarmsPageView>(PageKind::Alarms); }

QByteArray encodeAlarmsPage(const AlarmsPage& page)
{
    QByteArray p;
    for (qint64 s : page.Soglie)
        p += ScriviWord(s);
    for (qint64 led : page.Led)
        p += ScriviWord(led);
    p += ByteInChr(page.LedGiallo);
    p += ByteInChr(0); // green LED
    p += ByteInChr(0); // blue LED
    p += ByteInChr(page.Uscita);
    p += ByteInChr(0); // input
    p += ByteInChr(0);
    for (int i = 0; i < 5; ++i)
        p += ScriviLong(0);
    return p;
}

AlarmsPage decodeAlarmsPage(QByteArrayView reply)
{
    AlarmsPage page;
    for (int i = 0; i < kNumThresholds; ++i)
        page.Soglie[i] = readWord(at(reply, 3 + 2 * i));
    for (int i = 0; i < 5; ++i)
        page.Led[i] = readWord(at(reply, 15 + 2 * i));
    page.LedGiallo = readByte(at(reply, 25));
    page.Uscita = readByte(at(reply, 28));
    page.Ingresso = readByte(at(reply, 29));
    return page;
}

qint64 pageThresholdFromText(const QString& text, int scale)
{
    const double v = roundHalfEven(leadingNumber(text) * scale);
    if (!std::isfinite(v) || v < double(std::numeric_limits<qint32>::min())
        || v > double(std::numeric_limits<qint32>::max()))
        return 0;
    return qint64(v);
}

QString pageThresholdText(qint64 threshold, int scale)
{
    QString t = VirgolaInPunto(decimalText(double(threshold) / scale));
    return FormattaDecimali(t, scale);
}

AlarmsPage alarmsPageFrom(const ProjectRecord& rec)
{
    AlarmsPage page;
    for (int i = 0; i < kNumThresholds; ++i)
        page.Soglie[i] = rec.*kThresholds[i].chk ? rec.*kThresholds[i].msk : 0;
    for (int i = 0; i < kNumLed; ++i)
        page.Led[i] = rec.*kLed[i].rec;
    page.LedGiallo = rec.LedGiallo ? CodecNum(rec.TipoLedGiallo.trimmed()).value() : 0;
    page.Uscita = rec.chkUscita ? rec.TipoUscita : 0;
    return page;
}

AlarmsPage alarmsPageFrom(const AlarmsPageView& view)
{
    AlarmsPage page;
    for (int i = 0; i < kNumThresholds; ++i) {
        const AlarmThreshold& s = kThresholds[i];
        page.Soglie[i] = ticked(view, s.box) ? pageThresholdFromText(view.text(s.text), s.scale) : 0;
    }
    for (int i = 0; i < kNumLed; ++i)
        page.Led[i] = CodecNum(view.text(kLed[i].text).trimmed()).value();
    page.LedGiallo = choiceFrom(view, AlarmsCheck::chkLedGiallo, AlarmsCombo::cboLedGiallo);
    page.Uscita = choiceFrom(view, AlarmsCheck::chkUscita, AlarmsCombo::cboUscita);
    return page;
}

void storeAlarmsPage(const AlarmsPage& page, ProjectRecord& rec)
{
    for (int i = 0; i < kNumThresholds; ++i) {
        rec.*kThresholds[i].msk = qint32(page.Soglie[i]);
        rec.*kThresholds[i].chk = page.Soglie[i] > 0;
    }
    for (int i = 0; i < kNumLed; ++i)
        rec.*kLed[i].rec = qint16(page.Led[i]);
    rec.TipoLedGiallo = QString::number(page.LedGiallo);
    rec.LedGiallo = page.LedGiallo > 0;
    rec.TipoUscita = qint16(page.Uscita);
    rec.chkUscita = page.Uscita > 0;
    rec.TipoIngresso = qint16(page.Ingresso);
    rec.chkIngresso = false;
}

void showAlarmsPage(const AlarmsPage& page, AlarmsPageView& view)
{
    for (int i = 0; i < kNumThresholds; ++i) {
        const AlarmThreshold& s = kThresholds[i];
        view.setCheck(s.box, page.Soglie[i] > 0 ? Qt::Checked : Qt::Unchecked);
        view.setText(s.text, pageThresholdText(page.Soglie[i], s.scale));
    }
    for (int i = 0; i < kNumLed; ++i)
        view.setText(kLed[i].text, QString::number(page.Led[i]));
    showChoice(view, AlarmsCheck::chkLedGiallo, AlarmsCombo::cboLedGiallo, page.LedGiallo);
    showChoice(view, AlarmsCheck::chkUscita, AlarmsCombo::cboUscita, page.Uscita);
    // The input is never on, whatever the instrument holds.
    view.setCheck(AlarmsCheck::chkIngresso, Qt::Unchecked);
}

namespace {

const PageCodec<AlarmsPage, AlarmsPageView> kPage{activeAlarmsPage, alarmsPageFrom, alarmsPageFrom,
                                                  encodeAlarmsPage, decodeAlarmsPage, storeAlarmsPage,
                                                  showAlarmsPage};

} // namespace

bool InviaDatiAllarmi() { return sendPage(cmd::InviaDatiAllarmi, kPage); }
bool LeggiDatiAllarmi() { return readPage(cmd::LeggiDatiAllarmi, kPage); }

RunOutcome alarmsPageRun(bool send, const std::function<bool()>& brokenOff)
{
    StepRun run(brokenOff);
    run.step(send ? InviaDatiAllarmi : LeggiDatiAllarmi);
    return run.outcome();
}

} // namespace zuv
