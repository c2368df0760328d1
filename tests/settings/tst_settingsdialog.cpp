// The settings dialog driven as a user drives it: what it shows when opened, what reaches the card and the
// motto, the swatch rules of the colour strip in its two modes, and the bytes "保存设置" leaves in a fresh
// myset.ini, or the failure it reports when the file cannot be written.
#include "support/DiskTrouble.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"
#include "settings/SettingsDialog.h"
#include "support/Gbk.h"
#include "support/MessageAnswers.h"
#include "support/Typing.h"
#include "widgets/PaletteStrip.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString SettingsTitle = QStringLiteral("Velnor设置提示：");
const QString Confirmation =
    QStringLiteral("恭喜！您的设置已经替您保存好了。\r\n下次启动时，程序运行的将是您的设置……");

constexpr ElementId Texts[TextElementCount] = {
    ElementId::LabName, ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,  ElementId::LabPost,
    ElementId::LabFax,  ElementId::LabTel, ElementId::LabMob,    ElementId::LabHttp, ElementId::LabMail};
} // namespace

class TstSettingsDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensFramelessModelessAndPlaced();
    void loadState();
    void choosingAnElementLoadsAndSelects_data();
    void choosingAnElementLoadsAndSelects();
    void textInputGoesIntoTheChosenElementOnly();
    void titleGoesIntoTheRunningMotto();
    void optionShowsTheNamedObjectsColour();
    void stripHoverSetsOnlyTheSwatch();
    void foregroundPickRecoloursTextsAndLine();
    void pagePickSetsOnlyThePageColour();
    void saveWritesTheCardAsItIs_data();
    void saveWritesTheCardAsItIs();
    void saveTakesChangesMadeOnTheCardMeanwhile();
    void unwritableFileIsReportedNotConfirmed_data();
    void unwritableFileIsReportedNotConfirmed();
    void linkInTheSettingsPlaceIsReplaced();
    void closingWritesAndUndoesNothing_data();
    void closingWritesAndUndoesNothing();

private:
    template <class W> W *control(const char *name, int index = -1) const;
    QColor swatch() const { return control<QLabel>("LabColorView")->palette().color(QPalette::Window); }

    QTemporaryDir *m_dir = nullptr;
    CardModel *m_card = nullptr;
    QPointer<SettingsDialog> m_dialog;
};

template <class W> W *TstSettingsDialog::control(const char *name, int index) const
{
    for (W *w : m_dialog->findChildren<W *>(QLatin1String(name)))
        if (index < 0 || w->property("index").toInt() == index)
            return w;
    qFatal("no control %s (%d)", name, index);
}

void TstSettingsDialog::initTestCase()
{
    CardFonts::install();
}

void TstSettingsDialog::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    setSettingsDirectory(m_dir->path());
    m_card = new CardModel;
    m_card->setMotto(QStringLiteral("第一行\r\n第二行"));
    m_card->setPageColor(VbColors::rgb(1, 2, 3));
    m_card->setForeColor(ElementId::LabName, VbColors::rgb(40, 50, 60));
    m_dialog = new SettingsDialog(m_card, nullptr);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
}

void TstSettingsDialog::cleanup()
{
    delete m_dialog;
    delete m_card;
    delete m_dir;
}

void TstSettingsDialog::opensFramelessModelessAndPlaced()
{
    QCOMPARE(m_dialog->objectName(), QStringLiteral("FrmSet"));
    QVERIFY(m_dialog->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_dialog->windowModality(), Qt::NonModal);
    QCOMPARE(control<QLabel>("LabBarTitle")->text(), QStringLiteral("定制我的名片"));
    QCOMPARE(control<QLabel>("LabClose")->text(), QStringLiteral("×"));
    QCOMPARE(m_dialog->client()->size(), QSize(634, 143));
    // Top = screen height - 2 x window height + 400 twips (27 px); centred across.
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(m_dialog->y(), s.height() - 2 * m_dialog->height() + 27);
    QCOMPARE(m_dialog->x(), (s.width() - m_dialog->width()) / 2);
}

void TstSettingsDialog::loadState()
{
    QCOMPARE(control<QPlainTextEdit>("TxtTitle")->toPlainText(), QStringLiteral("第一行\n第二行"));
    QCOMPARE(m_card->motto(), QStringLiteral("第一行\r\n第二行")); // the load writes the same motto back
    QCOMPARE(swatch(), QColor(1, 2, 3));
    QVERIFY(!control<QRadioButton>("OptCardCol", 0)->isChecked());
    QVERIFY(control<QRadioButton>("OptCardCol", 1)->isChecked());
    QCOMPARE(control<QLabel>("LabR")->text(), QStringLiteral("R：0"));
    QCOMPARE(control<QLabel>("LabG")->text(), QStringLiteral("G：58"));
    QCOMPARE(control<QLabel>("LabB")->text(), QStringLiteral("B：114"));
    auto *combo = control<QComboBox>("ComboFontObj");
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->placeholderText(), QStringLiteral("文字对象"));
    QCOMPARE(combo->count(), 10);
    QCOMPARE(combo->itemText(5), QStringLiteral("传真"));
    QCOMPARE(combo->itemText(6), QStringLiteral("电话"));
    QVERIFY(control<QPlainTextEdit>("TextInput")->toPlainText().isEmpty());
}

void TstSettingsDialog::choosingAnElementLoadsAndSelects_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");

    QTest::newRow("名字") << 0 << QStringLiteral("李四") << QStringLiteral("李四");
    QTest::newRow("地址") << 3 << QStringLiteral("地址：北京市海淀区") << QStringLiteral("北京市海淀区");
    QTest::newRow("邮编") << 4 << QStringLiteral("邮政编码：100080") << QStringLiteral("100080");
    QTest::newRow("传真") << 5 << QStringLiteral("传真：010-62345678") << QStringLiteral("10-62345678");
    QTest::newRow("电话") << 6 << QStringLiteral("电话：010-62345679") << QStringLiteral("10-62345679");
    QTest::newRow("手机 (11 of them)")
        << 7 << QStringLiteral("手机：138001380001234") << QStringLiteral("00138000123");
    QTest::newRow("网址 shorter than its start") << 8 << QStringLiteral("网址：a.cn") << QString();
    QTest::newRow("电子信箱") << 9 << QStringLiteral("电子信箱：ls@example.cn")
                              << QStringLiteral("ls@example.cn");
    QTest::newRow("several lines") << 2 << QStringLiteral("甲公司\r\n乙部门")
                                   << QStringLiteral("甲公司\u2029乙部门");
}

void TstSettingsDialog::choosingAnElementLoadsAndSelects()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    const ElementId id = ElementId(index);
    m_card->setText(id, text);
    int cardChanges = 0;
    connect(m_card, &CardModel::changed, this, [&] { ++cardChanges; });

    auto *combo = control<QComboBox>("ComboFontObj");
    combo->setCurrentIndex(index);
    emit combo->activated(index); // a pick from the list

    auto *box = control<QPlainTextEdit>("TextInput");
    QCOMPARE(box->toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(box->textCursor().selectedText(), selected);
    QCOMPARE(m_card->textElement(id).text, text); // loading the box changes nothing on the card
    QCOMPARE(cardChanges, 0);

    // Typing replaces the selection, and the element follows the box.
    typeText(box, QStringLiteral("9"));
    QCOMPARE(m_card->textElement(id).text,
             QString(box->toPlainText()).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    QCOMPARE(box->toPlainText().size(), text.size() - text.count(u'\r') - selected.size() + 1);
    QVERIFY(box->toPlainText().contains(u'9'));
}

void TstSettingsDialog::textInputGoesIntoTheChosenElementOnly()
{
    auto *box = control<QPlainTextEdit>("TextInput");
    int cardChanges = 0;
    connect(m_card, &CardModel::changed, this, [&] { ++cardChanges; });
    typeText(box, QStringLiteral("无主"));
    QCOMPARE(cardChanges, 0); // nothing chosen yet

    auto *combo = control<QComboBox>("ComboFontObj");
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    box->setPlainText(QStringLiteral("高级\n工程师")); // a program change counts like typing
    QCOMPARE(m_card->textElement(ElementId::LabJob).text, QStringLiteral("高级\r\n工程师"));
    QCOMPARE(m_card->textElement(ElementId::LabJob).lines.size(), 2);
    for (ElementId other : Texts)
        if (other != ElementId::LabJob)
            QVERIFY(!m_card->textElement(other).text.contains(QStringLiteral("工程师")));
}

void TstSettingsDialog::titleGoesIntoTheRunningMotto()
{
    QStringList mottos;
    connect(m_card, &CardModel::mottoChanged, this, [&](const QString &m) { mottos << m; });
    auto *box = control<QPlainTextEdit>("TxtTitle");
    box->selectAll();
    typeText(box, QStringLiteral("天道酬勤"));
    QCOMPARE(m_card->motto(), QStringLiteral("天道酬勤"));
    // At every keystroke, not when the box is left.
    for (const QString &typed : {QStringLiteral("天"), QStringLiteral("天道"), QStringLiteral("天道酬")})
        QVERIFY(mottos.contains(typed));
}

void TstSettingsDialog::optionShowsTheNamedObjectsColour()
{
    int cardChanges = 0;
    connect(m_card, &CardModel::changed, this, [&] { ++cardChanges; });
    control<QRadioButton>("OptCardCol", 0)->click();
    QCOMPARE(swatch(), QColor(40, 50, 60));
    control<QRadioButton>("OptCardCol", 1)->click();
    QCOMPARE(swatch(), QColor(1, 2, 3));
    QCOMPARE(cardChanges, 0);
}

void TstSettingsDialog::stripHoverSetsOnlyTheSwatch()
{
    auto *strip = control<PaletteStrip>("PicColor");
    int cardChanges = 0;
    connect(m_card, &CardModel::changed, this, [&] { ++cardChanges; });
    for (QRadioButton *mode :
         {control<QRadioButton>("OptCardCol", 0), control<QRadioButton>("OptCardCol", 1)}) {
        mode->click();
        emit strip->hovered(VbColors::rgb(200, 100, 50));
        QCOMPARE(swatch(), QColor(200, 100, 50));
        // Moves with a button held (after a press, also off the strip) follow the pointer too.
        emit strip->draggedOver(VbColors::rgb(10, 20, 30), Qt::LeftButton);
        QCOMPARE(swatch(), QColor(10, 20, 30));
    }
    QCOMPARE(cardChanges, 0);
    QCOMPARE(control<QLabel>("LabR")->text(), QStringLiteral("R：0"));
}

void TstSettingsDialog::foregroundPickRecoloursTextsAndLine()
{
    // An element with a colour of its own and a hidden one are recoloured like the rest.
    m_card->setForeColor(ElementId::LabMob, VbColors::rgb(255, 0, 0));
    m_card->setVisible(ElementId::LabHttp, false);
    m_card->tilePage(QImage(4, 4, QImage::Format_RGB32));
    const VbColor page = m_card->pageColor();

    control<QRadioButton>("OptCardCol", 0)->click();
    auto *strip = control<PaletteStrip>("PicColor");
    emit strip->hovered(VbColors::rgb(0, 160, 224));
    QList<ElementId> order;
    connect(m_card, &CardModel::elementChanged, this, [&](ElementId id) { order << id; });
    emit strip->pressed(VbColors::rgb(0, 160, 224), Qt::RightButton, Qt::RightButton);

    QCOMPARE(control<QLabel>("LabR")->text(), QStringLiteral("R:0"));
    QCOMPARE(control<QLabel>("LabG")->text(), QStringLiteral("G:160"));
    QCOMPARE(control<QLabel>("LabB")->text(), QStringLiteral("B:224"));
    QCOMPARE(swatch(), QColor(40, 50, 60)); // the name's colour before the pick
    const QList<ElementId> expectedOrder{ElementId::LabName,   ElementId::LabJob,  ElementId::LabAdd,
                                         ElementId::LabOffice, ElementId::LabFax,  ElementId::LabTel,
                                         ElementId::LabMob,    ElementId::LabPost, ElementId::LabHttp,
                                         ElementId::LabMail,   ElementId::Hline};
    QCOMPARE(order, expectedOrder);
    for (ElementId id : expectedOrder)
        QCOMPARE(m_card->element(id).color, VbColors::rgb(0, 160, 224));
    QCOMPARE(m_card->pageColor(), page);
    QVERIFY(!m_card->paintedLayer().isNull()); // the page is not touched

    // The next hover shows the strip again.
    emit strip->hovered(VbColors::rgb(9, 9, 9));
    QCOMPARE(swatch(), QColor(9, 9, 9));
}

void TstSettingsDialog::pagePickSetsOnlyThePageColour()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    m_card->setPagePicture(picture);
    m_card->tilePage(picture);
    const bool backgroundShown = m_card->backgroundShown();
    const VbColor nameColour = m_card->element(ElementId::LabName).color;
    const VbColor lineColour = m_card->element(ElementId::Hline).color;

    auto *strip = control<PaletteStrip>("PicColor");
    emit strip->hovered(VbColors::rgb(255, 240, 25));
    emit strip->pressed(VbColors::rgb(255, 240, 25), Qt::LeftButton, Qt::LeftButton);

    QCOMPARE(control<QLabel>("LabR")->text(), QStringLiteral("R:255"));
    QCOMPARE(control<QLabel>("LabB")->text(), QStringLiteral("B:25"));
    QCOMPARE(swatch(), QColor(1, 2, 3)); // the page colour before the pick
    QCOMPARE(m_card->pageColor(), VbColors::rgb(255, 240, 25));
    QCOMPARE(m_card->pagePicture(), picture); // the page picture stays
    QVERIFY(m_card->paintedLayer().isNull() ||
            m_card->paintedLayer().pixelColor(0, 0).alpha() == 0); // painted tiles are gone
    QCOMPARE(m_card->backgroundShown(), backgroundShown);
    QCOMPARE(m_card->element(ElementId::LabName).color, nameColour);
    QCOMPARE(m_card->element(ElementId::Hline).color, lineColour);
}

void TstSettingsDialog::saveWritesTheCardAsItIs_data()
{
    QTest::addColumn<VbColor>("page");
    QTest::addColumn<QString>("pageText");
    QTest::newRow("system window colour") << VbColors::WindowBackground << QStringLiteral("-2147483643");
    QTest::newRow("dark blue") << VbColor(0x00400000) << QStringLiteral("4194304");
}

void TstSettingsDialog::saveWritesTheCardAsItIs()
{
    QFETCH(VbColor, page);
    QFETCH(QString, pageText);

    const QStringList texts{QStringLiteral("王五"),         QStringLiteral("经理"),
                            QStringLiteral("Velnor工作室"), QStringLiteral("地址：上海市"),
                            QStringLiteral("邮编：200000"), QStringLiteral("传真：021-1"),
                            QStringLiteral("电话：021-2"),  QStringLiteral("手机：139"),
                            QStringLiteral("网址：v.cn"),   QStringLiteral("信箱：w@v.cn")};
    for (int i = 0; i < TextElementCount; ++i) {
        m_card->setText(Texts[i], texts[i]);
        m_card->setForeColor(Texts[i], VbColors::rgb(i, 2 * i, 3 * i));
    }
    m_card->setForeColor(ElementId::Hline, VbColors::rgb(255, 255, 255));
    m_card->setPageColor(page);
    m_card->setMotto(QStringLiteral("座右铭"));

    MessageAnswers seen;
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(seen.shown());
    QCOMPARE(seen.lastTitle(), SettingsTitle);
    QCOMPARE(seen.lastText(), Confirmation);
    QVERIFY(m_dialog && m_dialog->isVisible()); // the dialog stays open

    auto colour = [](int i) { return QString::number(i + 2 * i * 256 + 3 * i * 65536); };
    const QString expected =
        QStringLiteral("[Text]\r\nTitle=座右铭\r\nName=%1\r\nJob=%2\r\nOffice=%3\r\nAdd=%4\r\nPost=%5\r\n"
                       "Fax=%6\r\nTel=%7\r\nMob=%8\r\nMail=%9\r\nHttp=%10\r\n")
            .arg(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7], texts[9])
            .arg(texts[8]) +
        QStringLiteral("[BgColor]\r\nBg=%1\r\n").arg(pageText) +
        QStringLiteral("[FColor]\r\nName=%1\r\nJob=%2\r\nOffice=%3\r\nAdd=%4\r\nPost=%5\r\nFax=%6\r\n"
                       "Http=%7\r\nTel=%8\r\nMob=%9\r\n")
            .arg(colour(0), colour(1), colour(2), colour(3), colour(4), colour(5), colour(8), colour(6),
                 colour(7)) +
        QStringLiteral("Mail=%1\r\nHline=16777215\r\n").arg(colour(9));
    QCOMPARE(fileBytes(settingsFilePath()), gbk(expected));
}

void TstSettingsDialog::saveTakesChangesMadeOnTheCardMeanwhile()
{
    MessageAnswers seen;
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(seen.lastText(), Confirmation);

    // Changed on the main window while the dialog is open, then saved again.
    m_card->setText(ElementId::LabTel, QStringLiteral("电话：12345"));
    m_card->setForeColor(ElementId::Hline, VbColors::rgb(0, 0, 255));
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(seen.lastText(), Confirmation);
    QCOMPARE(ReadSetting(QStringLiteral("Text"), QStringLiteral("Tel")), QStringLiteral("电话：12345"));
    QCOMPARE(ReadSetting(QStringLiteral("FColor"), QStringLiteral("Hline")), QStringLiteral("16711680"));
    QCOMPARE(ReadSetting(QStringLiteral("Text"), QStringLiteral("Title")),
             QStringLiteral("第一行\r\n第二行"));
}

void TstSettingsDialog::unwritableFileIsReportedNotConfirmed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only directory") << QStringLiteral("readonly");
    QTest::newRow("directory missing") << QStringLiteral("missing");
    QTest::newRow("myset.ini is a directory") << QStringLiteral("isdir");
    QTest::newRow("full disk") << QStringLiteral("full");
    QTest::newRow("file-size limit") << QStringLiteral("limit");
}

void TstSettingsDialog::unwritableFileIsReportedNotConfirmed()
{
    QFETCH(QString, how);
    const QString dir = m_dir->filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(dir));
    const QString ini = dir + QStringLiteral("/myset.ini");
    const QByteArray before("[Text]\r\nTitle=旧的\r\n");
    std::unique_ptr<SmallDisk> disk;
    std::unique_ptr<FileSizeLimit> limit;
    if (how == QLatin1String("full")) {
        disk = std::make_unique<SmallDisk>(dir, 1 << 20);
        if (!disk->mounted())
            QSKIP("mounting a small tmpfs needs root; the file-size limit row runs instead");
    }
    if (how == QLatin1String("full") || how == QLatin1String("limit")) {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(gbk(QString::fromUtf8(before)));
        f.close();
        if (disk)
            QVERIFY(disk->leaveFree(0));
        else
            limit = std::make_unique<FileSizeLimit>(40);
    } else if (how == QLatin1String("readonly")) {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(gbk(QString::fromUtf8(before)));
        f.close();
        // A read-only program directory refuses the save for every user, the super-user too.
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0555) == 0);
    } else if (how == QLatin1String("missing")) {
        QVERIFY(QDir(dir).removeRecursively());
    } else {
        QVERIFY(QDir().mkpath(ini));
    }
    setSettingsDirectory(dir);

    MessageAnswers seen;
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    ::chmod(QFile::encodeName(dir).constData(), 0755);

    QVERIFY(seen.shown());
    QCOMPARE(seen.lastTitle(), SettingsTitle);
    QVERIFY(seen.lastText() != Confirmation);
    QVERIFY(seen.lastText().contains(QStringLiteral("没有能够保存")));
    QVERIFY(m_dialog && m_dialog->isVisible());
    if (how == QLatin1String("readonly") || how == QLatin1String("full") || how == QLatin1String("limit"))
        QCOMPARE(fileBytes(ini), gbk(QString::fromUtf8(before))); // what the file held stays
    // Once the trouble is gone, the same button saves.
    if (disk || limit) {
        limit.reset();
        if (disk)
            QVERIFY(QFile::remove(dir + QStringLiteral("/filler")));
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(seen.lastText(), Confirmation);
        QCOMPARE(ReadSetting(QStringLiteral("Text"), QStringLiteral("Title")), m_card->motto());
    }
}

// A link named myset.ini is replaced by the saved settings; the file it pointed at keeps its bytes.
void TstSettingsDialog::linkInTheSettingsPlaceIsReplaced()
{
    const QString outside = m_dir->filePath(QStringLiteral("outside.txt"));
    {
        QFile f(outside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("precious\n");
    }
    QVERIFY(QFile::link(outside, settingsFilePath()));
    MessageAnswers seen;
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(seen.lastText(), Confirmation);
    QCOMPARE(fileBytes(outside), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(settingsFilePath()).isSymLink());
    QCOMPARE(ReadSetting(QStringLiteral("BgColor"), QStringLiteral("Bg")),
             VbColors::toSettingText(m_card->pageColor()));
}

void TstSettingsDialog::closingWritesAndUndoesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("取消") << QStringLiteral("Command2");
    QTest::newRow("close label") << QStringLiteral("LabClose");
}

void TstSettingsDialog::closingWritesAndUndoesNothing()
{
    QFETCH(QString, how);
    auto *box = control<QPlainTextEdit>("TxtTitle");
    box->setPlainText(QStringLiteral("新的座右铭"));
    control<QRadioButton>("OptCardCol", 0)->click();
    emit control<PaletteStrip>("PicColor")->pressed(VbColors::rgb(7, 8, 9), Qt::LeftButton, Qt::LeftButton);

    QWidget *closer = how == QLatin1String("Command2")
                          ? static_cast<QWidget *>(control<QPushButton>("Command2"))
                          : control<QLabel>("LabClose");
    QTest::mouseClick(closer, Qt::LeftButton);
    QTRY_VERIFY(!m_dialog); // closed and gone, so the next opening loads afresh

    QCOMPARE(m_card->motto(), QStringLiteral("新的座右铭"));
    QCOMPARE(m_card->element(ElementId::LabMail).color, VbColors::rgb(7, 8, 9));
    QVERIFY(!QFile::exists(settingsFilePath()));
}

QTEST_MAIN(TstSettingsDialog)
#include "tst_settingsdialog.moc"
