// The QR code window: its controls set the card's code at once (each an undo step) and follow the card;
// a colour too light to scan is refused with a message; the card's menu opens it.
#include "support/MessageAnswers.h"

#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "editing/CardCanvas.h"
#include "editing/QrWindow.h"
#include "widgets/PaletteStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TstQrWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsSetTheCode();
    void followsTheCard();
    void lightColourRefused();
    void menuOpensOneWindow();

private:
    template <class W> W *child(const char *name) const
    {
        W *w = m_window->findChild<W *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<QWidget> m_main;
    QrWindow *m_window = nullptr;
};

void TstQrWindow::init()
{
    m_card = std::make_unique<CardModel>();
    m_main = std::make_unique<QWidget>();
    m_window = QrWindow::showFor(m_card.get(), m_main.get());
}

void TstQrWindow::cleanup()
{
    m_main.reset();
    m_card.reset();
}

void TstQrWindow::controlsSetTheCode()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("FrmQr"));
    QVERIFY(!m_window->isModal());
    // The defaults: name, company, mobile, web address, e-mail; vCard; 2 px; hidden.
    for (const char *on : {"ChkQrName", "ChkQrOffice", "ChkQrMob", "ChkQrHttp", "ChkQrMail"})
        QVERIFY2(child<QCheckBox>(on)->isChecked(), on);
    for (const char *off : {"ChkQrJob", "ChkQrAdd", "ChkQrTel", "ChkQrFax"})
        QVERIFY2(!child<QCheckBox>(off)->isChecked(), off);
    QVERIFY(child<QRadioButton>("OptQrVCard")->isChecked());
    QCOMPARE(child<QComboBox>("ComboQrModule")->currentText(), QStringLiteral("2 像素"));
    QVERIFY(!child<QCheckBox>("ChkQrShow")->isChecked());
    QVERIFY(child<QLabel>("LabQrInfo")->text().contains(QStringLiteral("毫米")));

    child<QCheckBox>("ChkQrTel")->click();
    QVERIFY(m_card->qrText().contains("TEL;TYPE=WORK,VOICE:0571-88867701"));
    child<QCheckBox>("ChkQrName")->click();
    QVERIFY(!m_card->qrText().contains("N:张三"));
    child<QRadioButton>("OptQrMeCard")->click();
    QVERIFY(m_card->qrText().startsWith("MECARD:"));
    auto *module = child<QComboBox>("ComboQrModule");
    module->setCurrentIndex(2);
    emit module->activated(2);
    QCOMPARE(m_card->qrOptions().modulePx, 4);
    child<QCheckBox>("ChkQrShow")->click();
    QVERIFY(m_card->element(ElementId::PicQr).visible);
    // The readout is the code's: 4 px modules at 96 ppi.
    const double mm = m_card->qrCode().sizeWithQuietZone() * 4 * 25.4 / 96;
    QVERIFY(child<QLabel>("LabQrInfo")->text().contains(QString::number(mm, 'f', 1)));
    QVERIFY(child<QLabel>("LabQrInfo")
                ->text()
                .contains(QStringLiteral("版本 %1").arg(m_card->qrCode().version())));
}

void TstQrWindow::followsTheCard()
{
    child<QCheckBox>("ChkQrFax")->click();
    m_card->history().commit();
    child<QRadioButton>("OptQrMeCard")->click();
    m_card->history().commit();
    m_card->history().undo();
    QVERIFY(child<QRadioButton>("OptQrVCard")->isChecked());
    m_card->history().undo();
    QVERIFY(!child<QCheckBox>("ChkQrFax")->isChecked());
    QVERIFY(!m_card->history().canUndo()); // following the card set nothing
    m_card->setVisible(ElementId::PicQr, true);
    QVERIFY(child<QCheckBox>("ChkQrShow")->isChecked());
    // Texts so long that no code holds them: said in the window, nothing drawn.
    child<QCheckBox>("ChkQrAdd")->click();
    m_card->setText(ElementId::LabAdd, QString(3000, QChar(0x6C5F)));
    QVERIFY(m_card->qrCode().isNull());
    QVERIFY(child<QLabel>("LabQrInfo")->text().contains(QStringLiteral("装不下")));
    m_card->setText(ElementId::LabAdd, QString(200, QChar(0x6C5F)));
    QVERIFY(child<QLabel>("LabQrInfo")->text().contains(QStringLiteral("比名片还大")));
}

void TstQrWindow::lightColourRefused()
{
    auto *strip = child<PaletteStrip>("PicQrPalette");
    QPoint light(-1, -1), dark(-1, -1);
    for (int x = 0; x < 198; ++x) {
        for (int y = 0; y < 15; ++y) {
            const std::optional<VbColor> c = strip->colorAt(QPoint(x, y));
            if (!c)
                continue;
            const double ratio = ContactCode::contrastRatio(VbColors::toQColor(*c), Qt::white);
            if (ratio < 2 && light.x() < 0)
                light = QPoint(x, y);
            if (ratio > 6 && *c != 0 && dark.x() < 0)
                dark = QPoint(x, y);
        }
    }
    QVERIFY(light.x() >= 0 && dark.x() >= 0);
    const QPoint border(strip->frameWidth(), strip->frameWidth());
    {
        MessageAnswers answers;
        QTest::mouseClick(strip, Qt::LeftButton, {}, light + border);
        QTRY_COMPARE(answers.count(), 1);
        QCOMPARE(answers.titles[0], QStringLiteral("Velnor二维码提示："));
        QVERIFY(answers.texts[0].contains(QStringLiteral("对比度")));
    }
    QCOMPARE(m_card->element(ElementId::PicQr).color, VbColor(0));
    QVERIFY(!m_card->history().canUndo());
    QTest::mouseClick(strip, Qt::LeftButton, {}, dark + border);
    QCOMPARE(m_card->element(ElementId::PicQr).color, *strip->colorAt(dark));
    child<QPushButton>("CmdQrBlack")->click();
    QCOMPARE(m_card->element(ElementId::PicQr).color, VbColor(0));
}

void TstQrWindow::menuOpensOneWindow()
{
    CardCanvas canvas(m_card.get());
    QObject::connect(&canvas, &CardCanvas::qrCodeRequested, m_main.get(),
                     [this] { QrWindow::showFor(m_card.get(), m_main.get()); });
    std::unique_ptr<QMenu> menu(canvas.makeContextMenu(nullptr));
    QAction *open = menu->findChild<QAction *>(QStringLiteral("ActQrCode"));
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("二维码名片…"));
    open->trigger();
    open->trigger();
    QCOMPARE(m_main->findChildren<QrWindow *>().size(), 1);
    m_window->close();
    QTRY_COMPARE(m_main->findChildren<QrWindow *>().size(), 0); // deleted when closed
    open->trigger();
    QCOMPARE(m_main->findChildren<QrWindow *>().size(), 1);
}

QTEST_MAIN(TstQrWindow)
#include "tst_qrwindow.moc"
