// Pictures from files: the file list's pattern, stepping through a folder into the logo or the page,
// broken and unreadable files and folders, and the page panel's way into the picture panel.
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "editing/PagePanel.h"
#include "editing/PictureFile.h"
#include "editing/PicturePanel.h"

#include "support/MessageAnswers.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {
// A GIF with a four-colour table, written without compression: a clear code before every second pixel
// keeps the codes three bits wide. Sizes are what the header claims; pixels the indices actually coded.
QByteArray makeGif(int width, int height, const QVector<int> &pixels, bool terminate = true)
{
    QByteArray d("GIF89a");
    auto u16 = [&d](int v) { d.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    u16(width);
    u16(height);
    d.append(char(0x81)).append(char(0)).append(char(0)); // global table of 4 colours
    for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)})
        d.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    d.append(char(0x2C));
    u16(0);
    u16(0);
    u16(width);
    u16(height);
    d.append(char(0));
    d.append(char(2)); // minimum code size
    QByteArray codes;
    quint32 buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= quint32(code) << bits;
        bits += 3;
        while (bits >= 8) {
            codes.append(char(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (int i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            put(4);
        put(pixels[i]);
    }
    put(5);
    if (bits > 0)
        codes.append(char(buffer & 0xFF));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        d.append(char(block.size())).append(block);
    }
    if (terminate)
        d.append(char(0)).append(char(0x3B));
    return d;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

QImage filled(int w, int h, QColor c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A picture whose every pixel differs from its neighbours', so a shift or a stretch shows.
QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64));
    return image;
}

QVector<int> indices(int count)
{
    QVector<int> v;
    for (int i = 0; i < count; ++i)
        v.append(i % 4);
    return v;
}

void write(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TstPictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }
    void init();
    void cleanup();

    void pattern_data();
    void pattern();
    void fileListShowsOnlyMatchingNames();
    void badFiles_data();
    void badFiles();
    void arrowKeysStepThroughAFolderIntoTheLogo();
    void clickingTheChosenFileAgainLoadsItAgain();
    void pagePictures_data();
    void pagePictures();
    void brokenPageFileChangesNothing();
    void unreadableDirectoryKeepsTheLists();
    void directoryListChangesOnDoubleClick();
    void customButtonAimsAtThePage();

private:
    QListWidget *files() const { return m_panel->findChild<QListWidget *>(QStringLiteral("File1")); }
    QString fileShow() const { return m_panel->findChild<QLabel *>(QStringLiteral("FileShow"))->text(); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i)
            names.append(files()->item(i)->text());
        return names;
    }
    void clickFile(const QString &name)
    {
        const auto found = files()->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect r = files()->visualItemRect(found[0]);
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<QWidget> m_window;
    PicturePanel *m_panel = nullptr;
};

void TstPictures::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 500);
    m_panel = new PicturePanel(m_card.get(), m_window.get());
    Panel::setGeometryTwips(m_panel, 0, 0, 2955, 5655);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstPictures::cleanup()
{
    m_window.reset();
    m_card.reset();
    m_dir.reset();
}

void TstPictures::pattern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("bmp") << "a.bmp" << true;
    QTest::newRow("upper case") << "B.BMP" << true;
    QTest::newRow("mixed case jpg") << "c.JpG" << true;
    QTest::newRow("gif") << "d.gif" << true;
    QTest::newRow("jpeg") << "e.jpeg" << false;
    QTest::newRow("png") << "f.png" << false;
    QTest::newRow("suffix inside") << "g.bmp.txt" << false;
    QTest::newRow("no dot") << "hbmp" << false;
}

void TstPictures::pattern()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QCOMPARE(PictureFile::matchesPattern(name), listed);
}

void TstPictures::fileListShowsOnlyMatchingNames()
{
    const QDir dir(m_dir->path());
    for (const char *name : {"b.BMP", "a.bmp", "c.JpG", "d.gif", "e.jpeg", "f.png", "g.bmp.txt", "H.GIF"})
        write(dir.filePath(QLatin1String(name)), "x");
    QVERIFY(dir.mkdir(QStringLiteral("folder.bmp"))); // a directory is no file
    QVERIFY(m_panel->setDirectory(dir.path()));
    QCOMPARE(listed(), (QStringList{"a.bmp", "b.BMP", "c.JpG", "d.gif", "H.GIF"}));
    QCOMPARE(files()->currentRow(), -1); // none chosen
    QCOMPARE(fileShow(), dir.path());
}

void TstPictures::badFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("loads");
    const QByteArray bmp = encoded(filled(60, 40, Qt::red), "bmp");
    const QByteArray jpg = encoded(gradient(64, 48), "jpg");
    const QByteArray gif = makeGif(8, 6, indices(48));
    QTest::newRow("whole BMP") << bmp << true;
    QTest::newRow("BMP cut short") << bmp.left(200) << false;
    QTest::newRow("BMP short by one row") << bmp.left(bmp.size() - 60 * 3) << false;
    QTest::newRow("whole GIF") << gif << true;
    QTest::newRow("GIF without its trailer") << gif.left(gif.size() - 1) << true;
    QTest::newRow("GIF cut in its image data") << gif.left(gif.size() - 4) << false;
    QTest::newRow("GIF header only") << gif.left(13) << false;
    QTest::newRow("whole JPEG") << jpg << true;
    QTest::newRow("JPEG cut short") << jpg.left(jpg.size() / 2) << false;
    QTest::newRow("JPEG without its end") << jpg.left(jpg.size() - 2) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("text") << QByteArray("not a picture at all") << false;
    QTest::newRow("PNG under a picture name") << encoded(filled(4, 4, Qt::blue), "png") << false;
    QTest::newRow("GIF too large to hold") << makeGif(30000, 30000, indices(2)) << false;
}

void TstPictures::badFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, loads);
    const QString path = QDir(m_dir->path()).filePath(QStringLiteral("p.bmp"));
    write(path, data);
    const PictureFile::Result result = PictureFile::load(path);
    QCOMPARE(result.ok(), loads);
    QCOMPARE(result.problem.isEmpty(), loads);
}

void TstPictures::arrowKeysStepThroughAFolderIntoTheLogo()
{
    const QDir dir(m_dir->path());
    const QByteArray bmp = encoded(filled(30, 20, Qt::red), "bmp");
    const QByteArray gif = makeGif(8, 6, indices(48));
    const QByteArray jpg = encoded(gradient(12, 9), "jpg");
    struct Entry {
        const char *name;
        QByteArray data;
        QSize size; // the picture's size, or empty for a file that cannot be loaded
    };
    const Entry entries[] = {
        {"a1.bmp", bmp, {30, 20}},        {"a2.bmp", bmp.left(300), {}},
        {"a3.gif", gif, {8, 6}},          {"a4.gif", gif.left(gif.size() - 4), {}},
        {"a5.jpg", QByteArray(), {}},     {"a6.bmp", encoded(filled(5, 5, Qt::blue), "png"), {}},
        {"a7.jpg", jpg, {12, 9}},         {"a8.jpg", jpg.left(jpg.size() / 2), {}},
        {"a9.gif", "GIF89a garbage", {}}, {"b0.bmp", bmp, {}}, // deleted once listed
    };
    for (const Entry &e : entries)
        write(dir.filePath(QLatin1String(e.name)), e.data);
    QVERIFY(m_panel->setDirectory(dir.path()));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("b0.bmp"))));

    MessageAnswers messages;
    files()->setFocus();
    QSize logo = m_card->logo().size();
    int broken = 0;
    for (int row = 0; row < int(std::size(entries)); ++row) {
        const Entry &e = entries[row];
        QTest::keyClick(files(), Qt::Key_Down);
        QCOMPARE(files()->currentRow(), row);
        QCOMPARE(fileShow(), dir.filePath(QLatin1String(e.name)));
        if (e.size.isEmpty())
            ++broken;
        else
            logo = e.size;
        // A broken file leaves the logo as it was, and says so.
        QCOMPARE(m_card->logo().size(), logo);
        QTRY_COMPARE(messages.texts.size(), broken);
    }
    QCOMPARE(broken, 7);
    for (int i = 0; i < broken; ++i) {
        QCOMPARE(messages.titles[i], QStringLiteral("Velnor图片提示："));
        QVERIFY(messages.texts[i].contains(QStringLiteral("\r\n")));
    }
    // The logo keeps its top-left corner.
    QCOMPARE(m_card->element(ElementId::PicCardLogo).left, 720.0);
    QCOMPARE(m_card->element(ElementId::PicCardLogo).width, 12 * 15.0);
}

void TstPictures::clickingTheChosenFileAgainLoadsItAgain()
{
    const QDir dir(m_dir->path());
    write(dir.filePath(QStringLiteral("one.bmp")), encoded(filled(30, 20, Qt::red), "bmp"));
    write(dir.filePath(QStringLiteral("two.bmp")), encoded(filled(10, 10, Qt::green), "bmp"));
    QVERIFY(m_panel->setDirectory(dir.path()));
    clickFile(QStringLiteral("one.bmp"));
    QCOMPARE(m_card->logo().size(), QSize(30, 20));
    QCOMPARE(fileShow(), dir.filePath(QStringLiteral("one.bmp")));
    m_card->setLogo(filled(3, 3, Qt::black));
    clickFile(QStringLiteral("one.bmp"));
    QCOMPARE(m_card->logo().size(), QSize(30, 20));
    clickFile(QStringLiteral("two.bmp"));
    QCOMPARE(m_card->logo().size(), QSize(10, 10));
}

void TstPictures::pagePictures_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("small, repeats, 背景 unticked") << gradient(23, 17) << false;
    QTest::newRow("larger than the card, once") << gradient(400, 300) << true;
}

void TstPictures::pagePictures()
{
    QFETCH(QImage, picture);
    QFETCH(bool, shownBefore);
    const QDir dir(m_dir->path());
    write(dir.filePath(QStringLiteral("page.bmp")), encoded(picture, "bmp"));
    QVERIFY(m_panel->setDirectory(dir.path()));
    for (int id = 0; id < ElementCount; ++id)
        m_card->setVisible(ElementId(id), false);
    m_card->setBackgroundShown(shownBefore);
    m_panel->findChild<QRadioButton *>(QStringLiteral("OptBG"))->setChecked(true);
    const QImage logo = m_card->logo();

    clickFile(QStringLiteral("page.bmp"));
    QVERIFY(m_card->backgroundShown());
    QCOMPARE(m_card->pictureStore(), picture);
    QCOMPARE(m_card->pagePicture(), picture);
    QCOMPARE(m_card->logo(), logo);
    // Repeated at its natural size from the top-left corner, never stretched.
    const QImage card = renderCard(*m_card);
    for (QPoint p : {QPoint(0, 0), QPoint(30, 20), QPoint(100, 50), QPoint(339, 206)})
        QCOMPARE(card.pixel(p), picture.pixel(p.x() % picture.width(), p.y() % picture.height()));
}

void TstPictures::brokenPageFileChangesNothing()
{
    const QDir dir(m_dir->path());
    write(dir.filePath(QStringLiteral("cut.bmp")), encoded(gradient(50, 50), "bmp").left(500));
    QVERIFY(m_panel->setDirectory(dir.path()));
    m_panel->findChild<QRadioButton *>(QStringLiteral("OptBG"))->setChecked(true);
    m_card->setBackgroundShown(false);
    const QImage before = renderCard(*m_card);
    const QImage store = m_card->pictureStore();
    MessageAnswers messages;
    clickFile(QStringLiteral("cut.bmp"));
    QTRY_COMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains(dir.filePath(QStringLiteral("cut.bmp"))));
    QVERIFY(!m_card->backgroundShown());
    QCOMPARE(m_card->pictureStore(), store);
    QCOMPARE(renderCard(*m_card), before);
}

void TstPictures::unreadableDirectoryKeepsTheLists()
{
    const QDir dir(m_dir->path());
    write(dir.filePath(QStringLiteral("keep.gif")), makeGif(2, 2, indices(4)));
    QVERIFY(m_panel->setDirectory(dir.path()));
    MessageAnswers messages;
    QVERIFY(!m_panel->setDirectory(dir.filePath(QStringLiteral("gone"))));
    QTRY_COMPARE(messages.texts.size(), 1);
    QCOMPARE(m_panel->directory(), dir.path());
    QCOMPARE(listed(), QStringList{"keep.gif"});
    QCOMPARE(fileShow(), dir.path());
    // Still usable afterwards.
    clickFile(QStringLiteral("keep.gif"));
    QCOMPARE(m_card->logo().size(), QSize(2, 2));
}

void TstPictures::directoryListChangesOnDoubleClick()
{
    const QDir dir(m_dir->path());
    QVERIFY(dir.mkdir(QStringLiteral("inner")));
    write(dir.filePath(QStringLiteral("inner/x.gif")), makeGif(2, 2, indices(4)));
    QVERIFY(m_panel->setDirectory(dir.path()));
    auto *tree = m_panel->findChild<QTreeWidget *>(QStringLiteral("Dir1"));
    const auto found = tree->findItems(QStringLiteral("inner"), Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    // The chosen directory stands among its parents: "/" at the top, the directory above "inner".
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("/"));
    QCOMPARE(found[0]->parent()->text(0), dir.dirName());
    tree->scrollToItem(found[0]);
    const QRect r = tree->visualItemRect(found[0]);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_panel->directory(), dir.path()); // one click only chooses the entry
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_panel->directory(), dir.filePath(QStringLiteral("inner")));
    QCOMPARE(listed(), QStringList{"x.gif"});
    QCOMPARE(fileShow(), dir.filePath(QStringLiteral("inner")));
}

void TstPictures::customButtonAimsAtThePage()
{
    PagePanel page(m_card.get());
    // As the main window does: the panel asked for is shown, then told it was asked for.
    QStringList asked;
    connect(&page, &Panel::openPanelRequested, this, [&asked, this](const QString &name) {
        asked.append(name);
        m_panel->openedByRequest();
    });
    auto *logoTarget = m_panel->findChild<QRadioButton *>(QStringLiteral("OptLogo"));
    auto *pageTarget = m_panel->findChild<QRadioButton *>(QStringLiteral("OptBG"));
    QVERIFY(logoTarget->isChecked());
    auto *button = page.findChild<QPushButton *>(QStringLiteral("CmdPgPic"));
    QCOMPARE(button->text(), QStringLiteral("自定义>>>>"));
    button->click();
    QCOMPARE(asked, QStringList{"FrmPic"});
    QVERIFY(pageTarget->isChecked());
}

QTEST_MAIN(TstPictures)
#include "tst_pictures.moc"
