#include "output/PrintWindow.h"

#include "assets/Assets.h"
#include "card/PictureFile.h"
#include "card/VbColor.h"
#include "output/CardFile.h"
#include "output/CardShape.h"
#include "output/PrintSheet.h"
#include "widgets/Dialogs.h"
#include "widgets/EventRules.h"
#include "widgets/Panel.h"
#include "widgets/WindowMover.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace {
constexpr SecondaryWindowSpec PrintWindowLayout{"FrmPrint", "Velnor打印设置", 11160, 8535, 300, 10920};
const QString PrintTitle = QStringLiteral("Velnor名片打印提示：");

struct OptionSpec {
    const char *caption;
    int left, top, width, height;
};
constexpr OptionSpec Options[2] = {
    {"仅打印1张", 2520, 337, 1155, 255},
    {"排满页面打印（A4规格）", 3840, 337, 2295, 255},
};

void setColor(QWidget *w, QPalette::ColorRole role, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(role, color);
    w->setPalette(pal);
}

// The etched line under the options: grey, with white beneath.
QPixmap separator(int width)
{
    QImage line(width, 2, QImage::Format_RGB32);
    line.fill(Qt::white);
    QPainter p(&line);
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(0, 0, width - 1, 0);
    p.end();
    return QPixmap::fromImage(line);
}

QCursor openHand()
{
    const QPixmap hand(Assets::HandCursor);
    return hand.isNull() ? QCursor(Qt::OpenHandCursor) : QCursor(hand, hand.width() / 2, hand.height() / 2);
}
} // namespace

PrintWindow::PrintWindow(const QImage &card, QWidget *browser)
    : SecondaryWindow(PrintWindowLayout), m_card(card.convertToFormat(QImage::Format_RGB32)),
      m_browser(browser)
{
    QWidget *c = client();
    Panel::place(new QLabel(QStringLiteral("设置每页打印的名片张数："), c), "LabInfo", 180, 360, 0, 0)
        ->adjustSize();
    for (int i = 0; i < 2; ++i) {
        const OptionSpec &o = Options[i];
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

    auto *line = new QLabel(c);
    line->setPixmap(separator(740));
    line->setGeometry(4, 44, 740, 2);

    m_area = sunkenBox(c, "PicBg", 180, 840, 10815, 7515);
    m_area->setAutoFillBackground(true);
    setColor(m_area, QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_preview = new QLabel(m_area);
    m_preview->setObjectName(QStringLiteral("PicCard"));
    m_preview->setAutoFillBackground(true);
    setColor(m_preview, QPalette::Window, VbColors::toQColor(VbColors::WindowBackground));
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

    showPreview(m_card);
    m_preview->move(previewCardPlace(m_card.width(), m_preview->pos()));
    centreOnScreen(browser);
    // A print image left by a program that did not close this window must not pass for one of this
    // opening's: only an option picked here makes a print image.
    QFile::remove(CardFile::printImagePath());
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
    if (!m_options[0]->isChecked() && !m_options[1]->isChecked()) {
        message(Dialogs::lines(QStringLiteral("请先选择一种页面的名片数量打印方式，"),
                               QStringLiteral("然后再进行打印……")));
        return;
    }
    const QString path = CardFile::printImagePath();
    if (!QFile::exists(path)) {
        // Only a picture 210 to 300 pixels wide, chosen for the full page first, gets here normally.
        if (m_options[1]->isChecked() && cardShape(m_card.width()) == CardShape::Neither)
            message(Dialogs::lines(QStringLiteral("这张图片既不是横向名片也不是竖向名片，无法排满页面打印。"),
                                   QStringLiteral("请选择“仅打印1张”后再进行打印……")));
        else
            message(Dialogs::lines(QStringLiteral("还没有可打印的页面图像，没有打印。"),
                                   QStringLiteral("请重新选择一种页面的名片数量打印方式……")));
        return;
    }
    // Read back with the completeness check: a print image cut short (or replaced) is never printed.
    const PictureFile::Result loaded = PictureFile::load(path);
    const QImage &image = loaded.image;
    if (!loaded.ok()) {
        message(
            Dialogs::lines(QStringLiteral("无法读取打印图像，没有打印：") + QDir::toNativeSeparators(path),
                           QStringLiteral("原因：") + loaded.problem));
        return;
    }
    switch (m_printFunction(image)) {
    case PagePrinter::Result::Printed:
        break;
    case PagePrinter::Result::NoPrinter:
        message(Dialogs::lines(QStringLiteral("没有找到默认打印机，没有打印。"),
                               QStringLiteral("请先在系统中安装并设置默认打印机……")));
        break;
    case PagePrinter::Result::CannotStart:
        message(Dialogs::lines(QStringLiteral("打印机无法开始打印，没有打印。"),
                               QStringLiteral("请检查打印机后再进行打印……")));
        break;
    case PagePrinter::Result::Failed:
        message(Dialogs::lines(QStringLiteral("打印没有完成，打印机报告了错误。"),
                               QStringLiteral("请检查打印机后再进行打印……")));
        break;
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
