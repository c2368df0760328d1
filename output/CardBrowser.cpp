#include "output/CardBrowser.h"

#include "assets/Assets.h"
#include "card/CardDesign.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/PictureFile.h"
#include "card/TilePicture.h"
#include "card/VbColor.h"
#include "output/CardFile.h"
#include "output/CardShape.h"
#include "output/PrintWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/EscapeKey.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
constexpr SecondaryWindowLayout BrowserWindowLayout{"FrmSee", "浏览我的名片夹", 7620, 5895, 300, 7380};
const QString BrowseTitle = QStringLiteral("Velnor浏览提示：");

void setBackground(QWidget *w, const QColor &color)
{
    Look::fill(w, color);
    Look::setColor(w, QPalette::Base, color);
}

QPixmap tiled(const QSize &size, const QImage &tile)
{
    QImage area(size, QImage::Format_RGB32);
    area.fill(Look::Grey);
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

CardBrowser::CardBrowser(CardModel *card, QWidget *mainWindow)
    : SecondaryWindow(BrowserWindowLayout), m_model(card), m_mainWindow(mainWindow)
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
    setBackground(m_files, Look::Grey);
    auto *label2 =
        Panel::place(new QLabel(QStringLiteral("您选定的名片是："), c), "Label2", 6030, 3855, 0, 0);
    label2->adjustSize();
    m_chosen = Panel::place(new QLineEdit(c), "Text1", 6030, 4080, 1440, 240);
    m_chosen->setEnabled(false);
    setBackground(m_chosen, Look::Grey);
    m_print = Panel::place(new QPushButton(QStringLiteral("打印…"), c), "CmdPrint", 6000, 5445, 750, 330);
    m_delete = Panel::place(new QPushButton(QStringLiteral("删除"), c), "CmdDelCard", 6900, 5445, 570, 330);
    // Above "打印…", in the room between the chosen name and the two buttons of the design.
    m_edit = Panel::place(new QPushButton(QStringLiteral("编辑"), c), "CmdEditCard", 6000, 4995, 750, 330);
    for (QPushButton *b : {m_print, m_delete, m_edit}) {
        b->setAutoDefault(false);
        Look::setColor(b, QPalette::Button, Look::Grey);
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
    connect(m_edit, &QPushButton::clicked, this, &CardBrowser::editChosen);

    setChosenEnabled(false, false);
    showEditable(QString());
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

void CardBrowser::showEditable(const QString &name)
{
    const QString design =
        name.isEmpty() ? QString() : CardDesign::pathFor(CardFile::cardFolder() + QLatin1Char('/') + name);
    const bool editable = m_model && !design.isEmpty() && QFileInfo(design).isFile();
    m_edit->setEnabled(editable);
    if (name.isEmpty())
        m_edit->setToolTip(QStringLiteral("请先在上面的列表中选择一张名片。"));
    else if (!editable)
        m_edit->setToolTip(QStringLiteral("这张名片没有保存设计（在能够再次编辑之前保存的名片，或放进名片夹的"
                                          "其他图片），只能查看和打印，不能打开编辑。"));
    else
        m_edit->setToolTip(QStringLiteral("在主窗口中打开这张名片，继续编辑。"));
}

void CardBrowser::editChosen()
{
    const QString name = m_chosen->text();
    const QString design =
        name.isEmpty() ? QString() : CardDesign::pathFor(CardFile::cardFolder() + QLatin1Char('/') + name);
    if (design.isEmpty() || !m_model)
        return;
    QString reason;
    bool opened;
    {
        const CardHistory::Step step(m_model->history(), QStringLiteral("打开名片"));
        opened = CardDesign::readFile(design, *m_model, &reason);
    }
    if (!opened) {
        // The card in the main window stays as it was.
        Dialogs::message(this, Dialogs::lines(QStringLiteral("无法打开名片“%1”进行编辑：").arg(name), reason),
                         BrowseTitle);
        return;
    }
    close(); // shows the main window with the card
}

void CardBrowser::showChosen(const QString &name)
{
    m_chosen->setText(name);
    showEditable(name);
    // The picture panel's rule: a damaged or cut-off file is refused with the reason, never shown in part.
    const PictureFile::Result loaded = PictureFile::load(CardFile::cardFolder() + QLatin1Char('/') + name);
    const QImage &picture = loaded.image;
    if (!loaded.ok()) {
        // The file can still be deleted, but there is nothing to print.
        setPicture(QImage());
        setChosenEnabled(true, false);
        Dialogs::message(this, Dialogs::lines(QStringLiteral("无法显示名片“%1”：").arg(name), loaded.problem),
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
    // Its design goes with it; a design left behind would only be refused beside a later card of that name.
    QFile design(CardDesign::pathFor(file.fileName()));
    const bool designKept = !design.fileName().isEmpty() && design.exists() && !design.remove();
    loadList();
    m_chosen->clear();
    setPicture(QImage());
    setChosenEnabled(false, false);
    showEditable(QString());
    if (designKept)
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("名片已删除，但它的设计文件无法删除："),
                                        QStringLiteral("原因：") + design.errorString()),
                         QStringLiteral("Velnor删除提示"));
    else
        Dialogs::message(this, QStringLiteral("已成功删除你选定的名片"), QStringLiteral("Velnor删除提示"));
}

void CardBrowser::openPrintWindow()
{
    if (m_picture.isNull())
        return;
    hide();
    // The sample card shown before any choice has no file, and so no design.
    const QString name = m_chosen->text();
    const QString path = name.isEmpty() ? QString() : CardFile::cardFolder() + QLatin1Char('/') + name;
    auto *window = new PrintWindow(m_picture, this, path);
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
