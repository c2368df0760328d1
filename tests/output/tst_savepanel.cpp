// Saving the card: the file equals the drawing of the card, the name rules, atomic replacement and
// failures that leave the panel open and the files as they were.
#include "support/DiskTrouble.h"
#include "support/MessageAnswers.h"
#include "support/ProgramFolder.h"

#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardFile.h"
#include "output/SavePanel.h"
#include "widgets/ProgramDirectory.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {
struct BmpHeader {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

BmpHeader readHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray h = f.read(54);
    if (h.size() < 54 || !h.startsWith("BM"))
        return {};
    const auto *d = reinterpret_cast<const uchar *>(h.constData());
    return {qFromLittleEndian<qint32>(d + 18), qAbs(qFromLittleEndian<qint32>(d + 22)),
            qFromLittleEndian<quint16>(d + 28)};
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A saved card: its picture and its design beside it.
QStringList savedCard(const QString &picture)
{
    return {picture, picture.chopped(4) + QStringLiteral(".card")};
}

QStringList folderEntries()
{
    return QDir(CardFile::cardFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

class TstSavePanel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CardFonts::install();
        // As the program starts: every widget's font, and the font a card text falls back on for what
        // it leaves open, is 9 pt Song without smoothing.
        QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
    }
    void init()
    {
        m_dir.reset(new ProgramFolder);
        QVERIFY(m_dir->isValid());
        m_card.reset(new CardModel);
        m_panel.reset(new SavePanel(m_card.get()));
        m_panel->openedByMenu();
    }
    void cleanup()
    {
        // Leave nothing read-only behind for the temporary directory's removal.
        QFile(CardFile::cardFolder()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_panel.reset();
        m_card.reset();
        m_dir.reset();
    }

    void openingOffersTheDefaultName()
    {
        auto *name = m_panel->findChild<QLineEdit *>("TextSaveName");
        QVERIFY(name);
        name->setText(QStringLiteral("上次的名字"));
        m_panel->openedByMenu();
        QCOMPARE(name->text(), QStringLiteral("名片1"));
        QCOMPARE(name->selectedText(), QStringLiteral("名片1"));
        QCOMPARE(m_panel->focusWidget(), name);
    }

    void savesTheCardAsDrawn_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QSize>("size");
        QTest::newRow("default landscape") << "" << QSize(340, 207);
        QTest::newRow("portrait") << "portrait" << QSize(207, 340);
        QTest::newRow("hidden name") << "hide" << QSize(340, 207);
        QTest::newRow("texture") << "texture" << QSize(340, 207);
    }
    void savesTheCardAsDrawn()
    {
        QFETCH(QString, change);
        QFETCH(QSize, size);
        const QImage before = renderCard(*m_card);
        if (change == "portrait")
            m_card->setOrientation(Orientation::Portrait);
        else if (change == "hide")
            m_card->setVisible(ElementId::LabName, false);
        else if (change == "texture")
            m_card->tilePage(QImage(Assets::texture(3)));

        QVERIFY(!QFileInfo::exists(CardFile::cardFolder())); // made by the first save
        QSignalSpy closing(m_panel.get(), &SavePanel::closeRequested);
        MessageAnswers answers;
        int messagesBeforeClosing = -1;
        connect(m_panel.get(), &SavePanel::closeRequested, this,
                [&] { messagesBeforeClosing = answers.count(); });
        QTest::mouseClick(m_panel->findChild<QPushButton *>("ComSave"), Qt::LeftButton);

        QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor保存提示：")});
        QCOMPARE(messagesBeforeClosing, 1); // the panel closes after the message is acknowledged
        QCOMPARE(answers.texts.value(0), QStringLiteral("名片图稿已保存在您的名片夹中了!\r\n"
                                                        "在“浏览”选项中进行查看名片或打印名片……"));
        QCOMPARE(closing.count(), 1);
        const QString path = m_dir->path() + "/mycard/名片1.bmp";
        const BmpHeader header = readHeader(path);
        QCOMPARE(QSize(header.width, header.height), size);
        QCOMPARE(header.bitsPerPixel, 24);
        const QImage saved(path);
        const QImage drawn = renderCard(*m_card);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), drawn);
        if (!change.isEmpty() && change != "portrait")
            QVERIFY(drawn != before); // the change shows in the file
    }

    void enterInTheNameBoxSaves()
    {
        QSignalSpy closing(m_panel.get(), &SavePanel::closeRequested);
        MessageAnswers answers;
        auto *name = m_panel->findChild<QLineEdit *>("TextSaveName");
        name->setText(QStringLiteral("回车"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor保存提示：")});
        QCOMPARE(closing.count(), 1);
        QCOMPARE(QImage(m_dir->path() + "/mycard/回车.bmp").convertToFormat(QImage::Format_RGB32),
                 renderCard(*m_card));
        // A refused name keeps the panel open, as with the button.
        name->setText(QStringLiteral("a/b"));
        QTest::keyClick(name, Qt::Key_Enter);
        QCOMPARE(answers.count(), 2);
        QCOMPARE(closing.count(), 1);
    }

    // Black text alone on a white card, saved: the small Song text keeps the face's crisp bitmaps (two
    // levels), larger text and faces without bitmaps are smoothed (levels in between), bold too.
    void savedTextSmoothing_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("smooth");
        QTest::newRow("宋体 9 pt") << "宋体" << 9.0 << false << false;
        QTest::newRow("宋体 9 pt bold") << "宋体" << 9.0 << true << false;
        QTest::newRow("宋体 12 pt (16 px, the largest bitmap)") << "宋体" << 12.0 << false << false;
        QTest::newRow("宋体 20 pt") << "宋体" << 20.0 << false << true;
        QTest::newRow("宋体 18 pt bold") << "宋体" << 18.0 << true << true;
        QTest::newRow("Noto Serif CJK SC 20 pt") << "Noto Serif CJK SC" << 20.0 << false << true;
        QTest::newRow("Noto Serif CJK SC 9 pt") << "Noto Serif CJK SC" << 9.0 << false << true;
    }
    void savedTextSmoothing()
    {
        QFETCH(QString, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, smooth);
        for (int i = 0; i < ElementCount; ++i)
            m_card->setVisible(ElementId(i), ElementId(i) == ElementId::LabName);
        m_card->setPagePicture(QImage());
        m_card->setPageColor(VbColors::rgb(255, 255, 255));
        m_card->setForeColor(ElementId::LabName, VbColors::rgb(0, 0, 0));
        m_card->setText(ElementId::LabName, QStringLiteral("张三无业Ab"));
        m_card->setFontFace(ElementId::LabName, face);
        m_card->setFontSize(ElementId::LabName, points);
        m_card->setStyle(ElementId::LabName, bold, false);

        MessageAnswers answers;
        QTest::mouseClick(m_panel->findChild<QPushButton *>("ComSave"), Qt::LeftButton);
        const QImage saved(m_dir->path() + "/mycard/名片1.bmp");
        QVERIFY(!saved.isNull());
        QSet<QRgb> colours;
        int dark = 0;
        for (int y = 0; y < saved.height(); ++y)
            for (int x = 0; x < saved.width(); ++x) {
                const QRgb c = saved.pixel(x, y) & 0xFFFFFF;
                colours.insert(c);
                dark += qGray(c) < 128;
            }
        QVERIFY2(dark > 20, "the text is on the card");
        colours.remove(0x000000);
        colours.remove(0xFFFFFF);
        if (smooth)
            QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
        else
            QCOMPARE(colours.size(), 0);
    }

    void cancelWritesNothing()
    {
        QSignalSpy closing(m_panel.get(), &SavePanel::closeRequested);
        QTest::mouseClick(m_panel->findChild<QPushButton *>("ComSaveCancle"), Qt::LeftButton);
        QCOMPARE(closing.count(), 1);
        QVERIFY(!QFileInfo::exists(CardFile::cardFolder()));
    }

    void nameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file"); // empty: refused
        QTest::newRow("typed name") << QStringLiteral("张三的名片") << QStringLiteral("张三的名片.bmp");
        QTest::newRow("empty gives .bmp") << QString() << QStringLiteral(".bmp");
        QTest::newRow("blanks kept") << QStringLiteral(" a b ") << QStringLiteral(" a b .bmp");
        QTest::newRow("dots") << QStringLiteral("..") << QStringLiteral("...bmp");
        QTest::newRow("colon and star") << QStringLiteral("a:b*c") << QStringLiteral("a:b*c.bmp");
        QTest::newRow("longest ascii") << QString(244, 'x') << QString(244, 'x') + ".bmp";
        QTest::newRow("longest chinese") << QString(81, QChar(0x540D)) << QString(81, QChar(0x540D)) + ".bmp";
        QTest::newRow("slash") << QStringLiteral("a/b") << QString();
        QTest::newRow("parent folder") << QStringLiteral("../escape") << QString();
        QTest::newRow("backslash") << QStringLiteral("a\\b") << QString();
        QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << QString();
        QTest::newRow("too long ascii") << QString(245, 'x') << QString();
        QTest::newRow("too long chinese") << QString(82, QChar(0x540D)) << QString();
    }
    void nameRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        m_panel->findChild<QLineEdit *>("TextSaveName")->setText(name);
        QSignalSpy closing(m_panel.get(), &SavePanel::closeRequested);
        MessageAnswers answers;
        QTest::mouseClick(m_panel->findChild<QPushButton *>("ComSave"), Qt::LeftButton);

        QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor保存提示：")});
        if (file.isEmpty()) {
            QVERIFY(!answers.texts.value(0).contains(QStringLiteral("已保存")));
            QCOMPARE(closing.count(), 0); // the panel stays open
            // Nothing at all is written, not even the card folder.
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList());
        } else {
            QCOMPARE(closing.count(), 1);
            QCOMPARE(folderEntries(), savedCard(file));
            QCOMPARE(QImage(CardFile::cardFolder() + '/' + file).size(), QSize(340, 207));
            // Replacing needs a temporary name beside the file: that fits too.
            QVERIFY(m_panel->save());
            QCOMPARE(folderEntries(), savedCard(file));
        }
    }

    void savingAgainReplacesTheFile()
    {
        auto *save = m_panel->findChild<QPushButton *>("ComSave");
        MessageAnswers answers;
        QTest::mouseClick(save, Qt::LeftButton);
        m_card->setPageColor(VbColors::rgb(200, 30, 30));
        m_panel->openedByMenu();
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(answers.count(), 2);
        QCOMPARE(folderEntries(), savedCard(QStringLiteral("名片1.bmp"))); // no temporary file left
        QCOMPARE(QImage(CardFile::cardPath(QStringLiteral("名片1"))).convertToFormat(QImage::Format_RGB32),
                 renderCard(*m_card));
    }

    void failedSaveKeepsFiles_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("read-only file") << "read-only file";
        QTest::newRow("folder in the way") << "folder in the way";
        QTest::newRow("read-only card folder") << "read-only card folder";
        QTest::newRow("new name in a read-only card folder") << "new name in a read-only card folder";
        QTest::newRow("card folder is a file") << "card folder is a file";
        QTest::newRow("full disk") << "full disk";
        QTest::newRow("nearly full disk") << "nearly full disk";
        QTest::newRow("file-size limit") << "file-size limit";
    }
    void failedSaveKeepsFiles()
    {
        QFETCH(QString, obstacle);
        QDir(m_dir->path()).mkpath("mycard");
        // A card needs 211,194 bytes: a disk with 200 KB left, or a 100 KB file-size limit, cannot take it.
        std::unique_ptr<SmallDisk> disk;
        std::unique_ptr<FileSizeLimit> limit;
        if (obstacle.endsWith("full disk")) {
            disk = std::make_unique<SmallDisk>(CardFile::cardFolder(), 1 << 20);
            if (!disk->mounted())
                QSKIP("mounting a small tmpfs needs root; the file-size limit row runs instead");
        }
        const QString target = CardFile::cardPath(QStringLiteral("名片1"));
        const QString other = CardFile::cardPath(QStringLiteral("其他"));
        const QByteArray old = "not replaced";
        for (const QString &path : {target, other}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        if (obstacle == "read-only file") {
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else if (obstacle == "folder in the way") {
            QVERIFY(QFile::remove(target));
            QVERIFY(QDir().mkdir(target));
        } else if (obstacle.endsWith("read-only card folder")) {
            if (obstacle.startsWith("new name"))
                QVERIFY(QFile::remove(target));
            // Refused also for a user the system lets write there anyway (root).
            QVERIFY(QFile::setPermissions(CardFile::cardFolder(), QFile::ReadOwner | QFile::ExeOwner));
        } else if (obstacle == "card folder is a file") {
            QDir(CardFile::cardFolder()).removeRecursively();
            QFile f(CardFile::cardFolder());
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        if (disk)
            QVERIFY(disk->leaveFree(obstacle == "full disk" ? 0 : 200 * 1024));
        if (obstacle == "file-size limit") {
            limit = std::make_unique<FileSizeLimit>(100 * 1024);
            QVERIFY(limit->isSet());
        }
        const QStringList entries = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QStringList folder = folderEntries();

        QSignalSpy closing(m_panel.get(), &SavePanel::closeRequested);
        MessageAnswers answers;
        QVERIFY(!m_panel->save());
        QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor保存提示：")});
        QVERIFY2(answers.texts.value(0).contains(QStringLiteral("未能保存")),
                 qPrintable(answers.texts.value(0)));
        QCOMPARE(closing.count(), 0);
        QCOMPARE(folderEntries(), folder);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        if (obstacle != "card folder is a file") {
            QCOMPARE(contents(other), old);
            if (obstacle == "new name in a read-only card folder")
                QVERIFY(!QFileInfo::exists(target));
            else if (obstacle != "folder in the way")
                QCOMPARE(contents(target), old);
        }
        // The panel is still there and works: once there is room, the same save succeeds.
        if (disk || limit) {
            limit.reset();
            if (disk)
                QVERIFY(QFile::remove(CardFile::cardFolder() + QStringLiteral("/filler")));
            QVERIFY(m_panel->save());
            QCOMPARE(answers.count(), 2);
            QVERIFY(answers.texts.value(1).startsWith(QStringLiteral("名片图稿已保存在您的名片夹中了!")));
            QCOMPARE(QImage(target).convertToFormat(QImage::Format_RGB32), renderCard(*m_card));
        }
    }

    // A link in the card's place is replaced by the card; the file it pointed at is left alone.
    void linkInTheCardsPlaceIsReplaced()
    {
        QDir(m_dir->path()).mkpath("mycard");
        const QString outside = m_dir->filePath(QStringLiteral("outside.txt"));
        {
            QFile f(outside);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("precious");
        }
        const QString target = CardFile::cardPath(QStringLiteral("evil"));
        QVERIFY(QFile::link(outside, target));
        m_panel->findChild<QLineEdit *>("TextSaveName")->setText(QStringLiteral("evil"));
        MessageAnswers answers;
        QVERIFY(m_panel->save());
        QCOMPARE(contents(outside), QByteArray("precious"));
        QVERIFY(!QFileInfo(target).isSymLink());
        QCOMPARE(QImage(target).convertToFormat(QImage::Format_RGB32), renderCard(*m_card));
    }

private:
    std::unique_ptr<ProgramFolder> m_dir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<SavePanel> m_panel;
};

QTEST_MAIN(TstSavePanel)
#include "tst_savepanel.moc"
