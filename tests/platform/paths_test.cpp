// File names as the system's data give them: "\" separators and names that differ in case.
#include "platform/paths.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;
using testsupport::writeFile;

namespace {

class Paths : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path();
        clearPathCache();
    }
    QString path(const QString& relative) const { return root_ + QLatin1Char('/') + relative; }

    QTemporaryDir dir_;
    QString root_;
};

// Changes the current folder for one test.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder)
        : saved_(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace

TEST(ToNativeSeparators, TurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(toNativeSeparators(QStringLiteral("ExamData\\Menu.MXY")),
        QStringLiteral("ExamData/Menu.MXY"));
    EXPECT_EQ(toNativeSeparators(QStringLiteral("\\\\a\\b/c\\")), QStringLiteral("//a/b/c/"));
    EXPECT_EQ(toNativeSeparators(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(toNativeSeparators(QString()), QString());
}

TEST_F(Paths, ExactNamesComeBackUnchanged)
{
    writeFile(path("ICO12.cur"), "c");
    EXPECT_EQ(resolvePath(path("ICO12.cur")), path("ICO12.cur"));
    EXPECT_EQ(resolvePath(root_), root_);
    EXPECT_TRUE(fileExists(path("ICO12.cur")));
}

TEST_F(Paths, FindsAFileThatDiffersInCase)
{
    writeFile(path("ico12.CUR"), "c");
    EXPECT_EQ(resolvePath(path("ICO12.cur")), path("ico12.CUR"));
    EXPECT_TRUE(fileExists(path("ICO12.cur")));
    EXPECT_TRUE(fileExists(path("Ico12.Cur")));
}

TEST_F(Paths, FindsANestedFileThroughFoldersThatDifferInCase)
{
    writeFile(path("ExamData/Menu.MXY"), "m");
    EXPECT_EQ(resolvePath(path("examdata/menu.mxy")), path("ExamData/Menu.MXY"));
    EXPECT_EQ(resolvePath(path("examdata\\menu.mxy")), path("ExamData/Menu.MXY"));
    EXPECT_EQ(
        resolvePath(root_ + QStringLiteral("\\EXAMDATA\\MENU.MXY")), path("ExamData/Menu.MXY"));
    EXPECT_EQ(resolvePath(path("examdata")), path("ExamData"));
    EXPECT_TRUE(fileExists(path("examdata/menu.mxy")));
    EXPECT_FALSE(fileExists(path("examdata"))); // a folder is not a file
}

TEST_F(Paths, AnExactMatchWinsOverOneIgnoringCase)
{
    writeFile(path("a/Pic.bmp"), "upper");
    writeFile(path("a/pic.bmp"), "lower");
    writeFile(path("A/pic.bmp"), "other folder");
    EXPECT_EQ(resolvePath(path("a/pic.bmp")), path("a/pic.bmp"));
    EXPECT_EQ(resolvePath(path("a/Pic.bmp")), path("a/Pic.bmp"));
    // Neither matches exactly: the first in code-unit order, every time.
    EXPECT_EQ(resolvePath(path("a/PIC.BMP")), path("a/Pic.bmp"));
    EXPECT_EQ(resolvePath(path("a/PIC.BMP")), path("a/Pic.bmp"));
    // An exact folder component is kept even where a case variant exists.
    writeFile(path("A/only.txt"), "x");
    EXPECT_EQ(resolvePath(path("A/ONLY.TXT")), path("A/only.txt"));
    // No going back: "a" matched exactly, it has no such file, so "A" is not tried.
    EXPECT_EQ(resolvePath(path("a/ONLY.TXT")), path("a/ONLY.TXT"));
}

TEST_F(Paths, NothingMatchingGivesThePathBackWithSlashes)
{
    writeFile(path("ExamData/Menu.MXY"), "m");
    const QString missing = root_ + QStringLiteral("\\ExamData\\Nothing.bmp");
    EXPECT_EQ(resolvePath(missing), path("ExamData/Nothing.bmp"));
    EXPECT_EQ(resolvePath(path("nofolder/menu.mxy")), path("nofolder/menu.mxy"));
    EXPECT_EQ(resolvePath(path("examdata/menu.mxy/deeper")), path("examdata/menu.mxy/deeper"));
    EXPECT_EQ(resolvePath(QString()), QString());
    EXPECT_FALSE(fileExists(missing));
    EXPECT_FALSE(fileExists(QString()));
}

TEST_F(Paths, RelativePathsStayRelative)
{
    writeFile(path("ExamData/Menu.MXY"), "m");
    const CurrentFolder here(root_);
    EXPECT_EQ(
        resolvePath(QStringLiteral("examdata\\menu.mxy")), QStringLiteral("ExamData/Menu.MXY"));
    EXPECT_EQ(
        resolvePath(QStringLiteral("./examdata/menu.mxy")), QStringLiteral("./ExamData/Menu.MXY"));
    EXPECT_EQ(resolvePath(QStringLiteral("examdata/../EXAMDATA/menu.mxy")),
        QStringLiteral("ExamData/../ExamData/Menu.MXY"));
    EXPECT_TRUE(fileExists(QStringLiteral("EXAMDATA/MENU.MXY")));
}

TEST_F(Paths, ChineseNamesResolve)
{
    writeFile(path(QStringLiteral("题库/第1题.TXT")), "q");
    EXPECT_EQ(resolvePath(path(QStringLiteral("题库\\第1题.txt"))),
        path(QStringLiteral("题库/第1题.TXT")));
}

TEST_F(Paths, FilesCreatedAfterAListingAreFound)
{
    writeFile(path("Pics/one.BMP"), "1");
    EXPECT_EQ(resolvePath(path("pics/ONE.bmp")), path("Pics/one.BMP")); // the listing is cached now
    EXPECT_FALSE(fileExists(path("pics/two.bmp")));
    // Created in the same second, possibly without changing the folder's time: a miss reads the
    // young listing again.
    writeFile(path("Pics/Two.Bmp"), "2");
    EXPECT_EQ(resolvePath(path("pics/two.bmp")), path("Pics/Two.Bmp"));
    EXPECT_TRUE(fileExists(path("pics/two.bmp")));
}

TEST_F(Paths, RemovedAndRenamedFilesAreNoticed)
{
    writeFile(path("Pics/one.BMP"), "1");
    EXPECT_EQ(resolvePath(path("pics/one.bmp")), path("Pics/one.BMP"));
    ASSERT_TRUE(QFile::rename(path("Pics/one.BMP"), path("Pics/ONE.bmp")));
    EXPECT_EQ(resolvePath(path("pics/one.bmp")), path("Pics/ONE.bmp"));
    ASSERT_TRUE(QFile::remove(path("Pics/ONE.bmp")));
    EXPECT_FALSE(fileExists(path("pics/one.bmp")));
    EXPECT_EQ(resolvePath(path("pics/one.bmp")), path("pics/one.bmp"));

    // A folder renamed under a cached listing.
    writeFile(path("Pics/Sub/x.bmp"), "x");
    EXPECT_EQ(resolvePath(path("pics/sub/X.BMP")), path("Pics/Sub/x.bmp"));
    ASSERT_TRUE(QDir(path("Pics")).rename("Sub", "SUB"));
    EXPECT_EQ(resolvePath(path("pics/sub/X.BMP")), path("Pics/SUB/x.bmp"));
}

TEST_F(Paths, ClearPathCacheForgetsListings)
{
    writeFile(path("Pics/one.BMP"), "1");
    EXPECT_EQ(resolvePath(path("pics/one.bmp")), path("Pics/one.BMP"));
    clearPathCache();
    EXPECT_EQ(resolvePath(path("pics/one.bmp")), path("Pics/one.BMP"));
}

TEST_F(Paths, BrokenSymbolicLinksAreNotFiles)
{
    writeFile(path("Data/real.txt"), "r");
    ASSERT_EQ(::symlink("nowhere.txt", QFile::encodeName(path("Data/Link.txt")).constData()), 0);
    ASSERT_EQ(::symlink("real.txt", QFile::encodeName(path("Data/Good.txt")).constData()), 0);
    EXPECT_FALSE(fileExists(path("data/link.txt")));
    EXPECT_TRUE(fileExists(path("data/good.txt")));
    EXPECT_EQ(resolvePath(path("data/good.txt")), path("Data/Good.txt"));
}

// Repeated look-ups are a map search: a folder is listed once and not read again while its
// modification time stays the same. Shown by adding a file behind the cache's back (the folder's
// time put back to where it was, well in the past), which only clearPathCache() reveals.
TEST_F(Paths, ListingsAreCachedUntilTheFolderChanges)
{
    writeFile(path("Pics/one.BMP"), "1");
    const QByteArray folder = QFile::encodeName(path("Pics"));
    const struct timespec past[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.constData(), past, 0), 0);

    EXPECT_EQ(resolvePath(path("pics/ONE.bmp")), path("Pics/one.BMP"));
    writeFile(path("Pics/Two.BMP"), "2");
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.constData(), past, 0), 0);
    EXPECT_FALSE(fileExists(path("pics/two.bmp"))); // the cached listing answered
    EXPECT_TRUE(fileExists(path("Pics/Two.BMP"))); // exact names never need a listing

    clearPathCache();
    EXPECT_EQ(resolvePath(path("pics/two.bmp")), path("Pics/Two.BMP"));

    // A real change gives the folder a new time, and the listing is read again.
    writeFile(path("Pics/Three.BMP"), "3");
    EXPECT_EQ(resolvePath(path("pics/three.bmp")), path("Pics/Three.BMP"));
}
