// What the contact QR code says, and how it follows the card: the vCard and MeCard builders against the
// texts they are made from, and the code living as an element (re-encoded with each edit, undone,
// kept in the design file, moved in when the card is turned).
#include "card/CardDesign.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/ContactCode.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace ContactCode;
Q_DECLARE_METATYPE(Contact)

class TstContactCode : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void builders_data();
    void builders();
    void chosenTexts();
    void contrast();
    void followsTheTexts();
    void optionsAreSteps();
    void portraitKeepsInside();
    void designKeepsIt();
    void hiddenChangesNoPicture();
};

void TstContactCode::captions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("full-width colon") << "电话：0571-88867701"
                                      << "0571-88867701";
    QTest::newRow("ascii colon, spaces") << " 电子信箱 : zs@lorvik.cn "
                                         << "zs@lorvik.cn";
    QTest::newRow("web address kept") << "http://www.lorvik.cn"
                                      << "http://www.lorvik.cn";
    QTest::newRow("no caption") << "张三"
                                << "张三";
    QTest::newRow("latin caption kept") << "Tel: 123"
                                        << "Tel: 123";
    QTest::newRow("only the first caption") << "地址：A座：3楼"
                                            << "A座：3楼";
    QTest::newRow("caption alone") << "手机："
                                   << "";
}

void TstContactCode::captions()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(withoutCaption(text), value);
}

void TstContactCode::builders_data()
{
    QTest::addColumn<Contact>("contact");
    QTest::addColumn<QString>("vcard");
    QTest::addColumn<QString>("mecard");
    const QString head = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    const QString tail = QStringLiteral("END:VCARD\r\n");

    Contact all;
    all.name = QStringLiteral("张三");
    all.job = QStringLiteral("经理");
    all.office = QStringLiteral("Lorvik工作室");
    all.address = QStringLiteral("杭州市西湖区\r\n青芝坞路88号");
    all.post = QStringLiteral("310013");
    all.tel = QStringLiteral("0571-1");
    all.fax = QStringLiteral("0571-2");
    all.mobile = QStringLiteral("139");
    all.http = QStringLiteral("www.lorvik.cn");
    all.mail = QStringLiteral("zs@lorvik.cn");
    QTest::newRow("all nine, address on two lines")
        << all
        << head +
               "N:张三;;;;\r\nFN:张三\r\nORG:Lorvik工作室\r\nTITLE:经理\r\n"
               "ADR;TYPE=WORK:;;杭州市西湖区\\n青芝坞路88号;;;310013;\r\nTEL;TYPE=WORK,VOICE:0571-1\r\n"
               "TEL;TYPE=CELL:139\r\nTEL;TYPE=WORK,FAX:0571-2\r\nEMAIL;TYPE=INTERNET:zs@lorvik.cn\r\n"
               "URL:www.lorvik.cn\r\n" +
               tail
        << "MECARD:N:张三;ORG:Lorvik工作室;NOTE:经理;ADR:杭州市西湖区 青芝坞路88号 310013;TEL:0571-1;TEL:139;"
           "EMAIL:zs@lorvik.cn;URL:www.lorvik.cn;;";

    Contact special;
    special.name = QStringLiteral("Li, Si; \\x");
    special.office = QStringLiteral("A:B");
    QTest::newRow("commas, semicolons, backslashes, colons")
        << special << head + "N:Li\\, Si\\; \\\\x;;;;\r\nFN:Li\\, Si\\; \\\\x\r\nORG:A:B\r\n" + tail
        << "MECARD:N:Li\\, Si\\; \\\\x;ORG:A\\:B;;";

    Contact noName;
    noName.office = QStringLiteral("Lorvik");
    noName.post = QStringLiteral("310013");
    QTest::newRow("no name: the company names it; post code alone")
        << noName << head + "N:;;;;\r\nFN:Lorvik\r\nORG:Lorvik\r\nADR;TYPE=WORK:;;;;;310013;\r\n" + tail
        << "MECARD:ORG:Lorvik;ADR:310013;;";

    QTest::newRow("nothing") << Contact() << head + "N:;;;;\r\nFN:\r\n" + tail << "MECARD:;";
}

void TstContactCode::builders()
{
    QFETCH(Contact, contact);
    QFETCH(QString, vcard);
    QFETCH(QString, mecard);
    QCOMPARE(vCard(contact), vcard);
    QCOMPARE(meCard(contact), mecard);
    QCOMPARE(text(contact, ContactFormat::VCard), vcard.toUtf8());
}

void TstContactCode::chosenTexts()
{
    CardModel card;
    std::array<TextElement, TextElementCount> texts = card.state().texts;
    texts[size_t(ElementId::LabTel)].visible = false;
    texts[size_t(ElementId::LabMob)].text.clear();
    const Contact c = fromTexts(texts, AllFields);
    QCOMPARE(c.name, QStringLiteral("张三"));
    QCOMPARE(c.tel, QString());    // hidden
    QCOMPARE(c.mobile, QString()); // empty
    QCOMPARE(c.post, QStringLiteral("310013"));
    QCOMPARE(c.mail, QStringLiteral("zs@lorvik.cn"));
    // The defaults: name, company, mobile, e-mail and web address.
    const Contact d = fromTexts(card.state().texts, DefaultFields);
    QCOMPARE(d.job, QString());
    QCOMPARE(d.address + d.post + d.tel + d.fax, QString());
    QCOMPARE(d.mobile, QStringLiteral("13905718866"));
    QCOMPARE(d.http, QStringLiteral("www.lorvik.cn"));
}

void TstContactCode::contrast()
{
    QCOMPARE(qRound(contrastRatio(Qt::black, Qt::white)), 21);
    QCOMPARE(contrastRatio(Qt::white, Qt::white), 1.0);
    CardModel card;
    QVERIFY(!card.setQrColor(0x00C0C0C0)); // light grey: refused
    QCOMPARE(card.element(ElementId::PicQr).color, VbColor(0));
    QVERIFY(!card.history().canUndo());
    QVERIFY(card.setQrColor(0x00800000));                                               // navy
    QCOMPARE(card.qrImage().pixel(card.qrImage().width() / 2, 7), qRgb(255, 255, 255)); // quiet zone
    QVERIFY(card.qrImage().pixel(8, 8) == qRgb(0, 0, 0x80)); // the finder's corner module
}

void TstContactCode::followsTheTexts()
{
    CardModel card;
    QVERIFY(!card.element(ElementId::PicQr).visible);
    QVERIFY(card.qrText().contains("FN:张三"));
    const double before = card.element(ElementId::PicQr).width;
    card.setText(ElementId::LabName, QStringLiteral("李"));
    card.setText(ElementId::LabName, QStringLiteral("李四"));
    QVERIFY(card.qrText().contains("FN:李四"));
    card.history().commit();
    QCOMPARE(card.history().undoCount(), 1); // the typing and the code are one step
    // A long address (chosen) grows the code; the box follows, in whole modules.
    card.setQrFields(AllFields);
    card.history().commit();
    card.setText(ElementId::LabAdd, QString(300, QChar(0x6C5F)));
    card.history().commit();
    QVERIFY(card.element(ElementId::PicQr).width > before);
    QCOMPARE(card.element(ElementId::PicQr).width, card.qrCode().sizeWithQuietZone() * 2 * 15.0);
    QCOMPARE(card.qrImage().width(), card.qrCode().sizeWithQuietZone() * 2);
    // Hiding a text leaves it out of the code.
    card.setVisible(ElementId::LabAdd, false);
    QVERIFY(!card.qrText().contains("江江"));
    QVERIFY(card.qrText().contains("ADR;TYPE=WORK:;;;;;310013;")); // the post code stays
    card.history().commit();
    card.history().undo();
    QVERIFY(card.qrText().contains("江江"));
    card.history().undo();
    card.history().undo();
    QVERIFY(card.qrText().contains("FN:李四"));
    QCOMPARE(card.element(ElementId::PicQr).width, before);
    card.history().undo();
    QVERIFY(card.qrText().contains("FN:张三"));
}

void TstContactCode::optionsAreSteps()
{
    CardModel card;
    const QByteArray vcard = card.qrText();
    card.setQrFormat(ContactFormat::MeCard);
    card.history().commit();
    QVERIFY(card.qrText().startsWith("MECARD:"));
    QVERIFY(card.qrText().size() < vcard.size());
    card.setQrModuleSize(4);
    card.history().commit();
    QCOMPARE(card.qrImage().width(), card.qrCode().sizeWithQuietZone() * 4);
    card.setQrModuleSize(9); // clamped
    QCOMPARE(card.qrOptions().modulePx, 4);
    card.setVisible(ElementId::PicQr, true);
    card.history().commit();
    QCOMPARE(card.elementAt(QPointF(card.element(ElementId::PicQr).left + 30, 30)),
             std::optional<ElementId>(ElementId::PicQr));
    card.history().undo();
    card.history().undo();
    card.history().undo();
    QCOMPARE(card.qrText(), vcard);
    QCOMPARE(card.qrImage().width(), card.qrCode().sizeWithQuietZone() * 2);
    QVERIFY(!card.history().canUndo());
}

void TstContactCode::portraitKeepsInside()
{
    CardModel card;
    card.setQrModuleSize(3);
    card.moveElement(ElementId::PicQr, 5100 - card.element(ElementId::PicQr).width,
                     3105 - card.element(ElementId::PicQr).height);
    card.setOrientation(Orientation::Portrait);
    const CardElement &e = card.element(ElementId::PicQr);
    QVERIFY(e.left >= 0 && e.top >= 0);
    QVERIFY(e.left + e.width <= card.cardWidth());
    QVERIFY(e.top + e.height <= card.cardHeight());
    QCOMPARE(e.left + e.width, card.cardWidth()); // moved in by the shortest way
    QCOMPARE(e.top, 3105 - e.height);             // already inside vertically

    // A code that grows (larger modules, more text) at the card's edge moves in rather than being cut off.
    card.setOrientation(Orientation::Landscape);
    card.moveElement(ElementId::PicQr, 5100 - e.width, 0);
    card.setQrModuleSize(4);
    QCOMPARE(e.left + e.width, 5100.0);
    card.setText(ElementId::LabName, QStringLiteral("张三丰张三丰张三丰"));
    QCOMPARE(e.left + e.width, 5100.0);
}

void TstContactCode::designKeepsIt()
{
    CardModel card;
    card.setQrFields(bit(Name) | bit(Address) | bit(Fax));
    card.setQrFormat(ContactFormat::MeCard);
    card.setQrModuleSize(3);
    QVERIFY(card.setQrColor(0x00400000));
    card.setVisible(ElementId::PicQr, true);
    card.moveElement(ElementId::PicQr, 150, 300);
    const QByteArray bytes = CardDesign::encode(card);

    CardModel opened;
    QString reason;
    QVERIFY2(CardDesign::decode(bytes, opened, &reason), qPrintable(reason));
    QVERIFY(opened.state() == card.state());
    QCOMPARE(opened.qrText(), card.qrText());
    QCOMPARE(opened.qrImage(), card.qrImage());

    // The code has its own place in the file; the elements are the design's twelve, as before.
    const QJsonObject written = QJsonDocument::fromJson(bytes).object();
    QVERIFY(written.value(QStringLiteral("qr")).isObject());
    QCOMPARE(written.value(QStringLiteral("elements")).toObject().size(), 12);
    QVERIFY(!written.value(QStringLiteral("elements")).toObject().contains(QStringLiteral("PicQr")));
    QCOMPARE(written.value(QStringLiteral("version")).toInt(), 1);

    // A design saved before the code existed opens with the code hidden, as on a new card.
    QJsonObject root = QJsonDocument::fromJson(bytes).object();
    root.remove(QStringLiteral("qr"));
    QVERIFY2(CardDesign::decode(QJsonDocument(root).toJson(), opened, &reason), qPrintable(reason));
    const CardModel fresh;
    QVERIFY(!opened.element(ElementId::PicQr).visible);
    QCOMPARE(opened.qrOptions(), QrOptions());
    QCOMPARE(opened.element(ElementId::PicQr).left, 0.0 + 5100 - opened.element(ElementId::PicQr).width);

    // A colour too light to scan, an unknown text or module size: refused as damaged.
    const struct {
        const char *key;
        QJsonValue value;
    } bad[] = {{"color", 0x00F0F0F0},
               {"fields", QJsonArray{QStringLiteral("Hline")}},
               {"moduleSize", 5},
               {"moduleSize", 2.5},
               {"format", QStringLiteral("vcard")}};
    for (const auto &b : bad) {
        QJsonObject r = QJsonDocument::fromJson(bytes).object();
        QJsonObject qr = r.value(QStringLiteral("qr")).toObject();
        qr.insert(QLatin1String(b.key), b.value);
        r.insert(QStringLiteral("qr"), qr);
        CardModel target;
        QVERIFY2(!CardDesign::decode(QJsonDocument(r).toJson(), target, &reason), b.key);
        QVERIFY(!reason.isEmpty());
        QVERIFY(target.state() == fresh.state());
    }
}

void TstContactCode::hiddenChangesNoPicture()
{
    // The hidden code draws nothing, whatever its choices: the saved picture is the card's alone.
    CardModel plain;
    CardModel chosen;
    chosen.setQrFields(AllFields);
    chosen.setQrModuleSize(4);
    QCOMPARE(renderCard(chosen), renderCard(plain));
    chosen.setVisible(ElementId::PicQr, true);
    QVERIFY(renderCard(chosen) != renderCard(plain));
}

QTEST_MAIN(TstContactCode)
#include "tst_contactcode.moc"
