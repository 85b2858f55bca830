#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>

namespace samplegen {

// Everything the sample module consists of, as file paths relative to the program folder.
struct ModuleFiles {
    std::map<QString, QByteArray> files;
    QString dataFolder; // relative path of the module data folder
};

inline const QString kModuleName = QStringLiteral("图像处理");
inline const QString kModuleShortName = QStringLiteral("图像处理练习");
inline const QString kDataFolder = QStringLiteral("txcl");
inline constexpr int kModuleNo = 6;
inline const QString kBankVersion = QStringLiteral("202612010900");
inline constexpr int kFixedPapers = 10;

// Builds the module in memory and validates every record and reference in it; throws
// std::runtime_error naming the first fault found.
ModuleFiles buildModule();
void validateModule(const ModuleFiles& module);

// Copies a valid module and breaks it in known ways, for tests of the readers; returns the
// list of faults as "relative path<TAB>what is wrong".
QStringList injectFaults(ModuleFiles& module);

} // namespace samplegen
