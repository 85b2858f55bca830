#include "records/idlist.h"

#include "platform/text.h"

namespace records {

std::optional<QString> idText(const QString& questionId)
{
    const QString t = plat::trimSpaces(questionId);
    if (t.isEmpty() || t.size() > 4)
        return std::nullopt;
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return QStringLiteral("0000").left(4 - t.size()) + t;
}

bool isIdText(const QString& chunk)
{
    if (chunk.size() != 4)
        return false;
    for (const QChar c : chunk)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QStringList chunksOf(const QString& line)
{
    QStringList chunks;
    for (qsizetype at = 0; at < line.size(); at += 4)
        chunks.append(line.mid(at, 4));
    return chunks;
}

int ReviewedList::reviewedCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += reviewedAt(i) ? 1 : 0;
    return n;
}

int ReviewedList::unreviewedCount() const { return count() - reviewedCount(); }

ReviewedList ReviewedList::keep(ReviewGroups groups) const
{
    ReviewedList kept;
    for (int i = 0; i < count(); ++i) {
        const ReviewGroups group = reviewedAt(i) ? ReviewedGroup : UnreviewedGroup;
        if ((groups & group) != 0) {
            kept.ids.append(ids.at(i));
            kept.review.append(review.at(i));
        }
    }
    return kept;
}

QStringList ReviewedList::idsOf(ReviewGroups groups) const { return keep(groups).ids; }

QList<int> ReviewedList::unreviewedPositions() const
{
    QList<int> positions;
    for (int i = 0; i < count(); ++i)
        if (!reviewedAt(i))
            positions.append(i);
    return positions;
}

QString fittedReview(const QString& review, int count)
{
    if (review.size() >= count)
        return review.left(count);
    return review + QString(count - review.size(), u'F');
}

ParsedList parseReviewedList(const QString& listLine, const QString& reviewLine)
{
    ParsedList parsed;
    const QStringList chunks = chunksOf(listLine);
    QString review;
    for (int i = 0; i < chunks.size(); ++i) {
        if (!isIdText(chunks.at(i))) {
            parsed.rejected.append(chunks.at(i));
            continue;
        }
        parsed.list.ids.append(chunks.at(i));
        // An id without a review character is unreviewed.
        review.append(i < reviewLine.size() ? reviewLine.at(i) : QChar(u'F'));
    }
    parsed.list.review = review;
    return parsed;
}

ParsedIds parseIdList(const QString& listLine)
{
    ParsedIds parsed;
    for (const QString& chunk : chunksOf(listLine)) {
        if (isIdText(chunk))
            parsed.ids.append(chunk);
        else
            parsed.rejected.append(chunk);
    }
    return parsed;
}

QString searchText(const QStringList& ids)
{
    QString text;
    for (const QString& id : ids)
        text += QLatin1Char('_') + id;
    return text;
}

int positionInSearchText(const QString& search, const QString& id)
{
    if (!isIdText(id))
        return 0;
    const qsizetype at = search.indexOf(id);
    if (at < 0)
        return 0;
    const int offset = static_cast<int>(at) + 1;
    return (offset + 3) / 5;
}

} // namespace records
