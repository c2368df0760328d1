// The show/hide panel: its boxes, and a hidden element's absence from the drawn (saved, printed) card.
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "editing/ShowPanel.h"

#include <QCheckBox>
#include <QtTest>
#include <memory>

class TstShowPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }
    void init();
    void cleanup();

    void boxes_data();
    void boxes();
    void hiddenElementIsNotDrawn_data();
    void hiddenElementIsNotDrawn();
    void showingAgainKeepsEverything();
    void backgroundBoxFollowsTheCard();

private:
    QCheckBox *box(const QString &name) const
    {
        auto *b = m_panel->findChild<QCheckBox *>(name);
        if (!b)
            qFatal("missing check box %s", qPrintable(name));
        return b;
    }
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<ShowPanel> m_panel;
};

void TstShowPanel::init()
{
    m_card = std::make_unique<CardModel>();
    m_panel = std::make_unique<ShowPanel>(m_card.get());
}

void TstShowPanel::cleanup()
{
    m_panel.reset();
    m_card.reset();
}

void TstShowPanel::boxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place"); // twips in the frame
    QTest::newRow("ChkLogo") << "ChkLogo"
                             << "标志" << QRect(240, 360, 675, 255);
    QTest::newRow("ChkBg") << "ChkBg"
                           << "背景" << QRect(240, 808, 675, 255);
    QTest::newRow("ChkLine") << "ChkLine"
                             << "直线" << QRect(240, 1256, 675, 255);
    QTest::newRow("ChkName") << "ChkName"
                             << "名字" << QRect(240, 1704, 675, 195);
    QTest::newRow("ChkJob") << "ChkJob"
                            << "职位" << QRect(240, 2092, 675, 195);
    QTest::newRow("ChkOffice") << "ChkOffice"
                               << "公司" << QRect(240, 2480, 675, 255);
    QTest::newRow("ChkAdd") << "ChkAdd"
                            << "地址" << QRect(240, 2928, 675, 195);
    QTest::newRow("ChkPost") << "ChkPost"
                             << "邮编" << QRect(240, 3316, 675, 195);
    QTest::newRow("ChkTel") << "ChkTel"
                            << "电话" << QRect(240, 3704, 675, 195);
    QTest::newRow("ChkMob") << "ChkMob"
                            << "手机" << QRect(240, 4092, 675, 195);
    QTest::newRow("ChkFax") << "ChkFax"
                            << "传真" << QRect(240, 4480, 675, 195);
    QTest::newRow("ChkHttp") << "ChkHttp"
                             << "网址" << QRect(240, 4868, 675, 195);
    QTest::newRow("ChkMail") << "ChkMail"
                             << "电邮" << QRect(225, 5265, 675, 195);
    // A second column beside the first box; the code is hidden on the default card.
    QTest::newRow("ChkQr") << "ChkQr"
                           << "二维码" << QRect(975, 360, 900, 255);
}

void TstShowPanel::boxes()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    QCOMPARE(m_panel->objectName(), QStringLiteral("FrmShow"));
    QCOMPARE(m_panel->title(), QStringLiteral("显示/隐藏"));
    QCOMPARE(m_panel->findChildren<QCheckBox *>().size(), 14);
    QCheckBox *b = box(name);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->geometry(), Twips::rectToPx(place.x(), place.y(), place.width(), place.height()));
    QCOMPARE(b->isChecked(), name != QStringLiteral("ChkQr"));
}

void TstShowPanel::hiddenElementIsNotDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("id");
    for (const ElementRow &info : ElementTable)
        QTest::newRow(info.checkBox) << QString::fromLatin1(info.checkBox) << int(info.id);
}

void TstShowPanel::hiddenElementIsNotDrawn()
{
    QFETCH(QString, name);
    QFETCH(int, id);
    const ElementId e = ElementId(id);
    if (e == ElementId::PicCardLogo && m_card->logo().isNull())
        QSKIP("the logo picture is not built in");
    m_card->setPageColor(VbColors::rgb(255, 255, 255));
    QImage blank(m_card->cardSizePx(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    // Only this element is left on the card, so what it draws is all there is.
    for (int other = 0; other < ElementCount; ++other)
        m_card->setVisible(ElementId(other), other == id);
    const QImage shown = renderCard(*m_card);
    QVERIFY(shown != blank);

    box(name)->click();
    QVERIFY(!m_card->element(e).visible);
    QCOMPARE(renderCard(*m_card), blank);

    box(name)->click();
    QVERIFY(m_card->element(e).visible);
    QCOMPARE(renderCard(*m_card), shown);
}

void TstShowPanel::showingAgainKeepsEverything()
{
    m_card->moveElement(ElementId::LabName, 300, 450);
    m_card->setText(ElementId::LabName, QStringLiteral("李四"));
    const QImage before = renderCard(*m_card);
    box(QStringLiteral("ChkName"))->click();
    // A hidden element can still be changed; it shows the change when ticked again.
    m_card->setText(ElementId::LabName, QStringLiteral("王五"));
    box(QStringLiteral("ChkName"))->click();
    QCOMPARE(m_card->element(ElementId::LabName).left, 300.0);
    QCOMPARE(m_card->element(ElementId::LabName).top, 450.0);
    QCOMPARE(m_card->textElement(ElementId::LabName).text, QStringLiteral("王五"));
    QVERIFY(renderCard(*m_card) != before);

    // The line keeps its block size and colour through hiding.
    m_card->setLineSize(3000, 300);
    m_card->setForeColor(ElementId::Hline, VbColors::rgb(0, 128, 0));
    box(QStringLiteral("ChkLine"))->click();
    box(QStringLiteral("ChkLine"))->click();
    QCOMPARE(m_card->element(ElementId::Hline).width, 3000.0);
    QCOMPARE(m_card->element(ElementId::Hline).height, 300.0);
    QCOMPARE(m_card->element(ElementId::Hline).color, VbColors::rgb(0, 128, 0));
}

void TstShowPanel::backgroundBoxFollowsTheCard()
{
    QCheckBox *bg = box(QStringLiteral("ChkBg"));
    QVERIFY(bg->isChecked());
    QSignalSpy spy(m_card.get(), &CardModel::backgroundShownChanged);
    bg->click();
    QVERIFY(!m_card->backgroundShown());
    QCOMPARE(spy.size(), 1);
    m_card->setBackgroundShown(true);
    QVERIFY(bg->isChecked());
    QCOMPARE(spy.size(), 2); // the box following the card did not run the switch again
    // Hiding the background hides no element.
    for (int i = 0; i < ElementCount; ++i)
        QCOMPARE(m_card->element(ElementId(i)).visible, ElementId(i) != ElementId::PicQr);
}

QTEST_MAIN(TstShowPanel)
#include "tst_showpanel.moc"
