// The end of practice: what the exercise taught goes into the learner records, the panel and
// the simulated window close, and the home window comes back on the page the exercise came from,
// by the one way back home that every window takes.

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "platform/services.h"
#include "records/idlist.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordfiles.h"

namespace flow {

namespace {
    // The home page an exercise of a study mode returns to (0: the start page).
    int16_t returnPage(std::optional<shell::StudyMode> mode)
    {
        using shell::StudyMode;
        if (mode == StudyMode::UnitLearned || mode == StudyMode::UnitUnlearned
            || mode == StudyMode::WholeUnit)
            return home::cmd::UnitsTab;
        if (shell::isFavourites(mode))
            return home::cmd::FavouritesTab;
        if (shell::isWrongBook(mode))
            return home::cmd::WrongBookTab;
        return 0;
    }
}

void EndLianXi(shell::System& sys)
{
    shell::AppState& st = sys.state;
    const shell::ErrorSite site(st, QStringLiteral("endlianxi"));
    const records::RecordsDir dir = records::RecordsDir::of(sys);

    // The picture window closes and the panel folds to its strip while the records are written.
    sys.exerciseWindows().leaveExercise();

    bool anyDone = false;
    for (int i = 1; i <= st.QuestionCount; ++i)
        anyDone = anyDone || records::isDone(st.QuestionState(i));

    // Asked before anything is written, so that the whole end of practice is saved as one.
    const bool narrowPaper = st.studyMode() == shell::StudyMode::PaperWrongQuestions && anyDone
        && sys.services().messageBoxes->open({ .kind = plat::MessageBoxes::Kind::Question,
            .text = QStringLiteral(
                "本次答对的题目要从“错题复习”中去掉吗？\r\n如果你认为掌握的还不太好，建议你"
                "点“否”，把它们保留在错题记录中。"),
            .title = st.AppTitle,
            .icon = plat::MessageBoxes::Icon::Question,
            .defaultButton = plat::MessageBoxes::Button::No });
    const records::Saved saved
        = records::recordPracticeEnd(dir, st, st.UnitCount, narrowPaper, site);
    records::tellLearner(
        sys, saved, QStringLiteral("本次练习的学习记录（学习进度、收藏夹、错题记录）"));

    sys.exerciseWindows().endExercise();
    returnHome(sys, returnPage(st.studyMode()));
}

void returnHome(shell::System& sys, int pageCommand)
{
    sys.state.DeferredCommand = static_cast<int16_t>(pageCommand);
    auto& home = sys.form<home::FrmFengmian>();
    if (pageCommand != 0)
        home.ui().TimFH.setEnabled(true);
    home.show();
}

} // namespace flow
