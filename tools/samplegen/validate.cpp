// Field-by-field check of everything the generator writes; the build fails on the first fault.
#include "chrome.h"
#include "module.h"
#include "steprecord.h"
#include "textfiles.h"

#include <QImage>
#include <QSet>

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
        bool ok = false;
        const QString text = decodeGbk(found->second, &ok);
        if (!ok)
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
            fail(c.where, QString("%1 is not a number: \"%2\"").arg(f.name, v));
        const int n = v.toInt();
        if (n == 0 && !zeroAllowed)
            fail(c.where, QString("%1 names no answer line").arg(f.name));
        if (n > c.answerCount)
            fail(c.where, QString("%1 names line %2 of %3").arg(f.name).arg(n).arg(c.answerCount));
    }

    void checkNumber(const Context& c, const StepRecord& r, const Field& f, int limit = 32767)
    {
        const QString v = r.get(f);
        if (!allDigits(v))
            fail(c.where, QString("%1 is not a number: \"%2\"").arg(f.name, v));
        if (v.toInt() > limit)
            fail(c.where, QString("%1 = %2 is out of range").arg(f.name, v));
    }

    void checkNext(const Context& c, const StepRecord& r, const Field& f)
    {
        const int step = nextStep(r.get(f).at(0));
        if (step < 0 || step > c.stepCount)
            fail(c.where, QString("%1 \"%2\" names no step of the question").arg(f.name, r.get(f)));
    }

    void checkPicture(const Context& c, const QString& name, const char* field)
    {
        if (name == kHidePicture || name == kKeepPicture)
            return;
        if (!c.hasData(name))
            fail(c.where, QString("%1 names a missing picture \"%2\"").arg(field, name));
    }

    void checkDescriptor(const Context& c, const QString& d)
    {
        if (d == "0000000000")
            return;
        if (d[0] != u'H')
            fail(c.where, "unexpected descriptor \"" + d + "\"");
        const int hotspot = d.mid(1, 2).toInt();
        const int item = d.mid(3, 2).toInt();
        if (!allDigits(d.mid(1, 8)) || hotspot < 1 || hotspot > 67
            || (hotspot >= 38 && hotspot <= 40))
            fail(c.where, "descriptor names no hotspot: \"" + d + "\"");
        if (nextStep(d[9]) < 0 || nextStep(d[9]) > c.stepCount)
            fail(c.where, "descriptor names no step: \"" + d + "\"");
        if (!c.hasExam(twoDigits(hotspot) + "0099"))
            fail(c.where, "no pressed picture for hotspot " + QString::number(hotspot));
        if (item == 0)
            return;
        if (!hasDropDown(hotspot) || item > dropDownItemCount(hotspot))
            fail(c.where, "descriptor names a missing menu item: \"" + d + "\"");
        if (d.mid(5, 2) != "00")
            fail(c.where, "second-level paths are not drawn yet: \"" + d + "\"");
        if (!c.hasExam(twoDigits(hotspot) + "0077")
            || !c.hasExam(twoDigits(hotspot) + twoDigits(item) + "00"))
            fail(c.where, "drop-down pictures missing for \"" + d + "\"");
    }

    void checkRect(const Context& c, const StepRecord& r, const Field& left, const Field& top,
        const Field& width, const Field& height, bool clickable)
    {
        for (const Field* f : { &left, &top, &width, &height })
            checkNumber(c, r, *f);
        const QRect px(r.number(left) / kTwipsPerPixel, r.number(top) / kTwipsPerPixel,
            r.number(width) / kTwipsPerPixel, r.number(height) / kTwipsPerPixel);
        if (px.isEmpty() || px.right() >= kWindowWidth || px.bottom() >= kWindowHeight)
            fail(c.where, QString("%1 area lies outside the window").arg(left.name));
        if (clickable && px.intersects(kQuestionPanelArea))
            fail(c.where, QString("%1 area lies under the question panel").arg(left.name));
    }

    QStringList alternatives(const QString& text)
    {
        const qsizetype bar = text.indexOf('|');
        if (bar < 0)
            return { text.trimmed().toLower() };
        return { text.left(bar).trimmed().toLower(), text.mid(bar + 1).trimmed().toLower() };
    }

    void checkStep(const Context& c, const StepRecord& r, bool last)
    {
        if (r.text().size() != kStepRecordLength)
            fail(c.where, QString("record is %1 characters, not 212").arg(r.text().size()));
        for (const QChar ch : r.text())
            if (ch.unicode() < 0x21 || ch.unicode() > 0x7e)
                fail(c.where, "record holds a character other than printable ASCII");
        if (!allDigits(r.get(fields::kTag)) || r.get(fields::kPressMarker) != "00")
            fail(c.where, "tag or press marker malformed");
        const QString panel = r.get(fields::kPanelCode);
        if (!QString("ABCDE").contains(panel[0]) || !QString("123456789AB").contains(panel[1]))
            fail(c.where, "panel code \"" + panel + "\" shows no panel");
        const QString code = r.get(fields::kActionCode);
        if (!validActionCode(code))
            fail(c.where, "action code \"" + code + "\" is not in the table");
        if ((code == "9999") != last)
            fail(c.where,
                last ? "last step is not the end step 9999" : "end step 9999 before the last step");

        checkPicture(c, r.get(fields::kBackground), "background");
        for (const auto& g : fields::kImages) {
            const QString name = r.get(g.name);
            checkPicture(c, name, g.name.name);
            if (name == kHidePicture)
                continue;
            checkNumber(c, r, g.left, kWindowWidth * kTwipsPerPixel);
            checkNumber(c, r, g.top, kWindowHeight * kTwipsPerPixel);
            checkNext(c, r, g.next);
        }

        const bool hasTarget = r.get(fields::kTargetArea) != QString(20, '0');
        if (hasTarget) {
            checkRect(c, r, fields::kTargetLeft, fields::kTargetTop, fields::kTargetWidth,
                fields::kTargetHeight, true);
            checkNext(c, r, fields::kTargetNext);
        }
        const bool textStep = code.startsWith("002");
        const bool clickStep = code == "0001" || code == "0002" || code == "0003" || code == "0004"
            || code == "0030";
        if (clickStep && !hasTarget)
            fail(c.where, "click step without a target area");
        if ((code == "0022" || code == "0026" || code == "0028") && !hasTarget)
            fail(c.where, "text step confirmed by a click has no target area");
        if ((code == "8888" || code == "9999" || code == "7000") && hasTarget)
            fail(c.where, "step without a click has a target area");

        if (textStep) {
            checkRect(c, r, fields::kTextLeft, fields::kTextTop, fields::kTextWidth,
                fields::kTextHeight, false);
            if (r.get(fields::kTextGap) != "0")
                fail(c.where, "text gap is not 0");
            checkLine(c, r, fields::kPresetLine);
            const QString format = r.get(fields::kTextFormat);
            if (!allDigits(format.left(4)) || !allDigits(format.mid(5)))
                fail(c.where, "text format \"" + format + "\" malformed");
            if (code == "0023") {
                checkLine(c, r, fields::kHintLine, false);
            } else {
                checkLine(c, r, fields::kAnswerLine, false);
                // A preset that already matches would solve a live-compared step on load.
                const int preset = r.number(fields::kPresetLine);
                if (preset > 0
                    && alternatives(c.answers[r.number(fields::kAnswerLine) - 1])
                           .contains(c.answers[preset - 1].trimmed().toLower()))
                    fail(c.where, "preset text already equals the answer");
            }
        } else {
            checkDescriptor(c, r.get(fields::kDescriptor1));
            const QString d2 = r.get(fields::kDescriptor2);
            if (d2.left(5) != "00000")
                fail(c.where, "second descriptor is not used yet");
            const QString cursor = r.get(fields::kCursor);
            if (cursor != "00000") {
                if (cursor[0] == u'M' && !c.m.files.count("ico" + cursor.mid(3, 2) + ".CUR"))
                    fail(c.where, "cursor file ico" + cursor.mid(3, 2) + ".CUR is missing");
                if (cursor[0] == u'S' && !allDigits(cursor.mid(3, 2)))
                    fail(c.where, "standard pointer number malformed");
                if (cursor[0] != u'M' && cursor[0] != u'S')
                    fail(c.where, "cursor spec \"" + cursor + "\" malformed");
            }
            if (r.get(fields::kPresetLine) != "000" || r.get(fields::kAnswerLine) != "000")
                fail(c.where, "answer lines on a step without a text box");
            checkDescriptor(c, r.get(fields::kDescriptor3));
            if (code == "7000" && r.get(fields::kDescriptor1)[0] != u'H'
                && r.get(fields::kDescriptor3)[0] != u'H')
                fail(c.where, "menu step without a path descriptor");
        }

        if (r.get(fields::kHintPlace) != QString(10, '0')) {
            checkNumber(c, r, fields::kHintLeft, kWindowWidth * kTwipsPerPixel);
            checkNumber(c, r, fields::kHintTop, kWindowHeight * kTwipsPerPixel);
            checkLine(c, r, fields::kHintLine, false);
        }
        checkNumber(c, r, fields::kDragX);
        const QString dragY = r.get(fields::kDragY);
        if (dragY[0] == u'A') {
            const QString nn = dragY.mid(1, 2), vv = dragY.mid(3, 2);
            if (!allDigits(nn + vv) || nn.toInt() < 41 || nn.toInt() > 67)
                fail(c.where, "toolbox overlay \"" + dragY + "\" malformed");
            if (!c.hasExam(vv == "00" || vv == "01" ? nn + "0099" : "X0" + nn + vv))
                fail(c.where, "toolbox overlay picture missing for \"" + dragY + "\"");
        } else {
            checkNumber(c, r, fields::kDragY);
        }
        if (r.get(fields::kArea2Width).toInt() != 0 || r.get(fields::kArea2Height).toInt() != 0)
            checkRect(c, r, fields::kArea2Left, fields::kArea2Top, fields::kArea2Width,
                fields::kArea2Height, true);
        else if (r.text().mid(fields::kArea2Left.pos - 1, 20) != QString(20, '0'))
            fail(c.where, "second area fields malformed");
    }

} // namespace

void validateModule(const ModuleFiles& m)
{
    const QString data = m.dataFolder + "/";

    // Menu tables: every drop-down has as many item texts as its groups say.
    for (int h = 1; h <= 61; ++h)
        if (hasDropDown(h) && menuTitle(h).items.size() != dropDownItemCount(h))
            fail(QString("drop-down %1").arg(h), "item texts do not match its groups");

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
            for (int s = 0; s < count; ++s) {
                const Context c { m, static_cast<int>(answers.size()), answers,
                    QString("%1 line %2 (question %3, step %4)")
                        .arg(sPath)
                        .arg(first + s + 1)
                        .arg(q + 1)
                        .arg(s + 1),
                    count };
                checkStep(c, StepRecord(steps[first + s]), s == count - 1);
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
        // Data files of the module folder have all-digit names; every picture there has letters.
        if (path.startsWith(data) && (allDigits(name) || name.startsWith("l3818")))
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
