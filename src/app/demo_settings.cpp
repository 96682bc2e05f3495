// veltrano-demo-settings FOLDER: writes the demo working folder's company data and
// settings where they are missing, and its cover picture COPERTINA.jpg. Used by
// scripts/demo on first use; the register movements come from veltrano-admin demo.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <iostream>

#include "core/file_io.h"
#include "core/folders.h"
#include "shell/clock.h"
#include "shell/demo_data.h"

namespace {

// A cover in the brewery's colours: amber beer under a cream head, and the name.
bool WriteCover(const QString& path) {
    QImage img(830, 560, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient beer(0, 0, 0, img.height());
    beer.setColorAt(0.0, QColor(0xF6, 0xEE, 0xD9));
    beer.setColorAt(0.22, QColor(0xF1, 0xE3, 0xC0));
    beer.setColorAt(0.23, QColor(0xE8, 0xA3, 0x2E));
    beer.setColorAt(1.0, QColor(0x8A, 0x4B, 0x0C));
    p.fillRect(img.rect(), beer);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    const int bubbles[][3] = {{120, 300, 9},  {180, 420, 6}, {260, 360, 11}, {610, 330, 8},
                              {700, 450, 12}, {540, 480, 5}, {400, 500, 7},  {760, 280, 6}};
    for (const auto& b : bubbles)
        p.drawEllipse(QPoint(b[0], b[1]), b[2], b[2]);
    p.setPen(QColor(0x3B, 0x1F, 0x05));
    QFont title(QStringLiteral("Liberation Serif"), 54, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 210, img.width(), 100), Qt::AlignCenter, QStringLiteral("VELTRANO"));
    QFont sub(QStringLiteral("Liberation Sans"), 17);
    p.setFont(sub);
    p.drawText(QRect(0, 305, img.width(), 40), Qt::AlignCenter,
               QStringLiteral("Birrificio Valle dell'Orso \u2014 deposito fiscale"));
    p.end();
    return img.save(path, "JPG", 90);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "uso: veltrano-demo-settings CARTELLA\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        using namespace veltrano;
        const std::string folder = argv[1];
        const Folders folders = Folders::At(folder, DefaultTempFolder());
        const int written = WriteDemoSettings(folders, SystemClock().today());
        const std::string cover = JoinPath(folder, "COPERTINA.jpg");
        if (!FileExists(cover) && !WriteCover(QString::fromStdString(cover))) {
            std::cerr << "COPERTINA.jpg non scritta\n";
        }
        std::cout << "dati e impostazioni demo: " << written << " file scritti in " << folder
                  << "\n";
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
