#pragma once
// The card folder browser `FrmSee` "浏览我的名片夹": lists and counts the card files in the card folder,
// shows the chosen one, deletes it after a confirmation and hands it to the print window. It hides the
// main window while open and shows it again, where it was, when closed. Deleted on close, so each
// opening starts afresh. "编辑" opens the chosen card's design (saved beside its picture) in the main
// window's card, as one step that can be undone, and closes the browser.
#include "widgets/SecondaryWindow.h"

#include <QImage>
#include <QPoint>
#include <QPointer>

class CardModel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CardBrowser : public SecondaryWindow {
    Q_OBJECT
public:
    // The card is the main window's; the browser shows files and puts a chosen design into the card.
    // Hides the main window.
    CardBrowser(CardModel *card, QWidget *mainWindow);

    // The picture `PicMyCard` shows (the sample card until a file is chosen; null after a deletion).
    QImage cardPicture() const { return m_picture; }

    // The card files of a folder: *.bmp and *.jpg in any letter case, dot-files included, by name.
    // Names only: no file is opened, and none is examined beyond the folder's own listing except a link.
    static QStringList cardFiles(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadList();
    void showCount();
    void showChosen(const QString &name);
    void deleteChosen();
    void openPrintWindow();
    void editChosen();
    void showEditable(const QString &name);
    void setPicture(const QImage &picture);
    void setChosenEnabled(bool deletable, bool printable);

    CardModel *m_model;
    QPointer<QWidget> m_mainWindow;
    QPoint m_mainPlace;
    QLabel *m_area;  // `PicBg`, the tiled viewing area
    QLabel *m_card;  // `PicMyCard`
    QLabel *m_count; // `Label1`
    QListWidget *m_files;
    QLineEdit *m_chosen; // `Text1`
    QPushButton *m_print;
    QPushButton *m_delete;
    QPushButton *m_edit;
    QImage m_picture;
    QString m_folderProblem; // reported once the window is on the screen
};
