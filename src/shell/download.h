#pragma once
// Download Data: the instrument's recorded memory and lap times into the
// download buffers (DatiScaricati, NumBlocchi, TempiGiro). The run knows the
// window only as a DownloadView, so it runs and is tested without widgets.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zuv {

inline constexpr int kBlockAttempts = 3; // retries before a read gives up
inline constexpr int kBlockPauseMs = 10;
inline constexpr int kLapPauseMs = 100;
inline constexpr int kPhasePauseMs = 1000;

enum class DownloadOutcome {
    Completed,         // memory read to its end, something stored
    NothingDownloaded, // memory read to its end, nothing stored
    Failed,            // a read, a connection or a checksum gave up
    Closed,            // the user closed the window
};

// What the run shows and asks of its window.
class DownloadView {
public:
    virtual ~DownloadView() = default;
    virtual void setProgressMax(int max) = 0;
    // The bar and the percent label.
    virtual void setProgressValue(int value) = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setBusy(bool on) = 0;
    // The window was closed (its close box) during the run.
    virtual bool closedByUser() const = 0;
    // The run is over: the window lets the user close it, or closes itself
    // after a failure.
    virtual void runEnded(DownloadOutcome outcome) = 0;
};

// The instrument reads the download uses. Each failed read has already
// shown its message: an empty block, or a count of 0.
class DownloadLink {
public:
    virtual ~DownloadLink() = default;
    virtual bool connect() = 0;                         // ConnettiStrumento
    virtual void closePort() = 0;                       // ChiudiPorta
    virtual qint32 recordedBytes() = 0;                 // LeggiStatoDownload2
    virtual qint16 lapCount() = 0;                      // LeggiStatoDownload1
    virtual QByteArray memoryBlock(qint32 address) = 0; // LeggiBloccoMemoria
    virtual QByteArray lapBlock(qint32 address) = 0;    // LeggiBloccoSessione
};

// The link of the program (the serial line to the instrument).
DownloadLink& instrumentDownloadLink();

// The low byte of the sum of A(1..128) and B(1..127) equals B(128).
bool VerificaChecksum(const QByteArray& blockA, const QByteArray& blockB);

// "mm:ss.cc, n" of a lap time in hundredths (minutes not limited to 59).
QString lapText(qint32 hundredths, int session);

// The 32 entries of a lap block into TempiGiro(base .. base + 31), indices
// above 999 dropped; an entry that opens a session raises `session`.
void DecodificaTempoGiro(const QByteArray& block, qint32 base, qint16& session);

// Empties the buffers before a download: no blocks, "00:00.00" laps, not
// interrupted.
void resetDownloadBuffers();

// One download, as the window runs it once it is shown.
class DownloadRun {
public:
    explicit DownloadRun(DownloadView& view, DownloadLink& link = instrumentDownloadLink());

    // Status reads, lap times, memory; ComandoInCorso is 0x26 throughout
    // and 0 again at the end, whatever ended the run. The port is open (the
    // poll found the instrument): the status reads do not connect.
    DownloadOutcome run();

    // The phases, each on its own (the run calls them in order).
    DownloadOutcome ScaricaTempiGiro();
    DownloadOutcome ScaricaMemoria();

    qint32 ByteTotali = 0;

private:
    // A block read, read again after a failure up to the retry limit;
    // false when it gave up.
    bool readBlock(qint32 address, QByteArray& out);
    DownloadOutcome finish(DownloadOutcome outcome);
    DownloadOutcome fail(bool showMessage);

    DownloadView& view_;
    DownloadLink& link_;
    QByteArray BloccoA;
    QByteArray BloccoB;
    int retries_ = 0;
    qint16 session_ = 0;
};

} // namespace zuv
