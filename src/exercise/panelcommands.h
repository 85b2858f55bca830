#pragma once

// The question panel's command indexes: one number names a button of its CmdGN array and the
// command that CmdGN_Click runs for it.

namespace exercise {

// The commands of CmdGN, by the index of the button and of CmdGN_Click. The upper row serves
// every exercise; the lower row holds practice's three buttons and, at the same places, the
// examination's three.
namespace cmd {
    inline constexpr int Previous = 0;
    inline constexpr int Next = 1;
    inline constexpr int Redo = 2; // the question restarts at its first step
    inline constexpr int Flag = 3;
    inline constexpr int Numbers = 4; // the question-number page
    inline constexpr int EndPractice = 5;
    inline constexpr int StepHints = 6;
    inline constexpr int Demonstration = 7;
    inline constexpr int HandIn = 8;
    inline constexpr int CandidateDetails = 9;
    inline constexpr int ViewAnswer = 10;
    inline constexpr int RemoveFlag = 11; // at the flag's place, shown instead of it
    inline constexpr int Last = RemoveFlag;
}

// A place of the lower row: the button practice shows there and the examination's in its stead.
struct LowerRowPlace {
    int practice;
    int examination;
};
inline constexpr LowerRowPlace kLowerRow[] = {
    { cmd::EndPractice, cmd::HandIn },
    { cmd::StepHints, cmd::CandidateDetails },
    { cmd::Demonstration, cmd::ViewAnswer },
};

} // namespace exercise
