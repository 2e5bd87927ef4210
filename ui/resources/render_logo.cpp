// Renders a drawing into a picture file: the logo the window loads (a JPEG on white, at the
// drawing's size), or the window's icon (a PNG on transparent, at the size given).
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: render-logo DRAWING.svg PICTURE.jpg|PICTURE.png [SIZE]\n";
        return 2;
    }
    const QGuiApplication application(argc, argv);  // fonts for the drawing's text
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    if (!drawing.isValid()) {
        std::cerr << "render-logo: cannot read " << argv[1] << "\n";
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    const bool png = output.endsWith(".png");
    const int side = argc == 4 ? QString::fromLocal8Bit(argv[3]).toInt() : 0;
    const QSize size = side > 0 ? QSize(side, side) : drawing.defaultSize();
    QImage picture(size, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.fill(png ? Qt::transparent : Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    constexpr int kQuality = 92;
    if (!picture.save(output, png ? "PNG" : "JPG", kQuality)) {
        std::cerr << "render-logo: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
