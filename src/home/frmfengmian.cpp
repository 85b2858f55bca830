#include "home/frmfengmian.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "home/homeflow.h"
#include "home/homerules.h"
#include "platform/decodeahead.h"
#include "platform/font.h"
#include "platform/keys.h"
#include "platform/services.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/recordfiles.h"
#include "shell/aboutbox.h"
#include "shell/frmupdata.h"
#include "widgets/msgbox.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <iterator>

namespace home {

namespace {
    // The containers of the buttons, by index.
    enum class Host { Window, Top, Units, Papers, Favourites, Wrong, Help, None };
    Host hostOf(int i)
    {
        using namespace cmd;
        const auto within = [i](int first, int last) { return i >= first && i <= last; };
        // The start page's buttons and the three without a command between the toggles and
        // the unit pages lie on the window itself.
        if (within(0, WebLink) || within(LastGroupToggle + 1, UnitPage1 - 1))
            return Host::Window;
        if (within(MinimiseTab, WrongBookTab))
            return Host::Top;
        if (i == StartUnitPractice || within(FirstUnitScope, LastUnitScope)
            || within(UnitPage1, LastUnit))
            return Host::Units;
        if (i == NewRandomPaper || within(SprintPapers, RandomPapers)
            || within(FirstPaper, LastPaper))
            return Host::Papers;
        if (i == StartFavourites || i == ClearFavourites
            || within(FirstGroupToggle, FirstGroupToggle + 1))
            return Host::Favourites;
        if (i == StartWrongBook || i == ClearWrongBook
            || within(FirstGroupToggle + 2, LastGroupToggle))
            return Host::Wrong;
        if (within(FirstHelpTopic, LastHelpTopic))
            return Host::Help;
        return Host::None;
    }

    // The bars of the unit chart: small vertical gradients that the bar images stretch.
    plat::Picture barTexture(QColor top, QColor bottom)
    {
        QImage img(8, 64, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 8, 0);
        g.setColorAt(0, bottom);
        g.setColorAt(0.5, top);
        g.setColorAt(1, bottom);
        p.fillRect(img.rect(), g);
        p.end();
        return plat::Picture { img };
    }

    plat::Label& transparentLabel(plat::Label& l)
    {
        l.setBackStyle(0);
        return l;
    }

    // Buttons that carry no command are never shown.
    constexpr int kNeverShown[] = { 0, 1, 9, 10, 44, 45, 46 };

    // The start page's full-window pictures: the window's own and the start picture over it.
    const QString kWindowPicture = QStringLiteral("l20060");
    const QString kStartPicture = QStringLiteral("l20051");
    // The title bar's caption: the window's one face that the splash has not loaded.
    const plat::FontSpec kCaptionFont { QStringLiteral("黑体"), 10, true };
}

FrmFengmianUi::FrmFengmianUi(plat::Form& f)
    : picShouYe(f.area(), QStringLiteral("picShouYe"))
    , LblInfo(f.area(), QStringLiteral("LblInfo"))
    , PicTop(f.area(), QStringLiteral("PicTop"))
    , lblMove(PicTop, QStringLiteral("lblMove"))
    , LblCaption(PicTop, QStringLiteral("LblCaption"))
    , PicTiKu(f.area(), QStringLiteral("PicTiKu"))
    , PicKaCH(f.area(), QStringLiteral("PicKaCH"))
    , PicBiaoZhi(f.area(), QStringLiteral("PicBiaoZhi"))
    , PicCuoTi(f.area(), QStringLiteral("PicCuoTi"))
    , PicHelp(f.area(), QStringLiteral("PicHelp"))
    , PicUnitLeft(PicTiKu, QStringLiteral("PicUnitLeft"))
    , ImgUnitGezi(PicTiKu, QStringLiteral("ImgUnitGezi"))
    , ImgUnitD(PicTiKu, QStringLiteral("ImgUnitD"))
    , ImgUnitC(PicTiKu, QStringLiteral("ImgUnitC"))
    , imgPicIII(PicTiKu, QStringLiteral("imgPicIII"))
    , LblUnitDQCAP(PicTiKu, QStringLiteral("LblUnitDQCAP"))
    , PicHelpLeft(PicHelp, QStringLiteral("PicHelpLeft"))
    , LlbHelpCAP(PicHelp, QStringLiteral("LlbHelpCAP"))
    , WebHelpCON(PicHelp, QStringLiteral("WebHelpCON"))
    , PicAd(f.area(), QStringLiteral("PicAd"))
    , LblAD(PicAd, QStringLiteral("LblAD"))
    , ClickBotn(f.area(), QStringLiteral("ClickBotn"))
    , TimFH(f, QStringLiteral("TimFH"), 100, false)
{
    const plat::FontSpec song { QStringLiteral("宋体"), 9 };
    for (int i : { 0, 1, 2, 3 }) {
        plat::Label& l = transparentLabel(LblInfo.create(i));
        l.setAutoSize(true);
        l.setFont(song);
    }
    for (int i = 17; i <= 21; ++i)
        transparentLabel(LblInfo.create(i));

    transparentLabel(lblMove);
    plat::Label& caption = transparentLabel(LblCaption);
    caption.setAutoSize(true);
    caption.setForeColor(0xFFFFFF);
    caption.setFont(kCaptionFont);
    PicTop.move(0, 0, 12000, 1650);
    for (plat::PictureBox* p : { &PicTiKu, &PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp })
        p->move(0, 1650, 12000, 6900);

    PicUnitLeft.move(0, 0, 2715, 6870);
    ImgUnitD.setStretch(true);
    ImgUnitC.setStretch(true);
    ImgUnitD.setPicture(barTexture(QColor(0x4a, 0x8c, 0xe0), QColor(0x22, 0x66, 0xc0)));
    ImgUnitC.setPicture(barTexture(QColor(0xf0, 0xad, 0x4e), QColor(0xd0, 0x80, 0x20)));
    for (int i = 0; i <= 4; ++i) {
        plat::Label& l = transparentLabel(LblUnitDQCAP.create(i));
        l.setAutoSize(true);
        l.setForeColor(0x333333);
        l.setFont({ QStringLiteral("宋体"), 9.75 });
    }
    LblUnitDQCAP[0].setFont({ QStringLiteral("宋体"), 10, true });
    LblUnitDQCAP[0].setCaption(QStringLiteral("学习进度信息"));
    LblUnitDQCAP[1].setFont({ QStringLiteral("宋体"), 12, true });
    LblUnitDQCAP[1].setForeColor(0x6A3A10);

    plat::Label& help = transparentLabel(LlbHelpCAP);
    help.setWidth(3000);
    help.setHeight(480);
    help.setForeColor(0x6A3A10);
    help.setFont({ QStringLiteral("黑体"), 20 });

    PicAd.setBackColor(0xF7F3EE);
    plat::Label& ad = transparentLabel(LblAD);
    ad.setAutoSize(true);
    ad.setFont({ QStringLiteral("宋体"), 10 });

    plat::Container* hosts[]
        = { &f.area(), &PicTop, &PicTiKu, &PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp };
    for (int i = 0; i <= 99; ++i) {
        const Host h = hostOf(i);
        if (h != Host::None)
            ClickBotn.create(i, *hosts[static_cast<int>(h)]);
    }
    for (int i : kNeverShown)
        ClickBotn[i].setVisible(false);
    // Front to back: the advert strip, the panels and the tab strip, the window's own buttons.
    for (plat::PictureBox* p :
        { &PicTop, &PicTiKu, &PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp, &PicAd })
        p->zOrder(0);
}

FrmFengmian::FrmFengmian(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmFengmian"))
    , sys_(sys)
{
    setBorderless(true);
    setCentered(true);
}

void FrmFengmian::prepare(shell::System& sys)
{
    // What the start page shows: its two pictures and the faces of the buttons on the window
    // itself (with a module of two start buttons, two of them stay hidden).
    QStringList names { kWindowPicture, kStartPicture };
    for (int i = 0; i <= kLastFacedButton; ++i)
        if (hostOf(i) == Host::Window && std::ranges::find(kNeverShown, i) == std::end(kNeverShown))
            names << buttonFaceName(i);
    // The load reports a picture that fails; here it is only not decoded ahead.
    std::vector<plat::Picture> pictures;
    for (const QString& name : names)
        if (plat::Result<plat::Picture> p = plat::loadPicture(sys.skinFile(name)))
            pictures.push_back(std::move(p).value());
    plat::decodeAhead(std::move(pictures));
    plat::loadFaces({ kCaptionFont }, sys.twipsPerPixelY());
}

void FrmFengmian::Form_Load()
{
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, QStringLiteral("fmload"));
    auto& ui = uiNoLoad();
    const double sx = st.ScaleX = sys_.twipsPerPixelX() / 15;
    const double sy = st.ScaleY = sys_.twipsPerPixelY() / 15;
    closingForExercise_ = false;
    AdvertLink.clear();
    SelectedUnit = -1;
    UnitScope = 0;
    FavouriteFilter = 0;
    WrongFilter = 0;
    LastSprintRow = 0;
    HistoryLines.fill(QString());
    RandomPaperCount = 0;
    helpTopic_ = 0;
    st.BankVersionText
        = [this] { return isLoaded() ? this->ui().LblInfo[0].caption() : QString(); };

    for (int i = 0; i <= 99; ++i)
        if (ui.ClickBotn.exists(i))
            ui.ClickBotn[i].Click = [this, i] { ClickBotn_Click(i); };
    for (int i : { 0, 1, 2, 3, 17, 18, 19, 20, 21 })
        ui.LblInfo[i].Click = [this, i] { LblInfo_Click(i); };
    ui.LblAD.Click = [this] { LblAD_Click(); };
    ui.TimFH.Tick = [this] { TimFH_Timer(); };
    ui.lblMove.MouseDown = [this](int button, int, double, double) { dragWindow(button); };
    ui.picShouYe.MouseDown = [this](int button, int, double, double) { dragWindow(button); };
    // The paper and favourites panels put their own controls into their containers.
    flow::buildPaperPanel(sys_);
    flow::buildFavouritesPanels(sys_);

    setWidth(12000 * sx);
    setHeight(9000 * sy);
    site.check(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    site.check(setPicture(sys_.skinFile(kWindowPicture)));
    ui.picShouYe.move(0, 0);
    site.check(ui.picShouYe.setPicture(sys_.skinFile(kStartPicture)));
    ui.PicTop.move(0, 0, 12000 * sx, 1650 * sy);
    site.check(ui.PicTop.setPicture(sys_.skinFile(QStringLiteral("l20052"))));
    ui.PicTop.setVisible(false);
    ui.lblMove.move(0, 0, 10455 * sx, 675 * sy);
    ui.PicTiKu.move(0, 1650 * sy, 12000 * sx, 6900 * sy);
    site.check(ui.PicTiKu.setPicture(sys_.skinFile(QStringLiteral("l20053"))));
    ui.PicTiKu.setVisible(false);
    for (plat::PictureBox* p : { &ui.PicKaCH, &ui.PicBiaoZhi, &ui.PicCuoTi, &ui.PicHelp }) {
        p->move(ui.PicTiKu.left(), ui.PicTiKu.top(), ui.PicTiKu.width(), ui.PicTiKu.height());
        p->setPicture(ui.PicTiKu.picture());
        p->setVisible(false);
    }

    const records::Advert advert = records::readAdvert(records::RecordsDir::of(sys_), site);
    AdvertLink = advert.link;
    ui.PicAd.move(3000 * sx, 8100 * sy);
    ui.LblAD.move(0, 0);
    site.check(ui.LblAD.setMousePointer(plat::kCustomPointer));
    site.check(ui.LblAD.setMouseIcon(sys_.skinFile(QStringLiteral("9l0015"))));
    ui.LblAD.setFontSize(10 * sx);
    ui.LblAD.setCaption(advert.text);
    ui.LblAD.setForeColor(static_cast<uint32_t>(advert.colour));
    ui.PicAd.move(ui.PicAd.left(), ui.PicAd.top(), ui.LblAD.width(), ui.LblAD.height());
    ui.PicAd.setVisible(false);

    FengMainCsh();
}

void FrmFengmian::Form_Unload(int& cancel)
{
    if (sys_.ended() || closingForExercise_) {
        closingForExercise_ = false;
        return;
    }
    // The window manager's close is the exit command: asked, and the whole program ends.
    cancel = 1;
    exitCommand();
}

void FrmFengmian::closeForExercise()
{
    if (!isLoaded())
        return;
    closingForExercise_ = true;
    unload();
    closingForExercise_ = false;
}

// ---- Views ----

void FrmFengmian::showPanel(int tab)
{
    auto& ui = this->ui();
    ui.PicTop.setVisible(true);
    plat::PictureBox* panels[] = { &ui.PicTiKu, &ui.PicKaCH, &ui.PicBiaoZhi, &ui.PicCuoTi };
    for (int k = 0; k < 4; ++k)
        panels[k]->setVisible(k == tab - cmd::UnitsTab);
    ui.PicHelp.setVisible(false);
    for (int i = cmd::StartPageTab; i <= cmd::WrongBookTab; ++i)
        ui.ClickBotn[i].setEnabled(true);
    ui.ClickBotn[tab].setEnabled(false);
}

void FrmFengmian::showHelp()
{
    auto& ui = this->ui();
    ui.PicTop.setVisible(true);
    for (plat::PictureBox* p : { &ui.PicTiKu, &ui.PicKaCH, &ui.PicBiaoZhi, &ui.PicCuoTi })
        p->setVisible(false);
    ui.PicHelp.setVisible(true);
    ui.PicAd.setVisible(true);
}

void FrmFengmian::showStartPage()
{
    auto& ui = this->ui();
    ui.PicTop.setVisible(false);
    for (plat::PictureBox* p :
        { &ui.PicTiKu, &ui.PicKaCH, &ui.PicBiaoZhi, &ui.PicCuoTi, &ui.PicHelp })
        p->setVisible(false);
    for (int i = cmd::StartPageTab; i <= cmd::WrongBookTab; ++i)
        ui.ClickBotn[i].setEnabled(true);
    ui.PicAd.setVisible(false);
}

// ---- The dispatcher ----

void FrmFengmian::ClickBotn_Click(int index)
{
    auto& ui = this->ui();
    switch (index) {
    case cmd::MinimiseStart:
    case cmd::MinimiseTab:
        setWindowState(1);
        return;
    case cmd::ExitStart:
    case cmd::ExitTab:
        exitCommand();
        return;
    case cmd::UnitsStart:
    case cmd::UnitsTab:
        unitTab();
        return;
    case cmd::PapersStart:
    case cmd::PapersTab:
        showPanel(cmd::PapersTab);
        flow::paperCommand(sys_, index);
        ui.PicAd.setVisible(true);
        return;
    case cmd::FavouritesStart:
    case cmd::FavouritesTab:
        showPanel(cmd::FavouritesTab);
        flow::favouritesCommand(sys_, index);
        ui.PicAd.setVisible(true);
        return;
    case cmd::WrongBookStart:
    case cmd::WrongBookTab:
        showPanel(cmd::WrongBookTab);
        flow::favouritesCommand(sys_, index);
        ui.PicAd.setVisible(true);
        return;
    case cmd::Update:
        sys_.state.UpdaterVisible = 1;
        sys_.form<shell::FrmUpdata>().show();
        return;
    case cmd::Help:
        showHelp();
        return;
    case cmd::WebLink:
        openLink(sys_.state.ProductInfo[2], QStringLiteral("clickbotn"));
        return;
    case cmd::StartPageTab:
        showStartPage();
        return;
    case cmd::StartUnitPractice:
        ui.PicAd.setVisible(true);
        startUnitPractice();
        return;
    case cmd::NewRandomPaper:
        ui.PicAd.setVisible(true);
        flow::paperCommand(sys_, index);
        return;
    case cmd::StartFavourites:
        ui.PicAd.setVisible(true);
        flow::favouritesCommand(sys_, index);
        return;
    default:
        break;
    }
    if (index >= cmd::ClearFavourites && index <= cmd::ClearWrongBook)
        flow::favouritesCommand(sys_, index);
    else if ((index >= cmd::SprintPapers && index <= cmd::RandomPapers)
        || (index >= cmd::FirstPaper && index <= cmd::LastPaper))
        flow::paperCommand(sys_, index);
    else if (index >= cmd::FirstHelpTopic && index <= cmd::LastHelpTopic)
        helpTopic(index);
    else if (index >= cmd::FirstUnitScope && index <= cmd::LastUnitScope)
        unitScope(index);
    else if (index >= cmd::FirstGroupToggle && index <= cmd::LastGroupToggle)
        flow::favouritesCommand(sys_, index);
    else if (index == cmd::UnitPage1 || index == cmd::UnitPage2)
        unitPage(index);
    else if (index >= cmd::AllUnits && index <= cmd::LastUnit)
        chooseUnit(index);
    // Every other index (0, 1, 9, 10, 26, 27, 44 to 46, anything else) is no command.
}

void FrmFengmian::exitCommand()
{
    if (widgets::ask(sys_, QStringLiteral("退出系统"),
            QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"), widgets::kMsgIconQuestion))
        sys_.end();
}

void FrmFengmian::helpTopic(int index)
{
    auto& ui = this->ui();
    const int n = index - cmd::FirstHelpTopic;
    for (int i = cmd::FirstHelpTopic; i <= cmd::LastHelpTopic; ++i)
        ui.ClickBotn[i].setEnabled(true);
    const QString page = records::HelpPageFile(records::DataDir::of(sys_), n);
    ui.LlbHelpCAP.setCaption(records::helpTopicTitle(n));
    ui.ClickBotn[index].setEnabled(false);
    helpTopic_ = n;
    if (!ui.WebHelpCON.navigate(page).ok())
        ui.WebHelpCON.setHtml(
            QStringLiteral("<p style=\"margin:24px\">本页暂缺。请升级题库后再看。</p>"));
}

// ---- Links, drag and the deferred command ----

void FrmFengmian::openLink(const QString& link, const QString& tag)
{
    const shell::ErrorSite site(sys_.state, tag);
    if (!isOpenableLink(link)) {
        site.fail(
            plat::err::InvalidProcedureCall, QStringLiteral("link not opened: \"%1\"").arg(link));
        return;
    }
    site.check(sys_.services().shell->openUrl(link.trimmed()));
}

void FrmFengmian::LblInfo_Click(int index)
{
    const shell::AppState& st = sys_.state;
    if (index == 0 || index == 21) {
        sys_.form<shell::FrmAbout>().show(true);
        return;
    }
    const int entry = linkEntryOfLabel(index);
    if (entry == 0)
        return;
    const bool builtIn
        = plat::left(plat::trimSpaces(st.ProductInfo[26]), 4) == QStringLiteral("2099");
    openLink(builtIn ? builtInLink(entry) : st.ProductInfo[static_cast<size_t>(entry)],
        QStringLiteral("lblinfo"));
}

void FrmFengmian::LblAD_Click() { openLink(AdvertLink, QStringLiteral("lblad")); }

void FrmFengmian::dragWindow(int button)
{
    if (button == plat::button::Left)
        startSystemMove();
}

void FrmFengmian::TimFH_Timer()
{
    // Off first: the replay runs with the window's timers quiet, and only page commands replay.
    ui().TimFH.setEnabled(false);
    const int command = sys_.state.DeferredCommand;
    if (command >= cmd::UnitsTab && command <= cmd::WrongBookTab)
        ClickBotn_Click(command);
}

} // namespace home
