// Start-up: the splash's closing, the readouts and scroll bars the load sets, the settings applied at start,
// the settings file the program ships with, and where a copy of the program keeps its files.
#include "app/DefaultSettings.h"
#include "app/SplashWindow.h"
#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "card/SettingsStore.h"
#include "card/Twips.h"
#include "editing/ColorPanel.h"
#include "editing/LinePanel.h"
#include "support/Gbk.h"
#include "widgets/ProgramDirectory.h"
#include "widgets/SingleInstance.h"

#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// 1024 x 768 pixels.
const QSizeF Screen(15360, 11520);

} // namespace

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }
    void init();

    void shrinkStepsStayCentredAndEndAtTheLimit();
    void splashClosesOnClickOrTimer();
    void splashShowsItsPictureAndSaysWhenOnScreen();
    void oneRunningCopy();
    void readoutsAndLineScrollBars();
    void settingsAppliedAtStart_data();
    void settingsAppliedAtStart();
    void settingsFileEmptyTextSection();
    void defaultFileHasTheDialogsOrder();
    void defaultFileNeverOverwrites();
    void installedDefaultCopiedOnlyWhenMissing();
    void programDirectoryOfEachCopy_data();
    void programDirectoryOfEachCopy();
    void perUserDirectoryIsPrivate();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    setSettingsDirectory(m_dir->path());
}

void TstStartup::shrinkStepsStayCentredAndEndAtTheLimit()
{
    // 425 x 213 pixels plus the thin frame.
    QRectF window(4477.5, 4147.5, 6405, 3225);
    int ticks = 0;
    while (true) {
        const QRectF next = SplashWindow::shrinkStep(window, Screen);
        ++ticks;
        QCOMPARE(next.width(), window.width() - 350);
        QCOMPARE(next.height(), window.height() - 200);
        QCOMPARE(next.left(), (Screen.width() - next.width()) / 2);
        QCOMPARE(next.top(), (Screen.height() - next.height()) / 2);
        window = next;
        if (SplashWindow::isLastStep(window))
            break;
        QVERIFY(window.width() > 200 && window.height() > 200);
    }
    // The height reaches 25 twips on tick 16 while the width is still 805.
    QCOMPARE(ticks, 16);
    QCOMPARE(window.size(), QSizeF(805, 25));
    // Exactly at the limit counts as the end.
    QVERIFY(SplashWindow::isLastStep(QRectF(0, 0, 200, 1000)));
    QVERIFY(SplashWindow::isLastStep(QRectF(0, 0, 1000, 200)));
    QVERIFY(!SplashWindow::isLastStep(QRectF(0, 0, 200.5, 200.5)));
}

void TstStartup::splashClosesOnClickOrTimer()
{
    auto *splash = new SplashWindow(Screen);
    QPointer<SplashWindow> alive(splash);
    QSignalSpy finished(splash, &SplashWindow::finished);
    QCOMPARE(splash->geometry(), QRect(299, 277, 427, 215)); // centred on 1024 x 768
    QCOMPARE(splash->timer2()->interval(), 4000);
    QCOMPARE(splash->timer1()->interval(), 5);
    QVERIFY(splash->timer2()->isActive());
    QVERIFY(!splash->timer1()->isActive());
    splash->show();

    // A click on the label is not a click on the window.
    auto *info = splash->findChild<QLabel *>(QStringLiteral("LabRInfo"));
    QVERIFY(info);
    QTest::mouseClick(info, Qt::LeftButton);
    QVERIFY(!splash->isClosing());
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(splash->isClosing());
    splash->timer1()->stop(); // the test drives the ticks

    for (int tick = 1; tick < 16; ++tick) {
        splash->closingStep();
        const QRect g = splash->geometry();
        QVERIFY2(qAbs((g.left() + g.right() + 1) - 1024) <= 1, qPrintable(QString::number(tick)));
        QVERIFY(qAbs((g.top() + g.bottom() + 1) - 768) <= 1);
        QCOMPARE(finished.count(), 0);
    }
    splash->closingStep();
    QCOMPARE(finished.count(), 1);
    QVERIFY(!splash->isVisible());
    QVERIFY(!splash->timer1()->isActive());
    QVERIFY(!splash->timer2()->isActive());
    QTRY_VERIFY(alive.isNull()); // unloaded

    // Without a click, Timer2 starts the closing; a later tick of it changes nothing.
    SplashWindow waiting(Screen);
    QVERIFY(QMetaObject::invokeMethod(waiting.timer2(), "timeout"));
    QVERIFY(waiting.isClosing());
    waiting.timer1()->stop();
    waiting.closingStep();
    const QRect afterOne = waiting.geometry();
    waiting.timer1()->start();
    QVERIFY(QMetaObject::invokeMethod(waiting.timer2(), "timeout"));
    QCOMPARE(waiting.geometry(), afterOne);
}

// The picture is taken from the resource without Qt's image reader: the same pixels as the reader's.
// Once painted, the splash says it is on the screen, once, and only then is its label sized to its text.
void TstStartup::splashShowsItsPictureAndSaysWhenOnScreen()
{
    SplashWindow splash(Screen);
    QSignalSpy onScreen(&splash, &SplashWindow::onScreen);
    auto *info = splash.findChild<QLabel *>(QStringLiteral("LabRInfo"));
    QVERIFY(info);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTRY_COMPARE(onScreen.count(), 1);
    QCOMPARE(info->size(), info->sizeHint());
    info->hide();
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = QImage(Assets::Splash).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(expected.size(), QSize(425, 213));
    QCOMPARE(shown.copy(1, 1, 425, 213), expected);
    splash.update();
    QTest::qWait(50);
    QCOMPARE(onScreen.count(), 1);
}

// One running copy per user: a second lock on the same file is refused while the first is held, and free
// again once its holder is gone; a lock in a folder that does not exist is unavailable, not refused.
void TstStartup::oneRunningCopy()
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir->path()));
    auto first = std::make_unique<SingleInstance>(QStringLiteral("test.lock"));
    QCOMPARE(first->lockPath(), m_dir->filePath(QStringLiteral("test.lock")));
    QCOMPARE(first->acquire(), SingleInstance::Result::Acquired);
    SingleInstance second(QStringLiteral("test.lock"));
    QCOMPARE(second.acquire(), SingleInstance::Result::AlreadyRunning);
    first.reset();
    QCOMPARE(second.acquire(), SingleInstance::Result::Acquired);
    SingleInstance third(QStringLiteral("missing/test.lock"));
    QCOMPARE(third.acquire(), SingleInstance::Result::Unavailable);
}

void TstStartup::readoutsAndLineScrollBars()
{
    CardModel card;
    ColorPanel colors(&card);
    LinePanel line(&card);
    colors.load();
    line.load();
    QCOMPARE(colors.findChild<QLabel *>(QStringLiteral("LabR"))->text(), QStringLiteral("R:0"));
    QCOMPARE(colors.findChild<QLabel *>(QStringLiteral("LabG"))->text(), QStringLiteral("G:58"));
    QCOMPARE(colors.findChild<QLabel *>(QStringLiteral("LabB"))->text(), QStringLiteral("B:114"));
    auto *width = line.findChild<QScrollBar *>(QStringLiteral("HScroll1"));
    auto *height = line.findChild<QScrollBar *>(QStringLiteral("HScroll2"));
    QCOMPARE(width->value(), 4920);
    QCOMPARE(height->value(), 15);

    card.setLineSize(3000.4, 90.6);
    line.load();
    QCOMPARE(width->value(), 3000);
    QCOMPARE(height->value(), 91);
}

void TstStartup::settingsAppliedAtStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("color");

    const uint nameDefault = 0x00400000;
    // The dialog writes "Name"; the start reads "name".
    QTest::newRow("Name read as name") << "[Text]\r\nName=李四\r\n[FColor]\r\nName=255\r\n"
                                       << int(ElementId::LabName) << "李四" << 255u;
    QTest::newRow("sections in any case") << "[TEXT]\r\nNAME=王五\r\n[fcolor]\r\nname=65280\r\n"
                                          << int(ElementId::LabName) << "王五" << 65280u;
    QTest::newRow("telephone is not fax") << "[Text]\r\nFax=F\r\nTel=T\r\n[FColor]\r\nTel=7\r\nFax=9\r\n"
                                          << int(ElementId::LabTel) << "T" << 7u;
    QTest::newRow("fax is not telephone") << "[Text]\r\nFax=F\r\nTel=T\r\n[FColor]\r\nTel=7\r\nFax=9\r\n"
                                          << int(ElementId::LabFax) << "F" << 9u;
    QTest::newRow("system colour") << "[Text]\r\nname=x\r\n[FColor]\r\nname=-2147483643\r\n"
                                   << int(ElementId::LabName) << "x" << 0x80000005u;
    QTest::newRow("white") << "[Text]\r\nname=x\r\n[FColor]\r\nname=16777215\r\n"
                           << int(ElementId::LabName) << "x" << 0x00FFFFFFu;
    QTest::newRow("no colour (-1)") << "[Text]\r\nname=x\r\n[FColor]\r\nname=-1\r\n"
                                    << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour absent") << "[Text]\r\nname=x\r\n" << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour empty") << "[Text]\r\nname=x\r\n[FColor]\r\nname=\r\n"
                                  << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour not a number") << "[Text]\r\nname=x\r\n[FColor]\r\nname=red\r\n"
                                         << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour with trailing junk") << "[Text]\r\nname=x\r\n[FColor]\r\nname=12abc\r\n"
                                               << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour fraction") << "[Text]\r\nname=x\r\n[FColor]\r\nname=1.5\r\n"
                                     << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour above 32 bits") << "[Text]\r\nname=x\r\n[FColor]\r\nname=2147483648\r\n"
                                          << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("colour below 32 bits") << "[Text]\r\nname=x\r\n[FColor]\r\nname=-2147483649\r\n"
                                          << int(ElementId::LabName) << "x" << nameDefault;
    QTest::newRow("line colour") << "[FColor]\r\nHline=255\r\n" << int(ElementId::Hline) << "" << 255u;
    QTest::newRow("line colour bad") << "[FColor]\r\nHline=x\r\n" << int(ElementId::Hline) << "" << 0u;
    QTest::newRow("no file") << QString() << int(ElementId::LabMail) << "" << nameDefault;
}

void TstStartup::settingsAppliedAtStart()
{
    QFETCH(QString, file);
    QFETCH(int, element);
    QFETCH(QString, text);
    QFETCH(uint, color);
    if (!file.isNull())
        QVERIFY(writeGbk(settingsFilePath(), file));

    CardModel card;
    const ElementId id = ElementId(element);
    const QRectF placeBefore(card.element(id).left, card.element(id).top, 0, 0);
    applyCardSettings(card);
    if (isText(id))
        QCOMPARE(card.textElement(id).text, text);
    QCOMPARE(card.element(id).color, VbColor(color));
    QCOMPARE(QRectF(card.element(id).left, card.element(id).top, 0, 0), placeBefore);
}

void TstStartup::settingsFileEmptyTextSection()
{
    QVERIFY(
        writeGbk(settingsFilePath(), QStringLiteral("[Text]\r\n[BgColor]\r\nBg=16777215\r\n[FColor]\r\n")));
    CardModel card;
    const CardModel defaults;
    applyCardSettings(card);
    QCOMPARE(card.motto(), QString());
    for (int i = 0; i < TextElementCount; ++i) {
        const TextElement &e = card.textElement(ElementId(i));
        QVERIFY2(e.text.isEmpty(), elementInfo(e.id).controlName);
        // The label stays where it was, with its font and colour.
        const TextElement &d = defaults.textElement(ElementId(i));
        QCOMPARE(QPointF(e.left, e.top), QPointF(d.left, d.top));
        QCOMPARE(e.sizePt, d.sizePt);
        QCOMPARE(e.color, d.color);
        QVERIFY(e.visible);
    }
    QCOMPARE(card.pageColor(), VbColor(0x00FFFFFF));
    QCOMPARE(card.logo().size(), defaults.logo().size());
}

void TstStartup::defaultFileHasTheDialogsOrder()
{
    const CardModel card;
    QVERIFY(saveCardSettings(card));
    auto t = [&card](ElementId id) { return card.textElement(id).text; };
    const QString expected =
        QStringLiteral(
            "[Text]\r\nTitle=%1\r\nName=%2\r\nJob=%3\r\nOffice=%4\r\nAdd=%5\r\nPost=%6\r\nFax=%7\r\n"
            "Tel=%8\r\nMob=%9\r\nMail=%10\r\nHttp=%11\r\n")
            .arg(DefaultMotto, t(ElementId::LabName), t(ElementId::LabJob), t(ElementId::LabOffice),
                 t(ElementId::LabAdd), t(ElementId::LabPost), t(ElementId::LabFax), t(ElementId::LabTel),
                 t(ElementId::LabMob))
            .arg(t(ElementId::LabMail), t(ElementId::LabHttp)) +
        QStringLiteral("[BgColor]\r\nBg=-2147483643\r\n[FColor]\r\nName=4194304\r\nJob=4194304\r\n"
                       "Office=8388608\r\nAdd=4194304\r\nPost=4194304\r\nFax=4194304\r\nHttp=4194304\r\n"
                       "Tel=4194304\r\nMob=4194304\r\nMail=4194304\r\nHline=0\r\n");
    QCOMPARE(readGbk(settingsFilePath()), expected);

    // Applied at start, it gives back the default card and its motto.
    CardModel changed;
    changed.setMotto(QStringLiteral("别的"));
    for (int i = 0; i < TextElementCount; ++i) {
        changed.setText(ElementId(i), QStringLiteral("x"));
        changed.setForeColor(ElementId(i), 1);
    }
    changed.setForeColor(ElementId::Hline, 1);
    changed.setPageColor(1);
    applyCardSettings(changed);
    QCOMPARE(changed.motto(), DefaultMotto);
    QCOMPARE(changed.pageColor(), card.pageColor());
    for (int i = 0; i < ElementCount - 1; ++i) {
        const ElementId id = ElementId(i);
        QCOMPARE(changed.element(id).color, card.element(id).color);
        if (isText(id))
            QCOMPARE(changed.textElement(id).text, card.textElement(id).text);
    }
}

void TstStartup::defaultFileNeverOverwrites()
{
    const QString tool = QStringLiteral(VELNOR_DEFAULT_SETTINGS_TOOL);
    const QString target = QDir(m_dir->path()).filePath(QStringLiteral("new/myset.ini"));
    QCOMPARE(QProcess::execute(tool, {QFileInfo(target).path()}), 0);
    setSettingsDirectory(QFileInfo(target).path());
    QCOMPARE(ReadSetting(QStringLiteral("Text"), QStringLiteral("Title")), DefaultMotto);
    QCOMPARE(ReadSetting(QStringLiteral("FColor"), QStringLiteral("Office")), QStringLiteral("8388608"));

    // The user's own file stays exactly as it is.
    QVERIFY(writeGbk(target, QStringLiteral("[Text]\r\nTitle=我的\r\n")));
    QCOMPARE(QProcess::execute(tool, {QFileInfo(target).path()}), 0);
    QCOMPARE(readGbk(target), QStringLiteral("[Text]\r\nTitle=我的\r\n"));
    // Nothing else is left in the folder.
    QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("myset.ini")});
}

void TstStartup::installedDefaultCopiedOnlyWhenMissing()
{
    const QString shipped = QDir(m_dir->path()).filePath(QStringLiteral("shipped.ini"));
    QVERIFY(writeGbk(shipped, QStringLiteral("[Text]\r\nTitle=默认\r\n")));
    QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString user = QDir(m_dir->path()).filePath(QStringLiteral("user"));
    QVERIFY(QDir().mkpath(user));

    QVERIFY(DefaultSettings::copyIfMissing(shipped, user));
    const QString copy = QDir(user).filePath(QStringLiteral("myset.ini"));
    QCOMPARE(readGbk(copy), QStringLiteral("[Text]\r\nTitle=默认\r\n"));
    // The user's copy can be saved to.
    setSettingsDirectory(user);
    QVERIFY(WriteSetting(QStringLiteral("Text"), QStringLiteral("Title"), QStringLiteral("我的")));

    QVERIFY(DefaultSettings::copyIfMissing(shipped, user));
    QCOMPARE(ReadSetting(QStringLiteral("Text"), QStringLiteral("Title")), QStringLiteral("我的"));
    // No installed default: nothing is made up.
    const QString other = QDir(m_dir->path()).filePath(QStringLiteral("other"));
    QVERIFY(QDir().mkpath(other));
    QVERIFY(!DefaultSettings::copyIfMissing(QString(), other));
    QVERIFY(!QFileInfo::exists(QDir(other).filePath(QStringLiteral("myset.ini"))));
}

void TstStartup::programDirectoryOfEachCopy_data()
{
    QTest::addColumn<QStringList>("files");  // made under the scratch folder; a trailing / makes a folder
    QTest::addColumn<QString>("exeDir");     // the executable's folder, relative to the scratch folder
    QTest::addColumn<QString>("installBin"); // the build's install folder for programs, relative, or ""
    QTest::addColumn<bool>("readOnly");      // the executable's folder made read-only
    QTest::addColumn<bool>("perUser");

    // clang-format off
    QTest::newRow("build tree") << QStringList{"build/myset.ini"} << "build" << "usr/bin" << false << false;
    QTest::newRow("build tree before its first build") << QStringList{"build/"} << "build" << "" << false << false;
    QTest::newRow("portable copy with its settings, read-only")
        << QStringList{"velnor/myset.ini"} << "velnor" << "usr/bin" << true << false;
    QTest::newRow("a share/ folder without the default is no install")
        << QStringList{"x/bin/", "x/share/velnor/"} << "x/bin" << "" << false << false;
    // Written by root, the install folder is writable; the default beside ../share still marks it.
    QTest::newRow("installed under a writable prefix")
        << QStringList{"prefix/bin/", "prefix/share/velnor/myset.ini"} << "prefix/bin" << "" << false << true;
    QTest::newRow("installed, a settings file dropped beside the program")
        << QStringList{"prefix/bin/myset.ini", "prefix/share/velnor/myset.ini"} << "prefix/bin" << "" << false
        << true;
    QTest::newRow("in the install folder, its default deleted")
        << QStringList{"usr/bin/"} << "usr/bin" << "usr/bin" << false << true;
    QTest::newRow("in the install folder, reached through a link")
        << QStringList{"usr/bin/", "link>usr/bin"} << "link" << "usr/bin" << false << true;
    // clang-format on
}

void TstStartup::programDirectoryOfEachCopy()
{
    QFETCH(QStringList, files);
    QFETCH(QString, exeDir);
    QFETCH(QString, installBin);
    QFETCH(bool, readOnly);
    QFETCH(bool, perUser);
    const QDir root(m_dir->path());
    for (const QString &file : files) {
        if (file.contains(QLatin1Char('>'))) {
            const QStringList link = file.split(QLatin1Char('>'));
            QVERIFY(QFile::link(root.filePath(link[1]), root.filePath(link[0])));
        } else if (file.endsWith(QLatin1Char('/'))) {
            QVERIFY(root.mkpath(file));
        } else {
            QVERIFY(root.mkpath(QFileInfo(file).path()));
            QVERIFY(writeGbk(root.filePath(file), QStringLiteral("[Text]\r\n")));
        }
    }
    const QString exe = root.filePath(exeDir);
    const QString bin = installBin.isEmpty() ? QString() : root.filePath(installBin);
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    if (readOnly)
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);

    QCOMPARE(ProgramDirectory::isInstalledCopy(exe, bin), perUser);
    bool gotPerUser = !perUser;
    const QString dir = ProgramDirectory::resolveFor(exe, bin, &gotPerUser);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(gotPerUser, perUser);
    QCOMPARE(dir,
             perUser ? root.filePath(QStringLiteral("data/") + QCoreApplication::applicationName()) : exe);
    QCOMPARE(QFileInfo(dir).isDir(), true);
}

void TstStartup::perUserDirectoryIsPrivate()
{
    const QDir root(m_dir->path());
    const QString app = QCoreApplication::applicationName();
    // Made afresh (with the folders above it): for its user alone, whatever the umask.
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("a/share")).toLocal8Bit());
    const QString made = ProgramDirectory::perUserDirectory();
    QCOMPARE(made, root.filePath(QStringLiteral("a/share/") + app));
    QCOMPARE(made, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QCOMPARE(QFileInfo(made).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Two users' homes give two folders: nothing of one is found in the other's.
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("b/share")).toLocal8Bit());
    const QString other = ProgramDirectory::perUserDirectory();
    QVERIFY(other != made);
    QVERIFY(QFileInfo(other).isDir());

    // An existing folder keeps the permissions its owner gave it.
    const QString shared = root.filePath(QStringLiteral("c/share/") + app);
    QVERIFY(QDir().mkpath(shared));
    const QFile::Permissions chosen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(shared, chosen));
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("c/share")).toLocal8Bit());
    QCOMPARE(ProgramDirectory::perUserDirectory(), shared);
    QCOMPARE(QFileInfo(shared).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             chosen);

    // The first start's copy of the default goes into it through the safe write and is the user's to change.
    const QString shipped = root.filePath(QStringLiteral("shipped.ini"));
    QVERIFY(writeGbk(shipped, QStringLiteral("[Text]\r\nTitle=默认\r\n")));
    QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QString reason;
    QVERIFY(DefaultSettings::copyIfMissing(shipped, made, &reason));
    QVERIFY(QFileInfo(QDir(made).filePath(QStringLiteral("myset.ini"))).permissions() & QFile::WriteOwner);
    // A copy into a folder that cannot be written says why and leaves nothing.
    const QString gone = root.filePath(QStringLiteral("missing"));
    QVERIFY(!DefaultSettings::copyIfMissing(shipped, gone, &reason));
    QVERIFY(!reason.isEmpty());
    QVERIFY(!QFileInfo::exists(gone));
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
