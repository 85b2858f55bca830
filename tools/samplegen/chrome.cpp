#include "chrome.h"

#include <map>
#include <set>
#include <stdexcept>

namespace samplegen {

namespace {

    QRect twips(int left, int top, int width, int height)
    {
        return { left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel };
    }

    const std::map<int, MenuTitle>& menus()
    {
        static const std::map<int, MenuTitle> table {
            { 1,
                { "文件(F)", "628122131", 5160, 240,
                    { "新建...\tCtrl+N", "打开...\tCtrl+O", "在 Bridge 中浏览...\tAlt+Ctrl+O",
                        "在 Mini Bridge 中浏览...", "打开为...\tAlt+Shift+Ctrl+O", "最近打开文件",
                        "关闭\tCtrl+W", "关闭全部\tAlt+Ctrl+W",
                        "关闭并转到 Bridge...\tShift+Ctrl+W", "存储\tCtrl+S",
                        "存储为...\tShift+Ctrl+S", "签入...",
                        "存储为 Web 和设备所用格式...\tAlt+Shift+Ctrl+S", "恢复\tF12", "置入...",
                        "打开为智能对象...", "共享我的屏幕...", "导入", "导出", "自动", "脚本",
                        "文件简介...\tAlt+Shift+Ctrl+I", "页面设置...\tShift+Ctrl+P",
                        "打印...\tCtrl+P", "打印一份\tAlt+Shift+Ctrl+P", "退出\tCtrl+Q" } } },
            { 2,
                { "编辑(E)", "622531233", 3540, 240,
                    { "还原\tCtrl+Z", "前进一步\tShift+Ctrl+Z", "后退一步\tAlt+Ctrl+Z",
                        "渐隐...\tShift+Ctrl+F", "剪切\tCtrl+X", "拷贝\tCtrl+C",
                        "合并拷贝\tShift+Ctrl+C", "粘贴\tCtrl+V", "清除", "拼写检查...",
                        "填充...\tShift+F5", "描边...", "变换", "自由变换\tCtrl+T",
                        "内容识别比例\tAlt+Shift+Ctrl+C", "自动对齐图层...", "自动混合图层...",
                        "操控变形", "预设", "定义画笔预设...", "定义图案...",
                        "颜色设置...\tShift+Ctrl+K", "指定配置文件...", "转换为配置文件...",
                        "键盘快捷键...\tAlt+Shift+Ctrl+K", "菜单...\tAlt+Shift+Ctrl+M",
                        "首选项" } } },
            { 3,
                { "图像(I)", "1136321", 3540, 240,
                    { "模式", "调整", "自动色调\tShift+Ctrl+L", "自动对比度\tAlt+Shift+Ctrl+L",
                        "自动颜色\tShift+Ctrl+B", "图像大小...\tAlt+Ctrl+I",
                        "画布大小...\tAlt+Ctrl+C", "图像旋转", "裁剪", "裁切...", "显示全部",
                        "复制...", "应用图像...", "计算...", "变量", "应用数据组...",
                        "陷印..." } } },
            { 4,
                { "图层(L)", "333323121231", 3360, 240,
                    { "新建", "复制图层...", "删除", "图层属性...", "图层样式", "智能滤镜",
                        "新建填充图层", "新建调整图层", "图层蒙版", "矢量蒙版", "智能对象",
                        "创建剪贴蒙版\tAlt+Ctrl+G", "视频图层", "栅格化", "新建基于图层的切片",
                        "图层编组\tCtrl+G", "取消图层编组\tShift+Ctrl+G", "排列", "对齐", "分布",
                        "合并形状", "链接图层", "选择链接图层", "向下合并\tCtrl+E",
                        "合并可见图层\tShift+Ctrl+E", "拼合图像", "修边" } } },
            { 5,
                { "选择(S)", "43122112", 3090, 240,
                    { "全部\tCtrl+A", "取消选择\tCtrl+D", "重新选择\tShift+Ctrl+D",
                        "反向\tShift+Ctrl+I", "所有图层\tAlt+Ctrl+A", "取消选择图层", "相似图层",
                        "色彩范围...", "调整边缘...\tAlt+Ctrl+R", "修改", "扩大选取", "选取相似",
                        "变换选区", "在快速蒙版模式下编辑", "载入选区...", "存储选区..." } } },
            { 6,
                { "滤镜(T)", "113D11", 2190, 240,
                    { "上次滤镜操作\tCtrl+F", "转换为智能滤镜", "滤镜库...",
                        "液化...\tShift+Ctrl+X", "消失点...\tAlt+Ctrl+V", "风格化", "画笔描边",
                        "模糊", "扭曲", "锐化", "视频", "素描", "纹理", "像素化", "渲染",
                        "艺术效果", "杂色", "其它", "水印", "浏览联机滤镜..." } } },
            { 7,
                { "分析(A)", "321", 3000, 240,
                    { "设置测量比例", "选择数据点", "记录测量\tShift+Ctrl+M", "标尺工具",
                        "计数工具", "置入比例标记..." } } },
            { 8,
                { "3D(D)", "14246221", 3690, 240,
                    { "从 3D 文件新建图层...", "合并 3D 图层", "从图层新建形状", "从灰度新建网格",
                        "从图层新建体积...", "渲染设置...", "自动隐藏图层以改善性能",
                        "隐藏最近的表面\tAlt+Ctrl+X", "仅隐藏封闭的多边形", "反转可见表面",
                        "显示所有表面\tAlt+Shift+Ctrl+X", "3D 绘画模式", "选择可绘画区域",
                        "创建绘图叠加", "重新参数化...", "创建 UV 叠加", "合并 3D 网格", "栅格化",
                        "导出 3D 图层...", "从图层新建 3D 明信片", "浏览 3D 内容...",
                        "3D 设置..." } } },
            { 9,
                { "视图(V)", "65121232", 3000, 240,
                    { "校样设置", "校样颜色\tCtrl+Y", "色域警告\tShift+Ctrl+Y", "像素长宽比",
                        "像素长宽比校正", "32 位预览选项...", "放大\tCtrl++", "缩小\tCtrl+-",
                        "按屏幕大小缩放\tCtrl+0", "实际像素\tCtrl+1", "打印尺寸", "屏幕模式",
                        "显示额外内容\tCtrl+H", "显示", "标尺\tCtrl+R", "对齐\tShift+Ctrl+;",
                        "对齐到", "锁定参考线\tAlt+Ctrl+;", "清除参考线", "新建参考线...",
                        "锁定切片", "清除切片" } } },
            { 10,
                { "窗口(W)", "21K21", 1950, 240,
                    { "排列", "工作区", "扩展功能", "3D", "测量记录", "导航器", "动画",
                        "动作\tAlt+F9", "段落", "仿制源", "工具预设", "画笔\tF5", "画笔预设",
                        "历史记录", "路径", "蒙版", "色板", "调整", "通道", "图层\tF7", "图层复合",
                        "信息\tF8", "颜色\tF6", "样式", "直方图", "注释", "选项", "工具",
                        "1 风景.jpg" } } },
            { 11,
                { "帮助(H)", "4112A", 3375, 240,
                    { "帮助...\tF1", "支持中心...", "关于本程序...", "关于增效工具", "系统信息...",
                        "产品注册...", "更新...", "在线服务...", "入门教程", "选区教程", "图层教程",
                        "色彩教程", "绘画教程", "文字教程", "滤镜教程", "路径教程", "动作教程",
                        "打印教程" } } },
            { 42,
                { "", "4", 2385, 285,
                    { "矩形选框工具\tM", "椭圆选框工具\tM", "单行选框工具", "单列选框工具" } } },
            { 43,
                { "", "3", 2190, 285, { "套索工具\tL", "多边形套索工具\tL", "磁性套索工具\tL" } } },
            { 44, { "", "2", 2745, 285, { "快速选择工具\tW", "魔棒工具\tW" } } },
            { 45, { "", "3", 2190, 285, { "裁剪工具\tC", "透视裁剪工具\tC", "切片工具\tC" } } },
            { 46,
                { "", "5", 2310, 285,
                    { "吸管工具\tI", "3D 材质吸管工具\tI", "颜色取样器工具\tI", "标尺工具\tI",
                        "注释工具\tI" } } },
            { 47,
                { "", "4", 2385, 285,
                    { "污点修复画笔工具\tJ", "修复画笔工具\tJ", "修补工具\tJ", "红眼工具\tJ" } } },
            { 48, { "", "3", 2190, 285, { "画笔工具\tB", "铅笔工具\tB", "颜色替换工具\tB" } } },
            { 49, { "", "2", 2745, 285, { "仿制图章工具\tS", "图案图章工具\tS" } } },
            { 50, { "", "2", 2745, 285, { "历史记录画笔工具\tY", "历史记录艺术画笔工具\tY" } } },
            { 51,
                { "", "3", 2190, 285,
                    { "橡皮擦工具\tE", "背景橡皮擦工具\tE", "魔术橡皮擦工具\tE" } } },
            { 52, { "", "2", 2745, 285, { "渐变工具\tG", "油漆桶工具\tG" } } },
            { 53, { "", "3", 2190, 285, { "模糊工具", "锐化工具", "涂抹工具" } } },
            { 54, { "", "3", 2190, 285, { "减淡工具\tO", "加深工具\tO", "海绵工具\tO" } } },
            { 55,
                { "", "5", 2310, 285,
                    { "钢笔工具\tP", "自由钢笔工具\tP", "添加锚点工具", "删除锚点工具",
                        "转换点工具" } } },
            { 56,
                { "", "4", 2385, 285,
                    { "横排文字工具\tT", "直排文字工具\tT", "横排文字蒙版工具\tT",
                        "直排文字蒙版工具\tT" } } },
            { 57, { "", "2", 2745, 285, { "路径选择工具\tA", "直接选择工具\tA" } } },
            { 58,
                { "", "6", 2040, 285,
                    { "矩形工具\tU", "圆角矩形工具\tU", "椭圆工具\tU", "多边形工具\tU",
                        "直线工具\tU", "自定形状工具\tU" } } },
            { 59,
                { "", "5", 2310, 285,
                    { "3D 对象旋转工具\tK", "3D 对象滚动工具\tK", "3D 对象平移工具\tK",
                        "3D 对象滑动工具\tK", "3D 对象比例工具\tK" } } },
            { 60,
                { "", "5", 2310, 285,
                    { "3D 旋转相机工具\tN", "3D 滚动相机工具\tN", "3D 平移相机工具\tN",
                        "3D 移动相机工具\tN", "3D 缩放相机工具\tN" } } },
            { 61, { "", "2", 2745, 285, { "抓手工具\tH", "旋转视图工具\tR" } } },
        };
        return table;
    }

    const std::map<int, ToolInfo>& tools()
    {
        static const std::map<int, ToolInfo> table {
            { 41, { "移动工具 (V)", "move" } },
            { 42, { "矩形选框工具 (M)", "marquee" } },
            { 43, { "套索工具 (L)", "lasso" } },
            { 44, { "快速选择工具 (W)", "quickselect" } },
            { 45, { "裁剪工具 (C)", "crop" } },
            { 46, { "吸管工具 (I)", "eyedropper" } },
            { 47, { "污点修复画笔工具 (J)", "heal" } },
            { 48, { "画笔工具 (B)", "brush" } },
            { 49, { "仿制图章工具 (S)", "stamp" } },
            { 50, { "历史记录画笔工具 (Y)", "historybrush" } },
            { 51, { "橡皮擦工具 (E)", "eraser" } },
            { 52, { "渐变工具 (G)", "gradient" } },
            { 53, { "模糊工具 ", "blur" } },
            { 54, { "减淡工具 (O)", "dodge" } },
            { 55, { "钢笔工具 (P)", "pen" } },
            { 56, { "横排文字工具 (T)", "type" } },
            { 57, { "路径选择工具 (A)", "pathselect" } },
            { 58, { "矩形工具 (U)", "rectangle" } },
            { 59, { "3D 旋转工具 (K)", "rotate3d" } },
            { 60, { "3D 环绕工具 (N)", "orbit3d" } },
            { 61, { "抓手工具 (H)", "hand" } },
            { 62, { "缩放工具 (Z)", "zoom" } },
            { 63, { "设置前景色 ", "foreground" } },
            { 64, { "以快速蒙版模式编辑 (Q)", "quickmask" } },
            { 65, { "切换前景色和背景色 (X)", "swap" } },
            { 66, { "设置背景色 ", "background" } },
            { 67, { "默认前景色和背景色 (D)", "defaultcolours" } },
        };
        return table;
    }

    const char* const kSecondLevelKeys
        = "0106-0118-0119-0120-0121-0213-0219-0227-0301-0302-0308-0315-0401-0403-0405-0406-0407-"
          "0408-0410-0411-0413-0414-0418-0419-0420-0427-0510-0606-0607-0608-0609-0610-0611-0612-"
          "0613-0614-0615-0616-0617-0618-0619-0701-0702-0901-0904-0912-0914-0917-1001-1002-1109-"
          "1110-1111-1112-1113-1114-1115-1116-1117-1118-0803-0804-0812-0409-0421";

} // namespace

QRect hotspotRect(int hotspot, ToolboxForm form)
{
    static const int menuLeft[]
        = { 90, 1035, 1995, 2910, 3855, 4800, 5760, 6720, 7500, 8460, 9480 };
    if (hotspot >= 1 && hotspot <= 11)
        return twips(menuLeft[hotspot - 1], 525, 930, 345);
    static const int appLeft[] = { 645, 1185, 1905, 3000, 3435, 3870, 4530, 5250, 9585 };
    static const int appWidth[] = { 420, 600, 855, 420, 420, 420, 600, 600, 1275 };
    if (hotspot >= 12 && hotspot <= 20)
        return twips(appLeft[hotspot - 12], 90, appWidth[hotspot - 12], hotspot == 20 ? 345 : 330);
    if (hotspot == 21)
        return twips(165, 75, 630, 375);
    if (hotspot == 22)
        return twips(990, 135, 960, 195);
    if (hotspot == 23)
        return twips(2025, 105, 1065, 330);
    if (hotspot == 24)
        return twips(3345, 150, 1275, 195);
    if (hotspot >= 25 && hotspot <= 37) {
        static const int groupStart[] = { 4950, 6000, 7200, 8250, 9435 };
        const int index = hotspot - 25;
        const int left = hotspot == 37 ? 9435 : groupStart[index / 3] + 300 * (index % 3);
        return twips(left, 120, 300, 270);
    }
    if (hotspot >= 41 && hotspot <= 67) {
        if (form == ToolboxForm::OneColumn) {
            int top = 390 + 345 * (hotspot - 41);
            if (hotspot >= 47)
                top += 60;
            if (hotspot >= 55)
                top += 60;
            if (hotspot >= 59)
                top += 60;
            return twips(90, top, 390, 345);
        }
        switch (hotspot) {
        case 63:
            return twips(120, 4455, 420, 420);
        case 64:
            return twips(180, 5190, 585, 330);
        case 65:
            return twips(540, 4380, 255, 255);
        case 66:
            return twips(300, 4635, 435, 435);
        case 67:
            return twips(105, 4935, 165, 165);
        default:
            break;
        }
        int left = 60 + 390 * ((hotspot - 41) % 2);
        int top = 390 + 345 * ((hotspot - 41) / 2);
        if (hotspot >= 47 && hotspot <= 54)
            top += 60;
        else if (hotspot >= 55 && hotspot <= 58)
            top += 120;
        else if (hotspot >= 59)
            top += 180;
        if (hotspot == 41)
            left = 450;
        if (hotspot == 42)
            left = 60;
        return twips(left, top, 390, 345);
    }
    throw std::runtime_error("no element under hotspot " + std::to_string(hotspot));
}

QPoint panelOrigin(int hotspot)
{
    if (hotspot <= 20)
        return kMenuPanelPos;
    if (hotspot <= 40)
        return kOptionsPanelPos;
    return kToolboxPos;
}

const MenuTitle& menuTitle(int hotspot)
{
    const auto found = menus().find(hotspot);
    if (found == menus().end())
        throw std::runtime_error("no drop-down for hotspot " + std::to_string(hotspot));
    return found->second;
}

bool hasDropDown(int hotspot) { return menus().count(hotspot) != 0; }

int groupSize(QChar groupChar)
{
    if (groupChar.isDigit())
        return groupChar.digitValue();
    switch (groupChar.unicode()) {
    case 'A':
        return 10;
    case 'B':
        return 11;
    case 'C':
        return 12;
    case 'D':
        return 13;
    case 'K':
        return 23;
    default:
        return 0;
    }
}

int dropDownItemCount(int hotspot)
{
    int n = 0;
    for (const QChar c : menuTitle(hotspot).groups)
        n += groupSize(c);
    return n;
}

QRect dropDownItemRect(int hotspot, int item)
{
    const MenuTitle& menu = menuTitle(hotspot);
    int groupsBefore = 0;
    int seen = 0;
    for (const QChar c : menu.groups) {
        seen += groupSize(c);
        if (seen < item)
            ++groupsBefore;
        else
            break;
    }
    const int top = 45 + (item - 1) * menu.itemHeightTwips + 135 * groupsBefore;
    return twips(45, top, menu.itemWidthTwips, menu.itemHeightTwips);
}

QSize dropDownSize(int hotspot)
{
    const QRect last = dropDownItemRect(hotspot, dropDownItemCount(hotspot));
    return { last.right() + 1 + 3, last.bottom() + 1 + 4 };
}

bool opensSecondLevel(int hotspot, int item)
{
    const QString key
        = QString("%1%2").arg(hotspot, 2, 10, QChar('0')).arg(item, 2, 10, QChar('0'));
    return QString(kSecondLevelKeys).split('-').contains(key);
}

namespace {

    // Second-level layouts as the simulated window lays them out (group string, item width,
    // item height in twips); the texts are given for the drop-downs the module draws.
    const std::map<int, SecondLevel>& secondLevels()
    {
        static const std::map<int, SecondLevel> table {
            { 106, { "21", 1500, 240, {} } },
            { 118, { "6", 2250, 240, {} } },
            { 119, { "6", 2250, 240, {} } },
            { 120, { "214", 2490, 240, {} } },
            { 121, { "1221131", 2670, 240, {} } },
            { 213, { "1632", 2640, 240, {} } },
            { 219, { "4", 1545, 240, {} } },
            { 227, { "191", 2850, 240, {} } },
            { 301, { "831", 1860, 240, {} } },
            { 302,
                { "46524", 3270, 240,
                    { "亮度/对比度...", "色阶...\tCtrl+L", "曲线...\tCtrl+M", "曝光度...",
                        "自然饱和度...", "色相/饱和度...\tCtrl+U", "色彩平衡...\tCtrl+B",
                        "黑白...\tAlt+Shift+Ctrl+B", "照片滤镜...", "通道混合器...", "反相\tCtrl+I",
                        "色调分离...", "阈值...", "渐变映射...", "可选颜色...", "阴影/高光...",
                        "变化...", "去色\tShift+Ctrl+U", "匹配颜色...", "替换颜色...",
                        "色调均化" } } },
            { 308, { "42", 2130, 240, {} } },
            { 315, { "2", 2985, 240, {} } },
            { 401,
                { "42", 3540, 240,
                    { "图层...\tShift+Ctrl+N", "背景图层", "组...", "从图层建立组...",
                        "通过拷贝的图层\tCtrl+J", "通过剪切的图层\tShift+Ctrl+J" } } },
            { 403, { "2", 1575, 240, {} } },
            { 405,
                { "1A34", 2130, 240,
                    { "混合选项...", "投影...", "内阴影...", "外发光...", "内发光...",
                        "斜面和浮雕...", "光泽...", "颜色叠加...", "渐变叠加...", "图案叠加...",
                        "描边...", "拷贝图层样式", "粘贴图层样式", "清除图层样式", "全局光...",
                        "创建图层", "隐藏所有效果", "缩放效果..." } } },
            { 406, { "121", 2040, 240, {} } },
            { 407, { "3", 1305, 240, {} } },
            { 408, { "465", 2220, 240, {} } },
            { 409, { "21211", 2760, 240, {} } },
            { 410, { "422", 1680, 240, {} } },
            { 411, { "312", 1680, 240, {} } },
            { 413, { "225112", 2580, 240, {} } },
            { 414, { "72", 1680, 240, {} } },
            { 418, { "5", 2715, 240, {} } },
            { 419, { "33", 1965, 285, {} } },
            { 420, { "33", 1965, 285, {} } },
            { 421, { "1421211", 2850, 240, {} } },
            { 427, { "3", 1755, 240, {} } },
            { 510,
                { "5", 2265, 240,
                    { "边界...", "平滑...", "扩展...", "收缩...", "羽化...\tShift+F6" } } },
            { 606, { "9", 1575, 240, {} } },
            { 607, { "8", 1575, 240, {} } },
            { 608,
                { "B", 1575, 240,
                    { "表面模糊...", "动感模糊...", "方框模糊...", "高斯模糊...", "进一步模糊",
                        "径向模糊...", "镜头模糊...", "模糊", "平均", "特殊模糊...",
                        "形状模糊..." } } },
            { 609, { "D", 1575, 240, {} } },
            { 610, { "5", 2715, 240, {} } },
            { 611, { "2", 1575, 240, {} } },
            { 612, { "E", 1575, 240, {} } },
            { 613, { "6", 2250, 240, {} } },
            { 614, { "7", 3075, 240, {} } },
            { 615, { "5", 2715, 240, {} } },
            { 616, { "F", 4185, 240, {} } },
            { 617, { "5", 2715, 240, {} } },
            { 618, { "5", 2715, 240, {} } },
            { 619, { "2", 1575, 240, {} } },
            { 701, { "2", 1575, 240, {} } },
            { 702, { "1", 1575, 240, {} } },
            { 803, { "B", 1575, 240, {} } },
            { 804, { "4", 1545, 240, {} } },
            { 812, { "7", 3075, 240, {} } },
            { 901, { "1632", 2310, 240, {} } },
            { 904, { "39", 3210, 240, {} } },
            { 912, { "3", 4500, 240, {} } },
            { 914, { "A21", 3000, 240, {} } },
            { 917, { "52", 1680, 240, {} } },
            { 1001, { "541", 3120, 240, {} } },
            { 1002, { "23921", 2670, 240, {} } },
            { 1109, { "6", 3450, 240, {} } },
            { 1110, { "3", 4500, 240, {} } },
            { 1111, { "1", 1575, 240, {} } },
            { 1112, { "C", 3450, 240, {} } },
            { 1113, { "7", 3075, 240, {} } },
            { 1114, { "6", 3450, 240, {} } },
            { 1115, { "2", 2985, 240, {} } },
            { 1116, { "7", 3075, 240, {} } },
            { 1117, { "3", 4500, 240, {} } },
            { 1118, { "3", 4500, 240, {} } },
        };
        return table;
    }

    // Icons of the flyout items, item 1 first (the tool's own icon).
    const std::map<int, QStringList>& flyoutIcons()
    {
        static const std::map<int, QStringList> table {
            { 42, { "marquee", "ellipse", "rowmarquee", "colmarquee" } },
            { 43, { "lasso", "polylasso", "maglasso" } },
            { 44, { "quickselect", "magicwand" } },
            { 45, { "crop", "perspcrop", "slice" } },
            { 46, { "eyedropper", "eyedropper3d", "sampler", "ruler", "note" } },
            { 47, { "heal", "healbrush", "patch", "redeye" } },
            { 48, { "brush", "pencil", "colorreplace" } },
            { 49, { "stamp", "patternstamp" } },
            { 50, { "historybrush", "arthistory" } },
            { 51, { "eraser", "bgeraser", "magiceraser" } },
            { 52, { "gradient", "bucket" } },
            { 53, { "blur", "sharpen", "smudge" } },
            { 54, { "dodge", "burn", "sponge" } },
            { 55, { "pen", "freepen", "addanchor", "delanchor", "convertpoint" } },
            { 56, { "type", "vtype", "typemask", "vtypemask" } },
            { 57, { "pathselect", "directselect" } },
            { 58, { "rectangle", "roundrect", "ellipseshape", "polygon", "line", "customshape" } },
            { 59, { "rotate3d", "roll3d", "pan3d", "slide3d", "scale3d" } },
            { 60, { "orbit3d", "roll3d", "pan3d", "slide3d", "scale3d" } },
            { 61, { "hand", "rotateview" } },
        };
        return table;
    }

    // Key codes and modifier masks of the key check's shortcut table.
    const std::set<std::pair<int, int>>& shortcutTable()
    {
        static const std::set<std::pair<int, int>> table = [] {
            std::set<std::pair<int, int>> t {
                // paths with a second-level item
                { 75, 2 },
                { 76, 2 },
                { 77, 2 },
                { 85, 2 },
                { 66, 2 },
                { 66, 7 },
                { 88, 0 },
                { 68, 0 },
                { 73, 2 },
                { 85, 3 },
                { 78, 3 },
                { 74, 2 },
                { 74, 3 },
                { 221, 3 },
                { 221, 2 },
                { 219, 3 },
                { 219, 2 },
                { 117, 1 },
                { 72, 3 },
                { 222, 2 },
                { 186, 2 },
                // menu titles 1 to 11
                { 78, 2 },
                { 79, 2 },
                { 79, 6 },
                { 79, 7 },
                { 87, 2 },
                { 87, 6 },
                { 87, 3 },
                { 83, 2 },
                { 83, 3 },
                { 83, 7 },
                { 123, 0 },
                { 73, 7 },
                { 80, 3 },
                { 80, 2 },
                { 80, 7 },
                { 81, 2 },
                { 88, 2 },
                { 67, 2 },
                { 67, 3 },
                { 86, 2 },
                { 86, 3 },
                { 116, 1 },
                { 67, 7 },
                { 84, 2 },
                { 75, 3 },
                { 75, 7 },
                { 77, 7 },
                { 76, 3 },
                { 76, 7 },
                { 66, 3 },
                { 73, 6 },
                { 67, 6 },
                { 71, 6 },
                { 71, 2 },
                { 71, 3 },
                { 69, 2 },
                { 69, 3 },
                { 65, 2 },
                { 68, 2 },
                { 68, 3 },
                { 73, 3 },
                { 65, 6 },
                { 82, 6 },
                { 70, 2 },
                { 77, 3 },
                { 88, 6 },
                { 88, 7 },
                { 89, 2 },
                { 89, 3 },
                { 107, 2 },
                { 109, 2 },
                { 96, 2 },
                { 97, 2 },
                { 72, 2 },
                { 82, 2 },
                { 186, 3 },
                { 186, 6 },
                { 120, 4 },
                { 116, 0 },
                { 118, 0 },
                { 119, 0 },
                { 117, 0 },
                { 112, 0 },
            };
            // the tools, without a modifier
            for (const int key : { 77, 76, 87, 67, 73, 74, 66, 83, 89, 69, 71, 79, 80, 84, 65, 85,
                     75, 78, 72, 90, 88, 68, 82 })
                t.insert({ key, 0 });
            return t;
        }();
        return table;
    }

    // A context menu as the menu file holds it: entry position (1 to 9) to its lines. Odd
    // positions 1, 3, 5, 7 and 8 are cascade entries (caption, then the submenu's items),
    // positions 2, 4, 6 and 9 groups of items shown directly.
    struct ContextMenu {
        QString name;
        std::map<int, std::pair<QString, QString>> cascades;
        std::map<int, QString> groups;
    };

    const std::map<std::pair<int, int>, ContextMenu>& contextMenus()
    {
        static const std::map<std::pair<int, int>, ContextMenu> table {
            // Family 3: panels.
            { { 3, 1 },
                { "图层", {},
                    { { 2, "图层属性...|混合选项...|-|复制图层...|删除图层" },
                        { 4, "转换为智能对象|栅格化图层|-|停用图层蒙版|创建剪贴蒙版" },
                        { 6, "链接图层|选择链接图层|-|拷贝图层样式|粘贴图层样式|清除图层样式" },
                        { 9, "向下合并|合并可见图层|拼合图像" } } } },
            { { 3, 2 },
                { "历史记录", {},
                    { { 2, "后退一步|前进一步|-|新建快照...|删除|清除历史记录" },
                        { 4, "新建文档|历史记录选项..." } } } },
            { { 3, 3 },
                { "通道", {},
                    { { 2, "复制通道...|删除通道|-|新建专色通道...|合并专色通道" },
                        { 4, "通道选项...|分离通道|合并通道..." } } } },
            // Family 4: the canvas, by tool.
            { { 4, 1 },
                { "选区", {},
                    { { 2, "取消选择|选择反向|羽化...|调整边缘...|-|存储选区...|建立工作路径..." },
                        { 4, "通过拷贝的图层|通过剪切的图层|-|新建图层..." },
                        { 6, "自由变换|变换选区|-|填充...|描边..." },
                        { 9, "上次滤镜操作|渐隐..." } } } },
            { { 4, 2 },
                { "移动", { { 1, { "选择图层", "图层 1|背景" } } },
                    { { 2, "显示变换控件|-|对齐图层|分布图层" } } } },
            // Family 5: the document window.
            { { 5, 1 },
                { "文档标签", {},
                    { { 2,
                        "移动到新窗口|-|关闭|关闭全部|-|复制...|-|画布大小...|图像大小...|"
                        "文件简介..." } } } },
            { { 5, 2 },
                { "状态栏", {},
                    { { 2,
                        "文档大小|文档配置文件|文档尺寸|测量比例|暂存盘大小|效率|计时|"
                        "当前工具|32 位曝光" } } } },
            { { 5, 3 },
                { "画布", {},
                    { { 2, "按屏幕大小缩放|实际像素|打印尺寸|-|放大|缩小" },
                        { 4, "选择全部|取消选择" } } } },
            // Family 6: text and transformations.
            { { 6, 1 },
                { "文字", { { 7, { "消除锯齿", "无|锐利|犀利|浑厚|平滑" } } },
                    { { 2,
                          "编辑文字|拼写检查...|查找和替换文本...|-|栅格化文字|创建工作路径|"
                          "转换为形状" },
                        { 4, "水平|垂直|-|仿粗体|仿斜体" } } } },
            { { 6, 2 },
                { "变换", {},
                    { { 2, "自由变换|缩放|旋转|斜切|扭曲|透视|变形|内容识别比例" },
                        { 4, "旋转 180 度|旋转 90 度(顺时针)|旋转 90 度(逆时针)" },
                        { 6, "水平翻转|垂直翻转" } } } },
        };
        return table;
    }

    // Tokens of a menu item line: split at "|", at most ten.
    QStringList menuTokens(const QString& line)
    {
        QStringList tokens;
        qsizetype from = 0;
        for (int n = 1; n <= 10; ++n) {
            const qsizetype bar = line.indexOf('|', from);
            if (bar < 0) {
                tokens.append(line.mid(from));
                break;
            }
            tokens.append(line.mid(from, bar - from));
            from = bar + 1;
        }
        return tokens;
    }

} // namespace

const SecondLevel* secondLevel(int hotspot, int item)
{
    const auto found = secondLevels().find(hotspot * 100 + item);
    return found == secondLevels().end() ? nullptr : &found->second;
}

int secondLevelGroupSize(QChar groupChar)
{
    if (groupChar.isDigit())
        return groupChar.digitValue();
    if (groupChar >= u'A' && groupChar <= u'F')
        return groupChar.unicode() - 'A' + 10;
    return 0;
}

int secondLevelItemCount(int hotspot, int item)
{
    const SecondLevel* level = secondLevel(hotspot, item);
    int n = 0;
    if (level)
        for (const QChar c : level->groups)
            n += secondLevelGroupSize(c);
    return n;
}

QRect secondLevelItemRect(int hotspot, int item, int sub)
{
    const SecondLevel* level = secondLevel(hotspot, item);
    if (!level)
        throw std::runtime_error("no second level under " + std::to_string(hotspot * 100 + item));
    int groupsBefore = 0;
    int seen = 0;
    for (const QChar c : level->groups) {
        seen += secondLevelGroupSize(c);
        if (seen < sub)
            ++groupsBefore;
        else
            break;
    }
    const int top = 45 + (sub - 1) * level->itemHeightTwips + 135 * groupsBefore;
    return twips(45, top, level->itemWidthTwips, level->itemHeightTwips);
}

QSize secondLevelSize(int hotspot, int item)
{
    const QRect last = secondLevelItemRect(hotspot, item, secondLevelItemCount(hotspot, item));
    return { last.right() + 1 + 3, last.bottom() + 1 + 4 };
}

QRect dropDownOnScreen(int hotspot)
{
    const QRect spot = hotspotRect(hotspot).translated(panelOrigin(hotspot));
    const QSize size = dropDownSize(hotspot);
    if (hotspot >= 42 && hotspot <= 61) {
        // A tool flyout opens to the right of the tool, raised when it would reach the
        // window's bottom edge.
        QRect r(QPoint(spot.right() + 1, spot.top()), size);
        if (r.bottom() + 1 >= kWindowHeight)
            r.moveBottom(spot.bottom());
        return r;
    }
    const int left = hotspot == 11 ? 8490 / kTwipsPerPixel : spot.left();
    return { QPoint(left, spot.bottom() + 1), size };
}

QRect dropDownItemOnScreen(int hotspot, int item)
{
    return dropDownItemRect(hotspot, item).translated(dropDownOnScreen(hotspot).topLeft());
}

QRect secondLevelOnScreen(int hotspot, int item)
{
    const QRect first = dropDownOnScreen(hotspot);
    const QRect row = dropDownItemOnScreen(hotspot, item);
    const QSize size = secondLevelSize(hotspot, item);
    QRect r(QPoint(first.right() + 1 - 90 / kTwipsPerPixel, row.top()), size);
    if (r.bottom() + 1 > 8820 / kTwipsPerPixel)
        r.moveBottom(row.bottom());
    if (r.right() + 1 > 11850 / kTwipsPerPixel)
        r.moveLeft(first.left() - size.width() + 45 / kTwipsPerPixel);
    return r;
}

QRect secondLevelItemOnScreen(int hotspot, int item, int sub)
{
    return secondLevelItemRect(hotspot, item, sub)
        .translated(secondLevelOnScreen(hotspot, item).topLeft());
}

QString flyoutIcon(int hotspot, int item)
{
    const auto found = flyoutIcons().find(hotspot);
    if (found == flyoutIcons().end() || item < 1 || item > found->second.size())
        throw std::runtime_error("no flyout item " + std::to_string(hotspot * 100 + item));
    return found->second[item - 1];
}

bool inShortcutTable(int keyCode, int mask)
{
    return shortcutTable().count({ keyCode, mask }) != 0;
}

KeyPress keyOfCode(const QString& code, int where)
{
    if (code.size() != 4 || code[0] != u'6')
        return {};
    for (const QChar c : code)
        if (!c.isDigit())
            return {};
    const int value = code.toInt();
    const int kk = value % 100;
    KeyPress key;
    key.mask = (value % 1000) / 100;
    if (where == 0)
        key.keyCode = kk == 12 ? 112 : kk;
    else if (where == 91)
        key.keyCode = kk;
    else
        key.keyCode = kk <= 20 ? kk + 100 : kk;
    return key;
}

QStringList menuFileLines()
{
    QStringList lines;
    for (int family = 3; family <= 6; ++family) {
        for (int menu = 1; menu <= 9; ++menu) {
            QStringList block(15, "0");
            const auto found = contextMenus().find({ family, menu });
            if (found != contextMenus().end()) {
                const ContextMenu& m = found->second;
                block[0] = m.name;
                // Block lines (from 1) of the caption of each cascade position and of each
                // group position.
                static const std::map<int, int> captionLine { { 1, 2 }, { 3, 5 }, { 5, 8 },
                    { 7, 11 }, { 8, 13 } };
                static const std::map<int, int> groupLine { { 2, 4 }, { 4, 7 }, { 6, 10 },
                    { 9, 15 } };
                for (const auto& [position, entry] : m.cascades) {
                    block[captionLine.at(position) - 1] = entry.first;
                    block[captionLine.at(position)] = entry.second;
                }
                for (const auto& [position, items] : m.groups)
                    block[groupLine.at(position) - 1] = items;
            }
            lines += block;
        }
    }
    return lines;
}

QString menuItemText(const QStringList& menuFile, int menuCode, QString* why)
{
    auto no = [why](const QString& reason) {
        if (why)
            *why = reason;
        return QString();
    };
    const int family = menuCode / 1000, menu = menuCode / 100 % 10;
    const int position = menuCode / 10 % 10, item = menuCode % 10;
    if (family < 3 || family > 6 || menu < 1 || position < 1)
        return no("names no menu of the file");
    const int start = (family - 3) * 135 + (menu - 1) * 15;
    auto blockLine = [&](int line) { return menuFile.value(start + line - 1); };
    QString itemLine;
    if (position == 1 || position == 3 || position == 5 || position == 7 || position == 8) {
        const int caption = position == 8 ? 13 : 2 + (position - 1) / 2 * 3;
        if (blockLine(caption) == "0")
            return no("names an absent cascade entry");
        itemLine = blockLine(caption + 1);
    } else {
        const int line = position == 9 ? 15 : 4 + (position / 2 - 1) * 3;
        if (blockLine(line) == "0")
            return no("names an absent item group");
        itemLine = blockLine(line);
    }
    const QStringList tokens = menuTokens(itemLine);
    if (item >= tokens.size())
        return no("names an item past the end of its entry");
    if (tokens[item] == "-" || tokens[item].isEmpty())
        return no("names a separator or an empty item");
    return tokens[item];
}

const ToolInfo& toolInfo(int hotspot)
{
    const auto found = tools().find(hotspot);
    if (found == tools().end())
        throw std::runtime_error("no tool under hotspot " + std::to_string(hotspot));
    return found->second;
}

} // namespace samplegen
