#include "output/PrintWindow.h"

#include "assets/Assets.h"
#include "card/CardModel.h"
#include "card/VbColor.h"
#include "output/CalibrationDialog.h"
#include "output/CardArt.h"
#include "output/CardFile.h"
#include "output/CardShape.h"
#include "output/PrintSheet.h"
#include "widgets/Dialogs.h"
#include "widgets/EscapeKey.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"
#include "widgets/WindowMover.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>

namespace {
constexpr SecondaryWindowLayout PrintWindowLayout{"FrmPrint", "Velnor打印设置", 11160, 8535, 300, 10920};
const QString PrintTitle = QStringLiteral("Velnor名片打印提示：");
const QString ExportTitle = QStringLiteral("Velnor名片导出提示：");

struct ExportRow {
    CardExport::Kind kind;
    const char *filter;
    const char *suffix;
};
// clang-format off
constexpr ExportRow Exports[] = {
    {CardExport::Kind::PdfCard,      "PDF 名片一张，含2毫米出血和裁切标记 (*.pdf)", "pdf"},
    {CardExport::Kind::PdfSheet,     "PDF A4整页，带裁切标记 (*.pdf)",            "pdf"},
    {CardExport::Kind::Png300,       "PNG 图片 300 ppi (*.png)",                   "png"},
    {CardExport::Kind::Png600,       "PNG 图片 600 ppi (*.png)",                   "png"},
    {CardExport::Kind::PdfTestSheet, "PDF 打印校准测试页 (*.pdf)",                 "pdf"},
};
// clang-format on

struct PrintOptionRow {
    const char *caption;
    int left, top, width, height;
};
constexpr PrintOptionRow Options[2] = {
    {"仅打印1张", 2520, 337, 1155, 255},
    {"排满页面打印（A4规格）", 3840, 337, 2295, 255},
};

QCursor openHand()
{
    const QPixmap hand(Assets::HandCursor);
    return hand.isNull() ? QCursor(Qt::OpenHandCursor) : QCursor(hand, hand.width() / 2, hand.height() / 2);
}
} // namespace

PrintWindow::PrintWindow(const QImage &card, QWidget *browser, const QString &cardPath)
    : SecondaryWindow(PrintWindowLayout), m_card(card.convertToFormat(QImage::Format_RGB32)),
      m_cardPath(cardPath), m_browser(browser)
{
    m_design = PrintJob::designOf(cardPath, &m_designProblem);
    QWidget *c = client();
    Panel::place(new QLabel(QStringLiteral("设置每页打印的名片张数："), c), "LabInfo", 180, 360, 0, 0)
        ->adjustSize();
    for (int i = 0; i < 2; ++i) {
        const PrintOptionRow &o = Options[i];
        m_options[i] = Panel::place(new QRadioButton(QString::fromUtf8(o.caption), c), "OptPrintSet", o.left,
                                    o.top, o.width, o.height);
        m_options[i]->setProperty("index", i);
    }
    EventRules::onOptionClick(m_options[0], this, [this] { printOne(); });
    EventRules::onOptionClick(m_options[1], this, [this] { printFullPage(); });

    m_printButton = Panel::place(new QLabel(c), "ImgPrint", 6540, 300, 810, 315);
    m_printButton->setCursor(Qt::PointingHandCursor);
    m_printButton->setMouseTracking(true);
    m_printButton->installEventFilter(this);
    for (int state = 0; state < 3; ++state) {
        m_printLooks[state] = QPixmap(Assets::menuPicture("print", state));
        auto *look = Panel::place(new QLabel(c),
                                  state == 0   ? "Print0"
                                  : state == 1 ? "Print1"
                                               : "Print2",
                                  11280, 600 + 330 * state, 810, 315);
        look->setPixmap(m_printLooks[state]);
        look->hide();
    }
    if (m_printLooks[0].isNull()) {
        // Without its pictures the button still says what it does.
        m_printButton->setText(QStringLiteral("打印"));
        m_printButton->setAlignment(Qt::AlignCenter);
        m_printButton->setFrameStyle(QFrame::Panel | QFrame::Raised);
    }
    setPrintLook(0);
    auto *cursorImage = Panel::place(new QLabel(c), "ImgCursor", 8880, 0, 480, 480);
    cursorImage->setPixmap(QPixmap(Assets::HandCursor));
    cursorImage->hide();

    // Beside the print button, in the row of the options, where the design has nothing.
    m_export = Panel::place(new QPushButton(QStringLiteral("导出…"), c), "CmdExport", 7590, 300, 900, 330);
    m_calibrate =
        Panel::place(new QPushButton(QStringLiteral("打印校准"), c), "CmdCalibrate", 8610, 300, 1200, 330);
    for (QPushButton *b : {m_export, m_calibrate}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        Look::setColor(b, QPalette::Button, Look::Grey);
    }
    connect(m_export, &QPushButton::clicked, this, [this] { exportWithDialog(); });
    connect(m_calibrate, &QPushButton::clicked, this, &PrintWindow::calibrate);

    auto *line = new QLabel(c);
    line->setPixmap(Look::etchedLine(740));
    line->setGeometry(4, 44, 740, 2);

    m_area = sunkenBox(c, "PicBg", 180, 840, 10815, 7515);
    m_area->setAutoFillBackground(true);
    Look::setColor(m_area, QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_preview = new QLabel(m_area);
    m_preview->setObjectName(QStringLiteral("PicCard"));
    m_preview->setAutoFillBackground(true);
    Look::setColor(m_preview, QPalette::Window, VbColors::toQColor(VbColors::WindowBackground));
    m_preview->setCursor(openHand());
    m_preview->setGeometry(204, 140, 340, 207);
    // Left-button drags move the preview; a sheet taller than the area can be pulled up to see its foot.
    new ChildMover(m_preview);

    // Moves over anything but the button itself show the button's normal picture.
    for (QWidget *w : {c, static_cast<QWidget *>(titleBar()), static_cast<QWidget *>(m_area),
                       static_cast<QWidget *>(m_preview)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    // Esc closes the window as its close label does.
    EscapeKey::onEscape(this, [this] { close(); });

    showPreview(m_card);
    m_preview->move(previewCardPlace(m_card.width(), m_preview->pos()));
    centreOnScreen(browser);
    // A print image left by a program that did not close this window must not pass for one of this
    // opening's: only an option picked here makes a print image.
    QFile::remove(CardFile::printImagePath());
}

PrintWindow::~PrintWindow() = default;

void PrintWindow::setDesign(std::unique_ptr<CardModel> design)
{
    m_design = std::move(design);
    m_designProblem.clear();
}

CardArt PrintWindow::art() const
{
    return m_design ? CardArt(*m_design, m_card) : CardArt(m_card);
}

QString PrintWindow::cardTitle() const
{
    const QString name = QFileInfo(m_cardPath).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Velnor名片") : name;
}

void PrintWindow::showAll(const QStringList &messages)
{
    for (const QString &text : messages)
        message(text);
}

void PrintWindow::setPrintLook(int state)
{
    if (!m_printLooks[state].isNull())
        m_printButton->setPixmap(m_printLooks[state]);
}

void PrintWindow::showPreview(const QImage &picture)
{
    m_preview->setPixmap(QPixmap::fromImage(picture));
    m_preview->resize(picture.size());
}

void PrintWindow::message(const QString &text)
{
    Dialogs::message(this, text, PrintTitle);
}

void PrintWindow::writePrintImage(const QImage &picture)
{
    const QString reason = CardFile::writeBmp(picture, CardFile::printImagePath());
    if (!reason.isEmpty())
        message(Dialogs::lines(QStringLiteral("无法写入打印图像，现在还不能打印："),
                               QStringLiteral("原因：") + reason));
}

void PrintWindow::printOne()
{
    showPreview(m_card);
    m_preview->move(previewCardPlace(m_card.width(), m_preview->pos()));
    // Every width: the print image is always the single card.
    writePrintImage(m_card);
}

void PrintWindow::printFullPage()
{
    showPreview(m_card);
    const QImage sheet = PrintSheet::compose(m_card);
    if (sheet.isNull())
        return; // neither landscape nor portrait: no sheet, no print image
    showPreview(sheet);
    m_preview->move(PrintSheet::previewPlace(m_card.width()));
    writePrintImage(sheet);
}

void PrintWindow::print()
{
    const PrintJob::Option option = m_options[0]->isChecked()   ? PrintJob::Option::One
                                    : m_options[1]->isChecked() ? PrintJob::Option::Sheet
                                                                : PrintJob::Option::None;
    showAll(PrintJob::print(option, art(), CardFile::printImagePath(), m_target).messages);
}

void PrintWindow::exportWithDialog(CardExport::Kind preferred)
{
    QFileDialog dialog(this, QStringLiteral("Velnor导出名片"));
    // Qt's own dialog: in Chinese, and the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    int chosen = 0;
    for (const ExportRow &e : Exports) {
        if (e.kind == preferred)
            chosen = int(filters.size());
        filters << QString::fromUtf8(e.filter);
    }
    dialog.setNameFilters(filters);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    const QString base = cardTitle();
    const auto chooseFilter = [&](int index) {
        const ExportRow &e = Exports[index];
        dialog.setDefaultSuffix(QLatin1String(e.suffix));
        dialog.selectFile(e.kind == CardExport::Kind::PdfTestSheet
                              ? QStringLiteral("打印校准测试页.pdf")
                              : base + QLatin1Char('.') + QLatin1String(e.suffix));
    };
    dialog.selectNameFilter(filters[chosen]);
    chooseFilter(chosen);
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&](const QString &filter) { chooseFilter(std::max(0, int(filters.indexOf(filter)))); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const int index = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
    exportTo(Exports[index].kind, dialog.selectedFiles().first());
}

bool PrintWindow::exportTo(CardExport::Kind kind, const QString &path)
{
    const QString reason = CardExport::write(kind, art(), cardTitle(), path);
    if (!reason.isEmpty()) {
        Dialogs::message(
            this,
            Dialogs::lines(
                QStringLiteral("无法导出到“%1”，没有写入文件。").arg(QDir::toNativeSeparators(path)),
                QStringLiteral("原因：") + reason),
            ExportTitle);
        return false;
    }
    Dialogs::message(this, Dialogs::lines(QStringLiteral("已导出到："), QDir::toNativeSeparators(path)),
                     ExportTitle);
    return true;
}

void PrintWindow::calibrate()
{
    const QString printer = m_printerName();
    if (printer.isEmpty()) {
        if (Dialogs::askYesNo(this,
                              Dialogs::lines(QStringLiteral("没有找到默认打印机，无法打印校准测试页。"),
                                             QStringLiteral("要把测试页保存为 PDF 文件查看吗？")),
                              PrintTitle))
            exportWithDialog(CardExport::Kind::PdfTestSheet);
        return;
    }
    const PrintJob::Outcome outcome = PrintJob::printTestSheet(art().sizePx(), m_target);
    showAll(outcome.messages);
    if (!outcome.printed)
        return;
    QString problem;
    const Calibration current = PrintCalibration::forPrinter(printer, &problem);
    auto *dialog = new CalibrationDialog(printer, current, this);
    dialog->show();
}

void PrintWindow::showEvent(QShowEvent *event)
{
    SecondaryWindow::showEvent(event);
    if (!m_designProblem.isEmpty()) {
        // Said once the window is on the screen, so the message has a window to stand over.
        QTimer::singleShot(0, this, [this, text = m_designProblem] { message(text); });
        m_designProblem.clear();
    }
}

bool PrintWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_printButton) {
        // Only mouse events are read through it (a cast of any other event would be undefined).
        auto *e = dynamic_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_printPressed = true;
            setPrintLook(2);
            return true;
        case QEvent::MouseMove:
            if (!m_printPressed)
                setPrintLook(1);
            return true;
        case QEvent::MouseButtonRelease:
            if (m_printPressed) {
                m_printPressed = false;
                setPrintLook(1);
                // A press dragged off the button and let go elsewhere prints nothing.
                if (m_printButton->rect().contains(e->position().toPoint()))
                    print();
            }
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseMove) {
        setPrintLook(0);
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void PrintWindow::closeEvent(QCloseEvent *event)
{
    m_preview->clear();
    // Missing when no option was picked; either way nothing is left behind that can be removed.
    QFile::remove(CardFile::printImagePath());
    if (m_browser)
        m_browser->show();
    event->accept();
}
