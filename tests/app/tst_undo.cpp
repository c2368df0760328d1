// Undo and redo in the main window as the user meets them: the start-up is no step; Ctrl+Z, Ctrl+Y and
// Ctrl+Shift+Z work with the focus anywhere in the window, a text box keeping its own Ctrl+Z while it has
// typing to take back; a drag on the card is one step; the card's right-click menu names the steps; after
// an undo every panel shows the card as it now is; the settings dialog's save is no step.
#include "support/MessageAnswers.h"

#include "app/MainWindow.h"
#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/SettingsStore.h"
#include "editing/CardCanvas.h"
#include "settings/SettingsDialog.h"
#include "widgets/MenuButton.h"
#include "widgets/Panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void release(QWidget *w)
{
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(5, 5));
}

void pick(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void key(QWidget *w, Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(w, k, mods);
}
} // namespace

class TstUndo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpIsNoStep();
    void keysUndoAndRedoAnywhereInTheWindow();
    void textBoxKeepsItsOwnUndo();
    void dragOnTheCardIsOneStep();
    void rightClickMenuNamesTheSteps();
    void panelsShowTheCardAfterUndo();
    void settingsSaveIsNoStep();

private:
    template <class T> T *child(const char *name) { return m_window->findChild<T *>(QLatin1String(name)); }
    CardHistory &history() { return m_card->history(); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<MainWindow> m_window;
};

void TstUndo::initTestCase()
{
    CardFonts::install();
    QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
}

void TstUndo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile settings(m_dir->filePath("myset.ini"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Text]\r\nName=\xd5\xc5\xc8\xfd\xc8\xfd\r\n[BgColor]\r\nBg=255\r\n");
    settings.close();
    setSettingsDirectory(m_dir->path());
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<MainWindow>(m_card.get());
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QCoreApplication::processEvents();
}

void TstUndo::cleanup()
{
    m_window.reset();
    m_card.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        delete w;
}

void TstUndo::startUpIsNoStep()
{
    // The settings were applied, and cannot be undone.
    QCOMPARE(m_card->textElement(ElementId::LabName).text, QStringLiteral("张三三"));
    QCoreApplication::processEvents();
    QVERIFY(!history().canUndo());
    QVERIFY(!history().canRedo());
}

void TstUndo::keysUndoAndRedoAnywhereInTheWindow()
{
    const CardState before = m_card->state();
    m_card->moveElement(ElementId::LabJob, 100, 100);
    history().commit();
    const CardState moved = m_card->state();

    // On the window itself, and with a panel's control (a check box) holding the focus.
    release(m_window->menuButton("ImgHide"));
    auto *box = child<QCheckBox>("ChkName");
    box->setFocus();
    QCOMPARE(QApplication::focusWidget(), box);
    key(box, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_card->state() == before);
    key(box, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(m_card->state() == moved);
    key(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_card->state() == before);
    key(m_window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(m_card->state() == moved);
}

void TstUndo::textBoxKeepsItsOwnUndo()
{
    release(m_window->menuButton("ImgTxt"));
    pick(child<QComboBox>("ComboFontObj"), int(ElementId::LabJob));
    QCoreApplication::processEvents();
    const QString original = m_card->textElement(ElementId::LabJob).text;
    const int stepsBefore = history().undoCount();
    auto *input = child<QPlainTextEdit>("TextInput");
    input->setFocus();
    input->moveCursor(QTextCursor::End);
    QTest::keyClicks(input, QStringLiteral("abc"));
    QCoreApplication::processEvents();
    QCOMPARE(m_card->textElement(ElementId::LabJob).text, original + "abc");
    QCOMPARE(history().undoCount(), stepsBefore + 1); // the typing is one step
    QCOMPARE(history().undoText(), QStringLiteral("文字 职位"));

    // The box takes back its own typing first; once it has none, the key goes to the card.
    while (input->document()->isUndoAvailable()) {
        key(input, Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    QCOMPARE(m_card->textElement(ElementId::LabJob).text, original);
    QCOMPARE(history().undoCount(), stepsBefore);

    QTest::keyClicks(input, QStringLiteral("x"));
    QCoreApplication::processEvents();
    m_card->history().undo(); // from the menu, say: the panel's box shows the text as it now is
    QCOMPARE(m_card->textElement(ElementId::LabJob).text, original);
    QCOMPARE(input->toPlainText(), original);
}

void TstUndo::dragOnTheCardIsOneStep()
{
    QWidget *name = m_window->canvas()->elementWidget(ElementId::LabName);
    const double left = m_card->element(ElementId::LabName).left;
    QTest::mousePress(name, Qt::LeftButton, {}, QPoint(5, 5));
    for (int x = 6; x <= 25; ++x)
        QTest::mouseMove(name, QPoint(x, 5));
    QCoreApplication::processEvents();
    QTest::mouseRelease(name, Qt::LeftButton, {}, QPoint(25, 5));
    QCoreApplication::processEvents();
    QVERIFY(m_card->element(ElementId::LabName).left > left);
    QCOMPARE(history().undoCount(), 1);
    QCOMPARE(history().undoText(), QStringLiteral("移动 名字"));
    history().undo();
    QCOMPARE(m_card->element(ElementId::LabName).left, left);
    QCOMPARE(name->x(), qRound(left / 15));
}

void TstUndo::rightClickMenuNamesTheSteps()
{
    CardCanvas *canvas = m_window->canvas();
    std::unique_ptr<QMenu> menu(canvas->makeContextMenu(nullptr));
    QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 4); // undo, redo, a separator, the QR code window
    QCOMPARE(actions[3]->text(), QStringLiteral("二维码名片…"));
    QCOMPARE(actions[0]->text(), QStringLiteral("撤销"));
    QVERIFY(!actions[0]->isEnabled());
    QVERIFY(!actions[1]->isEnabled());
    QCOMPARE(menu->font().family(), CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false).family());
    QCOMPARE(menu->font().pixelSize(), 12);

    m_card->setVisible(ElementId::LabMob, false);
    history().commit();
    menu.reset(canvas->makeContextMenu(nullptr));
    actions = menu->actions();
    QCOMPARE(actions[0]->text(), QStringLiteral("撤销 隐藏 手机"));
    actions[0]->trigger();
    QVERIFY(m_card->element(ElementId::LabMob).visible);
    menu.reset(canvas->makeContextMenu(nullptr));
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("重做 隐藏 手机"));
    QVERIFY(menu->actions()[1]->isEnabled());

    // Others add their entries; a real right-click on an element opens the menu.
    connect(canvas, &CardCanvas::contextMenuRequested, this,
            [](QMenu *m) { m->addAction(QStringLiteral("另一项")); });
    // Through the window, as the window system delivers it (the menu comes from the window's press).
    QWidget *logo = canvas->elementWidget(ElementId::PicCardLogo);
    QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {},
                      logo->mapTo(m_window.get(), QPoint(5, 5)));
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QCOMPARE(shown->objectName(), QStringLiteral("CardMenu"));
    QCOMPARE(shown->actions().last()->text(), QStringLiteral("另一项"));
    shown->close();
}

void TstUndo::panelsShowTheCardAfterUndo()
{
    // The page panel's orientation, the show panel's boxes, the line panel's bars, the text panel's font.
    release(m_window->menuButton("ImgPage"));
    release(child<QRadioButton>("OptPageV"));
    QCOMPARE(m_card->orientation(), Orientation::Portrait);
    QCoreApplication::processEvents();
    const CardState portrait = m_card->state();
    history().undo();
    QCOMPARE(m_card->orientation(), Orientation::Landscape);
    QVERIFY(child<QRadioButton>("OptPageH")->isChecked());
    QCOMPARE(m_window->canvas()->size(), QSize(340, 207));
    history().redo();
    QVERIFY(m_card->state() == portrait); // the options set nothing while following
    QVERIFY(child<QRadioButton>("OptPageV")->isChecked());
    history().undo();

    release(m_window->menuButton("ImgHide"));
    release(child<QCheckBox>("ChkTel"));
    QVERIFY(!m_card->element(ElementId::LabTel).visible);
    QCoreApplication::processEvents();
    history().undo();
    QVERIFY(child<QCheckBox>("ChkTel")->isChecked());
    QVERIFY(m_window->canvas()->elementWidget(ElementId::LabTel)->isVisible());

    release(m_window->menuButton("ImgLine"));
    auto *height = child<QScrollBar>("HScroll2");
    const int oldHeight = height->value();
    height->setValue(700);
    QCoreApplication::processEvents();
    QCOMPARE(m_card->element(ElementId::Hline).height, 700.0);
    history().undo();
    QCOMPARE(height->value(), oldHeight);
    QCOMPARE(m_card->element(ElementId::Hline).height, double(oldHeight));

    release(m_window->menuButton("ImgTxt"));
    pick(child<QComboBox>("ComboFontObj"), int(ElementId::LabOffice));
    QCoreApplication::processEvents();
    const CardState chosen = m_card->state();
    pick(child<QComboBox>("ComboSize"), 20); // 28
    release(child<QRadioButton>("OptFontStyle3"));
    QCoreApplication::processEvents();
    QCOMPARE(m_card->textElement(ElementId::LabOffice).sizePt, 28.0);
    QVERIFY(m_card->textElement(ElementId::LabOffice).italic);
    history().undo();
    history().undo();
    QVERIFY(m_card->state() == chosen);
    QCOMPARE(child<QComboBox>("ComboSize")->currentText(), QStringLiteral("15"));
    QVERIFY(child<QRadioButton>("OptFontStyle2")->isChecked()); // bold, as the company is
    QVERIFY(m_card->state() == chosen);
}

void TstUndo::settingsSaveIsNoStep()
{
    m_window->openSettings();
    SettingsDialog *dialog = m_window->settingsDialog();
    QVERIFY(dialog);
    MessageAnswers answers;
    release(dialog->findChild<QPushButton *>(QStringLiteral("Command1")));
    QTRY_COMPARE(answers.count(), 1);
    QCoreApplication::processEvents();
    QVERIFY(!history().canUndo());
}

QTEST_MAIN(TstUndo)
#include "tst_undo.moc"
