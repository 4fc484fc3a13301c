#include "link/page_sensors.h"

#include "link/codec.h"
#include "link/commands.h"
#include "link/page_command.h"
#include "link/page_views.h"
#include "project/state.h"

namespace zuv {

namespace {

// The enable flags in line order, with their window check boxes.
struct Flag {
    bool SensorsPage::*page;
    bool ProjectRecord::*rec;
    SensorsCheck box;
};
constexpr Flag kFlags[] = {
    {&SensorsPage::AbilTO, &ProjectRecord::AbilTO, SensorsCheck::chkAbilTO},
    {&SensorsPage::AbilPO, &ProjectRecord::AbilPO, SensorsCheck::chkAbilPO},
    {&SensorsPage::AbilPB, &ProjectRecord::AbilPB, SensorsCheck::chkAbilPB},
    {&SensorsPage::AbilTA, &ProjectRecord::AbilTA, SensorsCheck::chkAbilTA},
    {&SensorsPage::AbilLB, &ProjectRecord::AbilLB, SensorsCheck::chkAbilLB},
    {&SensorsPage::AbilCambio, &ProjectRecord::AbilCambio, SensorsCheck::chkAbilCambio},
    {&SensorsPage::AbilSG, &ProjectRecord::AbilSG, SensorsCheck::chkAbilSG},
    {&SensorsPage::AbilSensoreLambda, &ProjectRecord::AbilSensoreLambda,
     SensorsCheck::chkAbilSensoreLambda},
};

// The analog inputs in line order.
struct Input {
    qint64 SensorsPage::*page;
    qint16 ProjectRecord::*rec;
    SensorsCombo combo;
};
constexpr Input kInputs[] = {
    {&SensorsPage::ChannCambio, &ProjectRecord::ChannCambio, SensorsCombo::cboChannCambio},
    {&SensorsPage::ChannSG, &ProjectRecord::ChannSG, SensorsCombo::cboChannSG},
    {&SensorsPage::ChannSensoreLambda, &ProjectRecord::ChannSensoreLambda,
     SensorsCombo::cboChannSensoreLambda},
    {&SensorsPage::ChannPT, &ProjectRecord::ChannPT, SensorsCombo::cboChannPT},
};

qint64 textNumber(const QString& text) { return CodecNum(text.trimmed()).value(); }

Qt::CheckState checkOf(bool on) { return on ? Qt::Checked : Qt::Unchecked; }

} // namespace

SensorsPageView* activeSensorsPage() { return activePage<SensorsPageView>(PageKind::Sensors); }

QByteArray encodeSensorsPage(const SensorsPage& page)
{
    QByteArray p;
    p += ByteInChr(page.NumAccRPM);
    p += ByteInChr(page.ImpulsiRuota);
    p += ScriviWord(page.DiametroRuota);
    p += ByteInChr(page.LAPO);
    p += ByteInChr(page.LAAL);
    for (const Flag& f : kFlags)
        p += ByteInChr(page.*f.page ? 1 : 0);
    for (const Input& in : kInputs)
        p += ByteInChr(page.*in.page + 1);
    p += ByteInChr(page.AbilPT ? 1 : 0);
    p += ByteInChr(0);
    p += ScriviWord(0);
    for (int i = 0; i < 3; ++i)
        p += ScriviLong(0);
    return p;
}

SensorsPage decodeSensorsPage(QByteArrayView reply)
{
    SensorsPage page;
    page.NumAccRPM = readByte(at(reply, 3));
    page.ImpulsiRuota = readByte(at(reply, 4));
    page.DiametroRuota = readWord(at(reply, 5));
    page.LAPO = readByte(at(reply, 7));
    page.LAAL = readByte(at(reply, 8));
    int pos = 9;
    for (const Flag& f : kFlags)
        page.*f.page = readByte(at(reply, pos++)) != 0;
    for (const Input& in : kInputs)
        page.*in.page = qint64(readByte(at(reply, pos++))) - 1;
    page.AbilPT = readByte(at(reply, pos)) != 0;
    return page;
}

SensorsPage sensorsPageFrom(const ProjectRecord& rec)
{
    SensorsPage page;
    page.NumAccRPM = rec.NumAccRPM;
    page.ImpulsiRuota = rec.ImpulsiRuota;
    page.DiametroRuota = rec.DiametroRuota;
    page.LAPO = rec.LAPO;
    page.LAAL = rec.LAAL;
    for (const Flag& f : kFlags)
        page.*f.page = rec.*f.rec;
    for (const Input& in : kInputs)
        page.*in.page = rec.*in.rec;
    page.AbilPT = rec.AbilPT;
    return page;
}

SensorsPage sensorsPageFrom(const SensorsPageView& view)
{
    SensorsPage page;
    page.NumAccRPM = textNumber(view.text(SensorsText::txtNumAccRPM));
    page.ImpulsiRuota = textNumber(view.text(SensorsText::txtImpulsiRuota));
    page.DiametroRuota = textNumber(view.text(SensorsText::txtDiametroRuota));
    page.LAPO = view.listIndex(SensorsCombo::cboLAPO);
    page.LAAL = view.listIndex(SensorsCombo::cboLAAL);
    for (const Flag& f : kFlags)
        page.*f.page = view.check(f.box) != Qt::Unchecked;
    for (const Input& in : kInputs)
        page.*in.page = view.listIndex(in.combo);
    page.AbilPT = view.check(SensorsCheck::chkAbilPT) != Qt::Unchecked;
    return page;
}

void storeSensorsPage(const SensorsPage& page, ProjectRecord& rec)
{
    rec.NumAccRPM = qint16(page.NumAccRPM);
    rec.ImpulsiRuota = qint16(page.ImpulsiRuota);
    rec.DiametroRuota = qint16(page.DiametroRuota);
    rec.LAPO = qint16(page.LAPO);
    rec.LAAL = qint16(page.LAAL);
    for (const Flag& f : kFlags)
        rec.*f.rec = page.*f.page;
    for (const Input& in : kInputs)
        rec.*in.rec = qint16(page.*in.page);
    rec.AbilPT = page.AbilPT;
}

void showSensorsPage(const SensorsPage& page, SensorsPageView& view)
{
    view.setText(SensorsText::txtNumAccRPM, QString::number(page.NumAccRPM));
    view.setText(SensorsText::txtImpulsiRuota, QString::number(page.ImpulsiRuota));
    view.setText(SensorsText::txtDiametroRuota, QString::number(page.DiametroRuota));
    setListFromInstrument(view, SensorsCombo::cboLAPO, page.LAPO);
    setListFromInstrument(view, SensorsCombo::cboLAAL, page.LAAL);
    for (const Flag& f : kFlags)
        view.setCheck(f.box, checkOf(page.*f.page));
    for (const Input& in : kInputs)
        setListFromInstrument(view, in.combo, page.*in.page);
    view.setCheck(SensorsCheck::chkAbilPT, checkOf(page.AbilPT));
}

namespace {

const PageCodec<SensorsPage, SensorsPageView> kPage{activeSensorsPage, sensorsPageFrom, sensorsPageFrom,
                                                    encodeSensorsPage, decodeSensorsPage, storeSensorsPage,
                                                    showSensorsPage};

} // namespace

bool InviaDatiSensori() { return sendPage(cmd::InviaDatiSensori, kPage); }
bool LeggiDatiSensori() { return readPage(cmd::LeggiDatiSensori, kPage); }

} // namespace zuv
