#include "support/testsupport.h"

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <gtest/gtest.h>

#include <cstdlib>

namespace testsupport {

QString outputDir()
{
    QString dir = QStringLiteral(KSXT_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    return dir;
}

int inkIn(const QImage& image, const QRect& area)
{
    const QRect r = area & image.rect();
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            ground = it.key();
        }
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qGray(p) - qGray(ground)) > 60)
                ++ink;
        }
    return ink;
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
