// Damaged step and answer files: records of random length and content, and files of random
// bytes, loaded into the practice window and answered with every kind of input. The window must
// neither crash nor leave the question's range of steps; the sanitizer build checks the memory.

#include "workspace/practicequestion.h"

#include "platform/keys.h"
#include "support/testsupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

namespace sm = plat::shiftmask;

// Mostly digits, so that codes and numbers parse and the stages go deep, with letters, the
// record's own marks and a few characters outside every table.
QString randomRecord(QRandomGenerator& rng)
{
    static const QString pool = QStringLiteral(
        "0000000000111222333444555666777888999ABCDEFHKLMPQRSTXZabeks|| -.,E9\t中文字");
    const int length = rng.bounded(2) ? 212 : static_cast<int>(rng.bounded(400));
    QString s;
    for (int i = 0; i < length; ++i)
        s += pool.at(static_cast<int>(rng.bounded(pool.size())));
    return s;
}

QByteArray randomBytes(QRandomGenerator& rng, int size)
{
    QByteArray b(size, '\0');
    for (char& c : b)
        c = static_cast<char>(rng.bounded(256));
    return b;
}

// Every kind of input a candidate can give on a step.
void answerWithEverything(testsupport::PracticeQuestion& q)
{
    auto& d = *q.driver;
    auto& ui = q.ui;
    d.moveTo(q.main, testsupport::HeadlessDriver::centreInForm(ui.Label1));
    d.click(ui.Label1);
    d.click(ui.Label1, plat::button::Right);
    d.click(ui.Label1, plat::button::Left, sm::Ctrl | sm::Shift);
    d.doubleClick(ui.Label1);
    d.drag(q.main, testsupport::HeadlessDriver::centreInForm(ui.Label4),
        testsupport::HeadlessDriver::centreInForm(ui.Label1), plat::button::Left, sm::Shift, 4);
    d.drag(q.main, testsupport::HeadlessDriver::centreInForm(ui.Image5),
        testsupport::HeadlessDriver::centreInForm(ui.Label1), plat::button::Left, 0, 4);
    for (plat::Image* image : { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4 })
        d.click(*image);
    for (int hotspot : { 1, 5, 13, 21, 33, 45, 67 })
        d.click(ui.LblZHU[hotspot]);
    d.click(ui.Lbl1J[1]);
    d.click(ui.Lbl2J[1]);
    d.click(ui.LblXXK[0]);
    d.click(ui.LblXXK[3]);
    d.click(ui.LstLA);
    for (plat::TextBox* field : { &ui.Text1, &ui.Text2, &ui.Text3 }) {
        if (!field->visible())
            continue;
        d.click(*field);
        d.type(q.main, QStringLiteral("ab 1"));
        d.key(q.main, plat::vk::Return);
    }
    d.key(q.main, 'T', sm::Ctrl);
    d.key(q.main, plat::vk::F1 + 4, sm::Shift);
    d.advance(3000); // timed steps and the hint-frame timer
}

TEST(DamagedFiles, RandomRecordsNeitherCrashNorLeaveTheQuestion)
{
    QRandomGenerator rng(20261210);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        testsupport::PracticeQuestion q;
        QList<testsupport::Rec> steps;
        for (int i = 0; i < 3; ++i) {
            testsupport::Rec r;
            r.line = randomRecord(rng);
            steps << r;
        }
        QStringList answers;
        for (int i = 0; i < 5; ++i)
            answers << randomRecord(rng).left(30);
        q.load(steps, answers);
        ASSERT_TRUE(q.main.isLoaded());
        answerWithEverything(q);
        EXPECT_GE(q.step(), 1);
        EXPECT_LE(q.step(), 4);
    }
}

TEST(DamagedFiles, BinaryStepAndAnswerFilesDoNotCrashTheWindow)
{
    QRandomGenerator rng(7);
    for (const int size : { 1, 211, 213, 5000, 200000 }) {
        SCOPED_TRACE(size);
        testsupport::PracticeQuestion q;
        testsupport::writeFile(q.stepFile(), randomBytes(rng, size));
        q.sys->state.AnswerTextFile = q.sys->skinFile(QStringLiteral("288890"));
        testsupport::writeFile(q.sys->state.AnswerTextFile, randomBytes(rng, size));
        q.main.show();
        q.main.setData();
        answerWithEverything(q);
        EXPECT_GE(q.step(), 1);
    }
}

} // namespace
