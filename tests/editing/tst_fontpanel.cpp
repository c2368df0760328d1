// The text panel: choosing an element, live editing, the address row, font lists and style options.
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/SettingsStore.h"
#include "editing/FontPanel.h"
#include "widgets/PaletteStrip.h"
#include "widgets/ScreenFonts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <memory>

namespace {
// Drives a list as a pick from its drop-down would: the entry becomes current, then the list reports it.
void pick(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Types any text, one key event per character, as an input method would deliver it.
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
} // namespace

class TstFontPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layoutAndCaptions();
    void fontListsAtStart();
    void choosingLoadsTheElement_data();
    void choosingLoadsTheElement();
    void styleOptionRunsOnlyWhenItChanges();
    void liveEditingCopiesEveryChange();
    void addressCount_data();
    void addressCount();
    void addressBarAtOneIsOneCellWide();
    void picksApplyTypingDoesNot();
    void nothingChosenChangesNothing();
    void textColourStripColoursOnlyTheChosen();
    void badTextsNeverBreakTheEditor();

private:
    template <class W> W *child(const char *name) const
    {
        W *w = m_panel->findChild<W *>(QLatin1String(name));
        if (!w)
            qFatal("missing control %s", name);
        return w;
    }
    QComboBox *obj() const { return child<QComboBox>("ComboFontObj"); }
    QPlainTextEdit *input() const { return child<QPlainTextEdit>("TextInput"); }
    QRadioButton *option(int n) const
    {
        return child<QRadioButton>(QByteArray("OptFontStyle" + QByteArray::number(n)).constData());
    }

    QTemporaryDir m_settingsDir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<FontPanel> m_panel;
};

void TstFontPanel::initTestCase()
{
    CardFonts::install();
    // The program's own interface font.
    QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
    QVERIFY(m_settingsDir.isValid());
    setSettingsDirectory(m_settingsDir.path());
}

void TstFontPanel::init()
{
    m_card = std::make_unique<CardModel>();
    m_panel = std::make_unique<FontPanel>(m_card.get());
    m_panel->fillFontLists();
    m_panel->resize(Twips::toPx(3195), Twips::toPx(5640));
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void TstFontPanel::cleanup()
{
    m_panel.reset();
    m_card.reset();
}

void TstFontPanel::layoutAndCaptions()
{
    QCOMPARE(m_panel->objectName(), QStringLiteral("FrmFont"));
    QCOMPARE(m_panel->title(), QStringLiteral("文字信息编辑"));

    // Every placed control, in twips inside the frame.
    struct Place {
        const char *name;
        int left, top, width, height;
    };
    const Place places[] = {
        {"ComboFontObj", 1905, 270, 1155, 300}, {"HScrFontRow", 1605, 630, 1455, 240},
        {"TextInput", 90, 1245, 2985, 885},     {"PicColor1", 75, 2550, 3000, 255},
        {"ComboFont", 735, 3030, 2355, 300},    {"ComboSize", 735, 3510, 2355, 300},
    };
    for (const Place &p : places)
        QCOMPARE(child<QWidget>(p.name)->geometry(), Twips::rectToPx(p.left, p.top, p.width, p.height));
    QVERIFY(qobject_cast<PaletteStrip *>(child<QWidget>("PicColor1")));

    const QStringList captions{"普通", "粗体", "斜体", "粗斜体"};
    const int lefts[] = {120, 825, 1530, 2235};
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(option(n)->text(), captions[n - 1]);
        QCOMPARE(option(n)->pos(), Twips::toPx(lefts[n - 1], 4350));
        QCOMPARE(option(n)->isChecked(), n == 2);
    }

    QMap<int, QLabel *> group;
    for (QLabel *l : m_panel->findChildren<QLabel *>(QStringLiteral("LabFontSet")))
        group.insert(l->property("index").toInt(), l);
    QCOMPARE(group.size(), 7);
    QCOMPARE(group[5]->text(), QStringLiteral("选择需要编辑的对象："));
    QCOMPARE(group[5]->pos(), Twips::toPx(135, 315));
    QCOMPARE(group[0]->text(), QStringLiteral("输入文字内容："));
    QCOMPARE(group[1]->text(), QStringLiteral("确定文字颜色："));
    QCOMPARE(group[2]->text(), QStringLiteral("字体："));
    QCOMPARE(group[3]->text(), QStringLiteral("字号："));
    QCOMPARE(group[4]->text(), QStringLiteral("文字式样："));
    QCOMPARE(group[4]->pos(), Twips::toPx(120, 4050));
    QVERIFY(group[6]->wordWrap());
    QCOMPARE(group[6]->geometry(), Twips::rectToPx(135, 4770, 2880, 810));

    // At start nothing is chosen, the list reads "文字对象" and the address row is hidden.
    QCOMPARE(obj()->count(), 10);
    QCOMPARE(obj()->itemText(5), QStringLiteral("传真"));
    QCOMPARE(obj()->itemText(6), QStringLiteral("电话"));
    QCOMPARE(obj()->currentIndex(), -1);
    QCOMPARE(obj()->currentText(), QStringLiteral("文字对象"));
    QVERIFY(!m_panel->chosenElement());
    QCOMPARE(input()->toPlainText(), QStringLiteral("选择文字对象后，在此处输入进行名\n片文字的修改。\n"));
    QCOMPARE(input()->document()->firstBlock().layout()->lineCount(), 1); // the hint's first line fits
    QVERIFY(child<QLabel>("LabHscr")->isHidden());
    QCOMPARE(child<QLabel>("LabHscr")->text(), QStringLiteral("确定地址"));
    auto *bar = child<QScrollBar>("HScrFontRow");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 28);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 2);
    QCOMPARE(bar->value(), 1);
}

void TstFontPanel::fontListsAtStart()
{
    auto *faces = child<QComboBox>("ComboFont");
    auto *sizes = child<QComboBox>("ComboSize");
    QCOMPARE(faces->currentText(), QStringLiteral("宋体"));
    QCOMPARE(sizes->currentText(), QStringLiteral("10"));
    // "宋体" first, then the system's own list in its own order, as fc-list enumerates it (not sorted).
    QProcess fcList;
    fcList.start(QStringLiteral("fc-list"), {QStringLiteral(":"), QStringLiteral("family")});
    QVERIFY(fcList.waitForFinished());
    QStringList systemOrder;
    for (const QString &line : QString::fromUtf8(fcList.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString f = line.section(QLatin1Char(','), 0, 0); // a font's first family name
        if (!f.isEmpty() && !systemOrder.contains(f))
            systemOrder << f;
    }
    QCOMPARE(ScreenFonts::families(), systemOrder);
    QStringList expected{QStringLiteral("宋体")};
    for (const QString &f : systemOrder)
        if (f != expected.front())
            expected << f;
    QStringList faceItems;
    for (int i = 0; i < faces->count(); ++i)
        faceItems << faces->itemText(i);
    QCOMPARE(faceItems, expected);
    QCOMPARE(sizes->count(), 53);
    QCOMPARE(sizes->itemText(0), QStringLiteral("8"));
    QCOMPARE(sizes->itemText(52), QStringLiteral("60"));
}

void TstFontPanel::choosingLoadsTheElement_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("styleOption");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("size");
    QTest::newRow("名字") << 0 << 2 << 0 << 20 << "18";
    QTest::newRow("职位") << 1 << 1 << 0 << 20 << "9";
    QTest::newRow("公司") << 2 << 2 << 0 << 20 << "15";
    QTest::newRow("地址") << 3 << 1 << 3 << 100 << "9";
    QTest::newRow("邮编") << 4 << 1 << 5 << 6 << "9";
    QTest::newRow("传真") << 5 << 1 << 4 << 20 << "9";
    QTest::newRow("电话") << 6 << 1 << 4 << 20 << "9";
    QTest::newRow("手机") << 7 << 1 << 6 << 11 << "9";
    QTest::newRow("网址") << 8 << 1 << 14 << 20 << "9";
    QTest::newRow("电子信箱") << 9 << 1 << 5 << 20 << "9";
}

void TstFontPanel::choosingLoadsTheElement()
{
    QFETCH(int, index);
    QFETCH(int, styleOption);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, size);
    const ElementId id = textElementAt(index);
    m_card->setFontFace(id, QStringLiteral("AR PL UMing CN"));
    const QString text = m_card->textElement(id).text;

    pick(obj(), index);
    QCOMPARE(m_panel->chosenElement(), std::optional<ElementId>(id));
    QCOMPARE(input()->toPlainText(), text);
    QCOMPARE(m_card->textElement(id).text, text); // written back unchanged
    QCOMPARE(child<QComboBox>("ComboFont")->currentText(), QStringLiteral("AR PL UMing CN"));
    QCOMPARE(child<QComboBox>("ComboSize")->currentText(), size);
    QVERIFY(option(styleOption)->isChecked());
    QVERIFY(input()->hasFocus());
    // Positions and lengths count characters; a length past the end selects up to the end.
    const QTextCursor c = input()->textCursor();
    QCOMPARE(c.selectionStart(), std::min<int>(start, text.size()));
    QCOMPARE(c.selectionEnd(), std::min<int>(start + length, text.size()));
    QCOMPARE(child<QWidget>("HScrFontRow")->isVisible(), index == 3);
    QCOMPARE(child<QWidget>("LabHscr")->isVisible(), index == 3);

    // A size that is not a whole number is shown as the shortest decimal text.
    m_card->setFontSize(id, 10.5);
    pick(obj(), index);
    QCOMPARE(child<QComboBox>("ComboSize")->currentText(), QStringLiteral("10.5"));
}

void TstFontPanel::styleOptionRunsOnlyWhenItChanges()
{
    // "粗体" is on at start, so choosing the name turns nothing on and leaves its style alone.
    m_card->setStyle(ElementId::LabName, false, false);
    pick(obj(), 0);
    QVERIFY(!m_card->textElement(ElementId::LabName).bold);

    option(3)->click(); // 斜体
    QVERIFY(m_card->textElement(ElementId::LabName).italic);
    QVERIFY(!m_card->textElement(ElementId::LabName).bold);

    // The job title turns "普通" on, which makes it plain.
    m_card->setStyle(ElementId::LabJob, true, true);
    pick(obj(), 1);
    QVERIFY(option(1)->isChecked());
    QVERIFY(!m_card->textElement(ElementId::LabJob).bold);
    QVERIFY(!m_card->textElement(ElementId::LabJob).italic);
    QVERIFY(m_card->textElement(ElementId::LabName).italic); // the name is left as it was

    // "普通" is already on: choosing the address runs nothing.
    m_card->setStyle(ElementId::LabAdd, true, true);
    pick(obj(), 3);
    QVERIFY(m_card->textElement(ElementId::LabAdd).bold);
    QVERIFY(m_card->textElement(ElementId::LabAdd).italic);

    // Choosing the company turns "粗体" on again: bold, not italic.
    m_card->setStyle(ElementId::LabOffice, false, true);
    pick(obj(), 2);
    QVERIFY(m_card->textElement(ElementId::LabOffice).bold);
    QVERIFY(!m_card->textElement(ElementId::LabOffice).italic);

    option(4)->click(); // 粗斜体
    QVERIFY(m_card->textElement(ElementId::LabOffice).bold);
    QVERIFY(m_card->textElement(ElementId::LabOffice).italic);
}

void TstFontPanel::liveEditingCopiesEveryChange()
{
    pick(obj(), int(ElementId::LabTel));
    const double left = m_card->element(ElementId::LabTel).left;
    const double width = m_card->element(ElementId::LabTel).width;
    // The number after the prefix is selected, so typing replaces it.
    QTest::keyClicks(input(), "12");
    QCOMPARE(m_card->textElement(ElementId::LabTel).text, QStringLiteral("电话：012"));
    QVERIFY(m_card->element(ElementId::LabTel).width < width); // the label follows its text
    QTest::keyClick(input(), Qt::Key_Return);
    QTest::keyClicks(input(), "3");
    QCOMPARE(m_card->textElement(ElementId::LabTel).text, QStringLiteral("电话：012\r\n3"));
    QCOMPARE(m_card->textElement(ElementId::LabTel).lines.size(), 2);
    QCOMPARE(m_card->element(ElementId::LabTel).left, left);

    // A double-click edit does not reach the box; typing afterwards puts the whole box text back.
    m_card->setText(ElementId::LabTel, QStringLiteral("别的"));
    QCOMPARE(input()->toPlainText(), QStringLiteral("电话：012\n3"));
    QTest::keyClicks(input(), "4");
    QCOMPARE(m_card->textElement(ElementId::LabTel).text, QStringLiteral("电话：012\r\n34"));

    // A text with line breaks loads with them and selects by characters of the element's text.
    m_card->setText(ElementId::LabAdd, QStringLiteral("a\r\nbc"));
    pick(obj(), int(ElementId::LabAdd));
    QCOMPARE(input()->textCursor().selectedText(), QStringLiteral("bc"));
    QCOMPARE(m_card->textElement(ElementId::LabAdd).text, QStringLiteral("a\r\nbc"));
}

void TstFontPanel::addressCount_data()
{
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<double>("startWidth");
    QTest::addColumn<int>("count");
    QTest::newRow("landscape design width") << false << 4950.0 << 28;
    QTest::newRow("landscape card width") << false << 5100.0 << 28;
    QTest::newRow("portrait") << true << 2985.0 << 17;
    QTest::newRow("half goes to even, down") << false << 26.5 * 180 << 26;
    QTest::newRow("half goes to even, up") << false << 25.5 * 180 << 26;
}

void TstFontPanel::addressCount()
{
    QFETCH(bool, portrait);
    QFETCH(double, startWidth);
    QFETCH(int, count);
    if (portrait) {
        m_card->setOrientation(Orientation::Portrait);
        QVERIFY(!m_card->textElement(ElementId::LabAdd).autoSize);
    }
    m_card->setAddressWidth(startWidth);
    const TextElement before = m_card->textElement(ElementId::LabAdd);

    pick(obj(), int(ElementId::LabAdd));
    const TextElement &add = m_card->textElement(ElementId::LabAdd);
    QCOMPARE(child<QScrollBar>("HScrFontRow")->value(), count);
    QCOMPARE(child<QLabel>("LabHscr")->text(), QStringLiteral("地址每行%1个字：").arg(count));
    QCOMPARE(add.width, count * 180.0);
    QVERIFY(add.autoSize);
    QVERIFY(add.wordWrap);
    QCOMPARE(add.left, before.left);
    QCOMPARE(add.top, before.top);
    QCOMPARE(add.height, add.lines.size() * add.lineHeightPx * 15.0);

    // Any other element hides the row again.
    pick(obj(), int(ElementId::LabPost));
    QVERIFY(child<QWidget>("HScrFontRow")->isHidden());
    QVERIFY(child<QWidget>("LabHscr")->isHidden());
}

void TstFontPanel::addressBarAtOneIsOneCellWide()
{
    m_card->setText(ElementId::LabAdd, QStringLiteral("杭州市西湖区"));
    pick(obj(), int(ElementId::LabAdd));
    auto *bar = child<QScrollBar>("HScrFontRow");
    const int oneLineHeight = int(m_card->textElement(ElementId::LabAdd).height);

    bar->triggerAction(QAbstractSlider::SliderSingleStepSub); // an arrow click
    QCOMPARE(bar->value(), 27);
    QCOMPARE(m_card->textElement(ElementId::LabAdd).width, 27 * 180.0);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub); // a click in the track
    QCOMPARE(bar->value(), 25);
    QCOMPARE(child<QLabel>("LabHscr")->text(), QStringLiteral("地址每行25个字："));

    bar->setValue(1);
    const TextElement &add = m_card->textElement(ElementId::LabAdd);
    QCOMPARE(add.width, 180.0);
    QCOMPARE(child<QLabel>("LabHscr")->text(), QStringLiteral("地址每行1个字："));
    QCOMPARE(add.lines, QStringList({"杭", "州", "市", "西", "湖", "区"}));
    QCOMPARE(int(add.height), 6 * oneLineHeight);
}

void TstFontPanel::picksApplyTypingDoesNot()
{
    auto *faces = child<QComboBox>("ComboFont");
    auto *sizes = child<QComboBox>("ComboSize");
    pick(obj(), int(ElementId::LabJob));

    // Typing an entry's text and pressing Enter, or leaving the field, is not a pick.
    sizes->setFocus();
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "30");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    input()->setFocus();
    faces->lineEdit()->selectAll();
    int latinFace = 1;
    while (latinFace < faces->count() - 1 &&
           faces->itemText(latinFace).toLatin1() != faces->itemText(latinFace).toUtf8())
        ++latinFace;
    QTest::keyClicks(faces->lineEdit(), faces->itemText(latinFace));
    QTest::keyClick(faces->lineEdit(), Qt::Key_Enter);
    input()->setFocus();
    QCOMPARE(m_card->textElement(ElementId::LabJob).sizePt, 9.0);
    QCOMPARE(m_card->textElement(ElementId::LabJob).face, QStringLiteral("宋体"));
    QCOMPARE(obj()->currentIndex(), int(ElementId::LabJob));

    pick(sizes, sizes->findText(QStringLiteral("12")));
    QCOMPARE(m_card->textElement(ElementId::LabJob).sizePt, 12.0);
    const int face = faces->count() - 1;
    pick(faces, face);
    QCOMPARE(m_card->textElement(ElementId::LabJob).face, faces->itemText(face));
    QCOMPARE(m_card->textElement(ElementId::LabJob).sizePt, 12.0);

    // The arrow keys on a closed list pick too.
    sizes->setFocus();
    QTest::keyClick(sizes, Qt::Key_Down);
    QCOMPARE(m_card->textElement(ElementId::LabJob).sizePt, 13.0);

    // Typing in the element list neither chooses nor unchooses.
    obj()->lineEdit()->selectAll();
    typeText(obj()->lineEdit(), QStringLiteral("地址"));
    QTest::keyClick(obj()->lineEdit(), Qt::Key_Return);
    input()->setFocus();
    QCOMPARE(m_panel->chosenElement(), std::optional<ElementId>(ElementId::LabJob));
    QVERIFY(child<QWidget>("HScrFontRow")->isHidden());
}

void TstFontPanel::nothingChosenChangesNothing()
{
    const QImage before = renderCard(*m_card);
    QTest::keyClicks(input(), "xyz");
    pick(child<QComboBox>("ComboFont"), child<QComboBox>("ComboFont")->count() - 1);
    pick(child<QComboBox>("ComboSize"), 40);
    option(4)->click();
    QTest::mouseClick(child<QWidget>("PicColor1"), Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(renderCard(*m_card), before);
    QVERIFY(option(4)->isChecked()); // the clicked option stays on

    // Picking an element afterwards replaces the box text with the element's.
    pick(obj(), 0);
    QCOMPARE(input()->toPlainText(), m_card->textElement(ElementId::LabName).text);
}

void TstFontPanel::textColourStripColoursOnlyTheChosen()
{
    auto *strip = child<PaletteStrip>("PicColor1");
    const QPoint at(100, 8); // inside the one-pixel border
    const auto colour = strip->colorAt(at - strip->contentsRect().topLeft());
    if (!colour)
        QSKIP("the colour strip picture is not built in");
    pick(obj(), int(ElementId::LabMob));
    QTest::mousePress(strip, Qt::RightButton, {}, at);
    QCOMPARE(m_card->element(ElementId::LabMob).color, *colour);
    for (int i = 0; i < ElementCount; ++i)
        if (ElementId(i) != ElementId::LabMob)
            QVERIFY(m_card->element(ElementId(i)).color != *colour);
}

void TstFontPanel::badTextsNeverBreakTheEditor()
{
    pick(obj(), int(ElementId::LabAdd));
    const double left = m_card->element(ElementId::LabAdd).left;
    const double top = m_card->element(ElementId::LabAdd).top;

    // Empty: the element keeps its place and can be given a text again.
    input()->clear();
    QCOMPARE(m_card->textElement(ElementId::LabAdd).text, QString());
    typeText(input(), QStringLiteral("新"));
    QCOMPARE(m_card->textElement(ElementId::LabAdd).text, QStringLiteral("新"));
    QCOMPARE(m_card->element(ElementId::LabAdd).left, left);
    QCOMPARE(m_card->element(ElementId::LabAdd).top, top);

    // Long, full of line breaks, and characters no font has.
    QString big;
    for (int i = 0; i < 2000; ++i)
        big += QStringLiteral("很长的地址 long words\n") + QChar(0xE000 + i % 100) +
               QStringLiteral("\U0010FFFD\U0001F600");
    input()->setPlainText(big);
    QVERIFY(m_card->textElement(ElementId::LabAdd).lines.size() > 2000);
    QVERIFY(!renderCard(*m_card).isNull());
    child<QScrollBar>("HScrFontRow")->setValue(1);
    QVERIFY(!renderCard(*m_card).isNull());
    pick(obj(), int(ElementId::LabName));
    input()->setPlainText(QString(20000, QChar(0x4E00)));
    pick(child<QComboBox>("ComboSize"), 52);
    QVERIFY(!renderCard(*m_card).isNull());
}

QTEST_MAIN(TstFontPanel)
#include "tst_fontpanel.moc"
