#pragma once

// A learner-record operation that changes several files ends wholly old or wholly new, even
// when the program is killed in the middle of it.
//
// While an Operation is open, every write and move of this folder's functions waits in memory
// (and every read of this folder sees the waiting contents). commit() then writes the new
// contents of every changed file into one journal file in the records folder (atomically, so it
// is there whole or not at all), applies them file by file, and removes the journal. A journal
// found later belongs to an operation that was cut short after it had been decided: it is
// applied again (rolled forward) before anything reads the records. The record files keep their
// own formats; only the journal is new.

#include "records/recordfiles.h"
#include "records/recordio.h"

#include <QByteArray>
#include <QString>

namespace shell {
class ErrorSite;
class System;
struct AppState;
}

namespace records {

// The journal of the operation being applied, beside the records.
QString JournalFile(const RecordsDir& dir);

// What a save that did not go through left behind.
enum class Left {
    Old, // every record as it was
    // The change is in the journal, some records already new: it is completed by the next save
    // or the next start, once the disk takes it.
    Pending,
    // An earlier unfinished change is still in the journal (it could not be completed now);
    // nothing of this one was written.
    EarlierPending,
    // An earlier unfinished change was completed just now; this one, read before it, was not
    // written.
    EarlierCompleted,
};

// The outcome of a whole operation, as the windows tell it.
struct [[nodiscard]] Saved {
    bool ok = true;
    io::Failure why = io::Failure::None;
    Left left = Left::Old;
    explicit operator bool() const { return ok; }
};

class Operation {
public:
    // The operation belongs to the run whose shared state `site` reports into: its reads and
    // writes are the ones made with that run's sites. An operation opened while another of the
    // run is open joins it: its commit() leaves the work to the outer one, so a function that is
    // one operation by itself also serves as a step of a larger one.
    Operation(RecordsDir dir, const shell::ErrorSite& site);
    ~Operation(); // an operation never committed changes nothing
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // Applies every waiting change as one. False (reported through `site`) when the records
    // stay as they were.
    [[nodiscard]] bool commit(const shell::ErrorSite& site);
    // Commits when every step went through (`stepsOk`), else drops them all.
    Saved finish(bool stepsOk, const shell::ErrorSite& site);

private:
    RecordsDir dir_;
    RunState& run_;
    io::detail::Staging staging_ {};
    io::detail::Staging* outer_ = nullptr;
    bool joined_ = false;
    bool open_ = true;
    io::Failure failure_ = io::Failure::None;
    Left left_ = Left::Old;
};

// Runs `steps` (each a function of this folder, false when it cannot go on) as one operation:
// nothing is written unless every step went through.
template <class Steps>
Saved saveAsOne(const RecordsDir& dir, const shell::ErrorSite& site, Steps steps)
{
    Operation op(dir, site);
    const bool stepsOk = steps();
    return op.finish(stepsOk, site);
}
// The learner's message for records that were not saved: what (for example "本次练习的学习记录"),
// why, and what became of the records.
QString notSavedMessage(const QString& what, const Saved& saved);
// The learner's message for records that were set aside as damaged; empty when there are none.
QString setAsideMessage(const QList<io::SetAside>& records);

// Tells the learner through the program's message box that `what` was not saved (when it was
// not), and which records were set aside as damaged since the last time (each once).
void tellLearner(shell::System& sys, const Saved& saved, const QString& what);
// The second half alone: the records set aside since the last time, and what became of an
// unfinished save found at start-up, if anything.
void tellSetAside(shell::System& sys);
// The learner's notices about unfinished saves in this run since the last time (each once).
QStringList takeJournalNotices(shell::AppState& state);

// At start-up, before the first read of a record: removes the temporary files an interrupted
// rewrite left in the records folder (the atomic save's own names only) and completes the
// operation whose journal is there, if any (also done before every commit). A journal that is
// not one whole operation (or not a file) is set aside and applies nothing. A journal that
// cannot be completed stays for the next start. Either is reported and waits as a notice for
// the learner. False when a change could not be applied.
bool rollForward(const RecordsDir& dir, const shell::ErrorSite& site);

// The journal's bytes for a list of changes (record file names inside the records folder,
// nullopt for a removal), and back; nullopt for bytes that are not a whole journal or that name
// anything but a record file ("NNNNNN.mxy").
struct JournalEntry {
    QString name;
    std::optional<QByteArray> bytes;
};
QByteArray encodeJournal(const QList<JournalEntry>& entries);
std::optional<QList<JournalEntry>> decodeJournal(const QByteArray& bytes);

} // namespace records
