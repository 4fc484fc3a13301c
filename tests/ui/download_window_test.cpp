#include "support/link_fixture.h"

#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/export_data.h"
#include "shell/ui/frmDownload.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace zuv::test {
namespace {

// Pairs of zero blocks: each passes its checksum.
QByteArray zeroMemory(int pairs) { return QByteArray(256 * pairs, '\0'); }

std::vector<qint32> memoryReads(const std::vector<QByteArray>& frames)
{
    std::vector<qint32> out;
    for (const QByteArray& f : frames)
        if (f.size() == 8 && quint8(f[1]) == 0x0E)
            out.push_back(qint32((quint8(f[2]) << 24) | (quint8(f[3]) << 16) | (quint8(f[4]) << 8)
                                 | quint8(f[5])));
    return out;
}

class DownloadWindow : public FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        useNumberedTexts(399);
        CaricaTabelleCostanti();
        port.engine.status = QByteArray(36, '\0');
        port.engine.memory = zeroMemory(4);
        port.engine.recordedBytes = 4 * 256;
        // The poll found the instrument: the port is open.
        ASSERT_TRUE(ConnettiStrumento());
    }
    void TearDown() override
    {
        ChiudiPorta();
        FakeLinkTest::TearDown();
    }
};

TEST_F(DownloadWindow, RunsOnceShownAndWaitsForOk)
{
    resetDownloadBuffers();
    frmDownload w;
    EXPECT_FALSE(w.OKButton->isEnabled());
    w.show();
    QTRY_VERIFY(w.runFinished());
    EXPECT_EQ(w.outcome(), DownloadOutcome::Completed);
    EXPECT_EQ(w.lblStatoDownload->text(), "T268");
    EXPECT_EQ(w.ProgressBar1->maximum(), 100);
    EXPECT_EQ(w.ProgressBar1->value(), 100); // the erased pair after the data
    EXPECT_EQ(w.lblPerc->text(), "100 %");
    EXPECT_TRUE(w.OKButton->isEnabled());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(NumBlocchi, 8);

    // Showing it again starts no second download.
    const std::size_t frames = port.engine.received.size();
    w.hide();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(port.engine.received.size(), frames);

    QTest::mouseClick(w.OKButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(DownloadWindow, ClosingDuringTheRunEndsItAfterThePairInProgress)
{
    resetDownloadBuffers();
    frmDownload w;
    port.onWrite = [&](const QByteArray& f) {
        if (memoryReads({f}) == std::vector<qint32>{256})
            w.close();
    };
    w.show();
    QTRY_VERIFY(w.runFinished());
    EXPECT_EQ(w.outcome(), DownloadOutcome::Closed);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(memoryReads(port.engine.received), (std::vector<qint32>{0, 128, 256, 384}));
    EXPECT_EQ(NumBlocchi, 4);
    EXPECT_NE(w.lblStatoDownload->text(), "T268");
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(surface.menus["mnuSaveData"]);
}

// The user clicks OK in the download window once its run is over.
class OkOnceOver {
public:
    OkOnceOver()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<frmDownload*>(w); d && d->isVisible() && d->runFinished()) {
                    ++clicks;
                    d->OKButton->click();
                }
        });
        timer_.start(5);
    }

    int clicks = 0;

private:
    QTimer timer_;
};

TEST_F(DownloadWindow, DownloadDataEmptiesTheBuffersThenOffersSaveData)
{
    NumBlocchi = 2;
    DatiScaricati[0] = QByteArray(128, 'x');
    TempiGiro[5] = QStringLiteral("09:09.09, 9");
    // The instrument went after the poll saw it: each status read fails,
    // nothing is downloaded, the window waits for OK and the save dialog
    // follows.
    ChiudiPorta();
    port.portCount = 0;
    OkOnceOver ok;
    runDownloadData(nullptr);
    EXPECT_EQ(NumBlocchi, 0);
    EXPECT_TRUE(DatiScaricati[0].isEmpty());
    EXPECT_EQ(TempiGiro[5], "00:00.00");
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, "T242");
    EXPECT_EQ(msgs.shown[1].text, "T242");
    EXPECT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_EQ(ok.clicks, 1) << "the window waits for OK";
    EXPECT_FALSE(surface.menus["mnuSaveData"]);

    // A download that ends well waits for OK before the save dialog.
    port.portCount = kMaxPorts;
    ASSERT_TRUE(ConnettiStrumento());
    msgs.clear();
    runDownloadData(nullptr);
    EXPECT_EQ(NumBlocchi, 8);
    EXPECT_EQ(fileDialogs.asked.size(), 2u);
    EXPECT_TRUE(msgs.shown.empty()) << "a whole download is not partial";
    EXPECT_TRUE(surface.menus["mnuSaveData"]);
}

TEST_F(DownloadWindow, AReadThatFailsFourTimesClosesTheWindowAndKeepsThePairsRead)
{
    // From the second pair on, the memory reads stay unanswered.
    port.onWrite = [&](const QByteArray& f) {
        if (memoryReads({f}) == std::vector<qint32>{256})
            port.engine.setFault(emu::Fault::Silence, -1, 0x0E);
    };
    OkOnceOver ok;
    runDownloadData(nullptr);

    EXPECT_EQ(ok.clicks, 0) << "the window closes itself";
    EXPECT_EQ(memoryReads(port.engine.received), (std::vector<qint32>{0, 128, 256, 256, 256, 256}));
    EXPECT_EQ(NumBlocchi, 2);
    ASSERT_EQ(msgs.shown.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(msgs.shown[i].text, "T242");
    EXPECT_EQ(msgs.shown[4].text, "T380") << "the data read so far are partial";
    EXPECT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_TRUE(surface.menus["mnuSaveData"]);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

TEST_F(DownloadWindow, ClosedMidRunTheDataReadSoFarAreSavedAsPartial)
{
    // The user closes the window while the second pair is read.
    port.onWrite = [](const QByteArray& f) {
        if (memoryReads({f}) != std::vector<qint32>{256})
            return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<frmDownload*>(w); d && d->isVisible())
                d->close();
    };
    fileDialogs.answers.push_back(path("partial.csv"));
    runDownloadData(nullptr);

    EXPECT_EQ(NumBlocchi, 4);
    ASSERT_EQ(fileDialogs.asked.size(), 1u);
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, "T380");
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.shown[1].text, "T269");
    // Two pairs: 40 samples after the header.
    EXPECT_EQ(readFile("partial.csv").count("\r\n"), 41);

    // Saved again later from the menu, the same buffers get the same word.
    msgs.clear();
    fileDialogs.answers.push_back(QString());
    EXPECT_FALSE(runSaveData());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "T380");
}

} // namespace
} // namespace zuv::test
