#include "core/exercisemodes.h"

namespace shell {

std::optional<StudyMode> studyModeOf(int code)
{
    switch (code) {
    case codeOf(StudyMode::FixedPaper):
    case codeOf(StudyMode::PaperWrongQuestions):
    case codeOf(StudyMode::UnitLearned):
    case codeOf(StudyMode::UnitUnlearned):
    case codeOf(StudyMode::RandomPaper):
    case codeOf(StudyMode::AllFavourites):
    case codeOf(StudyMode::UnreviewedFavourites):
    case codeOf(StudyMode::ReviewedFavourites):
    case codeOf(StudyMode::AllWrongBook):
    case codeOf(StudyMode::UnreviewedWrongBook):
    case codeOf(StudyMode::ReviewedWrongBook):
    case codeOf(StudyMode::WholeUnit):
        return static_cast<StudyMode>(code);
    default:
        return std::nullopt;
    }
}

std::optional<PanelMode> panelModeOf(int code)
{
    switch (code) {
    case codeOf(PanelMode::Hints):
    case codeOf(PanelMode::Practice):
    case codeOf(PanelMode::Examination):
        return static_cast<PanelMode>(code);
    default:
        return std::nullopt;
    }
}

} // namespace shell
