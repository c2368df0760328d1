#pragma once
// The print window `FrmPrint` "Velnor打印设置": prints the card chosen in the browser, once or filling an
// A4 sheet. Each option composes the page in the preview and writes it to the print image temp.bmp;
// the print button prints that image on one page of the default printer. Closing deletes the print
// image and shows the browser again. Deleted on close.
#include "output/PagePrinter.h"
#include "widgets/SecondaryWindow.h"

#include <QImage>
#include <QPointer>
#include <functional>

class QRadioButton;

class PrintWindow : public SecondaryWindow {
    Q_OBJECT
public:
    // The card is the browser's picture; the browser is shown again when this window closes.
    PrintWindow(const QImage &card, QWidget *browser);

    // The print button's action: prints the print image, or says why it cannot.
    void print();

    // How a print image reaches paper; the default printer unless a test routes it elsewhere.
    using PrintFunction = std::function<PagePrinter::Result(const QImage &)>;
    void setPrintFunction(PrintFunction function) { m_printFunction = std::move(function); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void printOne();
    void printFullPage();
    void showPreview(const QImage &picture);
    void writePrintImage(const QImage &picture);
    void setPrintLook(int state);
    void message(const QString &text);

    QImage m_card;
    QPointer<QWidget> m_browser;
    QRadioButton *m_options[2];
    QLabel *m_printButton; // `ImgPrint`
    QPixmap m_printLooks[3];
    QLabel *m_area;    // `PicBg`
    QLabel *m_preview; // `PicCard`
    bool m_printPressed = false;
    PrintFunction m_printFunction = PagePrinter::printOnDefaultPrinter;
};
