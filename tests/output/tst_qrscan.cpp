// The contact QR code scanned as a phone would, by zbarimg (Debian's zbar-tools): from the BMP the card is
// saved as, at each module size, and from a 300 ppi PNG export and the PDF; what it reads is the text the
// card says. Skipped where zbarimg is not installed.
#include "card/CardDesign.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardArt.h"
#include "output/CardExport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
// What zbarimg reads in the file, as bytes; empty when it finds no code.
QByteArray scan(const QString &path)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"),
                                           QStringLiteral("--nodbus"), QStringLiteral("-Sbinary"), path});
    if (!zbar.waitForFinished(30000) || zbar.exitStatus() != QProcess::NormalExit || zbar.exitCode() != 0)
        return QByteArray();
    // With -Sbinary the symbol's bytes come as they are, without a line break after them.
    return zbar.readAllStandardOutput();
}

struct TextRow {
    ElementId id;
    const char *text;
};
} // namespace
Q_DECLARE_METATYPE(TextRow)

class TstQrScan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scans_data();
    void scans();
    void scansFromThePdf();

private:
    QTemporaryDir m_dir;
};

void TstQrScan::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        QSKIP("zbarimg (zbar-tools) is not installed");
    QVERIFY(m_dir.isValid());
}

void TstQrScan::scans_data()
{
    QTest::addColumn<QVector<TextRow>>("texts");
    QTest::addColumn<int>("hidden"); // an element hidden on the card, or -1
    QTest::addColumn<unsigned>("fields");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("modulePx");
    QTest::addColumn<QByteArray>("expected"); // empty: only what the card says

    using namespace ContactCode;
    const QVector<TextRow> defaults;
    const QVector<TextRow> latin{{ElementId::LabName, "Zhang San"},
                                 {ElementId::LabOffice, "Lorvik Studio"},
                                 {ElementId::LabMob, "Mobile: 139"}};
    const QVector<TextRow> special{
        {ElementId::LabName, "Li, Si; \\x"}, {ElementId::LabOffice, "A;B,C\\D"}, {ElementId::LabMail, ""}};
    const QVector<TextRow> mixed{{ElementId::LabName, "王Wang"},
                                 {ElementId::LabAdd, "地址：杭州市西湖区\r\n青芝坞路88号, 3幢"},
                                 {ElementId::LabPost, "邮政编码：310013"}};
    const unsigned name = bit(Name);
    const int v = int(ContactFormat::VCard), m = int(ContactFormat::MeCard);
    QTest::newRow("default card, vCard, 2 px") << defaults << -1 << DefaultFields << v << 2 << QByteArray();
    QTest::newRow("default card, all nine, 2 px") << defaults << -1 << AllFields << v << 2 << QByteArray();
    QTest::newRow("default card, all nine, MeCard, 3 px")
        << defaults << -1 << AllFields << m << 3 << QByteArray();
    QTest::newRow("Latin, MeCard, 4 px")
        << latin << -1 << (name | bit(Office) | bit(Mobile)) << m << 4
        << QByteArray("MECARD:N:Zhang San;ORG:Lorvik Studio;TEL:Mobile\\: 139;;");
    QTest::newRow("commas, semicolons, backslashes, vCard, 3 px")
        << special << -1 << DefaultFields << v << 3
        << QByteArray(
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Li\\, Si\\; \\\\x;;;;\r\nFN:Li\\, Si\\; \\\\x\r\n"
               "ORG:A\\;B\\,C\\\\D\r\nTEL;TYPE=CELL:13905718866\r\nURL:www.lorvik.cn\r\nEND:VCARD\r\n");
    QTest::newRow("Chinese and Latin, address on two lines, 3 px")
        << mixed << -1 << (name | bit(Address)) << v << 3
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:王Wang;;;;\r\nFN:王Wang\r\n"
                      "ADR;TYPE=WORK:;;杭州市西湖区\\n青芝坞路88号\\, 3幢;;;310013;\r\nEND:VCARD\r\n");
    QTest::newRow("Chinese name alone, vCard, 4 px")
        << defaults << -1 << name << v << 4
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:张三;;;;\r\nFN:张三\r\nEND:VCARD\r\n");
    QTest::newRow("name hidden, fax empty, 2 px")
        << QVector<TextRow>{{ElementId::LabFax, ""}} << int(ElementId::LabName) << (AllFields & ~name) << v
        << 2 << QByteArray();
}

void TstQrScan::scans()
{
    QFETCH(QVector<TextRow>, texts);
    QFETCH(int, hidden);
    QFETCH(unsigned, fields);
    QFETCH(int, format);
    QFETCH(int, modulePx);
    QFETCH(QByteArray, expected);

    CardModel card;
    for (const TextRow &t : texts)
        card.setText(t.id, QString::fromUtf8(t.text));
    if (hidden >= 0)
        card.setVisible(ElementId(hidden), false);
    card.setQrFields(fields);
    card.setQrFormat(ContactFormat(format));
    card.setQrModuleSize(modulePx);
    card.setVisible(ElementId::PicQr, true);
    card.moveElement(ElementId::PicQr, 0, 0);
    const CardElement &qr = card.element(ElementId::PicQr);
    QVERIFY2(qr.width <= card.cardWidth() && qr.height <= card.cardHeight(), "the code fits on the card");
    if (!expected.isEmpty())
        QCOMPARE(card.qrText(), expected);
    QVERIFY(!card.qrText().contains("张三") ||
            !QByteArray(QTest::currentDataTag()).startsWith("name hidden"));

    // Saved as the card is saved: the BMP with its design.
    const QString bmp = m_dir.filePath(QStringLiteral("card.bmp"));
    QCOMPARE(CardDesign::writeWithPicture(bmp, renderCard(card), card), QString());
    QCOMPARE(scan(bmp), card.qrText());

    // Exported sharp at 300 ppi.
    const QString png = m_dir.filePath(QStringLiteral("card.png"));
    QCOMPARE(CardExport::write(CardExport::Kind::Png300, CardArt(card), QStringLiteral("card"), png),
             QString());
    QCOMPARE(scan(png), card.qrText());
}

void TstQrScan::scansFromThePdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    CardModel card;
    card.setQrFields(ContactCode::AllFields);
    card.setVisible(ElementId::PicQr, true);
    const QString pdf = m_dir.filePath(QStringLiteral("card.pdf"));
    QCOMPARE(CardExport::write(CardExport::Kind::PdfCard, CardArt(card), QStringLiteral("card"), pdf),
             QString());
    // The code in the PDF is squares, not a picture: rasterised at a printer's resolution it still scans.
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, m_dir.filePath(QStringLiteral("pdfpage"))});
    QVERIFY(raster.waitForFinished(30000) && raster.exitCode() == 0);
    QCOMPARE(scan(m_dir.filePath(QStringLiteral("pdfpage.png"))), card.qrText());
}

QTEST_MAIN(TstQrScan)
#include "tst_qrscan.moc"
