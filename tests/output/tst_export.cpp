// Export and the sharp drawing under it: the one-card PDF (page, bleed, crop marks, text and fonts, the
// card area against the PNG), the A4 sheet's card places, PNG sizes, and failed writes that leave no file.
#include "support/MessageAnswers.h"

#include "PdfTools.h"
#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/SafeFile.h"
#include "card/Twips.h"
#include "output/CardArt.h"
#include "output/CardExport.h"
#include "output/CropMarks.h"
#include "output/PrintJob.h"
#include "output/PrintSheet.h"
#include "output/PrintWindow.h"
#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {
// Cards of every kind the tests draw: the orientation, the page, what is hidden.
enum class Page { Colour, Texture, Picture };

void makeCard(CardModel &card, Orientation orientation, Page page, bool hideSome)
{
    card.setOrientation(orientation);
    switch (page) {
    case Page::Colour:
        card.setBackgroundShown(false);
        card.setPageColor(0x0080C0F0); // a light orange, distinct from the texts
        break;
    case Page::Texture: {
        const QImage texture(Assets::texture(4));
        card.setPictureStore(texture);
        card.setPagePicture(texture);
        card.tilePage(texture);
        break;
    }
    case Page::Picture: {
        // A page picture drawn once at the corner, smaller than the card: the page colour shows beside it.
        QImage picture(200, 150, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x, 255 - y, 120));
        card.setBackgroundShown(false);
        card.setPageColor(0x00F0F0F0);
        card.setPagePicture(picture);
        break;
    }
    }
    if (hideSome) {
        card.setVisible(ElementId::LabMail, false);
        card.setVisible(ElementId::Hline, false);
    }
}

QString visibleNames(const CardModel &card)
{
    return card.element(ElementId::LabName).visible ? card.textElement(ElementId::LabName).text : QString();
}

// Mean absolute difference per channel, 0 to 255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 255;
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

class TstExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CardFonts::install();
        QImageReader::setAllocationLimit(0); // pages rendered at 600 ppi
    }
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        ProgramDirectory::setPath(m_dir->path());
    }
    void cleanup() { m_dir.reset(); }

    // The card drawn as today at 96 ppi stays what the screen and the saved BMP show; drawn sharp at
    // the same scale it is the same card.
    void sharpDrawingIsTheSameCard()
    {
        CardModel card;
        makeCard(card, Orientation::Landscape, Page::Texture, false);
        const QImage screen = renderCard(card);
        QImage sharp(card.cardSizePx(), QImage::Format_RGB32);
        QPainter p(&sharp);
        paintCard(p, card, CardTarget::Sharp);
        p.end();
        QVERIFY(screen != sharp); // the small texts are drawn from outlines
        // Everything else is the same: page, texture, logo, line and the large texts.
        QImage masked[2] = {screen, sharp};
        for (QImage &m : masked) {
            QPainter mask(&m);
            for (int i = 0; i < TextElementCount; ++i) {
                const TextElement &e = card.textElement(textElementAt(i));
                if (Twips::pointsToPx(e.sizePt) <= 16)
                    mask.fillRect(Twips::rectToPx(e.left, e.top, e.width, e.height).adjusted(-1, -1, 1, 1),
                                  Qt::black);
            }
        }
        QCOMPARE(masked[0], masked[1]);
    }

    void onePdfPage_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("hideSome");
        QTest::addColumn<QSizeF>("pageMm");
        QTest::newRow("landscape, colour")
            << int(Orientation::Landscape) << int(Page::Colour) << false << QSizeF(94, 58);
        QTest::newRow("landscape, texture, hidden")
            << int(Orientation::Landscape) << int(Page::Texture) << true << QSizeF(94, 58);
        QTest::newRow("portrait, picture")
            << int(Orientation::Portrait) << int(Page::Picture) << false << QSizeF(58, 94);
        QTest::newRow("portrait, texture")
            << int(Orientation::Portrait) << int(Page::Texture) << true << QSizeF(58, 94);
    }
    // The page size, the title, text as text with embedded fonts, and the card area rendered at 300 ppi
    // against the 300 ppi PNG.
    void onePdfPage()
    {
        QFETCH(int, orientation);
        QFETCH(int, page);
        QFETCH(bool, hideSome);
        QFETCH(QSizeF, pageMm);
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        CardModel card;
        makeCard(card, Orientation(orientation), Page(page), hideSome);
        const CardArt art(card);
        const QString pdf = m_dir->path() + "/card.pdf";
        QCOMPARE(CardExport::write(CardExport::Kind::PdfCard, art, QStringLiteral("我的名片"), pdf),
                 QString());

        const QSizeF size = PdfTools::pageSizeMm(pdf);
        QVERIFY2(std::abs(size.width() - pageMm.width()) < 0.05 &&
                     std::abs(size.height() - pageMm.height()) < 0.05,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(size.width()).arg(size.height())));
        QCOMPARE(PdfTools::info(pdf, "Title"), QStringLiteral("我的名片"));

        const QString text = PdfTools::text(pdf);
        for (ElementId id :
             {ElementId::LabName, ElementId::LabOffice, ElementId::LabTel, ElementId::LabMail}) {
            const TextElement &e = card.textElement(id);
            if (e.visible)
                QVERIFY2(text.contains(e.lines.value(0).trimmed()), qPrintable(e.lines.value(0)));
            else
                QVERIFY2(!text.contains(e.lines.value(0).trimmed()), "a hidden text is in the PDF");
        }
        const QStringList fonts = PdfTools::fonts(pdf);
        QVERIFY(!fonts.isEmpty());
        for (const QString &row : fonts) {
            const QStringList f = row.simplified().split(' ');
            // name type [encoding] emb sub uni object ID: "emb" is the fourth field from the end but two.
            QVERIFY2(f.size() >= 6 && f[f.size() - 5] == QLatin1String("yes"), qPrintable(row));
        }

        const QImage rendered = PdfTools::render(pdf, 300, m_dir->path() + "/card");
        const QImage png = CardExport::png(art, 300);
        QCOMPARE(png.size(),
                 orientation == int(Orientation::Landscape) ? QSize(1063, 638) : QSize(638, 1063));
        // pdftoppm rounds the page up to whole pixels.
        QCOMPARE(rendered.size(), QSize(int(std::ceil(pageMm.width() / 25.4 * 300)),
                                        int(std::ceil(pageMm.height() / 25.4 * 300))));
        const int bleed = qRound(2 / 25.4 * 300); // 24 px
        const QImage area = rendered.copy(QRect(QPoint(bleed, bleed), png.size()));
        // Poppler smooths pictures enlarged less than four times, the PNG keeps their pixels square, as
        // the PDF asks: a texture's fine grain comes out differently, so only the other pages compare.
        if (Page(page) != Page::Texture) {
            const QSize third = png.size() / 3;
            const double difference =
                meanDifference(area.scaled(third, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                               png.scaled(third, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            QVERIFY2(difference < 5, qPrintable(QString::number(difference)));
        }
        // The bleed is the page, not paper: its outer corners are not white.
        for (const QPoint &corner : {QPoint(1, 1), QPoint(rendered.width() - 2, rendered.height() - 2)})
            QVERIFY(rendered.pixel(corner) != qRgb(255, 255, 255) || Page(page) == Page::Picture);
    }

    // The bleed carries the page on: a texture keeps tiling, anything else is mirrored at the edge.
    void bleedCarriesThePageOn_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("texture") << int(Page::Texture);
        QTest::newRow("picture") << int(Page::Picture);
        QTest::newRow("colour") << int(Page::Colour);
    }
    void bleedCarriesThePageOn()
    {
        QFETCH(int, page);
        CardModel card;
        makeCard(card, Orientation::Landscape, Page(page), false);
        constexpr int B = 12;
        const QSize size = card.cardSizePx();
        QImage out(size + QSize(2 * B, 2 * B), QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter p(&out);
        const CardArt art(card);
        art.paintBleed(p, QRectF(QPointF(B, B), QSizeF(size)), B);
        p.end();
        QImage pageOnly(size, QImage::Format_RGB32);
        QPainter q(&pageOnly);
        paintPage(q, card);
        q.end();
        const QImage tile = card.pictureStore();
        for (int k = 1; k <= B; ++k) {
            for (int y : {0, 40, size.height() - 1}) {
                QRgb expected;
                if (Page(page) == Page::Texture) // to the left of the card, the tiles go on
                    expected = tile.pixel((tile.width() * 4 - k) % tile.width(), y % tile.height());
                else
                    expected = pageOnly.pixel(k - 1, y); // mirrored
                QCOMPARE(out.pixel(B - k, B + y), expected);
            }
            const QRgb below = Page(page) == Page::Texture
                                   ? tile.pixel(50 % tile.width(), (size.height() + k - 1) % tile.height())
                                   : pageOnly.pixel(50, size.height() - k);
            QCOMPARE(out.pixel(B + 50, B + size.height() + k - 1), below);
        }
    }

    void cropMarks_data()
    {
        QTest::addColumn<QSize>("card");
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<int>("marks");
        QTest::newRow("one card") << QSize(340, 207) << false << 8;
        QTest::newRow("landscape sheet, 2 x 5") << QSize(340, 207) << true << 3 * 2 + 6 * 2;
        QTest::newRow("portrait sheet, 3 x 3") << QSize(207, 340) << true << 4 * 2 + 4 * 2;
    }
    // One mark on each end of every cut line, none touching a card.
    void cropMarks()
    {
        QFETCH(QSize, card);
        QFETCH(bool, sheet);
        QFETCH(int, marks);
        const QVector<QRectF> cards = PrintSheet::cardRectsMm(card, sheet);
        const QVector<CropMarks::Mark> all = CropMarks::marks(cards, 0.8, 2.5);
        QCOMPARE(all.size(), marks);
        QRectF bounds;
        for (const QRectF &c : cards)
            bounds |= c;
        for (const CropMarks::Mark &m : all) {
            const QRectF line = QRectF(m.from, m.to).normalized();
            QVERIFY(std::abs(QLineF(m.from, m.to).length() - 2.5) < 1e-9);
            for (const QRectF &c : cards)
                QVERIFY(!c.adjusted(-0.79, -0.79, 0.79, 0.79)
                             .intersects(line.adjusted(-1e-9, -1e-9, 1e-9, 1e-9)));
            // On a cut line: the x or y of a card edge.
            bool onCut = false;
            for (const QRectF &c : cards)
                onCut = onCut || std::abs(m.from.x() - c.left()) < 1e-9 ||
                        std::abs(m.from.x() - c.right()) < 1e-9 || std::abs(m.from.y() - c.top()) < 1e-9 ||
                        std::abs(m.from.y() - c.bottom()) < 1e-9;
            QVERIFY(onCut);
            QVERIFY(!bounds.contains(m.to));
        }
    }

    void sheetCardsWhereThePrintImagePutsThem_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("landscape") << int(Orientation::Landscape);
        QTest::newRow("portrait") << int(Orientation::Portrait);
    }
    // Each card's corner on the A4 PDF within 0.1 mm of where today's print image puts it on a PDF
    // printer: the printable corner plus the copy's place at 96 pixels per inch.
    void sheetCardsWhereThePrintImagePutsThem()
    {
        QFETCH(int, orientation);
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        CardModel card;
        makeCard(card, Orientation(orientation), Page::Colour, false);
        // A black block at each card's top-left corner marks where the card starts.
        for (const ElementRow &e : ElementTable)
            card.setVisible(e.id, false);
        card.setVisible(ElementId::Hline, true);
        card.setForeColor(ElementId::Hline, 0);
        card.moveElement(ElementId::Hline, 0, 0);
        card.setLineSize(600, 600);
        const CardArt art(card);
        const QString pdf = m_dir->path() + "/sheet.pdf";
        QCOMPARE(CardExport::write(CardExport::Kind::PdfSheet, art, QStringLiteral("sheet"), pdf), QString());
        QCOMPARE(PdfTools::pageSizeMm(pdf).toSize(), QSize(210, 297));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QPointF corner = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();

        constexpr int Dpi = 600;
        const QImage page = PdfTools::render(pdf, Dpi, m_dir->path() + "/sheet", true);
        QVERIFY(!page.isNull());
        const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
        const QVector<QPoint> places = PrintSheet::copyPlaces(card.cardSizePx());
        QCOMPARE(places.size(), orientation == int(Orientation::Landscape) ? 10 : 9);
        for (const QPoint &place : places) {
            const QPointF expected = corner + QPointF(place) * PrintSheet::MmPerPx; // mm
            const QPoint inside = ((expected + QPointF(2, 2)) / 25.4 * Dpi).toPoint();
            int left = inside.x(), top = inside.y();
            while (left > 0 && dark(left - 1, inside.y()))
                --left;
            while (top > 0 && dark(inside.x(), top - 1))
                --top;
            const QPointF found = QPointF(left, top) * 25.4 / Dpi;
            QVERIFY2(std::abs(found.x() - expected.x()) <= 0.1 && std::abs(found.y() - expected.y()) <= 0.1,
                     qPrintable(QStringLiteral("card at %1,%2 mm, expected %3,%4")
                                    .arg(found.x())
                                    .arg(found.y())
                                    .arg(expected.x())
                                    .arg(expected.y())));
        }
    }

    void pngSizes_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("ppi");
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape 300") << int(Orientation::Landscape) << 300 << QSize(1063, 638);
        QTest::newRow("landscape 600") << int(Orientation::Landscape) << 600 << QSize(2126, 1276);
        QTest::newRow("portrait 600") << int(Orientation::Portrait) << 600 << QSize(1276, 2126);
    }
    // Drawn at the resolution (the 96 ppi card shrunk from it is the card), and written with it.
    void pngSizes()
    {
        QFETCH(int, orientation);
        QFETCH(int, ppi);
        QFETCH(QSize, size);
        CardModel card;
        makeCard(card, Orientation(orientation), Page::Texture, false);
        const QString path = m_dir->path() + "/card.png";
        QCOMPARE(CardExport::write(ppi == 300 ? CardExport::Kind::Png300 : CardExport::Kind::Png600,
                                   CardArt(card), QString(), path),
                 QString());
        const QImage png(path);
        QCOMPARE(png.size(), size);
        QCOMPARE(qRound(png.dotsPerMeterX() * 0.0254), ppi);
        const QImage shrunk = png.scaled(card.cardSizePx(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        const double difference = meanDifference(shrunk, renderCard(card));
        QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
        // Text drawn at the resolution has edges in many shades, not the two of the 96 ppi bitmaps.
        const QRect name =
            Twips::rectToPx(card.element(ElementId::LabName).left, card.element(ElementId::LabName).top,
                            card.element(ElementId::LabName).width, card.element(ElementId::LabName).height);
        QSet<QRgb> shades;
        const double s = double(size.width()) / card.cardSizePx().width();
        for (int y = int(name.top() * s); y < int(name.bottom() * s); ++y)
            for (int x = int(name.left() * s); x < int(name.right() * s); ++x)
                shades.insert(png.pixel(x, y));
        QVERIFY2(shades.size() > 40, qPrintable(QString::number(shades.size())));
    }

    // A read-only folder and a full disk: a message (for the window) and no file, not even a part.
    void failedWritesLeaveNoFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("pdf card") << int(CardExport::Kind::PdfCard);
        QTest::newRow("pdf sheet") << int(CardExport::Kind::PdfSheet);
        QTest::newRow("png 600") << int(CardExport::Kind::Png600);
    }
    void failedWritesLeaveNoFile()
    {
        QFETCH(int, kind);
        CardModel card;
        makeCard(card, Orientation::Landscape, Page::Texture, false);
        const CardArt art(card);

        // Read-only target folder, through the window's export.
        const QString locked = m_dir->path() + "/locked";
        QVERIFY(QDir().mkpath(locked));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        {
            PrintWindow w(renderCard(card), nullptr);
            w.setDesign(std::make_unique<CardModel>());
            MessageAnswers answers;
            QVERIFY(!w.exportTo(CardExport::Kind(kind), locked + "/card.out"));
            QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor名片导出提示：")});
            QVERIFY(answers.texts.value(0).contains(QStringLiteral("只读")));
        }
        QCOMPARE(filesIn(locked), QStringList());

        // A disk that fills up: a child process may write only 4 KB per file.
        const QString full = m_dir->path() + "/full";
        QVERIFY(QDir().mkpath(full));
        const QString target = full + "/card.out";
        QVERIFY(
            CardExport::write(CardExport::Kind(kind), art, "warm", m_dir->path() + "/warm.out").isEmpty());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELNOR_EXPORT_CHILD", QString::number(kind) + ':' + target);
        child.setProcessEnvironment(env);
        child.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(60000));
        const QString said = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(child.exitCode() == 0 && said.contains(QStringLiteral("文件太大")), qPrintable(said));
        QCOMPARE(filesIn(full), QStringList());
    }

    // The save dialog is Qt's own, offers the five kinds and writes the chosen one.
    void exportDialog()
    {
        CardModel *design = new CardModel;
        makeCard(*design, Orientation::Landscape, Page::Texture, false);
        PrintWindow w(renderCard(*design), nullptr, m_dir->path() + "/mycard/王五.bmp");
        w.setDesign(std::unique_ptr<CardModel>(design));
        w.show();
        auto *button = w.findChild<QPushButton *>("CmdExport");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("导出…"));
        const QString path = m_dir->path() + "/王五.png";
        QStringList filters;
        QString suggested;
        bool nativeRefused = false;
        QTimer::singleShot(200, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            nativeRefused = dialog->testOption(QFileDialog::DontUseNativeDialog);
            filters = dialog->nameFilters();
            suggested = dialog->selectedFiles().value(0);
            dialog->selectNameFilter(filters.value(2));
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
        MessageAnswers answers;
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(nativeRefused);
        QCOMPARE(filters.size(), 5);
        QVERIFY(filters[0].startsWith(QStringLiteral("PDF")) && filters[2].contains(QStringLiteral("300")));
        QVERIFY2(suggested.endsWith(QStringLiteral("/王五.pdf")), qPrintable(suggested));
        QCOMPARE(QImage(path).size(), QSize(1063, 638));
        QCOMPARE(answers.count(), 1); // where it went
    }

    void damagedDesignIsSaid()
    {
        const QString file = m_dir->path() + "/card.design";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x00\x01garbage", 9);
        f.close();
        QString problem;
        QVERIFY(!PrintJob::readDesign(file, &problem));
        QVERIFY2(problem.contains(QStringLiteral("card.design")) &&
                     problem.contains(QStringLiteral("按图片打印")),
                 qPrintable(problem));
        // A picture without a design is no problem.
        problem.clear();
        QVERIFY(!PrintJob::designOf(m_dir->path() + "/old.bmp", &problem));
        QCOMPARE(problem, QString());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// As a child with a small file size limit: exports the textured card to the given place and says why
// it could not.
int exportAsChild(const QString &job)
{
    const int colon = job.indexOf(':');
    CardModel card;
    makeCard(card, Orientation::Landscape, Page::Texture, false);
    const QString reason = CardExport::write(CardExport::Kind(job.left(colon).toInt()), CardArt(card),
                                             QStringLiteral("full"), job.mid(colon + 1));
    std::fputs(reason.toUtf8().constData(), stdout);
    return reason.isEmpty() ? 1 : 0;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VELNOR_EXPORT_CHILD")) {
        CardFonts::install();
        return exportAsChild(qEnvironmentVariable("VELNOR_EXPORT_CHILD"));
    }
    TstExport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_export.moc"
