#include "platform/controls.h"

#include "platform/color.h"
#include "platform/form.h"
#include "platform/paths.h"
#include "platform/runtime.h"
#include "platform/surface.h"
#include "platform/text.h"

#include <QFile>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBrowser>

#include <algorithm>
#include <cmath>
#include <optional>

namespace plat {

namespace {

    QRect pixelGeometry(const Control& c)
    {
        const QRectF r = c.pixelRect();
        return QRect(int(std::lround(r.x())), int(std::lround(r.y())),
            std::max(0, int(std::lround(r.width()))), std::max(0, int(std::lround(r.height()))));
    }

    void placeWidget(QWidget* w, const Control& c)
    {
        if (!w)
            return;
        w->setGeometry(pixelGeometry(c));
        // A control smaller than a pixel takes no input; zero-sized widgets vanish by themselves.
        w->setAttribute(Qt::WA_TransparentForMouseEvents, c.subPixel());
    }

    QString withLineBreaks(const QString& caption)
    {
        QString s = caption;
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return s;
    }

    Qt::Alignment horizontal(int alignment)
    {
        switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
        }
    }

    QString styleSheetFor(uint32_t fore, uint32_t back, int borderStyle)
    {
        return QStringLiteral("color: %1; background-color: %2; %3")
            .arg(toQColor(fore).name(), toQColor(back).name(),
                borderStyle ? QStringLiteral("border: 1px solid #7f9db9;")
                            : QStringLiteral("border: none;"));
    }

} // namespace

// Control --------------------------------------------------------------------------------------

Control::Control(Container& parent, QString name, int index)
    : parent_(&parent)
    , name_(std::move(name))
    , index_(index)
{
    parent.children_.push_back(this);
}

Control::~Control()
{
    auto& v = parent_->children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    if (Surface* s = parent_->surface())
        s->forgetControl(this);
    parent_->form().forgetControl(this);
    repaint();
}

Form& Control::form() const { return parent_->form(); }
Runtime& Control::runtime() const { return parent_->form().runtime(); }

void Control::setLeft(double v)
{
    if (left_ == v)
        return;
    left_ = v;
    geometryChanged();
}
void Control::setTop(double v)
{
    if (top_ == v)
        return;
    top_ = v;
    geometryChanged();
}
void Control::setWidth(double v)
{
    if (width_ == v)
        return;
    width_ = v;
    geometryChanged();
}
void Control::setHeight(double v)
{
    if (height_ == v)
        return;
    height_ = v;
    geometryChanged();
}

void Control::move(double left, double top, double width, double height)
{
    // A step sets most places again unchanged; only a change is placed and repainted.
    if (left_ == left && top_ == top && (width < 0 || width_ == width)
        && (height < 0 || height_ == height))
        return;
    left_ = left;
    top_ = top;
    if (width >= 0)
        width_ = width;
    if (height >= 0)
        height_ = height;
    geometryChanged();
}

void Control::setVisible(bool v)
{
    if (visible_ == v)
        return;
    visible_ = v;
    repaint();
}

void Control::setEnabled(bool v) { enabled_ = v; }

bool Control::visibleInForm() const
{
    if (!visible_)
        return false;
    for (Container* c = parent_; c;) {
        Control* ctl = c->asControl();
        if (!ctl)
            break;
        if (!ctl->visible())
            return false;
        c = &ctl->parent();
    }
    return true;
}

Status Control::setMousePointer(int pointer)
{
    if (!((pointer >= 0 && pointer <= 15) || pointer == kCustomPointer))
        return Status::failure(err::InvalidProperty, QStringLiteral("Invalid property value"));
    pointer_ = pointer;
    applyCursor();
    return {};
}

Status Control::setMouseIcon(const QString& path)
{
    auto pic = loadPicture(path);
    if (!pic)
        return pic.status();
    mouseIcon_ = pic.value();
    applyCursor();
    return {};
}

void Control::applyCursor()
{
    // Lightweight controls get their pointer from the surface as the mouse moves over them.
    QWidget* w = widget();
    if (!w)
        return;
    if (pointer_ == kCustomPointer && !mouseIcon_.isNull())
        w->setCursor(form().runtime().cursorOf(mouseIcon_));
    else if (pointer_ == 0)
        w->unsetCursor();
    else if (pointer_ == 2)
        w->setCursor(Qt::CrossCursor);
    else if (pointer_ == 3)
        w->setCursor(Qt::IBeamCursor);
    else
        w->setCursor(Qt::ArrowCursor);
}

void Control::zOrder(int position)
{
    auto& v = parent_->children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    if (position == 0)
        v.push_back(this);
    else
        v.insert(v.begin(), this);
    if (QWidget* w = widget()) {
        if (position == 0)
            w->raise();
        else
            w->lower();
    }
    repaint();
}

Status Control::setFocus()
{
    if (!canFocus() || !enabled_ || !visibleInForm() || !form().visible())
        return Status::failure(err::InvalidProcedureCall, QStringLiteral("Invalid procedure call"));
    if (QWidget* w = widget())
        w->setFocus(Qt::OtherFocusReason);
    form().noteFocus(this);
    return {};
}

QRectF Control::pixelRect() const
{
    const double tx = tppX(), ty = tppY();
    return QRectF(left_ / tx, top_ / ty, width_ / tx, height_ / ty);
}

bool Control::subPixel() const { return width_ < tppX() || height_ < tppY(); }
double Control::tppX() const { return runtime().twipsPerPixelX(); }
double Control::tppY() const { return runtime().twipsPerPixelY(); }

void Control::copyDesignFrom(const Control& other)
{
    move(other.left_, other.top_, other.width_, other.height_);
    enabled_ = other.enabled_;
    toolTip_ = other.toolTip_;
    pointer_ = other.pointer_;
    mouseIcon_ = other.mouseIcon_;
}

void Control::geometryChanged()
{
    placeWidget(widget(), *this);
    repaint();
}

void Control::repaint() const
{
    if (!isWindowed())
        if (Surface* s = parent_->surface())
            s->repaintAll();
}

// Container ------------------------------------------------------------------------------------

Container::Container(Form& form)
    : form_(&form)
{
}

Container::~Container() = default;

EventSlots& Container::eventSlots()
{
    if (Control* c = asControl())
        return *c;
    return *form_;
}

Control* Container::lightweightAt(const QPointF& px) const
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = *it;
        if (c->isWindowed() || !c->visible() || !c->enabled() || !c->takesMouse() || c->subPixel())
            continue;
        if (c->pixelRect().contains(px))
            return c;
    }
    return nullptr;
}

void Container::restack(std::initializer_list<QStringView> names)
{
    auto rank = [&](const Control* c) {
        return std::find(names.begin(), names.end(), QStringView(c->name())) - names.begin();
    };
    std::stable_sort(children_.begin(), children_.end(),
        [&](const Control* a, const Control* b) { return rank(a) < rank(b); });
    QWidget* previous = nullptr;
    for (Control* c : children_) {
        QWidget* w = c->widget();
        if (!w)
            continue;
        w->raise();
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    if (surface_)
        surface_->update();
}

void Container::setBackColor(uint32_t c)
{
    backColor_ = c;
    if (surface_)
        surface_->repaintAll();
}

Status Container::setPicture(const QString& path)
{
    auto pic = loadPicture(path);
    if (!pic)
        return pic.status();
    setPicture(pic.value());
    return {};
}

void Container::setPicture(const Picture& p)
{
    picture_ = p;
    pictureChanged();
    if (surface_)
        surface_->repaintAll();
}

// Label ----------------------------------------------------------------------------------------

Label::Label(Container& parent, QString name, int index)
    : Control(parent, std::move(name), index)
{
}

void Label::setCaption(const QString& c)
{
    caption_ = c;
    fit();
    repaint();
}
void Label::setAutoSize(bool a)
{
    autoSize_ = a;
    fit();
}
void Label::setWordWrap(bool w)
{
    wordWrap_ = w;
    fit();
}
void Label::setBackStyle(int s)
{
    backStyle_ = s;
    repaint();
}
void Label::setBackColor(uint32_t c)
{
    backColor_ = c;
    repaint();
}
void Label::setForeColor(uint32_t c)
{
    foreColor_ = c;
    repaint();
}
void Label::setAlignment(int a)
{
    alignment_ = a;
    repaint();
}
void Label::setFont(const FontSpec& f)
{
    font_ = f;
    fit();
    repaint();
}
void Label::setFontSize(double points)
{
    font_.size = points;
    setFont(font_);
}
void Label::setFontName(const QString& name)
{
    font_.name = name;
    setFont(font_);
}
void Label::setFontBold(bool b)
{
    font_.bold = b;
    setFont(font_);
}
void Label::setBorderStyle(int s)
{
    borderStyle_ = s;
    repaint();
}

void Label::fit()
{
    if (!autoSize_)
        return;
    // A step sets most captions again unchanged; measuring with the font is the dear part.
    const double tpp = tppY();
    const double wrapWidth = wordWrap_ ? std::max(1.0, width() / tppX()) : 0;
    if (!(measured_.caption == caption_ && measured_.wrapWidth == wrapWidth
            && measured_.font == font_ && measured_.twipsPerPixel == tpp)) {
        const QFontMetricsF fm(toQFont(font_, tpp));
        const QString text = withLineBreaks(caption_);
        QSizeF px;
        if (wordWrap_) {
            // Width stays; the height grows to hold the wrapped caption.
            px = fm.boundingRect(
                       QRectF(0, 0, wrapWidth, 1e6), Qt::TextWordWrap | Qt::TextWrapAnywhere, text)
                     .size();
            px.setWidth(wrapWidth);
        } else {
            px = fm.boundingRect(QRectF(0, 0, 1e6, 1e6), 0, text).size();
            if (text.isEmpty())
                px = QSizeF(0, fm.height());
        }
        measured_ = { caption_, font_, tpp, wrapWidth, px, fm.height() };
    }
    const QSizeF px = measured_.pixels;
    const double w = std::ceil(px.width()) * tppX();
    const double h = std::ceil(std::max(px.height(), measured_.lineHeight)) * tppY();
    Control::move(left(), top(), w, h);
}

void Label::paint(QPainter& p) const
{
    const QRectF r = pixelRect();
    if (backStyle_ == 1)
        p.fillRect(r, toQColor(backColor_));
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (caption_.isEmpty())
        return;
    p.setClipRect(r);
    p.setFont(toQFont(font_, tppY()));
    p.setPen(toQColor(foreColor_));
    int flags = int(horizontal(alignment_)) | Qt::AlignTop;
    if (wordWrap_ || !autoSize_)
        flags |= Qt::TextWordWrap;
    p.drawText(r, flags, withLineBreaks(caption_));
}

void Label::copyDesignFrom(const Control& other)
{
    Control::copyDesignFrom(other);
    if (auto* o = dynamic_cast<const Label*>(&other)) {
        autoSize_ = o->autoSize_;
        wordWrap_ = o->wordWrap_;
        backStyle_ = o->backStyle_;
        backColor_ = o->backColor_;
        foreColor_ = o->foreColor_;
        alignment_ = o->alignment_;
        borderStyle_ = o->borderStyle_;
        font_ = o->font_;
        setCaption(o->caption_);
    }
}

// Image ----------------------------------------------------------------------------------------

Image::Image(Container& parent, QString name, int index)
    : Control(parent, std::move(name), index)
{
}

Status Image::setPicture(const QString& path)
{
    auto pic = loadPicture(path);
    if (!pic)
        return pic.status();
    setPicture(pic.value());
    return {};
}

void Image::setPicture(const Picture& p)
{
    picture_ = p;
    if (!stretch_ && !p.isNull())
        Control::move(left(), top(), p.width() * tppX(), p.height() * tppY());
    repaint();
}

void Image::setStretch(bool s)
{
    stretch_ = s;
    repaint();
}

void Image::paint(QPainter& p) const
{
    if (picture_.isNull())
        return;
    const QRectF r = pixelRect();
    p.setClipRect(r);
    if (stretch_)
        p.drawImage(r, picture_.image());
    else
        p.drawImage(r.topLeft(), picture_.image());
}

void Image::copyDesignFrom(const Control& other)
{
    Control::copyDesignFrom(other);
    if (auto* o = dynamic_cast<const Image*>(&other)) {
        stretch_ = o->stretch_;
        picture_ = o->picture_;
    }
}

// Shape ----------------------------------------------------------------------------------------

Shape::Shape(Container& parent, QString name, int index)
    : Control(parent, std::move(name), index)
{
}

void Shape::setBorderColor(uint32_t c)
{
    borderColor_ = c;
    repaint();
}
void Shape::setBorderWidth(int w)
{
    borderWidth_ = std::max(1, w);
    repaint();
}
void Shape::setBorderStyle(int s)
{
    borderStyle_ = s;
    repaint();
}
void Shape::setShape(int s)
{
    shape_ = s;
    repaint();
}
void Shape::setFillStyle(int s)
{
    fillStyle_ = s;
    repaint();
}
void Shape::setFillColor(uint32_t c)
{
    fillColor_ = c;
    repaint();
}

void Shape::paint(QPainter& p) const
{
    QRectF r = pixelRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    static const Qt::PenStyle kStyles[] = { Qt::NoPen, Qt::SolidLine, Qt::DashLine, Qt::DotLine,
        Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine };
    QPen pen(toQColor(borderColor_), borderWidth_);
    pen.setStyle(borderStyle_ >= 0 && borderStyle_ <= 6 ? kStyles[borderStyle_] : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(fillStyle_ == 0 ? QBrush(toQColor(fillColor_)) : Qt::NoBrush);
    // The border lies inside the rectangle, so a frame around an area covers nothing beyond it.
    const double inset = borderWidth_ / 2.0;
    r.adjust(inset, inset, -inset, -inset);
    if (shape_ == 1 || shape_ == 3 || shape_ == 5) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    if (shape_ == 2 || shape_ == 3)
        p.drawEllipse(r);
    else if (shape_ == 4 || shape_ == 5)
        p.drawRoundedRect(r, r.width() / 8, r.height() / 8);
    else
        p.drawRect(r);
}

void Shape::copyDesignFrom(const Control& other)
{
    Control::copyDesignFrom(other);
    if (auto* o = dynamic_cast<const Shape*>(&other)) {
        borderColor_ = o->borderColor_;
        borderWidth_ = o->borderWidth_;
        borderStyle_ = o->borderStyle_;
        shape_ = o->shape_;
        fillStyle_ = o->fillStyle_;
        fillColor_ = o->fillColor_;
    }
}

// Line -----------------------------------------------------------------------------------------

Line::Line(Container& parent, QString name, int index)
    : Control(parent, std::move(name), index)
{
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Control::move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

void Line::setBorderColor(uint32_t c)
{
    borderColor_ = c;
    repaint();
}

void Line::setBorderWidth(int w)
{
    borderWidth_ = std::max(1, w);
    repaint();
}

void Line::paint(QPainter& p) const
{
    p.setPen(QPen(toQColor(borderColor_), borderWidth_));
    p.drawLine(QPointF(x1_ / tppX(), y1_ / tppY()), QPointF(x2_ / tppX(), y2_ / tppY()));
}

// WindowedControl ------------------------------------------------------------------------------

WindowedControl::WindowedControl(Container& parent, QString name, int index)
    : Control(parent, std::move(name), index)
{
}

WindowedControl::~WindowedControl()
{
    if (QWidget* w = widget_.data()) {
        if (auto* tied = dynamic_cast<ControlWidget*>(w))
            tied->detach();
        w->hide();
        w->deleteLater();
    }
}

void WindowedControl::adopt(QWidget* w)
{
    widget_ = w;
    w->show();
}

void WindowedControl::setVisible(bool v)
{
    Control::setVisible(v);
    if (widget_)
        widget_->setVisible(v);
}

void WindowedControl::setEnabled(bool v)
{
    Control::setEnabled(v);
    if (widget_)
        widget_->setEnabled(v);
}

void WindowedControl::setToolTipText(const QString& t)
{
    Control::setToolTipText(t);
    if (widget_)
        widget_->setToolTip(t);
}

// TextControl ----------------------------------------------------------------------------------

void TextControl::setFont(const FontSpec& f)
{
    font_ = f;
    applyStyle();
}

void TextControl::setForeColor(uint32_t c)
{
    foreColor_ = c;
    applyStyle();
}

void TextControl::setBackColor(uint32_t c)
{
    backColor_ = c;
    applyStyle();
}

void TextControl::setFrame(int borderStyle)
{
    borderStyle_ = borderStyle;
    applyStyle();
}

void TextControl::applyStyle()
{
    QWidget* w = widget();
    if (!w)
        return;
    // A step sets the same style again on every load, and each new style sheet repolishes the
    // widget: only a change is applied.
    const Style style { font_, tppY(), foreColor_, backColor_, borderStyle_ };
    if (applied_ == style)
        return;
    applied_ = style;
    const QFont font = toQFont(font_, tppY());
    if (!(w->font() == font) || !w->testAttribute(Qt::WA_SetFont))
        w->setFont(font);
    const QString sheet = styleSheetFor(foreColor_, backColor_, borderStyle_);
    if (w->styleSheet() != sheet)
        w->setStyleSheet(sheet);
}

// PictureBox -----------------------------------------------------------------------------------

PictureBox::PictureBox(Container& parent, QString name, int index)
    : WindowedControl(parent, std::move(name), index)
    , Container(parent.form())
{
    own_ = new Surface(*this, parent.surface());
    attachSurface(own_);
    adopt(own_);
    Container::setBackColor(syscolor::ButtonFace);
}

void PictureBox::setAutoSize(bool a)
{
    autoSize_ = a;
    pictureChanged();
}

void PictureBox::setBorderStyle(int s)
{
    if (own_)
        own_->setStyleSheet(
            s ? QStringLiteral("plat--Surface { border: 1px solid #808080; }") : QString());
}

void PictureBox::pictureChanged()
{
    if (autoSize_ && !picture().isNull())
        Control::move(left(), top(), picture().width() * tppX(), picture().height() * tppY());
}

// TextBox --------------------------------------------------------------------------------------

class TextBoxWidget : public QLineEdit, public ControlWidget {
public:
    TextBoxWidget(TextBox& owner, QWidget* parent)
        : QLineEdit(parent)
        , owner_(&owner)
    {
        setMouseTracking(true);
        // Focus comes from a click or the program, never from the window's activation.
        setFocusPolicy(Qt::ClickFocus);
        connect(this, &QLineEdit::textEdited, this, [this] {
            if (owner_)
                owner_->runtime().dispatch([this] {
                    if (owner_ && owner_->Change)
                        owner_->Change();
                });
        });
    }
    void detach() override { owner_ = nullptr; }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        QLineEdit::mousePressEvent(e);
        if (accepting())
            input::mouseDown(*owner_, e);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseMoveEvent(e);
        if (accepting())
            input::mouseMove(*owner_, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseReleaseEvent(e);
        const bool after = afterDouble_;
        afterDouble_ = false;
        if (accepting())
            input::mouseUp(*owner_, e, after, e->button() == Qt::LeftButton);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        afterDouble_ = true;
        if (accepting())
            input::doubleClick(*owner_, e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!accepting())
            return;
        bool eaten = false;
        owner_->runtime().dispatch(
            [&] { eaten = input::keyDown(*owner_, e) || (owner_ && input::keyPress(*owner_, e)); });
        if (!eaten && owner_ && !owner_->locked())
            QLineEdit::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        QLineEdit::keyReleaseEvent(e);
        if (accepting())
            owner_->runtime().dispatch([&] { input::keyUp(*owner_, e); });
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        input::focusIn(owner_);
    }

private:
    bool accepting() const { return owner_ && input::allowed(owner_->form()); }
    TextBox* owner_ = nullptr;
    bool afterDouble_ = false;
};

TextBox::TextBox(Container& parent, QString name, int index, bool multiLine)
    : TextControl(parent, std::move(name), index)
    , multiLine_(multiLine)
{
    adopt(new TextBoxWidget(*this, parent.surface()));
    applyStyle();
}

QLineEdit* TextBox::edit() const { return static_cast<QLineEdit*>(widget()); }

QString TextBox::text() const { return edit() ? edit()->text() : QString(); }

void TextBox::setText(const QString& t)
{
    QLineEdit* e = edit();
    if (!e)
        return;
    {
        QSignalBlocker block(e);
        e->setText(t);
    }
    runtime().dispatch([this] {
        if (Change)
            Change();
    });
}

int TextBox::selStart() const
{
    QLineEdit* e = edit();
    if (!e)
        return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TextBox::setSelStart(int s)
{
    QLineEdit* e = edit();
    if (!e)
        return;
    e->setCursorPosition(std::clamp(s, 0, int(e->text().size())));
}

int TextBox::selLength() const { return edit() ? int(edit()->selectedText().size()) : 0; }

void TextBox::setSelLength(int n)
{
    QLineEdit* e = edit();
    if (!e)
        return;
    const int start = selStart();
    const int len = std::clamp(n, 0, int(e->text().size()) - start);
    if (len > 0)
        e->setSelection(start, len);
    else
        e->setCursorPosition(start);
}

QString TextBox::selText() const { return edit() ? edit()->selectedText() : QString(); }

void TextBox::setLocked(bool l)
{
    locked_ = l;
    if (edit())
        edit()->setReadOnly(l);
}

void TextBox::setAlignment(int a)
{
    alignment_ = a;
    if (edit())
        edit()->setAlignment(horizontal(a) | Qt::AlignVCenter);
}

// ListBox --------------------------------------------------------------------------------------

class ListBoxWidget : public QListWidget, public ControlWidget {
public:
    ListBoxWidget(ListBox& owner, QWidget* parent)
        : QListWidget(parent)
        , owner_(&owner)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::ClickFocus);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    void detach() override { owner_ = nullptr; }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (!accepting())
            return;
        QListWidget::mousePressEvent(e);
        input::mouseDown(*owner_, e);
        // A click on an entry selects it and raises Click, like setting ListIndex.
        if (owner_ && itemAt(e->position().toPoint()) && e->button() == Qt::LeftButton)
            owner_->runtime().dispatch([&] {
                if (owner_ && owner_->Click)
                    owner_->Click();
            });
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QListWidget::mouseReleaseEvent(e);
        if (accepting())
            input::mouseUp(*owner_, e, false, false);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QListWidget::mouseDoubleClickEvent(e);
        if (accepting())
            input::doubleClick(*owner_, e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!accepting())
            return;
        bool eaten = false;
        owner_->runtime().dispatch([&] { eaten = input::keyDown(*owner_, e); });
        if (eaten || !owner_)
            return;
        const int before = currentRow();
        QListWidget::keyPressEvent(e);
        if (owner_ && currentRow() != before)
            owner_->runtime().dispatch([&] {
                if (owner_ && owner_->Click)
                    owner_->Click();
            });
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QListWidget::focusInEvent(e);
        input::focusIn(owner_);
    }

private:
    bool accepting() const { return owner_ && input::allowed(owner_->form()); }
    ListBox* owner_ = nullptr;
};

ListBox::ListBox(Container& parent, QString name, int index)
    : TextControl(parent, std::move(name), index)
{
    adopt(new ListBoxWidget(*this, parent.surface()));
    applyStyle();
}

QListWidget* ListBox::items() const { return static_cast<QListWidget*>(widget()); }

void ListBox::clear()
{
    if (items())
        items()->clear();
}

void ListBox::addItem(const QString& item, int index)
{
    QListWidget* l = items();
    if (!l)
        return;
    if (index < 0 || index > l->count())
        l->addItem(item);
    else
        l->insertItem(index, item);
}

Status ListBox::removeItem(int index)
{
    QListWidget* l = items();
    if (!l || index < 0 || index >= l->count())
        return Status::failure(err::InvalidProcedureCall, QStringLiteral("Invalid procedure call"));
    delete l->takeItem(index);
    return {};
}

QString ListBox::list(int index) const
{
    QListWidget* l = items();
    if (!l || index < 0 || index >= l->count())
        return {};
    return l->item(index)->text();
}

int ListBox::listCount() const { return items() ? items()->count() : 0; }

int ListBox::listIndex() const { return items() ? items()->currentRow() : -1; }

Status ListBox::setListIndex(int index)
{
    QListWidget* l = items();
    if (!l || index < -1 || index >= l->count())
        return Status::failure(err::InvalidProperty, QStringLiteral("Invalid property value"));
    {
        QSignalBlocker block(l);
        if (index < 0) {
            l->setCurrentRow(-1);
            l->clearSelection();
        } else {
            l->setCurrentRow(index);
        }
    }
    runtime().dispatch([this] {
        if (Click)
            Click();
    });
    return {};
}

// HtmlView -------------------------------------------------------------------------------------

namespace {

    // The browser is dear to build, and it lays out its empty page at once in the default font,
    // loading a face of its own: a page on a panel that stays closed (the home window's help)
    // gets it only when first shown, or when asked for its page. Until then the page waits here.
    class HtmlHost : public QWidget {
    public:
        explicit HtmlHost(QWidget* parent)
            : QWidget(parent)
        {
            setFocusPolicy(Qt::ClickFocus);
        }

        QTextBrowser* browser()
        {
            if (!browser_) {
                browser_ = new QTextBrowser(this);
                browser_->setOpenLinks(false);
                browser_->setFocusPolicy(Qt::ClickFocus);
                browser_->setGeometry(rect());
                setFocusProxy(browser_);
                if (waitingHtml_) {
                    browser_->setHtml(*waitingHtml_);
                    waitingHtml_.reset();
                }
                browser_->show();
            }
            return browser_;
        }

        void setHtml(const QString& html)
        {
            if (browser_)
                browser_->setHtml(html);
            else
                waitingHtml_ = html;
        }

    protected:
        void showEvent(QShowEvent*) override { browser(); }
        void resizeEvent(QResizeEvent*) override
        {
            if (browser_)
                browser_->setGeometry(rect());
        }

    private:
        QTextBrowser* browser_ = nullptr;
        std::optional<QString> waitingHtml_;
    };

}

HtmlView::HtmlView(Container& parent, QString name, int index)
    : WindowedControl(parent, std::move(name), index)
{
    adopt(new HtmlHost(parent.surface()));
}

QTextBrowser* HtmlView::browser() const
{
    auto* host = static_cast<HtmlHost*>(widget());
    return host ? host->browser() : nullptr;
}

Status HtmlView::navigate(const QString& path)
{
    QFile f(resolvePath(toNativeSeparators(path)));
    if (!f.open(QIODevice::ReadOnly))
        return Status::failure(err::FileNotFound, QStringLiteral("File not found: ") + path);
    // Checked before reading: read(max) would reserve the whole limit for a small page.
    if (f.size() > kMaxDataFileBytes)
        return Status::failure(err::FileIo, QStringLiteral("Page too large: ") + path);
    const QByteArray bytes = f.readAll();
    const bool utf8 = bytes.contains("charset=utf-8") || bytes.contains("charset=UTF-8");
    setHtml(utf8 ? QString::fromUtf8(bytes) : decodeGbk(bytes));
    return {};
}

void HtmlView::setHtml(const QString& html)
{
    if (auto* host = static_cast<HtmlHost*>(widget()))
        host->setHtml(html);
}

QString HtmlView::html() const { return browser() ? browser()->toHtml() : QString(); }

} // namespace plat
