#pragma once
// The picture panel `FrmPic`: a small file browser (drive list, directory list, file list) whose chosen
// file goes at once into the logo or, tiled, onto the page. Stepping through the file list with the arrow
// keys shows one picture after another on the card.
#include "widgets/Panel.h"

class CardModel;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

class PicturePanel : public Panel {
    Q_OBJECT
public:
    explicit PicturePanel(CardModel *card, QWidget *parent = nullptr);

    // Aims the panel at the page. Only "自定义>>>>" on the page panel asks for this panel, and it asks
    // for it aimed at the page.
    void choosePageTarget();
    void openedByRequest() override { choosePageTarget(); }
    // The directory the lists show.
    QString directory() const { return m_directory; }
    // Shows a directory in the directory and file lists; an unreadable one gives a message and
    // leaves the lists as they were.
    bool setDirectory(const QString &path);

    // The volumes offered by the drive list: the filesystem root, then removable and other data volumes.
    static QStringList driveRoots();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Volumes come and go (a USB stick is plugged in): the drive list is read again whenever the panel
    // is shown.
    void showEvent(QShowEvent *event) override;

private:
    bool showDirectory(const QString &path, bool tellUser);
    void fillDrives();
    void selectDriveOf(const QString &path);
    void driveChanged(int index);
    void fillDirectoryList(const QString &path, const QStringList &subdirectories);
    void directoryActivated(QTreeWidgetItem *item);
    void loadFile(int row);
    void showPath(const QString &path);
    void complain(const QString &first, const QString &second);

    CardModel *m_card;
    QRadioButton *m_logoTarget = nullptr; // `OptLogo`
    QRadioButton *m_pageTarget = nullptr; // `OptBG`
    QComboBox *m_drives = nullptr;        // `Drive1`
    QTreeWidget *m_dirs = nullptr;        // `Dir1`
    QListWidget *m_files = nullptr;       // `File1`
    QLabel *m_fileShow = nullptr;         // `FileShow`
    QString m_directory;
    int m_driveIndex = -1; // the drive shown before a change, to go back to when it cannot be read
    int m_rowAtPress = -1; // the file list's row before a mouse press: a click on it loads it again
};
