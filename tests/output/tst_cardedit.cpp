// Saved cards opened again: saving writes the design beside the picture (the picture byte for byte as
// before), the browser's "编辑" puts it into the main window's card as one step that can be undone, refuses
// a damaged design with a message and leaves the card alone, is disabled where there is no design, and a
// deletion takes the design with it. The list, the count and myset.ini stay as they were.
#include "support/MessageAnswers.h"

#include "card/CardDesign.h"
#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardBrowser.h"
#include "output/CardFile.h"
#include "output/PrintJob.h"
#include "output/SavePanel.h"
#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString cardFile(const QString &name)
{
    return CardFile::cardFolder() + QLatin1Char('/') + name;
}

void choose(CardBrowser &b, const QString &name)
{
    auto *list = b.findChild<QListWidget *>("File1");
    const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

QPushButton *button(CardBrowser &b, const char *name)
{
    return b.findChild<QPushButton *>(name);
}
} // namespace

class TstCardEdit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { CardFonts::install(); }
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        ProgramDirectory::setPath(m_dir->path());
        QVERIFY(QDir().mkpath(CardFile::cardFolder()));
        QFile settings(m_dir->filePath("myset.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Text]\r\nName=\xd5\xc5\xc8\xfd\r\n");
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->deleteLater();
        QCoreApplication::processEvents();
        m_dir.reset();
    }

    void saveWritesBothAndThePictureAsBefore();
    void editOpensTheDesignAsOneStep();
    void editButtonLooksLikeItsNeighbours();
    void noDesignNoEdit();
    void damagedDesignChangesNothing();
    void deleteTakesTheDesign();
    void savedCardPrintsFromItsDesign();

private:
    bool save(CardModel &card, const QString &name)
    {
        SavePanel panel(&card);
        panel.openedByMenu();
        panel.findChild<QLineEdit *>("TextSaveName")->setText(name);
        MessageAnswers answers;
        return panel.save();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstCardEdit::saveWritesBothAndThePictureAsBefore()
{
    CardModel card;
    card.setText(ElementId::LabName, QStringLiteral("李四"));
    QVERIFY(save(card, QStringLiteral("李四")));
    // The BMP is what the card's own BMP writer gives: byte for byte the file saved before designs.
    const QString plain = m_dir->filePath("plain.bmp");
    QCOMPARE(CardFile::writeBmp(renderCard(card), plain), QString());
    QCOMPARE(fileBytes(cardFile("李四.bmp")), fileBytes(plain));
    QVERIFY(QFileInfo(cardFile("李四.card")).isFile());
    QStringList entries = QDir(CardFile::cardFolder()).entryList(QDir::Files | QDir::Hidden);
    entries.sort();
    QCOMPARE(entries, (QStringList{QStringLiteral("李四.bmp"), QStringLiteral("李四.card")}));

    // Saving again under the name replaces both.
    card.setText(ElementId::LabJob, QStringLiteral("经理"));
    QVERIFY(save(card, QStringLiteral("李四")));
    CardModel opened;
    QString reason;
    QVERIFY2(CardDesign::readFile(cardFile("李四.card"), opened, &reason), qPrintable(reason));
    QCOMPARE(opened.textElement(ElementId::LabJob).text, QStringLiteral("经理"));
    QCOMPARE(renderCard(opened), renderCard(card));
}

void TstCardEdit::editOpensTheDesignAsOneStep()
{
    CardModel saved;
    saved.setOrientation(Orientation::Portrait);
    saved.setText(ElementId::LabName, QStringLiteral("王五"));
    saved.setVisible(ElementId::LabFax, false);
    QVERIFY(save(saved, QStringLiteral("王五")));
    const QByteArray settings = fileBytes(m_dir->filePath("myset.ini"));

    CardModel card; // the main window's
    card.moveElement(ElementId::LabJob, 0, 0);
    card.history().commit();
    const CardState before = card.state();
    QWidget mainWindow;
    mainWindow.show();
    QPointer<CardBrowser> b = new CardBrowser(&card, &mainWindow);
    b->show();
    QVERIFY(!mainWindow.isVisible());
    QCOMPARE(b->findChild<QLabel *>("Label1")->text(), QStringLiteral("共有1张名片"));
    QCOMPARE(b->findChild<QListWidget *>("File1")->item(0)->text(), QStringLiteral("王五.bmp"));
    choose(*b, QStringLiteral("王五.bmp"));
    QPushButton *edit = button(*b, "CmdEditCard");
    QVERIFY(edit->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    QCoreApplication::processEvents();

    // The browser has closed and the main window shows the card, ready to edit.
    QVERIFY(!b || !b->isVisible());
    QVERIFY(mainWindow.isVisible());
    QCOMPARE(renderCard(card), renderCard(saved));
    QCOMPARE(card.orientation(), Orientation::Portrait);
    QVERIFY(!card.element(ElementId::LabFax).visible);
    QCOMPARE(card.history().undoText(), QStringLiteral("打开名片"));
    card.history().undo();
    QVERIFY(card.state() == before);
    card.history().redo();
    QCOMPARE(renderCard(card), renderCard(saved));
    QCOMPARE(fileBytes(m_dir->filePath("myset.ini")), settings);
}

void TstCardEdit::editButtonLooksLikeItsNeighbours()
{
    CardModel card;
    CardBrowser b(&card, nullptr);
    QPushButton *edit = button(b, "CmdEditCard");
    QPushButton *print = button(b, "CmdPrint");
    QPushButton *del = button(b, "CmdDelCard");
    QCOMPARE(edit->text(), QStringLiteral("编辑"));
    QCOMPARE(edit->height(), print->height());
    QCOMPARE(edit->palette().color(QPalette::Button), print->palette().color(QPalette::Button));
    QCOMPARE(edit->font(), print->font());
    // It covers no other control of the window.
    for (QWidget *w : b.findChildren<QWidget *>()) {
        if (w == edit || !w->isVisibleTo(&b) || w->parentWidget() != edit->parentWidget())
            continue;
        QVERIFY2(!w->geometry().intersects(edit->geometry()), qPrintable(w->objectName()));
    }
    QVERIFY(edit->geometry().bottom() < print->geometry().top());
    QVERIFY(edit->geometry().bottom() < del->geometry().top());
    QVERIFY(!edit->isEnabled()); // nothing chosen
}

void TstCardEdit::noDesignNoEdit()
{
    // Saved before designs existed, and a JPEG put there by hand.
    QVERIFY(QImage(340, 207, QImage::Format_RGB32).save(cardFile("旧名片.bmp")));
    QVERIFY(QImage(100, 80, QImage::Format_RGB32).save(cardFile("照片.jpg"), "jpg"));
    CardModel card;
    CardBrowser b(&card, nullptr);
    for (const QString &name : {QStringLiteral("旧名片.bmp"), QStringLiteral("照片.jpg")}) {
        choose(b, name);
        QVERIFY(button(b, "CmdPrint")->isEnabled());
        QVERIFY(!button(b, "CmdEditCard")->isEnabled());
        QVERIFY(button(b, "CmdEditCard")->toolTip().contains(QStringLiteral("没有保存设计")));
    }
    QCOMPARE(b.findChild<QLabel *>("Label1")->text(), QStringLiteral("共有2张名片"));
}

void TstCardEdit::damagedDesignChangesNothing()
{
    CardModel saved;
    QVERIFY(save(saved, QStringLiteral("坏")));
    QFile design(cardFile("坏.card"));
    QVERIFY(design.open(QIODevice::ReadWrite));
    design.resize(design.size() / 3);
    design.close();

    CardModel card;
    card.setText(ElementId::LabName, QStringLiteral("不动"));
    card.history().commit();
    const CardState before = card.state();
    CardBrowser b(&card, nullptr);
    b.show();
    choose(b, QStringLiteral("坏.bmp"));
    MessageAnswers answers;
    QTest::mouseClick(button(b, "CmdEditCard"), Qt::LeftButton);
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.titles.first(), QStringLiteral("Velnor浏览提示："));
    QVERIFY(answers.texts.first().contains(QStringLiteral("无法打开名片“坏.bmp”进行编辑")));
    QVERIFY(answers.texts.first().contains(QStringLiteral("\r\n")));
    QVERIFY(card.state() == before);
    QCOMPARE(card.history().undoCount(), 1); // no step for the failed opening
    QVERIFY(b.isVisible());
}

void TstCardEdit::deleteTakesTheDesign()
{
    CardModel saved;
    QVERIFY(save(saved, QStringLiteral("甲")));
    QVERIFY(save(saved, QStringLiteral("乙")));
    CardModel card;
    CardBrowser b(&card, nullptr);
    QCOMPARE(b.findChild<QLabel *>("Label1")->text(), QStringLiteral("共有2张名片"));
    choose(b, QStringLiteral("甲.bmp"));
    MessageAnswers answers({QMessageBox::Yes});
    QTest::mouseClick(button(b, "CmdDelCard"), Qt::LeftButton);
    QCOMPARE(answers.texts.last(), QStringLiteral("已成功删除你选定的名片"));
    QVERIFY(!QFile::exists(cardFile("甲.bmp")));
    QVERIFY(!QFile::exists(cardFile("甲.card")));
    QVERIFY(QFile::exists(cardFile("乙.card")));
    QCOMPARE(b.findChild<QLabel *>("Label1")->text(), QStringLiteral("共有1张名片"));
    QVERIFY(!button(b, "CmdEditCard")->isEnabled());
}

// What printing and export find for a saved card: its design (drawn sharp), the same card as the picture;
// once the picture is replaced by hand the design no longer belongs to it and the picture is printed.
void TstCardEdit::savedCardPrintsFromItsDesign()
{
    CardModel card;
    card.setOrientation(Orientation::Portrait);
    card.setText(ElementId::LabOffice, QStringLiteral("清晰印刷"));
    QVERIFY(save(card, QStringLiteral("清晰")));
    QString problem;
    const std::unique_ptr<CardModel> design = PrintJob::designOf(cardFile("清晰.bmp"), &problem);
    QVERIFY2(design, qPrintable(problem));
    QCOMPARE(renderCard(*design), renderCard(card));

    QCOMPARE(CardFile::writeBmp(renderCard(CardModel()), cardFile("清晰.bmp")), QString());
    QVERIFY(!PrintJob::designOf(cardFile("清晰.bmp"), &problem));
    QVERIFY(!problem.isEmpty());
}

QTEST_MAIN(TstCardEdit)
#include "tst_cardedit.moc"
