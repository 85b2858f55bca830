#pragma once

// An exercise opened on the question panel the way the exercise launch opens it: the panel's
// load timer and button-set timer armed, the panel and the practice window shown, on a virtual
// clock with fake services. The questions come from the sample module, or from a question file
// the test writes into a module folder of its own.

#include "exercise/frmtm.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testsupport {

struct PanelApp {
    QTemporaryDir dir;
    DrivenSystem run;
    testsupport::VirtualClock& clock = run.clock;
    shell::System& sys = run.sys;
    HeadlessDriver& driver = run.driver;
    shell::AppState& st = sys.state;
    QStringList reports;

    // The sample module's unit `unit` in practice (PanelMode 2) at display scale `scale`. With
    // `ownProgramDir` the program folder (and so the learner's records) is the test's own.
    explicit PanelApp(int unit = 0, double scale = 1.0, bool ownProgramDir = false)
        : run(ownProgramDir ? dir.path() : sampleProgramDir())
    {
        sys.setDisplayScale(scale, scale);
        st.ScaleX = st.ScaleY = scale;
        st.SkinPath = sampleDataDir();
        st.ModuleName = QStringLiteral("图像处理");
        st.CandidateName = QStringLiteral("张晓明");
        st.StudyMode = kUnitStudyMode;
        st.SetNo = static_cast<int16_t>(unit);
        st.PanelMode = 2;
        st.AnswerTextFile = sys.skinFile(QStringLiteral("288890"));
        st.LogPath = dir.path() + QStringLiteral("/run.log");
        st.errorSink = [this](QString tag, int number, QString description, QString) {
            reports << tag + QStringLiteral(" ") + QString::number(number) + QStringLiteral(" ")
                    + description;
        };
    }
    exercise::FrmTm& tm() { return sys.form<exercise::FrmTm>(); }
    exercise::FrmTmUi& ui() { return tm().ui(); }
    workspace::FrmMain& main() { return sys.form<workspace::FrmMain>(); }

    // Questions of the sample unit, every one not done before.
    void prepareSample()
    {
        ASSERT_TRUE(launchQuestions(sys));
        for (int q = 1; q <= st.QuestionCount; ++q) {
            st.QuestionState(q) = 0;
            st.DoneBefore(q) = QStringLiteral("F");
        }
    }
    // A question file of `lines` written into the test's own module folder (as slot 20), with
    // one step per question; QuestionCount follows `count` (the file may be shorter).
    void prepareLines(const QStringList& lines, int count)
    {
        const QString data = dir.path() + QStringLiteral("/data/");
        QDir().mkpath(data);
        st.SkinPath = data;
        st.SetNo = 0;
        st.QuestionListFile = sys.skinFile(stepengine::questionFileName(st.StudyMode, st.SetNo));
        st.StepFile = sys.skinFile(stepengine::stepFileName(st.StudyMode, st.SetNo));
        ASSERT_TRUE(plat::writeLines(st.QuestionListFile, lines).ok());
        st.QuestionCount = static_cast<int16_t>(count);
        for (int q = 1; q <= 500; ++q) {
            st.QuestionIds(q) = QStringLiteral("%1").arg(q, 4, 10, QChar(u'0'));
            st.FirstStepTable(q) = static_cast<int16_t>(q);
            st.QuestionState(q) = 0;
            st.DoneBefore(q) = QStringLiteral("F");
        }
    }
    // A fixed paper (slot 0) made of the sample's unit 0, in a module folder of links to the
    // sample's files: an examination in the panel's examination mode.
    void prepareSamplePaper()
    {
        const QString data = dir.path() + QStringLiteral("/paper/");
        QDir().mkpath(data);
        const QDir sample(sampleDataDir());
        for (const QString& name : sample.entryList(QDir::Files))
            QFile::link(sample.filePath(name), data + name);
        QFile::link(
            sample.filePath(QStringLiteral("288820.mxy")), data + QStringLiteral("288800.mxy"));
        QFile::link(
            sample.filePath(QStringLiteral("288870.mxy")), data + QStringLiteral("288850.mxy"));
        st.SkinPath = data;
        st.StudyMode = 0;
        st.SetNo = 0;
        st.RecordNo = 0;
        st.PanelMode = 3;
        st.SeatNo = QStringLiteral("07");
        st.ShiftNo = QStringLiteral("2");
        st.ArchiveNo = QStringLiteral("20260315007");
        st.IdCardNo = QStringLiteral("110101199003071234");
        prepareSample();
    }
    // Numbered questions "第n题" of one step each.
    void prepareNumbered(int count, int linesInFile = -1)
    {
        QStringList lines;
        for (int q = 1; q <= (linesInFile < 0 ? count : linesInFile); ++q)
            lines << QStringLiteral("%1%2第%3题")
                         .arg(q, 4, 10, QChar(u'0'))
                         .arg(1, 2, 10, QChar(u'0'))
                         .arg(q);
        prepareLines(lines, count);
    }

    // The launch: the panel's load timer (touching it loads the panel), the button-set timer,
    // the panel and the practice window shown; then the timers run.
    void open()
    {
        st.CurrentQuestion = 1;
        st.CurrentStep = 1;
        st.MinutesLeft = 50;
        tm().ui().TimerREDO.setEnabled(true);
        tm().ui().TimKsModel.setEnabled(true);
        tm().show();
        main().show();
        driver.advance(600); // TimerREDO, the step load, TimKsModel
    }

    // Numbered questions, opened.
    void openNumbered(int count)
    {
        prepareNumbered(count);
        open();
    }

    QString text() { return ui().RtbTM.text(); }
    // The text of line `q` of the exercise's question file from character 7.
    QString fileText(int q)
    {
        const auto lines = plat::readLines(st.QuestionListFile);
        return lines.ok() ? plat::mid(lines.value().value(q - 1), 7) : QString();
    }
    testsupport::FakeKeyboardLayouts& layouts()
    {
        return static_cast<testsupport::FakeKeyboardLayouts&>(*sys.services().keyboardLayouts);
    }
    testsupport::FakeMessageBoxes& messageBoxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*sys.services().messageBoxes);
    }
    QString runLog() const
    {
        const auto lines = plat::readLines(st.LogPath);
        return lines.ok() ? lines.value().join(u'\n') : QString();
    }
};

// The function buttons a learner sees on an unflagged question: both modes move, redo, flag and
// page the numbers; practice ends, hints and demonstrates, where an examination hands in, shows
// the candidate's details and the answer notice. Practice's list of unfinished questions covers
// the clock row.
inline void expectButtonSet(exercise::FrmTmUi& ui, bool examination)
{
    namespace cmd = exercise::cmd;
    struct Shown {
        const char* name;
        int button;
        bool inPractice, inExamination;
    };
    const Shown buttons[] = {
        { "Previous", cmd::Previous, true, true },
        { "Next", cmd::Next, true, true },
        { "Redo", cmd::Redo, true, true },
        { "Flag", cmd::Flag, true, true },
        { "Numbers", cmd::Numbers, true, true },
        { "EndPractice", cmd::EndPractice, true, false },
        { "StepHints", cmd::StepHints, true, false },
        { "Demonstration", cmd::Demonstration, true, false },
        { "HandIn", cmd::HandIn, false, true },
        { "CandidateDetails", cmd::CandidateDetails, false, true },
        { "ViewAnswer", cmd::ViewAnswer, false, true },
        { "RemoveFlag", cmd::RemoveFlag, false, false },
    };
    for (const Shown& b : buttons)
        EXPECT_EQ(ui.CmdGN[b.button].visible(), examination ? b.inExamination : b.inPractice)
            << b.name;
    EXPECT_EQ(ui.PicUnit.visible(), !examination);
}

} // namespace testsupport
