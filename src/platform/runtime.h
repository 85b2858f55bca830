#pragma once

// The application object: the clock, the system services, the forms' default instances, the
// screen, the error hook and the hooks through which a test answers modal windows and popup
// menus. Nothing here is a process global; each test builds its own runtime.

#include "platform/clock.h"
#include "platform/menu.h"
#include "platform/picture.h"
#include "platform/services.h"
#include "platform/status.h"

#include <QCursor>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

namespace plat {

class Form;
class MenuItem;

class Runtime {
public:
    Runtime(std::unique_ptr<Clock> clock, Services services, QString programDir);
    virtual ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Clock& clock() { return *clock_; }
    Services& services() { return services_; }
    // The program folder: the executable's folder in the program, a test folder in tests.
    const QString& programDir() const { return programDir_; }

    // The default instance of a form class, created (not loaded) on first use. F is constructed
    // from the derived runtime type H, so forms can reach the system's shared state.
    template <class F, class H> F& formOf(H& host)
    {
        auto it = forms_.find(std::type_index(typeid(F)));
        if (it != forms_.end())
            return static_cast<F&>(*it->second);
        auto f = std::make_unique<F>(host);
        F& ref = *f;
        forms_.emplace(std::type_index(typeid(F)), std::move(f));
        return ref;
    }
    std::vector<Form*> forms() const;

    // Display: pixels of the screen; ScaleX/ScaleY of the display (1.0 at 96 logical dpi).
    QRect screenRect() const;
    void setScreenRect(const QRect& r) { screenOverride_ = r; }
    double screenWidthTwips() const;
    double screenHeightTwips() const;
    double displayScaleX() const { return scaleX_; }
    double displayScaleY() const { return scaleY_; }
    // Tests stand in another display (120 dpi: 0.8).
    void setDisplayScale(double x, double y)
    {
        scaleX_ = x;
        scaleY_ = y;
    }
    // Twips per pixel of the display: 15 at 96 dpi, 12 at 120 dpi. Controls convert with these,
    // so a design scaled by ScaleX keeps its pixel size on any display.
    double twipsPerPixelX() const { return 15.0 * scaleX_; }
    double twipsPerPixelY() const { return 15.0 * scaleY_; }

    // End statement: unloads every form, stops every timer and leaves every event loop. The
    // caller returns right after it.
    void end();
    bool ended() const { return ended_; }
    std::function<void()> onEnd; // the program quits its event loop here

    // Runs a handler as an event: counts the dispatch depth (deferred deletions happen when it
    // drops to 0) and turns an exception into a report instead of letting it reach the loop.
    void dispatch(const std::function<void()>& handler);
    int dispatchDepth() const { return depth_; }
    void retire(std::shared_ptr<void> p);
    // Destroys what was retired, unless an event is being handled.
    void purge();

    // Reports a failure the layer meets in an event (installed by the shell).
    std::function<void(const QString& tag, const Error& e)> reportHook;
    void report(const QString& tag, const Error& e);

    // Tests answer modal windows here: called with the form right after it is shown modally;
    // when the form is still shown afterwards it is hidden (an unanswered dialog).
    std::function<void(Form&)> modalDriver;
    // Tests choose popup menu entries here: returns the chosen entry or nullptr.
    std::function<MenuItem*(Form&, MenuItem& menu, const std::optional<PopupPlace>& place)>
        popupDriver;
    // Tests say where their scripted pointer is here: such input moves no real pointer.
    std::function<QPoint()> pointerDriver;
    // Where the pointer is, in global pixels.
    QPoint pointerPosition() const;
    // The modal form now running, innermost; input to other forms is refused.
    Form* activeModal() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }
    // The window the learner works in, which a dialog or message box serves: the modal form
    // running, else the latest activated form still shown and not minimised; a form that hands
    // its keys to another (the question panel) stands for that one while it is shown.
    Form* windowInUse() const { return latestShown(true); }
    // The latest activated form still shown and not minimised, or the modal form running; with
    // `throughKeyTarget` the form that form hands its keys to, when shown.
    Form* latestShown(bool throughKeyTarget) const;
    void noteActivated(Form& f);

    // Top-most windows without a window manager: nothing but the program keeps them on top. After
    // any other window is shown, raised or activated the runtime raises every visible top-most
    // form again, in the order they were last shown, then the modal windows running, innermost
    // last (a dialog opened from a top-most window stands above it).
    void raiseTopMost();
    void noteTopMost(Form& f);
    void forgetTopMost(Form& f) { std::erase(topOrder_, &f); }

    // Serial number of the latest mouse press anywhere, counted from 1, and where on the screen
    // it was made (global pixels).
    quint64 pressSerial() const { return pressSerial_; }
    quint64 notePress(QPoint global = {})
    {
        pressPosition_ = global;
        return ++pressSerial_;
    }
    QPoint pressPosition() const { return pressPosition_; }

    // The application's title: a window without a caption of its own shows it in the window
    // list and the task bar (the platform would show the executable's name).
    const QString& applicationTitle() const { return applicationTitle_; }
    void setApplicationTitle(const QString& title);

    // The pointer made of a cursor picture. A window gives one pointer file to most of its
    // controls (every button of the home window has the hand), so each picture's pointer is
    // made once and shared.
    QCursor cursorOf(const Picture& icon) const;

private:
    friend class Form;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::unique_ptr<Clock> clock_;
    Services services_;
    QString programDir_;
    std::map<std::type_index, std::unique_ptr<Form>> forms_;
    std::vector<std::shared_ptr<void>> graveyard_;
    std::vector<Form*> modalStack_;
    std::vector<Form*> topOrder_; // top-most forms, the latest shown last
    std::vector<Form*> activeOrder_; // forms by activation, the latest last
    bool raising_ = false;
    std::optional<QRect> screenOverride_;
    double scaleX_ = 1.0, scaleY_ = 1.0;
    bool ended_ = false;
    int depth_ = 0;
    quint64 pressSerial_ = 0;
    QPoint pressPosition_;
    QString applicationTitle_;
    // By the picture's image; a handful (the program has a few cursor files).
    mutable QHash<qint64, QCursor> cursors_;
};

} // namespace plat
