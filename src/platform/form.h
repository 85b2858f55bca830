#pragma once

// A form: one window with its controls, in the shape its window was designed in. There is one
// default instance per form class, reached through the runtime. Touching an unloaded form (a
// control, a property, its window, a timer) loads it and runs its load handler first. Unload
// destroys the controls and timers (deferred while a handler runs) and the next touch loads it
// afresh; the form's own fields survive an unload unless the form resets them in its load.

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/menu.h"
#include "platform/timer.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

class QWidget;
class QEventLoop;

namespace plat {

class Runtime;

// The form's own client area.
class FormArea : public Container {
public:
    explicit FormArea(Form& f)
        : Container(f)
    {
    }
    void attach(Surface* s) { attachSurface(s); }
};

class Form : public EventSlots {
public:
    Form(Runtime& rt, QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Runtime& runtime() const { return *rt_; }
    const QString& name() const { return name_; }

    bool isLoaded() const { return loaded_; }
    // Load statement: loads without showing.
    void load();
    // Unload statement. Runs the unload handler (which may cancel), hides the window, stops the
    // timers and destroys the controls.
    void unload();
    // Shows the window. Modal: runs a nested event loop in which other windows get no input and
    // every timer keeps ticking, until the form is hidden or unloaded. A modal form is a dialog
    // of the window in use (`Runtime::windowInUse`): kept above it by the window manager, of a
    // fixed size, without minimise or maximise, centred on it when the form is centred, and put
    // back at once when something minimises it while it blocks.
    void show(bool modal = false);
    void hide();
    bool visible() const; // shown now (does not load)
    // Decodes the pictures of the controls shown now, which a picture's own load leaves for its
    // first showing. Showing the window does this before it maps, so the window appears whole.
    void decodeShownPictures();
    bool isModalRunning() const { return modalLoop_ != nullptr; }
    // Runs `task` once the event loop is free after the window has first painted (soon, when it
    // has painted already): work that must not hold up the window's first painting. A task
    // still waiting when the form unloads is dropped.
    void afterFirstPainting(std::function<void()> task);

    // The root container of the controls (loads).
    FormArea& area();
    // The top-level window (loads), which top-most placement and message boxes work on.
    QWidget* hWnd();

    double left();
    double top();
    double width();
    double height();
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void move(double left, double top, double width = -1, double height = -1);

    QString caption();
    void setCaption(const QString& c);
    Status setIcon(const QString& path);
    // Background picture drawn at the top-left corner; the empty name clears it.
    Status setPicture(const QString& path);
    void setBackColor(uint32_t c);
    // 0 normal, 1 minimised, 2 maximised.
    int windowState();
    void setWindowState(int s);
    // Borderless windows have no title bar; set before the first show.
    void setBorderless(bool b);
    // Centred on the screen when first shown; a modal form on the window it serves, at every
    // showing.
    void setCentered(bool c);
    // The top-most band: enter or leave without moving or resizing.
    void setTopMost(bool topMost);
    void bringToFront();
    // The caption drag of a borderless window, called on the press of the left button. While
    // the button stays held the window moves with the pointer, the pressed point of the caption
    // staying under it; a short click moves nothing. `afterMove` runs once the button is
    // released, so what follows the move (a panel docking to its window) sees the window where
    // it was dropped.
    void startSystemMove(std::function<void()> afterMove = {});
    bool captionDragging() const { return drag_.armed; }
    // The surfaces' pointer moves and releases during a caption drag; true when taken.
    bool captionDragMove(QPoint global, bool leftHeld);
    // Hands the keyboard focus to this window (its activation; a window manager may refuse).
    void activate();
    // A window that hands the keyboard to `target`: after every click in it `target` is
    // activated again (when shown, and no modal window or popup runs), and keys that still
    // reach this window (a window manager may refuse the activation) go on to `target`'s
    // focused control. The key's release is raised here too, after it went on.
    void setKeyTarget(Form* target) { keyTarget_ = target; }
    Form* keyTarget() const { return keyTarget_; }

    // Shows a popup menu of the form's menu at `place`, or at the pointer; the chosen entry's
    // Click runs before this returns. A menu without a visible entry is not shown.
    void popupMenu(MenuItem& menu, const std::optional<PopupPlace>& place = std::nullopt);
    // The form's menu tree (top entries); loads.
    MenuItem& menuBar();

    // Focus within the form; nullptr when the form itself has it.
    Control* focusedControl() const { return focused_; }

    // Hooks for the runtime and the surfaces.
    void noteFocus(Control* c);
    void forgetControl(Control* c);
    // The window manager asks to close the window: the query, then the unload.
    void closeRequest();
    // The window manager moved or sized the window, or changed its state.
    void syncFromWindow();
    void noteWindowState();
    // The window's rectangle in pixels, from its twips.
    QRect pixelGeometry() const;
    void addTimer(Timer* t) { timers_.push_back(t); }
    void removeTimer(Timer* t) { std::erase(timers_, t); }

protected:
    // Builds the controls with their design properties.
    virtual void createControls() = 0;
    virtual void destroyControls() = 0;
    // The form's Load and Unload event handlers.
    virtual void Form_Load() { }
    virtual void Form_Unload(int& cancel) { }
    // A close request from the window manager, before the unload: may cancel it.
    virtual void Form_QueryUnload(int& cancel) { }
    // Bring the menu tree into being (forms with menus override).
    virtual void createMenus(MenuItem& bar) { }
    // Moves the controls to the runtime's deferred-deletion list.
    void retire(std::shared_ptr<void> controls);

private:
    friend class Runtime;
    friend class Surface;
    void applyWindowGeometry();
    // Makes the window a fixed dialog of `owner` (none: of no window) before a modal showing.
    void becomeDialogOf(Form* owner);
    // The window's title: its caption, or the application's title when it has none.
    void showTitle();
    void quitModal();
    void watchKeys();
    // The window has painted: the tasks waiting for its first painting are started.
    void notePainted();
    void startAfterPaintingTasks();

    Runtime* rt_;
    QString name_;
    bool loaded_ = false;
    bool loading_ = false;
    bool borderless_ = false;
    bool centered_ = false;
    bool topMost_ = false;
    bool everShown_ = false;
    bool syncing_ = false;
    bool dialog_ = false; // the window is a fixed dialog (since its modal showing)
    QString caption_;
    double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    int windowState_ = 0;
    std::unique_ptr<FormArea> area_;
    QPointer<Surface> window_;
    std::unique_ptr<MenuItem> menuBar_;
    Control* focused_ = nullptr;
    Form* keyTarget_ = nullptr;
    QPointer<QObject> keyForward_;
    std::vector<Timer*> timers_;
    bool painted_ = false; // since the load
    std::vector<std::function<void()>> afterPainting_;
    QEventLoop* modalLoop_ = nullptr;
    struct CaptionDrag {
        bool armed = false; // pressed on a caption, left button
        QPoint pressGlobal;
        QPoint windowAtPress;
        std::function<void()> afterMove;
    } drag_;
};

// The usual way to write a form: the controls as members of a struct, created at load.
template <class Ui> class FormWith : public Form {
public:
    using Form::Form;
    // The controls; touching them loads the form.
    Ui& ui()
    {
        if (!ui_)
            load();
        return *ui_;
    }

    // Controls that code outside the form builds into the Ui's containers (a panel written in a
    // file of its own). They belong to the current load and go before the Ui does, while their
    // containers still exist.
    // One part of each type; the part of the current load is found again by its type.
    template <class P> P& adoptControls(std::shared_ptr<P> part)
    {
        P& kept = *part;
        parts_.push_back({ std::type_index(typeid(P)), std::move(part) });
        return kept;
    }
    // The part of that type of the current load, or none.
    template <class P> P* adopted() const
    {
        for (const auto& [type, part] : parts_)
            if (type == std::type_index(typeid(P)))
                return static_cast<P*>(part.get());
        return nullptr;
    }

protected:
    void createControls() override { ui_ = std::make_shared<Ui>(*this); }
    void destroyControls() override
    {
        for (auto& p : parts_)
            retire(std::move(p.second));
        parts_.clear();
        retire(std::move(ui_));
        ui_.reset();
    }
    // Inside the load handler the controls exist already.
    Ui& uiNoLoad() { return *ui_; }

private:
    std::shared_ptr<Ui> ui_;
    // Declared after ui_: destroyed before it.
    std::vector<std::pair<std::type_index, std::shared_ptr<void>>> parts_;
};

} // namespace plat
