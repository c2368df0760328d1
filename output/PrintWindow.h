#pragma once
// The print window `FrmPrint` "Velnor打印设置": prints the card chosen in the browser, once or filling an
// A4 sheet. Each option composes the page in the preview and writes it to the print image temp.bmp;
// the print button prints on one page of the default printer: the card drawn sharp from its design when
// it has one, otherwise that image. "导出…" saves the card as PDF or PNG; "打印校准" prints the test
// sheet and asks for the printer's correction. Closing deletes the print image and shows the browser
// again. Deleted on close. The work itself is PrintJob's and CardExport's; this class wires widgets.
#include "output/CardExport.h"
#include "output/PrintJob.h"
#include "widgets/SecondaryWindow.h"

#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>

class CardArt;
class CardModel;
class QPushButton;
class QRadioButton;

class PrintWindow : public SecondaryWindow {
    Q_OBJECT
public:
    // The card is the browser's picture, read from cardPath (empty for the sample card); the browser is
    // shown again when this window closes.
    PrintWindow(const QImage &card, QWidget *browser, const QString &cardPath = QString());
    ~PrintWindow() override;

    // The chosen card's design, in place of the one found beside its picture (null: print the picture).
    void setDesign(std::unique_ptr<CardModel> design);
    bool hasDesign() const { return m_design != nullptr; }

    // The print button's action: prints the card, or says why it cannot.
    void print();
    // "导出…": the save dialog, then the export.
    void exportWithDialog(CardExport::Kind preferred = CardExport::Kind::PdfCard);
    // Writes the export; false after saying why not.
    bool exportTo(CardExport::Kind kind, const QString &path);
    // "打印校准": the test sheet on the printer, then the correction dialog.
    void calibrate();

    // How pages reach paper; the default printer unless a test routes them elsewhere.
    void setPrintTarget(PrintJob::Target target) { m_target = std::move(target); }
    // The printer a calibration is kept for; the default printer's name unless a test says otherwise.
    void setPrinterName(std::function<QString()> name) { m_printerName = std::move(name); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void printOne();
    void printFullPage();
    void showPreview(const QImage &picture);
    void writePrintImage(const QImage &picture);
    void setPrintLook(int state);
    void message(const QString &text);
    void showAll(const QStringList &messages);
    CardArt art() const;
    QString cardTitle() const;

    QImage m_card;
    QString m_cardPath;
    std::unique_ptr<CardModel> m_design;
    QString m_designProblem; // said once the window is on the screen
    QPointer<QWidget> m_browser;
    QRadioButton *m_options[2];
    QLabel *m_printButton; // `ImgPrint`
    QPixmap m_printLooks[3];
    QLabel *m_area;    // `PicBg`
    QLabel *m_preview; // `PicCard`
    QPushButton *m_export;
    QPushButton *m_calibrate;
    bool m_printPressed = false;
    PrintJob::Target m_target = PrintJob::toDefaultPrinter;
    std::function<QString()> m_printerName = PagePrinter::defaultPrinterName;
};
