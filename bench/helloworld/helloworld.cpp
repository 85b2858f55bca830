// The reference for the start-up comparison: the least a Qt Widgets program does to show an
// 800x600 window with Chinese text.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("你好，世界：全国专业技术人员计算机应用能力考试练习系统"));
    window.setWindowTitle(QStringLiteral("你好，世界"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
