#pragma once

// The study mode and the panel mode of an exercise. The shared state and the files keep them as
// the numbers the system gives them; the program decides on these types, converted from those
// numbers by a checked conversion wherever a number comes in.

#include <cstdint>
#include <optional>

namespace shell {

// Kind of question set; StudyMode + SetNo numbers the exercise's files.
enum class StudyMode : int16_t {
    FixedPaper = 0, // a mock paper
    PaperWrongQuestions = 2, // the questions a paper's last hand-in left undone
    UnitLearned = 5, // a unit's learned questions
    UnitUnlearned = 6, // a unit's unlearned questions
    RandomPaper = 8,
    AllFavourites = 9,
    UnreviewedFavourites = 10,
    ReviewedFavourites = 11,
    AllWrongBook = 12, // the wrong-question book
    UnreviewedWrongBook = 13,
    ReviewedWrongBook = 14,
    WholeUnit = 20,
};

// How the question panel runs the exercise.
enum class PanelMode : int16_t {
    Hints = 1, // practice with the step hints shown
    Practice = 2,
    Examination = 3,
};

// The mode a number names; nothing for a number that names none.
std::optional<StudyMode> studyModeOf(int code);
std::optional<PanelMode> panelModeOf(int code);

constexpr int16_t codeOf(StudyMode m) { return static_cast<int16_t>(m); }
constexpr int16_t codeOf(PanelMode m) { return static_cast<int16_t>(m); }

// A mock or random paper: it starts with the login and runs under the countdown.
constexpr bool isPaper(std::optional<StudyMode> m)
{
    return m == StudyMode::FixedPaper || m == StudyMode::RandomPaper;
}

// A practice of the favourites, or of the wrong-question book: all, unreviewed or reviewed.
constexpr bool isFavourites(std::optional<StudyMode> m)
{
    return m == StudyMode::AllFavourites || m == StudyMode::UnreviewedFavourites
        || m == StudyMode::ReviewedFavourites;
}
constexpr bool isWrongBook(std::optional<StudyMode> m)
{
    return m == StudyMode::AllWrongBook || m == StudyMode::UnreviewedWrongBook
        || m == StudyMode::ReviewedWrongBook;
}

} // namespace shell
