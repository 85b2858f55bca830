#pragma once

// Failure handling shared by every procedure: the error-location protocol, the error reporter
// and the run log. Failures never travel up to a caller; a procedure reports a failed step under
// its lower-case tag and goes on with the next step.

#include "core/appstate.h"
#include "core/serverconfig.h"
#include "platform/status.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace plat {
class Http;
}

namespace shell {

// The error-location protocol: stores tag, number and description in ErrSub, ErrNo and ErrDesc,
// then hands copies of them to the state's errorSink (ReportError in the running program).
void fail(AppState& state, const QString& tag, const plat::Error& error);

// A procedure's error handler, bound to its tag, for code written in the "report the failed step
// and go on" style:
//
//     const ErrorSite site(state, "readInfo");
//     const auto lines = plat::readLines(path);
//     if (site.check(lines)) { ...use lines... }   // a failure was reported; carry on below
//     site.check(plat::writeLines(marker, { "1" }));
class ErrorSite {
public:
    ErrorSite(AppState& state, QString tag)
        : state(state)
        , tag(std::move(tag))
    {
    }

    void fail(const plat::Error& error) const { shell::fail(state, tag, error); }
    void fail(int number, const QString& description) const { fail({ number, description }); }
    // The run's shared state the failures are stored in.
    AppState& appState() const { return state; }

    // True when the step succeeded; otherwise reports it and returns false.
    bool check(const plat::Status& status) const
    {
        if (!status.ok())
            fail(status.error());
        return status.ok();
    }
    template <class T> bool check(const plat::Result<T>& result) const
    {
        if (!result.ok())
            fail(result.error());
        return result.ok();
    }

private:
    AppState& state;
    QString tag {};
};

// The run log of one program start: programDir/ksdata/YYYYMMDDHHMMSS.txt, named by the time the
// start-up window hands over to the home window.
QString runLogPath(const QString& programDir, const QDateTime& handOverTime);

// AppendLog: appends one entry to a log file (created when missing; GBK, CR LF): an empty line,
// `when` as "YYYY-MM-DD HH:MM:SS", then `text` without leading and trailing spaces. The entry
// is written in one append and no events are processed, so entries never interleave. An empty
// path writes nothing; an entry the file cannot take (a read-only or full folder) goes to the
// standard error instead, with the reason. Nothing is reported either way.
void AppendLog(const QString& path, const QString& text, const QDateTime& when);

// The error reporter. Sends each report to the error-report server (when one is configured) and
// appends it to the run log at the state's LogPath (when it is set). It reads ModuleName,
// BankVersion, OsVersion and LogPath at the time of each report and writes no state.
class ErrorReporter {
public:
    using Clock = std::function<QDateTime()>;

    // `http` may be null when no report server is configured.
    ErrorReporter(const AppState& state, plat::Http* http, ServerConfig servers,
        Clock clock = &QDateTime::currentDateTime);

    // ReportError(tag, number, description, extra): extra is appended to the description that
    // is sent and not logged. The log entry is written first; the report is then queued for the
    // server and sent in the background (aborted after sendLimitMs), so no event of the program
    // runs inside the failing statement. The send never reports its own failure, so a broken
    // network cannot make reports beget reports.
    void ReportError(QString tag, int number, QString description, QString extra);

    // Makes this reporter the target of every fail() on `target`; the reporter must outlive it.
    void install(AppState& target);

    int sendLimitMs = 1000; // the time limit of one report's send

private:
    const AppState& state;
    plat::Http* http = nullptr;
    ServerConfig servers {};
    Clock clock {};
};

} // namespace shell
