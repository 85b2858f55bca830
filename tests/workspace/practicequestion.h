#pragma once

// A question in the practice window for the window tests: the tests set up what they need
// (pictures, menu file, log), then load their steps, which are numbered in characters 1-3 and
// closed by the end marker, and the window shows step 1.

#include "platform/text.h"
#include "stepengine/engineapp.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

namespace testsupport {

struct PracticeQuestion : EngineApp {
    workspace::FrmMain& main;
    workspace::FrmMainUi& ui;

    PracticeQuestion()
        : main(sys->form<workspace::FrmMain>())
        , ui(main.ui())
    {
    }

    // `padding` plain click steps follow the given ones, so that an advance lands on a step
    // that waits; `answers` becomes the answer text file when given.
    void load(QList<Rec> steps, const QStringList& answers = {}, int padding = 0)
    {
        for (int i = 0; i < padding; ++i)
            steps << Rec(QStringLiteral("0001"));
        for (int i = 0; i < steps.size(); ++i)
            steps[i].num({ 1, 3 }, i + 1);
        steps << Rec(QStringLiteral("9999"));
        writeSteps(steps);
        sys->state.AnswerTextFile = sys->skinFile(QStringLiteral("288890"));
        if (!answers.isEmpty()) {
            EXPECT_TRUE(plat::writeLines(sys->state.AnswerTextFile, answers).ok());
        }
        main.show();
        // The panel's load handed step loading to Timer2; the question loads its step here.
        main.ui().Timer2.setEnabled(false);
        main.setData();
    }
    int step() const { return sys->state.CurrentStep; }
};

} // namespace testsupport
