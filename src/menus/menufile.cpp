#include "menus/menufile.h"

#include "platform/text.h"

#include <algorithm>

namespace menus {

namespace {
    // Family digits 3..6 are families 1..4 of the file; anything else is family 0.
    int familyNumber(int familyDigit)
    {
        return familyDigit >= 3 && familyDigit <= 6 ? familyDigit - 2 : 0;
    }

    // Lines before the block; a negative start reads from the first line.
    int linesBefore(int familyDigit, int menuDigit)
    {
        const int s
            = (familyNumber(familyDigit) - 1) * kFamilyLines + (menuDigit - 1) * kBlockLines;
        return std::max(s, 0);
    }

    const QString kAbsent = QStringLiteral("0");
}

LineRange blockLines(int familyDigit, int menuDigit)
{
    const int s = linesBefore(familyDigit, menuDigit);
    return { s + 1, s + kBlockLines };
}

QStringList splitItems(const QString& line)
{
    QStringList tokens;
    qsizetype from = 0;
    while (tokens.size() < kMaxItems) {
        const qsizetype bar = line.indexOf(u'|', from);
        if (bar < 0) {
            tokens << line.mid(from);
            break;
        }
        tokens << line.mid(from, bar - from);
        from = bar + 1;
    }
    return tokens;
}

bool ContextMenu::hasVisibleEntry() const
{
    return std::any_of(
        entries.begin(), entries.end(), [](const MenuEntry& e) { return e.visible; });
}

ContextMenu menuOfBlock(const QStringList& block)
{
    const auto line = [&](int n) { return n <= block.size() ? block[n - 1] : QString(); };
    ContextMenu menu;
    for (int g = 0; g < kEntries; ++g) {
        const EntryLines& where = kEntryLines[g];
        MenuEntry& e = menu.entries[g];
        e.cascade = where.captionLine != 0;
        // Only the caption of a cascade entry, or the line of an item group, can say "absent";
        // a submenu's item line "0" is one item captioned "0".
        const QString& head = e.cascade ? line(where.captionLine) : line(where.itemLine);
        if (head == kAbsent)
            continue;
        e.visible = true;
        if (e.cascade)
            e.caption = head;
        e.items = splitItems(line(where.itemLine));
    }
    return menu;
}

plat::Result<ContextMenu> readContextMenu(const QString& menuFile, int familyDigit, int menuDigit)
{
    auto lines = plat::readLines(menuFile);
    if (!lines.ok())
        return lines.error();
    const QStringList& all = lines.value();
    const int before = linesBefore(familyDigit, menuDigit);
    if (all.size() <= before)
        return plat::Error { plat::err::InputPastEndOfFile,
            QStringLiteral("%1 ends at line %2 before menu %3%4 (line %5)")
                .arg(menuFile)
                .arg(all.size())
                .arg(familyDigit)
                .arg(menuDigit)
                .arg(before + 1) };
    return menuOfBlock(all.mid(before, kBlockLines));
}

int menuCodeOfStep(const stepengine::StepRecord& step)
{
    const auto d = step.descriptor(stepengine::field::MenuOfDescriptor);
    if (d.kind == u'R')
        return d.menuCode;
    return stepengine::readInt16(step.actionCode());
}

bool choiceMatches(int menuCode, int menuNo, int position, int index)
{
    return index == menuCode % 10 && menuNo == menuCode / 100 % 10
        && position == menuCode / 10 % 10;
}

} // namespace menus
