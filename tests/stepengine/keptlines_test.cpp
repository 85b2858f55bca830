// The kept lines of the files a step reads: served again while a file stays the same, read
// afresh once it changes, and a failure reported at every call until the file can be read.

#include "stepengine/keptlines.h"

#include "support/testsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(KeptLines, FollowTheFileThroughChangesAndFailures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString answers = dir.filePath(QStringLiteral("288890.mxy"));
    const QString steps = dir.filePath(QStringLiteral("l30001.mxy"));
    testsupport::writeFile(answers, QByteArray("001 one\r\n002 two\r\n"));
    testsupport::writeFile(steps, QByteArray("step a\r\n"));

    auto first = stepengine::keptLines(answers);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.value(), (QStringList { "001 one", "002 two" }));
    // Another file read in between does not push the first one out.
    ASSERT_TRUE(stepengine::keptLines(steps).ok());

    // A rewrite of another size is read afresh.
    testsupport::writeFile(answers, QByteArray("001 one\r\n002 two\r\n003 three\r\n"));
    auto rewritten = stepengine::keptLines(answers);
    ASSERT_TRUE(rewritten.ok());
    EXPECT_EQ(rewritten.value().size(), 3);

    // A file gone fails at every call and is read again once it is back.
    ASSERT_TRUE(QFile::remove(answers));
    EXPECT_FALSE(stepengine::keptLines(answers).ok());
    EXPECT_FALSE(stepengine::keptLines(answers).ok());
    testsupport::writeFile(answers, QByteArray("009 back\r\n"));
    auto back = stepengine::keptLines(answers);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), QStringList { "009 back" });
    EXPECT_EQ(stepengine::keptLines(steps).value(), QStringList { "step a" });
}

} // namespace
