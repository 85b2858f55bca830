#pragma once

// A program folder in a temporary directory: records folder "ksdata" (not created: a first run
// has none) and data folder "data", an exercise state and the reports of the error site.

#include "core/appstate.h"
#include "core/errorreport.h"
#include "platform/text.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordfiles.h"
#include "records/recordio.h"
#include "shell/printers.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace recordstest {

// The 40 ids of a paper drawn from one unit: "UUQQ" for questions 1-40.
inline QString paperIdLine(int unit)
{
    QString line;
    for (int q = 1; q <= 40; ++q)
        line += QStringLiteral("%1%2")
                    .arg(unit, 2, 10, QLatin1Char('0'))
                    .arg(q, 2, 10, QLatin1Char('0'));
    return line;
}

struct Report {
    QString tag;
    int number = 0;
    QString description;
};

class RecordsTest : public ::testing::Test {
protected:
    RecordsTest()
    {
        reporter.errorSink = [this](QString tag, int number, QString description, QString) {
            reports.push_back({ tag, number, description });
        };
    }
    // The faults a test planted stop with it.
    ~RecordsTest() override
    {
        records::io::setFaultHook({});
        records::io::setReadFaultHook({});
    }

    using Files = std::map<QString, QByteArray>;

    // Every record file of the folder with its bytes; the journal and set-aside copies apart.
    Files snapshot() const
    {
        Files files;
        for (const QFileInfo& f : QDir(dir.path).entryInfoList(QDir::Files)) {
            if (f.fileName() == QFileInfo(records::JournalFile(dir)).fileName()
                || f.fileName().contains(QStringLiteral(".damaged-")))
                continue;
            files[f.fileName()] = testsupport::readFile(f.filePath());
        }
        return files;
    }

    // Three random papers with their history rows and wrong-question lists, a favourites list,
    // unit progress and a wrong-question book.
    void seed()
    {
        using namespace records;
        QDir(dir.path).removeRecursively();
        QDir().mkpath(dir.path);
        put(RandomPaperFile(dir), { paperIdLine(1), paperIdLine(2), paperIdLine(3), "" });
        QStringList history;
        for (int row = 0; row < 31; ++row)
            history << QStringLiteral("2026-12-0%1 08:00:00").arg(row % 9 + 1)
                    << QString::number(row) << "E";
        put(ExamHistoryFile(dir), history);
        for (int p = 20; p <= 22; ++p)
            put(PaperWrongFile(dir, p), { QStringLiteral("01%1").arg(p) });
        put(PaperWrongFile(dir, 3), { "00010002" });
        put(FavouritesFile(dir), { "01010102" });
        put(FavouritesReviewFile(dir), { "TF" });
        put(WrongBookFile(dir), { "0203" });
        put(WrongBookReviewFile(dir), { "F" });
        put(UnitProgressFile(dir), { "TFF", "FF" });
    }

    // Fails every change from the k-th on (a full disk, or a crash at change k), or only the
    // k-th; k = 0 fails none and only counts the changes.
    void faultAt(int k, bool fromThenOn)
    {
        changes = 0;
        records::io::setFaultHook([this, k, fromThenOn](const QString&) {
            ++changes;
            const bool fails = k > 0 && (fromThenOn ? changes >= k : changes == k);
            return fails ? records::io::Failure::FolderFull : records::io::Failure::None;
        });
    }

    // What is set aside under `file`'s name, whatever it is; empty when nothing, or more than
    // one thing, is.
    QString keptAs(const QString& file) const
    {
        const QStringList kept = QDir(dir.path).entryList(
            { QFileInfo(file).fileName() + QStringLiteral(".damaged-*") },
            QDir::AllEntries | QDir::System | QDir::Hidden);
        return kept.size() == 1 ? dir.path + QLatin1Char('/') + kept.first() : QString();
    }

    // GBK lines, each ended by CR LF.
    static void put(const QString& path, const QStringList& lines)
    {
        testsupport::writeFile(path, plat::encodeGbk(lines.join("\r\n") + "\r\n"));
    }
    static void putRaw(const QString& path, const QByteArray& bytes)
    {
        testsupport::writeFile(path, bytes);
    }
    // The file's text as written; "<missing>" when there is none.
    static QString text(const QString& path)
    {
        if (!QFileInfo::exists(path))
            return QStringLiteral("<missing>");
        return plat::decodeGbk(testsupport::readFile(path));
    }

    // An exercise of `ids` with their question states.
    void setExercise(const QStringList& ids, const std::vector<int16_t>& states, int mode = 20)
    {
        exercise = {};
        exercise.StudyMode = static_cast<int16_t>(mode);
        exercise.QuestionCount = static_cast<int16_t>(ids.size());
        for (int i = 1; i <= ids.size(); ++i) {
            exercise.QuestionIds(i) = ids.at(i - 1);
            exercise.QuestionState(i) = i <= static_cast<int>(states.size()) ? states[i - 1] : 0;
        }
    }

    // The score sheet of a hand-in of random paper 20 drawn from unit 1, every third question
    // left undone: four writes saved as one.
    records::Saved handInRandomPaper(const QDateTime& at)
    {
        const QString paper = paperIdLine(1);
        QStringList ids;
        std::vector<int16_t> states;
        for (int q = 1; q <= 40; ++q) {
            ids << paper.mid(4 * (q - 1), 4);
            states.push_back(q % 3 == 0 ? 6 : 1);
        }
        setExercise(ids, states, 8);
        records::Operation op(dir, site);
        const bool steps = records::addFlaggedFavourites(dir, exercise, site)
            && records::writePaperWrong(dir, 20, exercise, paper, site)
            && records::addUndoneToWrongBook(dir, exercise, paper, site)
            && records::recordScoring(dir, 20, "2026-12-10 09:00:00", 35, at, site);
        return op.finish(steps, site);
    }

    QStringList tags() const
    {
        QStringList t;
        for (const Report& r : reports)
            t << r.tag;
        return t;
    }

    QTemporaryDir tmp {};
    records::RecordsDir dir { tmp.path() + QStringLiteral("/ksdata") };
    records::DataDir data { tmp.path() + QStringLiteral("/data/") };
    shell::AppState reporter {};
    shell::ErrorSite site { reporter, QStringLiteral("clickbotn") };
    shell::AppState exercise {};
    std::vector<Report> reports {};
    int changes = 0; // seen by the fault hook faultAt plants
};

} // namespace recordstest
