// Undo and redo of the card: every kind of change is one step that restores the card exactly (its
// pixels and every property) and replays it; what one action changes is one step; typing merges; a
// drag is one step; at least 100 steps; nothing that changes nothing is a step.
#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"

#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {
using Change = std::function<void(CardModel &)>;

QImage picture(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}
} // namespace

class TstCardHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }

    void everyChangeUndoesAndRedoes_data();
    void everyChangeUndoesAndRedoes();
    void undoSignalsWhatChanged();
    void typingMergesUntilSomethingElse();
    void dragIsOneStep();
    void nothingChangedIsNoStep();
    void keepsTheLastHundredSteps();
    void newChangeDropsTheRedoSteps();
    void clearStartsAfresh();
};

void TstCardHistory::everyChangeUndoesAndRedoes_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("description");
    // As the panels and the card's reactions make them (several model calls for one action).
    QTest::newRow("text") << Change([](CardModel &c) {
        c.setText(ElementId::LabOffice, QStringLiteral("新公司"));
    }) << QStringLiteral("文字 公司");
    QTest::newRow("face") << Change([](CardModel &c) {
        c.setFontFace(ElementId::LabName, QStringLiteral("DejaVu Sans"));
    }) << QStringLiteral("字体 名字");
    QTest::newRow("size") << Change([](CardModel &c) { c.setFontSize(ElementId::LabJob, 20); })
                          << QStringLiteral("字号 职位");
    QTest::newRow("style") << Change([](CardModel &c) { c.setStyle(ElementId::LabName, false, true); })
                           << QStringLiteral("字形 名字");
    QTest::newRow("text colour") << Change([](CardModel &c) { c.setForeColor(ElementId::LabTel, 0x0000FF); })
                                 << QStringLiteral("颜色 电话");
    QTest::newRow("all text colours") << Change([](CardModel &c) {
        const CardHistory::Step step(c.history(), QStringLiteral("文字颜色"));
        for (int i = 0; i < TextElementCount; ++i)
            c.setForeColor(ElementId(i), 0x00FF00);
        c.setForeColor(ElementId::Hline, 0x00FF00);
    }) << QStringLiteral("文字颜色");
    QTest::newRow("move") << Change([](CardModel &c) { c.moveElement(ElementId::PicCardLogo, 300, 90); })
                          << QStringLiteral("移动 标志");
    QTest::newRow("hide") << Change([](CardModel &c) { c.setVisible(ElementId::LabMail, false); })
                          << QStringLiteral("隐藏 电子信箱");
    QTest::newRow("orientation") << Change([](CardModel &c) { c.setOrientation(Orientation::Portrait); })
                                 << QStringLiteral("页面方向");
    QTest::newRow("texture") << Change([](CardModel &c) {
        const CardHistory::Step step(c.history(), QStringLiteral("页面纸纹"));
        c.setBackgroundShown(true);
        c.setPictureStore(QImage(Assets::texture(5)));
        c.setPagePicture(c.pictureStore());
        c.tilePage(c.pictureStore());
    }) << QStringLiteral("页面纸纹");
    QTest::newRow("page colour") << Change([](CardModel &c) {
        // The colour panel's background pick: colour, no picture, switch off; one action.
        c.setPageColor(0x336699);
        c.setPagePicture(QImage());
        c.setBackgroundShown(false);
    }) << QStringLiteral("页面颜色");
    QTest::newRow("page picture") << Change([](CardModel &c) {
        c.setPagePicture(picture(50, 40, 0xFF808000));
    }) << QStringLiteral("页面图片");
    QTest::newRow("background off") << Change([](CardModel &c) { c.setBackgroundShown(false); })
                                    << QStringLiteral("隐藏 背景");
    QTest::newRow("logo") << Change([](CardModel &c) { c.setLogo(picture(30, 20, 0x80FF0000)); })
                          << QStringLiteral("标志图片");
    QTest::newRow("line width") << Change([](CardModel &c) {
        c.setLineSize(2000, c.element(ElementId::Hline).height);
    }) << QStringLiteral("直线宽度");
    QTest::newRow("line height") << Change([](CardModel &c) {
        c.setLineSize(c.element(ElementId::Hline).width, 900);
    }) << QStringLiteral("直线高度");
    QTest::newRow("line colour") << Change([](CardModel &c) { c.setForeColor(ElementId::Hline, 0x0000FF); })
                                 << QStringLiteral("颜色 直线");
    QTest::newRow("address per line")
        << Change([](CardModel &c) { c.setAddressWidth(1440); }) << QStringLiteral("地址每行字数");
}

void TstCardHistory::everyChangeUndoesAndRedoes()
{
    QFETCH(Change, change);
    QFETCH(QString, description);
    CardModel card;
    // Something to step back over, so an undo that went too far would show.
    card.setText(ElementId::LabName, QStringLiteral("李四"));
    card.history().commit();
    const CardState before = card.state();
    const QImage drawnBefore = renderCard(card);

    change(card);
    QCoreApplication::processEvents(); // the action's event is over
    QCOMPARE(card.history().undoCount(), 2);
    QCOMPARE(card.history().undoText(), description);
    const CardState after = card.state();
    const QImage drawnAfter = renderCard(card);
    QVERIFY(after != before);

    card.history().undo();
    QVERIFY(card.state() == before);
    QCOMPARE(renderCard(card), drawnBefore);
    QCOMPARE(card.history().redoText(), description);
    card.history().redo();
    QVERIFY(card.state() == after);
    QCOMPARE(renderCard(card), drawnAfter);
    QVERIFY(card.history().canUndo());
    QVERIFY(!card.history().canRedo());
}

void TstCardHistory::undoSignalsWhatChanged()
{
    CardModel card;
    card.moveElement(ElementId::LabJob, 10, 10);
    card.history().commit();
    QSignalSpy elements(&card, &CardModel::elementChanged);
    QSignalSpy pages(&card, &CardModel::pageChanged);
    QSignalSpy turns(&card, &CardModel::orientationChanged);
    QSignalSpy restored(&card, &CardModel::restored);
    card.history().undo();
    QCOMPARE(elements.count(), 1);
    QCOMPARE(elements.at(0).at(0).value<ElementId>(), ElementId::LabJob);
    QCOMPARE(pages.count(), 0);
    QCOMPARE(turns.count(), 0);
    QCOMPARE(restored.count(), 1);

    card.setOrientation(Orientation::Portrait);
    card.history().commit();
    turns.clear();
    card.history().undo();
    QCOMPARE(turns.count(), 1);
    QCOMPARE(card.orientation(), Orientation::Landscape);
}

void TstCardHistory::typingMergesUntilSomethingElse()
{
    CardModel card;
    const QString original = card.textElement(ElementId::LabName).text;
    for (const QString &typed : {QStringLiteral("王"), QStringLiteral("王小"), QStringLiteral("王小二")}) {
        card.setText(ElementId::LabName, typed);
        QCoreApplication::processEvents(); // each key is an event of its own
    }
    QCOMPARE(card.history().undoCount(), 1);
    QCOMPARE(card.history().undoText(), QStringLiteral("文字 名字"));

    // Another element, another step; back to the first, a new step again.
    card.setText(ElementId::LabJob, QStringLiteral("经理"));
    QCoreApplication::processEvents();
    card.setText(ElementId::LabName, QStringLiteral("王小三"));
    QCoreApplication::processEvents();
    QCOMPARE(card.history().undoCount(), 3);
    // Another control used in between (the focus moved) ends the merging too.
    card.history().breakMerge();
    card.setText(ElementId::LabName, QStringLiteral("王小四"));
    QCoreApplication::processEvents();
    QCOMPARE(card.history().undoCount(), 4);

    card.history().undo();
    card.history().undo();
    QCOMPARE(card.textElement(ElementId::LabName).text, QStringLiteral("王小二"));
    card.history().undo();
    card.history().undo();
    QCOMPARE(card.textElement(ElementId::LabName).text, original);
    QVERIFY(!card.history().canUndo());
}

void TstCardHistory::dragIsOneStep()
{
    CardModel card;
    const CardElement start = card.element(ElementId::LabName);
    card.history().beginStep(QStringLiteral("移动 名字"));
    for (int i = 1; i <= 20; ++i) {
        card.moveElement(ElementId::LabName, start.left + 15 * i, start.top);
        QCoreApplication::processEvents(); // the mouse moves are events of their own
    }
    card.history().endStep();
    QCOMPARE(card.history().undoCount(), 1);
    card.history().undo();
    QCOMPARE(card.element(ElementId::LabName).left, start.left);

    // Undo in the middle of a drag takes back what was dragged so far; the rest of the drag is one step.
    card.history().beginStep(QStringLiteral("移动 名字"));
    card.moveElement(ElementId::LabName, start.left + 30, start.top);
    card.history().undo();
    QCOMPARE(card.element(ElementId::LabName).left, start.left);
    for (int i = 1; i <= 5; ++i) {
        card.moveElement(ElementId::LabName, start.left - 15 * i, start.top);
        QCoreApplication::processEvents();
    }
    card.history().endStep();
    QCOMPARE(card.history().undoCount(), 1);
    card.history().undo();
    QCOMPARE(card.element(ElementId::LabName).left, start.left);
    card.history().clear();

    // A press and a release without a move is no step.
    card.history().beginStep(QStringLiteral("移动 名字"));
    card.history().endStep();
    QCOMPARE(card.history().undoCount(), 0);
}

void TstCardHistory::nothingChangedIsNoStep()
{
    CardModel card;
    card.setText(ElementId::LabName, card.textElement(ElementId::LabName).text);
    card.setVisible(ElementId::LabName, true);
    card.setBackgroundShown(true);
    card.setMotto(QStringLiteral("不在名片上"));
    QCoreApplication::processEvents();
    QVERIFY(!card.history().canUndo());
}

void TstCardHistory::keepsTheLastHundredSteps()
{
    CardModel card;
    for (int i = 1; i <= CardHistory::MaxSteps + 20; ++i) {
        card.moveElement(ElementId::LabJob, 15 * i, 0);
        card.history().breakMerge();
        card.history().commit();
    }
    QCOMPARE(card.history().undoCount(), CardHistory::MaxSteps);
    while (card.history().canUndo())
        card.history().undo();
    // The oldest steps are gone: back to where step 21 started.
    QCOMPARE(card.element(ElementId::LabJob).left, 15.0 * 20);
}

void TstCardHistory::newChangeDropsTheRedoSteps()
{
    CardModel card;
    card.setFontSize(ElementId::LabName, 30);
    card.history().commit();
    card.setFontSize(ElementId::LabName, 40);
    card.history().commit();
    card.history().undo();
    QVERIFY(card.history().canRedo());
    card.setVisible(ElementId::LabName, false);
    card.history().commit();
    QVERIFY(!card.history().canRedo());
    QCOMPARE(card.history().undoCount(), 2);
}

void TstCardHistory::clearStartsAfresh()
{
    CardModel card;
    card.setText(ElementId::LabName, QStringLiteral("设置里的名字")); // as the start-up's settings do
    card.history().clear();
    QCoreApplication::processEvents();
    QVERIFY(!card.history().canUndo());
    QVERIFY(!card.history().canRedo());
    QCOMPARE(card.textElement(ElementId::LabName).text, QStringLiteral("设置里的名字"));
}

QTEST_MAIN(TstCardHistory)
#include "tst_cardhistory.moc"
