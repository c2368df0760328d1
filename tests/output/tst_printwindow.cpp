// The print window: the A4 sheet's size and copy places, the print image each option writes, the
// preview, the print button's reminder and failures, and where the image lands on the page.
#include "support/DiskTrouble.h"
#include "support/MessageAnswers.h"
#include "support/ProgramFolder.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardFile.h"
#include "output/PagePrinter.h"
#include "output/PrintSheet.h"
#include "output/PrintWindow.h"
#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A card whose every pixel differs from its neighbours, so a misplaced copy cannot pass.
QImage patterned(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF));
    return image;
}

QRadioButton *option(PrintWindow &w, int index)
{
    for (QRadioButton *o : w.findChildren<QRadioButton *>("OptPrintSet"))
        if (o->property("index").toInt() == index)
            return o;
    return nullptr;
}

void pressPrint(PrintWindow &w)
{
    auto *button = w.findChild<QLabel *>("ImgPrint");
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
}

QImage printImage()
{
    return QImage(CardFile::printImagePath()).convertToFormat(QImage::Format_RGB32);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QLabel *preview(PrintWindow &w)
{
    return w.findChild<QLabel *>("PicCard");
}
} // namespace

class TstPrintWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new ProgramFolder);
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void sheetCopyPlaces_data()
    {
        QTest::addColumn<QSize>("card");
        QTest::addColumn<QSize>("sheet");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("landscape") << QSize(340, 207) << QSize(680, 1035) << 2 << 5;
        QTest::newRow("portrait") << QSize(207, 340) << QSize(621, 1020) << 3 << 3;
        QTest::newRow("foreign 301 wide") << QSize(301, 100) << QSize(602, 500) << 2 << 5;
        QTest::newRow("foreign 209 wide") << QSize(209, 100) << QSize(627, 300) << 3 << 3;
        QTest::newRow("210 wide: none") << QSize(210, 100) << QSize(0, 0) << 0 << 0; // a null picture
        QTest::newRow("300 wide: none") << QSize(300, 100) << QSize(0, 0) << 0 << 0;
    }
    void sheetCopyPlaces()
    {
        QFETCH(QSize, card);
        QFETCH(QSize, sheet);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QVector<QPoint> expected;
        for (int i = 0; i < columns; ++i) // column by column, each top to bottom
            for (int j = 0; j < rows; ++j)
                expected << QPoint(i * card.width(), j * card.height());
        QCOMPARE(PrintSheet::copyPlaces(card), expected);

        const QImage picture = patterned(card);
        const QImage composed = PrintSheet::compose(picture);
        QCOMPARE(composed.size(), sheet);
        for (const QPoint &at : expected)
            QVERIFY2(composed.copy(QRect(at, card)) == picture,
                     qPrintable(QStringLiteral("copy at %1,%2").arg(at.x()).arg(at.y())));
    }

    void optionsWriteThePrintImage_data()
    {
        QTest::addColumn<QSize>("card");
        QTest::addColumn<QPoint>("cardPlace");
        QTest::addColumn<QSize>("sheet"); // empty: nothing composed
        QTest::addColumn<QPoint>("sheetPlace");
        QTest::newRow("landscape") << QSize(340, 207) << QPoint(204, 140) << QSize(680, 1035)
                                   << QPoint(20, 8);
        QTest::newRow("portrait") << QSize(207, 340) << QPoint(272, 76) << QSize(621, 1020) << QPoint(50, 8);
        QTest::newRow("250 wide") << QSize(250, 250) << QPoint(204, 140) << QSize() << QPoint(204, 140);
    }
    void optionsWriteThePrintImage()
    {
        QFETCH(QSize, card);
        QFETCH(QPoint, cardPlace);
        QFETCH(QSize, sheet);
        QFETCH(QPoint, sheetPlace);
        const QImage picture = patterned(card);
        QWidget browser;
        QPointer<PrintWindow> w = new PrintWindow(picture, &browser);
        w->show();
        QVERIFY(!option(*w, 0)->isChecked());
        QVERIFY(!option(*w, 1)->isChecked());
        QVERIFY(!QFile::exists(CardFile::printImagePath())); // nothing written at opening
        QCOMPARE(preview(*w)->pos(), cardPlace);
        QCOMPARE(preview(*w)->size(), card);

        QTest::mouseClick(option(*w, 1), Qt::LeftButton);
        if (sheet.isEmpty()) {
            QVERIFY(!QFile::exists(CardFile::printImagePath()));
        } else {
            QCOMPARE(printImage(), PrintSheet::compose(picture));
            QCOMPARE(printImage().size(), sheet);
        }
        QCOMPARE(preview(*w)->size(), sheet.isEmpty() ? card : sheet);
        QCOMPARE(preview(*w)->pos(), sheetPlace);

        // The single card afterwards shrinks the preview and rewrites the print image.
        QTest::mouseClick(option(*w, 0), Qt::LeftButton);
        QCOMPARE(printImage(), picture);
        QCOMPARE(preview(*w)->size(), card);
        QCOMPARE(preview(*w)->pos(), cardPlace);

        // Closing removes the print image and brings the browser back.
        auto *close = w->findChild<QLabel *>("LabClose");
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_VERIFY(w.isNull());
        QVERIFY(!QFile::exists(CardFile::printImagePath()));
        QVERIFY(browser.isVisible());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void closingWithoutOptionIsFine()
    {
        QWidget browser;
        QPointer<PrintWindow> w = new PrintWindow(patterned({340, 207}), &browser);
        w->show();
        w->close();
        QTRY_VERIFY(w.isNull());
        QVERIFY(browser.isVisible());
    }

    void printButtonNeedsAnOption()
    {
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        int printed = 0;
        w.setPrintTarget([&](const PagePrinter::Content &, QString *) {
            ++printed;
            return PagePrinter::Result::Printed;
        });
        {
            MessageAnswers answers;
            pressPrint(w);
            QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor名片打印提示：")});
            QCOMPARE(answers.texts,
                     QStringList{QStringLiteral("请先选择一种页面的名片数量打印方式，\r\n然后再进行打印……")});
        }
        QCOMPARE(printed, 0);
        QTest::mouseClick(option(w, 1), Qt::LeftButton);
        pressPrint(w);
        pressPrint(w);
        QCOMPARE(printed, 2); // each press prints the print image once
    }

    void nothingPrintableIsReported()
    {
        // A print image left over from an earlier run is not this window's to print.
        QVERIFY(patterned({340, 207}).save(CardFile::printImagePath()));
        PrintWindow w(patterned({250, 250}), nullptr);
        w.show();
        int printed = 0;
        w.setPrintTarget([&](const PagePrinter::Content &, QString *) {
            ++printed;
            return PagePrinter::Result::Printed;
        });
        QTest::mouseClick(option(w, 1), Qt::LeftButton);
        MessageAnswers answers;
        pressPrint(w);
        QCOMPARE(printed, 0);
        QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor名片打印提示：")});
    }

    // The print image cannot be written (a directory in its place, a file-size limit) or is cut short
    // before printing: the user is told, nothing is printed, the window stays; a link in its place is
    // replaced and the file it pointed at is left alone.
    void printImageTroubleIsReported_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("directory in its place") << "directory";
        QTest::newRow("file-size limit") << "limit";
        QTest::newRow("cut short before printing") << "cut";
        QTest::newRow("link in its place") << "link";
    }
    void printImageTroubleIsReported()
    {
        QFETCH(QString, trouble);
        const QString path = CardFile::printImagePath();
        const QString outside = m_dir->filePath(QStringLiteral("outside.txt"));
        {
            QFile f(outside);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("precious");
        }
        if (trouble == "directory")
            QVERIFY(QDir().mkpath(path));
        else if (trouble == "link")
            QVERIFY(QFile::link(outside, path));
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        int printed = 0;
        w.setPrintTarget([&](const PagePrinter::Content &, QString *) {
            ++printed;
            return PagePrinter::Result::Printed;
        });
        MessageAnswers answers;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (trouble == "limit")
                limit = std::make_unique<FileSizeLimit>(4096);
            QTest::mouseClick(option(w, 0), Qt::LeftButton);
        }
        if (trouble == "cut") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        }
        pressPrint(w);
        QCOMPARE(contents(outside), QByteArray("precious"));
        QVERIFY(w.isVisible());
        if (trouble == "link") {
            QCOMPARE(answers.count(), 0);
            QCOMPARE(printed, 1);
            QVERIFY(!QFileInfo(path).isSymLink());
            return;
        }
        QCOMPARE(printed, 0);
        QCOMPARE(answers.titles.value(0), QStringLiteral("Velnor名片打印提示："));
        const QString expected = trouble == "cut"     ? QStringLiteral("图片文件不完整")
                                 : trouble == "limit" ? QStringLiteral("文件太大")
                                                      : QStringLiteral("不是普通文件");
        QVERIFY2(answers.texts.value(0).contains(expected), qPrintable(answers.texts.value(0)));
        if (trouble == "directory")
            QVERIFY(QFileInfo(path).isDir());
    }

    void printerFailuresAreReported_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("no printer") << int(PagePrinter::Result::NoPrinter);
        QTest::newRow("cannot start") << int(PagePrinter::Result::CannotStart);
        QTest::newRow("failed") << int(PagePrinter::Result::Failed);
    }
    void printerFailuresAreReported()
    {
        QFETCH(int, result);
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        w.setPrintTarget(
            [&](const PagePrinter::Content &, QString *) { return PagePrinter::Result(result); });
        QTest::mouseClick(option(w, 0), Qt::LeftButton);
        {
            MessageAnswers answers;
            pressPrint(w);
            QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor名片打印提示：")});
        }
        QVERIFY(w.isVisible());
        QVERIFY(QFile::exists(CardFile::printImagePath()));
    }

    void withoutPrinterTheDefaultPathSaysSo()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        QTest::mouseClick(option(w, 0), Qt::LeftButton);
        MessageAnswers answers;
        pressPrint(w);
        QCOMPARE(answers.count(), 1);
        QVERIFY(answers.texts.value(0).contains(QStringLiteral("打印机")));
    }

    void printButtonLooks()
    {
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        w.setPrintTarget(
            [](const PagePrinter::Content &, QString *) { return PagePrinter::Result::Printed; });
        auto *button = w.findChild<QLabel *>("ImgPrint");
        const auto shows = [button, &w](const char *look) {
            return button->pixmap().toImage() == w.findChild<QLabel *>(look)->pixmap().toImage();
        };
        if (w.findChild<QLabel *>("Print0")->pixmap().isNull())
            QSKIP("the button pictures are not built in");
        QVERIFY(shows("Print0"));
        QTest::mouseMove(button, QPoint(10, 10));
        QVERIFY(shows("Print1"));
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(shows("Print2"));
        {
            MessageAnswers answers; // the reminder: no option yet
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
            QCOMPARE(answers.count(), 1);
        }
        QTest::mouseMove(w.findChild<QLabel *>("PicBg"), QPoint(5, 5));
        QVERIFY(shows("Print0"));
        QTest::mouseMove(button, QPoint(10, 10));
        QTest::mouseMove(preview(w), QPoint(5, 5));
        QVERIFY(shows("Print0"));
    }

    void previewDragsWithTheLeftButtonOnly()
    {
        PrintWindow w(patterned({340, 207}), nullptr);
        w.show();
        QLabel *card = preview(w);
        const QPoint start = card->pos();
        QTest::mousePress(card, Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseMove(card, QPoint(80, 70));
        QTest::mouseRelease(card, Qt::RightButton, {}, QPoint(80, 70));
        QCOMPARE(card->pos(), start);

        QTest::mousePress(card, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(card, QPoint(80, 30));
        QTest::mouseRelease(card, Qt::LeftButton, {}, QPoint(80, 30));
        QCOMPARE(card->pos(), start + QPoint(30, -20));

        QTest::mouseClick(option(w, 0), Qt::LeftButton); // the next option click puts it back
        QCOMPARE(card->pos(), start);
    }

    // The print button's own path into a PDF: the image lands unscaled (96 pixels per inch) at the
    // top-left corner of the printable area.
    void printPlacementInPdf_data()
    {
        QTest::addColumn<QSize>("card");
        QTest::addColumn<int>("option");
        QTest::addColumn<QSize>("image");
        QTest::newRow("one landscape card") << QSize(340, 207) << 0 << QSize(340, 207);
        QTest::newRow("one portrait card") << QSize(207, 340) << 0 << QSize(207, 340);
        QTest::newRow("landscape sheet") << QSize(340, 207) << 1 << QSize(680, 1035);
        QTest::newRow("portrait sheet") << QSize(207, 340) << 1 << QSize(621, 1020);
    }
    void printPlacementInPdf()
    {
        QFETCH(QSize, card);
        QFETCH(int, option);
        QFETCH(QSize, image);
        const QString pdfimages = QStandardPaths::findExecutable("pdfimages");
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdfimages.isEmpty() || pdftoppm.isEmpty())
            QSKIP("poppler-utils (pdfimages, pdftoppm) are not installed");

        QImage solid(card, QImage::Format_RGB32);
        solid.fill(QColor(200, 0, 0));
        const QString pdf = m_dir->path() + "/page.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        PrintWindow w(solid, nullptr);
        w.show();
        w.setPrintTarget(
            [&](const PagePrinter::Content &c, QString *) { return PagePrinter::print(printer, c); });
        QTest::mouseClick(::option(w, option), Qt::LeftButton);
        MessageAnswers answers;
        pressPrint(w);
        QCOMPARE(answers.count(), 0);

        // Embedded once, losslessly, at its own size and 96 pixels per inch.
        QProcess list;
        list.start(pdfimages, {"-list", pdf});
        QVERIFY(list.waitForFinished(20000));
        const QStringList lines =
            QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // two heading lines and one image
        const QStringList f = lines[2].simplified().split(' ');
        QCOMPARE(QSize(f.value(3).toInt(), f.value(4).toInt()), image);
        QCOMPARE(f.value(8), QStringLiteral("image"));
        QVERIFY2(f.value(9) != QStringLiteral("jpeg"), "printed as a lossy JPEG");
        QCOMPARE(f.value(12).toInt(), 96);
        QCOMPARE(f.value(13).toInt(), 96);

        // Rendered at 300 dpi: the red area starts at the printable corner and is the image's size.
        const int dpi = 300;
        QProcess render;
        render.start(pdftoppm, {"-r", QString::number(dpi), "-singlefile", pdf, m_dir->path() + "/page"});
        QVERIFY(render.waitForFinished(60000));
        const QImage page(m_dir->path() + "/page.ppm");
        QVERIFY(!page.isNull());
        QRect red;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                if (qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80)
                    red |= QRect(x, y, 1, 1);
            }
        const QRect printable = printer.pageLayout().paintRectPixels(dpi);
        const QSizeF expected = QSizeF(image) * dpi / 96.0;
        QVERIFY2(qAbs(red.left() - printable.left()) <= 2 && qAbs(red.top() - printable.top()) <= 2,
                 qPrintable(QStringLiteral("at %1,%2, printable corner %3,%4")
                                .arg(red.left())
                                .arg(red.top())
                                .arg(printable.left())
                                .arg(printable.top())));
        QVERIFY2(qAbs(red.width() - expected.width()) <= 2 && qAbs(red.height() - expected.height()) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(red.width()).arg(red.height())));
    }

    // With its design the card prints sharp, as text, at the places and the size the print image has.
    void sharpPrintKeepsThePlaces_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("copies");
        QTest::newRow("one landscape card") << int(Orientation::Landscape) << 0 << 1;
        QTest::newRow("landscape sheet") << int(Orientation::Landscape) << 1 << 10;
        QTest::newRow("portrait sheet") << int(Orientation::Portrait) << 1 << 9;
    }
    void sharpPrintKeepsThePlaces()
    {
        QFETCH(int, orientation);
        QFETCH(int, option);
        QFETCH(int, copies);
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty() || pdftoppm.isEmpty())
            QSKIP("poppler-utils (pdftotext, pdftoppm) are not installed");
        CardFonts::install();
        auto design = std::make_unique<CardModel>();
        design->setOrientation(Orientation(orientation));
        design->setBackgroundShown(false);
        design->setPageColor(0x000000C8); // red
        design->setText(ElementId::LabName, QStringLiteral("李四"));
        const QImage picture = renderCard(*design);
        const QString pdf = m_dir->path() + "/sharp.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        PrintWindow w(picture, nullptr);
        w.setDesign(std::move(design));
        w.show();
        w.setPrintTarget(
            [&](const PagePrinter::Content &c, QString *) { return PagePrinter::print(printer, c); });
        QTest::mouseClick(::option(w, option), Qt::LeftButton);
        MessageAnswers answers;
        pressPrint(w);
        QCOMPARE(answers.count(), 0);

        QProcess text;
        text.start(pdftotext, {pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(text.readAllStandardOutput()).count(QStringLiteral("李四")), copies);

        const int dpi = 300;
        QProcess render;
        render.start(pdftoppm, {"-r", QString::number(dpi), "-singlefile", pdf, m_dir->path() + "/sharp"});
        QVERIFY(render.waitForFinished(60000));
        const QImage page(m_dir->path() + "/sharp.ppm");
        QRect red;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                if (qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80)
                    red |= QRect(x, y, 1, 1);
            }
        const QImage image = option == 0 ? picture : PrintSheet::compose(picture);
        const QRect printable = printer.pageLayout().paintRectPixels(dpi);
        const QSizeF expected = QSizeF(image.size()) * dpi / 96.0;
        QVERIFY(qAbs(red.left() - printable.left()) <= 2 && qAbs(red.top() - printable.top()) <= 2);
        QVERIFY2(qAbs(red.width() - expected.width()) <= 2 && qAbs(red.height() - expected.height()) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(red.width()).arg(red.height())));
    }

    void printerWithoutOutputCannotStart()
    {
        // What Qt falls back to when there is no printer at all.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
        QCOMPARE(PagePrinter::print(printer, PagePrinter::imageContent(patterned({340, 207}))),
                 PagePrinter::Result::CannotStart);
    }

private:
    std::unique_ptr<ProgramFolder> m_dir;
};

QTEST_MAIN(TstPrintWindow)
#include "tst_printwindow.moc"
