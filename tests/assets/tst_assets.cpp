// The compiled-in pictures: present in every program that links them, of the sizes the windows are laid
// out for, and exact where colours are picked or patterns are fixed (colour strip, four textures).
#include "assets/Assets.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {
const char *const MenuStems[] = {"page", "color", "txt",  "pic",   "Recline", "hide", "save",
                                 "View", "set",   "help", "about", "exit",    "print"};

QImage load(const QString &path)
{
    QImage image(path);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Every alpha value is 0 or 255, as in a GIF.
bool binaryAlpha(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0 && qAlpha(image.pixel(x, y)) != 255)
                return false;
    return true;
}

int countTransparent(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) == 0;
    return n;
}

// Mean absolute difference of two pictures of the same size, per channel.
double difference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * a.width() * a.height());
}

double pixelStep(QRgb p, QRgb q)
{
    return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
}
} // namespace

class TstAssets : public QObject {
    Q_OBJECT
private slots:
    void sizes_data();
    void sizes();
    void paletteTellingPixels_data();
    void paletteTellingPixels();
    void paletteRows();
    void paletteGreyRamp();
    void exactTextures_data();
    void exactTextures();
    void describedTextures_data();
    void describedTextures();
    void ringsTextureUsesItsTwoColours();
    void logoHasOneTransparentColour();
    void pointers_data();
    void pointers();
    void menuStatesLookApart_data();
    void menuStatesLookApart();
};

void TstAssets::sizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparency"); // PNG with clear pixels, or an opaque bitmap

    QTest::newRow("splash") << Assets::Splash << QSize(425, 213) << false;
    QTest::newRow("title bar") << Assets::TitleBar << QSize(800, 20) << false;
    QTest::newRow("work tile") << Assets::WorkTile << QSize(60, 60) << false;
    QTest::newRow("palette") << Assets::Palette << QSize(198, 15) << false;
    QTest::newRow("logo") << Assets::Logo << QSize(80, 65) << true;
    QTest::newRow("sample card") << Assets::SampleCard << QSize(340, 207) << false;
    QTest::newRow("help banner") << Assets::HelpBanner << QSize(226, 48) << false;
    QTest::newRow("menu pointer") << Assets::MenuCursor << QSize(32, 32) << true;
    QTest::newRow("closed hand") << Assets::GrabCursor << QSize(32, 32) << true;
    QTest::newRow("open hand") << Assets::HandCursor << QSize(32, 32) << true;
    for (const char *stem : MenuStems)
        for (int state = 0; state < 3; ++state)
            QTest::addRow("menu %s%d", stem, state)
                << Assets::menuPicture(stem, state) << QSize(54, 21) << true;
    for (int i = 0; i < 12; ++i)
        QTest::addRow("texture %d", i) << Assets::texture(i) << QSize(32, 32) << false;
}

void TstAssets::sizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, transparency);
    QVERIFY2(QFile::exists(path), qPrintable(path + " is not compiled in"));
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), transparency);
    if (transparency)
        QVERIFY(binaryAlpha(load(path)));
}

void TstAssets::paletteTellingPixels_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("colour");
    struct Telling {
        int column;
        QColor row0, row7, row14;
    };
    const Telling table[] = {
        {0, {251, 222, 209}, {213, 11, 39}, {46, 6, 0}},
        {31, {255, 252, 226}, {255, 240, 25}, {51, 50, 10}},
        {57, {222, 239, 225}, {4, 165, 72}, {1, 38, 15}},
        {94, {214, 239, 250}, {0, 160, 224}, {0, 36, 53}},
        {121, {210, 215, 234}, {0, 58, 134}, {2, 0, 30}},
        {155, {245, 223, 235}, {192, 0, 122}, {44, 0, 25}},
        {189, {251, 222, 209}, {213, 11, 39}, {46, 6, 0}},
    };
    for (const Telling &t : table) {
        QTest::addRow("column %d row 0", t.column) << t.column << 0 << t.row0;
        QTest::addRow("column %d row 7", t.column) << t.column << 7 << t.row7;
        QTest::addRow("column %d row 14", t.column) << t.column << 14 << t.row14;
    }
}

void TstAssets::paletteTellingPixels()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QColor, colour);
    const QColor got = QColor(QImage(Assets::Palette).pixel(column, row));
    QVERIFY2(std::abs(got.red() - colour.red()) <= 1 && std::abs(got.green() - colour.green()) <= 1 &&
                 std::abs(got.blue() - colour.blue()) <= 1,
             qPrintable(QStringLiteral("(%1, %2, %3)").arg(got.red()).arg(got.green()).arg(got.blue())));
}

// Down every column of the hue band the colour gets darker: a pale tint at the top, nearly black at the
// bottom; the band starts and ends on the same red.
void TstAssets::paletteRows()
{
    const QImage strip(Assets::Palette);
    for (int x = 0; x < 190; ++x) {
        for (int y = 1; y < 15; ++y) {
            const QRgb above = strip.pixel(x, y - 1), here = strip.pixel(x, y);
            QVERIFY2(qRed(here) + qGreen(here) + qBlue(here) < qRed(above) + qGreen(above) + qBlue(above),
                     qPrintable(QStringLiteral("column %1 row %2").arg(x).arg(y)));
        }
        const QRgb top = strip.pixel(x, 0), bottom = strip.pixel(x, 14);
        QVERIFY(std::max({qRed(top), qGreen(top), qBlue(top)}) >= 200);
        QVERIFY(std::max({qRed(bottom), qGreen(bottom), qBlue(bottom)}) <= 60);
    }
    for (int y = 0; y < 15; ++y)
        QCOMPARE(strip.pixel(189, y), strip.pixel(0, y));
}

void TstAssets::paletteGreyRamp()
{
    const QImage strip(Assets::Palette);
    const int levels[15] = {255, 255, 235, 216, 196, 177, 157, 137, 118, 98, 78, 59, 39, 20, 0};
    for (int x = 190; x < 198; ++x) {
        for (int y = 0; y < 15; ++y) {
            const QRgb p = strip.pixel(x, y);
            for (int channel : {qRed(p), qGreen(p), qBlue(p)})
                QVERIFY2(std::abs(channel - levels[y]) <= 1,
                         qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
}

void TstAssets::exactTextures_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("0 stripes") << 0;
    QTest::newRow("2 dots") << 2;
    QTest::newRow("10 diamonds") << 10;
    QTest::newRow("11 Greek key") << 11;
}

void TstAssets::exactTextures()
{
    QFETCH(int, index);
    static const char *const Meander[8] = {"LLLLLLDL", "DDDDDLDL", "DLLLDLDL", "DLDDDLDL",
                                           "DLDLLLDL", "DLDDDDDL", "DLLLLLLL", "DDDDDDDL"};
    const QRgb white = qRgb(255, 255, 255);
    const auto expected = [index, white](int x, int y) -> QRgb {
        const int u = x % 8, v = y % 8;
        switch (index) {
        case 0:
            return y % 2 == 0 ? qRgb(204, 204, 204) : white;
        case 2:
            return x % 4 == 0 && y % 4 == 0 ? qRgb(228, 204, 163) : white;
        case 10:
            return std::abs(u - 3) + std::abs(v - 3) <= 3 && (u + v) % 2 == 1 ? qRgb(122, 122, 122)
                                                                              : qRgb(175, 178, 231);
        default:
            return Meander[v][u] == 'D' ? qRgb(192, 136, 116) : qRgb(219, 180, 155);
        }
    };
    const QImage texture(Assets::texture(index));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            QVERIFY2((texture.pixel(x, y) & 0xffffff) == (expected(x, y) & 0xffffff),
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
}

void TstAssets::describedTextures_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("average");
    QTest::newRow("1 parchment") << 1 << QColor(230, 218, 207);
    QTest::newRow("3 crackle") << 3 << QColor(218, 214, 231);
    QTest::newRow("4 wood") << 4 << QColor(222, 177, 121);
    QTest::newRow("5 silver waves") << 5 << QColor(198, 198, 198);
    QTest::newRow("7 mauve") << 7 << QColor(162, 124, 160);
    QTest::newRow("8 plaster") << 8 << QColor(241, 241, 241);
    QTest::newRow("9 granite") << 9 << QColor(152, 166, 178);
}

// The average colour is the described one, and tiling shows no seam: the step from the last column to
// the first (and the last row to the first) is no larger than the steps inside the texture.
void TstAssets::describedTextures()
{
    QFETCH(int, index);
    QFETCH(QColor, average);
    const QImage texture(Assets::texture(index));
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            r += qRed(texture.pixel(x, y));
            g += qGreen(texture.pixel(x, y));
            b += qBlue(texture.pixel(x, y));
        }
    }
    QVERIFY2(std::abs(r / 1024 - average.red()) <= 6 && std::abs(g / 1024 - average.green()) <= 6 &&
                 std::abs(b / 1024 - average.blue()) <= 6,
             qPrintable(QStringLiteral("(%1, %2, %3)").arg(r / 1024).arg(g / 1024).arg(b / 1024)));

    double inside = 0, seam = 0;
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 31; ++j)
            inside += pixelStep(texture.pixel(j, i), texture.pixel(j + 1, i)) +
                      pixelStep(texture.pixel(i, j), texture.pixel(i, j + 1));
        seam += pixelStep(texture.pixel(31, i), texture.pixel(0, i)) +
                pixelStep(texture.pixel(i, 31), texture.pixel(i, 0));
    }
    inside /= 2 * 32 * 31;
    seam /= 2 * 32;
    QVERIFY2(seam <= 1.5 * inside + 1,
             qPrintable(QStringLiteral("seam %1, inside %2").arg(seam).arg(inside)));
}

// Orange ground and light-apricot rings: both colours appear, and nothing lies outside the blend of them.
void TstAssets::ringsTextureUsesItsTwoColours()
{
    const QImage texture(Assets::texture(6));
    const QColor orange(247, 148, 29), apricot(253, 198, 137);
    int ground = 0, ring = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor c(texture.pixel(x, y));
            ground += c == orange;
            ring += c == apricot;
            // Blue spans the widest range, so it tells best how far along the blend a pixel is.
            const double t = double(c.blue() - orange.blue()) / (apricot.blue() - orange.blue());
            QVERIFY(t >= 0 && t <= 1);
            QVERIFY(std::abs(c.red() - (orange.red() + t * (apricot.red() - orange.red()))) <= 1.5);
            QVERIFY(std::abs(c.green() - (orange.green() + t * (apricot.green() - orange.green()))) <= 1.5);
        }
    }
    QVERIFY(ground > 32 * 32 / 2);
    QVERIFY(ring > 0);
}

// Like a GIF logo: one colour is fully transparent and shows the card, every other pixel is opaque.
void TstAssets::logoHasOneTransparentColour()
{
    const QImage logo = load(Assets::Logo);
    QSet<QRgb> clear;
    int opaque = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb p = logo.pixel(x, y);
            if (qAlpha(p) == 0)
                clear.insert(p);
            else
                opaque += qAlpha(p) == 255;
        }
    }
    QCOMPARE(clear.size(), 1);
    QCOMPARE(opaque + countTransparent(logo), 80 * 65);
    QVERIFY(opaque > 80 * 65 / 5);
    QCOMPARE(qAlpha(logo.pixel(0, 0)), 0); // the corners show the card
}

void TstAssets::pointers_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("hotSpot");
    QTest::newRow("menu") << Assets::MenuCursor << QPoint(Assets::MenuCursorHotX, Assets::MenuCursorHotY);
    QTest::newRow("closed hand") << Assets::GrabCursor
                                 << QPoint(Assets::GrabCursorHotX, Assets::GrabCursorHotY);
    QTest::newRow("open hand") << Assets::HandCursor
                               << QPoint(Assets::HandCursorHotX, Assets::HandCursorHotY);
}

// The hot spot lies on the drawn hand, and the rest of the square is see-through.
void TstAssets::pointers()
{
    QFETCH(QString, path);
    QFETCH(QPoint, hotSpot);
    const QImage pointer = load(path);
    QCOMPARE(qAlpha(pointer.pixel(hotSpot)), 255);
    QVERIFY(countTransparent(pointer) > 32 * 32 / 2);
}

void TstAssets::menuStatesLookApart_data()
{
    QTest::addColumn<QString>("stem");
    for (const char *stem : MenuStems)
        QTest::newRow(stem) << QString::fromLatin1(stem);
}

// Normal, hover and pressed differ over the whole plate, not in a few pixels.
void TstAssets::menuStatesLookApart()
{
    QFETCH(QString, stem);
    const QByteArray s = stem.toLatin1();
    const QImage normal = load(Assets::menuPicture(s.constData(), 0));
    const QImage hover = load(Assets::menuPicture(s.constData(), 1));
    const QImage pressed = load(Assets::menuPicture(s.constData(), 2));
    QVERIFY(difference(normal, hover) > 12);
    QVERIFY(difference(hover, pressed) > 12);
    QVERIFY(difference(normal, pressed) > 12);
}

QTEST_GUILESS_MAIN(TstAssets)
#include "tst_assets.moc"
