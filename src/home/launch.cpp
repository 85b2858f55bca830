// The exercise launch and the question-set builder: the way from the home window into an
// exercise.

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "home/questionset.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "records/idlist.h"
#include "records/learnerrecords.h"
#include "records/recordfiles.h"
#include "stepengine/steprecord.h"
#include "widgets/msgbox.h"

#include <QFile>

namespace flow {

int InitShiTi(shell::System& sys, const QString& ids, int slot)
{
    shell::AppState& st = sys.state;
    const shell::ErrorSite site(st, QStringLiteral("initshiti"));
    const home::BuiltSlot built = home::buildSlot(st.SkinPath, ids);
    for (const QString& why : built.rejected)
        site.fail(plat::err::SubscriptOutOfRange, QStringLiteral("question skipped: ") + why);
    st.QuestionCount = static_cast<int16_t>(built.ids.size());
    for (int i = 1; i <= built.ids.size(); ++i)
        st.QuestionIds(i) = built.ids[i - 1];
    // The step file first: a question file whose steps are not there yet is never left behind.
    const bool stepsWritten = site.check(
        plat::writeFileAtomically(sys.skinFile(stepengine::stepFileName(slot, 0)), built.stepFile));
    const bool questionsWritten = stepsWritten
        && site.check(plat::writeFileAtomically(
            sys.skinFile(stepengine::questionFileName(slot, 0)), built.questionFile));
    st.SetNotWritten = !questionsWritten;
    if (!questionsWritten) {
        st.QuestionCount = 0;
        return 0;
    }
    return st.QuestionCount;
}

int prepareExercise(shell::System& sys, const ExerciseRequest& request)
{
    shell::AppState& st = sys.state;
    st.setStudyMode(request.studyMode);
    st.SetNo = static_cast<int16_t>(request.setNo);
    if (request.recordNo)
        st.RecordNo = static_cast<int16_t>(*request.recordNo);
    st.setPanelMode(request.panelMode);
    st.CurrentQuestion = 1;
    if (request.shippedSlot) {
        st.SetNotWritten = false;
        st.QuestionCount = static_cast<int16_t>(request.ids.size() / 4);
        for (int i = 1; i <= st.QuestionCount; ++i)
            st.QuestionIds(i) = request.ids.mid(4 * (i - 1), 4);
    } else {
        InitShiTi(sys, request.ids, st.StudyMode + st.SetNo);
    }
    const int held = st.QuestionCount;
    if (request.questionCount)
        st.QuestionCount = static_cast<int16_t>(*request.questionCount);
    for (int i = 1; i <= st.QuestionCount; ++i) {
        st.DoneBefore(i) = request.doneBefore ? request.doneBefore(i) : QStringLiteral("F");
        st.QuestionState(i) = st.DoneBefore(i) == QStringLiteral("T") ? 4 : 0;
    }
    return held;
}

namespace {
    // Whether the slot's files hold every question of the set with all its step lines. A set
    // that does not would play another question's steps or none.
    bool slotComplete(shell::System& sys, const shell::ErrorSite& site)
    {
        shell::AppState& st = sys.state;
        if (st.QuestionCount < 1) {
            site.fail(plat::err::SubscriptOutOfRange, QStringLiteral("the set has no question"));
            return false;
        }
        const auto questions = plat::readLines(st.QuestionListFile);
        if (!site.check(questions))
            return false;
        int scanned = 0;
        int lastLine = 0;
        for (const QString& line : questions.value()) {
            if (plat::trimSpaces(line).isEmpty() || scanned == st.QuestionCount)
                break;
            ++scanned;
            lastLine += home::questionStepCount(line);
        }
        if (scanned < st.QuestionCount) {
            site.fail(plat::err::InputPastEndOfFile,
                QStringLiteral("%1 holds %2 of %3 questions")
                    .arg(st.QuestionListFile)
                    .arg(scanned)
                    .arg(st.QuestionCount));
            return false;
        }
        QFile steps(plat::resolvePath(st.StepFile));
        if (steps.size() > plat::kMaxDataFileBytes || !steps.open(QIODevice::ReadOnly)) {
            site.fail(plat::err::FileNotFound, st.StepFile);
            return false;
        }
        const auto stepLines = home::byteLines(steps.readAll()).size();
        if (stepLines < lastLine) {
            site.fail(plat::err::InputPastEndOfFile,
                QStringLiteral("%1 holds %2 of %3 step lines")
                    .arg(st.StepFile)
                    .arg(stepLines)
                    .arg(lastLine));
            return false;
        }
        return true;
    }
}

void startLianXi(shell::System& sys)
{
    shell::AppState& st = sys.state;
    const shell::ErrorSite site(st, QStringLiteral("startlianxi"));
    st.AnswerTextFile = sys.skinFile(QStringLiteral("288890"));
    st.StepFile = sys.skinFile(stepengine::stepFileName(st.StudyMode, st.SetNo));
    st.QuestionListFile = sys.skinFile(stepengine::questionFileName(st.StudyMode, st.SetNo));
    st.CurrentQuestion = 1;
    st.CurrentStep = 1;
    st.MinutesLeft = shell::kExamMinutes;

    // A set that could not be written is not the bank's fault: upgrading it would not help.
    if (st.SetNotWritten || !slotComplete(sys, site)) {
        widgets::ask(sys, QStringLiteral("开始练习"),
            QStringLiteral("\r\n\r\n\r\n")
                + (st.SetNotWritten ? QStringLiteral("本套题目的题目文件")
                            + QString::fromUtf16(kNotWrittenToModuleFolder)
                            + QStringLiteral("不能开始练习。请让模块文件夹可以写入后再试。")
                                    : QStringLiteral(
                                        "本套题目的题库文件缺失或不完整，不能开始练习。请升级题库后"
                                        "再试。")),
            widgets::kMsgIconEmpty);
        return;
    }

    // First-step table, cleared first so that no entry of an earlier set survives.
    st.FirstStepTable.fill(0);
    const auto questions = plat::readLines(st.QuestionListFile);
    if (site.check(questions)) {
        const QList<int> table = home::firstStepLines(questions.value());
        for (int q = 1; q <= table.size(); ++q)
            st.FirstStepTable(q) = static_cast<int16_t>(table[q - 1]);
        st.QuestionLine = questions.value().value(std::min<int>(
            static_cast<int>(table.size()) - 1, static_cast<int>(questions.value().size()) - 1));
    }

    // Favourites start flagged; only the questions of this set are touched.
    const records::ReviewedList favourites
        = records::readFavourites(records::RecordsDir::of(sys), site);
    const QString key = records::searchText(favourites.ids);
    for (int i = 1; i <= st.QuestionCount; ++i) {
        const auto id = records::idText(st.QuestionIds(i));
        if (id && key.contains(*id) && !records::isFlagged(st.QuestionState(i)))
            st.QuestionState(i) = static_cast<int16_t>(st.QuestionState(i) + 2);
    }

    sys.form<home::FrmFengmian>().closeForExercise();
    if (shell::isPaper(st.studyMode())) {
        sys.handovers.showLogin(sys);
        return;
    }
    sys.exerciseWindows().openExercise(true);
}

} // namespace flow
