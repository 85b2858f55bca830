// The checked conversion of the study and panel mode numbers.

#include "core/appstate.h"
#include "core/exercisemodes.h"

#include <gtest/gtest.h>

using shell::PanelMode;
using shell::StudyMode;

TEST(ExerciseModes, EveryNumberOfTheSystemAndNoOtherNamesAMode)
{
    const std::optional<StudyMode> study[] = {
        StudyMode::FixedPaper,
        std::nullopt,
        StudyMode::PaperWrongQuestions,
        std::nullopt,
        std::nullopt,
        StudyMode::UnitLearned,
        StudyMode::UnitUnlearned,
        std::nullopt,
        StudyMode::RandomPaper,
        StudyMode::AllFavourites,
        StudyMode::UnreviewedFavourites,
        StudyMode::ReviewedFavourites,
        StudyMode::AllWrongBook,
        StudyMode::UnreviewedWrongBook,
        StudyMode::ReviewedWrongBook,
        std::nullopt,
        std::nullopt,
        std::nullopt,
        std::nullopt,
        std::nullopt,
        StudyMode::WholeUnit,
        std::nullopt,
    };
    for (int code = 0; code < static_cast<int>(std::size(study)); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(shell::studyModeOf(code), study[code]);
        if (study[code]) {
            EXPECT_EQ(shell::codeOf(*study[code]), code);
        }
    }
    const std::optional<PanelMode> panel[] = { std::nullopt, PanelMode::Hints, PanelMode::Practice,
        PanelMode::Examination, std::nullopt };
    for (int code = 0; code < static_cast<int>(std::size(panel)); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(shell::panelModeOf(code), panel[code]);
    }
    for (int code : { -1, -32768, 32767, 256 + 2 }) {
        EXPECT_EQ(shell::studyModeOf(code), std::nullopt) << code;
        EXPECT_EQ(shell::panelModeOf(code), std::nullopt) << code;
    }
}

// The shared state keeps the numbers; a number that names no mode reads as none, so that no
// decision takes it for a mode it is not.
TEST(ExerciseModes, TheSharedStateKeepsTheNumbers)
{
    shell::AppState st;
    EXPECT_EQ(st.panelMode(), std::nullopt); // 0 before any exercise
    st.setStudyMode(StudyMode::RandomPaper);
    st.setPanelMode(PanelMode::Examination);
    EXPECT_EQ(st.StudyMode, 8);
    EXPECT_EQ(st.PanelMode, 3);
    st.StudyMode = 7;
    EXPECT_EQ(st.studyMode(), std::nullopt);
    EXPECT_FALSE(shell::isPaper(st.studyMode()));
    st.StudyMode = 0;
    EXPECT_TRUE(shell::isPaper(st.studyMode()));
}
