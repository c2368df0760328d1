// The card folder browser: which files it lists and counts, where it puts a chosen card, deleting only
// after Yes, bad files and folders, and the main window hidden while it is open.
#include "support/MessageAnswers.h"
#include "support/ProgramFolder.h"

#include "assets/Assets.h"
#include "card/CardModel.h"
#include "output/CardBrowser.h"
#include "output/CardFile.h"
#include "widgets/ProgramDirectory.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
QImage picture(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

void write(const QString &name, const QImage &image, const char *format = "bmp")
{
    QVERIFY(image.save(CardFile::cardFolder() + '/' + name, format));
}

void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(CardFile::cardFolder() + '/' + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList listed(CardBrowser &b)
{
    QStringList names;
    auto *list = b.findChild<QListWidget *>("File1");
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Chooses an entry as the user does, with a mouse click on it.
void choose(CardBrowser &b, const QString &name)
{
    auto *list = b.findChild<QListWidget *>("File1");
    const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->scrollToItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

QString text(CardBrowser &b, const char *name)
{
    if (auto *l = b.findChild<QLabel *>(name))
        return l->text();
    return b.findChild<QLineEdit *>(name)->text();
}

bool enabled(CardBrowser &b, const char *name)
{
    return b.findChild<QPushButton *>(name)->isEnabled();
}
} // namespace

class TstCardBrowser : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new ProgramFolder);
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(CardFile::cardFolder()));
    }
    void cleanup() { m_dir.reset(); }

    void listsAndCountsCardFiles()
    {
        write("横.bmp", picture(340, 207, Qt::red));
        write("竖.BMP", picture(207, 340, Qt::blue));
        write(".bmp", picture(340, 207, Qt::green)); // what an empty save name gives
        write("照片.Jpg", picture(100, 80, Qt::yellow), "jpg");
        write(".hidden.jpg", picture(100, 80, Qt::yellow), "jpg");
        write("other.png", picture(10, 10, Qt::black), "png");
        writeBytes("notes.txt", "x");
        writeBytes("card.bmp.bak", "x");
        QVERIFY(QDir(CardFile::cardFolder()).mkdir("folder.bmp"));

        CardBrowser b(nullptr, nullptr);
        QStringList names = listed(b);
        names.sort();
        QStringList expected{".bmp", ".hidden.jpg", "横.bmp", "照片.Jpg", "竖.BMP"};
        expected.sort();
        QCOMPARE(names, expected);
        QCOMPARE(text(b, "Label1"), QStringLiteral("共有5张名片"));
        // Nothing chosen yet: the sample card, an empty disabled name box, no delete or print.
        QCOMPARE(text(b, "Text1"), QString());
        QVERIFY(!b.findChild<QLineEdit *>("Text1")->isEnabled());
        QVERIFY(!enabled(b, "CmdDelCard"));
        QVERIFY(!enabled(b, "CmdPrint"));
        auto *card = b.findChild<QLabel *>("PicMyCard");
        QCOMPARE(card->pos(), QPoint(20, 80));
        const QImage sample(Assets::SampleCard);
        if (!sample.isNull())
            QCOMPARE(card->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                     sample.convertToFormat(QImage::Format_RGB32));
    }

    // The list is read from the folder's listing alone: by name regardless of case, and a link counts
    // only when it leads to a file.
    void listsByNameAndFollowsLinks()
    {
        const QString folder = CardFile::cardFolder();
        for (const char *name : {"b.bmp", "A.BMP", "c.jpg", "_.bmp", "Ab.bmp", "名片.bmp", "a1.Jpg"})
            writeBytes(QString::fromUtf8(name), "x");
        QVERIFY(QFile::link(folder + "/b.bmp", folder + "/link.bmp"));
        QVERIFY(QFile::link(folder + "/missing.bmp", folder + "/broken.bmp"));
        QVERIFY(QDir(folder).mkdir("sub"));
        QVERIFY(QFile::link(folder + "/sub", folder + "/dir.bmp"));

        CardBrowser b(nullptr, nullptr);
        QCOMPARE(listed(b), (QStringList{"_.bmp", "A.BMP", "a1.Jpg", "Ab.bmp", "b.bmp", "c.jpg", "link.bmp",
                                         QStringLiteral("名片.bmp")}));
        QCOMPARE(CardBrowser::cardFiles(folder + "/none"), QStringList());
    }

    void countText_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("count");
        QTest::newRow("none") << 0 << QStringLiteral("共有0张名片");
        QTest::newRow("three") << 3 << QStringLiteral("共有3张名片");
        QTest::newRow("twelve") << 12 << QStringLiteral("共有12张名片");
    }
    void countText()
    {
        QFETCH(int, files);
        QFETCH(QString, count);
        for (int i = 0; i < files; ++i)
            write(QStringLiteral("名片%1.bmp").arg(i), picture(340, 207, Qt::white));
        CardBrowser b(nullptr, nullptr);
        QCOMPARE(text(b, "Label1"), count);
    }

    void placesTheChosenCardByWidth_data()
    {
        QTest::addColumn<QStringList>("chosen"); // in order; the last one is checked
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape") << QStringList{"portrait.bmp", "landscape.bmp"} << QPoint(20, 80)
                                   << QSize(340, 207);
        QTest::newRow("portrait") << QStringList{"portrait.bmp"} << QPoint(92, 8) << QSize(207, 340);
        QTest::newRow("jpeg portrait") << QStringList{"portrait.jpg"} << QPoint(92, 8) << QSize(207, 340);
        QTest::newRow("250 after portrait")
            << QStringList{"portrait.bmp", "odd.bmp"} << QPoint(92, 8) << QSize(250, 250);
        QTest::newRow("250 after landscape")
            << QStringList{"landscape.bmp", "odd.bmp"} << QPoint(20, 80) << QSize(250, 250);
        QTest::newRow("widths 301 and 209")
            << QStringList{"w301.bmp", "w209.bmp"} << QPoint(92, 8) << QSize(209, 100);
        QTest::newRow("width 210 stays")
            << QStringList{"w301.bmp", "w210.bmp"} << QPoint(20, 80) << QSize(210, 100);
        QTest::newRow("width 300 stays")
            << QStringList{"w209.bmp", "w300.bmp"} << QPoint(92, 8) << QSize(300, 100);
    }
    void placesTheChosenCardByWidth()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QPoint, place);
        QFETCH(QSize, size);
        write("landscape.bmp", picture(340, 207, Qt::red));
        write("portrait.bmp", picture(207, 340, Qt::blue));
        write("portrait.jpg", picture(207, 340, Qt::blue), "jpg");
        write("odd.bmp", picture(250, 250, Qt::green));
        for (int w : {209, 210, 300, 301})
            write(QStringLiteral("w%1.bmp").arg(w), picture(w, 100, Qt::gray));

        CardBrowser b(nullptr, nullptr);
        b.show();
        for (const QString &name : chosen)
            choose(b, name);
        auto *card = b.findChild<QLabel *>("PicMyCard");
        QCOMPARE(text(b, "Text1"), chosen.last());
        QCOMPARE(card->pos(), place);
        QCOMPARE(card->size(), size);
        QCOMPARE(b.cardPicture().size(), size);
        QVERIFY(enabled(b, "CmdDelCard"));
        QVERIFY(enabled(b, "CmdPrint"));
    }

    void deletesOnlyAfterYes()
    {
        write("a.bmp", picture(340, 207, Qt::red));
        write("b.bmp", picture(340, 207, Qt::blue));
        write("c.bmp", picture(207, 340, Qt::green));
        CardBrowser b(nullptr, nullptr);
        b.show();
        choose(b, "b.bmp");
        auto *del = b.findChild<QPushButton *>("CmdDelCard");
        {
            MessageAnswers answers({QMessageBox::No});
            QTest::mouseClick(del, Qt::LeftButton);
            QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor删除警告！")});
            QCOMPARE(answers.texts, QStringList{QStringLiteral("确实要删除你选定的名片吗？")});
        }
        QVERIFY(QFile::exists(CardFile::cardFolder() + "/b.bmp"));
        QCOMPARE(text(b, "Text1"), QStringLiteral("b.bmp"));
        QCOMPARE(text(b, "Label1"), QStringLiteral("共有3张名片"));
        QVERIFY(enabled(b, "CmdDelCard"));
        {
            MessageAnswers answers({QMessageBox::Yes, QMessageBox::Ok});
            QTest::mouseClick(del, Qt::LeftButton);
            QCOMPARE(answers.titles,
                     (QStringList{QStringLiteral("Velnor删除警告！"), QStringLiteral("Velnor删除提示")}));
            QCOMPARE(answers.texts.value(1), QStringLiteral("已成功删除你选定的名片"));
        }
        QCOMPARE(QDir(CardFile::cardFolder()).entryList(QDir::Files), (QStringList{"a.bmp", "c.bmp"}));
        QCOMPARE(listed(b), (QStringList{"a.bmp", "c.bmp"}));
        QCOMPARE(text(b, "Label1"), QStringLiteral("共有2张名片"));
        QCOMPARE(text(b, "Text1"), QString());
        QVERIFY(b.findChild<QLabel *>("PicMyCard")->pixmap().isNull());
        QVERIFY(b.cardPicture().isNull());
        QVERIFY(!enabled(b, "CmdDelCard"));
        QVERIFY(!enabled(b, "CmdPrint"));
    }

    void badFileIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QByteArray whole;
        {
            QBuffer buffer(&whole);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(picture(340, 207, Qt::blue).save(&buffer, "bmp"));
        }
        QTest::newRow("no picture") << "broken.jpg" << QByteArray("this is no picture")
                                    << QStringLiteral("这个文件不是BMP、JPEG或GIF图片。");
        // Qt's reader shows a cut-off BMP without complaint; the picture panel's check refuses it.
        QTest::newRow("cut-off card")
            << "cut.bmp" << whole.left(200704) << QStringLiteral("图片文件不完整，可能已损坏或被截断。");
        QTest::newRow("empty file") << "empty.bmp" << QByteArray()
                                    << QStringLiteral("这个文件是空的，不是图片。");
    }
    void badFileIsReported()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        write("good.bmp", picture(340, 207, Qt::red));
        writeBytes(name, bytes);
        CardBrowser b(nullptr, nullptr);
        b.show();
        {
            MessageAnswers answers;
            choose(b, name);
            QCOMPARE(answers.titles, QStringList{QStringLiteral("Velnor浏览提示：")});
            QCOMPARE(answers.texts.value(0), QStringLiteral("无法显示名片“%1”：\r\n").arg(name) + reason);
        }
        // The broken file can be deleted but not printed; nothing of it is shown; the browser goes on.
        QVERIFY(b.cardPicture().isNull());
        QVERIFY(enabled(b, "CmdDelCard"));
        QVERIFY(!enabled(b, "CmdPrint"));
        choose(b, "good.bmp");
        QCOMPARE(b.cardPicture().size(), QSize(340, 207));
        QVERIFY(enabled(b, "CmdPrint"));
    }

    void failedDeleteIsReported()
    {
        write("a.bmp", picture(340, 207, Qt::red));
        write("b.bmp", picture(340, 207, Qt::red));
        CardBrowser b(nullptr, nullptr);
        b.show();
        choose(b, "a.bmp");
        QVERIFY(QFile::remove(CardFile::cardFolder() + "/a.bmp")); // gone behind the browser's back
        MessageAnswers answers({QMessageBox::Yes, QMessageBox::Ok});
        QTest::mouseClick(b.findChild<QPushButton *>("CmdDelCard"), Qt::LeftButton);
        QCOMPARE(answers.titles.size(), 2);
        QVERIFY(answers.texts.value(1).contains(QStringLiteral("无法删除")));
        QVERIFY(QFile::exists(CardFile::cardFolder() + "/b.bmp"));
    }

    void folderProblemIsReported_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::newRow("missing") << true;
        QTest::newRow("unreadable") << false;
    }
    void folderProblemIsReported()
    {
        QFETCH(bool, missing);
        write("a.bmp", picture(340, 207, Qt::red));
        if (missing) {
            QVERIFY(QDir(CardFile::cardFolder()).removeRecursively());
        } else {
            QVERIFY(QFile::setPermissions(CardFile::cardFolder(), QFile::WriteOwner));
            if (QFileInfo(CardFile::cardFolder()).isReadable())
                QSKIP("this user reads unreadable folders (root)");
        }
        MessageAnswers answers;
        CardBrowser b(nullptr, nullptr);
        b.show();
        QTRY_COMPARE(answers.count(), 1);
        QCOMPARE(answers.titles.value(0), QStringLiteral("Velnor浏览提示："));
        QCOMPARE(text(b, "Label1"), QStringLiteral("共有0张名片"));
        QVERIFY(!enabled(b, "CmdPrint"));
        QFile::setPermissions(CardFile::cardFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void titleBarMovesTheWindow()
    {
        CardBrowser b(nullptr, nullptr);
        b.move(100, 100);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        const QPoint start = b.pos();
        // A press on the title text counts as one on the bar.
        auto *title = b.findChild<QLabel *>("LabBarTitle");
        QCOMPARE(title->text(), QStringLiteral("浏览我的名片夹"));
        QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(title, QPoint(35, 25));
        QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(35, 25));
        QCOMPARE(b.pos(), start + QPoint(30, 20));
    }

    void printOpensThePrintWindowWithTheCard()
    {
        write("portrait.bmp", picture(207, 340, Qt::blue));
        CardBrowser b(nullptr, nullptr);
        b.show();
        choose(b, "portrait.bmp");
        QTest::mouseClick(b.findChild<QPushButton *>("CmdPrint"), Qt::LeftButton);
        QVERIFY(!b.isVisible());
        QWidget *print = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FrmPrint") && w->isVisible())
                print = w;
        QVERIFY(print);
        QCOMPARE(print->findChild<QLabel *>("PicCard")->size(), QSize(207, 340));
        print->close();
        QVERIFY(b.isVisible());
        QCOMPARE(text(b, "Text1"), QStringLiteral("portrait.bmp"));
        QCOMPARE(b.cardPicture().size(), QSize(207, 340));
    }

    void closeLabelLooksAndClosing()
    {
        QWidget main;
        main.move(123, 45);
        main.show();
        QPointer<CardBrowser> b = new CardBrowser(nullptr, &main);
        b->show();
        QVERIFY(!main.isVisible());
        auto *close = b->findChild<QLabel *>("LabClose");
        QCOMPARE(close->text(), QStringLiteral("×"));
        QCOMPARE(close->toolTip(), QStringLiteral("关闭"));
        const auto colour = [close] { return close->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0, 0, 255));

        QTest::mouseMove(close, QPoint(5, 5));
        QCOMPARE(colour(), QColor(255, 10, 10));
        QVERIFY(close->font().bold());
        QTest::mouseMove(b->findChild<QLabel *>("PicBarBg"), QPoint(300, 5)); // clear of the title
        QCOMPARE(colour(), QColor(10, 10, 255));
        QVERIFY(!close->font().bold());
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(colour(), QColor(10, 10, 10));
        QVERIFY(b->isVisible()); // closing waits for the release
        QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_VERIFY(b.isNull()); // deleted on close
        QVERIFY(main.isVisible());
        QCOMPARE(main.pos(), QPoint(123, 45));
    }

private:
    std::unique_ptr<ProgramFolder> m_dir;
};

QTEST_MAIN(TstCardBrowser)
#include "tst_cardbrowser.moc"
