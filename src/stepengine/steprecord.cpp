#include "stepengine/steprecord.h"

#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace stepengine {

int16_t readInt16(const QString& field)
{
    const double v = plat::val(field);
    if (std::isnan(v))
        return 0;
    const auto r = plat::toInt16(v);
    if (r.ok())
        return r.value();
    return v < 0 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
}

ActionKind actionKindOf(const QString& code)
{
    struct Exact {
        const char* code;
        ActionKind kind;
    };
    static constexpr Exact exact[] = {
        { "0001", ActionKind::LeftClick },
        { "0002", ActionKind::DoubleClick },
        { "0003", ActionKind::RightClick },
        { "0004", ActionKind::Click },
        { "0030", ActionKind::Hover },
        { "7000", ActionKind::HotspotPath },
        { "8888", ActionKind::Timed },
        { "9999", ActionKind::EndOfQuestion },
    };
    for (const Exact& e : exact)
        if (code == QLatin1String(e.code))
            return e.kind;
    if (code.size() != 4)
        return ActionKind::Unknown;
    const QString tail = code.mid(1);
    const bool digits = tail.size() == 3
        && std::all_of(tail.begin(), tail.end(), [](QChar c) { return c.isDigit(); });
    if (code[0] == u'K' && digits)
        return ActionKind::Location;
    if (code[0] == u'L' && digits)
        return ActionKind::List;
    if (!digits || !code[0].isDigit())
        return ActionKind::Unknown;
    if (code.startsWith(QLatin1String("002")) && code[3] <= u'8')
        return ActionKind::Text;
    if (code.startsWith(QLatin1String("004")))
        return ActionKind::RubberBand;
    if (code.startsWith(QLatin1String("005")))
        return ActionKind::DragArea;
    if (code >= QLatin1String("8001") && code <= QLatin1String("8009"))
        return ActionKind::DragHandle;
    const int n = code.toInt();
    if (isContextMenuStep(n))
        return ActionKind::ContextMenu;
    if (n >= 6001 && n <= 6999)
        return ActionKind::Key;
    if (n >= 9000 && n <= 9998)
        return ActionKind::ButtonClick;
    return ActionKind::Unknown;
}

ActionDescriptor ActionDescriptor::parse(const QString& text)
{
    ActionDescriptor d;
    if (text.isEmpty())
        return d;
    d.kind = text[0];
    d.itemsText = plat::mid(text, 4, 4);
    if (d.kind == u'H' || d.kind == u'D') {
        d.hotspot = readInt16(plat::mid(text, 2, 2));
        d.item = readInt16(plat::mid(text, 4, 2));
    }
    if (d.kind == u'H') {
        d.subItem = readInt16(plat::mid(text, 6, 2));
        const QString next = plat::mid(text, 10, 1);
        d.next = next.isEmpty() ? QChar() : next[0];
    }
    if (d.kind == u'D')
        d.pictureStem = plat::mid(text, 7, 4);
    if (d.kind == u'R') {
        d.contextFamily6 = plat::mid(text, 2, 1) == QStringLiteral("A");
        d.menuCode = d.contextFamily6 ? 6000 + readInt16(plat::mid(text, 3, 3))
                                      : readInt16(plat::mid(text, 2, 4));
    }
    return d;
}

PanelCode panelCodeOf(const QString& code)
{
    struct Row {
        char digit;
        bool menu, tool, toolbox;
    };
    static constexpr Row rows[] = {
        { '1', true, false, false },
        { '2', false, true, false },
        { '3', true, true, false },
        { '4', false, false, true },
        { '5', true, false, true },
        { '6', false, true, true },
        { '7', true, true, true },
        { '8', false, false, true },
        { '9', true, false, true },
        { 'A', false, true, true },
        { 'B', true, true, true },
    };
    PanelCode p;
    if (code.size() < 2 || code[0] < u'A' || code[0] > u'E')
        return p;
    p.any = true;
    for (const Row& r : rows)
        if (code[1] == QLatin1Char(r.digit)) {
            p.menu = r.menu;
            p.tool = r.tool;
            p.toolbox = r.toolbox;
            p.toolboxColumns = twoColumnToolbox(code[1]) ? 2 : 1;
        }
    return p;
}

bool twoColumnToolbox(QChar d) { return d == u'8' || d == u'9' || d == u'A' || d == u'B'; }

bool twoColumnToolboxOf(const QString& stepLine)
{
    return twoColumnToolbox(StepRecord(stepLine).at(field::PanelCode.pos + 1));
}

HotspotPanel panelOfHotspot(int hotspot)
{
    if (hotspot >= kFirstToolboxHotspot)
        return HotspotPanel::Toolbox;
    if (hotspot >= kFirstOptionsHotspot)
        return HotspotPanel::OptionsBar;
    return HotspotPanel::MenuBar;
}

PointerCode PointerCode::parse(const QString& code)
{
    PointerCode p;
    const QString number = plat::mid(code, 4, 2);
    p.cursorFile = QStringLiteral("ico") + number + QStringLiteral(".CUR");
    if (code.startsWith(u'S')) {
        p.kind = Kind::Standard;
        p.standard = readInt16(number);
    } else if (code.startsWith(u'M')) {
        p.kind = Kind::Custom;
    }
    return p;
}

PointerCode PointerCode::forDrag() const
{
    PointerCode p = *this;
    if (p.kind == Kind::Default)
        p.kind = Kind::Custom;
    return p;
}

namespace {
    constexpr int kFirstContextMenuCode = 3000;
    constexpr int kLastContextMenuCode = 6000;
}

bool isContextMenuStep(int actionCode)
{
    return actionCode >= kFirstContextMenuCode && actionCode <= kLastContextMenuCode;
}

bool isContextMenuCode(int menuCode)
{
    const int family = menuCode / 1000; // not MenuCode::of: 13000 is no family-3 code
    return family >= 3 && family <= 6;
}

bool opensContextMenuOnOptionsBar(int actionCode)
{
    return actionCode > kFirstContextMenuCode && actionCode < kLastContextMenuCode;
}

MenuCode MenuCode::of(int code)
{
    return { code / 1000 % 10, code / 100 % 10, code / 10 % 10, code % 10 };
}

QString StepRecord::text(Field f) const { return plat::mid(line_, f.pos, f.len); }

QChar StepRecord::at(int pos) const
{
    return pos >= 1 && pos <= line_.size() ? line_[pos - 1] : QChar();
}

QString StepRecord::imageNext(int image) const
{
    if (image < 1 || image > static_cast<int>(kImageGroups.size()))
        return {};
    return text(kImageGroups[image - 1].next);
}

QString stepFileName(int studyMode, int setNo)
{
    return QStringLiteral("2888") + plat::twoDigits(studyMode + setNo);
}

QString questionFileName(int studyMode, int setNo)
{
    return QStringLiteral("2888") + plat::twoDigits(studyMode + setNo + 50);
}

int stepLineNumber(int firstLine, int step) { return firstLine + step - 1; }

int stepCountOfQuestionLine(const QString& questionLine)
{
    int count = 0;
    for (const QChar c : plat::mid(questionLine, 5, 2)) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            break;
        count = count * 10 + (c.unicode() - u'0');
    }
    return count;
}

int questionStepCount(int firstLine, int nextFirstLine, const QString& questionLine)
{
    if (firstLine >= 1 && nextFirstLine > firstLine)
        return nextFirstLine - firstLine;
    return stepCountOfQuestionLine(questionLine);
}

std::optional<int16_t> stepOfNextCode(const QString& code)
{
    if (code.size() != 1)
        return std::nullopt;
    const QChar c = code[0];
    if (c >= u'1' && c <= u'9')
        return static_cast<int16_t>(c.unicode() - u'0');
    if (c >= u'A' && c <= u'Z')
        return static_cast<int16_t>(c.unicode() - u'A' + 10);
    return std::nullopt;
}

} // namespace stepengine
