// The help panel's guide (its nine sections and their line rules, read-only in its box) and the about
// panel's link: bold while hovered, normal after a press or over the panel, the address handed on at
// every release.
#include "app/AboutPanel.h"
#include "app/HelpPanel.h"
#include "card/CardFonts.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>

// Stands in for the web browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TstHelpAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void helpTextHasTheNineSections();
    void helpBoxShowsTheGuideReadOnly();
    void linkLooks();
    void releaseOpensTheDownloadAddress();

private:
    UrlRecorder m_browser;
};

void TstHelpAbout::initTestCase()
{
    CardFonts::install();
    QDesktopServices::setUrlHandler(QUrl(QString::fromLatin1(DownloadAddress)).scheme(), &m_browser, "open");
}

void TstHelpAbout::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QUrl(QString::fromLatin1(DownloadAddress)).scheme());
}

void TstHelpAbout::helpTextHasTheNineSections()
{
    const QStringList headings{
        QStringLiteral("◆快速设置名片的页面："),
        QStringLiteral("◆名片文字信息的快速输入更改："),
        QStringLiteral("◆名片的排版及文字信息设置："),
        QStringLiteral("◆当文字超过页面宽度时（地址）的处理："),
        QStringLiteral("◆更换名片的标志和底图："),
        QStringLiteral("◆如何使名片底色与标志图底色保持一致："),
        QStringLiteral("◆名片的颜色对象操作："),
        QStringLiteral("◆显示/隐藏不需要的名片信息内容对象："),
        QStringLiteral("◆管理（打印、删除）所设计的名片文件："),
    };
    const QString text = HelpPanel::helpText();
    QVERIFY(text.startsWith(headings.first()));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    // Every line break is a CR LF pair.
    QCOMPARE(text.count(u'\r'), text.count(QStringLiteral("\r\n")));
    QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));

    // heading, paragraph, empty line; the last paragraph ends the text with its line break.
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 9 * 3);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(lines[3 * i], headings[i]);
        const QString paragraph = lines[3 * i + 1];
        QVERIFY2(paragraph.startsWith(QStringLiteral("    ")) && !paragraph.at(4).isSpace(),
                 qPrintable(headings[i]));
        QVERIFY2(paragraph.size() > 40, qPrintable(headings[i])); // a real explanation, not a stub
        QVERIFY(!paragraph.contains(u'◆'));
        QVERIFY(lines[3 * i + 2].isEmpty());
    }
}

void TstHelpAbout::helpBoxShowsTheGuideReadOnly()
{
    HelpPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.objectName(), QStringLiteral("FrmHelp"));
    QCOMPARE(panel.title(), QStringLiteral("Velnor操作指南"));
    auto *box = panel.findChild<QPlainTextEdit *>(QStringLiteral("TxtHelp"));
    QVERIFY(box);
    const QString shown =
        QString(HelpPanel::helpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(box->toPlainText(), shown);
    QCOMPARE(box->verticalScrollBar()->value(), 0); // it opens at the first heading
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    box->setFocus();
    QTest::keyClicks(box, "abc");
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->toPlainText(), shown);
}

void TstHelpAbout::linkLooks()
{
    AboutPanel panel;
    panel.resize(243, 377);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.title(), QStringLiteral("关于本程序"));
    auto *link = panel.findChild<QLabel *>(QStringLiteral("LabDownload"));
    QVERIFY(link);
    QCOMPARE(link->text(), QStringLiteral("下载最新版…>>"));
    const auto infos = panel.findChildren<QLabel *>(QStringLiteral("LabInfo"));
    QVERIFY(std::any_of(infos.begin(), infos.end(), [](QLabel *l) {
        return l->property("index").toInt() == 3 && l->text() == QStringLiteral("2.0正式版");
    }));
    QVERIFY(!link->font().bold());
    const QColor colour = link->palette().color(QPalette::WindowText);

    QTest::mouseMove(link, QPoint(5, 5));
    QTRY_VERIFY(link->font().bold());
    QTest::mouseMove(&panel, QPoint(5, panel.height() - 5)); // the panel's background
    QTRY_VERIFY(!link->font().bold());

    QTest::mouseMove(link, QPoint(5, 5));
    QTRY_VERIFY(link->font().bold());
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!link->font().bold());
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(link->palette().color(QPalette::WindowText), colour); // only the weight changes
}

void TstHelpAbout::releaseOpensTheDownloadAddress()
{
    m_browser.opened.clear();
    const QUrl address(QString::fromLatin1(DownloadAddress));
    AboutPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *link = panel.findChild<QLabel *>(QStringLiteral("LabDownload"));

    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(m_browser.opened.isEmpty()); // not on the press
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(m_browser.opened, (QList<QUrl>{address, address}));
}

QTEST_MAIN(TstHelpAbout)
#include "tst_helpabout.moc"
