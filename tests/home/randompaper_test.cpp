// Drawing a random paper with a seeded source: 40 different ids within the bank, and the banks
// from which no paper can be drawn.

#include "home/randompaper.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace home;

namespace {
void expectValidPaper(const RandomDraw& d, const QList<int>& sizes)
{
    ASSERT_TRUE(d.ok) << d.problem.toStdString();
    ASSERT_EQ(d.ids.size(), 160);
    QSet<QString> seen;
    for (int i = 0; i < 40; ++i) {
        const QString id = d.ids.mid(4 * i, 4);
        const int u = id.left(2).toInt();
        const int q = id.mid(2).toInt();
        EXPECT_LT(u, sizes.size()) << id.toStdString();
        ASSERT_GE(u, 0);
        EXPECT_GE(q, 1) << id.toStdString();
        EXPECT_LE(q, sizes[u]) << id.toStdString();
        EXPECT_FALSE(seen.contains(id)) << "repeated " << id.toStdString();
        seen.insert(id);
    }
}
}

TEST(RandomPaperDraw, FortyDistinctIdsWithinTheBank)
{
    const QList<int> banks[] = {
        { 20, 18, 17, 19, 17 }, // the sample module
        { 40 }, // one unit: exactly its questions
        { 99, 1, 3 },
        { 0, 30, 0, 15 }, // empty units are never chosen
        { 8, 8, 8, 8, 8, 8, 8 },
    };
    for (const QList<int>& sizes : banks)
        for (const quint32 seed : { 1u, 42u, 2026u })
            expectValidPaper(drawRandomPaper(sizes, seededSource(seed)), sizes);
}

TEST(RandomPaperDraw, OneUnitGivesUnitPartZeroAndEveryQuestionOnce)
{
    const RandomDraw d = drawRandomPaper({ 40 }, seededSource(7));
    ASSERT_TRUE(d.ok);
    QSet<int> questions;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(d.ids.mid(4 * i, 2), "00");
        questions.insert(d.ids.mid(4 * i + 2, 2).toInt());
    }
    EXPECT_EQ(questions.size(), 40);
}

TEST(RandomPaperDraw, TheSameSeedDrawsTheSamePaper)
{
    const QList<int> sizes { 20, 18, 17, 19, 17 };
    EXPECT_EQ(
        drawRandomPaper(sizes, seededSource(5)).ids, drawRandomPaper(sizes, seededSource(5)).ids);
    EXPECT_NE(
        drawRandomPaper(sizes, seededSource(5)).ids, drawRandomPaper(sizes, seededSource(6)).ids);
}

TEST(RandomPaperDraw, TooSmallBanksAreRefusedWithAReason)
{
    const QList<int> banks[] = { {}, { 0 }, { 0, 0 }, { 39 }, { 10, 10, 10, 9 } };
    for (const QList<int>& sizes : banks) {
        const RandomDraw d = drawRandomPaper(sizes, seededSource(1));
        EXPECT_FALSE(d.ok);
        EXPECT_TRUE(d.ids.isEmpty());
        EXPECT_FALSE(d.problem.isEmpty());
    }
}

TEST(RandomPaperDraw, ABrokenSourceEndsInsteadOfLooping)
{
    // Always the same number: the second question is always a repeat.
    const RandomDraw d = drawRandomPaper({ 50, 50 }, [] { return 0.25; });
    EXPECT_FALSE(d.ok);
    EXPECT_FALSE(d.problem.isEmpty());
    // A source that strays outside [0, 1) is held to it.
    UniformSource stray = [good = seededSource(3), n = 0]() mutable {
        ++n;
        return n % 5 == 0 ? 1.0 : n % 7 == 0 ? -0.3 : good();
    };
    expectValidPaper(drawRandomPaper({ 45 }, stray), { 45 });
}
