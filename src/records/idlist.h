#pragma once

// The rules of the id lists and review lines of the learner records, as pure functions.
//
// An id list is the 4-digit question ids uuqq written one after the other ("01020310" holds
// 0102 and 0310); a review line holds one character per id of its list, "T" for reviewed and
// anything else for not yet reviewed. A list and its review line are read into one
// ReviewedList, so the two can never fall out of step: the review line is cut to the list's
// length or padded with "F" (an id without a review character is unreviewed, never dropped).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace records {

// Most ids any list or question set holds (the exercise tables have 500 entries).
inline constexpr int kMaxIds = 500;

// The question-state flags of an exercise: 1 visited, 2 flagged, 4 done.
inline bool isFlagged(int16_t questionState) { return (questionState & 2) != 0; }
inline bool isDone(int16_t questionState) { return questionState >= 4; }

// The one rule for "reviewed": the review character is "T". Everything else (an "F", any other
// character, a missing character) is unreviewed, for the panel's counts and groups and for the
// end of practice alike.
inline bool isReviewed(QChar c) { return c == u'T'; }

// The 4-digit id text of a question id as the exercise state holds it ("7" -> "0007",
// "0312" -> "0312"). Empty when the text is not a whole number from 0 to 9999 (an id such as
// "12345" is never cut into another question's "2345").
std::optional<QString> idText(const QString& questionId);

// Whether a 4-character chunk of a list line is an id: four ASCII digits.
bool isIdText(const QString& chunk);

// The chunks of a list line: characters 4i-3..4i for i = 1 .. length \ 4, and a shorter last
// piece when the length is not a multiple of 4 (so a caller can report it).
QStringList chunksOf(const QString& line);

// The groups of a list chosen by a panel's toggles, as the sum the panel keeps: 1 the
// unreviewed ids, 2 the reviewed ids, 3 both, 0 none.
enum ReviewGroups : int { NoGroup = 0, UnreviewedGroup = 1, ReviewedGroup = 2, BothGroups = 3 };

struct ReviewedList {
    QStringList ids; // 4-digit id texts in list order
    QString review; // exactly one character per id

    int count() const { return static_cast<int>(ids.size()); }
    bool reviewedAt(int i) const { return isReviewed(review.at(i)); } // 0-based
    int reviewedCount() const;
    int unreviewedCount() const;
    // The ids of the chosen groups, in list order.
    QStringList idsOf(ReviewGroups groups) const;
    // The ids of the chosen groups with their own review characters.
    ReviewedList keep(ReviewGroups groups) const;
    // 0-based positions of the unreviewed ids, in order: question k of a practice of the
    // unreviewed group is the id at the k-th of them.
    QList<int> unreviewedPositions() const;
    // The lines as the files hold them.
    QString listLine() const { return ids.join(QString()); }
    const QString& reviewLine() const { return review; }
};

// A list and its review line as read from their files (both already trimmed). Chunks that are
// not ids are skipped together with their review characters and returned in `rejected`; the
// review line is then cut or padded with "F" to the number of ids.
struct ParsedList {
    ReviewedList list;
    QStringList rejected;
};
ParsedList parseReviewedList(const QString& listLine, const QString& reviewLine);
// A list line alone (a paper's wrong questions, a paper's id line).
struct ParsedIds {
    QStringList ids;
    QStringList rejected;
};
ParsedIds parseIdList(const QString& listLine);

// A review line made as long as `count`: cut, or padded with "F".
QString fittedReview(const QString& review, int count);

// The membership search text: "_" & id1 & "_" & id2 ... An id is present when its text occurs
// in it; because every id is four digits behind its own "_", no match can straddle two ids.
QString searchText(const QStringList& ids);
// The 1-based position in the list of the first occurrence of `id`, from the offset of its
// match in the search text: (offset + 3) / 5. 0 when absent or when `id` is not an id text.
int positionInSearchText(const QString& search, const QString& id);

} // namespace records
