#include "support/fixtures.h"

#include "analysis/delimited_reader.h"
#include "analysis/texts.h"
#include "project/language.h"
#include "project/state.h"

#include <QTemporaryFile>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace zuv::test {
namespace {

std::vector<double> col(const DelimitedTable& t, int c)
{
    const auto s = t.column(c);
    return {s.begin(), s.end()};
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The bytes as a file the reader opens, as it opens every file.
class BytesFile {
public:
    explicit BytesFile(const QByteArray& bytes)
    {
        EXPECT_TRUE(file_.open() && file_.write(bytes) == bytes.size() && file_.flush());
    }
    QString path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
};

DelimitedTable parseDelimited(const QByteArray& bytes, const DelimitedOptions& options = {},
                              const ReadProgress& progress = {})
{
    const BytesFile file(bytes);
    std::optional<DelimitedTable> t = readDelimitedFile(file.path(), options, progress);
    EXPECT_TRUE(t.has_value());
    return t ? std::move(*t) : DelimitedTable{};
}

// The number the reader stores for a field of a data line; nothing when it
// refuses the field.
std::optional<double> fieldNumber(const QByteArray& field)
{
    const DelimitedTable t = parseDelimited("A;B\n1;" + field + "\n");
    if (t.rows != 1 || !t.warnings.empty())
        return std::nullopt;
    return t.at(1, 0);
}

TEST(DelimitedReader, ReadsHeaderAndColumnsOfADataFile)
{
    // Windows-1252 header, CR LF, one gear field left empty as old files do.
    const QByteArray bytes = "Tempo [sec];Velocit\xE0 [km/h];Marcia []\r\n"
                             "0.0;12.5;3\r\n"
                             "0.1;-7.25;\r\n"
                             "0.2;1e2;4\r\n";
    const DelimitedTable t = parseDelimited(bytes);
    EXPECT_EQ(t.headerLine, QStringLiteral(u"Tempo [sec];Velocità [km/h];Marcia []"));
    EXPECT_EQ(t.headers, (QStringList{QStringLiteral("Tempo [sec]"), QStringLiteral(u"Velocità [km/h]"),
                                      QStringLiteral("Marcia []")}));
    ASSERT_EQ(t.columns, 3);
    ASSERT_EQ(t.rows, 3);
    EXPECT_EQ(col(t, 0), (std::vector<double>{0.0, 0.1, 0.2}));
    EXPECT_EQ(col(t, 1), (std::vector<double>{12.5, -7.25, 100.0}));
    EXPECT_EQ(col(t, 2), (std::vector<double>{3, 0, 4}));
    EXPECT_TRUE(t.warnings.empty()) << warningTexts(t.warnings).join('\n').toStdString();
}

TEST(DelimitedReader, AlarmsHeaderEndingWithSeparatorGivesElevenColumns)
{
    QByteArray bytes = "T;D;A0;A1;A2;A3;A4;A5;A6;A7;\r\n";
    bytes += "0.0;0.0;1;3;5;7;9;11;13;15;1\r\n";
    bytes += "0.1;0.5;2;3;5;7;9;11;13;15;-1\r\n";
    const DelimitedTable t = parseDelimited(bytes);
    ASSERT_EQ(t.columns, 11);
    EXPECT_EQ(t.headers.last(), QString());
    EXPECT_EQ(col(t, 10), (std::vector<double>{1, -1}));
    EXPECT_EQ(col(t, 2), (std::vector<double>{1, 2}));
    EXPECT_TRUE(t.warnings.empty());
}

TEST(DelimitedReader, NumberForms)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12.5", 12.5},     {"12,5", 12.5},      {"-3", -3.0},      {"+4", 4.0},
        {"", 0.0},          {"   ", 0.0},        {" 7 ", 7.0},      {"\"8.5\"", 8.5},
        {"1e3", 1000.0},    {"1.5E-2", 0.015},   {".5", 0.5},       {"5.", 5.0},
        {"0.1", 0.1},       {"-0,25", -0.25},    {"123456789012345678901234", 123456789012345678901234.0},
        {"1e-30", 1e-30},   {"abc", {}},         {"1e", {}},        {"inf", {}},
        {"nan", {}},        {"1e999", {}},       {"--1", {}},       {"+-1", {}},
        {"1,2,3", {}},      {"0x10", {}},        {"12abc", {}},     {"-", {}},
        {".", {}},          {"1 2", {}},
    };
    for (const Case& c : cases) {
        const std::optional<double> got = fieldNumber(c.text);
        ASSERT_EQ(got.has_value(), c.value.has_value()) << c.text;
        if (got) {
            EXPECT_TRUE(sameBits(*got, *c.value)) << c.text << " gave " << *got;
        }
    }
    // Over-long fields are not numbers, whatever they hold.
    EXPECT_FALSE(fieldNumber(QByteArray(101, '1')).has_value());
}

// The quick form must give exactly what the standard conversion gives.
TEST(DelimitedReader, NumbersMatchTheStandardConversionBitForBit)
{
    std::mt19937_64 rng(7);
    QByteArray bytes = "N\n";
    std::vector<double> wanted;
    for (int i = 0; i < 200000; ++i) {
        std::string s;
        if (rng() % 4 == 0)
            s += '-';
        const int intDigits = int(rng() % 10);
        for (int k = 0; k < intDigits; ++k)
            s += char('0' + rng() % 10);
        const int fracDigits = int(rng() % 12);
        if (fracDigits || intDigits == 0) {
            s += '.';
            for (int k = 0; k < std::max(fracDigits, 1); ++k)
                s += char('0' + rng() % 10);
        }
        if (rng() % 8 == 0) {
            s += 'e';
            s += std::to_string(int(rng() % 50) - 25);
        }
        double want = 0;
        const char* b = s.data() + (s[0] == '-');
        std::from_chars(b, s.data() + s.size(), want);
        if (s[0] == '-')
            want = -want;
        bytes += QByteArray::fromStdString(s) + '\n';
        wanted.push_back(want);
    }
    const DelimitedTable t = parseDelimited(bytes);
    ASSERT_TRUE(t.warnings.empty()) << warningTexts(t.warnings).join('\n').toStdString();
    const std::vector<double> got = col(t, 0);
    ASSERT_EQ(got.size(), wanted.size());
    const QList<QByteArray> lines = bytes.split('\n');
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(sameBits(got[i], wanted[i])) << lines[qsizetype(i) + 1].toStdString();
}

TEST(DelimitedReader, DamagedInputNeverShiftsOrStops)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        qint64 rows;
        std::vector<double> first, second;
        int warnings;
    };
    const Case cases[] = {
        {"empty", "", 0, {}, {}, 0},
        {"header only", "A;B\r\n", 0, {}, {}, 0},
        {"header only, no line end", "A;B", 0, {}, {}, 0},
        {"blank and CR-only lines", "\r\nA;B\r\n\r\n1;2\r\n\r\n  \r\n\n3;4\r\n\r\n", 2, {1, 3}, {2, 4}, 0},
        {"last line without line end", "A;B\n1;2\n3;4", 2, {1, 3}, {2, 4}, 0},
        {"CR alone ends lines", "A;B\r1;2\r3;4\r", 2, {1, 3}, {2, 4}, 0},
        {"fewer fields", "A;B\n1\n3;4\n", 2, {1, 3}, {0, 4}, 1},
        {"more fields", "A;B\n1;2;9;9\n3;4\n", 2, {1, 3}, {2, 4}, 1},
        {"a trailing separator is no surplus", "A;B\n1;2;\n3;4\n", 2, {1, 3}, {2, 4}, 0},
        {"text in a number column", "A;B\nx;2\n3;word\n", 2, {0, 3}, {2, 0}, 2},
        {"an over-long field", "A;B\n" + QByteArray(5000, '7') + ";2\n3;4\n", 2, {0, 3}, {2, 4}, 1},
        {"a NUL in a field", QByteArray("A;B\n1\0;2\n3;4\n", 13), 2, {0, 3}, {2, 4}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DelimitedTable t = parseDelimited(c.bytes);
        EXPECT_EQ(t.rows, c.rows);
        if (c.rows) {
            ASSERT_EQ(t.columns, 2);
            EXPECT_EQ(col(t, 0), c.first);
            EXPECT_EQ(col(t, 1), c.second);
        }
        EXPECT_EQ(t.warnings.listed.size(), std::size_t(c.warnings))
            << warningTexts(t.warnings).join('\n').toStdString();
    }
}

TEST(DelimitedReader, BinaryFileIsReadWithoutHarmAndWarningsStayBounded)
{
    std::mt19937 rng(3);
    QByteArray junk(2 * 1024 * 1024, '\0');
    for (char& c : junk)
        c = char(rng());
    const DelimitedTable t = parseDelimited(junk);
    EXPECT_LE(t.columns, kMaxDelimitedColumns);
    EXPECT_EQ(t.cells.size(), std::size_t(t.columns) * std::size_t(t.rows));
    EXPECT_LE(t.warnings.listed.size(), std::size_t(kMaxDelimitedWarnings + 2));
    for (const double v : t.cells)
        EXPECT_TRUE(std::isfinite(v));

    // A header of endless fields keeps a bounded table.
    QByteArray wide(200000, ';');
    wide += "\n1;2\n";
    const DelimitedTable w = parseDelimited(wide);
    EXPECT_EQ(w.columns, kMaxDelimitedColumns);
    EXPECT_EQ(w.rows, 1);
    EXPECT_EQ(w.at(1, 0), 2.0);
}

class DelimitedReaderTexts : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages(1);
    }
};

// Many pieces on many threads give exactly what one thread gives.
TEST_F(DelimitedReaderTexts, ThreadsAndPiecesGiveTheSameTable)
{
    std::mt19937 rng(11);
    QByteArray bytes = "T;D;V;G\r\n";
    qint64 found = 0;
    for (int i = 0; i < 20000; ++i) {
        switch (rng() % 50) {
        case 0: bytes += "\r\n"; break;
        case 1:
            bytes += "1;x;3\r\n";
            found += 2; // not a number, and a field short
            break;
        case 2:
            bytes += "5;6;7;8;9;10\n";
            ++found;
            break;
        default:
            bytes += QByteArray::number(i / 10.0) + ';' + QByteArray::number(int(rng() % 4000)) + ';' +
                     QByteArray::number(double(rng() % 100000) / 100.0) + ';' +
                     QByteArray::number(int(rng() % 7)) + "\r\n";
        }
    }
    std::vector<int> progress;
    const DelimitedTable one = parseDelimited(bytes, {.threads = 1});
    DelimitedOptions many;
    many.threads = 6;
    many.chunkBytes = 777;
    // The file read piece by piece on each thread.
    const DelimitedTable par = parseDelimited(bytes, many, [&](int p) { progress.push_back(p); });
    ASSERT_EQ(one.rows, par.rows);
    EXPECT_EQ(one.cells, par.cells);
    EXPECT_EQ(one.warnings, par.warnings);
    EXPECT_EQ(par.warnings.notListed(), one.warnings.notListed());
    // A few dozen are kept; every other one is counted.
    EXPECT_EQ(one.warnings.listed.size(), std::size_t(kMaxDelimitedWarnings));
    EXPECT_EQ(qint64(one.warnings.listed.size()) + one.warnings.notListed(), found);
    ASSERT_FALSE(progress.empty());
    EXPECT_LE(progress.size(), 45u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
    // The warnings name the file's own line numbers, in the program's language.
    const QString first = warningText(one.warnings.listed.front());
    EXPECT_TRUE(first.startsWith(QStringLiteral("line "))) << first.toStdString();
    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    EXPECT_TRUE(warningText(parseDelimited(bytes).warnings.listed.front()).startsWith(QStringLiteral("riga ")));
}

TEST(DelimitedReader, FillsACallersTableWithItsOwnStrideAndRowLimit)
{
    const BytesFile file("A;B;C\n1;2;3\n4;5;6\n7;8;9\n");
    const std::optional<DelimitedSource> opened = DelimitedSource::open(file.path());
    ASSERT_TRUE(opened.has_value());
    const DelimitedSource& src = *opened;
    EXPECT_EQ(src.rows(), 3);
    std::vector<double> dest(4 * 5, -1.0);
    std::vector<qint64> seen;
    src.fill(dest.data(), 5, 4, 2, [&](qint64 n) { seen.push_back(n); });
    // Rows 0..1 of four columns; the fourth is missing from the file; the
    // rest of the caller's table is left as it was.
    EXPECT_EQ(dest, (std::vector<double>{1, 4, -1, -1, -1, 2, 5, -1, -1, -1, 3, 6, -1, -1, -1, 0, 0,
                                         -1, -1, -1}));
    EXPECT_EQ(seen.back(), 2);
}

class DelimitedFileTest : public ZuvTest {};

TEST_F(DelimitedFileTest, ReadsFromANonAsciiPathAndReportsAMissingFile)
{
    const QString p = writeFile(QStringLiteral(u"sessión è/giro ü.csv"), "A;B\r\n1,5;2\r\n");
    QString error;
    const std::optional<DelimitedTable> t = readDelimitedFile(p, {}, {}, &error);
    ASSERT_TRUE(t.has_value()) << error.toStdString();
    EXPECT_EQ(col(*t, 0), (std::vector<double>{1.5}));

    const QString empty = writeFile(QStringLiteral("empty.csv"), "");
    const std::optional<DelimitedTable> e = readDelimitedFile(empty);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->rows, 0);
    EXPECT_EQ(e->columns, 0);

    EXPECT_FALSE(readDelimitedFile(path(QStringLiteral("none.csv")), {}, {}, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(readDelimitedFile(dir.path()).has_value()); // a folder
}

} // namespace
} // namespace zuv::test
