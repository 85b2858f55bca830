#include "records/learnerrecords.h"

#include "core/appstate.h"
#include "core/errorreport.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/operation.h"
#include "records/recordio.h"

#include <algorithm>
#include <functional>

namespace records {

Exercise::Exercise(const shell::AppState& state)
    : QuestionCount(state.QuestionCount)
    , StudyMode(state.StudyMode)
    , SetNo(state.SetNo)
    , RecordNo(state.RecordNo)
{
    const int copied = std::clamp<int>(std::max<int>(state.QuestionCount, 40), 0, kMaxIds);
    for (int i = 1; i <= copied; ++i) {
        ids.append(state.QuestionIds(i));
        states.append(state.QuestionState(i));
    }
}

namespace {

    // A list file and its review file.
    struct ListFiles {
        RecordsDir dir;
        QString list;
        QString review;
    };

    ListFiles favourites(const RecordsDir& dir)
    {
        return { dir, FavouritesFile(dir), FavouritesReviewFile(dir) };
    }

    ListFiles wrongBook(const RecordsDir& dir)
    {
        return { dir, WrongBookFile(dir), WrongBookReviewFile(dir) };
    }

    // The list with its review line; nothing when either file is there but cannot be read (a
    // rewrite would lose it).
    std::optional<ReviewedList> readPair(const ListFiles& files, const shell::ErrorSite& site)
    {
        const std::optional<QString> list = io::line1ToRewrite(files.list, site);
        const std::optional<QString> review = io::line1ToRewrite(files.review, site);
        if (!list || !review)
            return std::nullopt;
        ParsedList parsed = parseReviewedList(*list, *review);
        io::reportRejected(files.list, parsed.rejected, site);
        return std::move(parsed.list);
    }

    // The list and its review line change together: the marks never fall out of step with
    // the ids.
    Saved writePair(const ListFiles& files, const ReviewedList& list, const shell::ErrorSite& site)
    {
        Operation op(files.dir, site);
        io::write(files.list, { list.listLine() }, site);
        io::write(files.review, { list.reviewLine() }, site);
        return op.finish(true, site);
    }

    bool anyDone(const Exercise& exercise)
    {
        for (int i = 1; i <= exercise.QuestionCount; ++i)
            if (isDone(exercise.QuestionState(i)))
                return true;
        return false;
    }

    // The id text of question i of the exercise; a question id that is not one is reported.
    std::optional<QString> idOfQuestion(
        const Exercise& exercise, int i, const QString& file, const shell::ErrorSite& site)
    {
        const std::optional<QString> id = idText(exercise.QuestionIds(i));
        if (!id)
            io::reportRejected(file, { exercise.QuestionIds(i) }, site);
        return id;
    }

    // Appends `id` unreviewed when it is not present yet; a full list refuses it.
    void appendNew(
        ReviewedList& list, const QString& id, const QString& file, const shell::ErrorSite& site)
    {
        if (positionInSearchText(searchText(list.ids), id) != 0)
            return;
        if (list.count() >= kMaxIds) {
            io::reportRefused(file,
                QStringLiteral("the list holds %1 ids; %2 is not added").arg(kMaxIds).arg(id),
                site);
            return;
        }
        list.ids.append(id);
        list.review.append(u'F');
    }

    bool addFlagged(const ListFiles& files, const Exercise& exercise, const shell::ErrorSite& site)
    {
        std::optional<ReviewedList> read = readPair(files, site);
        if (!read)
            return false;
        ReviewedList& list = *read;
        for (int i = 1; i <= exercise.QuestionCount; ++i) {
            if (!isFlagged(exercise.QuestionState(i)))
                continue;
            if (const auto id = idOfQuestion(exercise, i, files.list, site))
                appendNew(list, *id, files.list, site);
        }
        return writePair(files, list, site).ok;
    }

    bool removeUnflagged(
        const ListFiles& files, const Exercise& exercise, const shell::ErrorSite& site)
    {
        std::optional<ReviewedList> read = readPair(files, site);
        if (!read)
            return false;
        ReviewedList& list = *read;
        for (int i = 1; i <= exercise.QuestionCount; ++i) {
            if (isFlagged(exercise.QuestionState(i)))
                continue;
            const std::optional<QString> id = idText(exercise.QuestionIds(i));
            if (!id)
                continue; // never in a list
            // Every occurrence goes, each with its own review character.
            for (int p = positionInSearchText(searchText(list.ids), *id); p != 0;
                 p = positionInSearchText(searchText(list.ids), *id)) {
                list.ids.removeAt(p - 1);
                list.review.remove(p - 1, 1);
            }
        }
        return writePair(files, list, site).ok;
    }

    bool markReviewed(const ListFiles& files, const Exercise& exercise, shell::StudyMode allMode,
        shell::StudyMode unreviewedMode, const shell::ErrorSite& site)
    {
        const std::optional<shell::StudyMode> mode = exercise.studyMode();
        if ((mode != allMode && mode != unreviewedMode) || !anyDone(exercise))
            return true;
        std::optional<ReviewedList> read = readPair(files, site);
        if (!read)
            return false;
        ReviewedList& list = *read;
        for (int k = 1; k <= exercise.QuestionCount; ++k) {
            if (!isDone(exercise.QuestionState(k)))
                continue;
            const std::optional<QString> id = idText(exercise.QuestionIds(k));
            for (int i = 0; id && i < list.count(); ++i)
                if (list.ids.at(i) == *id)
                    list.review[i] = u'T';
        }
        return io::write(files.review, { list.reviewLine() }, site);
    }

    Cleared clear(const ListFiles& files, ReviewGroups cleared, const shell::ErrorSite& site)
    {
        const std::optional<ReviewedList> list = readPair(files, site);
        if (!list)
            return { Saved { false, io::Failure::Unreadable, Left::Old }, false, {} };
        if (cleared == NoGroup || list->count() == 0)
            return {};
        Cleared result;
        result.kept = list->keep(static_cast<ReviewGroups>(BothGroups & ~cleared));
        result.saved = writePair(files, result.kept, site);
        result.changed = result.saved.ok;
        return result;
    }

    // The ids of `paperLine` (characters 4i-3..4i for question i = 1..40) whose question is not
    // completed, in paper order. A missing id (a short line) adds nothing.
    QStringList undoneOfPaper(const Exercise& exercise, const QString& paperLine,
        const QString& file, const shell::ErrorSite& site)
    {
        QStringList ids;
        for (int i = 1; i <= 40; ++i) {
            if (isDone(exercise.QuestionState(i)))
                continue;
            const QString chunk = plat::mid(paperLine, 4 * i - 3, 4);
            if (chunk.isEmpty())
                continue;
            if (isIdText(chunk))
                ids.append(chunk);
            else
                io::reportRejected(file, { chunk }, site);
        }
        return ids;
    }

    bool validPaper(int paper) { return paper >= 0 && paper <= 30; }

    // Moves the wrong-question files of papers `from` over papers `to`, pair by pair in order,
    // without changing their bytes. A missing source leaves no list behind, never the
    // destination's old one; a source that is there but cannot be read is reported and the
    // caller drops the whole shift.
    bool movePaperWrong(const RecordsDir& dir, const QList<std::pair<int, int>>& fromTo,
        const shell::ErrorSite& site)
    {
        bool ok = true;
        for (const auto& [from, to] : fromTo) {
            if (!io::linesToRewrite(PaperWrongFile(dir, from), site)) {
                ok = false;
                continue;
            }
            io::moveOver(PaperWrongFile(dir, from), PaperWrongFile(dir, to), site);
        }
        return ok;
    }

    int clampedRandomCount(int count) { return std::clamp(count, 0, 10); }

    // Rows 0 to rows - 1 of the table, each line followed by CR LF; the random papers' rewrites
    // end the file with one empty line, a scoring's with its last row.
    enum class EmptyLast { No, Yes };
    bool writeHistoryRows(const RecordsDir& dir, const ExamHistory& table, int rows,
        EmptyLast emptyLast, const shell::ErrorSite& site)
    {
        QStringList lines;
        for (int n = 1; n <= 3 * rows; ++n)
            lines.append(table.line(n));
        if (emptyLast == EmptyLast::Yes)
            lines.append(QString());
        return io::write(ExamHistoryFile(dir), lines, site);
    }

    void copyRow(ExamHistory& table, int from, int to)
    {
        for (int j = 1; j <= 3; ++j)
            table.line(3 * to + j) = table.line(3 * from + j);
    }

    // Progress lines 0..25 (missing ones empty); nothing when the file cannot be read.
    std::optional<QStringList> progressLines(
        const RecordsDir& dir, const shell::ErrorSite& site, int* linesRead)
    {
        std::optional<QStringList> lines
            = io::linesToRewrite(UnitProgressFile(dir), site, kProgressLinesRead);
        if (!lines)
            return std::nullopt;
        if (linesRead)
            *linesRead = static_cast<int>(lines->size());
        while (lines->size() < kProgressLinesRead)
            lines->append(QString());
        return lines;
    }

    // Lines 0 .. count-1 and a final empty line. An unknown unit count (0) never shortens the
    // file: it keeps the lines it had and the one just changed.
    bool writeProgress(const RecordsDir& dir, const QStringList& lines, int unitCount,
        int linesRead, int changedLine, const shell::ErrorSite& site)
    {
        const int count = std::max(unitCount > 0 ? unitCount : linesRead, changedLine + 1);
        QStringList out = lines.mid(0, count);
        out.append(QString());
        return io::write(UnitProgressFile(dir), out, site);
    }

    QString fittedProgress(const QString& line, int size)
    {
        return size <= 0 ? QString() : fittedReview(line, size);
    }

} // namespace

// ---- Favourites ----

ReviewedList readFavourites(const RecordsDir& dir, const shell::ErrorSite& site)
{
    return readPair(favourites(dir), site).value_or(ReviewedList {});
}

bool addFlaggedFavourites(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site)
{
    return addFlagged(favourites(dir), exercise, site);
}

bool removeUnflaggedFavourites(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site)
{
    return removeUnflagged(favourites(dir), exercise, site);
}

bool markFavouritesReviewed(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site)
{
    return markReviewed(favourites(dir), exercise, shell::StudyMode::AllFavourites,
        shell::StudyMode::UnreviewedFavourites, site);
}

Cleared clearFavourites(const RecordsDir& dir, ReviewGroups cleared, const shell::ErrorSite& site)
{
    return clear(favourites(dir), cleared, site);
}

// ---- Wrong-question book ----

ReviewedList readWrongBook(const RecordsDir& dir, const shell::ErrorSite& site)
{
    return readPair(wrongBook(dir), site).value_or(ReviewedList {});
}

bool addUndoneToWrongBook(const RecordsDir& dir, const Exercise& exercise, const QString& paperLine,
    const shell::ErrorSite& site)
{
    const ListFiles files = wrongBook(dir);
    std::optional<ReviewedList> read = readPair(files, site);
    if (!read)
        return false;
    ReviewedList& list = *read;
    for (const QString& id : undoneOfPaper(exercise, paperLine, files.list, site))
        appendNew(list, id, files.list, site);
    return writePair(files, list, site).ok;
}

bool markWrongBookReviewed(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site)
{
    return markReviewed(wrongBook(dir), exercise, shell::StudyMode::AllWrongBook,
        shell::StudyMode::UnreviewedWrongBook, site);
}

Cleared clearWrongBook(const RecordsDir& dir, ReviewGroups cleared, const shell::ErrorSite& site)
{
    return clear(wrongBook(dir), cleared, site);
}

// ---- A paper's wrong questions ----

QStringList readPaperWrong(const RecordsDir& dir, int paper, const shell::ErrorSite& site)
{
    if (!validPaper(paper))
        return {};
    const QString file = PaperWrongFile(dir, paper);
    ParsedIds parsed = parseIdList(io::readLine1(file, site));
    io::reportRejected(file, parsed.rejected, site);
    return parsed.ids;
}

std::optional<QString> paperWrongLine(
    const RecordsDir& dir, int paper, const shell::ErrorSite& site)
{
    if (!validPaper(paper))
        return QString();
    const QString file = PaperWrongFile(dir, paper);
    std::optional<QString> line = io::line1ToRewrite(file, site);
    // What is not a list file reads as no list for a rewrite (it is set aside first), but a
    // practice of its questions says that it cannot be read.
    if (io::isForeignEntry(file))
        return std::nullopt;
    return line;
}

bool writePaperWrong(const RecordsDir& dir, int paper, const Exercise& exercise,
    const QString& paperLine, const shell::ErrorSite& site)
{
    const QString file = PaperWrongFile(dir, paper);
    if (!validPaper(paper)) {
        io::reportRefused(file, QStringLiteral("no paper %1").arg(paper), site);
        return false;
    }
    return io::write(
        file, { undoneOfPaper(exercise, paperLine, file, site).join(QString()) }, site);
}

bool narrowPaperWrong(
    const RecordsDir& dir, int paper, const Exercise& exercise, const shell::ErrorSite& site)
{
    if (!validPaper(paper) || !anyDone(exercise))
        return true;
    const QString file = PaperWrongFile(dir, paper);
    const std::optional<QString> line = io::line1ToRewrite(file, site);
    if (!line)
        return false;
    const ParsedIds parsed = parseIdList(*line);
    io::reportRejected(file, parsed.rejected, site);
    const QStringList& ids = parsed.ids;
    QStringList kept;
    for (int i = 1; i <= ids.size(); ++i)
        if (!isDone(exercise.QuestionState(i)))
            kept.append(ids.at(i - 1));
    return io::write(file, { kept.join(QString()) }, site);
}

bool shiftPaperWrongForNewRandomPaper(
    const RecordsDir& dir, int randomCount, const shell::ErrorSite& site)
{
    QList<std::pair<int, int>> fromTo;
    for (int i = clampedRandomCount(randomCount); i >= 1; --i)
        fromTo.append({ 19 + i, 20 + i });
    // A list that cannot be read stops the whole shift: no paper takes another's list.
    Operation op(dir, site);
    if (!movePaperWrong(dir, fromTo, site))
        return false;
    io::write(PaperWrongFile(dir, kFirstRandomPaper), { QString() }, site);
    return op.commit(site);
}

bool shiftPaperWrongForDeletedRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site)
{
    const int count = clampedRandomCount(randomCount);
    if (paper < kFirstRandomPaper || paper > count + 19) {
        io::reportRefused(PaperWrongFile(dir, paper),
            QStringLiteral("no random paper %1 among %2").arg(paper).arg(count), site);
        return false;
    }
    QList<std::pair<int, int>> fromTo;
    for (int k = paper; k <= count + 18; ++k)
        fromTo.append({ k + 1, k });
    Operation op(dir, site);
    return movePaperWrong(dir, fromTo, site) && op.commit(site);
}

// ---- Examination history ----

QString ExamHistory::defaultLine(int n)
{
    switch (n % 3) {
    case 1:
        return QStringLiteral("您还未考试！");
    case 2:
        return QStringLiteral("0");
    default:
        return QStringLiteral("E");
    }
}

namespace {
    // The table for a rewrite: nothing when the file is there but cannot be read.
    std::optional<ExamHistory> historyToRewrite(const RecordsDir& dir, const shell::ErrorSite& site)
    {
        const std::optional<QStringList> lines
            = io::linesToRewrite(ExamHistoryFile(dir), site, ExamHistory::kLines);
        if (!lines)
            return std::nullopt;
        ExamHistory table;
        for (int n = 1; n <= ExamHistory::kLines; ++n)
            table.line(n) = n <= lines->size() ? lines->at(n - 1) : ExamHistory::defaultLine(n);
        return table;
    }
}

ExamHistory readExamHistory(const RecordsDir& dir, const shell::ErrorSite& site)
{
    if (std::optional<ExamHistory> table = historyToRewrite(dir, site))
        return *table;
    ExamHistory defaults;
    for (int n = 1; n <= ExamHistory::kLines; ++n)
        defaults.line(n) = ExamHistory::defaultLine(n);
    return defaults;
}

QString historyTime(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString scoreText(double score) { return QString::number(score, 'g', 15); }

bool recordScoring(const RecordsDir& dir, int row, const QString& examStartTime, double score,
    const QDateTime& now, const shell::ErrorSite& site)
{
    if (row < 0 || row > 30) {
        io::reportRefused(ExamHistoryFile(dir), QStringLiteral("no paper row %1").arg(row), site);
        return false;
    }
    std::optional<ExamHistory> read = historyToRewrite(dir, site);
    if (!read)
        return false;
    ExamHistory& table = *read;
    if (examStartTime == QStringLiteral("-1")) {
        table.line(3 * row + 1) = historyTime(now);
    } else {
        table.line(3 * row + 1) = examStartTime;
        if (plat::val(table.bestScore(row)) < score)
            table.line(3 * row + 2) = scoreText(score);
    }
    return writeHistoryRows(dir, table, 31, EmptyLast::No, site);
}

bool historyForNewRandomPaper(
    const RecordsDir& dir, const QDateTime& now, const shell::ErrorSite& site)
{
    std::optional<ExamHistory> read = historyToRewrite(dir, site);
    if (!read)
        return false;
    ExamHistory& table = *read;
    for (int row = 29; row >= 21; --row)
        copyRow(table, row - 1, row);
    table.line(61) = historyTime(now);
    table.line(62) = QStringLiteral("0");
    table.line(63) = QStringLiteral("E");
    return writeHistoryRows(dir, table, 30, EmptyLast::Yes, site);
}

bool historyForDeletedRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site)
{
    const int count = clampedRandomCount(randomCount);
    if (paper < kFirstRandomPaper || paper > count + 19) {
        io::reportRefused(ExamHistoryFile(dir),
            QStringLiteral("no random paper %1 among %2").arg(paper).arg(count), site);
        return false;
    }
    std::optional<ExamHistory> read = historyToRewrite(dir, site);
    if (!read)
        return false;
    ExamHistory& table = *read;
    for (int row = paper; row <= count + 18; ++row)
        copyRow(table, row + 1, row);
    return writeHistoryRows(dir, table, 30, EmptyLast::Yes, site);
}

// ---- Unit progress ----

QStringList readUnitProgress(const RecordsDir& dir, const shell::ErrorSite& site)
{
    return progressLines(dir, site, nullptr).value_or(QStringList(kProgressLinesRead, QString()));
}

QStringList refreshUnitProgress(
    const RecordsDir& dir, const std::optional<QList<int>>& unitSizes, const shell::ErrorSite& site)
{
    const std::optional<QStringList> read = progressLines(dir, site, nullptr);
    QStringList lines
        = read.value_or(QStringList(kProgressLinesRead, QString())).mid(0, kProgressLinesWritten);
    if (!unitSizes || !read)
        return lines; // nothing to fit to, or nothing read: the learner's progress stays
    for (int u = 0; u < kProgressLinesWritten; ++u)
        lines[u] = fittedProgress(lines.at(u), u < unitSizes->size() ? unitSizes->at(u) : 0);
    QStringList out = lines;
    out.append(QString());
    io::write(UnitProgressFile(dir), out, site);
    return lines;
}

namespace {
    // The progress line of one unit, changed by `edit` and written back fitted to the unit
    // sizes. An exercise with nothing done leaves the file alone.
    bool updateUnitProgress(const RecordsDir& dir, const Exercise& exercise, int unit,
        int unitCount, const shell::ErrorSite& site, const std::function<void(QString&)>& edit)
    {
        if (!anyDone(exercise))
            return true;
        if (unit < 0 || unit >= kProgressLinesRead) {
            io::reportRefused(UnitProgressFile(dir), QStringLiteral("no unit %1").arg(unit), site);
            return false;
        }
        int linesRead = 0;
        std::optional<QStringList> read = progressLines(dir, site, &linesRead);
        if (!read)
            return false;
        QStringList& lines = *read;
        edit(lines[unit]);
        return writeProgress(dir, lines, unitCount, linesRead, unit, site);
    }
}

bool recordUnitPractice(
    const RecordsDir& dir, const Exercise& exercise, int unitCount, const shell::ErrorSite& site)
{
    return updateUnitProgress(dir, exercise, exercise.SetNo, unitCount, site, [&](QString& line) {
        line.clear();
        for (int i = 1; i <= exercise.QuestionCount; ++i)
            line.append(isDone(exercise.QuestionState(i)) ? u'T' : u'F');
    });
}

bool recordUnlearnedDone(
    const RecordsDir& dir, const Exercise& exercise, int unitCount, const shell::ErrorSite& site)
{
    return updateUnitProgress(
        dir, exercise, exercise.RecordNo, unitCount, site, [&](QString& line) {
            for (int i = 1; i <= exercise.QuestionCount; ++i) {
                if (!isDone(exercise.QuestionState(i)))
                    continue;
                const auto id = idOfQuestion(exercise, i, UnitProgressFile(dir), site);
                const int qq = id ? id->right(2).toInt() : 0;
                if (qq < 1)
                    continue;
                // A shorter line is filled up with "F", so the "T" lands on its own question.
                if (line.size() < qq)
                    line = fittedReview(line, qq);
                line[qq - 1] = u'T';
            }
        });
}

// ---- Whole operations ----

Saved recordPracticeEnd(const RecordsDir& dir, const Exercise& exercise, int unitCount,
    bool narrowPaper, const shell::ErrorSite& site)
{
    return saveAsOne(dir, site, [&] {
        using shell::StudyMode;
        const std::optional<StudyMode> mode = exercise.studyMode();
        bool ok = true;
        if (anyDone(exercise)) {
            if (mode == StudyMode::WholeUnit)
                ok = recordUnitPractice(dir, exercise, unitCount, site);
            else if (mode == StudyMode::UnitUnlearned)
                ok = recordUnlearnedDone(dir, exercise, unitCount, site);
            else if (mode == StudyMode::AllFavourites || mode == StudyMode::UnreviewedFavourites)
                ok = markFavouritesReviewed(dir, exercise, site);
            else if (mode == StudyMode::AllWrongBook || mode == StudyMode::UnreviewedWrongBook)
                ok = markWrongBookReviewed(dir, exercise, site);
        }
        // Favourites follow the flags of every practice: flagged questions join, unflagged leave.
        // A practice of the favourites themselves only takes its unflagged questions out.
        if (!shell::isFavourites(mode))
            ok = ok && addFlaggedFavourites(dir, exercise, site);
        ok = ok && removeUnflaggedFavourites(dir, exercise, site);
        if (narrowPaper)
            ok = ok && narrowPaperWrong(dir, exercise.RecordNo, exercise, site);
        return ok;
    });
}

Saved addRandomPaper(const RecordsDir& dir, const QString& idLine, int randomCount,
    const QDateTime& now, const shell::ErrorSite& site)
{
    return saveAsOne(dir, site, [&] {
        return writeNewRandomPaper(dir, idLine, site) && historyForNewRandomPaper(dir, now, site)
            && shiftPaperWrongForNewRandomPaper(dir, randomCount, site);
    });
}

Saved removeRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site)
{
    return saveAsOne(dir, site, [&] {
        return deleteRandomPaper(dir, paper, randomCount, site)
            && shiftPaperWrongForDeletedRandomPaper(dir, paper, randomCount, site)
            && historyForDeletedRandomPaper(dir, paper, randomCount, site);
    });
}

// ---- Input-method option ----

ImeOption readImeOption(const RecordsDir& dir, const shell::ErrorSite& site)
{
    const QString line = io::linesOrNone(ImeOptionFile(dir), site, 1).value(0);
    return { .on = plat::val(line) != 0, .checked = line == QStringLiteral("1") };
}

bool writeImeOption(const RecordsDir& dir, bool on, const shell::ErrorSite& site)
{
    return io::write(ImeOptionFile(dir), { on ? QStringLiteral("1") : QStringLiteral("0") }, site);
}

} // namespace records
