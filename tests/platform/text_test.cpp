// Text, numbers and files: code page 936, line splitting, the numeric reading of record fields,
// substrings, and the file helpers (missing, empty, huge files; atomic rewrites; appends).
#include "platform/paths.h"
#include "platform/rounding.h"
#include "platform/text.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <limits>
#include <optional>

#include <sys/resource.h>

using namespace plat;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString kChinese = QStringLiteral("全国专业技术人员计算机应用能力考试");

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

// Code page 936 -------------------------------------------------------------------------------

TEST(Gbk, RoundTripsChineseText)
{
    const QByteArray bytes = encodeGbk(kChinese);
    EXPECT_EQ(bytes.size(), kChinese.size() * 2); // two bytes for every character
    EXPECT_EQ(bytes.left(4), QByteArray("\xC8\xAB\xB9\xFA")); // 全国
    EXPECT_EQ(decodeGbk(bytes), kChinese);

    const QString mixed = QStringLiteral("第1题：A,B\t“引号”…") + QChar(0x20AC);
    EXPECT_EQ(decodeGbk(encodeGbk(mixed)), mixed);
}

TEST(Gbk, AsciiPassesThrough)
{
    const QByteArray ascii("Menu,1,&H8000,\"x\"\r\n");
    EXPECT_EQ(encodeGbk(QString::fromLatin1(ascii)), ascii);
    EXPECT_EQ(decodeGbk(ascii), QString::fromLatin1(ascii));
    EXPECT_EQ(decodeGbk(QByteArray()), QString());
    EXPECT_EQ(encodeGbk(QString()), QByteArray());
}

TEST(Gbk, InvalidBytesDecodeToReplacementCharacters)
{
    const QChar bad(QChar::ReplacementCharacter);
    // A lead byte alone at the end is given up, not dropped.
    EXPECT_EQ(decodeGbk(QByteArray("\x81")), QString(bad));
    EXPECT_EQ(decodeGbk(QByteArray("ab\x81")), QStringLiteral("ab") + bad);
    EXPECT_EQ(decodeGbk(encodeGbk(kChinese) + "\xB9"), kChinese + bad);
    // A lead byte followed by a byte that cannot trail it: the second byte stays itself.
    EXPECT_EQ(decodeGbk(QByteArray("\x81\x0A"
                                   "a")),
        QString(bad) + QStringLiteral("\na"));
    EXPECT_EQ(decodeGbk(QByteArray("\x81\x30")), QString(bad) + QStringLiteral("0"));
    // Whatever the bytes, decoding never crashes and gives something for every byte run.
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        EXPECT_FALSE(decodeGbk(one).isEmpty()) << b;
        for (int c : { 0x00, 0x30, 0x40, 0x7F, 0x80, 0xA1, 0xFE, 0xFF })
            (void)decodeGbk(one + char(c) + one);
    }
}

TEST(Gbk, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(
        encodeGbk(QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b")),
        QByteArray("a?b"));
    EXPECT_EQ(encodeGbk(QString(QChar(0xD800)) + QStringLiteral("x")),
        QByteArray("?x")); // lone surrogate
    EXPECT_EQ(encodeGbk(QStringLiteral("x") + QChar(0xD800)), QByteArray("x?"));
}

// Lines -------------------------------------------------------------------------------------

TEST(SplitLines, Table)
{
    struct Case {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        { "", {} },
        { "a", { "a" } },
        { "a\r\n", { "a" } },
        { "a\n", { "a" } },
        { "a\r", { "a" } },
        { "a\r\nb", { "a", "b" } },
        { "a\r\nb\r\n", { "a", "b" } },
        { "a\nb\rc\r\nd", { "a", "b", "c", "d" } },
        { "\r\n", { "" } },
        { "\r\n\r\n", { "", "" } },
        { "a\r\n\r\nb", { "a", "", "b" } },
        { "a\n\rb", { "a", "", "b" } }, // LF then CR is two terminators
        { "a\r\rb", { "a", "", "b" } },
        { " a \t", { " a \t" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << c.text.toStdString();
}

// Numbers -----------------------------------------------------------------------------------

TEST(Val, Table)
{
    struct Case {
        const char16_t* field;
        double value;
    };
    const Case cases[] = {
        { u"01200", 1200 }, { u" 1 2 ", 12 }, { u"\t1\r\n2\n", 12 }, { u"1E3", 1000 },
        { u"1e3", 1000 }, { u"1D2", 100 }, { u"1d2", 100 }, { u"1E-2", 0.01 }, { u"1 E + 3", 1000 },
        { u"2.5E+1", 25 }, { u"1E", 1 }, { u"1E+", 1 }, { u"1Ex", 1 }, { u"2.5", 2.5 },
        { u"H0503", 0 }, { u"", 0 }, { u"   ", 0 }, { u"12abc", 12 }, { u"+7", 7 }, { u"-7", -7 },
        { u"- 7", -7 }, { u".5", 0.5 }, { u"-.5", -0.5 }, { u"5.", 5 }, { u"1.2.3", 1.2 },
        { u"1,5", 1 }, { u"-", 0 }, { u"+", 0 }, { u".", 0 }, { u"--5", 0 }, { u"E5", 0 },
        { u"$5", 0 }, { u"abc", 0 }, { u"１２", 0 }, // full-width digits are not digits
        { u"-0", 0 }, { u"40000", 40000 }, { u"&HFFFF", -1 }, { u"&hffff", -1 },
        { u"&H8000", -32768 }, { u"&H7FFF", 32767 }, { u"&H10", 16 },
        { u"&H0FFFF", 65535 }, // five digits: 32 bits
        { u"&HC0C0C0", 12632256 }, { u"&H80000000", -2147483648.0 }, { u"&HFFFFFFFF", -1 },
        { u"&HFF&", 255 }, { u"&HFFFF&", 65535 }, { u"& H F F", 255 }, { u"&H1G", 1 }, { u"&H", 0 },
        { u"&", 0 }, { u"&O17", 0 }, { u"-&H10", 0 },
        { u"&H100000000", 4294967296.0 }, // more than 32 bits: the plain value
    };
    for (const Case& c : cases)
        EXPECT_EQ(val(QString::fromUtf16(c.field)), c.value)
            << QString::fromUtf16(c.field).toStdString();
}

TEST(Val, ExtremesDoNotMisbehave)
{
    EXPECT_EQ(val(QStringLiteral("1E400")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(val(QStringLiteral("-1E400")), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(val(QStringLiteral("1E-400")), 0);
    EXPECT_EQ(
        val(QStringLiteral("1E99999999999999999999999")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(val(QStringLiteral("0E99999")), 0);
    const QString tiny
        = QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1");
    EXPECT_EQ(val(tiny + QStringLiteral("E10")), 0); // 1E-391
    EXPECT_DOUBLE_EQ(val(tiny + QStringLiteral("E300")), 1e-101);
    EXPECT_EQ(val(QStringLiteral("1") + QString(400, QLatin1Char('0'))),
        std::numeric_limits<double>::infinity());
    EXPECT_EQ(val(QString(1000, QLatin1Char('0')) + QStringLiteral("7")), 7);
    EXPECT_DOUBLE_EQ(val(QStringLiteral("0.1")), 0.1);
    EXPECT_DOUBLE_EQ(val(QStringLiteral("123456789.125")), 123456789.125);
    EXPECT_FALSE(std::signbit(val(QStringLiteral("-0.0"))));
    EXPECT_FALSE(toInt16(val(QStringLiteral("1E400"))).ok());
    EXPECT_FALSE(toInt32(val(QStringLiteral("&H123456789"))).ok());
}

TEST(ValInt16, Table)
{
    struct Case {
        const char* field;
        std::optional<int16_t> value; // nullopt: an overflow failure
    };
    const Case cases[] = {
        { "01200", 1200 },
        { " 1 2 ", 12 },
        { "1E3", 1000 },
        { "2.5", 2 },
        { "3.5", 4 },
        { "-2.5", -2 },
        { "-3.5", -4 },
        { "H0503", 0 },
        { "40000", std::nullopt },
        { "-32768", -32768 },
        { "32767", 32767 },
        { "32767.5", std::nullopt }, // rounds to 32768
        { "32767.49", 32767 },
        { "-32768.5", -32768 }, // rounds to the even -32768
        { "-32769", std::nullopt },
        { "12abc", 12 },
        { "+7", 7 },
        { ".5", 0 }, // half to even
        { "1.5", 2 },
        { "0.5000001", 1 },
        { "&HFFFF", -1 },
        { "&HFFFF&", std::nullopt },
        { "1E5", std::nullopt },
        { "", 0 },
    };
    for (const Case& c : cases) {
        const Result<int16_t> r = valInt16(QString::fromLatin1(c.field));
        if (c.value) {
            ASSERT_TRUE(r.ok()) << c.field;
            EXPECT_EQ(r.value(), *c.value) << c.field;
        } else {
            ASSERT_FALSE(r.ok()) << c.field;
            EXPECT_EQ(r.error().number, err::Overflow) << c.field;
        }
    }
}

TEST(RoundHalfEven, Table)
{
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {
        { 0.5, 0 },
        { 1.5, 2 },
        { 2.5, 2 },
        { -0.5, 0 },
        { -1.5, -2 },
        { -2.5, -2 },
        { 2.4999999, 2 },
        { 2.5000001, 3 },
        { -2.5000001, -3 },
        { 6262.5, 6262 },
        { 6263.5, 6264 },
        { 4503599627370495.5, 4503599627370496 }, // the largest half a double holds
        { 1e300, 1e300 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::roundHalfEven(c.in), c.out) << c.in;
}

TEST(ToInt, RoundsHalfToEvenAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(toInt16(0.5).value(), 0);
    EXPECT_EQ(toInt16(-0.5).value(), 0);
    EXPECT_EQ(toInt16(4.5).value(), 4);
    EXPECT_EQ(toInt16(5.5).value(), 6);
    EXPECT_EQ(toInt16(-1.5).value(), -2);
    EXPECT_EQ(toInt16(2.4999999).value(), 2);
    EXPECT_EQ(toInt16(-2.5000001).value(), -3);
    EXPECT_EQ(toInt16(std::numeric_limits<double>::quiet_NaN()).error().number, err::Overflow);
    EXPECT_EQ(toInt16(std::numeric_limits<double>::infinity()).error().number, err::Overflow);

    EXPECT_EQ(toInt32(40000).value(), 40000);
    EXPECT_EQ(toInt32(2147483647.0).value(), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0).value(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(toInt32(-2147483648.5).value(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(toInt32(2147483646.5).value(), 2147483646);
    EXPECT_EQ(toInt32(2147483647.5).error().number, err::Overflow);
    EXPECT_EQ(toInt32(-2147483649.0).error().number, err::Overflow);
    EXPECT_EQ(toInt32(1e300).error().number, err::Overflow);
    EXPECT_EQ(toInt32(val(QStringLiteral("&HC0C0C0"))).value(), 12632256);
}

// Substrings --------------------------------------------------------------------------------

TEST(Substrings, MidLeftRight)
{
    const QString abc = QStringLiteral("abc");
    struct Case {
        int start;
        int length;
        const char* result;
    };
    const Case cases[] = {
        { 1, 1, "a" },
        { 2, 2, "bc" },
        { 3, 5, "c" },
        { 9, 1, "" },
        { 4, 1, "" },
        { 0, 2, "ab" },
        { -5, 2, "ab" },
        { 1, 0, "" },
        { 2, -1, "" },
        { 1, std::numeric_limits<int>::max(), "abc" },
        { std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), "" },
        { std::numeric_limits<int>::min(), 1, "a" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(mid(abc, c.start, c.length), QLatin1String(c.result))
            << c.start << "," << c.length;

    EXPECT_EQ(mid(abc, 2), QStringLiteral("bc"));
    EXPECT_EQ(mid(abc, 0), abc);
    EXPECT_EQ(mid(abc, 4), QString());
    EXPECT_EQ(mid(abc, std::numeric_limits<int>::max()), QString());
    EXPECT_EQ(mid(kChinese, 3, 4), QStringLiteral("专业技术"));

    EXPECT_EQ(left(abc, 2), QStringLiteral("ab"));
    EXPECT_EQ(left(abc, 9), abc);
    EXPECT_EQ(left(abc, 0), QString());
    EXPECT_EQ(left(abc, -1), QString());
    EXPECT_EQ(right(abc, 2), QStringLiteral("bc"));
    EXPECT_EQ(right(abc, 9), abc);
    EXPECT_EQ(right(abc, -3), QString());
    EXPECT_EQ(right(QString(), 2), QString());
}

TEST(Substrings, TrimSpacesRemovesSpacesOnly)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        { "", "" },
        { "   ", "" },
        { "  a b  ", "a b" },
        { "a", "a" },
        { "\ta\t", "\ta\t" },
        { " \ta\n ", "\ta\n" },
        { "\r\n", "\r\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(trimSpaces(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
    EXPECT_EQ(trimSpaces(QStringLiteral("　全国 ")), QStringLiteral("　全国")); // U+3000 stays
}

TEST(Substrings, TwoDigitsPadsToTwoPlacesAndCutsNothing)
{
    struct Case {
        int n;
        const char* out;
    };
    const Case cases[] = {
        { 0, "00" }, { 7, "07" }, { 10, "10" }, { 99, "99" },
        { 100, "100" }, // never cut to another name's "00"
    };
    for (const Case& c : cases)
        EXPECT_EQ(twoDigits(c.n), QString::fromLatin1(c.out)) << c.n;
}

// Files -------------------------------------------------------------------------------------

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        clearPathCache();
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(TextFiles, ReadLinesOfAMissingFileFails)
{
    const Result<QStringList> r = readLines(path("missing.txt"));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().number, err::FileNotFound);
    EXPECT_TRUE(r.error().description.contains(QStringLiteral("missing.txt")));

    const Result<QStringList> inMissingFolder = readLines(path("nowhere/missing.txt"));
    ASSERT_FALSE(inMissingFolder.ok());
    EXPECT_EQ(inMissingFolder.error().number, err::PathNotFound);
}

TEST_F(TextFiles, ReadLinesOfAFolderIsAnIoFailure)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    const Result<QStringList> r = readLines(path("folder"));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().number, err::FileIo);
}

TEST_F(TextFiles, ReadLinesOfAnEmptyFileGivesNoLines)
{
    writeFile(path("empty.txt"), {});
    const Result<QStringList> r = readLines(path("empty.txt"));
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_TRUE(r.value().isEmpty());
}

TEST_F(TextFiles, ReadLinesDecodesGbkAndSplitsLines)
{
    writeFile(path("data.txt"), encodeGbk(kChinese) + "\r\n1,2\r\n\r\nlast");
    const Result<QStringList> r = readLines(path("data.txt"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (QStringList { kChinese, "1,2", "", "last" }));
}

TEST_F(TextFiles, ReadLinesRefusesAFileLargerThanTheLimit)
{
    writeFile(path("huge.txt"), QByteArray(4096, 'x') + "\r\n");
    const Result<QStringList> refused = readLines(path("huge.txt"), 1024);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().number, err::FileIo);

    const Result<QStringList> exact = readLines(path("huge.txt"), 4098);
    ASSERT_TRUE(exact.ok());
    EXPECT_EQ(exact.value(), QStringList { QString(4096, QLatin1Char('x')) });
    EXPECT_FALSE(readLines(path("huge.txt"), 4097).ok());
}

TEST_F(TextFiles, ReadLinesFindsANameThatDiffersInCase)
{
    writeFile(path("Data/Lines.TXT"), "a\r\nb\r\n");
    const Result<QStringList> r = readLines(path("data\\lines.txt"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (QStringList { "a", "b" }));
}

TEST_F(TextFiles, WriteLinesWritesGbkWithCrLf)
{
    ASSERT_TRUE(writeLines(path("out.txt"), { kChinese, "", "x" }).ok());
    EXPECT_EQ(readFile(path("out.txt")), encodeGbk(kChinese) + "\r\n\r\nx\r\n");
    ASSERT_TRUE(writeLines(path("out.txt"), {}).ok());
    EXPECT_EQ(readFile(path("out.txt")), QByteArray());
    EXPECT_TRUE(QFileInfo::exists(path("out.txt")));
    EXPECT_EQ(entriesOf(dir_.path()), QStringList { "out.txt" }); // no temporary files left over
}

TEST_F(TextFiles, WriteLinesRewritesAndReadsBack)
{
    writeFile(path("rw.txt"), "old\r\n");
    const QStringList lines { kChinese, "&H8000", " spaced " };
    ASSERT_TRUE(writeLines(path("rw.txt"), lines).ok());
    const Result<QStringList> back = readLines(path("rw.txt"));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), lines);
}

TEST_F(TextFiles, WriteIntoAMissingFolderFailsAndCreatesNothing)
{
    const Status s = writeLines(path("nowhere/out.txt"), { "x" });
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().number, err::PathNotFound);
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));

    // A "folder" that is a file is a missing folder too, and the file is left alone.
    writeFile(path("plain"), "keep");
    const Status underFile = writeFileAtomically(path("plain/out.txt"), "x");
    ASSERT_FALSE(underFile.ok());
    EXPECT_EQ(underFile.error().number, err::PathNotFound);
    EXPECT_EQ(readFile(path("plain")), QByteArray("keep"));
}

TEST_F(TextFiles, RewritingAFolderFailsAndLeavesTheFolderAlone)
{
    writeFile(path("target/inside.txt"), "inside");
    const Status s = writeFileAtomically(path("target"), "new");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().number, err::FileIo);
    EXPECT_TRUE(QFileInfo(path("target")).isDir());
    EXPECT_EQ(readFile(path("target/inside.txt")), QByteArray("inside"));
    EXPECT_EQ(entriesOf(dir_.path()), QStringList { "target" });
}

// A rewrite that fails while the new content is being written (here: the process may not write
// files past 1 KiB, so the disk "fills up" halfway) never reaches the rename: the old file stays
// whole and no temporary file is left behind. Works as root too, unlike a read-only folder.
TEST_F(TextFiles, FailedRewriteKeepsTheOldContent)
{
    const QByteArray old = encodeGbk(kChinese) + "\r\nold line\r\n";
    writeFile(path("keep.txt"), old);

    struct rlimit saved { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN); // a failing write, not a dead process
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    QStringList many;
    for (int i = 0; i < 2000; ++i)
        many << kChinese;
    const Status s = writeLines(path("keep.txt"), many);
    const Status bytes = writeFileAtomically(path("keep.txt"), QByteArray(100000, 'n'));
    // A little more than fits: a short write, not a failing one.
    const Status justOver = writeFileAtomically(path("keep.txt"), QByteArray(1500, 'n'));

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().number, err::FileIo);
    ASSERT_FALSE(bytes.ok());
    ASSERT_FALSE(justOver.ok());
    EXPECT_EQ(readFile(path("keep.txt")), old);
    EXPECT_EQ(entriesOf(dir_.path()), QStringList { "keep.txt" });

    // With the limit lifted, the same rewrite goes through.
    ASSERT_TRUE(writeLines(path("keep.txt"), many).ok());
    EXPECT_EQ(readLines(path("keep.txt")).value().size(), many.size());
}

TEST_F(TextFiles, RewriteGoesToTheFileThatDiffersInCase)
{
    writeFile(path("Exam/Answers.TXT"), "old\r\n");
    ASSERT_TRUE(writeLines(path("exam\\answers.txt"), { "new" }).ok());
    EXPECT_EQ(readFile(path("Exam/Answers.TXT")), QByteArray("new\r\n"));
    EXPECT_EQ(entriesOf(path("Exam")), QStringList { "Answers.TXT" });

    // A new file goes into the folder found ignoring case, under the name given.
    ASSERT_TRUE(writeLines(path("EXAM/New.txt"), { "n" }).ok());
    EXPECT_EQ(entriesOf(path("Exam")), (QStringList { "Answers.TXT", "New.txt" }));
    EXPECT_FALSE(QFileInfo::exists(path("EXAM")));
}

TEST_F(TextFiles, AppendLineCreatesAndAppends)
{
    ASSERT_TRUE(appendLine(path("log.txt"), QStringLiteral("first")).ok());
    EXPECT_EQ(readFile(path("log.txt")), QByteArray("first\r\n"));
    ASSERT_TRUE(appendLine(path("log.txt"), kChinese).ok());
    ASSERT_TRUE(appendLine(path("log.txt"), QString()).ok());
    EXPECT_EQ(readFile(path("log.txt")), "first\r\n" + encodeGbk(kChinese) + "\r\n\r\n");
    EXPECT_EQ(readLines(path("log.txt")).value(), (QStringList { "first", kChinese, "" }));
}

TEST_F(TextFiles, AppendLineFailures)
{
    const Status missingFolder = appendLine(path("nowhere/log.txt"), "x");
    ASSERT_FALSE(missingFolder.ok());
    EXPECT_EQ(missingFolder.error().number, err::PathNotFound);
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));

    ASSERT_TRUE(QDir(dir_.path()).mkdir("logdir"));
    const Status onFolder = appendLine(path("logdir"), "x");
    ASSERT_FALSE(onFolder.ok());
    EXPECT_EQ(onFolder.error().number, err::FileIo);
}
