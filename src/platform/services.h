#pragma once

// System services the program needs, each behind a small interface with a real Linux
// implementation and a fake that tests configure and inspect.

#include "platform/status.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QCoreApplication;

namespace plat {

// Is another instance of this program running? The real one holds a lock file for as long as
// the program runs.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only instance (and now holds the lock).
    virtual bool acquire() = 0;
};

// Opening folders and web addresses, starting other programs.
class Shell {
public:
    virtual ~Shell() = default;
    virtual Status openFolder(const QString& path) = 0;
    virtual Status openUrl(const QString& url) = 0;
    // Starts a program without waiting for it.
    virtual Status startDetached(const QString& program, const QStringList& arguments) = 0;
};

// The per-user settings store that stands in for the registry.
class Settings {
public:
    virtual ~Settings() = default;
    virtual Status setValue(const QString& key, const QString& name, const QString& value) = 0;
    virtual QString value(const QString& key, const QString& name) const = 0;
};

// The system's standard message box (not the skinned one): OK alone, or Yes and No. Returns true
// for OK or Yes; closing the box answers No. It opens as a fixed dialog of the window the
// learner works in (`Runtime::windowInUse`), centred on it.
class MessageBoxes {
public:
    enum class Kind { Information, Question };
    enum class Icon { None, Information, Question };
    enum class Button { Yes, No }; // the one Enter presses
    struct Box {
        Kind kind = Kind::Information;
        QString text;
        QString title;
        Icon icon = Icon::Information;
        Button defaultButton = Button::Yes;
    };
    virtual ~MessageBoxes() = default;
    virtual bool open(const Box& box) = 0;
    // The usual boxes: the information icon with OK; the question icon with Yes and No, Yes
    // the default.
    bool show(Kind kind, const QString& text, const QString& title)
    {
        return open({ .kind = kind,
            .text = text,
            .title = title,
            .icon = kind == Kind::Question ? Icon::Question : Icon::Information });
    }
};

struct KeyboardLayout {
    QString id;
    QString description;
};

// Keyboard layouts (input methods): listed for the input-method menu and activated on the
// answer fields. On Linux the real one lists the input methods it knows, and activation is a
// hint to the input method (or nothing).
class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    virtual std::vector<KeyboardLayout> list() const = 0;
    virtual Status activate(const QString& id) = 0;
};

struct HttpReply {
    int status = 0; // HTTP status code
    QByteArray body;
};

// The largest body a GET keeps (the update list is a few kilobytes) and the largest file a
// download writes (the module's files and the program file are a few megabytes). A server that
// sends more, or sends without end, would otherwise fill the memory or the disk.
inline constexpr qint64 kMaxReplyBytes = 1 << 20;
inline constexpr qint64 kMaxDownloadBytes = qint64(64) << 20;

// HTTP over Qt Network. Both calls wait with a time limit while window events (and timers) keep
// being processed, so the windows stay painted and their clocks keep running during a slow reply.
class Http {
public:
    virtual ~Http() = default;
    // A GET. A reply with a non-2xx status, a network error, the time limit or a body longer
    // than maxReplyBytes is a failure (err::Timeout for the time limit); the request is aborted
    // at the limit or as soon as the body passes its size limit. Time limits are in milliseconds.
    virtual Result<HttpReply> get(const QUrl& url, int timeoutMs) = 0;
    // Downloads to a file: into a temporary file beside it, renamed over `path` only after a
    // complete 2xx reply of at most maxDownloadBytes; a failure leaves an existing file whole.
    virtual Status download(const QUrl& url, const QString& path, int timeoutMs) = 0;
    // A GET whose reply nobody waits for: it starts and returns at once, without running any
    // events; the body is read and dropped as it comes, never kept, and the request is aborted
    // at the limit or once the body passes maxReplyBytes.
    virtual void send(const QUrl& url, int timeoutMs) = 0;

    qint64 maxReplyBytes = kMaxReplyBytes;
    qint64 maxDownloadBytes = kMaxDownloadBytes;
};

// The operating system's version as "major.minor", or "Unknown".
QString osVersion();

struct Services {
    std::unique_ptr<SingleInstance> singleInstance;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<KeyboardLayouts> keyboardLayouts;
    std::unique_ptr<Http> http;
    std::unique_ptr<MessageBoxes> messageBoxes;
};

// A reply status outside 2xx, as both the real and the fake service report it.
bool isSuccessStatus(int status);
Error httpStatusError(int status);

// Qt's own Chinese texts for the standard dialogs (是/否/确定/取消); false when they are not
// installed (scripts/install-deps installs them).
bool installStandardTranslation(QCoreApplication& app);

// The real services. `lockName` names the single-instance lock; `settingsFile` is the INI file
// that stands in for the registry.
Services makeRealServices(const QString& lockName, const QString& settingsFile);

} // namespace plat
