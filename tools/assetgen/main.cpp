// velnor-assetgen DIR: draws every picture of the program into DIR (normally assets/), in the formats
// the program loads: 24-bit BMP for bitmaps, PNG where the picture has transparent pixels. Running it
// again reproduces the files byte for byte.
#include "Pictures.h"
#include "assets/Assets.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {
// The program's resource path ":/assets/x" is the file x of the output folder.
bool write(const QDir &dir, const QString &resource, const QImage &image)
{
    const QString name = resource.mid(QStringLiteral(":/assets/").size());
    const QString path = dir.filePath(name);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "velnor-assetgen: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    // Bitmaps are opaque 24-bit; PNGs keep their alpha.
    const bool bitmap = name.endsWith(QLatin1String(".bmp"));
    QImageWriter writer(path, bitmap ? "bmp" : "png");
    const QImage out =
        bitmap ? image.convertToFormat(QImage::Format_RGB32) : image.convertToFormat(QImage::Format_ARGB32);
    if (!writer.write(out)) {
        std::fprintf(stderr, "velnor-assetgen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

// The icon files of the desktop's icon theme: icons/hicolor/<size>/apps/<id>.png and
// icons/hicolor/scalable/apps/<id>.svg (installed as they lie, under share/).
bool writeIcons(const QDir &dir)
{
    const QString id = QStringLiteral(VELNOR_APP_ID);
    bool ok = true;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            dir.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImageWriter writer(path, "png");
        if (!writer.write(Pictures::appIcon(size))) {
            std::fprintf(stderr, "velnor-assetgen: cannot write %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            ok = false;
        }
    }
    const QString svg = dir.filePath(QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(id));
    QDir().mkpath(QFileInfo(svg).absolutePath());
    QFile file(svg);
    const QByteArray text = Pictures::appIconSvg();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush()) {
        std::fprintf(stderr, "velnor-assetgen: cannot write %s\n", qPrintable(svg));
        ok = false;
    }
    return ok;
}

// The pictures' lettering must come from these exact faces, or the output would differ by machine.
bool fontsPresent()
{
    using namespace Pictures;
    bool ok = true;
    const QPair<QString, QString> wanted[] = {{Fonts::Song, Fonts::SongFace},
                                              {Fonts::Sans, Fonts::Sans},
                                              {Fonts::Serif, Fonts::Serif},
                                              {Fonts::Latin, Fonts::Latin}};
    for (const auto &w : wanted) {
        const QString got = QFontInfo(font(w.first, 12)).family();
        if (got != w.second) {
            std::fprintf(stderr, "velnor-assetgen: font \"%s\" resolves to \"%s\", need \"%s\"\n",
                         qPrintable(w.first), qPrintable(got), qPrintable(w.second));
            ok = false;
        }
    }
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    // No display is needed, and the offscreen platform draws the same everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velnor-assetgen OUTPUT_DIR\n");
        return 2;
    }
    QFont::insertSubstitution(Pictures::Fonts::Song, Pictures::Fonts::SongFace);
    if (!fontsPresent())
        return 1;

    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    ok &= write(dir, Assets::Splash, Pictures::splash());
    ok &= write(dir, Assets::TitleBar, Pictures::titleBar());
    ok &= write(dir, Assets::WorkTile, Pictures::workTile());
    ok &= write(dir, Assets::Palette, Pictures::paletteStrip());
    ok &= write(dir, Assets::Logo, Pictures::logo());
    ok &= write(dir, Assets::SampleCard, Pictures::sampleCard());
    ok &= write(dir, Assets::HelpBanner, Pictures::helpBanner());
    ok &= write(dir, Assets::MenuCursor, Pictures::menuCursor());
    ok &= write(dir, Assets::GrabCursor, Pictures::grabCursor());
    ok &= write(dir, Assets::HandCursor, Pictures::handCursor());
    int count = 0;
    const Pictures::MenuItem *items = Pictures::menuItems(&count);
    for (int i = 0; i < count; ++i) {
        for (int state = 0; state < 3; ++state) {
            ok &=
                write(dir, Assets::menuPicture(items[i].stem, state), Pictures::menuPicture(items[i], state));
        }
    }
    for (int i = 0; i < 12; ++i)
        ok &= write(dir, Assets::texture(i), Pictures::texture(i));
    ok &= writeIcons(dir);
    return ok ? 0 : 1;
}
