#pragma once

// Fakes of the system services, for tests and benchmarks: each records what the program asked
// of it and answers from what the test put in.

#include "platform/services.h"

#include <map>
#include <utility>
#include <vector>

namespace testsupport {

using plat::HttpReply;
using plat::KeyboardLayout;
using plat::Result;
using plat::Services;
using plat::Status;

class FakeSingleInstance : public plat::SingleInstance {
public:
    bool otherRunning = false;
    bool acquire() override { return !otherRunning; }
};

class FakeShell : public plat::Shell {
public:
    QStringList opened; // folders and addresses, in order
    std::vector<std::pair<QString, QStringList>> started;
    bool fail = false;
    Status openFolder(const QString& path) override;
    Status openUrl(const QString& url) override;
    Status startDetached(const QString& program, const QStringList& arguments) override;
};

class FakeSettings : public plat::Settings {
public:
    std::map<QString, QString> values; // "key\name" -> value
    int failAfter = -1; // writes that succeed before every further write fails; -1 never fails
    Status setValue(const QString& key, const QString& name, const QString& value) override;
    QString value(const QString& key, const QString& name) const override;
};

class FakeKeyboardLayouts : public plat::KeyboardLayouts {
public:
    std::vector<KeyboardLayout> layouts;
    QStringList activated;
    std::vector<KeyboardLayout> list() const override { return layouts; }
    Status activate(const QString& id) override;
};

// Answers requests from a table; unknown addresses fail like an unreachable server.
class FakeHttp : public plat::Http {
public:
    std::map<QString, HttpReply> replies; // by full URL
    QStringList requested;
    Result<HttpReply> get(const QUrl& url, int timeoutMs) override;
    Status download(const QUrl& url, const QString& path, int timeoutMs) override;
    void send(const QUrl& url, int timeoutMs) override; // recorded in `requested`
};

// Records every message box and answers from `answers` (true when empty).
class FakeMessageBoxes : public plat::MessageBoxes {
public:
    using Shown = Box;
    std::vector<Shown> shown;
    std::vector<bool> answers;
    bool open(const Box& box) override;
};

Services makeFakeServices();

} // namespace testsupport
