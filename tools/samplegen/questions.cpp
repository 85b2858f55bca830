#include "questions.h"

#include "chrome.h"
#include "drawing.h"

#include "platform/font.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
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

QString hintCaption(const QString& code, const QString& hint)
{
    if (!code.startsWith(QStringLiteral("002")))
        return QString(hint).replace(u'|', u'\n');
    const QString c = QString(hint).replace(QStringLiteral("|"), QStringLiteral("或  "));
    if (code == "0020" || code == "0021" || code == "0025" || code == "0027")
        return "输入 " + c;
    if (code == "0022")
        return "输入 " + c + " 并按回车键或点红色方框处";
    if (code == "0024")
        return "输入 " + c + " 并按回车键";
    if (code == "0023")
        return "请选中 " + c;
    if (code == "0026")
        return "输入 " + c + " 并点击红色方框处";
    return c;
}

QRect hintLabelRect(const QString& caption, QPoint place)
{
    plat::FontSpec font;
    font.size = 11;
    font.bold = true;
    const QFontMetricsF fm(plat::toQFont(font, kTwipsPerPixel));
    const QSizeF size = caption.isEmpty()
        ? QSizeF(0, fm.height())
        : fm.boundingRect(QRectF(0, 0, 1e6, 1e6), 0, caption).size();
    return { place,
        QSize(static_cast<int>(std::ceil(size.width())),
            static_cast<int>(std::ceil(std::max(size.height(), fm.height())))) };
}

std::vector<QRect> dialogButtonsShown(const std::vector<StepRecord>& steps, size_t at)
{
    std::array<QString, kImageGroups.size()> names;
    std::array<QPoint, kImageGroups.size()> places;
    std::array<bool, kImageGroups.size()> shown {};
    for (size_t i = 0; i <= at && i < steps.size(); ++i)
        for (size_t k = 0; k < kImageGroups.size(); ++k) {
            const stepengine::ImageGroup& g = kImageGroups[k];
            const QString name = steps[i].get(g.name);
            shown[k] = name != kHidePicture && !name.trimmed().isEmpty();
            if (!shown[k])
                continue;
            places[k] = QPoint(steps[i].number(g.left), steps[i].number(g.top)) / kTwipsPerPixel;
            if (name != kKeepPicture)
                names[k] = name;
        }
    std::vector<QRect> out;
    for (size_t k = 0; k < kImageGroups.size(); ++k)
        if (shown[k] && !names[k].isEmpty())
            for (const QRect& button : dialogButtons(names[k]))
                out.push_back(button.translated(places[k]));
    return out;
}

std::vector<HintObstacle> hintObstacles(const StepRecord& r, const std::vector<QRect>& buttons)
{
    const auto area
        = [&](const Field& left, const Field& top, const Field& width, const Field& height) {
              return QRect(r.number(left) / kTwipsPerPixel, r.number(top) / kTwipsPerPixel,
                  r.number(width) / kTwipsPerPixel, r.number(height) / kTwipsPerPixel);
          };
    // The chrome panels are picture boxes, which the practice window stacks over the label;
    // once a step has shown one it stays, so the label keeps clear of all of them, the toolbox
    // in either form.
    std::vector<HintObstacle> out { { QRect(kMenuPanelPos, kMenuPanelSize), "menu bar" },
        { QRect(kOptionsPanelPos, kOptionsPanelSize), "options bar" },
        { QRect(kToolboxPos, kToolboxOneColumnSize), "toolbox" },
        { QRect(kToolboxPos, kToolboxTwoColumnSize), "toolbox" },
        { kQuestionPanelArea, "question panel" } };
    const QString code = r.get(fields::ActionCode);
    const bool textBox
        = code.startsWith(QStringLiteral("002")) || code.startsWith(u'L') || code.startsWith(u'K');
    // The drop-downs a path opens stand over the label too, while the candidate chooses in them.
    if (!textBox)
        for (const Field& slot :
            { fields::Descriptor1, fields::Descriptor2, fields::Descriptor3 }) {
            const QString d = r.get(slot);
            const auto [hotspot, item, sub] = menuPathOf(d);
            if (!d.startsWith(u'H') || item < 1 || !hasDropDown(hotspot)
                || item > dropDownItemCount(hotspot))
                continue;
            out.push_back({ dropDownOnScreen(hotspot), "open drop-down" });
            if (sub > 0 && opensSecondLevel(hotspot, item) && secondLevel(hotspot, item))
                out.push_back({ secondLevelOnScreen(hotspot, item), "open drop-down" });
        }
    if (r.get(fields::TargetArea) != stepengine::kNoTargetArea)
        out.push_back({ area(fields::TargetLeft, fields::TargetTop, fields::TargetWidth,
                            fields::TargetHeight),
            "target area" });
    if (r.number(fields::Area2Width) > 0 && r.number(fields::Area2Height) > 0)
        out.push_back(
            { area(fields::Area2Left, fields::Area2Top, fields::Area2Width, fields::Area2Height),
                "second area" });
    if (textBox)
        out.push_back(
            { area(fields::TextLeft, fields::TextTop, fields::TextWidth, fields::TextHeight),
                "entry field" });
    else if (r.get(fields::Descriptor3).startsWith(u'Q'))
        out.push_back({ QRect(r.number(fields::DragTargetX) / kTwipsPerPixel,
                            r.number(fields::DragTargetY) / kTwipsPerPixel, 1095 / kTwipsPerPixel,
                            285 / kTwipsPerPixel),
            "back button" });
    for (const QRect& button : buttons)
        out.push_back({ button, "dialog button" });
    return out;
}

QString hintPlaceFault(const StepRecord& r, const QRect& label, const std::vector<QRect>& buttons)
{
    if (!QRect(0, 0, kWindowWidth, kWindowHeight).contains(label))
        return QStringLiteral("the window's edge");
    for (const HintObstacle& o : hintObstacles(r, buttons))
        if (o.rect.isValid() && label.intersects(o.rect))
            return QString::fromLatin1(o.what);
    return {};
}

namespace {

    // Text fields are 9-point, left-aligned, black on white unless a step says otherwise.
    const QString kPlainField = QStringLiteral("0090000000");

    // Hints of key steps stand over the document, where nothing is clicked.
    constexpr QPoint kKeyHintPlace { 300, 140 };

    // The hint goes right of what it explains, or under it when there is no room.
    QPoint hintBeside(const QRect& r)
    {
        if (r.right() + 8 + 170 < kWindowWidth)
            return { r.right() + 8, r.top() };
        return { std::max(70, r.left()), std::min(r.bottom() + 6, 540) };
    }

    // Beside `near` as hintBeside puts it, unless the label would lie over `avoid` (the step's
    // target area, which must stay clickable): then under, above or left of `near`.
    QPoint hintClearOf(const QRect& near, const QString& caption, const QRect& avoid)
    {
        const QPoint beside = hintBeside(near);
        const QSize size = hintLabelRect(caption, {}).size();
        if (!avoid.isValid() || !QRect(beside, size).intersects(avoid))
            return beside;
        const QPoint others[]
            = { { near.left(), near.bottom() + 6 }, { near.left(), near.top() - size.height() - 6 },
                  { near.left() - size.width() - 8, near.top() } };
        for (const QPoint& at : others) {
            const QRect label(at, size);
            if (!label.intersects(avoid) && QRect(0, 0, kWindowWidth, kWindowHeight).contains(label)
                && !label.intersects(kQuestionPanelArea))
                return at;
        }
        throw std::runtime_error("no place for the hint \"" + caption.toStdString() + "\"");
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
            s.action("7000").descriptor(fields::Descriptor1, menuPath(hotspot, item));
            s.hint(hintBeside(dropDownItemOnScreen(hotspot, item)), answers_.line(hint));
            return s;
        }

        // A click on a toolbox tool or a bar button.
        StepRecord hotspot(int hotspot, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::Descriptor1, hotspotPath(hotspot));
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
            s.hint(hintClearOf(field, hintCaption(code, answer), confirm), answers_.line(answer));
            return s;
        }

        // A command two levels deep: menu title, first-level item, second-level item.
        StepRecord subMenu(int hotspot, int item, int sub, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::Descriptor1, subMenuPath(hotspot, item, sub));
            s.hint(hintBeside(secondLevelItemOnScreen(hotspot, item, sub)), answers_.line(hint));
            return s;
        }

        // A tool chosen from its flyout: a right click on the tool, then the item.
        StepRecord flyout(int hotspot, int item, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::Descriptor1, menuPath(hotspot, item));
            s.hint(hintBeside(dropDownItemOnScreen(hotspot, item)), answers_.line(hint));
            return s;
        }

        // A menu command shown with a check mark: its path, and the item-picture descriptor
        // that lays the checked row under the item.
        StepRecord checkedMenu(const CheckedItem& c, const QString& hint)
        {
            StepRecord s = menu(c.hotspot, c.item, hint);
            s.descriptor(
                fields::Descriptor2, "D" + twoDigits(c.hotspot) + twoDigits(c.item) + "0" + c.code);
            return s;
        }

        // A command reached by a menu path (third descriptor) or by a key in a key field.
        StepRecord pathOrKey(const QString& path, const Field& keyField, const QString& keyCode,
            const QRect& hintNear, const QString& hint)
        {
            StepRecord s;
            s.action("7000").descriptor(fields::Descriptor3, path);
            s.set(keyField, "P" + keyCode);
            s.hint(hintBeside(hintNear), answers_.line(hint));
            return s;
        }

        // A key press 6SKK.
        StepRecord key(const QString& code, const QString& hint)
        {
            StepRecord s;
            s.action(code);
            s.hint(kKeyHintPlace, answers_.line(hint));
            return s;
        }

        // A right click on `area` that opens the context menu `menuCode` (FMGI, families 3 to
        // 5) and the choice of its item.
        StepRecord contextMenu(int menuCode, const QRect& area, const QString& hint)
        {
            return click(QString::number(menuCode), area, hint);
        }

        // The same through the menu descriptor: "R" and the code, or "RA" and three digits for
        // a menu of family 6. The action code repeats menu, entry and item, so every reader
        // finds the same entry.
        StepRecord contextMenuDescriptor(int menuCode, const QRect& area, const QString& hint)
        {
            const QString mgi = QString::number(menuCode).mid(1);
            StepRecord s = click("5" + mgi, area, hint);
            s.set(fields::MenuOfDescriptor,
                menuCode / 1000 == 6 ? "RA" + mgi : "R" + QString::number(menuCode));
            return s;
        }

        // A rubber band from the second area to the target area with `modifiers` held (1
        // Shift, 2 Ctrl, 4 Alt). The press marker keeps a plain press on the second area from
        // completing the step.
        StepRecord rubberBand(
            int modifiers, const QRect& from, const QRect& to, const QString& hint)
        {
            StepRecord s = click("004" + QString::number(modifiers), to, hint, "S0002");
            s.set(fields::PressMarker, "EE");
            s.secondArea(from);
            s.hint(hintBeside(from), s.number(fields::HintLine));
            return s;
        }

        // Dragging the second area into the target area; the drag pointer is the hand cursor
        // and its second character names the step a drop leads to.
        StepRecord dragDrop(int modifiers, const QRect& from, const QRect& to, const QString& hint,
            QChar dropNext = u'0')
        {
            StepRecord s = click(
                "005" + QString::number(modifiers), to, hint, QString("M") + dropNext + "006");
            s.set(fields::PressMarker, "EE");
            s.secondArea(from);
            s.hint(hintBeside(from), s.number(fields::HintLine));
            return s;
        }

        // Dragging the handle `picture` in Image5 from `home` to `target` (window pixels).
        StepRecord handle(const QString& code, const QString& picture, QPoint home, QPoint target,
            const QString& hint)
        {
            StepRecord s;
            s.action(code).image(5, picture, home).dragTarget(target);
            s.hint(hintBeside(QRect(home, QSize(12, 10))), answers_.line(hint));
            return s;
        }

        // A choice in a list box laid over `rect`: the items are one answer line split at "|".
        StepRecord list(const QRect& rect, const QStringList& items, int preset, int correct,
            const QString& hint)
        {
            StepRecord s;
            s.action("L" + QString::number(answers_.line(items.join('|'))).rightJustified(3, u'0'));
            s.textBox(rect).textFormat(kPlainField);
            s.setNumber(fields::PresetLine, preset);
            s.setNumber(fields::AnswerLine, correct);
            s.hint(hintBeside(rect), answers_.line(hint));
            return s;
        }

        // A choice in the location list of a file dialog whose box stands at `box`.
        StepRecord location(const QRect& box, int presetRow, int targetRow, const QString& hint)
        {
            StepRecord s;
            s.action("K" + QString::number(presetRow) + twoDigits(targetRow));
            s.textBox(box).textFormat(kPlainField);
            s.hint(hintBeside(box), answers_.line(hint));
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

    // Puts the hint under `button`, clear of the buttons beside it (a back button among them).
    StepRecord& hintUnder(StepRecord& s, const QRect& button)
    {
        return s.hint({ button.left(), button.bottom() + 6 }, s.number(fields::HintLine));
    }

    // Keeps the dialog shown by an earlier step where it stands.
    StepRecord& keeping(StepRecord& s, const QString& picture, int slot = 1)
    {
        return s.image(slot, kKeepPicture, dialogSpec(picture).screenPos);
    }

    // Moves a step's hint label, where the builder's first choice runs into something
    // (hintPlaceFault), to the nearest place clear of it: beside, under or over an obstacle, or
    // pulled inside the window.
    void settleHint(StepRecord& s, const AnswerTable& answers, const std::vector<QRect>& buttons)
    {
        if (s.get(fields::HintPlace) == QString(10, u'0'))
            return;
        const int line = s.number(fields::HintLine);
        const QString caption = hintCaption(s.get(fields::ActionCode), answers.text(line));
        const QPoint wanted(s.number(fields::HintLeft) / kTwipsPerPixel,
            s.number(fields::HintTop) / kTwipsPerPixel);
        const QSize size = hintLabelRect(caption, {}).size();
        const auto inside = [&](QPoint at) {
            return QPoint(std::clamp(at.x(), 0, kWindowWidth - size.width()),
                std::clamp(at.y(), 0, kWindowHeight - size.height()));
        };
        std::vector<QPoint> candidates { inside(wanted) };
        for (const HintObstacle& o : hintObstacles(s, buttons)) {
            const QRect& r = o.rect;
            for (const QPoint at : { QPoint(wanted.x(), r.bottom() + 4),
                     QPoint(wanted.x(), r.top() - size.height() - 4),
                     QPoint(r.right() + 4, wanted.y()),
                     QPoint(r.left() - size.width() - 4, wanted.y()) })
                candidates.push_back(inside(at));
        }
        // Each candidate may meet a second obstacle; shifting it once more past that one
        // finds the places between two of them (under the options bar, left of a dialog).
        for (size_t i = 0, n = candidates.size(); i < n; ++i)
            for (const HintObstacle& o : hintObstacles(s, buttons)) {
                const QRect& r = o.rect;
                if (!QRect(candidates[i], size).intersects(r))
                    continue;
                candidates.push_back(inside({ candidates[i].x(), r.bottom() + 4 }));
                candidates.push_back(inside({ candidates[i].x(), r.top() - size.height() - 4 }));
                candidates.push_back(inside({ r.left() - size.width() - 4, candidates[i].y() }));
            }
        const QPoint* best = nullptr;
        for (const QPoint& at : candidates)
            if (hintPlaceFault(s, QRect(at, size), buttons).isEmpty()
                && (!best || (at - wanted).manhattanLength() < (*best - wanted).manhattanLength()))
                best = &at;
        if (!best)
            throw std::runtime_error("no place for the hint \"" + caption.toStdString() + "\"");
        if (*best != wanted)
            s.hint(*best, line);
    }

    Question question(
        const QString& text, const QString& startScreen, std::vector<StepRecord> steps)
    {
        // The first step names the screen the question starts from; step 1 also empties
        // every step picture, so nothing of the previous question stays on screen.
        if (steps.front().get(fields::Background) == kKeepPicture)
            steps.front().background(startScreen);
        for (size_t i = 0; i < steps.size(); ++i)
            steps[i].set(fields::StepNumber, QString::number(i + 1).rightJustified(3, QChar('0')));
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
    const QRect topLeftQuarter(image.left(), image.top(), 240, 160);
    const QRect cornerGrip(image.left() - 4, image.top() - 4, 12, 12);
    const QRect centreGrip(image.left() + 231, image.top() + 151, 18, 18);
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
                { b.menu(1, 1, "文件→新建"), showing(s2, "dg0001"),
                    showing(s3, typedDialog("dg0001", "海报")), b.end("sc0003") }));
        }
        {
            auto s2 = b.type("0020", field("dg0004", "fileName"), "春天", "风景");
            auto s3 = b.click("0001", field("dg0004", "save"), "单击“保存”");
            q.push_back(question("将当前图像以“春天”为文件名存储到“图片”文件夹中。", "sc0001",
                { b.menu(1, 13, "文件→存储为"), showing(s2, "dg0004"),
                    showing(s3, typedDialog("dg0004", "春天")), b.end("sc0004") }));
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
            // "0004" moves on only by the jump its target area names: here to the end step.
            auto s2 = b.click("0004", field("dg0014", "ok"), "单击“确定”");
            s2.target(field("dg0014", "ok"), u'3');
            q.push_back(question("查看本图像编辑器的版本信息，然后关闭信息窗口。", "sc0001",
                { b.menu(11, 3, "帮助→关于本程序"), showing(s2, "dg0014"), b.end("sc0001") }));
        }
        // Steps of the further kinds: keys, lists, location lists and context menus.
        {
            auto s2
                = b.type("0022", field("dg0002", "pxWidth"), "360", "480", field("dg0002", "ok"));
            q.push_back(question("按快捷键 Alt+Ctrl+I 打开“图像大小”对话框，将宽度改为 360 像素。",
                "sc0001",
                { b.key("6673", "按 Alt+Ctrl+I"), showing(s2, "dg0002"), b.end("sc0005") }));
        }
        {
            const QRect box = field("dg0004", "place").adjusted(0, 0, 20, 2);
            auto s2 = b.location(box, 2, 1, "打开“保存在”列表，选择“桌面”");
            auto s3 = b.click("0001", field("dg0004", "save"), "单击“保存”");
            q.push_back(
                question("在“存储为”对话框的“保存在”列表中选择“桌面”，然后单击“保存”。", "sc0001",
                    { b.menu(1, 13, "文件→存储为"), showing(s2, "dg0004"), keeping(s3, "dg0004"),
                        b.end("sc0001") }));
        }
        {
            const QRect combo = field("dg0001", "mode");
            const QRect drop(combo.left(), combo.bottom() + 1, combo.width() + 20, 84);
            auto s2 = b.list(drop, { "位图", "灰度", "RGB 颜色", "CMYK 颜色", "Lab 颜色" }, 2, 3,
                "选择“CMYK 颜色”");
            auto s3 = b.click("0001", field("dg0001", "ok"), "单击“确定”");
            q.push_back(question("新建图像文档时，将颜色模式设置为“CMYK 颜色”。", "sc0001",
                { b.menu(1, 1, "文件→新建"), showing(s2, "dg0001"), keeping(s3, "dg0001"),
                    b.end("sc0048") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0002", "pxWidth"), "360", "480", field("dg0002", "ok"));
            q.push_back(question(
                "在文档窗口的标签上单击右键，选择“图像大小”命令，将宽度改为 360 像素。", "sc0001",
                { b.contextMenu(5128, L.documentTab, "右击文档标签→图像大小"),
                    showing(s2, "dg0002"), b.end("sc0005") }));
        }
        {
            // The preferences open on their first page; the units page, in the second row of
            // the two-row strip, must be chosen before "确定" counts. "取消" goes back to the
            // menu step.
            StepRecord s2 = b.click("0001", field("104007", "ok"), "单击“确定”");
            showing(s2, "104007");
            s2.tabStep(u'D', 1, 7, 1).backButton(1, field("104007", "cancel").topLeft());
            hintUnder(s2, field("104007", "ok"));
            q.push_back(question("使用“编辑→首选项→常规”命令打开“首选项”对话框，切换到“单位与标尺”"
                                 "选项卡，然后单击“确定”。",
                "sc0001", { b.subMenu(2, 27, 1, "编辑→首选项→常规"), s2, b.end("sc0001") }));
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
                { b.menu(2, 9, "编辑→填充"), showing(s2, "dg0005"), b.end("sc0013") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0006", "width"), "5 px|5", "1 px", field("dg0006", "ok"));
            q.push_back(question("为选区描边，宽度为 5 px，位置为内部。", "sc0010",
                { b.menu(2, 10, "编辑→描边"), showing(s2, "dg0006"), b.end("sc0014") }));
        }
        {
            auto s2 = b.type("0020", field("dg0007", "hex"), "ff0000", "000000");
            auto s3 = b.click("0001", field("dg0007", "ok"), "单击“确定”");
            q.push_back(question("将前景色设置为红色（#ff0000）。", "sc0001",
                { b.hotspot(63, "单击前景色"), showing(s2, "dg0007"),
                    showing(s3, typedDialog("dg0007", "ff0000")), b.end("sc0001") }));
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
        {
            StepRecord s2 = b.rubberBand(0, cornerGrip, centreGrip, "从左上角拖到图像中央");
            s2.toolOverlay(42, 0);
            q.push_back(question("使用矩形选框工具选取画布左上角区域。", "sc0001",
                { b.hotspot(42, "选择矩形选框工具"), s2, b.end("sc0041") }));
        }
        {
            const QRect from(image.left() + 154, image.top() + 74, 12, 12);
            const QRect to(image.left() + 311, image.top() + 231, 18, 18);
            StepRecord s2 = b.rubberBand(1, from, to, "按住 Shift 键拖动");
            s2.toolOverlay(42, 2);
            q.push_back(
                question("使用椭圆选框工具，按住 Shift 键在图像中央拖出一个正圆选区。", "sc0001",
                    { b.flyout(42, 2, "右击选框工具，选择椭圆选框工具"), s2, b.end("sc0042") }));
        }
        {
            StepRecord s1 = b.contextMenu(4163, topLeftQuarter, "在选区内右击→填充");
            s1.toolOverlay(42, 0);
            StepRecord s2 = b.click("0001", field("dg0005", "ok"), "单击“确定”");
            showing(s2, "dg0005");
            q.push_back(question("在选区内单击右键，选择“填充”命令，用前景色填充选区。", "sc0041",
                { s1, s2, b.end("sc0046") }));
        }
        q.push_back(question("按快捷键 Ctrl+D 取消选择。", "sc0041",
            { b.key("6268", "按 Ctrl+D"), b.end("sc0001") }));
        {
            StepRecord end = b.end("sc0001");
            showing(end, "dg0023");
            q.push_back(question("打开“画笔”面板（可以使用“窗口”菜单，也可以按 F5 键）。", "sc0001",
                { b.pathOrKey(menuPath(10, 13), fields::KeyField86, "6016",
                      dropDownItemOnScreen(10, 13), "窗口→画笔，或按 F5"),
                    end }));
        }
        {
            auto s2 = b.type("0026", field("dg0024", "radius"), "5", "0", field("dg0024", "ok"));
            q.push_back(question("使用“选择→修改→羽化”命令，将选区的羽化半径设置为 5 像素。",
                "sc0010",
                { b.subMenu(5, 10, 5, "选择→修改→羽化"), showing(s2, "dg0024"), b.end("sc0010") }));
        }
        {
            StepRecord end = b.end("sc0001");
            end.toolOverlay(48, 0);
            q.push_back(
                question("选择画笔工具（可以单击工具箱中的按钮，也可以按 B 键）。", "sc0001",
                    { b.pathOrKey(hotspotPath(48), fields::KeyField91, "6066",
                          hotspotRect(48).translated(panelOrigin(48)), "单击画笔工具，或按 B 键"),
                        end }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0005", "ok"), "单击“确定”");
            showing(s2, "dg0005");
            q.push_back(question(
                "使用“编辑→填充”命令（或按 Shift+F5 键）打开“填充”对话框，用前景色填充选区。",
                "sc0041",
                { b.pathOrKey(menuPath(2, 9), fields::KeyField96, "6116",
                      dropDownItemOnScreen(2, 9), "编辑→填充，或按 Shift+F5"),
                    s2, b.end("sc0046") }));
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
                { b.menu(4, 2, "图层→复制图层"), showing(s2, "dg0011"),
                    showing(s3, typedDialog("dg0011", "山景")), b.end("sc0021") }));
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
            { b.menu(4, 15, "图层→图层编组"), b.end("sc0025") }));
        {
            StepRecord s2 = b.click("0001", field("dg0011", "ok"), "单击“确定”");
            showing(s2, "dg0011");
            q.push_back(question("在图层面板中右击“背景”图层，选择“复制图层”。", "sc0001",
                { b.contextMenu(3123, L.layerRow[0], "右击“背景”→复制图层"), s2,
                    b.end("sc0045") }));
        }
        {
            StepRecord s2 = b.click("0001", field("dg0013", "yes"), "单击“是”");
            showing(s2, "dg0013");
            q.push_back(question("在“图层”面板中右击“图层 1”，用快捷菜单删除该图层。", "sc0020",
                { b.contextMenuDescriptor(3124, L.layerRow[0], "右击“图层 1”→删除图层"), s2,
                    b.end("sc0001") }));
        }
        q.push_back(question("按快捷键 Ctrl+J，通过拷贝新建一个图层。", "sc0001",
            { b.key("6274", "按 Ctrl+J"), b.end("sc0020") }));
        q.push_back(question("使用“图层→新建→通过拷贝的图层”命令复制当前图层。", "sc0001",
            { b.subMenu(4, 1, 5, "图层→新建→通过拷贝的图层"), b.end("sc0020") }));
        q.push_back(question("将“图层 1”拖到“创建新图层”按钮上，复制该图层。", "sc0020",
            { b.dragDrop(0, L.layerRow[0], L.newLayerButton, "拖到“创建新图层”按钮"),
                b.end("sc0043") }));
        {
            // Two ways: a drop on the button ends the question at once (step 3); a click on
            // it asks for confirmation first (step 2).
            StepRecord s1 = b.dragDrop(
                0, L.layerRow[0], L.deleteLayerButton, "拖到“删除图层”按钮，或单击该按钮", u'3');
            s1.target(L.deleteLayerButton, u'2');
            StepRecord s2 = b.click("0001", field("dg0013", "yes"), "单击“是”");
            showing(s2, "dg0013");
            q.push_back(question(
                "删除“图层 1”：将它拖到“删除图层”按钮上，或者单击该按钮后在提示中单击“是”。",
                "sc0020", { s1, s2, b.end("sc0001") }));
        }
        q.push_back(question("按住 Ctrl 键单击“图层 1”的缩览图，载入该图层的选区。", "sc0020",
            { b.click("9201", L.layerThumb[0], "按住 Ctrl 键单击缩览图"), b.end("sc0052") }));
        {
            StepRecord s1 = b.contextMenu(4211, sky, "右击图像→选择图层→背景");
            s1.toolOverlay(41, 0);
            q.push_back(
                question("使用移动工具在图像上单击右键，从“选择图层”子菜单中选择“背景”图层。",
                    "sc0020", { s1, b.end("sc0049") }));
        }
        {
            // The dialog opens on its first tab; the stroke page must be chosen before
            // "确定" counts. "取消" goes back to the menu step.
            StepRecord s2 = b.click("0001", field("105003", "ok"), "单击“确定”");
            showing(s2, "105003");
            s2.tabStep(u'E', 1, 3, 1).backButton(1, field("105003", "cancel").topLeft());
            hintUnder(s2, field("105003", "ok"));
            q.push_back(question(
                "打开“图层样式”对话框，切换到“描边”选项卡，按默认设置为“图层 1”添加描边。",
                "sc0020", { b.subMenu(4, 5, 1, "图层→图层样式→混合选项"), s2, b.end("sc0051") }));
        }
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
            showing(s3, typedDialog("dg0008", "40"));
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
            showing(s3, typedDialog("dg0009", "180"));
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
        {
            const DialogSpec& dialog = dialogSpec("dg0022");
            const QRect slider = dialog.screenRect("brightnessSlider");
            const QPoint home(slider.center().x() - 5, slider.center().y());
            const QPoint target(slider.right() - 5, slider.center().y());
            StepRecord s2 = b.handle("8002", "hd0001", home, target, "向右拖动亮度滑块");
            showing(s2, "dg0022");
            StepRecord s3 = b.click("0001", dialog.screenRect("ok"), "单击“确定”");
            keeping(s3, "dg0022");
            s3.image(5, kKeepPicture, target);
            s3.backButton(2, dialog.screenRect("cancel").topLeft() + QPoint(5, 2));
            q.push_back(
                question("在“亮度/对比度”对话框中向右拖动亮度滑块，把亮度调到最高。", "sc0001",
                    { b.click("0001", L.adjustIcon[0], "单击“亮度/对比度”"), s2, s3,
                        b.end("sc0033") }));
        }
        {
            auto s2
                = b.type("0022", field("dg0009", "saturation"), "-100", "0", field("dg0009", "ok"));
            q.push_back(question("使用“图像→调整→色相/饱和度”命令将饱和度降低到 -100。", "sc0001",
                { b.subMenu(3, 2, 6, "图像→调整→色相/饱和度"), showing(s2, "dg0009"),
                    b.end("sc0034") }));
        }
        q.push_back(question("在“窗口”菜单中取消勾选“调整”，关闭“调整”面板。", "sc0001",
            { b.checkedMenu(checkedItems().front(), "窗口→调整"), b.end("sc0050") }));
        q.push_back(question("按快捷键 Shift+Ctrl+U 对图像去色。", "sc0001",
            { b.key("6385", "按 Shift+Ctrl+U"), b.end("sc0034") }));
        {
            // The colour settings open on their first tab; "确定" counts once the conversion
            // page shows. "取消" goes back to the menu step.
            StepRecord s2 = b.click("0001", field("101003", "ok"), "单击“确定”");
            showing(s2, "101003");
            s2.tabStep(u'A', 1, 3, 1).backButton(1, field("101003", "cancel").topLeft());
            hintUnder(s2, field("101003", "ok"));
            q.push_back(question("使用“编辑→颜色设置”命令打开“颜色设置”对话框，切换到“转换选项”"
                                 "选项卡，然后单击“确定”。",
                "sc0001", { b.menu(2, 22, "编辑→颜色设置"), s2, b.end("sc0001") }));
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
                { b.menu(1, 13, "文件→存储为"), s2, s3, b.end("sc0001") }));
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
                question("打开“段落”面板。", "sc0039", { b.menu(10, 10, "窗口→段落"), end }));
        }
        {
            StepRecord end = b.end("sc0001");
            showing(end, "dg0020");
            q.push_back(
                question("打开“直方图”面板。", "sc0001", { b.menu(10, 24, "窗口→直方图"), end }));
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
        {
            auto s2
                = b.type("0022", field("dg0010", "radius"), "3.0|3", "1.0", field("dg0010", "ok"));
            q.push_back(question("使用“滤镜→模糊→高斯模糊”命令，将半径设置为 3 像素。", "sc0001",
                { b.subMenu(6, 8, 4, "滤镜→模糊→高斯模糊"), showing(s2, "dg0010"),
                    b.end("sc0037") }));
        }
        q.push_back(question("按快捷键 Ctrl+T 对图层进行自由变换。", "sc0020",
            { b.key("6284", "按 Ctrl+T"), b.end("sc0044") }));
        q.push_back(question("在自由变换的变换框内单击右键，选择“水平翻转”。", "sc0044",
            { b.contextMenuDescriptor(6260, sky, "在变换框内右击→水平翻转"), b.end("sc0047") }));
        {
            StepRecord s1 = b.contextMenuDescriptor(6173, textArea, "右击文字→消除锯齿→浑厚");
            s1.toolOverlay(56, 0);
            q.push_back(question("使用横排文字工具右击文字，将消除锯齿的方式设置为“浑厚”。",
                "sc0039", { s1, b.end("sc0039") }));
        }
        units.push_back(std::move(u));
    }
    for (Unit& u : units)
        for (Question& q : u.questions)
            for (size_t i = 0; i < q.steps.size(); ++i)
                settleHint(q.steps[i], answers, dialogButtonsShown(q.steps, i));
    return units;
}

} // namespace samplegen
