#include "steprecord.h"

#include <stdexcept>

namespace samplegen {

namespace {
    int toTwips(int px) { return px * 15; }

} // namespace

MenuPath menuPathOf(const QString& descriptor)
{
    return { descriptor.mid(1, 2).toInt(), descriptor.mid(3, 2).toInt(),
        descriptor.mid(5, 2).toInt() };
}

QString describe(const Field& field)
{
    return QStringLiteral("characters %1-%2").arg(field.pos).arg(field.pos + field.len - 1);
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, QChar('0')).right(2);
}

StepRecord::StepRecord()
    : line_(kStepRecordLength, QChar('0'))
{
    set(fields::PanelCode, "AB");
    set(fields::ActionCode, "0001");
    set(fields::Background, kKeepPicture);
    for (const auto& group : kImageGroups)
        set(group.name, kHidePicture);
}

StepRecord::StepRecord(const QString& line)
    : line_(line)
{
}

void StepRecord::set(const Field& field, const QString& value)
{
    if (value.size() != field.len)
        throw std::runtime_error(describe(field).toStdString() + " take "
            + std::to_string(field.len) + ", got \"" + value.toStdString() + "\"");
    line_.replace(field.pos - 1, field.len, value);
}

void StepRecord::setNumber(const Field& field, int value)
{
    const QString digits = QString::number(value).rightJustified(field.len, QChar('0'));
    if (value < 0 || digits.size() != field.len)
        throw std::runtime_error(
            "value " + std::to_string(value) + " does not fit " + describe(field).toStdString());
    set(field, digits);
}

QString StepRecord::get(const Field& field) const { return line_.mid(field.pos - 1, field.len); }

int StepRecord::number(const Field& field) const
{
    const QString value = get(field);
    if (value.isEmpty())
        return -1;
    int result = 0;
    for (const QChar c : value) {
        if (c < u'0' || c > u'9')
            return -1;
        result = result * 10 + c.digitValue();
    }
    return result;
}

StepRecord& StepRecord::action(const QString& code)
{
    set(fields::ActionCode, code);
    return *this;
}

StepRecord& StepRecord::background(const QString& picture)
{
    set(fields::Background, picture);
    return *this;
}

StepRecord& StepRecord::image(int index, const QString& picture, QPoint posPx, QChar next)
{
    const auto& group = kImageGroups.at(static_cast<size_t>(index - 1));
    setNumber(group.left, toTwips(posPx.x()));
    set(group.next, QString(next));
    setNumber(group.top, toTwips(posPx.y()));
    set(group.name, picture);
    return *this;
}

StepRecord& StepRecord::hideImage(int index)
{
    const auto& group = kImageGroups.at(static_cast<size_t>(index - 1));
    set(group.name, kHidePicture);
    return *this;
}

StepRecord& StepRecord::target(const QRect& rectPx, QChar next)
{
    setNumber(fields::TargetLeft, toTwips(rectPx.x()));
    set(fields::TargetNext, QString(next));
    setNumber(fields::TargetTop, toTwips(rectPx.y()));
    setNumber(fields::TargetWidth, toTwips(rectPx.width()));
    setNumber(fields::TargetHeight, toTwips(rectPx.height()));
    return *this;
}

StepRecord& StepRecord::textBox(const QRect& rectPx)
{
    setNumber(fields::TextLeft, toTwips(rectPx.x()));
    set(fields::TextGap, "0");
    setNumber(fields::TextTop, toTwips(rectPx.y()));
    setNumber(fields::TextWidth, toTwips(rectPx.width()));
    setNumber(fields::TextHeight, toTwips(rectPx.height()));
    return *this;
}

StepRecord& StepRecord::cursor(const QString& pointer)
{
    set(fields::CursorSpec, pointer);
    return *this;
}

StepRecord& StepRecord::hint(QPoint posPx, int line)
{
    setNumber(fields::HintLeft, toTwips(posPx.x()));
    setNumber(fields::HintTop, toTwips(posPx.y()));
    setNumber(fields::HintLine, line);
    return *this;
}

StepRecord& StepRecord::answer(int line)
{
    setNumber(fields::AnswerLine, line);
    return *this;
}

StepRecord& StepRecord::preset(int line)
{
    setNumber(fields::PresetLine, line);
    return *this;
}

StepRecord& StepRecord::descriptor(const Field& slot, const QString& descriptor)
{
    set(slot, descriptor);
    return *this;
}

StepRecord& StepRecord::textFormat(const QString& code)
{
    set(fields::TextFormat, code);
    return *this;
}

StepRecord& StepRecord::toolOverlay(int hotspot, int look)
{
    set(fields::DragTargetY, "A" + twoDigits(hotspot) + twoDigits(look));
    return *this;
}

StepRecord& StepRecord::secondArea(const QRect& rectPx, QChar next)
{
    setNumber(fields::Area2Left, toTwips(rectPx.x()));
    set(fields::Area2Next, QString(next));
    setNumber(fields::Area2Top, toTwips(rectPx.y()));
    setNumber(fields::Area2Width, toTwips(rectPx.width()));
    setNumber(fields::Area2Height, toTwips(rectPx.height()));
    return *this;
}

StepRecord& StepRecord::dragTarget(QPoint posPx)
{
    setNumber(fields::DragTargetX, toTwips(posPx.x()));
    setNumber(fields::DragTargetY, toTwips(posPx.y()));
    return *this;
}

StepRecord& StepRecord::backButton(int steps, QPoint posPx)
{
    set(fields::BackCode, "Q000" + QString::number(steps));
    return dragTarget(posPx);
}

StepRecord& StepRecord::tabStep(QChar dialog, int shown, int toClick, int hostImage)
{
    auto tab = [](int n) { return n < 10 ? QChar('0' + n) : QChar('A' + n - 10); };
    set(fields::TabCode,
        QString("X") + dialog + tab(shown) + tab(toClick) + QChar('0' + hostImage));
    return *this;
}

QString hotspotPath(int hotspot, QChar next) { return "H" + twoDigits(hotspot) + "000000" + next; }

QString menuPath(int hotspot, int item, QChar next)
{
    return "H" + twoDigits(hotspot) + twoDigits(item) + "0000" + next;
}

QString subMenuPath(int hotspot, int item, int sub, QChar next)
{
    return "H" + twoDigits(hotspot) + twoDigits(item) + twoDigits(sub) + "00" + next;
}

} // namespace samplegen
