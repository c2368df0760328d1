#pragma once
// The about panel "关于本程序": version, a short description and the link that hands the download
// address of the program archive to the user's web browser.
#include "widgets/Panel.h"

class QLabel;

// Where the maker offers the latest program archive.
inline constexpr char DownloadAddress[] = "https://velnor.example.com/download/velnor-latest.zip";

class AboutPanel : public Panel {
    Q_OBJECT
public:
    explicit AboutPanel(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setLinkBold(bool bold);

    QLabel *m_labDownload;
};
