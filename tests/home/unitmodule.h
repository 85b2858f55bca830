#pragma once

// A small module of its own for the home window's tests: units of given sizes with one-step
// questions, the paper file's counts and sizes, a module number, and the learner's records
// folder; the home window is shown on it.

#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "platform/services.h"
#include "platform/text.h"
#include "support/fakeservices.h"
#include "support/systemapp.h"
#include "support/testsupport.h"
#include "widgets/msgbox.h"
#include "workspace/frmmain.h"

#include <QDir>

namespace testsupport {

struct UnitModule {
    SystemApp app;
    shell::AppState& st = app.sys->state;
    QStringList reports;

    // Units of the given sizes; `progress` lines for the unit progress file (none: no file).
    explicit UnitModule(
        const QList<int>& sizes, const QStringList& progress = {}, int declaredUnits = -1)
    {
        st.ModuleNo = 7;
        writeData("288899", "07\r\n");
        writeData("288895", "202612010900\r\n");
        QByteArray sizeLine;
        for (int n : sizes)
            sizeLine += QByteArray::number(n).rightJustified(2, '0');
        const int units = declaredUnits < 0 ? static_cast<int>(sizes.size()) : declaredUnits;
        writeData("288891",
            "10" + QByteArray::number(units).rightJustified(2, '0') + "\r\n" + sizeLine + "\r\n");
        for (int u = 0; u < sizes.size(); ++u) {
            st.ModuleSettings[static_cast<size_t>(u)][1] = QStringLiteral("单元名%1").arg(u + 1);
            QByteArray questions;
            QByteArray steps;
            for (int q = 1; q <= sizes[u]; ++q) {
                questions += QByteArray::number(u * 100 + q).rightJustified(4, '0') + " 1"
                    + plat::encodeGbk(QStringLiteral("第%1题").arg(q)) + "\r\n";
                steps += "step " + QByteArray::number(u * 100 + q) + "\r\n";
            }
            writeData(QString::number(288870 + u), questions);
            writeData(QString::number(288820 + u), steps);
        }
        QDir(app.dir.path()).mkpath(QStringLiteral("ksdata"));
        if (!progress.isEmpty())
            writeRecord("288893",
                plat::encodeGbk(progress.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        st.errorSink = [this](QString tag, int, QString description, QString) {
            reports << tag + QStringLiteral(": ") + description;
        };
    }

    void writeData(const QString& name, const QByteArray& bytes) const
    {
        writeFile(st.SkinPath + name + QStringLiteral(".mxy"), bytes);
    }
    QString recordPath(const QString& name) const
    {
        return app.dir.path() + QStringLiteral("/ksdata/") + name + QStringLiteral(".mxy");
    }
    void writeRecord(const QString& name, const QByteArray& bytes) const
    {
        writeFile(recordPath(name), bytes);
    }
    QByteArray record(const QString& name) const { return readFile(recordPath(name)); }
    QStringList recordLines(const QString& name) const
    {
        return plat::splitLines(plat::decodeGbk(record(name)));
    }

    home::FrmFengmian& home() { return app.sys->form<home::FrmFengmian>(); }
    home::FrmFengmianUi& ui() { return home().ui(); }
    widgets::mirtButton& button(int i) { return ui().ClickBotn[i]; }
    void click(int i) { app.driver->click(button(i).control()); }
    testsupport::FakeMessageBoxes& systemBoxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*app.sys->services().messageBoxes);
    }
    // Answers the next skinned box with confirm or cancel and keeps its title and prompt.
    void answerBox(bool confirm, QString* title = nullptr, QString* prompt = nullptr)
    {
        app.driver->answerModal([this, confirm, title, prompt](plat::Form&) {
            auto& box = app.sys->form<widgets::FrmMTMSGBOX>().ui();
            if (title)
                *title = box.LblTitle.caption();
            if (prompt)
                *prompt = box.LblPrompt.caption();
            app.driver->click(box.LblClick[confirm ? 1 : 0].control());
        });
    }
};

} // namespace testsupport
