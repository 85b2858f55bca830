#include "platform/services.h"

#include "platform/dialogwindow.h"
#include "platform/form.h"
#include "platform/paths.h"
#include "platform/runtime.h"
#include "platform/surface.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QSysInfo>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <climits>

namespace plat {

namespace {

    // Single instance -----------------------------------------------------------------------

    class RealSingleInstance : public SingleInstance {
    public:
        explicit RealSingleInstance(const QString& lockName)
            : lock(
                QDir(QDir::tempPath()).filePath(safeFileName(lockName) + QStringLiteral(".lock")))
        {
            // The lock is held for the whole run, so it must never go stale by age; a lock left by
            // a crashed process is still recognised (its process is gone) and taken over.
            lock.setStaleLockTime(0);
        }

        bool acquire() override { return lock.isLocked() || lock.tryLock(0); }

    private:
        static QString safeFileName(QString name)
        {
            name.replace(QLatin1Char('/'), QLatin1Char('_'))
                .replace(QLatin1Char('\\'), QLatin1Char('_'));
            return name.isEmpty() ? QStringLiteral("instance") : name;
        }

        QLockFile lock { QString() };
    };

    // Shell ---------------------------------------------------------------------------------

    class RealShell : public Shell {
    public:
        Status openFolder(const QString& path) override
        {
            const QString folder = resolvePath(path);
            if (!QFileInfo(folder).isDir())
                return Status::failure(
                    err::PathNotFound, QStringLiteral("Path not found: %1").arg(path));
            if (!QDesktopServices::openUrl(
                    QUrl::fromLocalFile(QFileInfo(folder).absoluteFilePath())))
                return Status::failure(
                    err::FileIo, QStringLiteral("Cannot open folder %1").arg(path));
            return {};
        }

        Status openUrl(const QString& url) override
        {
            // Addresses come from downloaded data; only web and mail addresses are handed to the
            // desktop, never local files or other schemes that could start programs.
            const QUrl address = QUrl::fromUserInput(url.trimmed());
            const QString scheme = address.scheme().toLower();
            if (!address.isValid()
                || (scheme != QLatin1String("http") && scheme != QLatin1String("https")
                    && scheme != QLatin1String("mailto")))
                return Status::failure(
                    err::InvalidProperty, QStringLiteral("Not a web address: %1").arg(url));
            if (!QDesktopServices::openUrl(address))
                return Status::failure(err::FileIo, QStringLiteral("Cannot open %1").arg(url));
            return {};
        }

        Status startDetached(const QString& program, const QStringList& arguments) override
        {
            if (program.isEmpty() || !QProcess::startDetached(resolvePath(program), arguments))
                return Status::failure(
                    err::FileNotFound, QStringLiteral("Cannot start %1").arg(program));
            return {};
        }
    };

    // Settings ------------------------------------------------------------------------------

    // Keys arrive registry style ("Software\Name"). Each part becomes an INI group; characters
    // QSettings would read as separators are escaped so a name can never reach another group.
    QString escapeSegment(QString segment)
    {
        return segment.replace(QLatin1Char('%'), QLatin1String("%25"))
            .replace(QLatin1Char('/'), QLatin1String("%2F"))
            .replace(QLatin1Char('\\'), QLatin1String("%5C"));
    }

    QString settingsPath(const QString& key, const QString& name)
    {
        QStringList parts;
        for (const QString& part :
            key.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts))
            parts << escapeSegment(part);
        parts << escapeSegment(name);
        return parts.join(QLatin1Char('/'));
    }

    class RealSettings : public Settings {
    public:
        explicit RealSettings(QString file)
            : file(std::move(file))
        {
        }

        Status setValue(const QString& key, const QString& name, const QString& value) override
        {
            if (name.isEmpty())
                return Status::failure(err::InvalidProperty, QStringLiteral("Empty setting name"));
            QSettings settings(file, QSettings::IniFormat);
            settings.setValue(settingsPath(key, name), value);
            settings.sync();
            if (settings.status() != QSettings::NoError)
                return Status::failure(
                    err::FileIo, QStringLiteral("Cannot write settings file %1").arg(file));
            return {};
        }

        QString value(const QString& key, const QString& name) const override
        {
            if (name.isEmpty())
                return {};
            QSettings settings(file, QSettings::IniFormat);
            return settings.value(settingsPath(key, name)).toString();
        }

    private:
        QString file {};
    };

    // Keyboard layouts ----------------------------------------------------------------------

    class RealKeyboardLayouts : public KeyboardLayouts {
    public:
        std::vector<KeyboardLayout> list() const override
        {
            std::vector<KeyboardLayout> layouts;
            auto add = [&layouts](QLocale locale) {
                // The C locale names no language: its keyboard is the plain US one.
                if (locale.language() == QLocale::C)
                    locale = QLocale(QLocale::English, QLocale::UnitedStates);
                const QString id = locale.name();
                for (const KeyboardLayout& known : layouts) {
                    if (known.id == id)
                        return;
                }
                // A plain English keyboard has no input method, so no description (the menu
                // names it 英语（美国）); any other is named in its own language and territory.
                QString description;
                if (locale.language() != QLocale::English) {
                    description = locale.nativeLanguageName();
                    if (description.isEmpty())
                        description = QLocale::languageToString(locale.language());
                    const QString territory = locale.nativeTerritoryName();
                    if (!territory.isEmpty())
                        description += QStringLiteral(" (%1)").arg(territory);
                }
                layouts.push_back({ id, description });
            };
            if (qGuiApp && QGuiApplication::inputMethod())
                add(QGuiApplication::inputMethod()->locale());
            add(QLocale::system());
            return layouts;
        }

        Status activate(const QString& id) override
        {
            // Linux offers no call to switch the input method; a listed layout is already the
            // active one, so there is nothing more to do than to accept it.
            for (const KeyboardLayout& layout : list()) {
                if (layout.id == id)
                    return {};
            }
            return Status::failure(
                err::InvalidProperty, QStringLiteral("Unknown keyboard layout %1").arg(id));
        }
    };

    // HTTP ----------------------------------------------------------------------------------

    // How far Qt's network thread may read ahead of the program. Unbounded, a fast server
    // fills the memory with data waiting to be taken faster than any limit can refuse it.
    constexpr qint64 kReadAheadBytes = 256 * 1024;

    class RealHttp : public Http {
    public:
        RealHttp()
        {
            manager.setProxy(QNetworkProxy::NoProxy);
            manager.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);
        }

        void send(const QUrl& url, int timeoutMs) override
        {
            const QString scheme = url.scheme().toLower();
            if (!url.isValid() || timeoutMs <= 0
                || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
                return;
            QNetworkReply* reply = manager.get(QNetworkRequest(url));
            reply->setReadBufferSize(kReadAheadBytes);
            QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
            // Nobody reads the reply: unread, its body would pile up in memory until the end.
            const qint64 limit = maxReplyBytes;
            QObject::connect(reply, &QNetworkReply::readyRead, reply,
                [reply, limit, dropped = qint64(0)]() mutable {
                    dropped += reply->skip(reply->bytesAvailable());
                    if (dropped > limit)
                        reply->abort();
                });
            // Bound to the reply: a reply already gone cancels its limit.
            QTimer::singleShot(timeoutMs, reply, [reply] { reply->abort(); });
        }

        Result<HttpReply> get(const QUrl& url, int timeoutMs) override
        {
            HttpReply result;
            Status status = fetch(
                url, timeoutMs, maxReplyBytes,
                [&result](QNetworkReply& reply) {
                    result.body += reply.readAll();
                    return true;
                },
                &result.status);
            if (!status)
                return status.error();
            return result;
        }

        Status download(const QUrl& url, const QString& path, int timeoutMs) override
        {
            const QString target = resolvePath(path);
            QSaveFile file(target);
            if (!file.open(QIODevice::WriteOnly))
                return Status::failure(err::FileIo,
                    QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
            Status status = fetch(url, timeoutMs, maxDownloadBytes, [&file](QNetworkReply& reply) {
                const QByteArray chunk = reply.readAll();
                return file.write(chunk) == chunk.size();
            });
            if (status && !file.commit())
                status = Status::failure(err::FileIo,
                    QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
            if (!status)
                file.cancelWriting();
            return status;
        }

    private:
        // Sends a GET and waits for it in a local event loop, so windows and timers keep working
        // meanwhile. `consume` takes the body as it arrives and returns false when it cannot
        // store it, which ends the transfer as a failure; so does a body past `maxBytes`, which
        // is refused before any of its excess is taken.
        template <class Consume>
        Status fetch(const QUrl& url, int timeoutMs, qint64 maxBytes, Consume consume,
            int* httpStatus = nullptr)
        {
            const QString scheme = url.scheme().toLower();
            if (!url.isValid()
                || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
                return Status::failure(
                    err::Network, QStringLiteral("Not an HTTP address: %1").arg(url.toString()));
            if (timeoutMs <= 0)
                return Status::failure(
                    err::Timeout, QStringLiteral("Time limit reached: %1").arg(url.toString()));

            std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(url)));
            reply->setReadBufferSize(kReadAheadBytes);
            QEventLoop loop;
            QTimer limit;
            limit.setSingleShot(true);
            limit.setTimerType(Qt::PreciseTimer);
            bool timedOut = false;
            bool storeFailed = false;
            bool tooLarge = false;
            qint64 received = 0;
            // Checked before the bytes are taken: a promised length past the limit is refused at
            // once, and an endless body as soon as it passes the limit.
            const auto withinLimit = [&] {
                const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
                if (length.isValid() && length.toLongLong() > maxBytes)
                    return false;
                received += reply->bytesAvailable();
                return received <= maxBytes;
            };
            QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
                timedOut = true;
                loop.quit();
            });
            QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
                if (storeFailed || tooLarge)
                    return;
                if (!withinLimit()) {
                    tooLarge = true;
                    loop.quit();
                } else if (!consume(*reply)) {
                    storeFailed = true;
                    loop.quit();
                }
            });
            QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
            limit.start(timeoutMs);
            if (!reply->isFinished())
                loop.exec();
            limit.stop();

            if (!timedOut && !storeFailed && !tooLarge && reply->bytesAvailable() > 0
                && !withinLimit())
                tooLarge = true;
            if (timedOut || storeFailed || tooLarge) {
                // abort() emits finished(); the wait is over, so detach the loop first.
                QObject::disconnect(reply.get(), nullptr, &loop, nullptr);
                reply->abort();
                if (timedOut)
                    return Status::failure(
                        err::Timeout, QStringLiteral("Time limit reached: %1").arg(url.toString()));
                if (tooLarge)
                    return Status::failure(err::Network,
                        QStringLiteral("The reply from %1 is longer than %2 bytes")
                            .arg(url.toString())
                            .arg(maxBytes));
                return Status::failure(err::FileIo,
                    QStringLiteral("Cannot store the reply from %1").arg(url.toString()));
            }

            const QVariant statusAttribute
                = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            const int code = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
            if (httpStatus)
                *httpStatus = code;
            if (statusAttribute.isValid() && !isSuccessStatus(code))
                return httpStatusError(code);
            if (reply->error() != QNetworkReply::NoError)
                return Status::failure(err::Network, reply->errorString());
            if (!statusAttribute.isValid())
                return Status::failure(
                    err::Network, QStringLiteral("No HTTP reply from %1").arg(url.toString()));
            if (!consume(*reply))
                return Status::failure(err::FileIo,
                    QStringLiteral("Cannot store the reply from %1").arg(url.toString()));
            return {};
        }

        QNetworkAccessManager manager {};
    };

} // namespace

bool isSuccessStatus(int status) { return status >= 200 && status <= 299; }

Error httpStatusError(int status)
{
    return Error { err::Network, QStringLiteral("HTTP status %1").arg(status) };
}

QString osVersion()
{
    static const QRegularExpression majorMinor(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const QRegularExpressionMatch match = majorMinor.match(QSysInfo::kernelVersion());
    if (!match.hasMatch())
        return QStringLiteral("Unknown");
    return match.captured(1) + QLatin1Char('.') + match.captured(2);
}

namespace {

    // The window a message box serves, as the runtime of the program's windows says.
    QWidget* windowInUse()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !qobject_cast<Surface*>(modal))
            return modal; // a standard dialog over the forms
        QList<QWidget*> windows { modal, QApplication::activeWindow() };
        windows += QApplication::topLevelWidgets();
        for (QWidget* w : windows) {
            auto* surface = qobject_cast<Surface*>(w);
            if (!surface || !surface->container())
                continue;
            if (Form* f = surface->container()->form().runtime().windowInUse())
                return f->hWnd();
            break;
        }
        return QApplication::activeWindow();
    }

    // Puts a minimised dialog back at once: hidden while it blocks, it would leave every window
    // of the program dead.
    class KeepShown : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            auto* w = qobject_cast<QWidget*>(o);
            if (e->type() == QEvent::WindowStateChange && w && w->isMinimized())
                restoreMinimisedDialog(*w, [w] { w->activateWindow(); });
            return false;
        }
    };

    // Centred on the window it serves once it has its size, which the box takes for its texts
    // only as it is shown (the platform's own placing used the size before).
    class CentredMessageBox : public QMessageBox {
    public:
        explicit CentredMessageBox(QWidget* over)
            : QMessageBox(over)
            , over_(over)
        {
        }

    protected:
        void showEvent(QShowEvent* e) override
        {
            QMessageBox::showEvent(e);
            if (e->spontaneous() || !over_)
                return;
            const QScreen* screen = over_->screen();
            setGeometry(centredDialogRect(size(), expectedFrame(*this), over_->frameGeometry(),
                screen ? screen->geometry() : over_->frameGeometry()));
        }

    private:
        QPointer<QWidget> over_;
    };

}

class RealMessageBoxes : public MessageBoxes {
public:
    bool open(const Box& b) override
    {
        // A dialog of the window the learner works in, centred on it; over a top-most one (a
        // notice, the question panel) it must stand above it too, or it could not be read.
        QWidget* over = windowInUse();
        // On the heap: a box whose window goes while it is open goes with it.
        QPointer<QMessageBox> box = new CentredMessageBox(over);
        makeDialogWindow(
            *box, over, false, over && over->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        box->installEventFilter(new KeepShown(box));
        box->setWindowTitle(b.title);
        box->setText(b.text);
        switch (b.icon) {
        case Icon::None:
            box->setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box->setIcon(QMessageBox::Information);
            break;
        case Icon::Question:
            box->setIcon(QMessageBox::Question);
            break;
        }
        if (b.kind == Kind::Question) {
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setDefaultButton(
                b.defaultButton == Button::No ? QMessageBox::No : QMessageBox::Yes);
            box->setEscapeButton(QMessageBox::No);
        } else {
            box->setStandardButtons(QMessageBox::Ok);
        }
        const int answer = box->exec();
        delete box.data();
        return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
    }
};

bool installStandardTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

Services makeRealServices(const QString& lockName, const QString& settingsFile)
{
    Services services;
    services.singleInstance = std::make_unique<RealSingleInstance>(lockName);
    services.shell = std::make_unique<RealShell>();
    services.settings = std::make_unique<RealSettings>(settingsFile);
    services.keyboardLayouts = std::make_unique<RealKeyboardLayouts>();
    services.http = std::make_unique<RealHttp>();
    services.messageBoxes = std::make_unique<RealMessageBoxes>();
    return services;
}

} // namespace plat
