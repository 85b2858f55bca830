#include "module.h"

#include "chrome.h"
#include "drawing.h"
#include "imagefiles.h"
#include "questions.h"
#include "skins.h"
#include "steprecord.h"
#include "textfiles.h"

#include <QImage>
#include <QRandomGenerator>
#include <QSet>

#include <stdexcept>

namespace samplegen {

namespace {

    struct ScreenEntry {
        QString name;
        PictureFormat format;
        Scene scene;
    };

    Scene scene(std::function<void(Scene&)> change)
    {
        Scene s;
        change(s);
        return s;
    }

    // The editor screens that steps put in the window background.
    std::vector<ScreenEntry> screens()
    {
        using F = PictureFormat;
        const QStringList twoLayers { "图层 1", "背景" };
        return {
            { "sc0001", F::Jpeg, {} },
            { "sc0002", F::Png, scene([](Scene& s) {
                 s.blank = true, s.tab = "未标题-1 @ 60%(RGB/8)", s.imageSize = { 480, 320 };
             }) },
            { "sc0003", F::Png,
                scene([](Scene& s) { s.blank = true, s.tab = "海报 @ 100%(RGB/8)"; }) },
            { "sc0004", F::Jpeg, scene([](Scene& s) { s.tab = "春天.jpg @ 100%(RGB/8)"; }) },
            { "sc0005", F::Jpeg, scene([](Scene& s) {
                 s.imageSize = { 360, 240 };
             }) },
            { "sc0006", F::Jpeg, scene([](Scene& s) { s.extendX = 86; }) },
            { "sc0007", F::Bmp, scene([](Scene& s) { s.extendY = 104; }) },
            { "sc0008", F::Jpeg,
                scene([](Scene& s) { s.zoom = 200, s.tab = "风景.jpg @ 200%(RGB/8)"; }) },
            { "sc0009", F::Jpeg,
                scene([](Scene& s) { s.zoom = 110, s.tab = "风景.jpg @ 110%(RGB/8)"; }) },
            { "sc0010", F::Jpeg, scene([](Scene& s) { s.selection = true; }) },
            { "sc0013", F::Jpeg,
                scene([](Scene& s) { s.adjust = Adjust::Darker, s.selection = true; }) },
            { "sc0014", F::Jpeg, scene([](Scene& s) { s.strokeWidth = 5, s.selection = true; }) },
            { "sc0015", F::Jpeg, scene([](Scene& s) { s.dab = QColor(200, 30, 30); }) },
            { "sc0016", F::Jpeg, scene([](Scene& s) { s.dab = Qt::white; }) },
            { "sc0020", F::Jpeg, scene([&](Scene& s) { s.layers = twoLayers; }) },
            { "sc0021", F::Jpeg, scene([](Scene& s) {
                 s.layers = { "山景", "背景" };
             }) },
            { "sc0022", F::Jpeg, scene([](Scene& s) {
                 s.layers = { "天空", "背景" };
             }) },
            { "sc0023", F::Bmp, scene([](Scene& s) { s.backgroundHidden = true; }) },
            { "sc0024", F::Jpeg, scene([&](Scene& s) { s.layers = twoLayers, s.opacity = 50; }) },
            { "sc0025", F::Jpeg, scene([](Scene& s) {
                 s.layers = { "组 1", "背景" }, s.groupLayer = true;
             }) },
            { "sc0030", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::AutoTone; }) },
            { "sc0031", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::Contrast; }) },
            { "sc0032", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::Warm; }) },
            { "sc0033", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::Brighter; }) },
            { "sc0034", F::Png, scene([](Scene& s) { s.adjust = Adjust::Grey; }) },
            { "sc0035", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::HueShift; }) },
            { "sc0036", F::Jpeg, scene([](Scene& s) { s.tab = "风景备份 @ 100%(RGB/8)"; }) },
            { "sc0037", F::Jpeg, scene([](Scene& s) { s.adjust = Adjust::Blur; }) },
            { "sc0038", F::Jpeg,
                scene([](Scene& s) { s.layers = { "图层 0" }, s.smartObject = true; }) },
            { "sc0039", F::Jpeg, scene([](Scene& s) {
                 s.text = "春天", s.layers = { "春天", "背景" }, s.textLayer = true;
             }) },
            { "sc0040", F::Jpeg, scene([](Scene& s) {
                 s.text = "夏日", s.layers = { "夏日", "背景" }, s.textLayer = true;
             }) },
            { "sc0041", F::Jpeg, scene([](Scene& s) {
                 s.selectionRect = { 0, 0, 240, 160 };
             }) },
            { "sc0042", F::Jpeg, scene([](Scene& s) {
                 s.selectionRect = { 160, 80, 160, 160 }, s.ellipseSelection = true;
             }) },
            { "sc0043", F::Jpeg, scene([](Scene& s) {
                 s.layers = { "图层 1 副本", "图层 1", "背景" };
             }) },
            { "sc0044", F::Jpeg,
                scene([&](Scene& s) { s.layers = twoLayers, s.transformBox = true; }) },
            { "sc0045", F::Jpeg, scene([](Scene& s) {
                 s.layers = { "背景 副本", "背景" };
             }) },
            { "sc0046", F::Jpeg, scene([](Scene& s) {
                 s.selectionRect = { 0, 0, 240, 160 }, s.selectionFill = Qt::black;
             }) },
            { "sc0047", F::Jpeg, scene([&](Scene& s) {
                 s.layers = twoLayers, s.transformBox = true, s.flipped = true;
             }) },
            { "sc0048", F::Png,
                scene([](Scene& s) { s.blank = true, s.tab = "未标题-1 @ 60%(CMYK/8)"; }) },
            { "sc0049", F::Jpeg,
                scene([&](Scene& s) { s.layers = twoLayers, s.activeLayer = 1; }) },
            { "sc0050", F::Jpeg, scene([](Scene& s) { s.adjustPanelHidden = true; }) },
            { "sc0051", F::Jpeg,
                scene([&](Scene& s) { s.layers = twoLayers, s.strokeWidth = 3; }) },
            { "sc0052", F::Jpeg,
                scene([&](Scene& s) { s.layers = twoLayers, s.selection = true; }) },
        };
    }

    // Formats of the dialog pictures: mostly PNG, some classic BMP and GIF.
    PictureFormat dialogFormat(const QString& name)
    {
        static const QSet<QString> bmp { "dg0002", "dg0005", "dg0013", "dg0018" };
        static const QSet<QString> gif { "dg0015", "tp0001", "tp0002", "pg0001", "dg0020" };
        if (bmp.contains(name))
            return PictureFormat::Bmp;
        if (gif.contains(name))
            return PictureFormat::Gif;
        return PictureFormat::Png;
    }

    class Writer {
    public:
        explicit Writer(ModuleFiles& module)
            : module_(module)
        {
        }
        void file(const QString& path, const QByteArray& bytes)
        {
            if (module_.files.count(path))
                throw std::runtime_error("file written twice: " + path.toStdString());
            module_.files[path] = bytes;
        }
        void data(const QString& name, const QByteArray& bytes)
        {
            file(kDataFolder + "/" + name, bytes);
        }
        void picture(
            const QString& folder, const QString& name, const QImage& image, PictureFormat format)
        {
            file(folder + "/" + name + ".mxy", encodePicture(image, format));
        }

    private:
        ModuleFiles& module_;
    };

    QString numericLines(const QStringList& lines, QStringList* encoded)
    {
        for (const QString& line : lines) {
            const QString numeric = encodeNumericText(line);
            if (decodeNumericText(numeric) != line)
                throw std::runtime_error("numeric text does not read back: " + line.toStdString());
            encoded->append(numeric);
        }
        return {};
    }

    QStringList vendorEntries()
    {
        // Entries 0 to 40 of the product table, written one per line (line n = entry n - 1).
        QStringList e;
        for (int i = 0; i <= 40; ++i)
            e.append(QString());
        e[0] = "Mirtvale";
        e[1] = "https://www.example.com/";
        e[2] = "https://www.example.com/ksxt/";
        e[3] = "https://www.example.com/service/chat1";
        e[4] = "https://www.example.com/service/chat2";
        e[5] = "https://www.example.com/news/";
        e[6] = "https://www.example.com/help/";
        e[7] = "示例软件工作室";
        e[8] = "Mirtvo1";
        e[9] = "全国专业技术人员计算机应用能力考试练习系统";
        e[10] = "000-00000000";
        e[11] = "10000";
        e[12] = "mirt";
        e[13] = "https://www.example.com/download/";
        e[15] = "mirt";
        e[16] = "www.example.com";
        e[26] = "2015";
        e[29] = "&H666666";
        e[30] = "240";
        e[31] = "5040";
        e[32] = "7440";
        e[33] = "9930";
        e[34] = "2";
        return e;
    }

    QString helpPage(const QString& title, const QStringList& paragraphs)
    {
        QString html = "<!DOCTYPE html>\n<html><head><meta http-equiv=\"Content-Type\" "
                       "content=\"text/html; charset=gb2312\">"
                       "<title>"
            + title
            + "</title>\n<style>body{font-family:宋体,serif;font-size:14px;color:#333;margin:16px}"
              "h1{font-size:18px;color:#0c7fe9}</style></head><body>\n<h1>"
            + title + "</h1>\n";
        for (const QString& p : paragraphs)
            html += "<p>" + p + "</p>\n";
        html += "</body></html>";
        return html;
    }

    // Fixed papers: 40 distinct questions each, drawn with a fixed seed so every build
    // writes the same papers, eight from each unit.
    QStringList papers(const std::vector<Unit>& units)
    {
        QStringList lines;
        QRandomGenerator random(288891);
        for (int paper = 0; paper < kFixedPapers; ++paper) {
            QString line;
            for (int u = 0; u < static_cast<int>(units.size()); ++u) {
                QList<int> numbers;
                for (int q = 1; q <= static_cast<int>(units[u].questions.size()); ++q)
                    numbers.append(q);
                for (int i = static_cast<int>(numbers.size()) - 1; i > 0; --i)
                    numbers.swapItemsAt(i, static_cast<int>(random.bounded(i + 1)));
                for (int i = 0; i < 40 / static_cast<int>(units.size()); ++i)
                    line += twoDigits(u) + twoDigits(numbers[i]);
            }
            lines.append(line);
        }
        return lines;
    }

} // namespace

ModuleFiles buildModule()
{
    ModuleFiles module;
    module.dataFolder = kDataFolder;
    Writer w(module);

    AnswerTable answers;
    const std::vector<Unit> units = buildUnits(answers);

    // Module identity and product information, in the numeric text encoding.
    QStringList ver { kModuleName, kModuleShortName, kDataFolder, QString::number(kModuleNo) };
    for (const Unit& u : units)
        ver.append(u.name);
    QStringList encoded;
    numericLines(ver, &encoded);
    w.file("ver.txt", gbkLines(encoded));
    encoded.clear();
    numericLines(vendorEntries(), &encoded);
    w.data("288901.mxy", gbkLines(encoded));
    w.data("288892.mxy", gbkLines({ "0" }));
    w.data("288895.mxy", gbkLines({ kBankVersion }));
    w.data("288899.mxy", gbkLines({ QString::number(kModuleNo) }));

    // Unit files: question file 2888(70 + u) and step file 2888(20 + u).
    for (int u = 0; u < static_cast<int>(units.size()); ++u) {
        QStringList questionLines;
        QStringList stepLines;
        for (int q = 0; q < static_cast<int>(units[u].questions.size()); ++q) {
            const Question& question = units[u].questions[q];
            questionLines.append(twoDigits(u) + twoDigits(q + 1)
                + twoDigits(static_cast<int>(question.steps.size())) + question.text);
            for (const StepRecord& step : question.steps)
                stepLines.append(step.text());
        }
        w.data("2888" + twoDigits(70 + u) + ".mxy", gbkLines(questionLines));
        w.data("2888" + twoDigits(20 + u) + ".mxy", gbkLines(stepLines));
    }
    w.data("288890.mxy", gbkLines(answers.fileLines()));

    QString unitSizes;
    for (const Unit& u : units)
        unitSizes += twoDigits(static_cast<int>(u.questions.size()));
    w.data("288891.mxy",
        gbkLines(QStringList { twoDigits(kFixedPapers) + twoDigits(static_cast<int>(units.size())),
                     unitSizes }
            + papers(units)));

    const QString titles[] = { "软件介绍", "备考指南", "考试大纲", "答题技巧", "常见问题" };
    const QStringList bodies[] = {
        { "本练习系统模拟图像编辑软件的工作窗口，按题目要求用鼠标和键盘完成操作。",
            "本模块为随项目生成的示例题库，共五个单元，题目与图片均为示例。" },
        { "先按单元练习，再做冲刺试卷和模拟试卷，最后用随机试卷检验。",
            "错题会自动收入错题本，收藏的题目可以在“收藏”中集中复习。" },
        { "图像基本操作：新建、存储、图像大小、画布大小与视图。",
            "选区与绘画：选区命令、填充与描边、绘画工具。", "图层操作、色彩调整、滤镜与文字。" },
        { "操作只有与标准步骤一致时才会继续，错误的操作不会有反应。",
            "打开“步骤提示”可以看到每一步的红色方框和提示文字。" },
        { "问：为什么单击后没有反应？答：请检查是否单击在正确的位置，或是否选错了菜单。",
            "问：考试时间是多少？答：每套试卷 40 题，限时 50 分钟。" },
    };
    for (int n = 0; n < 5; ++n)
        w.data("l3818" + QString::number(n) + ".mxy",
            gbkLines(helpPage(titles[n], bodies[n]).split(u'\n')));

    // Skin pictures of the data folder.
    w.picture(kDataFolder, "l20059", drawSplash(), PictureFormat::Jpeg);
    w.data("l62011.mxy", encodeIcon(drawAppIcon()));
    w.picture(kDataFolder, "l62009", drawLogo(), PictureFormat::Png);
    w.picture(kDataFolder, "l20065", drawPaperCard(), PictureFormat::Bmp);
    w.picture(kDataFolder, "l20066", drawRandomPaperPage(), PictureFormat::Gif);
    for (const SkinPicture& skin : skinPictures())
        w.picture(kDataFolder, skin.name, skin.image, skin.format);
    QPoint hot;
    const QImage hand = drawCursor("hand", &hot);
    w.data("9l0015.mxy", encodeCursor(hand, hot));

    // Step pictures: editor screens, dialogs and the question pictures.
    for (const ScreenEntry& s : screens())
        w.picture(kDataFolder, s.name, drawEditorScreen(s.scene), s.format);
    for (const DialogSpec& d : dialogSpecs())
        w.picture(kDataFolder, d.name, drawDialog(d), dialogFormat(d.name));
    w.picture(
        kDataFolder, "qp0001", drawLandscape({ 240, 160 }, Adjust::Grey), PictureFormat::Jpeg);
    w.picture(
        kDataFolder, "qp0002", drawLandscape({ 240, 160 }, Adjust::Blur), PictureFormat::Jpeg);
    w.picture(kDataFolder, "hd0001", drawSliderKnob(), PictureFormat::Png);

    // Interface pictures of the examdata folder: toolbox, pressed and hover looks,
    // drop-downs, flyouts and item highlights.
    const QString exam = "examdata";
    w.picture(exam, "X00001", drawToolbox(ToolboxForm::OneColumn), PictureFormat::Png);
    w.picture(exam, "X00002", drawToolbox(ToolboxForm::TwoColumns), PictureFormat::Bmp);
    for (int h = 1; h <= 67; ++h) {
        if (h >= 38 && h <= 40)
            continue;
        w.picture(exam, twoDigits(h) + "0099", cutHotspot(h, Mark::Pressed), PictureFormat::Gif);
        if (h <= 64)
            w.picture(exam, twoDigits(h) + "0088", cutHotspot(h, Mark::Hover), PictureFormat::Gif);
        if (!hasDropDown(h))
            continue;
        w.picture(exam, twoDigits(h) + "0077", drawDropDown(h), PictureFormat::Gif);
        for (int item = 1; item <= dropDownItemCount(h); ++item) {
            const QImage lit = drawDropDown(h, item).copy(dropDownItemRect(h, item));
            w.picture(exam, twoDigits(h) + twoDigits(item) + "00", lit, PictureFormat::Gif);
            // Second-level drop-downs and their item highlights, where the texts are known.
            const SecondLevel* level = secondLevel(h, item);
            if (h <= 11 && level && !level->items.isEmpty()) {
                const QString key = twoDigits(h) + twoDigits(item);
                w.picture(exam, key + "77", drawSecondLevel(h, item), PictureFormat::Gif);
                for (int sub = 1; sub <= secondLevelItemCount(h, item); ++sub)
                    w.picture(exam, key + twoDigits(sub),
                        drawSecondLevel(h, item, sub).copy(secondLevelItemRect(h, item, sub)),
                        PictureFormat::Gif);
            }
            // A tool showing one of its flyout items: the toolbox overlay of a step and the
            // look of an Alt-click (item 2).
            if (h >= 42 && item >= 2)
                w.picture(exam, "X0" + twoDigits(h) + twoDigits(item), drawToolVariant(h, item),
                    PictureFormat::Gif);
        }
    }
    // Drop-downs of the application bar and the options bar, with their item highlights.
    for (const int h : { 13, 14, 18, 19, 20, 21, 23 }) {
        const BarDropDown& bar = *barDropDown(h);
        w.picture(exam, twoDigits(h) + "0077", drawBarDropDown(h), PictureFormat::Png);
        for (int item = 1; item <= static_cast<int>(bar.items.size()); ++item)
            w.picture(exam, twoDigits(h) + twoDigits(item) + "00",
                drawBarDropDown(h, item).copy(bar.items[item - 1]), PictureFormat::Gif);
    }
    for (const CheckedItem& c : checkedItems()) {
        w.picture(
            exam, c.code + "77", drawCheckedItem(c.hotspot, c.item, false), PictureFormat::Gif);
        w.picture(
            exam, c.code + "00", drawCheckedItem(c.hotspot, c.item, true), PictureFormat::Gif);
    }

    // The context menus, in the program folder.
    w.file("sMenu.sys", gbkLines(menuFileLines()));

    // Cursor files in the program folder.
    const QStringList cursorKinds { "arrow", "crosshair", "arrow", "brush", "eyedropper", "zoom",
        "hand" };
    for (int i = 0; i < cursorKinds.size(); ++i) {
        const QImage image = drawCursor(cursorKinds[i], &hot);
        w.file("ico" + twoDigits(i) + ".CUR", encodeCursor(image, hot));
    }

    validateModule(module);
    return module;
}

} // namespace samplegen
