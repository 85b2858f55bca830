// Field-by-field check of everything the generator writes; the build fails on the first fault.
#include "chrome.h"
#include "drawing.h"
#include "module.h"
#include "questions.h"
#include "steprecord.h"
#include "textfiles.h"

#include "platform/text.h"
#include "stepengine/stepengine.h"

#include <QFontMetrics>
#include <QImage>
#include <QSet>

#include <map>
#include <optional>

#include <stdexcept>

namespace samplegen {

namespace {

    [[noreturn]] void fail(const QString& where, const QString& what)
    {
        throw std::runtime_error((where + ": " + what).toStdString());
    }

    QStringList readLines(const ModuleFiles& m, const QString& path)
    {
        const auto found = m.files.find(path);
        if (found == m.files.end())
            fail(path, "missing");
        const QString text = plat::decodeGbk(found->second);
        if (text.contains(QChar::ReplacementCharacter))
            fail(path, "not code page 936 text");
        if (!text.isEmpty() && !text.endsWith("\r\n"))
            fail(path, "last line does not end with CR LF");
        QStringList lines = text.split("\r\n");
        lines.removeLast();
        for (const QString& line : lines)
            if (line.contains('\n') || line.contains('\r'))
                fail(path, "bare line break inside a line");
        return lines;
    }

    bool allDigits(const QString& s)
    {
        if (s.isEmpty())
            return false;
        for (const QChar c : s)
            if (c < u'0' || c > u'9')
                return false;
        return true;
    }

    bool validActionCode(const QString& code)
    {
        static const QSet<QString> plain { "0001", "0002", "0003", "0004", "0020", "0021", "0022",
            "0023", "0024", "0025", "0026", "0027", "0028", "0030", "7000", "8888", "9999" };
        if (plain.contains(code))
            return true;
        if (code.size() != 4)
            return false;
        if ((code[0] == u'K' || code[0] == u'L') && allDigits(code.mid(1)))
            return true;
        if (!allDigits(code))
            return false;
        const int n = code.toInt();
        return (code.startsWith("004") || code.startsWith("005")) || (n >= 3000 && n <= 6000)
            || (n >= 6001 && n <= 6999) || (n >= 8001 && n <= 8009) || (n >= 9000 && n <= 9998);
    }

    // Step a NextStepCode names (0 = none), or -1 when the character is no code.
    int nextStep(QChar c)
    {
        if (c >= u'0' && c <= u'9')
            return c.digitValue();
        if (c >= u'A' && c <= u'Z')
            return c.unicode() - 'A' + 10;
        return -1;
    }

    struct Context {
        const ModuleFiles& m;
        int answerCount;
        QStringList answers;
        QString where;
        int stepCount;
        int step; // this step's number, from 1
        const QStringList& menuFile;
        std::vector<QRect> dialogButtons; // of the dialogs on screen at this step

        bool hasData(const QString& name) const
        {
            return m.files.count(m.dataFolder + "/" + name + ".mxy") != 0;
        }
        bool hasExam(const QString& name) const
        {
            return m.files.count("examdata/" + name + ".mxy") != 0;
        }
    };

    void checkLine(const Context& c, const StepRecord& r, const Field& f, bool zeroAllowed = true)
    {
        const QString v = r.get(f);
        if (!allDigits(v))
            fail(c.where, QString("%1 is not a number: \"%2\"").arg(describe(f), v));
        const int n = v.toInt();
        if (n == 0 && !zeroAllowed)
            fail(c.where, QString("%1 names no answer line").arg(describe(f)));
        if (n > c.answerCount)
            fail(c.where,
                QString("%1 names line %2 of %3").arg(describe(f)).arg(n).arg(c.answerCount));
    }

    void checkNumber(const Context& c, const StepRecord& r, const Field& f, int limit = 32767)
    {
        const QString v = r.get(f);
        if (!allDigits(v))
            fail(c.where, QString("%1 is not a number: \"%2\"").arg(describe(f), v));
        if (v.toInt() > limit)
            fail(c.where, QString("%1 = %2 is out of range").arg(describe(f), v));
    }

    void checkPicture(const Context& c, const QString& name, const QString& field)
    {
        if (name == kHidePicture || name == kKeepPicture)
            return;
        if (!c.hasData(name))
            fail(c.where, QString("%1 names a missing picture \"%2\"").arg(field, name));
    }

    // A NextStepCode that leads somewhere: "0" (the next step) or another step of the question.
    void checkJump(const Context& c, QChar next, const QString& what)
    {
        const int step = nextStep(next);
        if (step < 0 || step > c.stepCount)
            fail(c.where, QString("%1 \"%2\" names no step of the question").arg(what, next));
        if (step == c.step)
            fail(c.where, QString("%1 jumps to its own step").arg(what));
    }

    // An "H" path: hotspot, first-level item, second-level item.
    void checkPath(const Context& c, const QString& d)
    {
        const auto [hotspot, item, sub] = menuPathOf(d);
        if (!allDigits(d.mid(1, 8)) || hotspot < 1 || hotspot > 67
            || (hotspot >= 38 && hotspot <= 40))
            fail(c.where, "descriptor names no hotspot: \"" + d + "\"");
        checkJump(c, d[9], "descriptor");
        if (!c.hasExam(twoDigits(hotspot) + "0099"))
            fail(c.where, "no pressed picture for hotspot " + QString::number(hotspot));
        if (item == 0) {
            if (sub != 0)
                fail(c.where, "descriptor names a second-level item without a first: " + d);
            return;
        }
        if (!hasDropDown(hotspot) || item > dropDownItemCount(hotspot))
            fail(c.where, "descriptor names a missing menu item: \"" + d + "\"");
        const QString key = twoDigits(hotspot) + twoDigits(item);
        if (!c.hasExam(twoDigits(hotspot) + "0077") || !c.hasExam(key + "00"))
            fail(c.where, "drop-down pictures missing for \"" + d + "\"");
        if (sub == 0)
            return;
        if (!opensSecondLevel(hotspot, item) || !secondLevel(hotspot, item))
            fail(c.where, "item " + key + " opens no second-level drop-down: \"" + d + "\"");
        if (sub > secondLevelItemCount(hotspot, item))
            fail(c.where, "descriptor names a missing second-level item: \"" + d + "\"");
        if (!c.hasExam(key + "77") || !c.hasExam(key + twoDigits(sub)))
            fail(c.where, "second-level pictures missing for \"" + d + "\"");
    }

    // An item-picture descriptor: hotspot, item and the four characters that name the item's
    // background (+ "77") and highlight (+ "00"). A path of the same step must name the same
    // item, for the demonstration replays the path.
    void checkItemPicture(const Context& c, const StepRecord& r, const QString& d)
    {
        const int hotspot = d.mid(1, 2).toInt(), item = d.mid(3, 2).toInt();
        const QString code = d.mid(6, 4);
        if (!allDigits(d.mid(1, 4)) || !hasDropDown(hotspot) || item < 1
            || item > dropDownItemCount(hotspot))
            fail(c.where, "item-picture descriptor names no menu item: \"" + d + "\"");
        if (!code.startsWith("77") || !allDigits(code))
            fail(c.where, "item-picture descriptor does not name a \"77\" picture: " + d);
        if (!c.hasExam(code + "77") || !c.hasExam(code + "00"))
            fail(c.where, "item pictures missing for \"" + d + "\"");
        const QString path = "H" + d.mid(1, 4) + "00";
        if (r.get(fields::Descriptor1).left(7) != path
            && r.get(fields::Descriptor3).left(7) != path)
            fail(c.where, "no path of the step names the item of \"" + d + "\"");
    }

    // A key field: "P" and a key number 6SKK whose key and modifiers the key check knows.
    void checkKeyField(const Context& c, const QString& field, int where)
    {
        const KeyPress key = keyOfCode(field.mid(1), where);
        if (field[0] != u'P' || key.keyCode == 0)
            fail(c.where, "key field \"" + field + "\" is not P and a key number 6SKK");
        if (!inShortcutTable(key.keyCode, key.mask))
            fail(c.where,
                QString("key field \"%1\" at %2 asks for key %3 with modifiers %4, "
                        "which the shortcut table does not hold")
                    .arg(field)
                    .arg(where)
                    .arg(key.keyCode)
                    .arg(key.mask));
    }

    // A shortcut as the drop-downs and hints print it ("Alt+Shift+Ctrl+O", "Shift+F5",
    // "Ctrl++"), read as the key check reads keys: its digits, plus and minus are those of the
    // numeric keypad. Nothing for an empty text; key code 0 for a text that names no key.
    std::optional<KeyPress> readShortcut(const QString& shown)
    {
        if (shown.isEmpty())
            return std::nullopt;
        QString rest = shown;
        KeyPress k;
        const std::pair<const char*, int> modifiers[]
            = { { "Alt+", 4 }, { "Shift+", 1 }, { "Ctrl+", 2 } };
        for (bool more = true; more;) {
            more = false;
            for (const auto& [prefix, bit] : modifiers) {
                const QString p = QString::fromLatin1(prefix);
                if (rest.startsWith(p) && rest.size() > p.size()) {
                    k.mask |= bit;
                    rest = rest.mid(p.size());
                    more = true;
                }
            }
        }
        static const std::map<QString, int> named { { "+", 107 }, { "-", 109 }, { "0", 96 },
            { "1", 97 }, { ";", 186 }, { "[", 219 }, { "]", 221 }, { "'", 222 } };
        const int function = rest.startsWith(u'F') ? rest.mid(1).toInt() : 0;
        if (const auto found = named.find(rest); found != named.end())
            k.keyCode = found->second;
        else if (rest.size() == 1 && rest[0] >= u'A' && rest[0] <= u'Z')
            k.keyCode = rest[0].unicode();
        else if (function >= 1 && function <= 12)
            k.keyCode = 111 + function;
        return k;
    }

    QString keyText(const std::optional<KeyPress>& k)
    {
        return k ? QString("key %1 with modifiers %2").arg(k->keyCode).arg(k->mask)
                 : QString("no key");
    }

    bool sameKey(const std::optional<KeyPress>& a, const std::optional<KeyPress>& b)
    {
        return a.has_value() == b.has_value()
            && (!a || (a->keyCode == b->keyCode && a->mask == b->mask));
    }

    // One drop-down entry against the key check's table. Menu entries show exactly the
    // shortcut the table gives their path; a flyout entry may show its tool's key, which the
    // table gives the tool (item 00) and which its entries share.
    void checkShownShortcut(
        const QString& where, const QString& itemText, std::optional<KeyPress> table, bool flyout)
    {
        const QString shown = itemText.section(u'\t', 1);
        const auto printed = readShortcut(shown);
        if (printed && printed->keyCode == 0)
            fail(where, "shows \"" + shown + "\", which names no key");
        if (printed && !sameKey(printed, table))
            fail(where,
                "shows " + shown + " but the key check's table gives its path " + keyText(table));
        if (!printed && table && !flyout)
            fail(where,
                "lacks the shortcut the key check's table gives its path, " + keyText(table));
    }

    // The words of a drop-down entry must fit its row beside its shortcut; a longer text
    // would be cut off in the picture.
    void checkEntryFits(
        const QString& where, const QString& itemText, int rowWidth, int px, int textLeft)
    {
        const int words = QFontMetrics(uiFont(px)).horizontalAdvance(itemText.section(u'\t', 0, 0));
        if (textLeft + words + 6 + keyRoom(itemText.split(u'\t'), px) > rowWidth)
            fail(where, "its words do not fit the drop-down's row");
    }

    void checkMenuShortcuts()
    {
        for (int h = 1; h <= 61; ++h) {
            if (!hasDropDown(h))
                continue;
            const MenuTitle& menu = menuTitle(h);
            const bool flyout = h >= 42;
            for (int i = 1; i <= static_cast<int>(menu.items.size()); ++i) {
                const QString where = QString("drop-down %1 item %2 \"%3\"")
                                          .arg(h)
                                          .arg(i)
                                          .arg(menu.items[i - 1].section(u'\t', 0, 0));
                auto table = shortcutOfPath(h, i, 0);
                if (flyout && !table)
                    table = shortcutOfPath(h, 0, 0);
                checkShownShortcut(where, menu.items[i - 1], table, flyout);
                const QRect row = dropDownItemRect(h, i);
                checkEntryFits(where, menu.items[i - 1], row.width(), flyout ? 12 : 11,
                    flyout ? 12 + row.height() : 22);
                const SecondLevel* level = secondLevel(h, i);
                if (!level)
                    continue;
                for (int sub = 1; sub <= static_cast<int>(level->items.size()); ++sub)
                    checkShownShortcut(where
                            + QString(" entry %1 \"%2\"")
                                  .arg(sub)
                                  .arg(level->items[sub - 1].section(u'\t', 0, 0)),
                        level->items[sub - 1], shortcutOfPath(h, i, sub), false);
                for (int sub = 1; sub <= static_cast<int>(level->items.size()); ++sub)
                    checkEntryFits(where + QString(" entry %1").arg(sub), level->items[sub - 1],
                        secondLevelItemRect(h, i, sub).width(), 11, 22);
            }
        }
    }

    // The words of a menu entry as a hint names them: no shortcut, no trailing dots.
    QString entryWords(const QString& item)
    {
        QString w = item.section(u'\t', 0, 0);
        while (w.endsWith(u'.'))
            w.chop(1);
        return w;
    }

    // A hint that spells the menu path ("图像→调整→色相/饱和度") and the path the step
    // checks must name the same entries, so the drop-down pictures, their numbering and
    // the questions agree. A hint that offers a key ("…，或按 F5") must name the key the
    // step's key code or key field asks for.
    void checkHintWords(const Context& c, const StepRecord& r)
    {
        const int line = r.number(fields::HintLine);
        if (line < 1 || line > c.answers.size())
            return;
        const QString hint = c.answers[line - 1];
        const QString code = r.get(fields::ActionCode);
        const int keyAt = hint.indexOf("按 ");
        if (keyAt >= 0) {
            const QString named = hint.mid(keyAt + 2).section(u' ', 0, 0).section("，", 0, 0);
            std::optional<KeyPress> asked;
            if (code.startsWith(u'6') && code != "6000")
                asked = keyOfCode(code, 0);
            for (const Field* f : { &fields::KeyField86, &fields::KeyField91 })
                if (!asked && r.get(*f).startsWith(u'P'))
                    asked = keyOfCode(r.get(*f).mid(1), f->pos);
            if (!asked && r.get(fields::KeyField96).startsWith(u'P'))
                asked = keyOfCode(r.get(fields::KeyField96).mid(1), 96);
            if (!sameKey(readShortcut(named), asked))
                fail(c.where,
                    "hint names the key " + named + " but the step asks for " + keyText(asked));
        }
        if (!hint.contains(u'→') || code != "7000")
            return;
        QString path;
        for (const Field* f : { &fields::Descriptor1, &fields::Descriptor3 })
            if (path.isEmpty() && r.get(*f).startsWith(u'H'))
                path = r.get(*f);
        const auto [h, item, sub] = menuPathOf(path);
        if (path.isEmpty() || h < 1 || h > 11 || item < 1)
            fail(c.where, "hint \"" + hint + "\" spells a menu path the step does not check");
        QStringList expected { menuTitle(h).title.section(u'(', 0, 0),
            entryWords(menuTitle(h).items.value(item - 1)) };
        if (sub > 0) {
            const SecondLevel* level = secondLevel(h, item);
            expected.append(level ? entryWords(level->items.value(sub - 1)) : QString());
        }
        const QStringList spelt = hint.section("，", 0, 0).split(u'→');
        if (spelt != expected)
            fail(c.where,
                "hint \"" + hint + "\" does not name the entries of path " + path.left(7) + " ("
                    + expected.join(u'→') + ")");
    }

    // Rectangle of tab k (from 1) of a strip, in pixels of its host picture.
    QRect tabRect(const QString& strip, int k)
    {
        const int left = strip.mid(10 * k + 5, 4).toInt();
        const int next = strip.mid(10 * (k + 1) + 5, 4).toInt();
        const int width = next - left < 0 ? 990 : next - left;
        return { left / kTwipsPerPixel, strip.mid(2, 4).toInt() / kTwipsPerPixel,
            width / kTwipsPerPixel, strip.mid(6, 3).toInt() / kTwipsPerPixel };
    }

    QImage pictureOf(const Context& c, const QString& name)
    {
        QImage image;
        image.loadFromData(c.m.files.at(c.m.dataFolder + "/" + name + ".mxy"));
        return image;
    }

    QPoint imagePos(const StepRecord& r, int index)
    {
        const auto& g = kImageGroups.at(static_cast<size_t>(index - 1));
        return { r.number(g.left) / kTwipsPerPixel, r.number(g.top) / kTwipsPerPixel };
    }

    // A tab step: a known dialog letter, tabs that exist, a host image that shows the page
    // the step works on, page pictures for every tab, and the target area on that page.
    void checkTabStep(const Context& c, const StepRecord& r, const QString& tab)
    {
        const QString strip = stepengine::tabStripSpec(tab[1]);
        if (tab[0] != u'X' || strip.isEmpty())
            fail(c.where, "tab step \"" + tab + "\" names no dialog A to N");
        const int tabs = stepengine::tabNumber(strip[1]);
        const int shown = stepengine::tabNumber(tab[2]), toClick = stepengine::tabNumber(tab[3]);
        const int host = tab[4].digitValue();
        if (shown < 1 || shown > tabs || toClick < 1 || toClick > tabs)
            fail(c.where, "tab step \"" + tab + "\" names a tab the dialog does not have");
        if (host < 1 || host > 5)
            fail(c.where, "tab step \"" + tab + "\" names no host image 1 to 5");
        const QString own = r.get(kImageGroups.at(static_cast<size_t>(host - 1)).name);
        if (own == kHidePicture || own == kKeepPicture)
            fail(c.where, "the host image of a tab step shows no picture of its own");
        const QImage page = pictureOf(c, own);
        const QRect hostRect(imagePos(r, host), page.size());
        for (int k = 1; k <= tabs; ++k) {
            const QString name = strip.mid(10 * k - 1, 6);
            if (!c.hasData(name))
                fail(
                    c.where, "page picture " + name + " of tab " + QString::number(k) + " missing");
            if (pictureOf(c, name).size() != page.size())
                fail(c.where, "page picture " + name + " differs in size from the host picture");
            if (!QRect(QPoint(0, 0), page.size()).contains(tabRect(strip, k)))
                fail(c.where, "tab " + QString::number(k) + " lies outside the host picture");
        }
        const QRect target(r.number(fields::TargetLeft) / kTwipsPerPixel,
            r.number(fields::TargetTop) / kTwipsPerPixel,
            r.number(fields::TargetWidth) / kTwipsPerPixel,
            r.number(fields::TargetHeight) / kTwipsPerPixel);
        if (!hostRect.contains(target))
            fail(c.where, "the target area of a tab step lies outside its dialog");
    }

    // A back button: "Q", three unread characters, the number of steps back; its place is
    // the window position at characters 167-176.
    void checkBackButton(const Context& c, const StepRecord& r)
    {
        const QString code = r.get(fields::BackCode);
        if (code.mid(1, 3) != "000" || !code[4].isDigit())
            fail(c.where, "back code \"" + code + "\" is not Q, 000 and a digit");
        const int back = std::max(1, code[4].digitValue());
        if (back >= c.step)
            fail(c.where, "the back button goes back before the first step");
        checkNumber(c, r, fields::DragTargetX);
        checkNumber(c, r, fields::DragTargetY);
        const QRect button(r.number(fields::DragTargetX) / kTwipsPerPixel,
            r.number(fields::DragTargetY) / kTwipsPerPixel, 1095 / kTwipsPerPixel,
            285 / kTwipsPerPixel);
        if (!QRect(0, 0, kWindowWidth, kWindowHeight).contains(button)
            || button.intersects(kQuestionPanelArea))
            fail(c.where, "the back button lies outside the window or under the question panel");
    }

    void checkRect(const Context& c, const StepRecord& r, const Field& left, const Field& top,
        const Field& width, const Field& height, bool clickable)
    {
        for (const Field* f : { &left, &top, &width, &height })
            checkNumber(c, r, *f);
        const QRect px(r.number(left) / kTwipsPerPixel, r.number(top) / kTwipsPerPixel,
            r.number(width) / kTwipsPerPixel, r.number(height) / kTwipsPerPixel);
        if (px.isEmpty() || px.right() >= kWindowWidth || px.bottom() >= kWindowHeight)
            fail(c.where, QString("%1 area lies outside the window").arg(describe(left)));
        if (clickable && px.intersects(kQuestionPanelArea))
            fail(c.where, QString("%1 area lies under the question panel").arg(describe(left)));
    }

    QStringList alternatives(const QString& text)
    {
        const qsizetype bar = text.indexOf('|');
        if (bar < 0)
            return { text.trimmed().toLower() };
        return { text.left(bar).trimmed().toLower(), text.mid(bar + 1).trimmed().toLower() };
    }

    QRect areaOf(const StepRecord& r, const Field& left, const Field& top, const Field& width,
        const Field& height)
    {
        return { r.number(left) / kTwipsPerPixel, r.number(top) / kTwipsPerPixel,
            r.number(width) / kTwipsPerPixel, r.number(height) / kTwipsPerPixel };
    }

    // Text steps, list steps and location steps show the entry field and read a text format.
    void checkTextBox(const Context& c, const StepRecord& r, bool clickable)
    {
        checkRect(c, r, fields::TextLeft, fields::TextTop, fields::TextWidth, fields::TextHeight,
            clickable);
        if (r.get(fields::TextGap) != "0")
            fail(c.where, "text gap is not 0");
        const QString format = r.get(fields::TextFormat);
        if (!allDigits(format.left(4)) || !allDigits(format.mid(5)))
            fail(c.where, "text format \"" + format + "\" malformed");
    }

    void checkTypedText(const Context& c, const StepRecord& r, const QString& code)
    {
        checkTextBox(c, r, false);
        checkLine(c, r, fields::PresetLine);
        if (code == "0023") {
            checkLine(c, r, fields::HintLine, false);
            return;
        }
        checkLine(c, r, fields::AnswerLine, false);
        // A preset that already matches would solve a live-compared step on load.
        const int preset = r.number(fields::PresetLine);
        if (preset > 0
            && alternatives(c.answers[r.number(fields::AnswerLine) - 1])
                   .contains(c.answers[preset - 1].trimmed().toLower()))
            fail(c.where, "preset text already equals the answer");
    }

    // A list step: the items of one answer line, a preset index and the index to choose.
    void checkList(const Context& c, const StepRecord& r, const QString& code)
    {
        checkTextBox(c, r, true);
        const int line = code.mid(1).toInt();
        if (!allDigits(code.mid(1)) || line < 1 || line > c.answerCount)
            fail(c.where, "list step names no answer line: " + code);
        const int items = static_cast<int>(c.answers[line - 1].split('|').size());
        const int preset = r.number(fields::PresetLine), correct = r.number(fields::AnswerLine);
        if (preset < 0 || correct < 0 || preset >= items || correct >= items)
            fail(c.where,
                QString("list index out of range: preset %1, choice %2 of %3 items")
                    .arg(preset)
                    .arg(correct)
                    .arg(items));
        if (preset == correct)
            fail(c.where, "the preset list item is already the one to choose");
    }

    // A location step: the preset row (0 to 9) and the row to choose (0 to 13) of the
    // location list, which opens 261 by 248 pixels from the entry field's corner.
    void checkLocation(const Context& c, const StepRecord& r, const QString& code)
    {
        checkTextBox(c, r, true);
        const int preset = code.mid(1, 1).toInt(), target = code.mid(2, 2).toInt();
        if (!allDigits(code.mid(1)) || target > 13)
            fail(c.where, "location step names no row: " + code);
        if (preset == target)
            fail(c.where, "the preset location is already the one to choose");
        const QRect open(r.number(fields::TextLeft) / kTwipsPerPixel,
            r.number(fields::TextTop) / kTwipsPerPixel, 261, 248);
        if (!QRect(0, 0, kWindowWidth, kWindowHeight).contains(open)
            || open.intersects(kQuestionPanelArea))
            fail(c.where, "the opened location list leaves the window or meets the question panel");
    }

    // Context-menu steps: the menu code comes from an "R" or "RA" descriptor when there is
    // one, else from the action code; it must address an item of the menu file that can be
    // chosen. The action code's menu, entry and item digits agree with the descriptor's, so
    // the popup and the demonstration open the same entry.
    void checkContextMenu(const Context& c, const StepRecord& r, const QString& code)
    {
        const QString d = r.get(fields::MenuOfDescriptor);
        int menuCode = code.toInt();
        if (d.startsWith("RA")) {
            if (!allDigits(d.mid(2)))
                fail(c.where, "menu descriptor \"" + d + "\" malformed");
            menuCode = 6000 + d.mid(2).toInt();
        } else if (d.startsWith("R")) {
            if (!allDigits(d.mid(1)))
                fail(c.where, "menu descriptor \"" + d + "\" malformed");
            menuCode = d.mid(1).toInt();
        }
        if (menuCode % 1000 != code.toInt() % 1000)
            fail(c.where, "menu descriptor and action code name different entries");
        if (code.toInt() <= 3000 || code.toInt() >= 6000)
            fail(c.where, "context-menu action code out of 3001 to 5999");
        QString why;
        if (menuItemText(c.menuFile, menuCode, &why).isEmpty())
            fail(c.where, QString("menu code %1 %2").arg(menuCode).arg(why));
    }

    void checkCursor(const Context& c, const QString& cursor)
    {
        if (cursor == "00000")
            return;
        if (cursor[0] == u'M' && !c.m.files.count("ico" + cursor.mid(3, 2) + ".CUR"))
            fail(c.where, "cursor file ico" + cursor.mid(3, 2) + ".CUR is missing");
        if (cursor[0] == u'S' && !allDigits(cursor.mid(3, 2)))
            fail(c.where, "standard pointer number malformed");
        if (cursor[0] != u'M' && cursor[0] != u'S')
            fail(c.where, "cursor field \"" + cursor + "\" malformed");
    }

    // Rubber bands (004x) and drags (005x): a second area to start from, the target area to
    // end in, the modifier digit, and the press marker that keeps a plain press on the second
    // area from completing the step. A drop counts only while the drag pointer is set.
    void checkDrag(const Context& c, const StepRecord& r, const QString& code)
    {
        if (code[3].digitValue() > 7)
            fail(c.where, "modifier digit of " + code + " is more than Shift+Ctrl+Alt");
        if (r.get(fields::PressMarker) != "EE")
            fail(c.where, "a press on the second area would complete the step: no press marker");
        if (r.get(fields::Area2Width).toInt() == 0)
            fail(c.where, code + " step without a second area");
        const QString cursor = r.get(fields::CursorSpec);
        if (code.startsWith("005")) {
            if (cursor[0] != u'M' && (cursor[0] != u'S' || cursor.mid(3, 2).toInt() == 0))
                fail(c.where, "a drag with the default pointer can never drop");
            checkJump(c, cursor[1], "drop");
        }
        checkCursor(c, QString(cursor[0]) + "00" + cursor.mid(3));
    }

    // The drag handle: a picture in Image5 and a target the handle can reach in the direction
    // its code moves it.
    void checkHandle(const Context& c, const StepRecord& r, const QString& code)
    {
        const int n = code.toInt();
        if (n < 8001 || n > 8009 || n == 8005)
            fail(c.where, "handle code " + code + " has no rule");
        const auto& g = kImageGroups[4];
        if (r.get(g.name) == kHidePicture)
            fail(c.where, "handle step without a handle picture in Image5");
        checkNumber(c, r, fields::DragTargetX);
        checkNumber(c, r, fields::DragTargetY);
        const QPoint home = imagePos(r, 5);
        const QPoint target(r.number(fields::DragTargetX) / kTwipsPerPixel,
            r.number(fields::DragTargetY) / kTwipsPerPixel);
        if (!QRect(0, 0, kWindowWidth, kWindowHeight).contains(target))
            fail(c.where, "drag target outside the window");
        const int dx = target.x() - home.x(), dy = target.y() - home.y();
        const bool ok = (n == 8001 && dx < 0) || (n == 8002 && dx > 0) || (n == 8003 && dy < 0)
            || (n == 8004 && dy > 0) || (n == 8006 && dy > 0 && dx < 0)
            || (n == 8007 && dy > 0 && dx > 0) || (n == 8008 && dy < 0 && dx < 0)
            || (n == 8009 && dy < 0 && dx > 0);
        if (!ok)
            fail(c.where, "drag target does not lie the way " + code + " moves the handle");
        if (r.get(fields::TargetArea) != QString(20, '0')
            || r.get(fields::Area2Width) + r.get(fields::Area2Height) != QString(10, '0'))
            fail(c.where, "handle step with click areas");
    }

    void checkStep(const Context& c, const StepRecord& r, bool last)
    {
        if (r.text().size() != kStepRecordLength)
            fail(c.where, QString("record is %1 characters, not 212").arg(r.text().size()));
        for (const QChar ch : r.text())
            if (ch.unicode() < 0x21 || ch.unicode() > 0x7e)
                fail(c.where, "record holds a character other than printable ASCII");
        const QString code = r.get(fields::ActionCode);
        const bool drag = code.startsWith("004") || code.startsWith("005");
        if (!allDigits(r.get(fields::StepNumber))
            || (r.get(fields::PressMarker) != "00"
                && !(drag && r.get(fields::PressMarker) == "EE")))
            fail(c.where, "tag or press marker malformed");
        const QString panel = r.get(fields::PanelCode);
        if (!QString("ABCDE").contains(panel[0]) || !QString("123456789AB").contains(panel[1]))
            fail(c.where, "panel code \"" + panel + "\" shows no panel");
        if (!validActionCode(code))
            fail(c.where, "action code \"" + code + "\" is not in the table");
        if ((code == "9999") != last)
            fail(c.where,
                last ? "last step is not the end step 9999" : "end step 9999 before the last step");

        checkPicture(c, r.get(fields::Background), "background");
        for (const auto& g : kImageGroups) {
            const QString name = r.get(g.name);
            checkPicture(c, name, describe(g.name));
            if (name == kHidePicture)
                continue;
            checkNumber(c, r, g.left, kWindowWidth * kTwipsPerPixel);
            checkNumber(c, r, g.top, kWindowHeight * kTwipsPerPixel);
            checkJump(c, r.get(g.next)[0], describe(g.next));
        }

        const int number = allDigits(code) ? code.toInt() : -1;
        const bool hasTarget = r.get(fields::TargetArea) != QString(20, '0');
        if (hasTarget) {
            checkRect(c, r, fields::TargetLeft, fields::TargetTop, fields::TargetWidth,
                fields::TargetHeight, true);
            checkJump(c, r.get(fields::TargetNext)[0], "target area");
        }
        const bool textStep = code.startsWith("002");
        const bool contextMenu = number >= 3000 && number <= 6000;
        const bool keyStep = number >= 6001 && number <= 6999;
        const bool modifiedClick = number >= 9000 && number <= 9998;
        const bool handle = code.startsWith("80") && code != "8888";
        const bool clickStep = code == "0001" || code == "0002" || code == "0003" || code == "0004"
            || code == "0030" || contextMenu || modifiedClick || drag;
        if (clickStep && !hasTarget)
            fail(c.where, "click step without a target area");
        if ((code == "0022" || code == "0026" || code == "0028") && !hasTarget)
            fail(c.where, "text step confirmed by a click has no target area");
        if ((code == "8888" || code == "9999" || keyStep) && hasTarget)
            fail(c.where, "step without a click has a target area");
        // "0004" has no rule of its own: only a release that jumps to the step the target
        // area names moves the question on.
        if (code == "0004" && r.get(fields::TargetNext) == "0")
            fail(c.where, "a 0004 step whose target area names no step can never be answered");
        if (code == "7000" && hasTarget && r.get(fields::TargetNext) == "0")
            fail(c.where, "a click on the target area of a path step would do nothing");
        if (keyStep) {
            const KeyPress key = keyOfCode(code, 0);
            if (!inShortcutTable(key.keyCode, key.mask))
                fail(c.where, "key step " + code + " asks for a key the shortcut table lacks");
        }
        if (modifiedClick) {
            const int buttons = number % 100, modifiers = number % 1000 / 100;
            if ((buttons != 1 && buttons != 2 && buttons != 4) || modifiers > 7)
                fail(c.where, "modified click " + code + " names no button or modifiers");
        }
        if (drag)
            checkDrag(c, r, code);
        if (handle)
            checkHandle(c, r, code);

        const bool descriptorsShown = !textStep && code[0] != u'L' && code[0] != u'K';
        if (textStep) {
            checkTypedText(c, r, code);
        } else if (code[0] == u'L') {
            checkList(c, r, code);
        } else if (code[0] == u'K') {
            checkLocation(c, r, code);
        } else {
            // Characters 86-95: a path, a context menu, or key fields at 86 and 91.
            const QString d1 = r.get(fields::Descriptor1);
            if (d1[0] == u'H')
                checkPath(c, d1);
            else if (d1[0] == u'R')
                checkContextMenu(c, r, code);
            else if (d1 != "0000000000") {
                for (const Field* f : { &fields::KeyField86, &fields::KeyField91 })
                    if (r.get(*f) != "00000")
                        checkKeyField(c, r.get(*f), f->pos);
            }
            if (contextMenu && d1[0] != u'R')
                checkContextMenu(c, r, code);
            // Characters 96-105: a path, an item picture, a key field, or the cursor.
            const QString d2 = r.get(fields::Descriptor2);
            if (d2[0] == u'H')
                checkPath(c, d2);
            else if (d2[0] == u'D')
                checkItemPicture(c, r, d2);
            else if (d2[0] == u'P')
                checkKeyField(c, r.get(fields::KeyField96), 96);
            else if (d2.left(5) != "00000")
                fail(c.where, "second descriptor \"" + d2 + "\" malformed");
            else if (!drag)
                checkCursor(c, r.get(fields::CursorSpec));
            if (r.get(fields::PresetLine) != "000" || r.get(fields::AnswerLine) != "000")
                fail(c.where, "answer lines on a step without a text box");
            if (code == "7000" && d1[0] != u'H' && d2[0] != u'H'
                && r.get(fields::Descriptor3)[0] != u'H')
                fail(c.where, "menu step without a path descriptor");
        }

        // Characters 125-134: a path, or a back code and a tab step, unless a text format.
        const QString d3 = r.get(fields::Descriptor3);
        const bool back = descriptorsShown && d3[0] == u'Q';
        if (descriptorsShown) {
            if (d3[0] == u'H') {
                checkPath(c, d3);
            } else {
                if (back)
                    checkBackButton(c, r);
                else if (r.get(fields::BackCode) != "00000")
                    fail(c.where, "third descriptor \"" + d3 + "\" malformed");
                if (r.get(fields::TabCode) != "00000")
                    checkTabStep(c, r, r.get(fields::TabCode));
            }
        }

        if (r.get(fields::HintPlace) != QString(10, '0')) {
            checkNumber(c, r, fields::HintLeft, kWindowWidth * kTwipsPerPixel);
            checkNumber(c, r, fields::HintTop, kWindowHeight * kTwipsPerPixel);
            checkLine(c, r, fields::HintLine, false);
            checkHintWords(c, r);
            // A hint over an area the step needs would take the clicks meant for it; one under
            // a chrome panel, an open drop-down or the question panel, or past the window's
            // edge, goes unread.
            const QRect label
                = hintLabelRect(hintCaption(code, c.answers.value(r.number(fields::HintLine) - 1)),
                    QPoint(r.number(fields::HintLeft) / kTwipsPerPixel,
                        r.number(fields::HintTop) / kTwipsPerPixel));
            if (const QString fault = hintPlaceFault(r, label, c.dialogButtons); !fault.isEmpty())
                fail(c.where, "the hint label runs into the " + fault);
        }
        const QString dragY = r.get(fields::DragTargetY);
        if (dragY[0] == u'A') {
            if (back || handle)
                fail(c.where, "toolbox overlay on a step that needs characters 167-176");
            const QString nn = dragY.mid(1, 2), vv = dragY.mid(3, 2);
            if (!allDigits(nn + vv) || nn.toInt() < 41 || nn.toInt() > 67)
                fail(c.where, "toolbox overlay \"" + dragY + "\" malformed");
            if (!c.hasExam(vv == "00" || vv == "01" ? nn + "0099" : "X0" + nn + vv))
                fail(c.where, "toolbox overlay picture missing for \"" + dragY + "\"");
        } else {
            checkNumber(c, r, fields::DragTargetX);
            checkNumber(c, r, fields::DragTargetY);
        }
        if (r.get(fields::Area2Width).toInt() != 0 || r.get(fields::Area2Height).toInt() != 0) {
            checkRect(c, r, fields::Area2Left, fields::Area2Top, fields::Area2Width,
                fields::Area2Height, true);
            checkJump(c, r.get(fields::Area2Next)[0], "second area");
        } else if (r.text().mid(fields::Area2Left.pos - 1, 20) != QString(20, '0')) {
            fail(c.where, "second area fields malformed");
        }
        if (drag && hasTarget
            && areaOf(
                r, fields::Area2Left, fields::Area2Top, fields::Area2Width, fields::Area2Height)
                   .intersects(areaOf(r, fields::TargetLeft, fields::TargetTop, fields::TargetWidth,
                       fields::TargetHeight)))
            fail(c.where, "a drag starts inside the area it must end in");
    }

} // namespace

void validateModule(const ModuleFiles& m)
{
    const QString data = m.dataFolder + "/";

    // Menu tables: every drop-down has as many item texts as its groups say.
    for (int h = 1; h <= 61; ++h)
        if (hasDropDown(h) && menuTitle(h).items.size() != dropDownItemCount(h))
            fail(QString("drop-down %1").arg(h), "item texts do not match its groups");
    for (int h = 1; h <= 11; ++h)
        for (int i = 1; i <= dropDownItemCount(h); ++i)
            if (const SecondLevel* level = secondLevel(h, i);
                level && level->items.size() != secondLevelItemCount(h, i))
                fail(QString("second-level drop-down %1-%2").arg(h).arg(i),
                    "item texts do not match its groups");
    checkMenuShortcuts();
    for (const int h : { 13, 14, 18, 19, 20, 21, 23 })
        for (const QRect& item : barDropDown(h)->items)
            if (!QRect(QPoint(), barDropDown(h)->size).contains(item))
                fail(QString("bar drop-down %1").arg(h), "an item lies outside the picture");

    const QStringList ver = readLines(m, "ver.txt");
    if (ver.size() < 5 || ver.size() > 40)
        fail("ver.txt", "needs the four module lines and at least one unit name");
    for (const QString& line : ver)
        decodeNumericText(line);
    const int unitCount = ver.size() - 4;
    if (decodeNumericText(ver[2]) != m.dataFolder)
        fail("ver.txt", "data folder line does not name the data folder");
    const QStringList vendor = readLines(m, data + "288901.mxy");
    if (vendor.size() != 41)
        fail("288901.mxy", "needs entries 0 to 40");
    for (const QString& line : vendor)
        decodeNumericText(line);
    const QStringList moduleNo = readLines(m, data + "288899.mxy");
    if (moduleNo.value(0) != decodeNumericText(ver[3]))
        fail("288899.mxy", "module number differs from ver.txt");
    const QStringList bank = readLines(m, data + "288895.mxy");
    if (bank.size() != 1 || bank[0].size() != 12 || !allDigits(bank[0]))
        fail("288895.mxy", "bank version is not a 12-digit stamp");
    if (readLines(m, data + "288892.mxy") != QStringList { "0" })
        fail("288892.mxy", "first-run marker is not \"0\"");

    // The menu file: four families of nine menus, 15 lines each.
    const QStringList menuFile = readLines(m, "sMenu.sys");
    if (menuFile.size() != 540)
        fail("sMenu.sys", QString("holds %1 lines, not 540").arg(menuFile.size()));

    const QStringList answerLines = readLines(m, data + "288890.mxy");
    QStringList answers;
    for (int i = 0; i < answerLines.size(); ++i) {
        if (answerLines[i].left(3) != QString::number(i + 1).rightJustified(3, QChar('0')))
            fail("288890.mxy", QString("line %1 does not carry its number").arg(i + 1));
        answers.append(answerLines[i].mid(3));
    }

    QList<int> unitSizes;
    for (int u = 0; u < unitCount; ++u) {
        const QString qPath = data + "2888" + twoDigits(70 + u) + ".mxy";
        const QString sPath = data + "2888" + twoDigits(20 + u) + ".mxy";
        const QStringList questions = readLines(m, qPath);
        const QStringList steps = readLines(m, sPath);
        if (questions.size() < 10)
            fail(qPath, "a unit needs at least 10 questions");
        unitSizes.append(static_cast<int>(questions.size()));
        int first = 0;
        for (int q = 0; q < questions.size(); ++q) {
            const QString& line = questions[q];
            if (line.left(4) != twoDigits(u) + twoDigits(q + 1) || !allDigits(line.mid(4, 2))
                || line.size() < 8)
                fail(qPath, QString("question line %1 malformed").arg(q + 1));
            const int count = line.mid(4, 2).toInt();
            if (count < 2 || first + count > steps.size())
                fail(qPath, QString("question %1 claims %2 steps").arg(q + 1).arg(count));
            if (line.mid(6, 7) == "picture" && !m.files.count(data + line.mid(13, 6) + ".mxy"))
                fail(qPath, QString("question %1 names a missing picture").arg(q + 1));
            std::vector<StepRecord> records;
            for (int s = 0; s < count; ++s)
                records.emplace_back(steps[first + s]);
            for (int s = 0; s < count; ++s) {
                const Context c { m, static_cast<int>(answers.size()), answers,
                    QString("%1 line %2 (question %3, step %4)")
                        .arg(sPath)
                        .arg(first + s + 1)
                        .arg(q + 1)
                        .arg(s + 1),
                    count, s + 1, menuFile, dialogButtonsShown(records, s) };
                checkStep(c, records[s], s == count - 1);
            }
            first += count;
        }
        if (first != steps.size())
            fail(sPath, "holds lines that belong to no question");
    }

    const QStringList paperLines = readLines(m, data + "288891.mxy");
    if (paperLines.size() < 2 || paperLines[0].trimmed().size() != 4)
        fail("288891.mxy", "header lines malformed");
    const int paperCount = paperLines[0].left(2).toInt();
    if (paperLines[0].mid(2, 2).toInt() != unitCount || paperLines.size() != paperCount + 2)
        fail("288891.mxy", "counts do not match the file");
    if (paperCount < 8 || paperCount > 20)
        fail("288891.mxy", "needs enough fixed papers for the sprint and mock lists");
    for (int u = 0; u < unitCount; ++u)
        if (paperLines[1].mid(2 * u, 2).toInt() != unitSizes[u])
            fail("288891.mxy", QString("unit %1 size differs from its question file").arg(u));
    for (int p = 0; p < paperCount; ++p) {
        const QString& line = paperLines[p + 2];
        if (line.size() != 160 || !allDigits(line))
            fail("288891.mxy", QString("paper %1 is not 40 four-digit ids").arg(p));
        QSet<QString> ids;
        for (int i = 0; i < 40; ++i) {
            const QString id = line.mid(4 * i, 4);
            const int u = id.left(2).toInt(), q = id.right(2).toInt();
            if (u >= unitCount || q < 1 || q > unitSizes[u])
                fail("288891.mxy", QString("paper %1 names a missing question %2").arg(p).arg(id));
            ids.insert(id);
        }
        if (ids.size() != 40)
            fail("288891.mxy", QString("paper %1 repeats a question").arg(p));
    }

    for (int n = 0; n < 5; ++n)
        readLines(m, data + "l3818" + QString::number(n) + ".mxy");

    // Every picture must decode with the size its use needs.
    for (const auto& [path, bytes] : m.files) {
        if (!path.endsWith(".mxy") && !path.endsWith(".CUR"))
            continue;
        const QString name = path.section('/', -1).section('.', 0, 0);
        // Data files of the module folder are named 288...; tab pages have all-digit names too.
        if (path.startsWith(data) && (name.startsWith("288") || name.startsWith("l3818")))
            continue;
        QImage image;
        if (!image.loadFromData(bytes))
            fail(path, "does not load as a picture");
        if (name == "l20059" && image.size() != QSize(400, 200))
            fail(path, "splash must be 400 x 200");
        if (path.endsWith(".CUR") && image.size() != QSize(32, 32))
            fail(path, "cursor must be 32 x 32");
    }
}

} // namespace samplegen
