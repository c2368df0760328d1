// The card's elements under the mouse: the double-click input box and dragging.
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"
#include "card/Twips.h"
#include "editing/CardCanvas.h"
#include "editing/ElementReactions.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButtons)

namespace {
// What the armed answer saw of the input box.
struct SeenBox {
    bool shown = false;
    QString title;
    QString prompt;
    QString value;
};

// Answers the next modal input box: a text with OK, or Cancel when the answer is null.
void answerNextInputBox(SeenBox *seen, const QString &answer)
{
    QTimer::singleShot(0, [seen, answer] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->shown = true;
        seen->title = box->windowTitle();
        seen->prompt = box->labelText();
        seen->value = box->textValue();
        if (answer.isNull()) {
            box->reject();
        } else {
            box->setTextValue(answer);
            box->accept();
        }
    });
}
} // namespace

class TstElementReactions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void doubleClickEdits_data();
    void doubleClickEdits();
    void doubleClickPromptsFollowTheTable_data();
    void doubleClickPromptsFollowTheTable();
    void hiddenOrEmptyElementIsNotDoubleClicked();
    void dragRule_data();
    void dragRule();
    void dragKeepsGoingOffTheCard();
    void topmostVisibleElementTakesThePress();

private:
    QWidget *element(ElementId id) const { return m_canvas->elementWidget(id); }
    // A real double-click sequence (press, release, double-click, release) near an element's left end.
    void doubleClick(ElementId id)
    {
        QWidget *w = element(id);
        const QPoint at(std::min(5, w->width() / 2), w->height() / 2);
        QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, w->mapTo(m_window.get(), at));
    }

    QTemporaryDir m_settingsDir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<QWidget> m_window;
    CardCanvas *m_canvas = nullptr;
};

void TstElementReactions::initTestCase()
{
    CardFonts::install();
    QVERIFY(m_settingsDir.isValid());
    setSettingsDirectory(m_settingsDir.path());
}

void TstElementReactions::init()
{
    QFile::remove(settingsFilePath());
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    m_window->resize(500, 400);
    m_canvas = new CardCanvas(m_card.get(), m_window.get());
    m_canvas->move(40, 60);
    new ElementReactions(m_canvas, m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstElementReactions::cleanup()
{
    m_window.reset();
    m_card.reset();
}

void TstElementReactions::doubleClickEdits_data()
{
    QTest::addColumn<QString>("stored");  // the [Text] Office setting, null for none
    QTest::addColumn<QString>("current"); // the text before the double-click
    QTest::addColumn<QString>("answer");  // null for Cancel
    QTest::addColumn<QString>("expected");
    const QString none;
    QTest::newRow("new text") << none << "Lorvik工作室"
                              << "新公司"
                              << "新公司";
    QTest::newRow("taken unchanged") << none << "Lorvik工作室"
                                     << "  带空格  "
                                     << "  带空格  ";
    QTest::newRow("OK unchanged") << "存储的公司"
                                  << "甲\r\n乙"
                                  << "甲\r\n乙"
                                  << "甲\r\n乙";
    QTest::newRow("cancel brings the stored text") << "存储的公司"
                                                   << "Lorvik工作室" << none << "存储的公司";
    QTest::newRow("empty OK brings the stored text") << "存储的公司"
                                                     << "Lorvik工作室"
                                                     << ""
                                                     << "存储的公司";
    QTest::newRow("cancel without stored text empties") << none << "Lorvik工作室" << none << "";
    const QString longText(40000, QChar(0x5B57));
    QTest::newRow("OK keeps a very long text whole") << none << longText << longText << longText;
}

void TstElementReactions::doubleClickEdits()
{
    QFETCH(QString, stored);
    QFETCH(QString, current);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    if (!stored.isNull())
        QVERIFY(WriteSetting(QStringLiteral("Text"), QStringLiteral("Office"), stored));
    m_card->setText(ElementId::LabOffice, current);
    const CardElement before = m_card->element(ElementId::LabOffice);

    SeenBox seen;
    answerNextInputBox(&seen, answer);
    doubleClick(ElementId::LabOffice);
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QStringLiteral("Velnor名片文字更改"));
    QCOMPARE(seen.value, current);

    const TextElement &office = m_card->textElement(ElementId::LabOffice);
    QCOMPARE(office.text, expected);
    // The presses of the double-click move nothing; the label sizes itself to its new text.
    QCOMPARE(office.left, before.left);
    QCOMPARE(office.top, before.top);
    QFontMetricsF fm(CardFonts::fontFor(office));
    double widest = 0;
    for (const QString &line : office.lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    QCOMPARE(office.width, std::ceil(widest) * 15);
    QCOMPARE(m_canvas->elementWidget(ElementId::LabOffice)->width(), std::max(1, int(std::ceil(widest))));
}

void TstElementReactions::doubleClickPromptsFollowTheTable_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("LabName") << int(ElementId::LabName) << "在下面的文字输入框中输入您需要的名字";
    QTest::newRow("LabJob") << int(ElementId::LabJob) << "在下面的文字输入框中输入您的职位";
    QTest::newRow("LabOffice") << int(ElementId::LabOffice) << "在下面的文字输入框中输入您的公司名称";
    QTest::newRow("LabAdd") << int(ElementId::LabAdd) << "在下面的文字输入框中输入您的详细地址";
    QTest::newRow("LabPost") << int(ElementId::LabPost) << "在下面的文字输入框中输入您邮政编码";
    QTest::newRow("LabFax") << int(ElementId::LabFax) << "在下面的文字输入框中输入您的传真号码";
    QTest::newRow("LabTel") << int(ElementId::LabTel) << "在下面的文字输入框中输入您的电话号码字";
    QTest::newRow("LabMob") << int(ElementId::LabMob) << "在下面的文字输入框中输入您的手机号码";
    QTest::newRow("LabHttp") << int(ElementId::LabHttp) << "在下面的文字输入框中输入您的网址";
    QTest::newRow("LabMail") << int(ElementId::LabMail) << "在下面的文字输入框中输入您的电子信箱";
}

void TstElementReactions::doubleClickPromptsFollowTheTable()
{
    QFETCH(int, id);
    QFETCH(QString, firstLine);
    const ElementId e = ElementId(id);
    QVERIFY(WriteSetting(QStringLiteral("Text"), QLatin1String(elementInfo(e).settingKey),
                         QStringLiteral("默认")));

    SeenBox seen;
    answerNextInputBox(&seen, QString());
    doubleClick(e);
    QVERIFY(seen.shown);
    QCOMPARE(seen.prompt, firstLine + QStringLiteral("\r\n然后按下“确定”按钮以确定输入。"));
    QCOMPARE(m_card->textElement(e).text, QStringLiteral("默认")); // each element reads its own key
}

void TstElementReactions::hiddenOrEmptyElementIsNotDoubleClicked()
{
    const QPoint nameCentre =
        element(ElementId::LabName)->mapTo(m_window.get(), element(ElementId::LabName)->rect().center());
    m_card->setVisible(ElementId::LabName, false);
    SeenBox seen;
    answerNextInputBox(&seen, QStringLiteral("不该出现"));
    QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, nameCentre);
    QTest::qWait(20);
    QVERIFY(!seen.shown);
    QCOMPARE(m_card->textElement(ElementId::LabName).text, QStringLiteral("张三"));

    m_card->setText(ElementId::LabJob, QString());
    SeenBox seen2;
    answerNextInputBox(&seen2, QStringLiteral("不该出现"));
    doubleClick(ElementId::LabJob);
    QTest::qWait(20);
    QVERIFY(!seen2.shown);
    QCOMPARE(m_card->textElement(ElementId::LabJob).text, QString());
}

void TstElementReactions::dragRule_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<Qt::MouseButtons>("held");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("moves");
    const auto left = Qt::MouseButtons(Qt::LeftButton);
    QTest::newRow("left drags a text") << int(ElementId::LabName) << left << Qt::KeyboardModifiers() << true;
    QTest::newRow("left drags the line") << int(ElementId::Hline) << left << Qt::KeyboardModifiers() << true;
    QTest::newRow("left drags the logo")
        << int(ElementId::PicCardLogo) << left << Qt::KeyboardModifiers() << true;
    QTest::newRow("left drags the QR code")
        << int(ElementId::PicQr) << left << Qt::KeyboardModifiers() << true;
    QTest::newRow("shift makes no difference")
        << int(ElementId::LabAdd) << left << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("ctrl makes no difference")
        << int(ElementId::LabMail) << left << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("right") << int(ElementId::LabName) << Qt::MouseButtons(Qt::RightButton)
                           << Qt::KeyboardModifiers() << false;
    QTest::newRow("middle") << int(ElementId::LabOffice) << Qt::MouseButtons(Qt::MiddleButton)
                            << Qt::KeyboardModifiers() << false;
    QTest::newRow("left and right") << int(ElementId::LabName) << (Qt::LeftButton | Qt::RightButton)
                                    << Qt::KeyboardModifiers() << false;
}

void TstElementReactions::dragRule()
{
    QFETCH(int, id);
    QFETCH(Qt::MouseButtons, held);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, moves);
    const ElementId e = ElementId(id);
    if (e == ElementId::PicCardLogo && m_card->logo().isNull())
        QSKIP("the logo picture is not built in");
    if (e == ElementId::Hline)
        m_card->setLineSize(4920, 150); // big enough to grab in its middle
    if (e == ElementId::PicQr)
        m_card->setVisible(e, true); // hidden on the default card
    const CardElement before = m_card->element(e);
    QWidget *w = element(e);
    const QPoint grab(std::min(3, w->width() - 1), std::min(4, w->height() - 1));

    // Press each held button in turn, then move by (+20, +7) and (-35, +3) pixels from the grab point.
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b)
            QTest::mousePress(w, b, modifiers, grab);
    QTest::mouseMove(w, grab + QPoint(20, 7));
    QTest::mouseMove(w, grab + QPoint(-35, 3));
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b)
            QTest::mouseRelease(w, b, modifiers, grab + QPoint(-35, 3));

    const CardElement &after = m_card->element(e);
    if (moves) {
        // Each move goes by the pointer's offset from the grab point, measured from where the element is.
        QCOMPARE(after.left, before.left + (20 - 35) * 15);
        QCOMPARE(after.top, before.top + (7 + 3) * 15);
    } else {
        QCOMPARE(after.left, before.left);
        QCOMPARE(after.top, before.top);
    }
    QCOMPARE(after.width, before.width);
    QCOMPARE(after.height, before.height);
    QCOMPARE(w->pos(), Twips::toPx(after.left, after.top));

    // A press and release without movement leaves it where it is.
    QTest::mouseClick(w, Qt::LeftButton, {}, grab);
    QCOMPARE(m_card->element(e).left, after.left);
    QCOMPARE(m_card->element(e).top, after.top);
}

void TstElementReactions::dragKeepsGoingOffTheCard()
{
    // Paint a tile layer first: dragging over it must leave it intact.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::red);
    m_card->tilePage(tile);
    const QImage layer = m_card->paintedLayer();

    QWidget *w = element(ElementId::LabJob);
    const double left = m_card->element(ElementId::LabJob).left;
    const double top = m_card->element(ElementId::LabJob).top;
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(2, 2));
    // Far off the card's left and top edges: positions become negative, the element keeps the moves.
    QTest::mouseMove(w, QPoint(2 - 400, 2 - 100));
    QTest::mouseMove(w, QPoint(2 - 20, 2 - 10)); // relative to where the element now is
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(2 - 20, 2 - 10));
    QCOMPARE(m_card->element(ElementId::LabJob).left, left - 420 * 15);
    QCOMPARE(m_card->element(ElementId::LabJob).top, top - 110 * 15);
    QVERIFY(m_card->element(ElementId::LabJob).left < 0);
    QCOMPARE(m_card->paintedLayer(), layer);
}

void TstElementReactions::topmostVisibleElementTakesThePress()
{
    // Put the company name over the job title; the company lies above it in the stacking order.
    const CardElement job = m_card->element(ElementId::LabJob);
    m_card->moveElement(ElementId::LabOffice, job.left, job.top);
    const QPoint at = element(ElementId::LabJob)->mapTo(m_window.get(), QPoint(2, 2));

    auto dragAt = [&](const QPoint &windowPos) {
        QWidget *target = m_window->childAt(windowPos);
        QVERIFY(target);
        const QPoint local = target->mapFrom(m_window.get(), windowPos);
        QTest::mousePress(target, Qt::LeftButton, {}, local);
        QTest::mouseMove(target, local + QPoint(5, 0));
        QTest::mouseRelease(target, Qt::LeftButton, {}, local + QPoint(5, 0));
    };
    dragAt(at);
    QCOMPARE(m_card->element(ElementId::LabOffice).left, job.left + 75);
    QCOMPARE(m_card->element(ElementId::LabJob).left, job.left);

    // Once hidden, it can no longer be pressed: the job title below takes the press.
    m_card->moveElement(ElementId::LabOffice, job.left, job.top);
    m_card->setVisible(ElementId::LabOffice, false);
    dragAt(at);
    QCOMPARE(m_card->element(ElementId::LabJob).left, job.left + 75);
    QCOMPARE(m_card->element(ElementId::LabOffice).left, job.left);
}

QTEST_MAIN(TstElementReactions)
#include "tst_elementreactions.moc"
