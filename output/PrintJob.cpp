#include "output/PrintJob.h"

#include "card/CardDesign.h"
#include "card/CardModel.h"
#include "card/PictureFile.h"
#include "output/CardArt.h"
#include "output/CardShape.h"
#include "output/PrintSheet.h"
#include "output/TestSheet.h"
#include "widgets/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PrintJob {
PagePrinter::Result toDefaultPrinter(const PagePrinter::Content &content, QString *notice)
{
    return PagePrinter::printOnDefaultPrinter(content, notice);
}

std::unique_ptr<CardModel> readDesign(const QString &designPath, QString *problem)
{
    auto design = std::make_unique<CardModel>();
    QString reason;
    if (!CardDesign::readFile(designPath, *design, &reason)) {
        if (problem)
            *problem = Dialogs::lines(
                QStringLiteral("名片的设计文件“%1”无法读取，这张名片将按图片打印和导出（不够清晰）。")
                    .arg(QFileInfo(designPath).fileName()),
                QStringLiteral("原因：") + reason);
        return nullptr;
    }
    return design;
}

std::unique_ptr<CardModel> designOf(const QString &picturePath, QString *problem)
{
    if (picturePath.isEmpty())
        return nullptr;
    const QString designPath = CardDesign::pathFor(picturePath);
    if (designPath.isEmpty() || !QFileInfo::exists(designPath))
        return nullptr; // a card saved before designs were kept, or a foreign picture
    return readDesign(designPath, problem);
}

QString failureMessage(PagePrinter::Result result)
{
    switch (result) {
    case PagePrinter::Result::Printed:
        break;
    case PagePrinter::Result::NoPrinter:
        return Dialogs::lines(QStringLiteral("没有找到默认打印机，没有打印。"),
                              QStringLiteral("请先在系统中安装并设置默认打印机……"));
    case PagePrinter::Result::CannotStart:
        return Dialogs::lines(QStringLiteral("打印机无法开始打印，没有打印。"),
                              QStringLiteral("请检查打印机后再进行打印……"));
    case PagePrinter::Result::Failed:
        return Dialogs::lines(QStringLiteral("打印没有完成，打印机报告了错误。"),
                              QStringLiteral("请检查打印机后再进行打印……"));
    }
    return QString();
}

namespace {
Outcome refused(const QString &message)
{
    return Outcome{false, {message}};
}

Outcome send(const PagePrinter::Content &content, const Target &target)
{
    QString notice;
    const PagePrinter::Result result = target(content, &notice);
    Outcome outcome;
    outcome.printed = result == PagePrinter::Result::Printed;
    if (!notice.isEmpty())
        outcome.messages << notice;
    if (!outcome.printed)
        outcome.messages << failureMessage(result);
    return outcome;
}
} // namespace

Outcome print(Option option, const CardArt &art, const QString &printImagePath, const Target &target)
{
    if (option == Option::None)
        return refused(Dialogs::lines(QStringLiteral("请先选择一种页面的名片数量打印方式，"),
                                      QStringLiteral("然后再进行打印……")));
    if (art.isSharp()) {
        const QVector<QRectF> cards = PrintSheet::cardRectsMm(art.sizePx(), option == Option::Sheet);
        return send(
            [&art, cards](QPainter &p, const PagePrinter::PageInfo &) {
                for (const QRectF &c : cards)
                    art.paint(p, c);
            },
            target);
    }
    if (!QFile::exists(printImagePath)) {
        // Only a picture 210 to 300 pixels wide, chosen for the full page first, gets here normally.
        if (option == Option::Sheet && cardShape(art.sizePx().width()) == CardShape::Neither)
            return refused(
                Dialogs::lines(QStringLiteral("这张图片既不是横向名片也不是竖向名片，无法排满页面打印。"),
                               QStringLiteral("请选择“仅打印1张”后再进行打印……")));
        return refused(Dialogs::lines(QStringLiteral("还没有可打印的页面图像，没有打印。"),
                                      QStringLiteral("请重新选择一种页面的名片数量打印方式……")));
    }
    // Read back with the completeness check: a print image cut short (or replaced) is never printed.
    const PictureFile::Result loaded = PictureFile::load(printImagePath);
    if (!loaded.ok())
        return refused(Dialogs::lines(QStringLiteral("无法读取打印图像，没有打印：") +
                                          QDir::toNativeSeparators(printImagePath),
                                      QStringLiteral("原因：") + loaded.problem));
    return send(PagePrinter::imageContent(loaded.image), target);
}

Outcome printTestSheet(const QSize &cardPx, const Target &target)
{
    return send(
        [cardPx](QPainter &p, const PagePrinter::PageInfo &info) {
            TestSheet::Page page;
            page.cornerOnPaperMm = info.cornerOnPaperMm;
            page.printableMm = info.printableMm;
            page.printer = info.printer;
            page.offsetXMm = info.calibration.offsetXMm;
            page.offsetYMm = info.calibration.offsetYMm;
            page.scalePercent = info.calibration.scalePercent;
            TestSheet::paint(p, cardPx, page);
        },
        target);
}
} // namespace PrintJob
