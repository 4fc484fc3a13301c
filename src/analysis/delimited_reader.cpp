#include "analysis/delimited_reader.h"

#include "platform/textfile.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <thread>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace zuv {
namespace {

// A header longer than this is no header (a binary file without line ends).
constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
// A field longer than this is not read as a number.
constexpr qsizetype kMaxFieldBytes = 100;
// Progress is reported about this many times per file.
constexpr int kProgressSteps = 40;
// Pieces of work per file when the size chooses them, and their bounds:
// small pieces keep the buffers small.
constexpr qsizetype kChunksPerFile = 256;
constexpr qsizetype kMinChunkBytes = 64 * 1024;
constexpr qsizetype kMaxChunkBytes = 1024 * 1024;
// Below this a file is read by the calling thread alone.
constexpr qsizetype kMinParallelBytes = 1024 * 1024;
constexpr int kMaxThreads = 8;
// Cells of one table at most (2 GiB of doubles).
constexpr qint64 kMaxCells = qint64(1) << 28;

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline bool isDigit(char c) { return unsigned(c - '0') < 10u; }
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The common form: [sign] digits [point digits] [e [sign] digits], read at
// `p` up to the field's end. True, with `p` on the ";" or on `e`, when the
// field is such a number and its value is exact in one rounding (mantissa
// below 2^53, power of ten within 10^22); anything else goes to the careful
// reader. `e` must be readable and hold a line end, so the loops need no
// bounds of their own: they stop at it as at any other character that
// cannot continue a number.
inline bool fastNumber(const char*& p, const char* e, double& out)
{
    const char* s = p;
    const bool neg = *s == '-';
    s += *s == '-' || *s == '+';
    std::uint64_t m = 0;
    const char* digits = s;
    while (isDigit(*s))
        m = m * 10 + unsigned(*s++ - '0');
    qsizetype count = s - digits;
    int frac = 0;
    if (*s == '.' || *s == ',') {
        const char* f = ++s;
        while (isDigit(*s))
            m = m * 10 + unsigned(*s++ - '0');
        frac = int(s - f);
        count += frac;
    }
    if (count == 0 || count > 19)
        return false;
    int ex = 0;
    if ((*s | 0x20) == 'e') {
        ++s;
        const bool eneg = *s == '-';
        s += *s == '-' || *s == '+';
        const char* ed = s;
        while (isDigit(*s) && s - ed < 4)
            ex = ex * 10 + (*s++ - '0');
        if (s == ed || isDigit(*s))
            return false;
        if (eneg)
            ex = -ex;
    }
    if (s != e && *s != ';')
        return false;
    ex -= frac;
    if (m > (std::uint64_t(1) << 53) || ex < -22 || ex > 22)
        return false;
    double v = double(m);
    if (ex < 0)
        v /= kPow10[-ex];
    else if (ex > 0)
        v *= kPow10[ex];
    out = neg ? -v : v;
    p = s;
    return true;
}

// Every other field: trimmed, unquoted, then read exactly.
bool carefulNumber(const char* b, const char* e, double& out)
{
    while (b < e && isBlank(*b))
        ++b;
    while (e > b && isBlank(e[-1]))
        --e;
    if (e - b >= 2 && *b == '"' && e[-1] == '"') {
        ++b, --e;
        while (b < e && isBlank(*b))
            ++b;
        while (e > b && isBlank(e[-1]))
            --e;
    }
    if (b == e) {
        out = 0;
        return true;
    }
    if (e - b > kMaxFieldBytes)
        return false;
    bool neg = false;
    if (*b == '-' || *b == '+') {
        neg = *b == '-';
        ++b;
    }
    if (b == e || *b == '-' || *b == '+')
        return false;
    char buf[kMaxFieldBytes];
    const qsizetype n = e - b;
    for (qsizetype i = 0; i < n; ++i)
        buf[i] = b[i] == ',' ? '.' : b[i];
    double v = 0;
    const auto [ptr, ec] = std::from_chars(buf, buf + n, v, std::chars_format::general);
    if (ec != std::errc() || ptr != buf + n || !std::isfinite(v))
        return false;
    out = neg ? -v : v;
    return true;
}

// One piece of the file: whole lines, from a line start to a line start.
struct Chunk {
    qsizetype begin = 0;
    qsizetype end = 0;
    qint64 firstRow = 0; // data rows before it
    qint64 rows = 0;
    qint64 firstLine = 0; // line number of its first line, from 1
    qint64 lines = 0;
};

struct Warnings {
    std::vector<LoadWarning> kept;
    qint64 count = 0;
    // Only a warning that is kept is made.
    template <class Make>
    void add(const Make& make)
    {
        if (kept.size() < std::size_t(kMaxDelimitedWarnings))
            kept.push_back(make());
        ++count;
    }
};

// Runs work(worker, i) for i < count, on up to `threads` threads, the
// caller being worker 0; tick() runs on the calling thread after each of
// its pieces.
template <class Work, class Tick>
void runPieces(std::size_t count, int threads, const Work& work, const Tick& tick)
{
    std::atomic<std::size_t> next{0};
    auto loop = [&](int worker) {
        for (;;) {
            const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
            if (i >= count)
                return;
            work(worker, i);
        }
    };
    std::vector<std::thread> pool;
    const int extra = std::min<int>(threads, int(std::min<std::size_t>(count, kMaxThreads))) - 1;
    for (int t = 0; t < extra; ++t) {
        try {
            pool.emplace_back(loop, t + 1);
        } catch (...) {
            break; // fewer helpers; the caller does the rest
        }
    }
    for (;;) {
        const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
        if (i >= count)
            break;
        work(0, i);
        tick();
    }
    for (std::thread& t : pool)
        t.join();
}

QString fieldText(const char* b, const char* e)
{
    constexpr qsizetype kShown = 24;
    const qsizetype n = std::min<qsizetype>(e - b, kShown);
    QString t = fromCp1252(QByteArrayView(b, n));
    if (e - b > kShown)
        t += QStringLiteral("...");
    return t;
}

bool blankLine(const char* b, const char* e)
{
    while (b < e && isBlank(*b))
        ++b;
    return b == e;
}

// Data lines start with a digit: only others need the full test.
inline bool blank(const char* b, const char* e) { return b == e || (isBlank(*b) && blankLine(b, e)); }

} // namespace

// The bytes come from memory (borrowed, or a file read whole where it has
// no descriptor) or straight from the file, piece by piece, into a buffer
// of each worker's: the file is never held whole, and the system's cache
// of it never counts as this program's memory.
struct DelimitedSource::Impl {
    QFile file;
    int fd = -1;
    QByteArray owned;
    const char* mem = nullptr;
    qsizetype size = 0;
    char eol = '\n';

    QStringList headers;
    QString headerLine;
    int headerFields = 0;
    LoadWarnings warnings;
    std::vector<Chunk> chunks;
    qsizetype longestChunk = 0;
    qint64 rows = 0;
    int threads = 1;
    // Where the data rows begin, and the line number of the header.
    qsizetype dataStart = 0;
    qint64 headerLineNumber = 0;

    void scanHeader();
    void scan(const DelimitedOptions& options);
    void countChunk(Chunk& c, std::vector<char>& buf) const;

    // One buffer per worker, made here on the calling thread where the
    // pieces are of ordinary size (a worker's own allocation would give it
    // an allocator arena of its own).
    std::vector<std::vector<char>> workBuffers() const
    {
        std::vector<std::vector<char>> b(static_cast<std::size_t>(threads));
        if (!mem && longestChunk <= 2 * kMaxChunkBytes)
            for (std::vector<char>& one : b)
                one.resize(std::size_t(longestChunk));
        return b;
    }

    // Bytes [off, off + n), from memory or read into `buf`. Bytes a file no
    // longer has (cut short meanwhile) read as line ends.
    const char* view(qsizetype off, qsizetype n, std::vector<char>& buf) const
    {
        if (mem)
            return mem + off;
        if (buf.size() < std::size_t(n))
            buf.resize(std::size_t(n));
        qsizetype got = 0;
#if defined(Q_OS_UNIX)
        while (got < n) {
            const ssize_t r = ::pread(fd, buf.data() + got, std::size_t(n - got), off_t(off + got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            got += r;
        }
#endif
        std::fill(buf.begin() + got, buf.begin() + n, eol);
        return buf.data();
    }
    // The first `c` at or after `from`, or `size`.
    qsizetype find(qsizetype from, char c, std::vector<char>& buf) const
    {
        constexpr qsizetype kWindow = 64 * 1024;
        for (qsizetype off = from; off < size; off += kWindow) {
            const qsizetype n = std::min(kWindow, size - off);
            const char* p = view(off, n, buf);
            if (const void* hit = std::memchr(p, c, std::size_t(n)))
                return off + (static_cast<const char*>(hit) - p);
        }
        return size;
    }
    const char* lineEnd(const char* p, const char* e) const
    {
        const void* nl = std::memchr(p, eol, std::size_t(e - p));
        return nl ? static_cast<const char*>(nl) : e;
    }
};

void DelimitedSource::Impl::countChunk(Chunk& c, std::vector<char>& buf) const
{
    const char* p = view(c.begin, c.end - c.begin, buf);
    const char* e = p + (c.end - c.begin);
    qint64 rowsIn = 0, linesIn = 0;
    while (p < e) {
        const char* le = lineEnd(p, e);
        ++linesIn;
        if (!blank(p, le))
            ++rowsIn;
        p = le + 1;
    }
    c.rows = rowsIn;
    c.lines = linesIn;
}

void DelimitedSource::Impl::scanHeader()
{
    dataStart = size;
    if (size <= 0)
        return;
    std::vector<char> buf;
    qsizetype p = 0;
    bool utf8 = false;
    if (size >= 3 && std::memcmp(view(0, 3, buf), "\xEF\xBB\xBF", 3) == 0) {
        p = 3;
        utf8 = true;
    }
    // Files from old systems end their lines with CR alone.
    if (find(p, '\n', buf) == size && find(p, '\r', buf) < size)
        eol = '\r';

    qint64 line = 0;
    while (p < size) {
        const qsizetype le = find(p, eol, buf);
        ++line;
        // Blank lines are short; a long one is looked at a window at a time.
        bool isBlankLine = true;
        for (qsizetype w = p; w < le && isBlankLine; w += kMaxHeaderBytes) {
            const qsizetype n = std::min(kMaxHeaderBytes, le - w);
            const char* b = view(w, n, buf);
            isBlankLine = blankLine(b, b + n);
        }
        if (!isBlankLine) {
            qsizetype n = le - p;
            const char* b = view(p, std::min(n, kMaxHeaderBytes), buf);
            if (n > kMaxHeaderBytes) {
                warnings.add(
                    {.kind = LoadWarning::Kind::LongHeader, .line = line, .count = n, .limit = kMaxHeaderBytes});
                n = kMaxHeaderBytes;
            }
            while (n > 0 && b[n - 1] == '\r')
                --n;
            const QByteArrayView h(b, n);
            headerLine = utf8 ? QString::fromUtf8(h) : fromCp1252(h);
            headers = headerLine.split(QLatin1Char(';'));
            headerFields = int(headers.size());
            dataStart = le < size ? le + 1 : size;
            break;
        }
        p = le + 1;
    }
    headerLineNumber = line;
}

void DelimitedSource::Impl::scan(const DelimitedOptions& options)
{
    scanHeader();
    if (size <= 0)
        return;
    std::vector<char> buf;

    // Pieces of whole lines.
    const qsizetype body = size - dataStart;
    const qsizetype piece = options.chunkBytes > 0
                                ? qsizetype(options.chunkBytes)
                                : std::clamp(body / kChunksPerFile, kMinChunkBytes, kMaxChunkBytes);
    for (qsizetype b = dataStart; b < size;) {
        qsizetype end = size;
        if (size - b > piece) {
            const qsizetype nl = find(b + piece - 1, eol, buf);
            end = nl < size ? nl + 1 : size;
        }
        Chunk c;
        c.begin = b;
        c.end = end;
        chunks.push_back(c);
        longestChunk = std::max(longestChunk, end - b);
        b = end;
    }

    if (options.threads > 0)
        threads = std::min(options.threads, kMaxThreads);
    else if (body >= kMinParallelBytes)
        threads = std::clamp(int(std::thread::hardware_concurrency()), 1, kMaxThreads);
    std::vector<std::vector<char>> buffers = workBuffers();
    runPieces(
        chunks.size(), threads,
        [this, &buffers](int worker, std::size_t i) { countChunk(chunks[i], buffers[std::size_t(worker)]); },
        [] {});
    qint64 r = 0, l = headerLineNumber + 1;
    for (Chunk& c : chunks) {
        c.firstRow = r;
        c.firstLine = l;
        r += c.rows;
        l += c.lines;
    }
    rows = r;
}

DelimitedSource::DelimitedSource() : d(std::make_unique<Impl>()) {}
DelimitedSource::~DelimitedSource() = default;
DelimitedSource::DelimitedSource(DelimitedSource&&) noexcept = default;
DelimitedSource& DelimitedSource::operator=(DelimitedSource&&) noexcept = default;

std::optional<DelimitedSource> DelimitedSource::openUnread(const QString& path, QString* error)
{
    DelimitedSource s;
    Impl& d = *s.d;
    d.file.setFileName(path);
    if (!d.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = d.file.errorString();
        return std::nullopt;
    }
#if defined(Q_OS_UNIX)
    d.fd = d.file.handle();
#endif
    if (d.fd >= 0 && d.file.isSequential()) {
        d.fd = -1; // a pipe or device: read what it gives
    }
    if (d.fd >= 0) {
        d.size = qsizetype(d.file.size());
    } else {
        d.owned = d.file.readAll();
        if (d.file.error() != QFileDevice::NoError) {
            if (error)
                *error = d.file.errorString();
            return std::nullopt;
        }
        d.mem = d.owned.constData();
        d.size = d.owned.size();
    }
    return s;
}

std::optional<DelimitedSource> DelimitedSource::open(const QString& path,
                                                     const DelimitedOptions& options,
                                                     QString* error)
{
    std::optional<DelimitedSource> s = openUnread(path, error);
    if (s)
        s->d->scan(options);
    return s;
}

std::optional<QString> DelimitedSource::readHeaderLine(const QString& path, QString* error)
{
    std::optional<DelimitedSource> s = openUnread(path, error);
    if (!s)
        return std::nullopt;
    s->d->scanHeader();
    return s->d->headerLine;
}

const QStringList& DelimitedSource::headers() const { return d->headers; }
const QString& DelimitedSource::headerLine() const { return d->headerLine; }
qint64 DelimitedSource::rows() const { return d->rows; }
const LoadWarnings& DelimitedSource::warnings() const { return d->warnings; }

void DelimitedSource::fill(double* dest, qint64 columnStride, int columns, qint64 maxRows,
                           const RowProgress& progress, LoadWarnings* warnings) const
{
    const Impl& s = *d;
    columns = std::clamp(columns, 0, kMaxDelimitedColumns);
    maxRows = std::clamp<qint64>(maxRows, 0, s.rows);
    const int headerFields = s.headerFields;

    std::vector<Warnings> found(s.chunks.size());
    std::vector<std::vector<char>> buffers = s.workBuffers();
    std::atomic<qint64> done{0};

    auto parseChunk = [&](int worker, std::size_t i) {
        const Chunk& c = s.chunks[i];
        if (c.firstRow >= maxRows || columns == 0)
            return;
        // The rows this piece was counted to hold, and no others.
        const qint64 stop = std::min(c.firstRow + c.rows, maxRows);
        Warnings& w = found[i];
        const char* p = s.view(c.begin, c.end - c.begin, buffers[std::size_t(worker)]);
        const char* const e = p + (c.end - c.begin);
        qint64 row = c.firstRow;
        qint64 line = c.firstLine;
        std::vector<char> last;
        for (; p < e && row < stop; ++line) {
            const char* le = s.lineEnd(p, e);
            const char* next = le + 1;
            if (blank(p, le)) {
                p = next;
                continue;
            }
            if (le == e) {
                // The file's last line has no line end: one is put after a
                // copy of it, where the number reader stops.
                last.assign(p, le);
                last.push_back('\n');
                le = last.data() + (le - p);
                p = last.data();
            }
            while (le > p && le[-1] == '\r')
                --le;
            // Field by field; `f` is the start of field `col`.
            const char* f = p;
            int col = 0;
            int fields = 1;
            bool lastEmpty = false;
            for (;;) {
                if (col >= columns) {
                    // Fields past the columns kept are only counted.
                    for (const char* q = f; q < le; ++q)
                        fields += *q == ';';
                    lastEmpty = le > p && le[-1] == ';';
                    break;
                }
                const char* q = f;
                double v;
                if (!fastNumber(q, le, v)) {
                    const void* sep = std::memchr(f, ';', std::size_t(le - f));
                    q = sep ? static_cast<const char*>(sep) : le;
                    if (!carefulNumber(f, q, v)) {
                        w.add([&] {
                            return LoadWarning{.kind = LoadWarning::Kind::NotANumber,
                                               .line = line,
                                               .field = col + 1,
                                               .value = fieldText(f, q)};
                        });
                        v = 0;
                    }
                }
                dest[col * columnStride + row] = v;
                ++col;
                if (q >= le) {
                    lastEmpty = q == f;
                    break;
                }
                f = q + 1;
                ++fields;
            }
            for (int k = col; k < columns; ++k)
                dest[k * columnStride + row] = 0.0;
            if (fields != headerFields && !(fields == headerFields + 1 && lastEmpty))
                w.add([&] {
                    return LoadWarning{.kind = LoadWarning::Kind::FieldCount,
                                       .line = line,
                                       .count = fields,
                                       .limit = headerFields};
                });
            ++row;
            p = next;
        }
        // A file cut short since it was counted: its lost rows read as 0.
        for (; row < stop; ++row)
            for (int k = 0; k < columns; ++k)
                dest[k * columnStride + row] = 0.0;
        done.fetch_add(row - c.firstRow, std::memory_order_relaxed);
    };

    qint64 reported = -1;
    const qint64 step = std::max<qint64>(1, maxRows / kProgressSteps);
    auto tick = [&] {
        const qint64 now = done.load(std::memory_order_relaxed);
        if (progress && now - reported >= step && now < maxRows) {
            reported = now;
            progress(now);
        }
    };
    runPieces(s.chunks.size(), s.threads, parseChunk, tick);
    if (progress)
        progress(maxRows);

    if (warnings) {
        int listed = 0;
        for (Warnings& w : found) {
            for (LoadWarning& one : w.kept) {
                if (listed >= kMaxDelimitedWarnings)
                    break;
                warnings->listed.push_back(std::move(one));
                ++listed;
            }
            warnings->total += w.count;
        }
    }
}

namespace {
#if defined(Q_OS_LINUX)
constexpr std::size_t kLargePage = 2 * 1024 * 1024;
#endif
} // namespace

void* allocateTable(std::size_t bytes)
{
#if defined(Q_OS_LINUX)
    if (bytes >= kLargePage) {
        // Mapped at a large-page boundary, so every whole large page of it
        // can be one; the tail stays in small pages and counts as used only
        // where it is written.
        const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
        const std::size_t len = (bytes + page - 1) & ~(page - 1);
        void* raw = mmap(nullptr, len + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        const std::uintptr_t start = std::uintptr_t(raw);
        const std::uintptr_t aligned = (start + kLargePage - 1) & ~std::uintptr_t(kLargePage - 1);
        if (aligned > start)
            munmap(raw, aligned - start);
        const std::uintptr_t end = start + len + kLargePage;
        if (end > aligned + len)
            munmap(reinterpret_cast<void*>(aligned + len), end - (aligned + len));
        madvise(reinterpret_cast<void*>(aligned), len, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    if (bytes == 0)
        bytes = 1;
    void* p = std::calloc(bytes, 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void freeTable(void* p, std::size_t bytes) noexcept
{
    if (!p)
        return;
#if defined(Q_OS_LINUX)
    if (bytes >= kLargePage) {
        const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
        munmap(p, (bytes + page - 1) & ~(page - 1));
        return;
    }
#else
    Q_UNUSED(bytes);
#endif
    std::free(p);
}

std::span<const double> DelimitedTable::column(int c) const
{
    if (c < 0 || c >= columns || rows <= 0)
        return {};
    return {cells.data() + std::size_t(c) * std::size_t(rows), std::size_t(rows)};
}

namespace {

DelimitedTable tableFrom(const DelimitedSource& source, const DelimitedOptions& options,
                         const ReadProgress& progress)
{
    DelimitedTable t;
    t.headers = source.headers();
    t.headerLine = source.headerLine();
    t.warnings = source.warnings();
    const int wanted = options.columns < 0 ? int(t.headers.size()) : options.columns;
    t.columns = std::min(wanted, kMaxDelimitedColumns);
    if (options.columns < 0)
        t.columns = std::min(t.columns, std::max(options.maxColumns, 0));
    const auto cut = [&t](LoadWarning::Kind kind, qint64 count, qint64 limit) {
        t.warnings.add({.kind = kind, .count = count, .limit = limit});
    };
    if (wanted > t.columns)
        cut(LoadWarning::Kind::TooManyColumns, wanted, t.columns);
    t.rows = source.rows();
    if (t.columns > 0 && t.rows > kMaxCells / t.columns) {
        cut(LoadWarning::Kind::TooManyRows, t.rows, kMaxCells / t.columns);
        t.rows = kMaxCells / t.columns;
    }
    if (t.columns <= 0)
        t.rows = 0;
    try {
        t.cells.resize(std::size_t(t.columns) * std::size_t(t.rows));
    } catch (const std::bad_alloc&) {
        cut(LoadWarning::Kind::NoMemory, t.rows, t.columns);
        t.rows = 0;
    }
    int last = -1;
    const qint64 rows = t.rows;
    source.fill(
        t.cells.data(), rows, t.columns, rows,
        [&](qint64 done) {
            const int percent = rows > 0 ? int(done * 100 / rows) : 100;
            if (progress && percent != last) {
                last = percent;
                progress(percent);
            }
        },
        &t.warnings);
    return t;
}

} // namespace

std::optional<DelimitedTable> readDelimitedFile(const QString& path,
                                                const DelimitedOptions& options,
                                                const ReadProgress& progress, QString* error)
{
    std::optional<DelimitedSource> source = DelimitedSource::open(path, options, error);
    if (!source)
        return std::nullopt;
    return tableFrom(*source, options, progress);
}

} // namespace zuv
