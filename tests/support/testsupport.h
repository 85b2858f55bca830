#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Folder for renderings and other artefacts a person may look at after a run.
QString outputDir();

// Writes bytes to a file, creating folders; fails the test on error.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace testsupport
