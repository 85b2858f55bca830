// Stages of the step loader: the screen pictures, and the panels with the toolbox overlay.

#include "core/system.h"
#include "platform/rounding.h"
#include "platform/text.h"
#include "stepengine/stepengine.h"
#include "stepengine/steprecord.h"

namespace stepengine {

namespace {
    constexpr int kFirstImageOfWindowOnly = 6; // Image6: hidden when its name reads as 0
    constexpr int kDragHandle = 5; // Image5
    const QString kOneColumnToolbox = QStringLiteral("X00001");
    const QString kTwoColumnToolbox = QStringLiteral("X00002");

    // Whether a record's name hides its image (Image1..Image6) instead of naming a picture.
    bool hides(int k, const QString& name)
    {
        return k < kFirstImageOfWindowOnly ? name == kHidePicture : readInt16(name) == 0;
    }

    // The toolbox picture a panel code shows, in the exam data folder; empty for none.
    QString toolboxPicture(const PanelCode& code)
    {
        if (!code.toolbox)
            return {};
        return (code.toolboxColumns == 2 ? kTwoColumnToolbox : kOneColumnToolbox)
            + QStringLiteral(".mxy");
    }

    // The overlay "A" NN vv: a pressed or variant look of toolbox hotspot NN.
    struct Overlay {
        QString hotspot;
        QString file; // in the exam data folder
    };
    std::optional<Overlay> overlayOf(const StepRecord& r)
    {
        const QString overlay = r.text(field::DragTargetY);
        if (!overlay.startsWith(u'A'))
            return std::nullopt;
        const QString hotspot = plat::mid(overlay, 2, 2);
        const QString variant = plat::mid(overlay, 4, 2);
        const QString name = variant == QStringLiteral("00") || variant == QStringLiteral("01")
            ? hotspot + QStringLiteral("0099")
            : QStringLiteral("X0") + hotspot + variant;
        return Overlay { hotspot, name + QStringLiteral(".mxy") };
    }
}

namespace {
    // A file that passed the checks at load but will not decode would leave the editor area
    // blank without a word. The step shows it now, so decoding it here costs nothing extra.
    plat::Status shownWhole(
        const plat::Status& loaded, const plat::Picture& shown, const QString& path)
    {
        if (loaded && !shown.isNull() && shown.image().isNull())
            return plat::Status::failure(
                plat::err::InvalidPicture, QStringLiteral("Picture will not decode: %1").arg(path));
        return loaded;
    }
}

plat::Status setPictureOf(plat::Container& c, const QString& path)
{
    return shownWhole(c.setPicture(path), c.picture(), path);
}

plat::Status setPictureOf(plat::Control& c, const QString& path)
{
    if (auto* image = dynamic_cast<plat::Image*>(&c))
        return shownWhole(image->setPicture(path), image->picture(), path);
    if (auto* box = dynamic_cast<plat::Container*>(&c))
        return setPictureOf(*box, path);
    return plat::Status::failure(
        plat::err::PropertyNotSupported, QStringLiteral("Object doesn't support this property"));
}

void StepEngine::picturesStage()
{
    shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    StepControls c = window_.stepControls();
    StepFields& f = window_.stepFields();
    const bool practice = !window_.demonstration();
    auto& remembered = st.QuestionPictures(st.CurrentQuestion);

    // The background has no hide code: "000000" there is a picture name like any other.
    const QString background = r.text(field::Background);
    if (background != kKeepPicture) {
        sys_.logSkinFailure(setPictureOf(c.window->area(), sys_.skinFile(background)));
        if (practice)
            remembered[0] = background;
    }

    for (int k = 1; k <= static_cast<int>(kImageGroups.size()); ++k) {
        const ImageGroup& g = kImageGroups[k - 1];
        plat::Control& image = *c.images[k - 1];
        const QString name = r.text(g.name);
        if (hides(k, name)) {
            // Place, picture and remembered name stay for a later "888888".
            image.setVisible(false);
            continue;
        }
        image.setLeft(r.number(g.left) * st.ScaleX);
        image.setTop(r.number(g.top) * st.ScaleY);
        if (k == kDragHandle && practice) {
            // The drag checks compare the handle's displayed place with the scaled target, so
            // its home is stored as displayed too: drags work at every scale.
            f.HandleLeft = static_cast<int32_t>(plat::roundHalfEven(image.left()));
            f.HandleTop = static_cast<int32_t>(plat::roundHalfEven(image.top()));
        }
        if (name != kKeepPicture) {
            sys_.logSkinFailure(setPictureOf(image, sys_.skinFile(name)));
            if (practice)
                remembered[k] = name;
        }
        image.setVisible(true);
    }
}

QStringList StepEngine::picturesSetBy(const QString& record) const
{
    const StepRecord r(record);
    QStringList paths;
    const QString background = r.text(field::Background);
    if (background != kKeepPicture)
        paths << sys_.skinFile(background);
    for (int k = 1; k <= static_cast<int>(kImageGroups.size()); ++k) {
        const QString name = r.text(kImageGroups[k - 1].name);
        if (!hides(k, name) && name != kKeepPicture)
            paths << sys_.skinFile(name);
    }
    // A tab step with an unknown dialog letter keeps the dialog on show now.
    if (const std::optional<QString> page = tabPageOf(r, window_.stepFields().TabSpec))
        paths << sys_.skinFile(*page);
    // The end of a question stops the load before the pointer and the panels.
    if (r.isEndOfQuestion())
        return paths;
    if (const PointerCode pointer = PointerCode::parse(r.text(field::CursorSpec));
        pointer.kind == PointerCode::Kind::Custom)
        paths << sys_.programFile(pointer.cursorFile);
    if (const PanelCode code = panelCodeOf(r.text(field::PanelCode)); code.any) {
        const QString examData = window_.examDataPath();
        if (const QString toolbox = toolboxPicture(code); !toolbox.isEmpty())
            paths << examData + toolbox;
        if (const std::optional<Overlay> overlay = overlayOf(r))
            paths << examData + overlay->file;
    }
    return paths;
}

void StepEngine::panelsStage()
{
    const StepRecord r(sys_.state.StepLine);
    StepControls c = window_.stepControls();
    const PanelCode code = panelCodeOf(r.text(field::PanelCode));
    const bool shown[] = { code.menu, code.tool, code.toolbox };
    for (int i = 0; i < 3; ++i)
        if (shown[i])
            c.panels[i]->setVisible(true);
    const QString pictures = window_.examDataPath();
    if (const QString toolbox = toolboxPicture(code); !toolbox.isEmpty()) {
        // A missing toolbox picture keeps the old one; the hotspots are laid out all the same.
        sys_.logSkinFailure(setPictureOf(*c.PicHui, pictures + toolbox));
        window_.layOutHotspots();
    }

    plat::Image& look = *c.ImgHui2;
    const std::optional<Overlay> overlay = overlayOf(r);
    if (!overlay) {
        look.setVisible(false);
        return;
    }
    if (const plat::Label* h = c.LblZHU->at(readInt16(overlay->hotspot)))
        look.move(h->left(), h->top());
    sys_.logSkinFailure(setPictureOf(look, pictures + overlay->file));
    look.setVisible(true);
}

} // namespace stepengine
