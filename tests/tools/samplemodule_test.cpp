// Reads the generated sample module with a reader of its own (not the generator's code) and
// checks what the program relies on: record layout, question ends, papers and pictures.
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

struct Finding {
    QString file; // relative to the program folder
    int line; // 0 = the file as a whole
    bool operator<(const Finding& o) const
    {
        return std::tie(file, line) < std::tie(o.file, o.line);
    }
};

bool digits(const QString& s)
{
    return !s.isEmpty()
        && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Lines of a code page 936 text file with CR LF ends; nullopt when it does not decode.
std::optional<QStringList> gbkLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError() || (!text.isEmpty() && !text.endsWith("\r\n")))
        return std::nullopt;
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    return lines;
}

// The numeric text encoding: six-character groups, each one character code.
std::optional<QString> decodeNumeric(const QString& line)
{
    QByteArray bytes;
    for (qsizetype at = 0; at < line.size(); at += 6) {
        const QString group = line.mid(at, 6);
        if (!digits(group))
            return std::nullopt;
        const int value = group.toInt();
        if (value == 0)
            continue;
        int code = value > 500000 ? value - 500000 : value - 200000;
        if (code < -32768 || code > 65535)
            return std::nullopt;
        if (code < 0)
            code += 65536;
        if (code > 255)
            bytes += char(code >> 8);
        bytes += char(code & 0xff);
    }
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool knownActionCode(const QString& c)
{
    static const QSet<QString> fixed { "0001", "0002", "0003", "0004", "0020", "0021", "0022",
        "0023", "0024", "0025", "0026", "0027", "0028", "0030", "7000", "8888", "9999" };
    if (fixed.contains(c))
        return true;
    if (c.size() == 4 && (c[0] == u'K' || c[0] == u'L'))
        return digits(c.mid(1));
    if (!digits(c))
        return false;
    const int n = c.toInt();
    return c.startsWith("004") || c.startsWith("005") || (n >= 3000 && n <= 6999)
        || (n >= 8001 && n <= 8009) || (n >= 9000 && n <= 9998);
}

// Fields (first character, length) that hold numbers in every record the module uses.
const std::vector<std::pair<int, int>> kNumberFields {
    { 18, 5 }, { 24, 4 }, { 34, 5 }, { 40, 4 }, { 50, 5 }, { 56, 4 }, // Image1-3 Left, Top
    { 66, 5 }, { 72, 4 }, { 76, 5 }, { 81, 5 }, // target area
    { 106, 3 }, { 109, 3 }, { 112, 5 }, { 117, 5 }, { 122, 3 }, // answer lines and hint
    { 135, 5 }, { 141, 4 }, { 151, 5 }, { 157, 4 }, { 167, 5 }, // Image4, Image5, drag x
    { 177, 5 }, { 183, 4 }, { 187, 5 }, { 192, 5 }, { 197, 5 }, { 203, 4 }, // second area, Image6
};

struct Module {
    QString root;
    QString data; // data folder name
    int units = 0;
    QList<int> unitSizes;
    std::set<Finding> findings;
    QStringList pictures; // relative paths of every picture the module holds or names
};

Module readModule(const QString& root)
{
    Module m;
    m.root = root;
    auto flag = [&](const QString& file, int line) { m.findings.insert({ file, line }); };

    const auto ver = gbkLines(root + "/ver.txt");
    if (!ver || ver->size() < 5) {
        flag("ver.txt", 0);
        return m;
    }
    QStringList entries;
    for (int i = 0; i < ver->size(); ++i) {
        const auto text = decodeNumeric(ver->at(i));
        if (!text)
            flag("ver.txt", i + 1);
        entries.append(text.value_or(QString()));
    }
    m.data = entries[2].trimmed();
    m.units = static_cast<int>(entries.size()) - 4;
    const QString d = m.data + "/";

    QSet<QString> named;
    for (int u = 0; u < m.units; ++u) {
        const QString qFile = d + QString("2888%1.mxy").arg(70 + u);
        const QString sFile = d + QString("2888%1.mxy").arg(20 + u, 2, 10, QChar('0'));
        const auto questions = gbkLines(root + "/" + qFile);
        const auto steps = gbkLines(root + "/" + sFile);
        m.unitSizes.append(questions ? static_cast<int>(questions->size()) : 0);
        if (!questions || !steps || steps->isEmpty()) {
            flag(!questions ? qFile : sFile, 0);
            continue;
        }
        int line = 0;
        for (const QString& question : *questions) {
            const int count = question.mid(4, 2).toInt();
            for (int s = 1; s <= count; ++s, ++line) {
                const QString r = steps->value(line);
                if (r.size() != 212) {
                    flag(sFile, line + 1);
                    continue;
                }
                const bool badNumber = std::any_of(kNumberFields.begin(), kNumberFields.end(),
                    [&](const auto& f) { return !digits(r.mid(f.first - 1, f.second)); });
                const QString code = r.mid(7, 4);
                if (badNumber || !knownActionCode(code) || ((code == "9999") != (s == count)))
                    flag(sFile, line + 1);
                for (const int at : { 12, 28, 44, 60, 145, 161, 207 })
                    if (const QString name = r.mid(at - 1, 6); name != "000000" && name != "888888")
                        named.insert(d + name + ".mxy");
            }
        }
        if (line != steps->size())
            flag(sFile, 0);
    }

    const auto papers = gbkLines(root + "/" + d + "288891.mxy");
    if (!papers || papers->size() < 2) {
        flag(d + "288891.mxy", 0);
    } else {
        const int count = papers->at(0).left(2).toInt();
        for (int p = 0; p < count; ++p) {
            const QString ids = papers->value(p + 2);
            QSet<QString> distinct;
            for (int i = 0; i + 4 <= ids.size(); i += 4)
                distinct.insert(ids.mid(i, 4));
            if (ids.size() != 160 || distinct.size() != 40)
                flag(d + "288891.mxy", p + 3);
            for (const QString& id : distinct) {
                const int u = id.left(2).toInt(), q = id.right(2).toInt();
                if (u >= m.units || q < 1)
                    flag(d + "288891.mxy", p + 3);
                else if (q > m.unitSizes[u])
                    flag(d + QString("2888%1.mxy").arg(70 + u), 0);
            }
        }
    }

    // Every picture file of the module, plus every picture a step names.
    const QStringList skins { "l20059", "l62011", "l62009", "l20065", "l20066", "9l0015" };
    for (const QString& s : skins)
        named.insert(d + s + ".mxy");
    for (const QString& f :
        QDir(root + "/examdata").entryList({ "*.mxy" }, QDir::Files, QDir::Name))
        named.insert("examdata/" + f);
    for (const QString& f : QDir(root).entryList({ "ico*.CUR" }, QDir::Files, QDir::Name))
        named.insert(f);
    for (const QString& f :
        QDir(root + "/" + m.data).entryList({ "*.mxy" }, QDir::Files, QDir::Name))
        if (f.at(0).isLetter() && !f.startsWith("l3818"))
            named.insert(d + f);
    m.pictures = QStringList(named.begin(), named.end());
    m.pictures.sort();
    for (const QString& picture : m.pictures) {
        QImageReader reader(root + "/" + picture);
        if (reader.read().isNull())
            flag(picture, 0);
    }
    return m;
}

// A grid of every picture with its name, for a person to look over after a run.
void writeContactSheet(const Module& m, const QStringList& pictures, const QString& fileName)
{
    const int cell = 170, thumb = 150, columns = 8;
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    QImage sheet(columns * cell, rows * (cell + 4), QImage::Format_RGB32);
    sheet.fill(QColor(245, 245, 245));
    QPainter p(&sheet);
    QFont font("Noto Sans CJK SC");
    font.setPixelSize(11);
    p.setFont(font);
    for (int i = 0; i < pictures.size(); ++i) {
        const QImage image(m.root + "/" + pictures[i]);
        const QRect box(
            (i % columns) * cell + 10, (i / columns) * (cell + 4) + 4, thumb, thumb - 14);
        p.fillRect(box, QColor(225, 225, 225));
        if (!image.isNull()) {
            const QImage shown = image.width() > box.width() || image.height() > box.height()
                ? image.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : image;
            p.drawImage(box.left() + (box.width() - shown.width()) / 2,
                box.top() + (box.height() - shown.height()) / 2, shown);
        }
        p.setPen(Qt::black);
        p.drawText(QRect(box.left(), box.bottom() + 2, thumb, 16), Qt::AlignCenter,
            QString("%1 %2x%3")
                .arg(pictures[i].section('/', -1), QString::number(image.width()),
                    QString::number(image.height())));
    }
    p.end();
    ASSERT_TRUE(sheet.save(testsupport::outputDir() + "/" + fileName));
}

TEST(SampleModule, ReadsCleanWithCompleteQuestionsAndPapers)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    for (const Finding& f : m.findings)
        ADD_FAILURE() << "fault in " << f.file.toStdString() << " line " << f.line;
    EXPECT_GE(m.units, 5);
    int total = 0;
    for (const int size : m.unitSizes) {
        EXPECT_GE(size, 10);
        total += size;
    }
    EXPECT_GE(total, 60);

    const auto papers = gbkLines(QString(KSXT_PROGRAM_DIR) + "/" + m.data + "/288891.mxy");
    ASSERT_TRUE(papers);
    // Ten or eleven fixed papers fill the four sprint cards and six or more mock cards.
    EXPECT_GE(papers->at(0).left(2).toInt(), 8);

    QStringList dataPictures, interfacePictures;
    for (const QString& picture : m.pictures)
        (picture.startsWith("examdata/") ? interfacePictures : dataPictures).append(picture);
    writeContactSheet(m, dataPictures, "samplemodule-pictures.png");
    writeContactSheet(m, interfacePictures, "samplemodule-examdata.png");
}

TEST(SampleModule, SplashAndCursorsHaveTheSizesTheProgramShows)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    const struct {
        QString file;
        QSize size;
    } expected[] = {
        { m.data + "/l20059.mxy", { 400, 200 } }, // the splash window is 6000 x 3000 twips
        { "examdata/X00002.mxy", { 62, 376 } },
        { "ico00.CUR", { 32, 32 } },
        { "ico05.CUR", { 32, 32 } },
    };
    for (const auto& e : expected)
        EXPECT_EQ(QImage(QString(KSXT_PROGRAM_DIR) + "/" + e.file).size(), e.size)
            << e.file.toStdString();
}

TEST(SampleModule, FaultSetIsFoundByTheReaderExactlyWhereListed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess generator;
    generator.start(KSXT_SAMPLEGEN, { "--faults", dir.path() });
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    std::set<Finding> listed;
    const QStringList lines = QString::fromUtf8(testsupport::readFile(dir.path() + "/faults.txt"))
                                  .split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList parts = line.split('\t');
        ASSERT_EQ(parts.size(), 3) << line.toStdString();
        listed.insert({ parts[0], parts[1].toInt() });
    }
    EXPECT_EQ(listed.size(), 7u);

    const Module m = readModule(dir.path());
    std::vector<std::string> missed, extra;
    for (const Finding& f : listed)
        if (!m.findings.count(f))
            missed.push_back(f.file.toStdString() + ":" + std::to_string(f.line));
    for (const Finding& f : m.findings)
        if (!listed.count(f))
            extra.push_back(f.file.toStdString() + ":" + std::to_string(f.line));
    EXPECT_TRUE(missed.empty()) << "not found: " << ::testing::PrintToString(missed);
    EXPECT_TRUE(extra.empty()) << "found but not listed: " << ::testing::PrintToString(extra);
}

} // namespace
