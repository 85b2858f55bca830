// The hotspot layout against the design's own numbers: every hotspot's rectangle in both
// toolbox forms and every tooltip, written out here as the layout gives them, so a wrong cell
// in the program's table fails here even where the pictures drawn from that table follow it.

#include "workspace/hotspots.h"

#include <QString>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using workspace::HotspotCell;

auto cellTuple(const HotspotCell& c) { return std::tuple { c.left, c.top, c.width, c.height }; }

TEST(HotspotTable, EveryHotspotInBothToolboxFormsWithItsToolTip)
{
    // Hotspots 0..40: the same in both toolbox forms. Hotspot 0 keeps its design Top and Height.
    struct FixedRow {
        int index;
        HotspotCell cell;
        const char16_t* toolTip;
    };
    const FixedRow fixedRows[] = {
        { 0, { -120, 240, 15, 375 }, u"" },
        { 1, { 90, 525, 930, 345 }, u"" },
        { 2, { 1035, 525, 930, 345 }, u"" },
        { 3, { 1995, 525, 930, 345 }, u"" },
        { 4, { 2910, 525, 930, 345 }, u"" },
        { 5, { 3855, 525, 930, 345 }, u"" },
        { 6, { 4800, 525, 930, 345 }, u"" },
        { 7, { 5760, 525, 930, 345 }, u"" },
        { 8, { 6720, 525, 930, 345 }, u"" },
        { 9, { 7500, 525, 930, 345 }, u"" },
        { 10, { 8460, 525, 930, 345 }, u"" },
        { 11, { 9480, 525, 930, 345 }, u"" },
        { 12, { 645, 90, 420, 330 }, u"启动 Bridge" },
        { 13, { 1185, 90, 600, 330 }, u"查看额外的内容" },
        { 14, { 1905, 90, 855, 330 }, u"缩放级别" },
        { 15, { 3000, 90, 420, 330 }, u"抓手工具" },
        { 16, { 3435, 90, 420, 330 }, u"缩放工具" },
        { 17, { 3870, 90, 420, 330 }, u"旋转视图工具" },
        { 18, { 4530, 90, 600, 330 }, u"排列文档" },
        { 19, { 5250, 90, 600, 330 }, u"屏幕模式" },
        { 20, { 9585, 90, 1275, 345 }, u"" },
        { 21, { 165, 75, 630, 375 }, u"" },
        { 22, { 990, 135, 960, 195 }, u"" },
        { 23, { 2025, 105, 1065, 330 }, u"" },
        { 24, { 3345, 150, 1275, 195 }, u"" },
        { 25, { 4950, 120, 300, 270 }, u"" },
        { 26, { 5250, 120, 300, 270 }, u"" },
        { 27, { 5550, 120, 300, 270 }, u"" },
        { 28, { 6000, 120, 300, 270 }, u"" },
        { 29, { 6300, 120, 300, 270 }, u"" },
        { 30, { 6600, 120, 300, 270 }, u"" },
        { 31, { 7200, 120, 300, 270 }, u"" },
        { 32, { 7500, 120, 300, 270 }, u"" },
        { 33, { 7800, 120, 300, 270 }, u"" },
        { 34, { 8250, 120, 300, 270 }, u"" },
        { 35, { 8550, 120, 300, 270 }, u"" },
        { 36, { 8850, 120, 300, 270 }, u"" },
        { 37, { 9435, 120, 300, 270 }, u"" },
        { 38, { -300, -120, 30, 27 }, u"" },
        { 39, { -300, -120, 30, 27 }, u"" },
        { 40, { -300, -120, 30, 27 }, u"" },
    };
    // The toolbox, 41..67: one column (390 x 345 cells at Left 90) and two columns.
    struct ToolboxRow {
        int index;
        const char16_t* toolTip;
        HotspotCell oneColumn, twoColumns;
    };
    const ToolboxRow toolboxRows[] = {
        { 41, u"移动工具 (V)", { 90, 390, 390, 345 }, { 450, 390, 390, 345 } },
        { 42, u"矩形选框工具 (M)", { 90, 735, 390, 345 }, { 60, 390, 390, 345 } },
        { 43, u"套索工具 (L)", { 90, 1080, 390, 345 }, { 60, 735, 390, 345 } },
        { 44, u"快速选择工具 (W)", { 90, 1425, 390, 345 }, { 450, 735, 390, 345 } },
        { 45, u"裁剪工具 (C)", { 90, 1770, 390, 345 }, { 60, 1080, 390, 345 } },
        { 46, u"吸管工具 (I)", { 90, 2115, 390, 345 }, { 450, 1080, 390, 345 } },
        { 47, u"污点修复画笔工具 (J)", { 90, 2520, 390, 345 }, { 60, 1485, 390, 345 } },
        { 48, u"画笔工具 (B)", { 90, 2865, 390, 345 }, { 450, 1485, 390, 345 } },
        { 49, u"仿制图章工具 (S)", { 90, 3210, 390, 345 }, { 60, 1830, 390, 345 } },
        { 50, u"历史记录画笔工具 (Y)", { 90, 3555, 390, 345 }, { 450, 1830, 390, 345 } },
        { 51, u"橡皮擦工具 (E)", { 90, 3900, 390, 345 }, { 60, 2175, 390, 345 } },
        { 52, u"渐变工具 (G)", { 90, 4245, 390, 345 }, { 450, 2175, 390, 345 } },
        { 53, u"模糊工具 ", { 90, 4590, 390, 345 }, { 60, 2520, 390, 345 } },
        { 54, u"减淡工具 (O)", { 90, 4935, 390, 345 }, { 450, 2520, 390, 345 } },
        { 55, u"钢笔工具 (P)", { 90, 5340, 390, 345 }, { 60, 2925, 390, 345 } },
        { 56, u"横排文字工具 (T)", { 90, 5685, 390, 345 }, { 450, 2925, 390, 345 } },
        { 57, u"路径选择工具 (A)", { 90, 6030, 390, 345 }, { 60, 3270, 390, 345 } },
        { 58, u"矩形工具 (U)", { 90, 6375, 390, 345 }, { 450, 3270, 390, 345 } },
        { 59, u"3D 旋转工具 (K)", { 90, 6780, 390, 345 }, { 60, 3675, 390, 345 } },
        { 60, u"3D 环绕工具 (N)", { 90, 7125, 390, 345 }, { 450, 3675, 390, 345 } },
        { 61, u"抓手工具 (H)", { 90, 7470, 390, 345 }, { 60, 4020, 390, 345 } },
        { 62, u"缩放工具 (Z)", { 90, 7815, 390, 345 }, { 450, 4020, 390, 345 } },
        { 63, u"设置前景色 ", { 90, 8160, 390, 345 }, { 120, 4455, 420, 420 } },
        { 64, u"以快速蒙版模式编辑 (Q)", { 90, 8505, 390, 345 }, { 180, 5190, 585, 330 } },
        { 65, u"切换前景色和背景色 (X)", { 90, 8850, 390, 345 }, { 540, 4380, 255, 255 } },
        { 66, u"设置背景色 ", { 90, 9195, 390, 345 }, { 300, 4635, 435, 435 } },
        { 67, u"默认前景色和背景色 (D)", { 90, 9540, 390, 345 }, { 105, 4935, 165, 165 } },
    };

    for (const FixedRow& r : fixedRows) {
        SCOPED_TRACE(testing::Message() << "hotspot " << r.index);
        ASSERT_EQ(r.index, &r - fixedRows); // the rows above are in index order, none missing
        EXPECT_EQ(cellTuple(workspace::hotspotCell(r.index, false)), cellTuple(r.cell));
        EXPECT_EQ(cellTuple(workspace::hotspotCell(r.index, true)), cellTuple(r.cell));
        EXPECT_EQ(workspace::hotspotToolTip(r.index), QString::fromUtf16(r.toolTip));
    }
    for (const ToolboxRow& r : toolboxRows) {
        SCOPED_TRACE(testing::Message() << "toolbox hotspot " << r.index);
        ASSERT_EQ(r.index, 41 + (&r - toolboxRows));
        EXPECT_EQ(cellTuple(workspace::hotspotCell(r.index, false)), cellTuple(r.oneColumn))
            << "one column";
        EXPECT_EQ(cellTuple(workspace::hotspotCell(r.index, true)), cellTuple(r.twoColumns))
            << "two columns";
        EXPECT_EQ(workspace::hotspotToolTip(r.index), QString::fromUtf16(r.toolTip));
    }
}

} // namespace
