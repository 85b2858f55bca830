#include "chrome.h"

#include "workspace/hotspots.h"
#include "workspace/shortcuts.h"

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
                { workspace::menuBarTitle(1), "628122131", 5160, 240,
                    { "新建...\tCtrl+N", "打开...\tCtrl+O", "在资源浏览器中浏览...\tAlt+Ctrl+O",
                        "打开为...\tAlt+Shift+Ctrl+O", "打开为智能对象...", "最近打开文件",
                        "共享我的屏幕...", "创建新审阅...", "关闭\tCtrl+W", "关闭全部\tAlt+Ctrl+W",
                        "关闭并转到资源浏览器...\tShift+Ctrl+W", "存储\tCtrl+S",
                        "存储为...\tShift+Ctrl+S", "签入...",
                        "存储为 Web 和设备所用格式...\tAlt+Shift+Ctrl+S", "恢复\tF12", "置入...",
                        "导入", "导出", "自动", "脚本", "文件简介...\tAlt+Shift+Ctrl+I",
                        "页面设置...\tShift+Ctrl+P", "打印...\tCtrl+P",
                        "打印一份\tAlt+Shift+Ctrl+P", "退出\tCtrl+Q" } } },
            { 2,
                { workspace::menuBarTitle(2), "622531233", 3540, 240,
                    { "剪切\tCtrl+X", "拷贝\tCtrl+C", "合并拷贝\tShift+Ctrl+C", "粘贴\tCtrl+V",
                        "原位粘贴\tShift+Ctrl+V", "清除", "拼写检查...", "查找和替换文本...",
                        "填充...\tShift+F5", "描边...", "内容识别比例\tAlt+Shift+Ctrl+C",
                        "自由变换\tCtrl+T", "变换", "自动对齐图层...", "自动混合图层...",
                        "定义画笔预设...", "定义图案...", "定义自定形状...", "清理",
                        "预设管理器...", "远程连接...", "颜色设置...\tShift+Ctrl+K",
                        "指定配置文件...", "转换为配置文件...", "键盘快捷键...\tAlt+Shift+Ctrl+K",
                        "菜单...\tAlt+Shift+Ctrl+M", "首选项" } } },
            { 3,
                { workspace::menuBarTitle(3), "1136321", 3540, 240,
                    { "模式", "调整", "自动色调\tShift+Ctrl+L", "自动对比度\tAlt+Shift+Ctrl+L",
                        "自动颜色\tShift+Ctrl+B", "图像大小...\tAlt+Ctrl+I",
                        "画布大小...\tAlt+Ctrl+C", "图像旋转", "裁剪", "裁切...", "显示全部",
                        "复制...", "应用图像...", "计算...", "变量", "应用数据组...",
                        "陷印..." } } },
            { 4,
                { workspace::menuBarTitle(4), "333323121231", 3360, 240,
                    { "新建", "复制图层...", "删除", "图层属性...", "图层样式", "智能滤镜",
                        "新建填充图层", "新建调整图层", "图层蒙版", "矢量蒙版", "智能对象",
                        "创建剪贴蒙版\tAlt+Ctrl+G", "视频图层", "栅格化", "图层编组\tCtrl+G",
                        "取消图层编组\tShift+Ctrl+G", "隐藏图层", "排列", "对齐", "分布",
                        "合并形状", "链接图层", "选择链接图层", "向下合并\tCtrl+E",
                        "合并可见图层\tShift+Ctrl+E", "拼合图像", "修边" } } },
            { 5,
                { workspace::menuBarTitle(5), "43122112", 3090, 240,
                    { "全部\tCtrl+A", "取消选择\tCtrl+D", "重新选择\tShift+Ctrl+D",
                        "反向\tShift+Ctrl+I", "所有图层\tAlt+Ctrl+A", "取消选择图层", "相似图层",
                        "色彩范围...", "调整边缘...\tAlt+Ctrl+R", "修改", "扩大选取", "选取相似",
                        "变换选区", "在快速蒙版模式下编辑", "载入选区...", "存储选区..." } } },
            { 6,
                { workspace::menuBarTitle(6), "113D11", 2190, 240,
                    { "上次滤镜操作\tCtrl+F", "转换为智能滤镜", "滤镜库...", "液化...", "消失点...",
                        "风格化", "画笔描边", "模糊", "扭曲", "锐化", "视频", "素描", "纹理",
                        "像素化", "渲染", "艺术效果", "杂色", "其它", "水印",
                        "浏览联机滤镜..." } } },
            { 7,
                { workspace::menuBarTitle(7), "321", 3000, 240,
                    { "设置测量比例", "选择数据点", "记录测量\tShift+Ctrl+M", "标尺工具",
                        "计数工具", "置入比例标记..." } } },
            { 8,
                { workspace::menuBarTitle(8), "14246221", 3690, 240,
                    { "从 3D 文件新建图层...", "合并 3D 图层", "从图层新建形状", "从灰度新建网格",
                        "从图层新建体积...", "渲染设置...", "自动隐藏图层以改善性能",
                        "隐藏最近的表面\tAlt+Ctrl+X", "仅隐藏封闭的多边形", "反转可见表面",
                        "显示所有表面\tAlt+Shift+Ctrl+X", "3D 绘画模式", "选择可绘画区域",
                        "创建绘图叠加", "重新参数化...", "创建 UV 叠加", "合并 3D 网格", "栅格化",
                        "导出 3D 图层...", "从图层新建 3D 明信片", "浏览 3D 内容...",
                        "3D 设置..." } } },
            { 9,
                { workspace::menuBarTitle(9), "65121232", 3000, 240,
                    { "校样设置", "校样颜色\tCtrl+Y", "色域警告\tShift+Ctrl+Y", "像素长宽比",
                        "像素长宽比校正", "32 位预览选项...", "放大\tCtrl++", "缩小\tCtrl+-",
                        "按屏幕大小缩放\tCtrl+0", "实际像素\tCtrl+1", "打印尺寸", "屏幕模式",
                        "显示额外内容\tCtrl+H", "显示", "标尺\tCtrl+R", "对齐\tShift+Ctrl+;",
                        "对齐到", "锁定参考线\tAlt+Ctrl+;", "清除参考线", "新建参考线...",
                        "锁定切片", "清除切片" } } },
            { 10,
                { workspace::menuBarTitle(10), "21K21", 1950, 240,
                    { "排列", "工作区", "扩展功能", "3D", "测量记录", "导航器", "调整", "动画",
                        "动作\tAlt+F9", "段落", "仿制源", "工具预设", "画笔\tF5", "画笔预设",
                        "历史记录", "路径", "色板", "通道", "图层\tF7", "图层复合", "信息\tF8",
                        "颜色\tF6", "样式", "直方图", "注释", "字符", "选项", "工具",
                        "1 风景.jpg" } } },
            { 11,
                { workspace::menuBarTitle(11), "4112A", 3375, 240,
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
    // The window's own layout; 0 and 38 to 40 are parked where nothing is drawn.
    if ((hotspot >= 1 && hotspot <= 37) || (hotspot >= 41 && hotspot <= stepengine::kLastHotspot))
        return workspace::hotspotArtRect(hotspot, form == ToolboxForm::TwoColumns);
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
            { 106, { "21", 1500, 240, { "1 风景.jpg", "2 春天.jpg", "清除列表" } } },
            { 118,
                { "6", 2250, 240,
                    { "变量数据组...", "视频帧到图层...", "注释...", "WIA 支持...", "从设备导入...",
                        "扫描仪..." } } },
            { 119,
                { "6", 2250, 240,
                    { "数据组作为文件...", "路径到图形程序...", "渲染视频...", "缩放至网页...",
                        "视频预览...", "导出到设备..." } } },
            { 120,
                { "214", 2490, 240,
                    { "批处理...", "PDF 演示文稿...", "创建快捷批处理...", "裁剪并修齐照片",
                        "条件模式更改...", "限制图像...", "合并到 HDR..." } } },
            { 121,
                { "1221131", 2670, 240,
                    { "图像处理器...", "删除所有空图层", "拼合所有蒙版", "将图层复合导出到文件...",
                        "将图层复合导出到 PDF...", "将图层导出到文件...", "脚本事件管理器...",
                        "将文件载入堆栈...", "统计...", "载入多个 DICOM 文件...", "浏览..." } } },
            { 213,
                { "1632", 2640, 240,
                    { "再次", "缩放", "旋转", "斜切", "扭曲", "透视", "变形", "旋转 180 度",
                        "旋转 90 度(顺时针)", "旋转 90 度(逆时针)", "水平翻转", "垂直翻转" } } },
            { 219, { "4", 1545, 240, { "还原", "剪贴板", "历史记录", "全部" } } },
            { 227,
                { "191", 2850, 240,
                    { "常规...\tCtrl+K", "界面...", "文件处理...", "性能...", "光标...",
                        "透明度与色域...", "单位与标尺...", "参考线、网格和切片...", "增效工具...",
                        "文字...", "3D..." } } },
            { 301,
                { "831", 1860, 240,
                    { "位图", "灰度", "双色调", "索引颜色", "RGB 颜色", "CMYK 颜色", "Lab 颜色",
                        "多通道", "8 位/通道", "16 位/通道", "32 位/通道", "颜色表..." } } },
            { 302,
                { "46524", 3270, 240,
                    { "亮度/对比度...", "色阶...\tCtrl+L", "曲线...\tCtrl+M", "曝光度...",
                        "自然饱和度...", "色相/饱和度...\tCtrl+U", "色彩平衡...\tCtrl+B",
                        "黑白...\tAlt+Shift+Ctrl+B", "照片滤镜...", "通道混合器...", "反相\tCtrl+I",
                        "色调分离...", "阈值...", "渐变映射...", "可选颜色...", "阴影/高光...",
                        "变化...", "去色\tShift+Ctrl+U", "匹配颜色...", "替换颜色...",
                        "色调均化" } } },
            { 308,
                { "42", 2130, 240,
                    { "180 度", "90 度(顺时针)", "90 度(逆时针)", "任意角度...", "水平翻转画布",
                        "垂直翻转画布" } } },
            { 315, { "2", 2985, 240, { "定义...", "数据组..." } } },
            { 401,
                { "42", 3540, 240,
                    { "图层...\tShift+Ctrl+N", "背景图层", "组...", "从图层建立组...",
                        "通过拷贝的图层\tCtrl+J", "通过剪切的图层\tShift+Ctrl+J" } } },
            { 403, { "2", 1575, 240, { "图层", "隐藏图层" } } },
            { 405,
                { "1A34", 2130, 240,
                    { "混合选项...", "投影...", "内阴影...", "外发光...", "内发光...",
                        "斜面和浮雕...", "光泽...", "颜色叠加...", "渐变叠加...", "图案叠加...",
                        "描边...", "拷贝图层样式", "粘贴图层样式", "清除图层样式", "全局光...",
                        "创建图层", "隐藏所有效果", "缩放效果..." } } },
            { 406,
                { "121", 2040, 240,
                    { "停用智能滤镜", "删除滤镜蒙版", "停用滤镜蒙版", "清除智能滤镜" } } },
            { 407, { "3", 1305, 240, { "纯色...", "渐变...", "图案..." } } },
            { 408,
                { "465", 2220, 240,
                    { "亮度/对比度...", "色阶...", "曲线...", "曝光度...", "自然饱和度...",
                        "色相/饱和度...", "色彩平衡...", "黑白...", "照片滤镜...", "通道混合器...",
                        "反相...", "色调分离...", "阈值...", "渐变映射...", "可选颜色..." } } },
            { 409,
                { "21211", 2760, 240,
                    { "显示全部", "隐藏全部", "从透明区域", "删除", "应用", "启用", "链接" } } },
            { 410,
                { "422", 1680, 240,
                    { "显示全部", "隐藏全部", "当前路径", "删除", "启用", "链接", "从图层新建",
                        "清除" } } },
            { 411,
                { "312", 1680, 240,
                    { "转换为智能对象", "通过拷贝新建", "编辑内容", "导出内容...", "替换内容...",
                        "栅格化" } } },
            { 413,
                { "225112", 2580, 240,
                    { "从文件新建视频图层...", "新建空白视频图层", "插入空白帧", "复制帧", "删除帧",
                        "替换素材...", "解释素材...", "隐藏已改变的视频", "恢复帧", "恢复所有帧",
                        "重新载入帧", "栅格化", "合并视频帧" } } },
            { 414,
                { "72", 1680, 240,
                    { "文字", "形状", "填充内容", "矢量蒙版", "智能对象", "视频", "3D", "图层",
                        "所有图层" } } },
            { 418,
                { "5", 2715, 240,
                    { "置为顶层\tShift+Ctrl+]", "前移一层\tCtrl+]", "后移一层\tCtrl+[",
                        "置为底层\tShift+Ctrl+[", "反向" } } },
            { 419,
                { "33", 1965, 285, { "顶边", "垂直居中", "底边", "左边", "水平居中", "右边" } } },
            { 420,
                { "33", 1965, 285, { "顶边", "垂直居中", "底边", "左边", "水平居中", "右边" } } },
            { 421,
                { "1421211", 2850, 240,
                    { "合并形状", "减去顶层形状", "与形状区域相交", "排除重叠形状", "合并形状组件",
                        "对齐左边", "对齐右边", "水平居中", "顶边", "底边", "垂直居中",
                        "按宽度分布" } } },
            { 427, { "3", 1755, 240, { "去边...", "移去黑色杂边", "移去白色杂边" } } },
            { 510,
                { "5", 2265, 240,
                    { "边界...", "平滑...", "扩展...", "收缩...", "羽化...\tShift+F6" } } },
            { 606,
                { "9", 1575, 240,
                    { "查找边缘", "等高线...", "风...", "浮雕效果...", "扩散...", "拼贴...",
                        "曝光过度", "凸出...", "照亮边缘..." } } },
            { 607,
                { "8", 1575, 240,
                    { "成角的线条...", "墨水轮廓...", "喷溅...", "喷色描边...", "强化的边缘...",
                        "深色线条...", "烟灰墨...", "阴影线..." } } },
            { 608,
                { "B", 1575, 240,
                    { "表面模糊...", "动感模糊...", "方框模糊...", "高斯模糊...", "进一步模糊",
                        "径向模糊...", "镜头模糊...", "模糊", "平均", "特殊模糊...",
                        "形状模糊..." } } },
            { 609,
                { "D", 1575, 240,
                    { "波浪...", "波纹...", "玻璃...", "海洋波纹...", "极坐标...", "挤压...",
                        "扩散亮光...", "切变...", "球面化...", "水波...", "旋转扭曲...", "置换...",
                        "镜头校正..." } } },
            { 610,
                { "5", 2715, 240,
                    { "USM 锐化...", "进一步锐化", "锐化", "锐化边缘", "智能锐化..." } } },
            { 611, { "2", 1575, 240, { "NTSC 颜色", "逐行..." } } },
            { 612,
                { "E", 1575, 240,
                    { "半调图案...", "便条纸...", "粉笔和炭笔...", "铬黄...", "绘图笔...",
                        "基底凸现...", "水彩画纸...", "撕边...", "塑料效果...", "炭笔...",
                        "炭精笔...", "图章...", "网状...", "影印..." } } },
            { 613,
                { "6", 2250, 240,
                    { "龟裂缝...", "颗粒...", "马赛克拼贴...", "拼缀图...", "染色玻璃...",
                        "纹理化..." } } },
            { 614,
                { "7", 3075, 240,
                    { "彩块化", "彩色半调...", "点状化...", "晶格化...", "马赛克...", "碎片",
                        "铜版雕刻..." } } },
            { 615,
                { "5", 2715, 240,
                    { "分层云彩", "光照效果...", "镜头光晕...", "纤维...", "云彩" } } },
            { 616,
                { "F", 4185, 240,
                    { "壁画...", "彩色铅笔...", "粗糙蜡笔...", "底纹效果...", "调色刀...",
                        "干画笔...", "海报边缘...", "海绵...", "绘画涂抹...", "胶片颗粒...",
                        "木刻...", "霓虹灯光...", "水彩...", "塑料包装...", "涂抹棒..." } } },
            { 617,
                { "5", 2715, 240,
                    { "减少杂色...", "蒙尘与划痕...", "去斑", "添加杂色...", "中间值..." } } },
            { 618,
                { "5", 2715, 240,
                    { "高反差保留...", "位移...", "自定...", "最大值...", "最小值..." } } },
            { 619, { "2", 1575, 240, { "嵌入水印...", "读取水印..." } } },
            { 701, { "2", 1575, 240, { "默认", "自定..." } } },
            { 702, { "1", 1575, 240, { "自定..." } } },
            { 803,
                { "B", 1575, 240,
                    { "锥形", "立方体环绕", "立方体", "圆柱体", "圆环", "帽子", "金字塔", "环形",
                        "汽水", "球体", "球面全景" } } },
            { 804, { "4", 1545, 240, { "平面", "双面平面", "圆柱体", "球体" } } },
            { 812,
                { "7", 3075, 240,
                    { "漫射", "凹凸", "镜面", "不透明度", "反光度", "自发光", "反射" } } },
            { 901,
                { "1632", 2310, 240,
                    { "自定...", "工作中的 CMYK", "工作中的青版", "工作中的洋红版", "工作中的黄版",
                        "工作中的黑版", "工作中的 CMY 版", "旧版 RGB", "Internet 标准 RGB",
                        "显示器 RGB", "色盲-红色盲型", "色盲-绿色盲型" } } },
            { 904,
                { "39", 3210, 240,
                    { "自定像素长宽比...", "删除像素长宽比...", "复位像素长宽比...", "方形",
                        "D1/DV NTSC (0.91)", "D1/DV PAL (1.09)", "D1/DV NTSC 宽银幕 (1.21)",
                        "HDV 1080/DVCPRO HD 720 (1.33)", "D1/DV PAL 宽银幕 (1.46)", "变形 2:1 (2)",
                        "DVCPRO HD 1080 (1.5)", "自定 (1.2)" } } },
            { 912, { "3", 4500, 240, { "标准屏幕模式", "带有菜单栏的全屏模式", "全屏模式" } } },
            { 914,
                { "A21", 3000, 240,
                    { "图层边缘", "选区边缘", "目标路径\tShift+Ctrl+H", "网格\tCtrl+'",
                        "参考线\tCtrl+;", "智能参考线", "切片", "注释", "像素网格", "3D 副视图",
                        "3D 地面", "3D 光源", "显示额外选项..." } } },
            { 917,
                { "52", 1680, 240,
                    { "参考线", "网格", "图层", "切片", "文档边界", "全部", "无" } } },
            { 1001,
                { "541", 3120, 240,
                    { "层叠", "平铺", "在窗口中浮动", "使所有内容在窗口中浮动",
                        "将所有内容合并到选项卡中", "匹配缩放", "匹配位置", "匹配旋转", "全部匹配",
                        "为 风景.jpg 新建窗口" } } },
            { 1002,
                { "23921", 2670, 240,
                    { "基本功能（默认）", "新增功能", "3D", "动感", "绘画", "摄影", "排版规则",
                        "设计", "校样", "视频", "网页", "自定 1", "自定 2", "自定 3",
                        "复位基本功能", "新建工作区...", "删除工作区..." } } },
            { 1109,
                { "6", 3450, 240,
                    { "认识工作区", "打开和存储文件", "使用工具", "撤销操作", "使用面板",
                        "设置首选项" } } },
            { 1110, { "3", 4500, 240, { "选框工具", "套索工具", "魔棒工具" } } },
            { 1111, { "1", 1575, 240, { "图层基础" } } },
            { 1112,
                { "C", 3450, 240,
                    { "颜色模式", "前景色和背景色", "拾色器", "色板", "色阶", "曲线", "色相/饱和度",
                        "色彩平衡", "黑白", "去色", "反相", "变化" } } },
            { 1113,
                { "7", 3075, 240,
                    { "画笔工具", "铅笔工具", "仿制图章工具", "修复画笔工具", "渐变工具",
                        "油漆桶工具", "橡皮擦工具" } } },
            { 1114,
                { "6", 3450, 240,
                    { "输入文字", "段落文字", "文字变形", "字符面板", "段落面板", "文字图层" } } },
            { 1115, { "2", 2985, 240, { "滤镜库", "智能滤镜" } } },
            { 1116,
                { "7", 3075, 240,
                    { "钢笔工具", "锚点", "路径面板", "路径与选区", "描边路径", "填充路径",
                        "形状图层" } } },
            { 1117, { "3", 4500, 240, { "录制动作", "播放动作", "批处理" } } },
            { 1118, { "3", 4500, 240, { "页面设置", "打印预览", "打印选项" } } },
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

const BarDropDown* barDropDown(int hotspot)
{
    static const std::map<int, BarDropDown> table = [] {
        std::map<int, BarDropDown> t;
        auto rows = [](int left, int width, int height, std::initializer_list<int> tops) {
            std::vector<QRect> r;
            for (const int top : tops)
                r.push_back(twips(left, top, width, height));
            return r;
        };
        t[13] = { { 98, 70 }, rows(15, 1410, 300, { 45, 360, 720 }),
            { "显示参考线", "显示网格", "显示标尺" } };
        t[14] = { { 68, 76 }, rows(45, 930, 240, { 45, 315, 585, 855 }),
            { "25%", "50%", "100%", "200%" } };
        std::vector<QRect> grid;
        for (int i = 1; i <= 20; ++i)
            grid.push_back(
                twips(90 + ((i - 1) % 4) * 540, i <= 4 ? 90 : 195 + ((i - 1) / 4) * 480, 420, 375));
        for (const QRect& r : rows(75, 2220, 270, { 2610, 2880, 3180, 3450, 3750, 4020, 4290 }))
            grid.push_back(r);
        QStringList gridTexts(20, QString());
        gridTexts << "全部合并到选项卡中"
                  << "使所有内容在窗口中浮动"
                  << "新建窗口"
                  << "实际像素"
                  << "按屏幕大小缩放"
                  << "匹配缩放"
                  << "匹配位置";
        t[18] = { { 158, 308 }, grid, gridTexts };
        t[19] = { { 158, 68 }, rows(15, 2325, 300, { 45, 360, 675 }),
            { "标准屏幕模式", "带有菜单栏的全屏模式", "全屏模式" } };
        t[20] = { { 140, 276 },
            rows(45, 2010, 270,
                { 45, 315, 585, 990, 1260, 1530, 1800, 2070, 2340, 2610, 2880, 3150, 3555, 3825 }),
            { "基本功能（默认）", "新增功能", "3D", "动感", "绘画", "摄影", "排版规则", "设计",
                "校样", "视频", "网页", "自定", "复位基本功能", "新建工作区..." } };
        t[21] = { { 220, 150 }, {}, {} };
        t[23] = { { 72, 34 }, rows(15, 1035, 240, { 15, 255 }), { "消除锯齿", "不消除锯齿" } };
        return t;
    }();
    const auto found = table.find(hotspot);
    return found == table.end() ? nullptr : &found->second;
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

namespace {

    // Every key press the key check's shortcut table gives to a command the simulated window
    // has: menu items, second-level items and tools.
    const std::set<std::pair<int, int>>& shortcutKeys()
    {
        static const std::set<std::pair<int, int>> keys = [] {
            std::set<std::pair<int, int>> t;
            auto note = [&t](int hotspot, int item, int sub) {
                if (const auto k = shortcutOfPath(hotspot, item, sub))
                    t.insert({ k->keyCode, k->mask });
            };
            for (int h = 1; h <= 67; ++h) {
                note(h, 0, 0);
                if (!hasDropDown(h))
                    continue;
                for (int item = 1; item <= dropDownItemCount(h); ++item) {
                    note(h, item, 0);
                    if (secondLevel(h, item))
                        for (int sub = 1; sub <= secondLevelItemCount(h, item); ++sub)
                            note(h, item, sub);
                }
            }
            return t;
        }();
        return keys;
    }

} // namespace

std::optional<KeyPress> shortcutOfPath(int hotspot, int item, int sub)
{
    const QString path = QString("H%1%2%3000")
                             .arg(hotspot, 2, 10, QChar('0'))
                             .arg(item, 2, 10, QChar('0'))
                             .arg(sub, 2, 10, QChar('0'));
    const auto k = workspace::shortcuts::shortcutOf(path);
    if (!k)
        return std::nullopt;
    return KeyPress { k->keyCode, k->shift };
}

bool inShortcutTable(int keyCode, int mask) { return shortcutKeys().count({ keyCode, mask }) != 0; }

KeyPress keyOfCode(const QString& code, int where)
{
    if (code.size() != 4 || code[0] != u'6')
        return {};
    for (const QChar c : code)
        if (!c.isDigit())
            return {};
    using workspace::shortcuts::KeyPlace;
    const KeyPlace place = where == 0 ? KeyPlace::ActionCode
        : where == 86                 ? KeyPlace::Field86
        : where == 91                 ? KeyPlace::Field91
                                      : KeyPlace::Field96;
    const auto k = workspace::shortcuts::expectedKey(code.toInt(), place);
    if (!k)
        return {};
    return KeyPress { k->keyCode, k->shift };
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
