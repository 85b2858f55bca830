#pragma once

// A System on a virtual clock with fake services, a module data folder in a temporary folder,
// and a builder of step records by field position, for tests of the step engine and of the
// windows that use it.

#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace testsupport {

// A step record, 212 characters of "0" (no areas, no text box, no hint, no panels) with the
// fields a test sets.
class Rec {
public:
    Rec() = default;
    explicit Rec(const QString& actionCode) { set(stepengine::field::ActionCode, actionCode); }
    Rec& set(stepengine::Field f, const QString& v)
    {
        line.replace(f.pos - 1, f.len, v.leftJustified(f.len, u' ', true));
        return *this;
    }
    Rec& num(stepengine::Field f, int v)
    {
        return set(f, QString::number(v).rightJustified(f.len, u'0'));
    }
    Rec& target(int left, int top, int width, int height, QChar next = u'0')
    {
        namespace fd = stepengine::field;
        num(fd::TargetLeft, left).num(fd::TargetTop, top).num(fd::TargetWidth, width);
        return num(fd::TargetHeight, height).set(fd::TargetNext, QString(next));
    }
    Rec& area2(int left, int top, int width, int height)
    {
        namespace fd = stepengine::field;
        num(fd::Area2Left, left).num(fd::Area2Top, top).num(fd::Area2Width, width);
        return num(fd::Area2Height, height);
    }
    Rec& imageNext(int image, QChar next)
    {
        return set(stepengine::kImageGroups[image - 1].next, QString(next));
    }
    QString line = QString(stepengine::kStepRecordLength, u'0');
};

struct EngineApp {
    QTemporaryDir dir;
    DrivenSystem run { dir.path() };
    testsupport::VirtualClock* clock = &run.clock;
    shell::System* sys = &run.sys;
    HeadlessDriver* driver = &run.driver;
    QStringList reports; // "tag number" of every failure reported

    EngineApp()
    {
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        shell::AppState& st = sys->state;
        st.SkinPath = dir.path() + QStringLiteral("/data/");
        st.errorSink = [this](QString tag, int number, QString, QString) {
            reports << tag + QStringLiteral(" ") + QString::number(number);
        };
        st.StudyMode = 20;
        st.SetNo = 0;
        st.PanelMode = 2;
        st.QuestionCount = 1;
        st.CurrentQuestion = 1;
        st.CurrentStep = 1;
        st.FirstStepTable(1) = 1;
    }
    QString stepFile() const
    {
        return sys->skinFile(stepengine::stepFileName(sys->state.StudyMode, sys->state.SetNo));
    }
    // The step file of one question, and its line of the question file with its step count
    // (which bounds the question's jumps).
    void writeSteps(const QList<Rec>& records)
    {
        QStringList lines;
        for (const Rec& r : records)
            lines << r.line;
        ASSERT_TRUE(plat::writeLines(stepFile(), lines).ok());
        const QString count = QStringLiteral("%1").arg(records.size(), 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(plat::writeLines(
            questionFile(), { QStringLiteral("0001") + count + QStringLiteral("题目") })
                        .ok());
    }
    QString questionFile() const
    {
        return sys->skinFile(stepengine::questionFileName(sys->state.StudyMode, sys->state.SetNo));
    }
    // A cursor file of the program folder, as a cursor editor writes it (an icon of type 2).
    void writeCursor(const QString& name, QPoint hotSpot = { 3, 4 })
    {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(img.save(&buffer, "ICO"));
        bytes[2] = 2;
        bytes[10] = char(hotSpot.x());
        bytes[12] = char(hotSpot.y());
        testsupport::writeFile(sys->programFile(name), bytes);
    }
    // A small picture file of the module data folder, SkinPath & name & ".mxy".
    void writePicture(const QString& name, QSize size = { 40, 30 }, QColor colour = Qt::blue)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(sys->skinFile(name), "PNG"));
    }
};

} // namespace testsupport
