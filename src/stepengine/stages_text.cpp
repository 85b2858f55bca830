// Stages of the step loader: the drag target, the answer fields with their preset text and
// format, the prompts of text steps, the hint label and its yellow frame.

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/stepengine.h"
#include "stepengine/steprecord.h"

#include <array>
#include <optional>

namespace stepengine {

namespace {
    constexpr double kTextPoints = 9; // the answer fields' size unless the format names one

    // TextFormatCode: a character position read as a number (a non-digit reads 0).
    int digitAt(const QString& code, int pos) { return readInt16(plat::mid(code, pos, 1)); }

    // Style digits 0..7: bold, italic, underline; 8 and 9 leave them as they were.
    struct Style {
        bool bold, italic, underline;
    };
    constexpr std::array<Style, 8> kStyles { {
        { false, false, false },
        { true, false, false },
        { false, true, false },
        { true, true, false },
        { false, false, true },
        { true, false, true },
        { false, true, true },
        { true, true, true },
    } };
    // Font digits 0..4; 5..9 leave the face as it was.
    const std::array<QString, 5> kFaces { QStringLiteral("宋体"), QStringLiteral("Times New Roman"),
        QStringLiteral("黑体"), QStringLiteral("楷体_GB2312"), QStringLiteral("隶书") };
    // Colour digits (BBGGRR); no entry leaves the colour as it was. The demonstration alone
    // gives fore colour 3 a value.
    constexpr std::array<std::optional<uint32_t>, 10> kForeColours { 0x000000, 0xFF0000, 0x0000FF };
    constexpr uint32_t kDemoForeColour3 = 0x99A055;
    constexpr std::array<uint32_t, 10> kBackColours { 0xFFFFFF, 0xFF0000, 0x0000FF, 0xC0C0C0,
        0xAAA9FF, 0xD6D5FF, 0x018000, 0xB3B2CC, 0xE0E3BA, 0xE1FFFF };

    // The prompt of a text step: what happens to the preset's selection and the red frame, and
    // the words around the hint. The two windows know the same codes but one each: "0025" only
    // the practice window, "0028" (the cell entry) only the demonstration.
    enum class Frame { Hidden, FollowsHint };
    enum class Known { InBoth, InPracticeOnly, InDemonstrationOnly };
    struct Prompt {
        const char16_t* code;
        Known known;
        bool clearSelection;
        Frame frame;
        const char16_t* before;
        const char16_t* after;
    };
    constexpr Prompt kPrompts[] = {
        { u"0020", Known::InBoth, true, Frame::Hidden, u"输入 ", u"" },
        { u"0021", Known::InBoth, true, Frame::Hidden, u"输入 ", u"" },
        { u"0025", Known::InPracticeOnly, true, Frame::Hidden, u"输入 ", u"" },
        { u"0027", Known::InBoth, true, Frame::Hidden, u"输入 ", u"" },
        { u"0022", Known::InBoth, true, Frame::FollowsHint, u"输入 ",
            u" 并按回车键或点红色方框处" },
        { u"0024", Known::InBoth, true, Frame::Hidden, u"输入 ", u" 并按回车键" },
        { u"0023", Known::InBoth, true, Frame::Hidden, u"请选中 ", u"" },
        { u"0026", Known::InBoth, true, Frame::FollowsHint, u"输入 ", u" 并点击红色方框处" },
        { u"0028", Known::InDemonstrationOnly, true, Frame::FollowsHint, u"在单元格或编辑栏中输入 ",
            u" 并按回车键或点编辑区或点“√”" },
    };
    // Any other code beginning "002", and a code the window does not know.
    constexpr Prompt kOtherCode { nullptr, Known::InBoth, false, Frame::Hidden, u"", u"" };
    const QString kDemoCellEntry = QStringLiteral("0028"); // shows the edit bar Text4
    struct Rect {
        double left, top, width, height;
    };
    constexpr Rect kEditBar { 2880, 1560, 8865, 225 };
    constexpr double kEditBarPoints = 11;

    const Prompt& promptOf(const QString& code, bool demonstration)
    {
        const Known other = demonstration ? Known::InPracticeOnly : Known::InDemonstrationOnly;
        for (const Prompt& p : kPrompts)
            if (p.known != other && code == QString::fromUtf16(p.code))
                return p;
        return kOtherCode;
    }
}

void StepEngine::textBoxStage()
{
    const shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    StepControls c = window_.stepControls();
    StepFields& f = window_.stepFields();
    const bool practice = !window_.demonstration();

    f.DragTargetX = r.number(field::DragTargetX);
    f.DragTargetY = r.number(field::DragTargetY);

    plat::TextBox& t = *c.Text1;
    if (plat::val(r.text(field::TextBox)) == 0) {
        // No field: the hidden one keeps its rectangle, text and format.
        t.setVisible(false);
        c.Text2->setVisible(false);
        return;
    }
    t.setVisible(true);
    t.move(r.number(field::TextLeft) * st.ScaleX, r.number(field::TextTop) * st.ScaleY,
        r.number(field::TextWidth) * st.ScaleX, r.number(field::TextHeight) * st.ScaleY);

    QString preset;
    const QString presetField = r.text(field::PresetLine);
    if (presetField != kNoAnswerLine) {
        const QString line = answerLineFor(presetField);
        if (!practice)
            f.DemoTypedText = line;
        preset = lineText(alternatives(line).first);
    }
    t.setText(preset); // raises Text1's check, which may find the step solved already

    t.setFocus().ignore(); // refused while the window is not shown
    if (practice) {
        t.setSelStart(0); // typing replaces the preset
        t.setSelLength(static_cast<int>(t.text().size()));
    } else {
        t.setSelStart(static_cast<int>(t.text().size()));
        t.setSelLength(0);
    }
    plat::FontSpec font = t.font();
    font.size = kTextPoints * st.ScaleX;
    t.setFont(font);

    textFormat(t, r.text(field::TextFormat));
}

void StepEngine::textFormat(plat::TextBox& t, const QString& code)
{
    const double scaleX = sys_.state.ScaleX;
    const QChar align = plat::mid(code, 5, 1).isEmpty() ? QChar() : code[4];
    int alignment = 0;
    if (align == u'R' || align == u'r')
        alignment = 1;
    if (align == u'M' || align == u'm')
        alignment = 2;
    t.setAlignment(alignment);

    plat::FontSpec font = t.font();
    double points = plat::val(plat::mid(code, 2, 3)) / 10;
    // A negative size ("-50") is no font size: the field keeps the size it was just given
    // instead of shrinking its text to nothing.
    if (points <= 0)
        points = kTextPoints;
    font.size = points * scaleX;
    if (const int s = digitAt(code, 7); s >= 0 && s < static_cast<int>(kStyles.size())) {
        font.bold = kStyles[s].bold;
        font.italic = kStyles[s].italic;
        font.underline = kStyles[s].underline;
    }
    if (const int face = digitAt(code, 8); face >= 0 && face < static_cast<int>(kFaces.size()))
        font.name = kFaces[face];
    t.setFont(font);

    const int fore = digitAt(code, 9);
    if (fore == 3 && window_.demonstration())
        t.setForeColor(kDemoForeColour3);
    else if (fore >= 0 && fore < 10 && kForeColours[fore])
        t.setForeColor(*kForeColours[fore]);
    if (const int back = digitAt(code, 10); back >= 0 && back < 10)
        t.setBackColor(kBackColours[back]);
}

void StepEngine::extraTextFieldsStage(const QString& actionCode)
{
    StepControls c = window_.stepControls();
    plat::TextBox& t = *c.Text1;

    if (actionCode == QStringLiteral("0021")) {
        plat::TextBox& second = *c.Text2;
        second.setText(t.text()); // raises Text2's check
        second.move(t.left(), t.top(), t.width(), t.height());
        second.setVisible(true);
        t.setVisible(false);
    } else {
        c.Text2->setVisible(false);
    }

    if (!c.Text3)
        return; // the demonstration has no third field
    plat::TextBox& third = *c.Text3;
    if (actionCode == QStringLiteral("0027")) {
        c.Shape1->setVisible(false);
        third.setText(t.text()); // raises Text3's check
        third.move(t.left(), t.top(), t.width(), t.height());
        plat::FontSpec font = third.font();
        font.size = t.font().size;
        font.name = t.font().name;
        font.bold = t.font().bold; // italic, underline and alignment stay the field's own
        third.setFont(font);
        third.setForeColor(t.foreColor());
        third.setBackColor(t.backColor());
        third.setVisible(true);
        t.setVisible(false);
    } else {
        third.setVisible(false);
    }
}

void StepEngine::textPromptsStage(const QString& actionCode)
{
    const shell::AppState& st = sys_.state;
    StepControls c = window_.stepControls();
    const bool demo = window_.demonstration();
    if (demo) {
        const bool cellEntry = actionCode == kDemoCellEntry;
        if (cellEntry) {
            plat::TextBox& bar = *c.Text4;
            bar.move(kEditBar.left * st.ScaleX, kEditBar.top * st.ScaleY,
                kEditBar.width * st.ScaleX, kEditBar.height * st.ScaleY);
            plat::FontSpec font = bar.font();
            font.size = kEditBarPoints * st.ScaleX;
            bar.setFont(font);
        }
        c.Text4->setVisible(cellEntry);
    }
    if (!actionCode.startsWith(QStringLiteral("002")))
        return;

    plat::Label& hint = *c.LHelp;
    c.Shape1->setVisible(false);
    QString caption = hint.caption();
    if (demo)
        window_.stepFields().DemoTypedText = caption;
    caption.replace(u'|', QStringLiteral("或  "));

    const Prompt& p = promptOf(actionCode, demo);
    if (p.clearSelection)
        c.Text1->setSelLength(0);
    c.Shape1->setVisible(p.frame == Frame::FollowsHint && hint.visible());
    hint.setCaption(QString::fromUtf16(p.before) + caption + QString::fromUtf16(p.after));
}

void StepEngine::hintStage()
{
    const shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    StepControls c = window_.stepControls();
    plat::Label& hint = *c.LHelp;

    if (r.text(field::HintPlace) != kNoHint) {
        hint.setLeft(r.number(field::HintLeft) * st.ScaleX);
        hint.setTop(r.number(field::HintTop) * st.ScaleY);
        const QString lineField = r.text(field::HintLine);
        if (lineField == kNoAnswerLine) {
            hint.setCaption(QString()); // the saved hint stays for the tab strip
        } else {
            const QString text = lineText(answerLineFor(lineField));
            hint.setCaption(text);
            window_.stepFields().SavedHint = text;
        }
    }
    const bool on = st.panelMode() == shell::PanelMode::Hints;
    for (plat::Control* shown :
        std::initializer_list<plat::Control*> { &hint, c.Shape1, c.Shape2, c.Shape4 })
        shown->setVisible(on);
}

void StepEngine::hintFrameStage()
{
    StepControls c = window_.stepControls();
    c.Shape2->setVisible(c.LHelp->visible());
}

} // namespace stepengine
