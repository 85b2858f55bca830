#pragma once

// The sample program in a folder of its own (the home window's fixture), with what the
// examination tests add: the start-up scale and candidate, the record files, the fake message
// boxes and the rendering folder.

#include "core/system.h"
#include "home/homefixture.h"
#include "platform/services.h"
#include "platform/text.h"
#include "records/recordfiles.h"
#include "shell/moduleinfo.h"
#include "support/fakeservices.h"
#include "support/headless.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace examtest {

using testsupport::sampleProgramDir;

struct ExamApp : testsupport::SampleHome {
    explicit ExamApp(double displayScale = 1.0)
    {
        sys->setDisplayScale(displayScale, displayScale);
    }

    // What start-up sets besides the module information: the scale and the candidate.
    void readModule()
    {
        shell::AppState& st = sys->state;
        st.ScaleX = sys->twipsPerPixelX() / 15;
        st.ScaleY = sys->twipsPerPixelY() / 15;
        st.CandidateName = st.ProductInfo[8];
    }

    testsupport::FakeMessageBoxes& messageBoxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*sys->services().messageBoxes);
    }
    records::RecordsDir recordsDir() const { return records::RecordsDir::of(*sys); }
    // The lines of a record file (none when it is missing).
    QStringList recordLines(const QString& name) const
    {
        return plat::readLines(recordFile(name)).valueOr({});
    }
    void writeRecord(const QString& name, const QStringList& lines) const
    {
        QDir().mkpath(dir.path() + QStringLiteral("/ksdata"));
        ASSERT_TRUE(plat::writeLines(recordFile(name), lines).ok());
    }
    QString out(const QString& name) const { return testsupport::outputDir() + u'/' + name; }
};

// The ids of fixed paper `paper` of the sample module (its line of the paper file).
inline QString samplePaper(int paper)
{
    const auto lines
        = plat::readLines(sampleProgramDir() + QStringLiteral("/txcl/288891.mxy")).valueOr({});
    return paper + 2 < lines.size() ? lines[paper + 2] : QString();
}

} // namespace examtest
