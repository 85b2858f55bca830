#pragma once

// The sample program in a folder of its own (the home window's fixture), with what the
// examination tests add: the start-up scale and candidate, the record files, the fake message
// boxes and the rendering folder.

#include "core/system.h"
#include "exam/frmlogon.h"
#include "home/homefixture.h"
#include "home/homeflow.h"
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
#include <QGuiApplication>
#include <QScreen>
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

    // On a real display: the screen the X server offers, then the module read as above.
    void readModuleOnTheRealScreen()
    {
        sys->setScreenRect(QGuiApplication::primaryScreen()->geometry());
        readModule();
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

    // Fixed paper 1 (random paper 20 for study mode 8) as the paper command leaves it, logged
    // in: the panel and the simulated window show question 1, their load timers run.
    void startPaper(int16_t studyMode = 0);
};

// The ids of fixed paper `paper` of the sample module (its line of the paper file).
inline QString samplePaper(int paper)
{
    const auto lines
        = plat::readLines(sampleProgramDir() + QStringLiteral("/txcl/288891.mxy")).valueOr({});
    return paper + 2 < lines.size() ? lines[paper + 2] : QString();
}

inline void ExamApp::startPaper(int16_t studyMode)
{
    auto& st = this->st();
    st.StudyMode = studyMode;
    st.SetNo = studyMode == 0 ? 1 : 11;
    st.RecordNo = studyMode == 0 ? 1 : 20;
    flow::InitShiTi(*sys, samplePaper(1), st.StudyMode + st.SetNo);
    st.QuestionCount = 40;
    st.PanelMode = 3;
    st.CurrentQuestion = 1;
    for (int i = 1; i <= 40; ++i) {
        st.DoneBefore(i) = "F";
        st.QuestionState(i) = 0;
    }
    flow::startLianXi(*sys);
    driver->advance(100);
    driver->click(sys->form<exam::FrmLogon>().ui().CmdLog);
    driver->advance(700); // the bar fills; the panel loads
    ASSERT_FALSE(sys->form<exam::FrmLogon>().isLoaded());
}

} // namespace examtest
