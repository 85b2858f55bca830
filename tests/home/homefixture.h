#pragma once

// The home window on a copy of the sample module: a temporary program folder whose data folder
// links every file of the generated sample module, so the home refresh, the slot builder and the
// end of practice write only into the copy.

#include "core/system.h"
#include "home/frmfengmian.h"
#include "shell/moduleinfo.h"
#include "support/driven.h"
#include "support/fakeservices.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "widgets/msgbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace testsupport {

// A program folder with the sample module's ver.txt and a data folder of links to its files.
inline void linkSampleProgram(const QString& to)
{
    const QDir from(sampleProgramDir());
    QDir().mkpath(to + QStringLiteral("/txcl"));
    QFile::copy(from.filePath(QStringLiteral("ver.txt")), to + QStringLiteral("/ver.txt"));
    QFile::link(from.filePath(QStringLiteral("sMenu.sys")), to + QStringLiteral("/sMenu.sys"));
    for (const QString& name : QDir(from.filePath(QStringLiteral("txcl"))).entryList(QDir::Files))
        QFile::link(
            from.filePath(QStringLiteral("txcl/") + name), to + QStringLiteral("/txcl/") + name);
    for (const QString& name : from.entryList({ QStringLiteral("*.CUR") }, QDir::Files))
        QFile::link(from.filePath(name), to + QStringLiteral("/") + name);
    QFile::link(from.filePath(QStringLiteral("examdata")), to + QStringLiteral("/examdata"));
}

// The sample program in a temporary folder, on a virtual clock with fake services; every
// failure reported is collected in `reports`. The program may be started again on the same
// folder (a restart keeps the learner's records).
struct SampleHome {
    QTemporaryDir dir;
    std::optional<DrivenSystem> run;
    testsupport::VirtualClock* clock = nullptr;
    shell::System* sys = nullptr;
    HeadlessDriver* driver = nullptr;
    QStringList reports;

    SampleHome()
    {
        linkSampleProgram(dir.path());
        restart();
    }

    void stop()
    {
        run.reset();
        clock = nullptr;
        sys = nullptr;
        driver = nullptr;
    }
    // A fresh system on the same folder with the module information read, as start-up has it.
    void restart()
    {
        stop();
        run.emplace(dir.path());
        clock = &run->clock;
        sys = &run->sys;
        driver = &run->driver;
        sys->state.errorSink = [this](QString tag, int number, QString description, QString) {
            reports << tag + QStringLiteral(" ") + QString::number(number) + QStringLiteral(" ")
                    + description;
        };
        shell::readInfo(
            sys->state, *sys->services().settings, sys->programDir(), sys->programName());
    }

    shell::AppState& st() { return sys->state; }
    home::FrmFengmian& home() { return sys->form<home::FrmFengmian>(); }
    home::FrmFengmianUi& ui() { return home().ui(); }
    widgets::mirtButton& button(int i) { return ui().ClickBotn[i]; }
    testsupport::FakeMessageBoxes& messageBoxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*sys->services().messageBoxes);
    }
    void click(int i) { driver->click(button(i).control()); }
    QString dataFile(const QString& name) const
    {
        return dir.path() + QStringLiteral("/txcl/") + name;
    }
    QString recordFile(const QString& name) const
    {
        return dir.path() + QStringLiteral("/ksdata/") + name + QStringLiteral(".mxy");
    }
    // Answers the next skinned message box with its confirm (1) or cancel (0) button and keeps
    // its prompt.
    void answerBox(bool confirm, QString* prompt = nullptr, QString* title = nullptr)
    {
        driver->answerModal([this, confirm, prompt, title](plat::Form&) {
            auto& box = sys->form<widgets::FrmMTMSGBOX>().ui();
            if (prompt)
                *prompt = box.LblPrompt.caption();
            if (title)
                *title = box.LblTitle.caption();
            driver->click(box.LblClick[confirm ? 1 : 0].control());
        });
    }
};

} // namespace testsupport
