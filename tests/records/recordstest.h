#pragma once

// A program folder in a temporary directory: records folder "ksdata" (not created: a first run
// has none) and data folder "data", an exercise state and the reports of the error site.

#include "core/appstate.h"
#include "core/errorreport.h"
#include "platform/text.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordfiles.h"
#include "shell/printers.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        QStringList ids;
        std::vector<int16_t> states;
        for (int q = 1; q <= 40; ++q) {
            ids << QStringLiteral("01%1").arg(q, 2, 10, QLatin1Char('0'));
            states.push_back(q % 3 == 0 ? 6 : 1);
        }
        setExercise(ids, states, 8);
        records::Operation op(dir, site);
        const bool steps = records::addFlaggedFavourites(dir, exercise, site)
            && records::writePaperWrong(dir, 20, exercise, paperIdLine(1), site)
            && records::addUndoneToWrongBook(dir, exercise, paperIdLine(1), site)
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
};

} // namespace recordstest
