#include "workspace/hotspots.h"

#include <array>

namespace workspace {

namespace {
    // Hotspots 0..40, the same in both toolbox forms: menu-bar titles 1..11, application-bar
    // buttons 12..20, options-bar controls 21..37; 0 and 38..40 lie where the mouse cannot reach.
    struct FixedRow {
        HotspotCell cell;
        const char16_t* toolTip;
    };
    constexpr std::array<FixedRow, 41> kFixed { {
        { { -120, 240, 15, 375 }, u"" },
        { { 90, 525, 930, 345 }, u"" },
        { { 1035, 525, 930, 345 }, u"" },
        { { 1995, 525, 930, 345 }, u"" },
        { { 2910, 525, 930, 345 }, u"" },
        { { 3855, 525, 930, 345 }, u"" },
        { { 4800, 525, 930, 345 }, u"" },
        { { 5760, 525, 930, 345 }, u"" },
        { { 6720, 525, 930, 345 }, u"" },
        { { 7500, 525, 930, 345 }, u"" },
        { { 8460, 525, 930, 345 }, u"" },
        { { 9480, 525, 930, 345 }, u"" },
        { { 645, 90, 420, 330 }, u"启动 Bridge" },
        { { 1185, 90, 600, 330 }, u"查看额外的内容" },
        { { 1905, 90, 855, 330 }, u"缩放级别" },
        { { 3000, 90, 420, 330 }, u"抓手工具" },
        { { 3435, 90, 420, 330 }, u"缩放工具" },
        { { 3870, 90, 420, 330 }, u"旋转视图工具" },
        { { 4530, 90, 600, 330 }, u"排列文档" },
        { { 5250, 90, 600, 330 }, u"屏幕模式" },
        { { 9585, 90, 1275, 345 }, u"" },
        { { 165, 75, 630, 375 }, u"" },
        { { 990, 135, 960, 195 }, u"" },
        { { 2025, 105, 1065, 330 }, u"" },
        { { 3345, 150, 1275, 195 }, u"" },
        { { 4950, 120, 300, 270 }, u"" },
        { { 5250, 120, 300, 270 }, u"" },
        { { 5550, 120, 300, 270 }, u"" },
        { { 6000, 120, 300, 270 }, u"" },
        { { 6300, 120, 300, 270 }, u"" },
        { { 6600, 120, 300, 270 }, u"" },
        { { 7200, 120, 300, 270 }, u"" },
        { { 7500, 120, 300, 270 }, u"" },
        { { 7800, 120, 300, 270 }, u"" },
        { { 8250, 120, 300, 270 }, u"" },
        { { 8550, 120, 300, 270 }, u"" },
        { { 8850, 120, 300, 270 }, u"" },
        { { 9435, 120, 300, 270 }, u"" },
        { { -300, -120, 30, 27 }, u"" },
        { { -300, -120, 30, 27 }, u"" },
        { { -300, -120, 30, 27 }, u"" },
    } };

    // The toolbox, hotspots 41..67: one column of 390 x 345 cells, or two columns.
    struct ToolboxRow {
        const char16_t* toolTip;
        int oneTop; // one column: Left 90, Width 390, Height 345
        HotspotCell two;
    };
    constexpr int kOneColumnLeft = 90, kOneColumnWidth = 390, kOneColumnHeight = 345;
    constexpr std::array<ToolboxRow, 27> kToolbox { {
        { u"移动工具 (V)", 390, { 450, 390, 390, 345 } },
        { u"矩形选框工具 (M)", 735, { 60, 390, 390, 345 } },
        { u"套索工具 (L)", 1080, { 60, 735, 390, 345 } },
        { u"快速选择工具 (W)", 1425, { 450, 735, 390, 345 } },
        { u"裁剪工具 (C)", 1770, { 60, 1080, 390, 345 } },
        { u"吸管工具 (I)", 2115, { 450, 1080, 390, 345 } },
        { u"污点修复画笔工具 (J)", 2520, { 60, 1485, 390, 345 } },
        { u"画笔工具 (B)", 2865, { 450, 1485, 390, 345 } },
        { u"仿制图章工具 (S)", 3210, { 60, 1830, 390, 345 } },
        { u"历史记录画笔工具 (Y)", 3555, { 450, 1830, 390, 345 } },
        { u"橡皮擦工具 (E)", 3900, { 60, 2175, 390, 345 } },
        { u"渐变工具 (G)", 4245, { 450, 2175, 390, 345 } },
        { u"模糊工具 ", 4590, { 60, 2520, 390, 345 } },
        { u"减淡工具 (O)", 4935, { 450, 2520, 390, 345 } },
        { u"钢笔工具 (P)", 5340, { 60, 2925, 390, 345 } },
        { u"横排文字工具 (T)", 5685, { 450, 2925, 390, 345 } },
        { u"路径选择工具 (A)", 6030, { 60, 3270, 390, 345 } },
        { u"矩形工具 (U)", 6375, { 450, 3270, 390, 345 } },
        { u"3D 旋转工具 (K)", 6780, { 60, 3675, 390, 345 } },
        { u"3D 环绕工具 (N)", 7125, { 450, 3675, 390, 345 } },
        { u"抓手工具 (H)", 7470, { 60, 4020, 390, 345 } },
        { u"缩放工具 (Z)", 7815, { 450, 4020, 390, 345 } },
        { u"设置前景色 ", 8160, { 120, 4455, 420, 420 } },
        { u"以快速蒙版模式编辑 (Q)", 8505, { 180, 5190, 585, 330 } },
        { u"切换前景色和背景色 (X)", 8850, { 540, 4380, 255, 255 } },
        { u"设置背景色 ", 9195, { 300, 4635, 435, 435 } },
        { u"默认前景色和背景色 (D)", 9540, { 105, 4935, 165, 165 } },
    } };
    using stepengine::kFirstToolboxHotspot;
}

HotspotCell hotspotCell(int index, bool twoColumns)
{
    if (index < 0 || index > stepengine::kLastHotspot)
        return {};
    if (index < kFirstToolboxHotspot)
        return kFixed[index].cell;
    const ToolboxRow& row = kToolbox[index - kFirstToolboxHotspot];
    if (twoColumns)
        return row.two;
    return { kOneColumnLeft, row.oneTop, kOneColumnWidth, kOneColumnHeight };
}

void layOutHotspots(plat::ControlArray<plat::Label>& hotspots, bool twoColumns, double scaleX,
    double scaleY, QPointF optionsBarOrigin, QPointF toolboxOrigin)
{
    for (int i = 0; i <= stepengine::kLastHotspot; ++i) {
        plat::Label& h = hotspots[i];
        const HotspotCell c = hotspotCell(i, twoColumns);
        const QPointF origins[] = { QPointF(), optionsBarOrigin, toolboxOrigin };
        const QPointF origin = origins[static_cast<int>(stepengine::panelOfHotspot(i))];
        h.setLeft(origin.x() + c.left * scaleX);
        h.setWidth(c.width * scaleX);
        if (i == 0)
            continue; // parked left of the menu bar; its Top and Height are the window's own
        h.setTop(origin.y() + c.top * scaleY);
        h.setHeight(c.height * scaleY);
    }
}

QString hotspotToolTip(int index)
{
    if (index < 0 || index > stepengine::kLastHotspot)
        return {};
    if (index < kFirstToolboxHotspot)
        return QString::fromUtf16(kFixed[index].toolTip);
    return QString::fromUtf16(kToolbox[index - kFirstToolboxHotspot].toolTip);
}

void setHotspotToolTips(plat::ControlArray<plat::Label>& hotspots)
{
    for (int i = 0; i <= stepengine::kLastHotspot; ++i)
        if (const QString tip = hotspotToolTip(i); !tip.isEmpty())
            hotspots[i].setToolTipText(tip);
}

} // namespace workspace
