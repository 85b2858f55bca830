#pragma once

// The controls that forms are built from. Geometry is in twips (doubles, read back exactly as
// written, relative to the container); 15 twips make a pixel when drawn. Lightweight controls
// (Label, Image, Shape, Line) are drawn by their container and lie below the windowed ones
// (PictureBox, TextBox, ListBox, HtmlView), which are real child widgets.

#include "platform/color.h"
#include "platform/events.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/status.h"
#include "platform/surface.h"

#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QWidget;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace plat {

class Container;
class Form;
class Runtime;
class Surface;

// Mouse pointers: 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 NE-SW, 7 N-S,
// 8 NW-SE, 9 W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass,
// 14 arrow and question, 15 size all, 99 custom (MouseIcon).
inline constexpr int kCustomPointer = 99;

class Control : public EventSlots {
public:
    Control(Container& parent, QString name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    int index() const { return index_; }
    Container& parent() const { return *parent_; }
    Form& form() const;
    Runtime& runtime() const;

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    virtual void setLeft(double v);
    virtual void setTop(double v);
    virtual void setWidth(double v);
    virtual void setHeight(double v);
    // Move with any of the four; a negative width or height keeps the current one.
    void move(double left, double top, double width = -1, double height = -1);

    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool v);
    // Whether the control and every container up to the form are visible (not whether the
    // window is shown).
    bool visibleInForm() const;

    const QString& toolTipText() const { return toolTip_; }
    virtual void setToolTipText(const QString& t) { toolTip_ = t; }

    int mousePointer() const { return pointer_; }
    // A value outside 0..15 and 99 is refused and leaves the pointer as it was.
    Status setMousePointer(int pointer);
    const Picture& mouseIcon() const { return mouseIcon_; }
    // Loads the custom pointer (a .CUR or picture file); a failure keeps the old one.
    Status setMouseIcon(const QString& path);

    // 0 brings the control to the front of its layer, 1 sends it to the back.
    void zOrder(int position = 0);
    // Gives the control the input focus and raises GotFocus at once. Fails on a control that
    // cannot take the focus, is hidden, disabled, or whose window is not shown.
    Status setFocus();

    virtual bool isWindowed() const { return false; }
    virtual bool canFocus() const { return false; }
    // Shapes and lines never take the mouse.
    virtual bool takesMouse() const { return true; }
    virtual QWidget* widget() const { return nullptr; }
    // Draws a lightweight control into its container's coordinates (pixels).
    virtual void paint(QPainter&) const { }
    // The rectangle in the container's pixels.
    QRectF pixelRect() const;
    // Smaller than a pixel: takes no input.
    bool subPixel() const;
    // Twips per pixel of the display the control is drawn on.
    double tppX() const;
    double tppY() const;

    // Copies the design properties of another member of the same control array.
    virtual void copyDesignFrom(const Control& other);

protected:
    virtual void geometryChanged();
    void repaint() const;
    void applyCursor();

private:
    friend class Container;
    Container* parent_ = nullptr;
    QString name_;
    int index_ = -1;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    QString toolTip_;
    int pointer_ = 0;
    Picture mouseIcon_;
};

// Something that holds controls: the form's client area or a picture box.
class Container {
public:
    virtual ~Container();
    Form& form() const { return *form_; }
    Surface* surface() const { return surface_.data(); }
    // The control this container is, or nullptr for the form's own client area.
    virtual Control* asControl() { return nullptr; }
    EventSlots& eventSlots();
    const std::vector<Control*>& children() const { return children_; }
    // The topmost lightweight child that takes the mouse at a point of the container (pixels).
    Control* lightweightAt(const QPointF& px) const;
    // Puts the children named in `names` first, in that order (the elements of an array keep
    // their order among themselves), and the others after them as they stand: the drawing
    // order of the lightweight children, the stacking and focus order of the windowed ones.
    // For a form that builds its controls in another order than it stacks them.
    void restack(std::initializer_list<QStringView> names);

    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t c);
    const Picture& picture() const { return picture_; }
    // Loads the background picture; the empty name clears it; a failure keeps the old one.
    Status setPicture(const QString& path);
    void setPicture(const Picture& p);

protected:
    explicit Container(Form& form);
    void attachSurface(Surface* s) { surface_ = s; }
    virtual void pictureChanged() { }

private:
    friend class Control;
    friend class Surface;
    Form* form_ = nullptr;
    QPointer<Surface> surface_;
    std::vector<Control*> children_; // design order; for lightweight ones also the drawing order
    uint32_t backColor_ = syscolor::ButtonFace;
    Picture picture_;
};

// Label: caption kept verbatim (CR LF breaks lines), AutoSize measured with the font.
class Label : public Control {
public:
    Label(Container& parent, QString name, int index = -1);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool a);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool w);
    // 0 transparent, 1 opaque.
    int backStyle() const { return backStyle_; }
    void setBackStyle(int s);
    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t c);
    uint32_t foreColor() const { return foreColor_; }
    void setForeColor(uint32_t c);
    // 0 left, 1 right, 2 centre.
    int alignment() const { return alignment_; }
    void setAlignment(int a);
    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& f);
    void setFontSize(double points);
    void setFontName(const QString& name);
    void setFontBold(bool b);
    // 0 none, 1 fixed single.
    void setBorderStyle(int s);

    void paint(QPainter& p) const override;
    void copyDesignFrom(const Control& other) override;

private:
    void fit();
    // The last measurement of fit(), which a caption set again unchanged reuses.
    struct Measured {
        QString caption;
        FontSpec font;
        double twipsPerPixel = 0;
        double wrapWidth = -1; // pixels; 0 without word wrap
        QSizeF pixels;
        double lineHeight = 0;
    };
    QString caption_;
    Measured measured_;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    int backStyle_ = 1;
    uint32_t backColor_ = syscolor::ButtonFace;
    uint32_t foreColor_ = syscolor::ButtonText;
    int alignment_ = 0;
    int borderStyle_ = 0;
    FontSpec font_;
};

// Image: shows a picture; sizes itself to the picture unless stretched.
class Image : public Control {
public:
    Image(Container& parent, QString name, int index = -1);

    const Picture& picture() const { return picture_; }
    Status setPicture(const QString& path);
    void setPicture(const Picture& p);
    bool stretch() const { return stretch_; }
    void setStretch(bool s);

    void paint(QPainter& p) const override;
    void copyDesignFrom(const Control& other) override;

private:
    Picture picture_;
    bool stretch_ = false;
};

// Shape: a frame or filled figure; never takes the mouse.
class Shape : public Control {
public:
    Shape(Container& parent, QString name, int index = -1);
    bool takesMouse() const override { return false; }

    uint32_t borderColor() const { return borderColor_; }
    void setBorderColor(uint32_t c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);
    // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid.
    void setBorderStyle(int s);
    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square.
    void setShape(int s);
    // 1 transparent fill, 0 solid.
    void setFillStyle(int s);
    void setFillColor(uint32_t c);

    void paint(QPainter& p) const override;
    void copyDesignFrom(const Control& other) override;

private:
    uint32_t borderColor_ = syscolor::WindowText;
    int borderWidth_ = 1;
    int borderStyle_ = 1;
    int shape_ = 0;
    int fillStyle_ = 1;
    uint32_t fillColor_ = 0;
};

// Line from (X1, Y1) to (X2, Y2) in the container's twips; never takes the mouse.
class Line : public Control {
public:
    Line(Container& parent, QString name, int index = -1);
    bool takesMouse() const override { return false; }
    void setPoints(double x1, double y1, double x2, double y2);
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setBorderColor(uint32_t c);
    void setBorderWidth(int w);
    void paint(QPainter& p) const override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    uint32_t borderColor_ = syscolor::WindowText;
    int borderWidth_ = 1;
};

// A control drawn by a widget of its own, which is placed, shown, enabled and given the tip
// with the control and released with it.
class WindowedControl : public Control {
public:
    ~WindowedControl() override;
    bool isWindowed() const override { return true; }
    bool canFocus() const override { return true; }
    QWidget* widget() const override { return widget_; }
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void setToolTipText(const QString& t) override;

protected:
    WindowedControl(Container& parent, QString name, int index);
    // Takes the control's widget and shows it.
    void adopt(QWidget* w);

private:
    QPointer<QWidget> widget_;
};

// A windowed control showing text, whose font, colours and frame make one style.
class TextControl : public WindowedControl {
public:
    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& f);
    uint32_t foreColor() const { return foreColor_; }
    void setForeColor(uint32_t c);
    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t c);

protected:
    using WindowedControl::WindowedControl;
    // 0 none, 1 fixed single.
    void setFrame(int borderStyle);
    void applyStyle();

private:
    FontSpec font_;
    uint32_t foreColor_ = syscolor::WindowText;
    uint32_t backColor_ = syscolor::Window;
    int borderStyle_ = 1;
    // The style last given to the widget, which a step sets again unchanged on every load.
    struct Style {
        FontSpec font;
        double twipsPerPixel;
        uint32_t foreColor, backColor;
        int borderStyle;
        bool operator==(const Style&) const = default;
    };
    std::optional<Style> applied_;
};

// PictureBox: a windowed container that clips its children and can hold the focus.
class PictureBox : public WindowedControl, public Container {
public:
    PictureBox(Container& parent, QString name, int index = -1);
    Control* asControl() override { return this; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool a);
    // 0 none, 1 fixed single.
    void setBorderStyle(int s);
    // The surface judges enabling and tips for everything drawn on it, so neither goes to the
    // widget.
    void setEnabled(bool v) override { Control::setEnabled(v); }
    void setToolTipText(const QString& t) override { Control::setToolTipText(t); }

protected:
    void pictureChanged() override;

private:
    bool autoSize_ = false;
    QPointer<Surface> own_;
};

// TextBox: a single-line (or multi-line) entry field. Setting Text raises Change before the
// assignment returns, also when the text is unchanged (the step checks rely on every
// assignment being judged).
class TextBox : public TextControl {
public:
    TextBox(Container& parent, QString name, int index = -1, bool multiLine = false);

    QString text() const;
    void setText(const QString& t);
    int selStart() const;
    void setSelStart(int s);
    int selLength() const;
    void setSelLength(int n);
    QString selText() const;
    bool locked() const { return locked_; }
    void setLocked(bool l);
    // 0 left, 1 right, 2 centre.
    void setAlignment(int a);
    int alignment() const { return alignment_; }
    // 0 none, 1 fixed single.
    void setBorderStyle(int s) { setFrame(s); }

private:
    friend class TextBoxWidget;
    QLineEdit* edit() const;
    bool multiLine_ = false;
    bool locked_ = false;
    int alignment_ = 0;
};

// ListBox: items with an index from 0; ListIndex -1 selects nothing. Setting ListIndex raises
// Click; an index out of range is refused with no event.
class ListBox : public TextControl {
public:
    ListBox(Container& parent, QString name, int index = -1);

    void clear();
    void addItem(const QString& item, int index = -1);
    Status removeItem(int index);
    QString list(int index) const; // "" outside the list
    int listCount() const;
    int listIndex() const;
    Status setListIndex(int index);

private:
    friend class ListBoxWidget;
    QListWidget* items() const;
    bool settingIndex_ = false;
};

// HtmlView: shows a local HTML page (the help pages). The browser behind it is built when the
// view is first shown or asked for its page; a page set before waits for it.
class HtmlView : public WindowedControl {
public:
    HtmlView(Container& parent, QString name, int index = -1);

    // Shows a page file (decoded as GBK unless it declares UTF-8).
    Status navigate(const QString& path);
    void setHtml(const QString& html);
    QString html() const;

private:
    QTextBrowser* browser() const; // built on the first call
};

// A control array: members by Index, created at design or loaded at run time.
template <class T> class ControlArray {
public:
    ControlArray(Container& parent, QString name)
        : parent_(&parent)
        , name_(std::move(name))
    {
    }

    // Creates a member at design time in the given container.
    T& create(int index, Container& in)
    {
        auto c = std::make_unique<T>(in, name_, index);
        T& ref = *c;
        members_[index] = std::move(c);
        return ref;
    }
    T& create(int index) { return create(index, *parent_); }

    // Loads a new member at run time: it copies the lowest member's design, hidden. Fails when
    // the index exists or there is no member to copy.
    Status load(int index)
    {
        if (members_.count(index))
            return Status::failure(
                err::ObjectAlreadyLoaded, QStringLiteral("Object already loaded"));
        if (members_.empty())
            return Status::failure(err::ControlArrayElementMissing,
                QStringLiteral("Control array element doesn't exist"));
        const T& first = *members_.begin()->second;
        T& c = create(index, first.parent());
        c.copyDesignFrom(first);
        c.setVisible(false);
        return {};
    }
    Status unload(int index)
    {
        auto it = members_.find(index);
        if (it == members_.end())
            return Status::failure(err::ControlArrayElementMissing,
                QStringLiteral("Control array element doesn't exist"));
        members_.erase(it);
        return {};
    }

    bool exists(int index) const { return members_.count(index) != 0; }
    T* at(int index) const
    {
        auto it = members_.find(index);
        return it == members_.end() ? nullptr : it->second.get();
    }
    // A missing member gives a detached, hidden stand-in, so a statement on it is skipped
    // rather than crashing (the system's "go on with the next statement").
    T& operator[](int index)
    {
        if (T* c = at(index))
            return *c;
        if (!sink_) {
            sink_ = std::make_unique<T>(*parent_, name_ + QStringLiteral("(missing)"), -2);
            sink_->setVisible(false);
        }
        return *sink_;
    }
    int lbound() const { return members_.empty() ? 0 : members_.begin()->first; }
    int ubound() const { return members_.empty() ? -1 : members_.rbegin()->first; }
    const QString& name() const { return name_; }
    template <class F> void forEach(F f)
    {
        for (auto& [i, c] : members_)
            f(*c);
    }

private:
    Container* parent_;
    QString name_;
    std::map<int, std::unique_ptr<T>> members_;
    std::unique_ptr<T> sink_;
};

} // namespace plat
