#include "home/randompaper.h"

#include "core/appstate.h"
#include "platform/text.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <algorithm>
#include <memory>

namespace home {

UniformSource clockSeededSource()
{
    return seededSource(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

UniformSource seededSource(quint32 seed)
{
    auto gen = std::make_shared<QRandomGenerator>(seed);
    return [gen] { return gen->generateDouble(); };
}

namespace {
    // Int(Rnd x 1000): the draw's three-digit number.
    int draw1000(const UniformSource& rnd)
    {
        const double r = rnd();
        return std::clamp(static_cast<int>(r * 1000), 0, 999);
    }
}

RandomDraw drawRandomPaper(const QList<int>& unitSizes, const UniformSource& rnd)
{
    RandomDraw result;
    const int units = static_cast<int>(unitSizes.size());
    int total = 0;
    for (const int n : unitSizes)
        total += std::clamp(n, 0, 99);
    if (units == 0 || total < shell::kPaperQuestions) {
        result.problem = QStringLiteral("题库中的题目不足%1道，无法生成随机试卷。")
                             .arg(shell::kPaperQuestions);
        return result;
    }
    // With at least 40 questions a fair source finishes in a few hundred draws; the bound only
    // stops a broken source from hanging the program.
    constexpr int kMaxDraws = 200000;
    QString seen = QStringLiteral("aa");
    QString ids;
    int draws = 0;
    for (int k = 1; k <= shell::kPaperQuestions; ++k) {
        for (;;) {
            if (++draws > kMaxDraws) {
                result.problem = QStringLiteral("无法生成随机试卷，请重试。");
                return result;
            }
            const int u = draw1000(rnd) % units;
            const int n = std::clamp(unitSizes[u], 0, 99);
            const int pick = draw1000(rnd);
            if (n == 0)
                continue;
            const int q = pick % n + 1;
            const QString id = plat::twoDigits(u) + plat::twoDigits(q);
            if (seen.contains(id))
                continue;
            seen += QLatin1Char('_') + id;
            ids += id;
            break;
        }
    }
    result.ok = true;
    result.ids = ids;
    return result;
}

} // namespace home
