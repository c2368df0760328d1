// Printing end to end through a real print queue: a private CUPS server, started for this test in a
// temporary directory, with one default queue that writes each job to a file. Skipped where cupsd is
// not installed or cannot start. The server is stopped and its directory removed afterwards.
#include "support/MessageAnswers.h"

#include "PdfTools.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardFile.h"
#include "output/PrintCalibration.h"
#include "output/PrintWindow.h"
#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Calibration)

namespace {
// A colour A4 printer whose printable area starts 18 pt from the left and 36 pt from the top; the
// job, Qt's own PDF, goes through a copying filter into the queue's file.
const char *Ppd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VELNOR.PPD"
*Manufacturer: "Velnor"
*Product: "(Velnor file)"
*ModelName: "Velnor file"
*ShortNickName: "Velnor file"
*NickName: "Velnor file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 velnor-copy"
*OpenUI *PageSize: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
)PPD";

bool writeFile(const QString &path, const QByteArray &text, QFile::Permissions permissions = {})
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return false;
    f.close();
    return !permissions || f.setPermissions(permissions);
}

QStringList pdfImages(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!p.waitForFinished(20000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}
} // namespace

class TstCupsPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString cupsd =
            QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/usr/local/sbin"});
        if (cupsd.isEmpty())
            QSKIP("cupsd is not installed (Debian: cups-daemon)");
        QVERIFY(m_root.isValid());
        const QString d = m_root.path();
        // The server runs its filter as another user, who must reach it; jobs are written as that user.
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                     QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        QDir dir(d);
        for (const char *sub :
             {"spool", "tmp", "cache", "state", "ppd", "log", "out", "bin/filter", "program"})
            QVERIFY(dir.mkpath(sub));
        const QFile::Permissions everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(d + "/out", everyone));
        QVERIFY(QFile::setPermissions(d + "/tmp", everyone));
        QVERIFY(QFile::link("/usr/lib/cups/daemon", d + "/bin/daemon"));
        QVERIFY(QFile::link("/usr/lib/cups/backend", d + "/bin/backend"));
        m_socket = d + "/cups.sock";
        m_output = d + "/out/page.pdf";
        QVERIFY(writeFile(d + "/bin/filter/velnor-copy",
                          "#!/bin/sh\nif [ -n \"$6\" ]; then exec cat \"$6\"; else exec cat; fi\n",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(writeFile(d + "/cupsd.conf", QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\n"
                                                            "Browsing No\n<Location />\n  Order allow,deny\n"
                                                            "  Allow all\n</Location>\n")
                                                 .arg(m_socket)
                                                 .toUtf8()));
        QVERIFY(writeFile(
            d + "/cups-files.conf",
            QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                           "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\nFileDevice Yes\nServerBin %1/bin\n"
                           "DataDir /usr/share/cups\n")
                .arg(d)
                .toUtf8()));
        QVERIFY(writeFile(d + "/ppd/velnor-file.ppd", Ppd));
        QVERIFY(writeFile(
            d + "/printers.conf",
            QStringLiteral("<DefaultPrinter velnor-file>\nInfo Velnor file queue\nDeviceURI file://%1\n"
                           "State Idle\nAccepting Yes\nShared No\n</DefaultPrinter>\n")
                .arg(m_output)
                .toUtf8()));

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd, {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        if (!m_cupsd.waitForStarted(10000))
            QSKIP("cupsd does not start here");
        // Ready once the socket is there; before any printing call, so Qt's print support finds it.
        for (int i = 0; i < 100 && !QFileInfo::exists(m_socket) && m_cupsd.state() == QProcess::Running; ++i)
            QTest::qWait(100);
        if (!QFileInfo::exists(m_socket)) {
            qWarning().noquote() << m_cupsd.readAll();
            QSKIP("cupsd did not come up here");
        }
        qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
        if (QPrinterInfo::defaultPrinter().printerName() != QLatin1String("velnor-file"))
            QSKIP("Qt's print support does not see the test queue (CUPS plug-in missing?)");
        ProgramDirectory::setPath(d + "/program");
    }

    void cleanupTestCase()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000))
                m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    void printsTheSheetThroughTheQueue()
    {
        QImage card(340, 207, QImage::Format_RGB32);
        card.fill(QColor(200, 0, 0));
        PrintWindow w(card, nullptr);
        w.show();
        for (QRadioButton *o : w.findChildren<QRadioButton *>("OptPrintSet"))
            if (o->property("index").toInt() == 1)
                QTest::mouseClick(o, Qt::LeftButton);
        MessageAnswers answers;
        auto *button = w.findChild<QLabel *>("ImgPrint");
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(answers.count(), 0);

        // The job is written by the server a moment later.
        QTRY_VERIFY_WITH_TIMEOUT(pdfImages(m_output).size() == 3, 30000);
        const QStringList f = pdfImages(m_output)[2].simplified().split(' ');
        QCOMPARE(QSize(f.value(3).toInt(), f.value(4).toInt()), QSize(680, 1035));
        QCOMPARE(f.value(5), QStringLiteral("rgb")); // in colour, not the grey a default queue gives
        QCOMPARE(f.value(12).toInt(), 96);
        QCOMPARE(f.value(13).toInt(), 96);

        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty())
            return;
        QProcess render;
        render.start(pdftoppm, {"-r", "72", "-singlefile", m_output, m_root.path() + "/page"});
        QVERIFY(render.waitForFinished(60000));
        const QImage page(m_root.path() + "/page.ppm");
        QCOMPARE(page.size(), QSize(595, 842));
        QRect red;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qRed(page.pixel(x, y)) > 150 && qGreen(page.pixel(x, y)) < 80)
                    red |= QRect(x, y, 1, 1);
        // The queue's printable corner, 18 x 36 pt; 680 x 1035 pixels at 96 per inch are 510 x 776 pt.
        QVERIFY2(qAbs(red.left() - 18) <= 1 && qAbs(red.top() - 36) <= 1,
                 qPrintable(QStringLiteral("at %1,%2").arg(red.left()).arg(red.top())));
        QVERIFY2(qAbs(red.width() - 510) <= 2 && qAbs(red.height() - 776) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(red.width()).arg(red.height())));
    }

    // A card with its design prints sharp through the queue: its text stays text, it measures what the
    // print image measures (90.0 x 54.8 mm) at the printable corner, and the printer's calibration moves
    // and grows it by exactly what was measured.
    void printsTheDesignSharp_data()
    {
        QTest::addColumn<Calibration>("calibration");
        QTest::newRow("uncalibrated") << Calibration();
        QTest::newRow("+1.5 / -2.0 mm, 101 %") << Calibration{1.5, -2.0, 101};
    }
    void printsTheDesignSharp()
    {
        QFETCH(Calibration, calibration);
        if (!PdfTools::available())
            QSKIP("poppler-utils are not installed");
        CardFonts::install();
        QCOMPARE(PrintCalibration::save(QStringLiteral("velnor-file"), calibration), QString());
        auto design = std::make_unique<CardModel>();
        design->setBackgroundShown(false);
        design->setPageColor(0x0080C0F0);
        const QString name = design->textElement(ElementId::LabName).text;
        PrintWindow w(renderCard(*design), nullptr);
        w.setDesign(std::move(design));
        w.show();
        for (QRadioButton *o : w.findChildren<QRadioButton *>("OptPrintSet"))
            if (o->property("index").toInt() == 0)
                QTest::mouseClick(o, Qt::LeftButton);
        QFile::remove(m_output);
        MessageAnswers answers;
        auto *button = w.findChild<QLabel *>("ImgPrint");
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(answers.count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(PdfTools::text(m_output).contains(name), 30000);
        for (const QString &row : pdfImages(m_output).mid(2)) // the logo only, no picture of the card
            QVERIFY2(!row.simplified().contains(QStringLiteral(" 340 207 ")), qPrintable(row));

        constexpr int Dpi = 400;
        const QImage page = PdfTools::render(m_output, Dpi, m_root.path() + "/sharp");
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qBlue(page.pixel(x, y)) < 192)
                    ink |= QRect(x, y, 1, 1);
        const QRectF mm(QPointF(ink.topLeft()) * 25.4 / Dpi, QSizeF(ink.size()) * 25.4 / Dpi);
        const double s = calibration.scalePercent / 100;
        // The queue's printable corner is 18 x 36 pt.
        const QRectF expected(QPointF(18, 36) * 25.4 / 72 +
                                  QPointF(calibration.offsetXMm, calibration.offsetYMm),
                              QSizeF(90.0, 54.77) * s);
        const auto near = [](double a, double b) { return std::abs(a - b) <= 0.1; };
        QVERIFY2(near(mm.left(), expected.left()) && near(mm.top(), expected.top()) &&
                     near(mm.width(), expected.width()) && near(mm.height(), expected.height()),
                 qPrintable(QStringLiteral("%1,%2 %3 x %4 mm, expected %5,%6 %7 x %8")
                                .arg(mm.left())
                                .arg(mm.top())
                                .arg(mm.width())
                                .arg(mm.height())
                                .arg(expected.left())
                                .arg(expected.top())
                                .arg(expected.width())
                                .arg(expected.height())));
    }

private:
    QTemporaryDir m_root{QDir::tempPath() + "/velnor-cups-XXXXXX"};
    QProcess m_cupsd;
    QString m_socket;
    QString m_output;
};

QTEST_MAIN(TstCupsPrint)
#include "tst_cupsprint.moc"
