#include "link/page_config.h"

#include "link/codec.h"
#include "link/commands.h"
#include "link/operation.h"
#include "link/page_command.h"
#include "link/page_views.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"

namespace zuv {

namespace {

constexpr int kPagePauseMs = 50;

constexpr ConfigText kSectors[5] = {ConfigText::txtSettoreCrono0, ConfigText::txtSettoreCrono1,
                                    ConfigText::txtSettoreCrono2, ConfigText::txtSettoreCrono3,
                                    ConfigText::txtSettoreCrono4};

// Display pages 2 to 9.
constexpr bool ProjectRecord::*kPages[8] = {
    &ProjectRecord::PaginaAbilitata2, &ProjectRecord::PaginaAbilitata3, &ProjectRecord::PaginaAbilitata4,
    &ProjectRecord::PaginaAbilitata5, &ProjectRecord::PaginaAbilitata6, &ProjectRecord::PaginaAbilitata7,
    &ProjectRecord::PaginaAbilitata8, &ProjectRecord::PaginaAbilitata9};

qint64 textNumber(const QString& text) { return CodecNum(text).value(); }

QString number(qint64 v) { return QString::number(v); }

} // namespace

ConfigPageView* activeConfigPage() { return activePage<ConfigPageView>(PageKind::Config); }

// --- wire ------------------------------------------------------------------

QByteArray encodeConfigPage1(const ConfigPage1& page)
{
    int mask = 0;
    for (int k = 0; k < 8; ++k)
        if (page.pages[k])
            mask += 1 << k;
    QByteArray p;
    p += ByteInChr(page.Lingua);
    p += ByteInChr(page.UMVel);
    p += ByteInChr(page.UMTemp);
    p += ByteInChr(page.UMPress);
    p += ScriviWord(mask);
    p += ByteInChr(page.AbilRecLap ? 1 : 0);
    p += ByteInChr(page.StopRecSecondi);
    p += ScriviWord(page.AbilRecVel);
    for (int i = 0; i < 4; ++i)
        p += ScriviLong(0);
    return p;
}

QByteArray encodeConfigPage2(const ConfigPage2& page)
{
    QByteArray p;
    p += ByteInChr(page.TempoMsgGiro);
    p += ByteInChr(page.TempoVisGiro);
    for (qint64 s : page.Settori)
        p += ScriviWord(s);
    p += ScriviLong(0);
    p += ScriviLong(0);
    p += ScriviWord(0);
    return p;
}

ConfigPage1 decodeConfigPage1(QByteArrayView reply)
{
    ConfigPage1 page;
    page.Lingua = readByte(at(reply, 3));
    page.UMVel = readByte(at(reply, 4));
    page.UMTemp = readByte(at(reply, 5));
    page.UMPress = readByte(at(reply, 6));
    const qint16 mask = readWord(at(reply, 7));
    for (int k = 0; k < 8; ++k)
        page.pages[k] = BitAttivo(int(mask), k);
    page.AbilRecLap = readByte(at(reply, 9)) != 0;
    page.StopRecSecondi = readByte(at(reply, 10));
    page.AbilRecVel = readWord(at(reply, 11));
    return page;
}

ConfigPage2 decodeConfigPage2(QByteArrayView reply)
{
    ConfigPage2 page;
    page.TempoMsgGiro = readByte(at(reply, 3));
    page.TempoVisGiro = readByte(at(reply, 4));
    for (int i = 0; i < 5; ++i)
        page.Settori[i] = readWord(at(reply, 5 + 2 * i));
    return page;
}

// --- sources and destinations ----------------------------------------------

ConfigPage1 configPage1From(const ProjectRecord& rec)
{
    ConfigPage1 page;
    page.Lingua = rec.Lingua;
    page.UMVel = rec.UMVel;
    page.UMTemp = rec.UMTemp;
    page.UMPress = rec.UMPress;
    for (int k = 0; k < 8; ++k)
        page.pages[k] = rec.*kPages[k];
    page.AbilRecLap = rec.chkAbilRecLap;
    page.StopRecSecondi = rec.mskStopRecSecondi;
    page.AbilRecVel = rec.mskAbilRecVel;
    return page;
}

ConfigPage2 configPage2From(const ProjectRecord& rec)
{
    ConfigPage2 page;
    page.TempoMsgGiro = rec.TempoMsgGiro;
    page.TempoVisGiro = rec.TempoVisGiro;
    page.Settori = {rec.Settore1, rec.Settore2, rec.Settore3, rec.Settore4, rec.Settore5};
    return page;
}

ConfigPage1 configPage1From(const ConfigPageView& view)
{
    ConfigPage1 page;
    page.Lingua = view.listIndex(ConfigCombo::cboLingua);
    page.UMVel = view.listIndex(ConfigCombo::cboUMVelocita);
    page.UMTemp = view.listIndex(ConfigCombo::cboUMTemperatura);
    page.UMPress = view.listIndex(ConfigCombo::cboUMPressione);
    for (int k = 0; k < 8; ++k)
        page.pages[k] = view.pageEnabled(k + 2);
    page.AbilRecLap = view.chkAbilRecLAP() != Qt::Unchecked;
    page.StopRecSecondi = textNumber(view.text(ConfigText::txtStopRecSecondi));
    page.AbilRecVel = textNumber(view.text(ConfigText::txtAbilRecVel));
    return page;
}

ConfigPage2 configPage2From(const ConfigPageView& view)
{
    ConfigPage2 page;
    page.TempoMsgGiro = textNumber(view.text(ConfigText::txtTempoMsgGiro));
    page.TempoVisGiro = textNumber(view.text(ConfigText::txtTempoVisGiro));
    for (int i = 0; i < 5; ++i)
        page.Settori[i] = textNumber(view.text(kSectors[i]));
    return page;
}

void storeConfigPage1(const ConfigPage1& page, ProjectRecord& rec)
{
    rec.Lingua = qint16(page.Lingua);
    rec.UMVel = qint16(page.UMVel);
    rec.UMTemp = qint16(page.UMTemp);
    rec.UMPress = qint16(page.UMPress);
    for (int k = 0; k < 8; ++k)
        rec.*kPages[k] = page.pages[k];
    rec.chkAbilRecLap = page.AbilRecLap;
    rec.mskStopRecSecondi = qint32(page.StopRecSecondi);
    rec.mskAbilRecVel = qint32(page.AbilRecVel);
}

void storeConfigPage2(const ConfigPage2& page, ProjectRecord& rec)
{
    rec.TempoMsgGiro = qint16(page.TempoMsgGiro);
    rec.TempoVisGiro = qint16(page.TempoVisGiro);
    rec.Settore1 = qint32(page.Settori[0]);
    rec.Settore2 = qint32(page.Settori[1]);
    rec.Settore3 = qint32(page.Settori[2]);
    rec.Settore4 = qint32(page.Settori[3]);
    rec.Settore5 = qint32(page.Settori[4]);
}

void showConfigPage1(const ConfigPage1& page, ConfigPageView& view)
{
    setListFromInstrument(view, ConfigCombo::cboLingua, page.Lingua);
    setListFromInstrument(view, ConfigCombo::cboUMVelocita, page.UMVel);
    setListFromInstrument(view, ConfigCombo::cboUMTemperatura, page.UMTemp);
    setListFromInstrument(view, ConfigCombo::cboUMPressione, page.UMPress);
    for (int k = 0; k < 8; ++k)
        view.setPageEnabled(k + 2, page.pages[k]);
    view.setChkAbilRecLAP(page.AbilRecLap ? Qt::Checked : Qt::Unchecked);
    view.setText(ConfigText::txtStopRecSecondi, number(page.StopRecSecondi));
    view.setText(ConfigText::txtAbilRecVel, number(page.AbilRecVel));
}

void showConfigPage2(const ConfigPage2& page, ConfigPageView& view)
{
    view.setText(ConfigText::txtTempoMsgGiro, number(page.TempoMsgGiro));
    view.setText(ConfigText::txtTempoVisGiro, number(page.TempoVisGiro));
    for (int i = 0; i < 5; ++i)
        view.setText(kSectors[i], number(page.Settori[i]));
}

// --- commands ----------------------------------------------------------------

namespace {

const PageCodec<ConfigPage1, ConfigPageView> kPage1{activeConfigPage, configPage1From, configPage1From,
                                                    encodeConfigPage1, decodeConfigPage1,
                                                    storeConfigPage1, showConfigPage1};
const PageCodec<ConfigPage2, ConfigPageView> kPage2{activeConfigPage, configPage2From, configPage2From,
                                                    encodeConfigPage2, decodeConfigPage2,
                                                    storeConfigPage2, showConfigPage2};

} // namespace

bool InviaDatiConfigurazione() { return sendPage(cmd::InviaDatiConfigurazione, kPage1); }
bool InviaDatiConfigurazione2() { return sendPage(cmd::InviaDatiConfigurazione2, kPage2); }
bool LeggiDatiConfigurazione() { return readPage(cmd::LeggiDatiConfigurazione, kPage1); }
bool LeggiDatiConfigurazione2() { return readPage(cmd::LeggiDatiConfigurazione2, kPage2); }

RunOutcome configPagesRun(bool send)
{
    StepRun page1;
    page1.step(send ? InviaDatiConfigurazione : LeggiDatiConfigurazione);
    clock().sleepMs(kPagePauseMs);
    StepRun page2;
    page2.step(send ? InviaDatiConfigurazione2 : LeggiDatiConfigurazione2);

    RunOutcome pair = page2.outcome();
    pair.ok = page1.outcome().ok && pair.ok;
    pair.noInstrument = page1.outcome().noInstrument || pair.noInstrument;
    noteOutcome(pair.ok);
    return pair;
}

} // namespace zuv
