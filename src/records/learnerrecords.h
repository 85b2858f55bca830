#pragma once

// The learner's record files in the records folder, and every change ever made to them. Each
// operation reads what it needs, rewrites whole files through the atomic save (a crash or a
// full disk leaves the old file whole) and reports each failed read or write through the
// caller's error site. An operation that changes several files is one Operation (operation.h):
// it ends wholly old or wholly new, even after a crash. A missing file reads as empty (or as
// the defaults of its format) and is never reported; the folder is created by the first write.
//
// The words "the exercise" mean an Exercise: what the operations read of the question set in
// the shared state (QuestionCount, QuestionIds, QuestionState, StudyMode, SetNo, RecordNo).

#include "core/exercisemodes.h"
#include "records/idlist.h"
#include "records/operation.h"
#include "records/recordfiles.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace shell {
class ErrorSite;
struct AppState;
}

namespace records {

// What the record operations read of an exercise, copied out of the shared state: they see
// nothing else of it.
struct Exercise {
    Exercise() = default;
    // The question set in the shared state (every id and state up to its count, and at least
    // the 40 of a paper, whose hand-in reads all of them).
    Exercise(const shell::AppState& state); // implicit: callers hand over the state as it is

    int16_t QuestionCount = 0;
    int16_t StudyMode = 0;
    int16_t SetNo = 0;
    int16_t RecordNo = 0;
    // The study mode StudyMode names, if any.
    std::optional<shell::StudyMode> studyMode() const { return shell::studyModeOf(StudyMode); }
    // Question i (from 1); past the copied questions an empty id and state 0.
    QString QuestionIds(int i) const { return ids.value(i - 1); }
    int16_t QuestionState(int i) const { return states.value(i - 1); }

    QStringList ids {};
    QList<int16_t> states {};
};

// ---- Favourites (FavouritesFile with FavouritesReviewFile) ----

// Read: the list with its review line, kept in step.
ReviewedList readFavourites(const RecordsDir& dir, const shell::ErrorSite& site);
// Add flagged questions (score sheet; end of practice outside study modes 9 to 11): every
// flagged question of the exercise whose id is not yet present is appended in question order,
// with "F". The list stops growing at kMaxIds (the rest is reported). False when a write failed.
bool addFlaggedFavourites(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site);
// Remove unflagged questions (end of practice, every study mode): every question of the
// exercise that is not flagged loses its id, and every occurrence of it, with its review
// character.
bool removeUnflaggedFavourites(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site);
// Mark reviewed (end of practice; only when a question of the exercise is done): in study
// modes 9 (the whole list) and 10 (its unreviewed group) every done question's id becomes
// reviewed in the list; any other mode changes nothing. The set was built from the list in
// order, so question k is the k-th id of its group; going by the id keeps that true when the
// set builder had to skip a question whose files are missing.
bool markFavouritesReviewed(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site);
// What a clear did: `changed` when ids were cleared and saved, with the list as written; nothing
// changed (and no write) when the list is empty or no group is chosen; `saved` says why not when
// the list could not be read or written (the files then hold what they held, or what `saved`
// tells).
struct [[nodiscard]] Cleared {
    Saved saved {};
    bool changed = false;
    ReviewedList kept {};
};
// Clear (favourites panel): keeps, in order and with their own review characters, the ids of
// the groups not cleared; clearing both groups leaves both files with one empty line.
Cleared clearFavourites(const RecordsDir& dir, ReviewGroups cleared, const shell::ErrorSite& site);

// ---- Wrong-question book (WrongBookFile with WrongBookReviewFile) ----

ReviewedList readWrongBook(const RecordsDir& dir, const shell::ErrorSite& site);
// Add the not-completed questions of a handed-in paper (score sheet): for i = 1 to 40 whose
// state is below 4, the id at characters 4i-3..4i of `paperLine` (the paper's id line) is
// appended when not present, with "F".
bool addUndoneToWrongBook(const RecordsDir& dir, const Exercise& exercise, const QString& paperLine,
    const shell::ErrorSite& site);
// Mark reviewed: as markFavouritesReviewed with study modes 12 (whole book) and 13 (unreviewed).
bool markWrongBookReviewed(
    const RecordsDir& dir, const Exercise& exercise, const shell::ErrorSite& site);
Cleared clearWrongBook(const RecordsDir& dir, ReviewGroups cleared, const shell::ErrorSite& site);

// ---- A paper's wrong questions (PaperWrongFile of paper 0..29) ----

// Read: the ids of the paper's file (none when it is missing).
QStringList readPaperWrong(const RecordsDir& dir, int paper, const shell::ErrorSite& site);
// The trimmed line 1 of the paper's file: empty when it is missing or empty, nullopt when it is
// there but cannot be read, or is not a file (reported).
std::optional<QString> paperWrongLine(
    const RecordsDir& dir, int paper, const shell::ErrorSite& site);
// Overwrite at a scoring: the ids of `paperLine` whose question is not completed, in paper
// order; written even when there are none.
bool writePaperWrong(const RecordsDir& dir, int paper, const Exercise& exercise,
    const QString& paperLine, const shell::ErrorSite& site);
// Narrow after a practice of the paper's wrong questions: keeps the i-th id only when question
// i of the exercise is not done.
bool narrowPaperWrong(
    const RecordsDir& dir, int paper, const Exercise& exercise, const shell::ErrorSite& site);
// Shift for a new random paper: the files of papers 20 .. 19 + randomCount move one number up
// (the last to 30 when there are 10), then paper 20's file gets one empty line. The files are
// moved, not rewritten: a missing source leaves no file at its destination (an empty list),
// never another paper's list.
bool shiftPaperWrongForNewRandomPaper(
    const RecordsDir& dir, int randomCount, const shell::ErrorSite& site);
// Shift for a deleted random paper p: papers p+1 .. randomCount+19 move one number down, so
// paper randomCount+19 has no file afterwards.
bool shiftPaperWrongForDeletedRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site);

// ---- Examination history (ExamHistoryFile) ----

// The table of the first 100 lines, with the defaults of every line the file does not hold:
// line 3r+1 of paper row r the time of its last examination ("您还未考试！"), 3r+2 its best
// score ("0"), 3r+3 the end mark ("E").
struct ExamHistory {
    static constexpr int kLines = 100;
    std::array<QString, kLines> lines; // lines[0] is line 1

    static QString defaultLine(int n); // n from 1
    // Line n (1..100); a line outside the table reads empty and takes no write.
    const QString& line(int n) const
    {
        return inTable(n) ? lines[static_cast<size_t>(n - 1)] : outside;
    }
    QString& line(int n)
    {
        if (inTable(n))
            return lines[static_cast<size_t>(n - 1)];
        outside.clear();
        return outside;
    }
    const QString& lastTime(int row) const { return line(3 * row + 1); }
    const QString& bestScore(int row) const { return line(3 * row + 2); }

private:
    static bool inTable(int n) { return n >= 1 && n <= kLines; }
    QString outside;
};

// Read: the defaults, replaced by the file's first 100 lines.
ExamHistory readExamHistory(const RecordsDir& dir, const shell::ErrorSite& site);
// The time as every history line holds it: "yyyy-mm-dd hh:mm:ss".
QString historyTime(const QDateTime& t);
// A score as the history and the score sheet write it: "0", "2.5", "97.5", "100".
QString scoreText(double score);
// Record a scoring of paper row `row` (0..30): the time becomes `examStartTime` and the best
// score is raised to `score` when the stored best (a text that is not a number counts as 0) is
// strictly lower; when `examStartTime` is "-1" (the answers were viewed) the time becomes `now`
// and the best stays. Rows 0 to 30 are rewritten.
bool recordScoring(const RecordsDir& dir, int row, const QString& examStartTime, double score,
    const QDateTime& now, const shell::ErrorSite& site);
// New random paper: row 20 := (now, "0", "E"), old rows 20-28 move to 21-29 (29 is dropped);
// rows 0 to 29 are rewritten.
bool historyForNewRandomPaper(
    const RecordsDir& dir, const QDateTime& now, const shell::ErrorSite& site);
// Deleted random paper p: rows p .. randomCount+18 take the row below them; the last random
// row keeps its contents; rows 0 to 29 are rewritten.
bool historyForDeletedRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site);

// ---- Unit progress (UnitProgressFile) ----

// Most lines read (units 0..25) and written at a refresh (units 0..24).
inline constexpr int kProgressLinesRead = 26;
inline constexpr int kProgressLinesWritten = 25;

// Read: lines 1..26 as progress lines 0..25 (missing lines empty).
QStringList readUnitProgress(const RecordsDir& dir, const shell::ErrorSite& site);
// Refresh at every home refresh: each line of units 0..24 padded with "F" and cut to its unit's
// question count, then the 25 lines rewritten. Without unit sizes (a paper file that cannot be
// read, or that has no sizes line) the file is left as it is. Returns the progress lines
// 0..24 as they now stand.
QStringList refreshUnitProgress(const RecordsDir& dir, const std::optional<QList<int>>& unitSizes,
    const shell::ErrorSite& site);
// Unit practice done (study mode 20, some question done): line SetNo becomes one "T" or "F" per
// question of the exercise; lines 0 .. unitCount-1 are rewritten (never fewer than that line and
// the lines read when the unit count is unknown).
bool recordUnitPractice(
    const RecordsDir& dir, const Exercise& exercise, int unitCount, const shell::ErrorSite& site);
// Unlearned questions done (study mode 6, some question done): for every done question,
// character qq (the question part of its id) of line RecordNo becomes "T"; a shorter line is
// padded with "F" up to it.
bool recordUnlearnedDone(
    const RecordsDir& dir, const Exercise& exercise, int unitCount, const shell::ErrorSite& site);

// ---- Whole operations: each ends wholly old or wholly new (operation.h) ----

// The end of a practice: its unit progress (study modes 20 and 6) or review marks (9, 10, 12,
// 13) when a question was done, its flags in the favourites (added outside modes 9 to 11,
// removed in every mode), and, when `narrowPaper`, its paper's wrong questions (mode 2).
Saved recordPracticeEnd(const RecordsDir& dir, const Exercise& exercise, int unitCount,
    bool narrowPaper, const shell::ErrorSite& site);
// A new random paper: its id line heads the list, its history row and an empty wrong-question
// list take row 20, and the other random papers' rows and lists move one down.
Saved addRandomPaper(const RecordsDir& dir, const QString& idLine, int randomCount,
    const QDateTime& now, const shell::ErrorSite& site);
// Random paper `paper` deleted: the papers below it move up in the list, the history and the
// wrong-question files.
Saved removeRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site);

// ---- Input-method option (ImeOptionFile) ----

// Line 1 of the file, read two ways. A missing file is off both ways.
struct ImeOption {
    bool on = false; // UseIme at the home refresh: the line's numeric value is not 0 ("2" too)
    bool checked = false; // the option dialog's box: the line is exactly "1" (not " 1", "2")
};
ImeOption readImeOption(const RecordsDir& dir, const shell::ErrorSite& site);
bool writeImeOption(const RecordsDir& dir, bool on, const shell::ErrorSite& site);

} // namespace records
