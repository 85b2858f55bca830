// The program: the real window driver, real services, and the start-up window.
#include "app/wiring.h"
#include "core/system.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/services.h"
#include "shell/frmstart.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    plat::returnLargeBlocksWhenFreed();
    QApplication app(argc, argv);
    if (!plat::installStandardTranslation(app))
        qWarning("Qt's Chinese translation is not installed: standard buttons show in English");
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString programName
        = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString settingsDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(settingsDir);
    shell::System sys(std::make_unique<plat::RealClock>(),
        plat::makeRealServices(QStringLiteral("ksxt-") + QString::number(qHash(programDir)),
            settingsDir + QStringLiteral("/registry.ini")),
        programDir, programName);
    app::wire(sys);
    sys.onEnd = [] { QCoreApplication::exit(0); };
    app.setQuitOnLastWindowClosed(false);
    sys.form<shell::FrmStart>().show();
    if (sys.ended())
        return 0;
    return app.exec();
}
