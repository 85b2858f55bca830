#include "questions.h"

#include "chrome.h"
#include "drawing.h"

#include <stdexcept>

namespace samplegen {

int AnswerTable::line(const QString& text)
{
    const auto found = lines_.constFind(text);
    if (found != lines_.constEnd())
        return found.value();
    texts_.append(text);
    const int number = static_cast<int>(texts_.size());
    if (number > 999)
        throw std::runtime_error("answer text file is full (999 lines)");
    lines_.insert(text, number);
    return number;
}

QStringList AnswerTable::fileLines() const
{
    QStringList out;
    for (int i = 0; i < texts_.size(); ++i)
        out.append(QString::number(i + 1).rightJustified(3, QChar('0')) + texts_[i]);
    return out;
}

namespace {

    // Text fields are 9-point, left-aligned, black on white unless a step says otherwise.
    const QString kPlainField = QStringLiteral("0090000000");

    // The hint goes right of what it explains, or under it when there is no room.
    QPoint hintBeside(const QRect& r)
    {
        if (r.right() + 8 + 170 < kWindowWidth)
            return { r.right() + 8, r.top() };
        return { std::max(70, r.left()), std::min(r.bottom() + 6, 540) };
    }

    QRect dropDownItemOnScreen(int hotspot, int item)
    {
        const QRect title = hotspotRect(hotspot).translated(panelOrigin(hotspot));
        const int left = hotspot == 11 ? 8490 / kTwipsPerPixel : title.left();
        return dropDownItemRect(hotspot, item).translated(left, title.bottom() + 1);
    }

    class Builder {
    public:
        explicit Builder(AnswerTable& answers)
            : answers_(answers)
        {
        }

        // A menu command chosen through a menu title and a first-level item.
        StepRecord menu(int hotspot, int item, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::kDescriptor1, menuPath(hotspot, item));
            s.hint(hintBeside(dropDownItemOnScreen(hotspot, item)), answers_.line(hint));
            return s;
        }

        // A click on a toolbox tool or a bar button.
        StepRecord hotspot(int hotspot, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::kDescriptor1, hotspotPath(hotspot));
            s.hint(hintBeside(hotspotRect(hotspot).translated(panelOrigin(hotspot))),
                answers_.line(hint));
            return s;
        }

        StepRecord click(const QString& code, const QRect& area, const QString& hint,
            const QString& cursor = "00000")
        {
            StepRecord s;
            s.action(code).target(area).cursor(cursor);
            s.hint(hintBeside(area), answers_.line(hint));
            return s;
        }

        StepRecord hover(const QRect& area, const QString& hint)
        {
            return click("0030", area, hint, "S0001");
        }

        // A typed answer in a field laid over `field`. `answer` may carry two alternatives
        // separated by "|"; the hint repeats it so the prompt shows what to type.
        StepRecord type(const QString& code, const QRect& field, const QString& answer,
            const QString& preset = {}, const QRect& confirm = {},
            const QString& format = kPlainField)
        {
            StepRecord s;
            s.action(code).textBox(field).answer(answers_.line(answer)).textFormat(format);
            if (!preset.isEmpty())
                s.preset(answers_.line(preset));
            if (confirm.isValid())
                s.target(confirm);
            s.hint(hintBeside(field), answers_.line(answer));
            return s;
        }

        StepRecord timed()
        {
            StepRecord s;
            s.action("8888");
            return s;
        }

        StepRecord end(const QString& background)
        {
            StepRecord s;
            s.action("9999").background(background);
            return s;
        }

        AnswerTable& answers() { return answers_; }

    private:
        AnswerTable& answers_;
    };

    // Shows a dialog (or another step picture) in Image1 at its own place on the screen.
    StepRecord& showing(StepRecord& s, const QString& picture, int slot = 1)
    {
        return s.image(slot, picture, dialogSpec(picture).screenPos);
    }

    // Keeps the dialog shown by an earlier step where it stands.
    StepRecord& keeping(StepRecord& s, const QString& picture, int slot = 1)
    {
        return s.image(slot, kKeepPicture, dialogSpec(picture).screenPos);
    }

    Question question(
        const QString& text, const QString& startScreen, std::vector<StepRecord> steps)
    {
        // The first step names the screen the question starts from; step 1 also empties
        // every step picture, so nothing of the previous question stays on screen.
        if (steps.front().get(fields::kBackground) == kKeepPicture)
            steps.front().background(startScreen);
        for (size_t i = 0; i < steps.size(); ++i)
            steps[i].set(fields::kTag, QString::number(i + 1).rightJustified(3, QChar('0')));
        return { text, std::move(steps) };
    }

} // namespace

std::vector<Unit> buildUnits(AnswerTable& answers)
{
    Builder b(answers);
    const EditorLayout& L = editorLayout();
    const QRect image = L.image;
    const QRect sky(image.left() + 60, image.top() + 40, 120, 50);
    const QRect meadow(image.left() + 100, image.top() + 120, 150, 80);
    auto field = [](const QString& dialog, const QString& key) {
        return dialogSpec(dialog).screenRect(key);
    };

    std::vector<Unit> units;

    // Unit 0: files, image and canvas size, viewing.
    {
        Unit u { "图像基本操作", {} };
        auto& q = u.questions;
        {
            auto s2 = b.type("0026", field("dg0001", "width"), "800", "480", field("dg0001", "ok"));
            q.push_back(question("新建一个宽度为 800 像素的图像文档，其余设置保持默认。", "sc0001",
                { b.menu(1, 1, "文件→新建"), showing(s2, "dg0001"), b.end("sc0002") }));
        }
        {
            auto s2 = b.type("0020", field("dg0001", "name"), "海报", "未标题-1");
            auto s3 = b.click("0001", field("dg0001", "ok"), "单击“确定”");
            q.push_back(question("新建一个名称为“海报”的图像文档。", "sc0001",
                { b.menu(1, 1, "文件→新建"), showing(s2, "dg0001"), keeping(s3, "dg0001"),
                    b.end("sc0003") }));
        }
        {
            auto s2 = b.type("0020", field("dg0004", "fileName"), "春天", "风景");
            auto s3 = b.click("0001", field("dg0004", "save"), "单击“保存”");
            q.push_back(question("将当前图像以“春天”为文件名存储到“图片”文件夹中。", "sc0001",
                { b.menu(1, 11, "文件→存储为"), showing(s2, "dg0004"), keeping(s3, "dg0004"),
                    b.end("sc0004") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0002", "pxWidth"), "360", "480", field("dg0002", "ok"));
            q.push_back(question("将当前图像的宽度改为 360 像素（约束比例）。", "sc0001",
                { b.menu(3, 6, "图像→图像大小"), showing(s2, "dg0002"), b.end("sc0005") }));
        }
        {
            auto s2 = b.type("0024", field("dg0002", "resolution"), "300", "72");
            q.push_back(
                question("将当前图像的分辨率改为 300 像素/英寸，输入后按回车键确认。", "sc0001",
                    { b.menu(3, 6, "图像→图像大小"), showing(s2, "dg0002"), b.end("sc0001") }));
        }
        {
            auto s2
                = b.type("0026", field("dg0003", "width"), "20", "16.93", field("dg0003", "ok"));
            q.push_back(question("将画布宽度扩展为 20 厘米，画布扩展颜色为背景色。", "sc0001",
                { b.menu(3, 7, "图像→画布大小"), showing(s2, "dg0003"), b.end("sc0006") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0003", "height"), "15", "11.29", field("dg0003", "ok"));
            q.push_back(question("将画布高度扩展为 15 厘米。", "sc0001",
                { b.menu(3, 7, "图像→画布大小"), showing(s2, "dg0003"), b.end("sc0007") }));
        }
        {
            auto s2 = b.click("0001", meadow, "在图像上单击", "M0005");
            s2.toolOverlay(62, 0);
            q.push_back(question("使用缩放工具将图像放大一倍显示。", "sc0001",
                { b.hotspot(62, "选择缩放工具"), s2, b.end("sc0008") }));
        }
        q.push_back(question("使用“视图”菜单放大图像的显示比例。", "sc0001",
            { b.menu(9, 7, "视图→放大"), b.end("sc0008") }));
        q.push_back(question("使用“视图”菜单按屏幕大小缩放图像。", "sc0008",
            { b.menu(9, 9, "视图→按屏幕大小缩放"), b.end("sc0009") }));
        {
            auto s2 = b.click("0001", meadow, "在图像上单击", "M0006");
            q.push_back(question("通过应用程序栏选择抓手工具，然后在图像上单击。", "sc0008",
                { b.hotspot(15, "单击抓手工具按钮"), s2, b.end("sc0008") }));
        }
        {
            StepRecord s2 = b.timed();
            showing(s2, "tp0001", 2);
            StepRecord s3 = b.end(kKeepPicture);
            keeping(s3, "tp0001", 2);
            q.push_back(question("将鼠标指针移到状态栏的文档大小信息上，查看图像的尺寸信息。",
                "sc0001", { b.hover(L.statusDocSize, "指向文档大小"), s2, s3 }));
        }
        {
            auto s2 = b.click("0004", field("dg0014", "ok"), "单击“确定”");
            q.push_back(question("查看本图像编辑器的版本信息，然后关闭信息窗口。", "sc0001",
                { b.menu(11, 3, "帮助→关于本程序"), showing(s2, "dg0014"), b.end("sc0001") }));
        }
        units.push_back(std::move(u));
    }

    // Unit 1: selections and painting.
    {
        Unit u { "选区与绘画", {} };
        auto& q = u.questions;
        q.push_back(
            question("选择整个图像。", "sc0001", { b.menu(5, 1, "选择→全部"), b.end("sc0010") }));
        q.push_back(question(
            "将当前选区反向选择。", "sc0010", { b.menu(5, 4, "选择→反向"), b.end("sc0010") }));
        q.push_back(question(
            "取消当前选区。", "sc0010", { b.menu(5, 2, "选择→取消选择"), b.end("sc0001") }));
        {
            StepRecord end = b.end("sc0001");
            end.toolOverlay(42, 0);
            q.push_back(question("在工具箱中选择矩形选框工具。", "sc0001",
                { b.hotspot(42, "选择矩形选框工具"), end }));
        }
        {
            auto s2
                = b.type("0026", field("dg0005", "opacity"), "50", "100", field("dg0005", "ok"));
            q.push_back(question("用前景色填充选区，不透明度为 50%。", "sc0010",
                { b.menu(2, 11, "编辑→填充"), showing(s2, "dg0005"), b.end("sc0013") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0006", "width"), "5 px|5", "1 px", field("dg0006", "ok"));
            q.push_back(question("为选区描边，宽度为 5 px，位置为内部。", "sc0010",
                { b.menu(2, 12, "编辑→描边"), showing(s2, "dg0006"), b.end("sc0014") }));
        }
        {
            auto s2 = b.type("0020", field("dg0007", "hex"), "ff0000", "000000");
            auto s3 = b.click("0001", field("dg0007", "ok"), "单击“确定”");
            q.push_back(question("将前景色设置为红色（#ff0000）。", "sc0001",
                { b.hotspot(63, "单击前景色"), showing(s2, "dg0007"), keeping(s3, "dg0007"),
                    b.end("sc0001") }));
        }
        {
            auto s2 = b.click("0001", sky, "在天空上单击", "M0004");
            s2.toolOverlay(46, 0);
            q.push_back(question("使用吸管工具吸取天空的颜色作为前景色。", "sc0001",
                { b.hotspot(46, "选择吸管工具"), s2, b.end("sc0001") }));
        }
        {
            auto s2 = b.click("0001", meadow, "在草地上单击", "M0003");
            s2.toolOverlay(48, 0);
            q.push_back(question("使用画笔工具在草地上单击绘制一个圆点。", "sc0001",
                { b.hotspot(48, "选择画笔工具"), s2, b.end("sc0015") }));
        }
        {
            auto s2 = b.click("0001", meadow, "在草地上单击", "M0003");
            s2.toolOverlay(51, 0);
            q.push_back(question("使用橡皮擦工具在草地上单击擦除一处。", "sc0001",
                { b.hotspot(51, "选择橡皮擦工具"), s2, b.end("sc0016") }));
        }
        {
            auto s2 = b.click("0003", meadow, "在图像上单击右键", "S0002");
            s2.toolOverlay(52, 0);
            StepRecord s3 = b.timed();
            showing(s3, "dg0015");
            StepRecord end = b.end(kKeepPicture);
            keeping(end, "dg0015");
            q.push_back(question("选择渐变工具，在图像上单击右键打开渐变拾色器。", "sc0001",
                { b.hotspot(52, "选择渐变工具"), s2, s3, end }));
        }
        {
            auto s2
                = b.type("0028", field("dg0016", "fuzziness"), "80", "40", field("dg0016", "ok"));
            q.push_back(question("使用“色彩范围”命令选择颜色，颜色容差为 80。", "sc0001",
                { b.menu(5, 8, "选择→色彩范围"), showing(s2, "dg0016"), b.end("sc0010") }));
        }
        units.push_back(std::move(u));
    }

    // Unit 2: layers.
    {
        Unit u { "图层操作", {} };
        auto& q = u.questions;
        q.push_back(question("使用“图层”面板底部的按钮新建一个图层。", "sc0001",
            { b.click("0001", L.newLayerButton, "单击“创建新图层”"), b.end("sc0020") }));
        {
            auto s2 = b.type("0020", field("dg0011", "name"), "山景", "背景 副本");
            auto s3 = b.click("0001", field("dg0011", "ok"), "单击“确定”");
            q.push_back(question("复制背景图层，新图层名称为“山景”。", "sc0001",
                { b.menu(4, 2, "图层→复制图层"), showing(s2, "dg0011"), keeping(s3, "dg0011"),
                    b.end("sc0021") }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0013", "yes"), "单击“是”");
            showing(s2, "dg0013");
            q.push_back(question("使用“图层”面板底部的按钮删除“图层 1”。", "sc0020",
                { b.click("0001", L.deleteLayerButton, "单击“删除图层”"), s2, b.end("sc0001") }));
        }
        {
            auto s2 = b.type("0024", L.layerName[0], "天空", "图层 1");
            q.push_back(question("在“图层”面板中将“图层 1”重命名为“天空”。", "sc0020",
                { b.click("0002", L.layerName[0], "双击图层名称"), s2, b.end("sc0022") }));
        }
        q.push_back(question("在“图层”面板中隐藏背景图层。", "sc0001",
            { b.click("0001", L.layerEye[0], "单击眼睛图标"), b.end("sc0023") }));
        {
            auto s2 = b.type("0024", L.opacityField, "50%|50", "100%");
            q.push_back(question("将“图层 1”的不透明度设置为 50%。", "sc0020",
                { b.click("0001", L.opacityField, "单击不透明度"), s2, b.end("sc0024") }));
        }
        {
            auto s2
                = b.type("0026", field("dg0012", "name"), "天空", "图层 1", field("dg0012", "ok"));
            q.push_back(question("使用“图层属性”命令将“图层 1”改名为“天空”。", "sc0020",
                { b.menu(4, 4, "图层→图层属性"), showing(s2, "dg0012"), b.end("sc0022") }));
        }
        q.push_back(question("合并所有可见图层。", "sc0020",
            { b.menu(4, 25, "图层→合并可见图层"), b.end("sc0001") }));
        q.push_back(
            question("拼合图像。", "sc0021", { b.menu(4, 26, "图层→拼合图像"), b.end("sc0001") }));
        q.push_back(question(
            "将“图层 1”向下合并。", "sc0020", { b.menu(4, 24, "图层→向下合并"), b.end("sc0001") }));
        q.push_back(question("使用“图层”面板底部的按钮创建新组。", "sc0001",
            { b.click("0001", L.newGroupButton, "单击“创建新组”"), b.end("sc0025") }));
        q.push_back(question("将“图层 1”编入一个新的图层组。", "sc0020",
            { b.menu(4, 16, "图层→图层编组"), b.end("sc0025") }));
        units.push_back(std::move(u));
    }

    // Unit 3: colour adjustments.
    {
        Unit u { "色彩调整", {} };
        auto& q = u.questions;
        q.push_back(question("对图像执行“自动色调”命令。", "sc0001",
            { b.menu(3, 3, "图像→自动色调"), b.end("sc0030") }));
        q.push_back(question("对图像执行“自动对比度”命令。", "sc0001",
            { b.menu(3, 4, "图像→自动对比度"), b.end("sc0031") }));
        q.push_back(question("对图像执行“自动颜色”命令。", "sc0001",
            { b.menu(3, 5, "图像→自动颜色"), b.end("sc0032") }));
        {
            auto s2
                = b.type("0026", field("dg0008", "brightness"), "30", "0", field("dg0008", "ok"));
            showing(s2, "dg0008");
            q.push_back(question("使用“调整”面板将图像的亮度提高 30。", "sc0001",
                { b.click("0001", L.adjustIcon[0], "单击“亮度/对比度”"), s2, b.end("sc0033") }));
        }
        {
            auto s2 = b.type("0020", field("dg0008", "contrast"), "40", "0");
            showing(s2, "dg0008");
            auto s3 = b.click("0001", field("dg0008", "ok"), "单击“确定”");
            keeping(s3, "dg0008");
            q.push_back(question("使用“调整”面板将图像的对比度设置为 40。", "sc0001",
                { b.click("0001", L.adjustIcon[0], "单击“亮度/对比度”"), s2, s3,
                    b.end("sc0031") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0009", "saturation"), "-100", "0", field("dg0009", "ok"));
            showing(s2, "dg0009");
            q.push_back(question("使用“调整”面板将图像的饱和度降低到 -100。", "sc0001",
                { b.click("0001", L.adjustIcon[5], "单击“色相/饱和度”"), s2, b.end("sc0034") }));
        }
        {
            auto s2 = b.type(
                "0026", field("dg0009", "lightness"), "20|+20", "0", field("dg0009", "ok"));
            showing(s2, "dg0009");
            q.push_back(question("使用“调整”面板将图像的明度提高 20。", "sc0001",
                { b.click("0001", L.adjustIcon[5], "单击“色相/饱和度”"), s2, b.end("sc0033") }));
        }
        {
            auto s2 = b.type("0025", field("dg0009", "hue"), "180", "0");
            showing(s2, "dg0009");
            auto s3 = b.click("0001", field("dg0009", "ok"), "单击“确定”");
            keeping(s3, "dg0009");
            q.push_back(question("使用“调整”面板将图像的色相改为 180。", "sc0001",
                { b.click("0001", L.adjustIcon[5], "单击“色相/饱和度”"), s2, s3,
                    b.end("sc0035") }));
        }
        {
            StepRecord s2 = b.timed();
            showing(s2, "tp0002", 2);
            StepRecord end = b.end(kKeepPicture);
            keeping(end, "tp0002", 2);
            q.push_back(question("将鼠标指针移到“调整”面板的“曲线”图标上，查看它的提示。", "sc0001",
                { b.hover(L.adjustIcon[2], "指向“曲线”图标"), s2, end }));
        }
        {
            auto s2 = b.type("0024", field("dg0009", "saturation"), "-100", "0");
            showing(s2, "dg0009");
            q.push_back(question("picture" + QString("qp0001")
                    + "参照图片中的效果，使用“调整”面板将图像去色（饱和度 -100）。",
                "sc0001",
                { b.click("0001", L.adjustIcon[5], "单击“色相/饱和度”"), s2, b.end("sc0034") }));
        }
        {
            auto s2 = b.type(
                "0026", field("dg0017", "name"), "风景备份", "风景 副本", field("dg0017", "ok"));
            q.push_back(question("复制当前图像，新图像名称为“风景备份”。", "sc0001",
                { b.menu(3, 12, "图像→复制"), showing(s2, "dg0017"), b.end("sc0036") }));
        }
        units.push_back(std::move(u));
    }

    // Unit 4: filters and type.
    {
        Unit u { "滤镜与文字", {} };
        auto& q = u.questions;
        {
            StepRecord s2 = b.timed();
            showing(s2, "pg0001", 2);
            q.push_back(question("再次执行上一次使用的滤镜（高斯模糊）。", "sc0001",
                { b.menu(6, 1, "滤镜→上次滤镜操作"), s2, b.end("sc0037") }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0018", "ok"), "单击“确定”");
            showing(s2, "dg0018");
            q.push_back(question("将背景图层转换为智能滤镜可用的智能对象。", "sc0001",
                { b.menu(6, 2, "滤镜→转换为智能滤镜"), s2, b.end("sc0038") }));
        }
        {
            StepRecord s1
                = b.type("0022", field("dg0010", "radius"), "3.0|3", "1.0", field("dg0010", "ok"));
            showing(s1, "dg0010");
            q.push_back(question("在已打开的“高斯模糊”对话框中将半径设置为 3 像素。", "sc0001",
                { s1, b.end("sc0037") }));
        }
        {
            StepRecord s1 = b.type("0024", field("dg0010", "radius"), "3.0|3", "1.0");
            showing(s1, "dg0010");
            q.push_back(question("picture" + QString("qp0002")
                    + "参照图片中的效果，在“高斯模糊”对话框中设置半径 3 像素。",
                "sc0001", { s1, b.end("sc0037") }));
        }
        const QRect textArea(image.left() + 40, image.top() + 30, 200, 60);
        {
            auto s2 = b.click("0001", textArea, "在图像上单击", "S0003");
            s2.toolOverlay(56, 0);
            auto s3 = b.type("0024", textArea, "春天", {}, {}, "0240001220");
            s3.toolOverlay(56, 0);
            q.push_back(question("使用横排文字工具在图像左上方输入文字“春天”。", "sc0001",
                { b.hotspot(56, "选择横排文字工具"), s2, s3, b.end("sc0039") }));
        }
        {
            StepRecord s1;
            s1.action("0023")
                .textBox(textArea)
                .preset(answers.line("春天来了"))
                .textFormat("0240001220");
            s1.hint({ textArea.left(), textArea.bottom() + 6 }, answers.line("春天"));
            q.push_back(
                question("在文字框中选中“春天”两个字。", "sc0039", { s1, b.end("sc0039") }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0004", "newFolder"), "单击“新建文件夹”");
            showing(s2, "dg0004");
            const QRect list = field("dg0004", "list");
            const QRect newRow(list.left() + 146, list.top() + 6 + 20, 120, 18);
            StepRecord s3 = b.type("0021", newRow, "素材", "新建文件夹");
            keeping(s3, "dg0004");
            q.push_back(question("在“存储为”对话框中新建一个名为“素材”的文件夹。", "sc0001",
                { b.menu(1, 11, "文件→存储为"), s2, s3, b.end("sc0001") }));
        }
        {
            auto s2 = b.click("0001", textArea, "在图像上单击", "S0003");
            s2.toolOverlay(56, 0);
            auto s3 = b.type("0027", textArea, "夏日", {}, {}, "0240001220");
            s3.toolOverlay(56, 0);
            q.push_back(question("使用横排文字工具在图像左上方输入文字“夏日”。", "sc0001",
                { b.hotspot(56, "选择横排文字工具"), s2, s3, b.end("sc0040") }));
        }
        {
            StepRecord end = b.end("sc0039");
            showing(end, "dg0019");
            q.push_back(
                question("打开“段落”面板。", "sc0039", { b.menu(10, 9, "窗口→段落"), end }));
        }
        {
            StepRecord end = b.end("sc0001");
            showing(end, "dg0020");
            q.push_back(
                question("打开“直方图”面板。", "sc0001", { b.menu(10, 25, "窗口→直方图"), end }));
        }
        {
            StepRecord end = b.end("sc0001");
            end.toolOverlay(46, 0);
            q.push_back(question(
                "使用“分析”菜单选择标尺工具。", "sc0001", { b.menu(7, 4, "分析→标尺工具"), end }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0021", "ok"), "单击“确定”");
            showing(s2, "dg0021");
            q.push_back(question("浏览联机滤镜，在出现的提示中单击“确定”。", "sc0001",
                { b.menu(6, 20, "滤镜→浏览联机滤镜"), s2, b.end("sc0001") }));
        }
        units.push_back(std::move(u));
    }
    return units;
}

} // namespace samplegen
