#include "support/testsupport.h"

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace testsupport {

QString outputDir()
{
    QString dir = QStringLiteral(KSXT_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    return dir;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool launchQuestions(shell::System& sys)
{
    shell::AppState& st = sys.state;
    st.StepFile = sys.skinFile(stepengine::stepFileName(st.StudyMode, st.SetNo));
    st.QuestionListFile = sys.skinFile(stepengine::questionFileName(st.StudyMode, st.SetNo));
    const auto questions = plat::readLines(st.QuestionListFile);
    if (!questions.ok())
        return false;
    st.QuestionCount = 0;
    int line = 1;
    for (const QString& q : questions.value()) {
        ++st.QuestionCount;
        st.FirstStepTable(st.QuestionCount) = static_cast<int16_t>(line);
        st.QuestionIds(st.QuestionCount) = q.left(4);
        st.QuestionState(st.QuestionCount) = 1;
        line += plat::mid(q, 5, 2).toInt();
    }
    return true;
}

} // namespace testsupport
