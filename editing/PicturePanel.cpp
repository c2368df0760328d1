#include "editing/PicturePanel.h"

#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/Twips.h"
#include "editing/FolderListing.h"
#include "editing/PictureFile.h"
#include "widgets/Dialogs.h"
#include "widgets/DropDownList.h"
#include "widgets/Look.h"

#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>

namespace {
const QString MessageTitle = QStringLiteral("Velnor图片提示：");
constexpr int PathRole = Qt::UserRole;

// Captions; the `LabSel` labels are one control array (index >= 0), "选定：" stands alone.
struct CaptionRow {
    const char *name;
    int index;
    int left, top;
    const char *caption;
};
constexpr CaptionRow Captions[] = {
    {"LabSel", 3, 120, 330, "目标："},
    {"LabSel", 0, 120, 825, "磁盘："},
    {"LabSel", 1, 120, 1245, "目录："},
    {"LabSel", 2, 120, 2700, "文件："},
    {"LabFileShow", Look::NoIndex, 180, 5010, "选定："},
};

} // namespace

PicturePanel::PicturePanel(CardModel *card, QWidget *parent)
    : Panel("FrmPic", QStringLiteral("图片设置"), parent), m_card(card)
{
    for (const CaptionRow &entry : Captions) {
        Look::label(this, entry.name, entry.index, QString::fromUtf8(entry.caption), entry.left, entry.top);
    }
    m_logoTarget = place(new QRadioButton(QStringLiteral("标志"), this), "OptLogo", 660, 270, 735, 315);
    m_pageTarget = place(new QRadioButton(QStringLiteral("页面"), this), "OptBG", 1560, 270, 675, 315);
    m_logoTarget->setChecked(true);

    m_drives = place(DropDownList::setUp(new QComboBox(this)), "Drive1", 630, 780, 2205, 300);
    m_dirs = place(new QTreeWidget(this), "Dir1", 630, 1200, 2160, 1350);
    m_dirs->setHeaderHidden(true);
    m_dirs->setRootIsDecorated(false);
    m_dirs->setIndentation(8);
    // Every level stays open: the list shows the path, it is not a tree to fold.
    m_dirs->setExpandsOnDoubleClick(false);
    m_dirs->setItemsExpandable(false);
    m_dirs->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    m_dirs->installEventFilter(this);
    m_files = place(new QListWidget(this), "File1", 630, 2640, 2160, 2190);
    m_files->viewport()->installEventFilter(this);
    m_fileShow = place(new QLabel(this), "FileShow", 180, 5220, 2700, 360);
    m_fileShow->setWordWrap(true);
    m_fileShow->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    fillDrives();
    // The process's current directory, as the lists start; if it cannot be read the root stands in.
    if (!showDirectory(QDir::currentPath(), false))
        showDirectory(QStringLiteral("/"), false);

    connect(m_drives, &QComboBox::currentIndexChanged, this, &PicturePanel::driveChanged);
    connect(m_dirs, &QTreeWidget::itemDoubleClicked, this, &PicturePanel::directoryActivated);
    // A new current row, by the arrow keys or by a press on another name, loads that file at once.
    connect(m_files, &QListWidget::currentRowChanged, this, &PicturePanel::loadFile);
    // A click on the name that was already chosen loads it again.
    connect(m_files, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const int row = m_files->row(item);
        if (row == m_rowAtPress)
            loadFile(row);
    });
}

void PicturePanel::choosePageTarget()
{
    m_pageTarget->setChecked(true);
}

QStringList PicturePanel::driveRoots()
{
    return FolderListing::driveRoots();
}

void PicturePanel::fillDrives()
{
    const QSignalBlocker blocker(m_drives);
    m_drives->clear();
    QStringList roots = driveRoots();
    // The volume of the directory shown (at first the start directory) is always offered, so the drive
    // list can show it.
    const QString shown = FolderListing::volumeOf(m_directory);
    if (!shown.isEmpty() && !roots.contains(shown))
        roots.append(shown);
    for (const QString &root : roots)
        m_drives->addItem(FolderListing::driveCaption(root), root);
}

void PicturePanel::showEvent(QShowEvent *event)
{
    Panel::showEvent(event);
    fillDrives();
    selectDriveOf(m_directory);
}

void PicturePanel::selectDriveOf(const QString &path)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i, PathRole).toString();
        if (FolderListing::isUnder(path, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(m_drives);
    m_drives->setCurrentIndex(best);
    m_driveIndex = best;
}

void PicturePanel::driveChanged(int index)
{
    const QString root = m_drives->itemData(index, PathRole).toString();
    const FolderListing::Listing listing = FolderListing::readDirectory(root);
    if (!listing.problem.isEmpty()) {
        // The drive list goes back to the drive still shown; the card is not touched.
        {
            const QSignalBlocker blocker(m_drives);
            m_drives->setCurrentIndex(m_driveIndex);
        }
        complain(QStringLiteral("无法读取磁盘：") + root, listing.problem);
        return;
    }
    setDirectory(root);
}

bool PicturePanel::setDirectory(const QString &path)
{
    return showDirectory(path, true);
}

bool PicturePanel::showDirectory(const QString &path, bool tellUser)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const FolderListing::Listing listing = FolderListing::readDirectory(clean);
    if (!listing.problem.isEmpty()) {
        if (tellUser)
            complain(QStringLiteral("无法读取目录：") + clean, listing.problem);
        return false;
    }
    m_directory = clean;
    fillDirectoryList(clean, listing.directories);
    {
        // The new directory's files are listed with none of them chosen.
        const QSignalBlocker blocker(m_files);
        m_files->clear();
        m_files->addItems(listing.pictures);
        // Set "no current row" explicitly: otherwise the list makes its first name current when it
        // gets the focus, which would load that picture without the user choosing it.
        m_files->setCurrentIndex(QModelIndex());
    }
    m_rowAtPress = -1;
    selectDriveOf(clean);
    showPath(clean);
    return true;
}

void PicturePanel::fillDirectoryList(const QString &path, const QStringList &subdirectories)
{
    // The chosen directory among its parents (open folders, from the root down) and its subdirectories.
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QSignalBlocker blocker(m_dirs);
    m_dirs->clear();
    auto *current = new QTreeWidgetItem(m_dirs, {QStringLiteral("/")});
    current->setIcon(0, open);
    current->setData(0, PathRole, QStringLiteral("/"));
    QString at;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        at += QLatin1Char('/') + part;
        current = new QTreeWidgetItem(current, {part});
        current->setIcon(0, open);
        current->setData(0, PathRole, at);
    }
    const QDir dir(path);
    for (const QString &name : subdirectories) {
        auto *item = new QTreeWidgetItem(current, {name});
        item->setIcon(0, closed);
        item->setData(0, PathRole, dir.filePath(name));
    }
    m_dirs->expandAll();
    m_dirs->setCurrentItem(current);
    m_dirs->scrollToItem(current);
}

void PicturePanel::directoryActivated(QTreeWidgetItem *item)
{
    if (item)
        setDirectory(item->data(0, PathRole).toString());
}

bool PicturePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dirs && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            directoryActivated(m_dirs->currentItem());
            return true;
        }
    }
    if (watched == m_files->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowAtPress = m_files->currentRow();
    return Panel::eventFilter(watched, event);
}

void PicturePanel::loadFile(int row)
{
    if (row < 0 || row >= m_files->count())
        return;
    const QString path = QDir(m_directory).filePath(m_files->item(row)->text());
    showPath(path);
    const PictureFile::Result picture = PictureFile::load(path);
    if (!picture.ok()) {
        // The target keeps its picture; the list stays where it is, so the arrow keys step on.
        complain(QStringLiteral("无法载入图片：") + path, picture.problem);
        return;
    }
    if (m_logoTarget->isChecked()) {
        m_card->setLogo(picture.image);
        return;
    }
    // Tiled at its natural size.
    const CardHistory::Step step(m_card->history(), QStringLiteral("页面图片"));
    m_card->choosePagePicture(picture.image);
}

void PicturePanel::showPath(const QString &path)
{
    m_fileShow->setText(path);
}

void PicturePanel::complain(const QString &first, const QString &second)
{
    Dialogs::message(this, Dialogs::lines(first, second), MessageTitle);
}
