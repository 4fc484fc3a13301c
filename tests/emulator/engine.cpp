#include "emulator/engine.h"

#include "emulator/running_engine.h"
#include "link/codec.h"
#include "link/commands.h"
#include "link/serial_comm.h"

namespace zuv::emu {

namespace {

// Data bytes `from` on, exactly `n` of them, `fill` past the end.
QByteArray slice(QByteArrayView src, qsizetype from, qsizetype n, char fill)
{
    QByteArray out(n, fill);
    for (qsizetype i = 0; i < n && from + i < src.size(); ++i)
        out[i] = src[from + i];
    return out;
}

QByteArray page(const std::map<quint8, QByteArray>& pages, quint8 writeCode)
{
    const auto it = pages.find(writeCode);
    if (it != pages.end())
        return it->second;
    const CommandInfo* info = commandInfo(writeCode);
    return QByteArray(info ? info->payload : 0, '\0');
}

} // namespace

void Engine::setFault(Fault fault, int count, quint8 onlyCode)
{
    fault_ = fault;
    faultCount_ = fault == Fault::None ? 0 : count;
    faultCode_ = onlyCode;
}

std::vector<Reply> Engine::feed(QByteArrayView bytes)
{
    pending_.append(bytes);
    std::vector<Reply> replies;
    for (;;) {
        // Resynchronise on the next "H".
        qsizetype start = 0;
        while (start < pending_.size() && pending_[start] != 'H')
            ++start;
        if (start > 0) {
            dropped.append(pending_.left(start));
            pending_.remove(0, start);
        }
        if (pending_.size() < 2)
            break;
        const quint8 code = quint8(pending_[1]);
        const CommandInfo* info = commandInfo(code);
        if (!info) {
            dropped.append(pending_.left(1));
            pending_.remove(0, 1);
            continue;
        }
        const qsizetype len = 2 + info->payload + 2;
        if (pending_.size() < len)
            break;
        const QByteArray frame = pending_.left(len);
        pending_.remove(0, len);
        received.push_back(frame);
        const bool checksumOk = CalcolaChecksum(QByteArrayView(frame).first(len - 2)) == frame.right(2);
        replies.push_back(respond(code, QByteArrayView(frame).sliced(2, info->payload), checksumOk));
    }
    return replies;
}

QByteArray Engine::readAnswer(quint8 code, QByteArrayView p) const
{
    const CommandInfo* info = commandInfo(code);
    if (!info || info->isWrite)
        return {};
    const int n = info->replyLen - 2;
    QByteArray data;
    switch (code) {
    case cmd::VerificaComunicazione:
        data = slice(identification, 0, 10, ' ') + '*';
        break;
    case cmd::LeggiCalibrazione:
        for (qint16 v : analogInputs.value_or(runningInputs(liveStep)))
            data += ScriviWord(v);
        break;
    case cmd::LeggiBloccoMemoria:
        data = slice(memory, quint32(readLong(p)), kBlockBytes, char(0xFF));
        break;
    case cmd::LeggiBloccoSessione:
        data = slice(lapMemory, readUWord(p), kBlockBytes, char(0xFF));
        break;
    case cmd::Status: {
        QByteArray s = slice(status.value_or(runningStatus(liveStep)), 0, kLenStatus, '\0');
        putWord(s, 23, lapCount);
        putLong(s, 32, recordedBytes);
        data = s.mid(2);
        break;
    }
    case cmd::LeggiCurvaSensore: {
        const int slot = readByte(p);
        const QByteArray c = slot < int(curve.size()) && !curve[slot].isEmpty()
                                 ? curve[slot]
                                 : QByteArray(kPayloadCurve, '\0');
        // The reply carries the curve without its slot byte.
        data = c.mid(1);
        break;
    }
    default:
        // A page read gives back the stored page of its write code.
        data = page(pages, quint8(code - 1));
        break;
    }
    QByteArray reply;
    reply.append('R');
    reply.append(char(code));
    reply.append(slice(data, 0, n, '\0'));
    return reply;
}

Reply Engine::respond(quint8 code, QByteArrayView payload, bool checksumOk)
{
    Reply r;
    if (!checksumOk)
        return r;
    const CommandInfo* info = commandInfo(code);

    if (info->isWrite) {
        if (code == cmd::InviaCurvaSensore) {
            const int slot = readByte(payload);
            if (slot < int(curve.size()))
                curve[slot] = payload.toByteArray();
        } else if (code != cmd::Hello) {
            pages[code] = payload.toByteArray();
        }
    }

    Fault f = Fault::None;
    if (faultCount_ != 0 && (faultCode_ == 0 || faultCode_ == code)) {
        f = fault_;
        if (faultCount_ > 0)
            --faultCount_;
    }

    QByteArray bytes = info->isWrite ? ackFrame(code) : readAnswer(code, payload);
    if (code == cmd::LeggiCalibrazione || code == cmd::Status)
        ++liveStep;
    switch (f) {
    case Fault::None:
        r.chunks.push_back({0, bytes});
        break;
    case Fault::Silence:
        break;
    case Fault::WrongAck:
        if (info->isWrite)
            bytes = ackFrame(quint8(code + 1));
        else
            bytes[1] = char(code + 1);
        r.chunks.push_back({0, bytes});
        break;
    case Fault::BadChecksum:
        if (info->isWrite) {
            const QByteArray good = bytes.mid(2, 2);
            bytes.replace(2, 2, good == "00" ? QByteArray("01") : QByteArray("00"));
        }
        r.chunks.push_back({0, bytes});
        break;
    case Fault::Late:
        r.chunks.push_back({lateMs, bytes});
        break;
    case Fault::ExtraByte:
        r.chunks.push_back({0, bytes + '*'});
        break;
    case Fault::ShortReply:
        bytes.chop(1);
        r.chunks.push_back({0, bytes});
        break;
    case Fault::Split: {
        const qsizetype half = bytes.size() / 2;
        r.chunks.push_back({0, bytes.left(half)});
        r.chunks.push_back({lateMs, bytes.mid(half)});
        break;
    }
    case Fault::DropLine:
        r.dropLine = true;
        break;
    }
    return r;
}

QByteArray checkedPair(QByteArray a, QByteArray b)
{
    unsigned sum = 0;
    for (char c : a)
        sum += static_cast<unsigned char>(c);
    for (int i = 0; i < 127; ++i)
        sum += static_cast<unsigned char>(b[i]);
    b[127] = char(sum & 0xFF);
    return a + b;
}

QByteArray lapMemoryImage(const std::vector<qint32>& hundredths)
{
    constexpr int kEntries = kBlockBytes / 4;
    const qsizetype blocks = (qsizetype(hundredths.size()) + kEntries - 1) / kEntries;
    QByteArray memory(blocks * kBlockBytes, char(0xFF));
    for (std::size_t k = 0; k < hundredths.size(); ++k) {
        const int p = int(4 * k);
        putLong(memory, p + 1, hundredths[k]);
        if (k == 0)
            memory[p] = char(0x80);
    }
    return memory;
}

} // namespace zuv::emu
