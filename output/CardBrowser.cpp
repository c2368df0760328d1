#include "output/CardBrowser.h"

#include "assets/Assets.h"
#include "card/TilePicture.h"
#include "card/VbColor.h"
#include "output/CardFile.h"
#include "output/CardShape.h"
#include "output/PrintWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/EscapeKey.h"
#include "widgets/Panel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <dirent.h>
#include <vector>

namespace {
constexpr SecondaryWindowSpec BrowserWindowLayout{"FrmSee", "浏览我的名片夹", 7620, 5895, 300, 7380};
const QString BrowseTitle = QStringLiteral("Velnor浏览提示：");
const QColor Grey(0xE0, 0xE0, 0xE0);

void setBackground(QWidget *w, const QColor &color)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Base, color);
    w->setPalette(pal);
}

QPixmap tiled(const QSize &size, const QImage &tile)
{
    QImage area(size, QImage::Format_RGB32);
    area.fill(Grey);
    if (!tile.isNull()) {
        QPainter p(&area);
        TilePicture(p, size, tile);
    }
    return QPixmap::fromImage(area);
}
} // namespace

QStringList CardBrowser::cardFiles(const QString &folder)
{
    // The folder's own listing tells names and kinds: a regular file is taken on its name alone, and only
    // an entry whose kind the listing leaves open (a symbolic link, listed when it leads to a file) is
    // looked up. A large card folder thus costs one read of the folder, no look-up per file.
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        // Either extension in any letter case; dot-files too (an empty save name gives ".bmp").
        if (!name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) &&
            !name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            continue;
        const bool file =
            entry->d_type == DT_REG || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                                        QFileInfo(folder + QLatin1Char('/') + name).isFile());
        if (file)
            names.append(name);
    }
    ::closedir(dir);

    // By name without regard to case (the lower-case names compared), as a folder listing sorts them.
    struct Entry {
        QString key;
        qsizetype index;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        entries.push_back({names.at(i).toLower(), i});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.key < b.key; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Entry &e : entries)
        sorted.append(names.at(e.index));
    return sorted;
}

CardBrowser::CardBrowser(CardModel *, QWidget *mainWindow)
    : SecondaryWindow(BrowserWindowLayout), m_mainWindow(mainWindow)
{
    QWidget *c = client();
    m_area = sunkenBox(c, "PicBg", 120, 360, 5775, 5415);

    auto *tile = Panel::place(new QLabel(c), "Picture1", 1380, 420, 900, 900);
    tile->setPixmap(QPixmap(Assets::WorkTile));
    tile->hide();
    m_area->setPixmap(tiled(m_area->size(), QImage(Assets::WorkTile)));

    m_card = new QLabel(m_area);
    m_card->setObjectName(QStringLiteral("PicMyCard"));
    m_card->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(m_card, VbColors::toQColor(VbColors::System(1)));
    m_card->setGeometry(20, 80, 340, 207);
    setPicture(QImage(Assets::SampleCard));

    m_count = Panel::place(new QLabel(QStringLiteral("请选择一张名片："), c), "Label1", 6000, 360, 0, 0);
    m_files = Panel::place(new QListWidget(c), "File1", 6030, 600, 1440, 3090);
    m_files->setUniformItemSizes(true);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    setBackground(m_files, Grey);
    auto *label2 =
        Panel::place(new QLabel(QStringLiteral("您选定的名片是："), c), "Label2", 6030, 3855, 0, 0);
    label2->adjustSize();
    m_chosen = Panel::place(new QLineEdit(c), "Text1", 6030, 4080, 1440, 240);
    m_chosen->setEnabled(false);
    setBackground(m_chosen, Grey);
    m_print = Panel::place(new QPushButton(QStringLiteral("打印…"), c), "CmdPrint", 6000, 5445, 750, 330);
    m_delete = Panel::place(new QPushButton(QStringLiteral("删除"), c), "CmdDelCard", 6900, 5445, 570, 330);
    for (QPushButton *b : {m_print, m_delete}) {
        b->setAutoDefault(false);
        QPalette pal = b->palette();
        pal.setColor(QPalette::Button, Grey);
        b->setPalette(pal);
    }

    // A new entry chosen with the mouse or the arrow keys; the list only gaining focus chooses nothing.
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = m_files->selectedItems();
        if (!chosen.isEmpty())
            showChosen(chosen.first()->text());
    });
    connect(m_delete, &QPushButton::clicked, this, &CardBrowser::deleteChosen);
    // Delete deletes the chosen card as "删除" does (after the same question); Esc closes the browser.
    connect(new QShortcut(QKeySequence(Qt::Key_Delete), this), &QShortcut::activated, this, [this] {
        if (m_delete->isEnabled())
            deleteChosen();
    });
    EscapeKey::onEscape(this, [this] { close(); });
    connect(m_print, &QPushButton::clicked, this, &CardBrowser::openPrintWindow);

    setChosenEnabled(false, false);
    loadList();
    // Two thirds across the screen would leave much of the window off a small screen; centred on the
    // main window's screen it is always whole.
    centreOnScreen(mainWindow);

    if (m_mainWindow) {
        m_mainPlace = m_mainWindow->pos();
        m_mainWindow->hide();
    }
}

void CardBrowser::loadList()
{
    const QString folder = CardFile::cardFolder();
    const QFileInfo info(folder);
    m_files->clear();
    if (!info.isDir())
        m_folderProblem = Dialogs::lines(QStringLiteral("您的名片夹还不存在，里面没有可浏览的名片："),
                                         QDir::toNativeSeparators(folder));
    else if (!info.isReadable() || !info.isExecutable())
        m_folderProblem =
            Dialogs::lines(QStringLiteral("无法读取您的名片夹："), QDir::toNativeSeparators(folder));
    else
        m_files->addItems(cardFiles(folder));
    showCount();
}

void CardBrowser::showCount()
{
    m_count->setText(QStringLiteral("共有%1张名片").arg(m_files->count()));
    m_count->adjustSize();
}

void CardBrowser::showEvent(QShowEvent *event)
{
    SecondaryWindow::showEvent(event);
    if (!m_folderProblem.isEmpty()) {
        // Said once the browser is on the screen, so the message has a window to stand over.
        QTimer::singleShot(0, this,
                           [this, text = m_folderProblem] { Dialogs::message(this, text, BrowseTitle); });
        m_folderProblem.clear();
    }
}

void CardBrowser::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (picture.isNull()) {
        m_card->clear(); // the box keeps its size and shows its background
        return;
    }
    m_card->setPixmap(QPixmap::fromImage(picture));
    m_card->resize(picture.size());
}

void CardBrowser::setChosenEnabled(bool deletable, bool printable)
{
    m_delete->setEnabled(deletable);
    m_print->setEnabled(printable);
}

void CardBrowser::showChosen(const QString &name)
{
    m_chosen->setText(name);
    QImageReader reader(CardFile::cardFolder() + QLatin1Char('/') + name);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        // The file can still be deleted, but there is nothing to print.
        setPicture(QImage());
        setChosenEnabled(true, false);
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("无法显示名片“%1”：").arg(name),
                                        QStringLiteral("它不是可以读取的 BMP 或 JPEG 图片。")),
                         BrowseTitle);
        return;
    }
    setPicture(picture);
    setChosenEnabled(true, true);
    m_card->move(browserCardPlace(picture.width(), m_card->pos()));
}

void CardBrowser::deleteChosen()
{
    const QString name = m_chosen->text();
    if (name.isEmpty())
        return;
    if (!Dialogs::askYesNo(this, QStringLiteral("确实要删除你选定的名片吗？"),
                           QStringLiteral("Velnor删除警告！")))
        return;
    QFile file(CardFile::cardFolder() + QLatin1Char('/') + name);
    if (!file.remove()) {
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("无法删除名片“%1”。").arg(name),
                                        QStringLiteral("原因：") + file.errorString()),
                         QStringLiteral("Velnor删除提示"));
        return;
    }
    loadList();
    m_chosen->clear();
    setPicture(QImage());
    setChosenEnabled(false, false);
    Dialogs::message(this, QStringLiteral("已成功删除你选定的名片"), QStringLiteral("Velnor删除提示"));
}

void CardBrowser::openPrintWindow()
{
    if (m_picture.isNull())
        return;
    hide();
    auto *window = new PrintWindow(m_picture, this);
    window->show();
}

void CardBrowser::closeEvent(QCloseEvent *event)
{
    setPicture(QImage());
    if (m_mainWindow) {
        m_mainWindow->move(m_mainPlace);
        m_mainWindow->show();
    }
    event->accept();
}
