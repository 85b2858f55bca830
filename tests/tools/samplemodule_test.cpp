// Reads the generated sample module with a reader of its own (not the generator's code) and
// checks what the program relies on: record layout, question ends, papers and pictures.
#include "platform/font.h"
#include "stepengine/steprecord.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
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

// One step as read: where it stands and its 212 characters.
struct Step {
    int unit;
    int question; // from 1
    int step; // from 1
    int steps; // steps of its question
    QString record;
    QString field(int pos, int len) const { return record.mid(pos - 1, len); }
    QString where() const
    {
        return QString("unit %1 question %2 step %3").arg(unit).arg(question).arg(step);
    }
};

struct Module {
    QString root;
    QString data; // data folder name
    int units = 0;
    QList<int> unitSizes;
    std::set<Finding> findings;
    QStringList pictures; // relative paths of every picture the module holds or names
    std::vector<Step> steps; // every record of full length
    QStringList answers; // answer texts, line n at index n - 1
};

// The tab strips the practice window has built in: dialog letter, tab count, and the page
// picture of each tab, with the tab row's Top, the tab height and each tab's Left (twips). A
// strip of more than nine tabs has two rows of six; the row of the page on show stands 300
// twips lower, and the last tab of a row is 1050 wide.
struct TabStrip {
    QChar letter;
    int tabs;
    int rowTop, height;
    std::vector<std::pair<QString, int>> pages; // picture, Left; one more entry for the end edge
};
const std::vector<TabStrip> kTabStrips {
    { 'A', 4, 540, 300,
        { { "101001", 150 }, { "101002", 930 }, { "101003", 1770 }, { "101004", 2550 },
            { "", 3480 } } },
    { 'B', 3, 555, 300,
        { { "102001", 150 }, { "102002", 1050 }, { "102003", 2280 }, { "", 3570 } } },
    { 'C', 3, 555, 285,
        { { "103001", 150 }, { "103002", 1200 }, { "103003", 2070 }, { "", 3000 } } },
    { 'D', 12, 510, 285,
        { { "104001", 150 }, { "104002", 1335 }, { "104003", 2190 }, { "104004", 3225 },
            { "104005", 4080 }, { "104006", 5115 }, { "104007", 150 }, { "104008", 1125 },
            { "104009", 2130 }, { "104010", 3135 }, { "104011", 4140 }, { "104012", 5145 } } },
    { 'E', 3, 555, 285,
        { { "105001", 150 }, { "105002", 1560 }, { "105003", 3030 }, { "", 4200 } } },
    { 'G', 2, 585, 285, { { "107001", 150 }, { "107002", 1080 }, { "", 2310 } } },
    { 'I', 3, 555, 285,
        { { "109001", 150 }, { "109002", 990 }, { "109003", 2280 }, { "", 3120 } } },
    { 'N', 2, 540, 300, { { "400736", 150 }, { "400630", 990 }, { "", 1950 } } },
};

const TabStrip* tabStrip(QChar letter)
{
    for (const TabStrip& t : kTabStrips)
        if (t.letter == letter)
            return &t;
    return nullptr;
}

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
        for (int q = 0; q < questions->size(); ++q) {
            const int count = questions->at(q).mid(4, 2).toInt();
            for (int s = 1; s <= count; ++s, ++line) {
                const QString r = steps->value(line);
                if (r.size() != 212) {
                    flag(sFile, line + 1);
                    continue;
                }
                m.steps.push_back({ u, q + 1, s, count, r });
                if (const TabStrip* strip = tabStrip(r.at(130)); r.at(129) == u'X' && strip)
                    for (const auto& page : strip->pages)
                        if (!page.first.isEmpty())
                            named.insert(d + page.first + ".mxy");
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

    const auto answers = gbkLines(root + "/" + d + "288890.mxy");
    if (answers)
        for (const QString& line : *answers)
            m.answers.append(line.mid(3));

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
        if ((f.at(0).isLetter() || f.startsWith("9l")) && !f.startsWith("l3818"))
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

// Every picture at its own size, so the words in it can be read, for a person to look over
// after a run: packed in rows, each with its name and size under it.
void writeContactSheet(
    const Module& m, const QStringList& pictures, const QString& fileName, int width = 1640)
{
    const int gap = 10, label = 16;
    std::vector<std::pair<QImage, QPoint>> placed;
    int x = gap, y = gap, rowHeight = 0;
    for (const QString& picture : pictures) {
        const QImage image(m.root + "/" + picture);
        const QSize cell(std::max(image.width(), 96), image.height() + label);
        if (x + cell.width() > width - gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        placed.push_back({ image, { x, y } });
        x += cell.width() + gap;
        rowHeight = std::max(rowHeight, cell.height());
    }
    QImage sheet(width, y + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);
    QFont font("Noto Sans CJK SC");
    font.setPixelSize(11);
    p.setFont(font);
    for (size_t i = 0; i < placed.size(); ++i) {
        const auto& [image, at] = placed[i];
        p.drawImage(at, image);
        p.drawText(QRect(at.x(), at.y() + image.height(), std::max(image.width(), 96), label),
            Qt::AlignLeft | Qt::AlignVCenter,
            QString("%1 %2x%3")
                .arg(pictures[static_cast<int>(i)].section('/', -1).section('.', 0, 0))
                .arg(image.width())
                .arg(image.height()));
    }
    p.end();
    ASSERT_TRUE(sheet.save(testsupport::outputDir() + "/" + fileName));
}

// The hint label of a step as the practice window shows it, in window pixels: bold 11-point
// 宋体, sized to its caption; a text step wraps the hint in its prompt and joins alternatives.
QString hintText(const Step& st, const QStringList& answers)
{
    const QString code = st.field(8, 4);
    QString caption = answers.value(st.field(122, 3).toInt() - 1);
    if (code.startsWith("002")) {
        caption.replace("|", "或  ");
        const std::map<QString, std::pair<QString, QString>> prompts { { "0020", { "输入 ", "" } },
            { "0021", { "输入 ", "" } }, { "0025", { "输入 ", "" } }, { "0027", { "输入 ", "" } },
            { "0022", { "输入 ", " 并按回车键或点红色方框处" } },
            { "0024", { "输入 ", " 并按回车键" } }, { "0023", { "请选中 ", "" } },
            { "0026", { "输入 ", " 并点击红色方框处" } } };
        if (const auto p = prompts.find(code); p != prompts.end())
            caption = p->second.first + caption + p->second.second;
    } else {
        caption.replace("|", "\n");
    }
    return caption;
}

QFont hintFont()
{
    plat::FontSpec font;
    font.size = 11;
    font.bold = true;
    return plat::toQFont(font);
}

QRect hintLabel(const Step& st, const QStringList& answers)
{
    const QString caption = hintText(st, answers);
    const QFontMetricsF fm(hintFont());
    const QSizeF size = fm.boundingRect(QRectF(0, 0, 1e6, 1e6), 0, caption).size();
    return { st.field(112, 5).toInt() / 15, st.field(117, 5).toInt() / 15,
        static_cast<int>(std::ceil(size.width())),
        static_cast<int>(std::ceil(std::max(size.height(), fm.height()))) };
}

// Every step that acts on the screen, drawn as the practice window would build it (the
// pictures kept from earlier steps included) with its areas outlined: target red, second
// area green, entry field blue, handle target magenta, back button orange, and its hint label
// in place.
void writeStepSheets(const Module& m)
{
    const QString data = m.root + "/" + m.data + "/";
    const int groupAt[] = { 18, 34, 50, 135, 151, 197 };
    QString background;
    QString names[6];
    QPoint places[6];
    bool shown[6] = {};
    std::vector<std::pair<QImage, QString>> tiles;
    for (const Step& st : m.steps) {
        if (st.step == 1)
            for (int k = 0; k < 6; ++k)
                names[k].clear(), shown[k] = false;
        if (st.field(12, 6) != "888888")
            background = st.field(12, 6);
        for (int k = 0; k < 6; ++k) {
            const QString name = st.field(groupAt[k] + 10, 6);
            if (name == "000000" || (k == 5 && name.toInt() == 0)) {
                shown[k] = false;
                continue;
            }
            places[k] = QPoint(
                st.field(groupAt[k], 5).toInt() / 15, st.field(groupAt[k] + 6, 4).toInt() / 15);
            if (name != "888888")
                names[k] = name;
            shown[k] = true;
        }
        const QString code = st.field(8, 4);
        const bool tab = st.field(130, 1) == "X", back = st.field(125, 1) == "Q";
        const bool hint = st.field(112, 10) != "0000000000";
        if ((code == "7000" || code == "8888" || code == "9999") && !tab && !back && !hint)
            continue;
        QImage tile(800, 600, QImage::Format_RGB32);
        tile.fill(Qt::darkGray);
        QPainter p(&tile);
        p.drawImage(0, 0, QImage(data + background + ".mxy"));
        for (int k = 0; k < 6; ++k) {
            if (!shown[k] || names[k].isEmpty())
                continue;
            QString name = names[k];
            const TabStrip* strip = tabStrip(st.record.at(130));
            if (tab && strip && st.field(134, 1).toInt() == k + 1
                && st.field(132, 1) != st.field(133, 1))
                name = strip->pages[st.field(132, 1).toInt() - 1].first;
            p.drawImage(places[k], QImage(data + name + ".mxy"));
        }
        auto frame = [&](int at, QColor colour) {
            const QRect r(st.field(at, 5).toInt() / 15, st.field(at + 6, 4).toInt() / 15,
                st.field(at + 10, 5).toInt() / 15, st.field(at + 15, 5).toInt() / 15);
            if (!r.isEmpty()) {
                p.setPen(QPen(colour, 2));
                p.drawRect(r);
            }
        };
        frame(66, Qt::red);
        frame(177, Qt::green);
        if (code.startsWith("002") || code[0] == u'K' || code[0] == u'L')
            frame(86, Qt::blue);
        const QPoint mark(st.field(167, 5).toInt() / 15, st.field(172, 5).toInt() / 15);
        if (code.startsWith("80") && code != "8888") {
            p.setPen(QPen(Qt::magenta, 2));
            p.drawLine(mark - QPoint(8, 8), mark + QPoint(8, 8));
            p.drawLine(mark + QPoint(-8, 8), mark + QPoint(8, -8));
        }
        if (back) {
            p.setPen(QPen(QColor(255, 140, 0), 2));
            p.drawRect(QRect(mark, QSize(73, 19)));
        }
        if (hint) {
            const QRect label = hintLabel(st, m.answers);
            p.fillRect(label, QColor(255, 255, 225));
            p.setPen(Qt::blue);
            p.setFont(hintFont());
            p.drawText(label, Qt::AlignLeft | Qt::AlignTop, hintText(st, m.answers));
        }
        p.end();
        tiles.push_back({ tile.scaled(400, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
            QString("%1-%2-%3  %4").arg(st.unit).arg(st.question).arg(st.step).arg(code) });
    }
    const int perSheet = 12, columns = 3;
    for (size_t first = 0; first < tiles.size(); first += perSheet) {
        const int count = static_cast<int>(std::min<size_t>(perSheet, tiles.size() - first));
        QImage sheet(columns * 404, (count + columns - 1) / columns * 322, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        QFont font("Noto Sans CJK SC");
        font.setPixelSize(13);
        p.setFont(font);
        for (int i = 0; i < count; ++i) {
            const QPoint at((i % columns) * 404 + 2, (i / columns) * 322 + 2);
            p.drawImage(at, tiles[first + i].first);
            p.drawText(
                QRect(at.x(), at.y() + 300, 400, 18), Qt::AlignCenter, tiles[first + i].second);
        }
        p.end();
        ASSERT_TRUE(sheet.save(testsupport::outputDir()
            + QString("/samplemodule-steps-%1.png").arg(first / perSheet + 1, 2, 10, QChar('0'))));
    }
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

    // Sheets by kind: data pictures; pressed and hover looks with the toolboxes; drop-downs,
    // their highlights and second levels; the tool variants.
    QStringList dataPictures, chromePictures, menuPictures, toolPictures;
    for (const QString& picture : m.pictures) {
        const QString name = picture.section('/', -1).section('.', 0, 0);
        if (!picture.startsWith("examdata/"))
            dataPictures.append(picture);
        else if (name.startsWith("X0") && !name.startsWith("X000"))
            toolPictures.append(picture);
        else if (name.endsWith("0099") || name.endsWith("0088") || name.startsWith("X000"))
            chromePictures.append(picture);
        else
            menuPictures.append(picture);
    }
    QStringList skinPictures;
    for (const QString& picture : dataPictures) {
        const QString name = picture.section('/', -1);
        if (name.startsWith("l2") || name.startsWith("l0") || name.startsWith("9l"))
            skinPictures.append(picture);
    }
    for (const QString& skin : skinPictures)
        dataPictures.removeAll(skin);
    QStringList screens;
    for (const QString& picture : dataPictures)
        if (picture.section('/', -1).startsWith("sc"))
            screens.append(picture);
    for (const QString& screen : screens)
        dataPictures.removeAll(screen);
    // The sheets are for a person looking the module over; they cost a run its time, so they
    // are written only on request (KSXT_CONTACT_SHEETS=1).
    if (!qEnvironmentVariableIsSet("KSXT_CONTACT_SHEETS"))
        return;
    writeContactSheet(m, screens, "samplemodule-screens.png", 2460);
    writeContactSheet(m, dataPictures, "samplemodule-pictures.png");
    writeContactSheet(m, skinPictures, "samplemodule-skins.png");
    writeContactSheet(m, chromePictures, "samplemodule-examdata.png");
    writeContactSheet(m, menuPictures, "samplemodule-menus.png");
    writeContactSheet(m, toolPictures, "samplemodule-tools.png");
    writeStepSheets(m);
}

// Kinds of step the record format has, as this reader tells them apart.
QSet<QString> stepKinds(const Step& st)
{
    QSet<QString> kinds;
    const QString code = st.field(8, 4);
    const bool textBox = code.startsWith("002") || code[0] == u'K' || code[0] == u'L';
    if (code[0] == u'K')
        kinds << "location list";
    else if (code[0] == u'L')
        kinds << "list box";
    else if (code.startsWith("004"))
        kinds << "rubber band";
    else if (code.startsWith("005"))
        kinds << "drag and drop";
    else if (digits(code)) {
        const int n = code.toInt();
        if (n >= 3000 && n <= 6000)
            kinds << QString("context menu family %1").arg(n / 1000);
        else if (n >= 6001 && n <= 6999)
            kinds << "key";
        else if (n >= 8001 && n <= 8009)
            kinds << "drag handle";
        else if (n >= 9000 && n <= 9998)
            kinds << "modified click";
        else
            kinds << code;
    }
    auto path = [&](const QString& d) {
        if (d[0] != u'H')
            return;
        const int hotspot = d.mid(1, 2).toInt();
        if (d.mid(5, 2) != "00")
            kinds << "second-level path";
        else if (d.mid(3, 2) == "00")
            kinds << "hotspot path";
        else
            kinds << (hotspot >= 42 && hotspot <= 61 ? "flyout item path" : "menu item path");
        if (d[9] != u'0')
            kinds << "jump";
    };
    if (!textBox) {
        const QString d1 = st.field(86, 10), d2 = st.field(96, 10), d3 = st.field(125, 10);
        path(d1), path(d2), path(d3);
        if (d1.startsWith("RA"))
            kinds << "RA descriptor";
        else if (d1[0] == u'R')
            kinds << "R descriptor";
        if (d1[0] == u'P')
            kinds << "key field 86";
        if (st.field(91, 1) == "P")
            kinds << "key field 91";
        if (d2[0] == u'P')
            kinds << "key field 96";
        if (d2[0] == u'D')
            kinds << "item picture";
        if (d3[0] == u'Q')
            kinds << "back button";
        if (st.field(130, 1) == "X")
            kinds << "tab strip";
        if (st.field(130, 1) == "X" && st.field(131, 1) == "D") // twelve tabs in two rows
            kinds << "two-row tab strip";
    }
    const QString overlay = st.field(172, 5);
    if (overlay[0] == u'A')
        kinds << (overlay.mid(3) == "00" || overlay.mid(3) == "01" ? "toolbox overlay pressed"
                                                                   : "toolbox overlay variant");
    if (st.field(71, 1) != "0" || (code.startsWith("005") && st.field(102, 1) != "0"))
        kinds << "jump";
    if (st.field(4, 2) == "EE")
        kinds << "press marker";
    return kinds;
}

TEST(SampleModule, EveryStepKindOfTheFormatOccurs)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    QSet<QString> seen;
    for (const Step& st : m.steps)
        seen.unite(stepKinds(st));
    const QStringList expected { "0001", "0002", "0003", "0004", "0020", "0021", "0022", "0023",
        "0024", "0025", "0026", "0027", "0028", "0030", "7000", "8888", "9999", "rubber band",
        "drag and drop", "context menu family 3", "context menu family 4", "context menu family 5",
        "key", "drag handle", "modified click", "location list", "list box", "hotspot path",
        "menu item path", "second-level path", "flyout item path", "R descriptor", "RA descriptor",
        "key field 86", "key field 91", "key field 96", "item picture", "back button", "tab strip",
        "two-row tab strip", "toolbox overlay pressed", "toolbox overlay variant", "jump",
        "press marker" };
    for (const QString& kind : expected)
        EXPECT_TRUE(seen.contains(kind)) << "no step of kind " << kind.toStdString();
}

// The menu code a right click compares the choice with: an "R" or "RA" descriptor, else the
// action code; 0 when the step opens no context menu.
int menuCodeOf(const Step& st)
{
    const QString d = st.field(86, 5);
    if (d.startsWith("RA"))
        return 6000 + d.mid(2).toInt();
    if (d.startsWith("R"))
        return d.mid(1).toInt();
    const QString code = st.field(8, 4);
    return digits(code) && code.toInt() >= 3000 && code.toInt() <= 6000 ? code.toInt() : 0;
}

TEST(SampleModule, ContextMenuStepsChooseAVisibleItemOfTheMenuFile)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    const auto menuFile = gbkLines(QString(KSXT_PROGRAM_DIR) + "/sMenu.sys");
    ASSERT_TRUE(menuFile);
    ASSERT_EQ(menuFile->size(), 540);
    int menuSteps = 0;
    for (const Step& st : m.steps) {
        const int code = menuCodeOf(st);
        if (code == 0)
            continue;
        ++menuSteps;
        SCOPED_TRACE(st.where().toStdString() + " menu code " + std::to_string(code));
        // The popup and the demonstration's drawn menu open the entry of the action code.
        EXPECT_EQ(st.field(8, 4).toInt() % 1000, code % 1000);
        const int f = code / 1000, menu = code / 100 % 10, g = code / 10 % 10, item = code % 10;
        ASSERT_TRUE(f >= 3 && f <= 6 && menu >= 1);
        const int start = (f - 3) * 135 + (menu - 1) * 15; // block line n is file line start + n
        auto line = [&](int n) { return menuFile->value(start + n - 1); };
        QString items;
        if (g == 2 || g == 4 || g == 6 || g == 9) {
            items = line(g == 9 ? 15 : g / 2 * 3 + 1);
        } else {
            const int caption = g == 8 ? 13 : (g - 1) / 2 * 3 + 2;
            ASSERT_NE(line(caption), "0") << "absent cascade entry";
            items = line(caption + 1);
        }
        ASSERT_NE(items, "0") << "absent item group";
        const QStringList tokens = items.split('|').mid(0, 10);
        ASSERT_LT(item, tokens.size());
        EXPECT_NE(tokens[item], "-");
        EXPECT_FALSE(tokens[item].isEmpty());
    }
    EXPECT_GT(menuSteps, 0);
}

bool examPicture(const QString& name)
{
    return QFile::exists(QString(KSXT_PROGRAM_DIR) + "/examdata/" + name + ".mxy");
}

TEST(SampleModule, PathsItemPicturesAndOverlaysNamePicturesThatExist)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    for (const Step& st : m.steps) {
        SCOPED_TRACE(st.where().toStdString());
        const QString code = st.field(8, 4);
        if (!code.startsWith("002") && code[0] != u'K' && code[0] != u'L') {
            for (const int at : { 86, 96, 125 }) {
                const QString d = st.field(at, 10);
                if (d[0] != u'H')
                    continue;
                const QString nn = d.mid(1, 2), ii = d.mid(3, 2), jj = d.mid(5, 2);
                EXPECT_TRUE(examPicture(nn + "0099")) << d.toStdString();
                if (ii != "00") {
                    EXPECT_TRUE(examPicture(nn + "0077") && examPicture(nn + ii + "00"))
                        << d.toStdString();
                }
                if (jj != "00") {
                    EXPECT_TRUE(examPicture(nn + ii + "77") && examPicture(nn + ii + jj))
                        << d.toStdString();
                }
            }
            const QString d2 = st.field(96, 10);
            if (d2[0] == u'D') {
                EXPECT_TRUE(examPicture(d2.mid(6) + "77") && examPicture(d2.mid(6) + "00"));
                // The item it marks is the item a path of the step clicks.
                const QString path = "H" + d2.mid(1, 4) + "00";
                EXPECT_TRUE(st.field(86, 7) == path || st.field(125, 7) == path)
                    << d2.toStdString();
            }
        }
        const QString overlay = st.field(172, 5);
        if (overlay[0] == u'A') {
            const QString nn = overlay.mid(1, 2), vv = overlay.mid(3, 2);
            EXPECT_TRUE(examPicture(vv == "00" || vv == "01" ? nn + "0099" : "X0" + nn + vv))
                << overlay.toStdString();
        }
    }
}

TEST(SampleModule, DragStepsStartApartFromWhereTheyEnd)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    auto rect = [](const Step& st, int at) {
        return QRect(st.field(at, 5).toInt() / 15, st.field(at + 6, 4).toInt() / 15,
            st.field(at + 10, 5).toInt() / 15, st.field(at + 15, 5).toInt() / 15);
    };
    for (const Step& st : m.steps) {
        SCOPED_TRACE(st.where().toStdString());
        const QString code = st.field(8, 4);
        if (code.startsWith("004") || code.startsWith("005")) {
            // Without the marker a plain press on the second area would complete the step.
            EXPECT_EQ(st.field(4, 2), "EE");
            const QRect from = rect(st, 177), to = rect(st, 66);
            EXPECT_FALSE(from.isEmpty() || to.isEmpty());
            EXPECT_FALSE(from.intersects(to));
            if (code.startsWith("005")) { // a drop counts only with a drag pointer
                EXPECT_TRUE(st.field(101, 1) == "M" || st.field(104, 2).toInt() != 0);
            }
        }
        if (digits(code) && code.toInt() >= 8001 && code.toInt() <= 8009) {
            const QPoint home(st.field(151, 5).toInt(), st.field(157, 4).toInt());
            const QPoint target(st.field(167, 5).toInt(), st.field(172, 5).toInt());
            EXPECT_NE(st.field(161, 6), "000000");
            const int dx = target.x() - home.x(), dy = target.y() - home.y();
            const struct {
                int code, dx, dy; // the signs the target must lie at
            } rules[] = { { 8001, -1, 0 }, { 8002, 1, 0 }, { 8003, 0, -1 }, { 8004, 0, 1 },
                { 8006, -1, 1 }, { 8007, 1, 1 }, { 8008, -1, -1 }, { 8009, 1, -1 } };
            bool matched = false;
            for (const auto& rule : rules)
                if (rule.code == code.toInt())
                    matched
                        = (rule.dx == 0 || rule.dx * dx > 0) && (rule.dy == 0 || rule.dy * dy > 0);
            EXPECT_TRUE(matched) << code.toStdString();
        }
    }
}

// After "山景" was typed into the layer dialog, the next step showed the dialog with its old
// default "背景 副本" again, and the demonstration taught the same.
TEST(SampleModule, TheStepAfterATypedAnswerDoesNotShowTheFieldsOldText)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    int checked = 0;
    for (size_t i = 0; i + 1 < m.steps.size(); ++i) {
        const Step& typing = m.steps[i];
        const Step& next = m.steps[i + 1];
        if (next.unit != typing.unit || next.question != typing.question)
            continue;
        // Typed answers that a later click confirms: the field still shows in the next step.
        const QString code = typing.field(8, 4);
        if (code != "0020" && code != "0024" && code != "0025")
            continue;
        const QString shown = typing.field(28, 6), after = next.field(28, 6);
        if (!shown.startsWith("dg") || after == "000000") // no dialog, or it closed
            continue;
        SCOPED_TRACE(next.where().toStdString());
        ++checked;
        EXPECT_NE(after, shown);
        EXPECT_NE(after, QString(stepengine::kKeepPicture));
        EXPECT_TRUE(QFile::exists(
            QString(KSXT_PROGRAM_DIR) + "/" + m.data + "/" + after.toLower() + ".mxy"))
            << after.toStdString();
    }
    EXPECT_GT(checked, 0); // the module has such steps
}

TEST(SampleModule, TabStepsShowTheirTabsWhereTheClickAreasLie)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    const QString data = QString(KSXT_PROGRAM_DIR) + "/" + m.data + "/";
    int tabSteps = 0;
    for (const Step& st : m.steps) {
        if (st.field(130, 1) != "X")
            continue;
        ++tabSteps;
        SCOPED_TRACE(st.where().toStdString());
        const TabStrip* strip = tabStrip(st.record.at(130));
        ASSERT_NE(strip, nullptr);
        const int shown = st.field(132, 1).toInt(), toClick = st.field(133, 1).toInt();
        const int host = st.field(134, 1).toInt();
        EXPECT_TRUE(shown >= 1 && shown <= strip->tabs && toClick >= 1 && toClick <= strip->tabs);
        const int at[] = { 18, 34, 50, 135, 151 };
        ASSERT_TRUE(host >= 1 && host <= 5);
        const QImage own(data + st.field(at[host - 1] + 10, 6) + ".mxy");
        ASSERT_FALSE(own.isNull());
        const QRect hostRect(st.field(at[host - 1], 5).toInt() / 15,
            st.field(at[host - 1] + 6, 4).toInt() / 15, own.width(), own.height());
        const QRect target(st.field(66, 5).toInt() / 15, st.field(72, 4).toInt() / 15,
            st.field(76, 5).toInt() / 15, st.field(81, 5).toInt() / 15);
        EXPECT_TRUE(hostRect.contains(target));
        // Each page draws its own tab unlike the other pages do: the selected look stands
        // where the click area of that tab lies.
        const bool twoRows = strip->tabs > 9;
        for (int k = 0; k < strip->tabs; ++k) {
            const QImage page(data + strip->pages[k].first + ".mxy");
            ASSERT_EQ(page.size(), own.size()) << strip->pages[k].first.toStdString();
            const int width = twoRows && k % 6 == 5
                ? 1050
                : strip->pages[k + 1].second - strip->pages[k].second;
            const QRect tab(strip->pages[k].second / 15, (strip->rowTop + (twoRows ? 300 : 0)) / 15,
                width / 15, strip->height / 15);
            EXPECT_TRUE(QRect(QPoint(), page.size()).contains(tab)) << "tab " << k + 1;
            const QImage other(data + strip->pages[(k + 1) % strip->tabs].first + ".mxy");
            EXPECT_TRUE(page.copy(tab) != other.copy(tab)) << "tab " << k + 1;
        }
    }
    EXPECT_GT(tabSteps, 0);
}

// What a candidate clicks must be reachable: the hint label, which takes the clicks on it,
// lies over neither the target area nor the back button, and a "0004" step, which moves on
// only by the jump its target area names, names a step of its question.
TEST(SampleModule, TargetAreasAndBackButtonsCanBeClicked)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    ASSERT_FALSE(m.steps.empty());
    int jumps = 0, backButtons = 0;
    for (const Step& st : m.steps) {
        SCOPED_TRACE(st.where().toStdString());
        const QString code = st.field(8, 4);
        if (code == "0004") {
            ++jumps;
            const QChar next = st.record.at(70);
            const int step = next.isDigit() ? next.digitValue() : next.unicode() - 'A' + 10;
            EXPECT_TRUE(step >= 1 && step <= st.steps && step != st.step)
                << "jump " << next.toLatin1();
        }
        if (st.field(112, 10) == "0000000000")
            continue;
        const QRect hint = hintLabel(st, m.answers);
        const QRect target(st.field(66, 5).toInt() / 15, st.field(72, 4).toInt() / 15,
            st.field(76, 5).toInt() / 15, st.field(81, 5).toInt() / 15);
        EXPECT_FALSE(hint.intersects(target)) << "hint over the target area";
        const bool textFormat = code.startsWith("002") || code[0] == u'L' || code[0] == u'K';
        if (!textFormat && st.field(125, 1) == "Q") {
            ++backButtons;
            const QRect back(st.field(167, 5).toInt() / 15, st.field(172, 5).toInt() / 15, 73, 19);
            EXPECT_FALSE(hint.intersects(back)) << "hint over the back button";
        }
    }
    EXPECT_GT(jumps, 0);
    EXPECT_GT(backButtons, 0);
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

// The skin pictures each window loads, at the window's design size in pixels (15 twips to the
// pixel); buttons are strips of four frames of the button's size. The home window loads a
// face for every one of its buttons 0 to 48, shown or not.
TEST(SampleModule, SkinPicturesTheWindowsLoadExistAtTheirDesignSizes)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    struct Skin {
        QString name;
        QSize size; // of one frame
        int frames;
    };
    std::vector<Skin> skins {
        { "l20059", { 400, 200 }, 1 }, // splash
        { "l20067", { 24, 24 }, 1 }, // logo beside the titles
        { "l20069", { 370, 250 }, 1 }, // message box and updater, 5550 x 3750
        { "l20070", { 420, 280 }, 1 }, // about box and option dialog, 6300 x 4200
        { "l20071", { 48, 48 }, 1 }, { "l20072", { 48, 48 }, 1 },
        { "l20075", { 140, 30 }, 4 }, // updater, 2100 x 450
        { "l20076", { 140, 30 }, 4 }, { "l01046", { 332, 242 }, 1 }, // question panel, 4980 x 3630
        { "l01003", { 58, 22 }, 4 }, { "l01053", { 58, 22 }, 4 }, { "l01054", { 58, 22 }, 4 },
        { "l01030", { 30, 30 }, 4 }, { "l01031", { 30, 30 }, 4 }, { "l01032", { 30, 30 }, 4 },
        { "l01033", { 30, 30 }, 4 }, // score sheet numbers
        { "l01034", { 30, 30 }, 4 }, { "l01035", { 128, 30 }, 4 }, { "l01036", { 128, 30 }, 4 },
        { "l01037", { 58, 30 }, 4 }, { "l01038", { 128, 30 }, 4 }, // view-answer notice
        { "l01039", { 128, 30 }, 4 },
        { "l01041", { 88, 28 }, 4 }, // hand-in confirmations, 1320 x 420
        { "l01042", { 88, 28 }, 4 }, { "l01043", { 16, 18 }, 4 }, { "l01044", { 58, 22 }, 4 },
        { "l01045", { 55, 22 }, 4 }, { "l01047", { 55, 22 }, 4 }, { "l01048", { 55, 22 }, 4 },
        { "l20051", { 800, 600 }, 1 }, // home window
        { "l20052", { 800, 110 }, 1 }, { "l20053", { 800, 460 }, 1 }, { "l20054", { 181, 458 }, 1 },
        { "l20057", { 800, 460 }, 1 }, { "l20058", { 800, 460 }, 1 }, { "l20060", { 800, 600 }, 1 },
        { "l20065", { 294, 80 }, 1 }, // paper card, 4410 x 1200
        { "l20086", { 79, 37 }, 4 }, { "l20087", { 60, 25 }, 4 }, { "l20090", { 80, 30 }, 4 },
        { "l20093", { 80, 30 }, 4 }, { "9l0056", { 800, 600 }, 1 }, // login pages
        { "9l0057", { 800, 600 }, 1 }, { "9l0058", { 800, 600 }, 1 }, // score sheet
    };
    for (int i = 0; i <= 11; ++i)
        skins.push_back({ QString("l010%1").arg(i, 2, 10, QChar('0')),
            { i == 0 || i == 1 || i == 4 ? 48 : 58, 22 }, 4 });
    const std::map<int, QSize> homeButtons { { 0, { 90, 30 } }, { 1, { 90, 30 } },
        { 2, { 22, 22 } }, { 3, { 22, 22 } }, { 4, { 150, 150 } }, { 5, { 150, 150 } },
        { 8, { 36, 55 } }, { 11, { 36, 55 } }, { 12, { 36, 55 } }, { 13, { 22, 22 } },
        { 14, { 22, 22 } }, { 15, { 82, 80 } }, { 19, { 82, 80 } }, { 20, { 120, 40 } },
        { 21, { 120, 40 } }, { 23, { 80, 25 } }, { 28, { 180, 50 } }, { 32, { 180, 50 } },
        { 36, { 180, 50 } }, { 37, { 60, 25 } }, { 40, { 80, 30 } }, { 44, { 180, 58 } },
        { 45, { 180, 35 } }, { 46, { 79, 37 } }, { 47, { 85, 30 } }, { 48, { 85, 30 } } };
    for (int j = 0; j <= 48; ++j) {
        const auto known = homeButtons.find(j);
        skins.push_back({ QString("l200%1").arg(j, 2, 10, QChar('0')),
            known == homeButtons.end() ? QSize() : known->second, 4 });
    }

    for (const Skin& skin : skins) {
        SCOPED_TRACE(skin.name.toStdString());
        const QString path = QString(KSXT_PROGRAM_DIR) + "/" + m.data + "/" + skin.name + ".mxy";
        QImageReader reader(path);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        if (skin.size.isValid()) {
            EXPECT_EQ(image.size(), QSize(skin.size.width() * skin.frames, skin.size.height()));
        }
        if (skin.frames == 4) {
            // Normal, hover, pressed and disabled must look different from each other.
            ASSERT_EQ(image.width() % 4, 0);
            const int w = image.width() / 4;
            for (int a = 0; a < 4; ++a)
                for (int b = a + 1; b < 4; ++b)
                    EXPECT_NE(image.copy(a * w, 0, w, image.height()),
                        image.copy(b * w, 0, w, image.height()))
                        << "frames " << a << " and " << b;
        }
    }
}

// A hint must be read where it stands: inside the 800 by 600 window, not under the menu bar,
// the options bar, the toolbox or the docked question panel (all stand over the label), and
// not over the entry field or the area a drag starts from, which the step needs as much as its
// target area.
TEST(SampleModule, HintLabelsStandInsideTheWindowClearOfBarsAndOfWhatTheStepNeeds)
{
    const Module m = readModule(KSXT_PROGRAM_DIR);
    ASSERT_FALSE(m.steps.empty());
    const QRect window(0, 0, 800, 600);
    int hints = 0;
    for (const Step& st : m.steps) {
        if (st.field(112, 10) == "0000000000")
            continue;
        ++hints;
        SCOPED_TRACE(st.where().toStdString());
        const QRect hint = hintLabel(st, m.answers);
        EXPECT_TRUE(window.contains(hint)) << "hint past the window's edge";
        const QString code = st.field(8, 4);
        const bool textBox = code.startsWith("002") || code[0] == u'L' || code[0] == u'K';
        const auto area = [&](int at) {
            return QRect(st.field(at, 5).toInt() / 15, st.field(at + 6, 4).toInt() / 15,
                st.field(at + 10, 5).toInt() / 15, st.field(at + 15, 5).toInt() / 15);
        };
        const std::pair<QRect, const char*> keepClear[] {
            { QRect(0, 0, 799, 60), "menu bar" },
            { QRect(4, 61, 770, 30), "options bar" },
            { QRect(4, 95, 62, 376), "toolbox" }, // two columns
            { QRect(4, 95, 38, 668), "toolbox" }, // one column
            { QRect(468, 358, 332, 242), "question panel" },
            { textBox ? area(86) : QRect(), "entry field" },
            { area(177), "second area" },
        };
        for (const auto& [rect, what] : keepClear)
            EXPECT_FALSE(!rect.isEmpty() && hint.intersects(rect)) << "hint over the " << what;
    }
    EXPECT_GT(hints, 0);
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
