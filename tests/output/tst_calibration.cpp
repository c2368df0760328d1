// Printer calibration: the store per printer name (and its damage), the correction on paper for sharp
// and bitmap prints, the test sheet, and the print window's "打印校准" with and without a printer.
#include "support/MessageAnswers.h"

#include "PdfTools.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardArt.h"
#include "output/PagePrinter.h"
#include "output/PrintCalibration.h"
#include "output/PrintSheet.h"
#include "output/PrintWindow.h"
#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Calibration)

namespace {
bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The card's area on a rendered page: everything that is not white paper, in millimetres.
QRectF inkMm(const QImage &page, int dpi)
{
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qBlue(line[x]) < 192) // the page colour's blue is 128
                ink |= QRect(x, y, 1, 1);
    }
    return QRectF(QPointF(ink.topLeft()) * 25.4 / dpi, QSizeF(ink.size()) * 25.4 / dpi);
}
} // namespace

class TstCalibration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { CardFonts::install(); }
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        ProgramDirectory::setPath(m_dir->path());
    }
    void cleanup()
    {
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void storeKeepsEachPrinter()
    {
        QString problem;
        QCOMPARE(PrintCalibration::forPrinter("HP", &problem), Calibration());
        QCOMPARE(problem, QString());
        QCOMPARE(PrintCalibration::save("HP", {1.5, -2.04, 101}), QString());
        QCOMPARE(PrintCalibration::save("办公室 打印机", {-0.3, 0.7, 98.6}), QString());
        QCOMPARE(PrintCalibration::forPrinter("HP", &problem), (Calibration{1.5, -2.0, 101}));
        QCOMPARE(PrintCalibration::forPrinter("办公室 打印机", &problem), (Calibration{-0.3, 0.7, 98.6}));
        QCOMPARE(PrintCalibration::forPrinter("hp", &problem), Calibration()); // names are exact
        QCOMPARE(problem, QString());
        QVERIFY(!PrintCalibration::save("HP", {0, 0, 106}).isEmpty());
        QVERIFY(!PrintCalibration::save("HP", {25, 0, 100}).isEmpty());
        QCOMPARE(PrintCalibration::forPrinter("HP", &problem), (Calibration{1.5, -2.0, 101}));
        // Its own file: the settings file is neither read nor made.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"printcal.json"});
    }

    void damagedStore_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not JSON") << QByteArray("\xff\xfe garbage {");
        QTest::newRow("cut short") << QByteArray(R"({"printers": {"HP": {"offsetXMm": 1.5, )");
        QTest::newRow("an array") << QByteArray("[1, 2, 3]");
        QTest::newRow("scale out of range")
            << QByteArray(R"({"printers": {"HP": {"offsetXMm": 0, "offsetYMm": 0, "scalePercent": 130}}})");
        QTest::newRow("a text for a number")
            << QByteArray(R"({"printers": {"HP": {"offsetXMm": "1", "offsetYMm": 0, "scalePercent": 100}}})");
        QTest::newRow("entry not an object") << QByteArray(R"({"printers": {"HP": 7}})");
    }
    // Defaults and a message, never a crash; a new calibration replaces the damaged store.
    void damagedStore()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeBytes(PrintCalibration::storePath(), bytes));
        QString problem;
        QCOMPARE(PrintCalibration::forPrinter("HP", &problem), Calibration());
        QVERIFY2(problem.contains(QStringLiteral("printcal.json")), qPrintable(problem));
        QCOMPARE(PrintCalibration::save("HP", {0.5, 0.5, 100}), QString());
        problem.clear();
        QCOMPARE(PrintCalibration::forPrinter("HP", &problem), (Calibration{0.5, 0.5, 100}));
        QCOMPARE(problem, QString());
    }

    void readOnlyFolderKeepsTheStore()
    {
        QCOMPARE(PrintCalibration::save("HP", {1, 1, 100}), QString());
        const QByteArray before = readBytes(PrintCalibration::storePath());
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!PrintCalibration::save("HP", {2, 2, 100}).isEmpty());
        QCOMPARE(readBytes(PrintCalibration::storePath()), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"printcal.json"});
    }

    void correctionOnPaper_data()
    {
        QTest::addColumn<bool>("sharp");
        QTest::addColumn<Calibration>("calibration");
        QTest::newRow("sharp, none") << true << Calibration();
        QTest::newRow("sharp, +1.5/-2.0 mm, 101 %") << true << Calibration{1.5, -2.0, 101};
        QTest::newRow("bitmap, +1.5/-2.0 mm, 101 %") << false << Calibration{1.5, -2.0, 101};
        QTest::newRow("sharp, -3.0/+0.7 mm, 96.5 %") << true << Calibration{-3.0, 0.7, 96.5};
    }
    // The card lands at the printable corner plus the offset, 90.0 x 54.8 mm times the scale.
    void correctionOnPaper()
    {
        QFETCH(bool, sharp);
        QFETCH(Calibration, calibration);
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        CardModel card;
        card.setBackgroundShown(false);
        card.setPageColor(0x0080C0F0);
        const QString pdf = m_dir->path() + "/print.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const CardArt art(card);
        const PagePrinter::Content content =
            sharp ? PagePrinter::Content([&](QPainter &p, const PagePrinter::PageInfo &) {
                art.paint(p, PrintSheet::cardRectsMm(card.cardSizePx(), false).first());
            })
                  : PagePrinter::imageContent(renderCard(card));
        QCOMPARE(PagePrinter::print(printer, content, calibration), PagePrinter::Result::Printed);
        if (sharp)
            QVERIFY(PdfTools::text(pdf).contains(card.textElement(ElementId::LabName).text)); // still vector

        constexpr int Dpi = 400;
        const QRectF ink = inkMm(PdfTools::render(pdf, Dpi, m_dir->path() + "/print"), Dpi);
        const QPointF corner = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        const double s = calibration.scalePercent / 100;
        const QRectF expected(corner + QPointF(calibration.offsetXMm, calibration.offsetYMm),
                              QSizeF(5100, 3105) / 1440 * 25.4 * s);
        const auto near = [](double a, double b) { return std::abs(a - b) <= 0.1; };
        QVERIFY2(near(ink.left(), expected.left()) && near(ink.top(), expected.top()) &&
                     near(ink.width(), expected.width()) && near(ink.height(), expected.height()),
                 qPrintable(QStringLiteral("%1,%2 %3 x %4 mm, expected %5,%6 %7 x %8")
                                .arg(ink.left())
                                .arg(ink.top())
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(expected.left())
                                .arg(expected.top())
                                .arg(expected.width())
                                .arg(expected.height())));
    }

    // "打印校准" with a printer: the test sheet goes to it, then the dialog keeps what is typed for it.
    void calibrateWithAPrinter()
    {
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        QVERIFY(PrintCalibration::save("办公室打印机", {0.4, 0, 100}).isEmpty());
        const QString pdf = m_dir->path() + "/test-sheet.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QImage picture(340, 207, QImage::Format_RGB32);
        picture.fill(Qt::white);
        PrintWindow w(picture, nullptr);
        w.show();
        w.setPrinterName([] { return QStringLiteral("办公室打印机"); });
        w.setPrintTarget([&](const PagePrinter::Content &c, QString *) {
            return PagePrinter::print(printer, c, PrintCalibration::forPrinter("办公室打印机", nullptr));
        });
        MessageAnswers answers;
        QTest::mouseClick(w.findChild<QPushButton *>("CmdCalibrate"), Qt::LeftButton);
        QCOMPARE(answers.count(), 0);
        const QString text = PdfTools::text(pdf);
        QVERIFY(text.contains(QStringLiteral("Velnor打印校准测试页")));
        QVERIFY(text.contains(QStringLiteral("宽 90.0 毫米、高 54.8 毫米")));
        QVERIFY(text.contains(QStringLiteral("水平偏移 +0.4 毫米")));

        QWidget *dialog = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("FrmCalibrate") && top->isVisible())
                dialog = top;
        QVERIFY(dialog);
        QVERIFY(dialog->isModal());
        auto *x = dialog->findChild<QDoubleSpinBox *>("TxtOffsetX");
        auto *y = dialog->findChild<QDoubleSpinBox *>("TxtOffsetY");
        auto *scale = dialog->findChild<QDoubleSpinBox *>("TxtScale");
        QCOMPARE(x->value(), 0.4); // the current correction to start from
        QCOMPARE(scale->minimum(), 95.0);
        QCOMPARE(scale->maximum(), 105.0);
        QCOMPARE(x->singleStep(), 0.1);
        x->setValue(1.5);
        y->setValue(-2.0);
        scale->setValue(101);
        QTest::mouseClick(dialog->findChild<QPushButton *>("CmdCalOk"), Qt::LeftButton);
        QTRY_VERIFY(!dialog || !dialog->isVisible());
        QCOMPARE(PrintCalibration::forPrinter("办公室打印机", nullptr), (Calibration{1.5, -2.0, 101}));
    }

    // Without a printer the test sheet can still be seen, as a PDF.
    void calibrateWithoutPrinter()
    {
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        QImage picture(207, 340, QImage::Format_RGB32);
        picture.fill(Qt::white);
        PrintWindow w(picture, nullptr);
        w.show();
        w.setPrinterName([] { return QString(); });
        int printed = 0;
        w.setPrintTarget([&](const PagePrinter::Content &, QString *) {
            ++printed;
            return PagePrinter::Result::Printed;
        });
        const QString pdf = m_dir->path() + "/sheet.pdf";
        bool sawDialog = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                sawDialog = d->selectedNameFilter().contains(QStringLiteral("校准"));
                d->selectFile(pdf);
                static_cast<QDialog *>(d)->accept();
            }
        });
        poll.start(20);
        MessageAnswers answers({QMessageBox::Yes, QMessageBox::Ok});
        QTest::mouseClick(w.findChild<QPushButton *>("CmdCalibrate"), Qt::LeftButton);
        QCOMPARE(printed, 0);
        QVERIFY(sawDialog);
        QCOMPARE(answers.count(), 2); // the offer, then where it went
        QVERIFY(answers.texts.value(0).contains(QStringLiteral("没有找到默认打印机")));
        QVERIFY(PdfTools::text(pdf).contains(QStringLiteral("高 90.0 毫米"))); // the portrait card's frame
        QCOMPARE(PdfTools::pageSizeMm(pdf).toSize(), QSize(210, 297));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TstCalibration)
#include "tst_calibration.moc"
