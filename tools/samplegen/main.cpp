// Writes the sample module (data files and pictures) into the program folder.
//   samplegen <program folder> [--stamp <file>]
//   samplegen --faults <folder>     a damaged copy for tests, never into the program folder
#include "module.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>

using namespace samplegen;

namespace {

bool writeIfChanged(const QString& path, const QByteArray& bytes)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void writeModule(const ModuleFiles& module, const QString& root)
{
    for (const auto& [relative, bytes] : module.files)
        if (!writeIfChanged(root + "/" + relative, bytes))
            throw std::runtime_error("cannot write " + (root + "/" + relative).toStdString());
}

int usage()
{
    std::fprintf(stderr,
        "usage: samplegen <program folder> [--stamp <file>]\n"
        "       samplegen --faults <folder>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a platform; the generator runs on build machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 2 && args[0] == "--faults") {
            ModuleFiles module = buildModule();
            const QStringList faults = injectFaults(module);
            writeModule(module, args[1]);
            if (!writeIfChanged(args[1] + "/faults.txt", (faults.join('\n') + '\n').toUtf8()))
                throw std::runtime_error("cannot write the fault list");
            return 0;
        }
        if (args.size() != 1 && !(args.size() == 3 && args[1] == "--stamp"))
            return usage();
        const QString root = args[0];
        const ModuleFiles module = buildModule();
        writeModule(module, root);

        // The stamp lists what was written, so files a newer generator no longer makes
        // are removed instead of lingering in the program folder.
        if (args.size() == 3) {
            const QString stampPath = args[2];
            QFile old(stampPath);
            if (old.open(QIODevice::ReadOnly)) {
                const QStringList previous
                    = QString::fromUtf8(old.readAll()).split('\n', Qt::SkipEmptyParts);
                for (const QString& relative : previous)
                    if (!module.files.count(relative))
                        QFile::remove(root + "/" + relative);
            }
            QStringList written;
            for (const auto& [relative, bytes] : module.files)
                written.append(relative);
            if (!writeIfChanged(stampPath, (written.join('\n') + '\n').toUtf8()))
                throw std::runtime_error("cannot write the stamp file");
        }
        std::printf("samplegen: %zu files in %s\n", module.files.size(), qPrintable(root));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "samplegen: %s\n", e.what());
        return 1;
    }
}
