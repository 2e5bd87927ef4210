// Renders the logo drawing into the picture file the window loads, at the picture box's size.
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: render-logo DRAWING.svg PICTURE.jpg\n";
        return 2;
    }
    const QGuiApplication application(argc, argv);  // fonts for the drawing's text
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    if (!drawing.isValid()) {
        std::cerr << "render-logo: cannot read " << argv[1] << "\n";
        return 1;
    }
    QImage picture(drawing.defaultSize(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    constexpr int kQuality = 92;
    if (!picture.save(QString::fromLocal8Bit(argv[2]), "JPG", kQuality)) {
        std::cerr << "render-logo: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
