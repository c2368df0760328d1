#pragma once
// The print window's work without its widgets: finding the chosen card's design, deciding what the print
// button prints (the card drawn sharp from its design, else the print image temp.bmp), printing it or
// the calibration test sheet, and the messages (in Chinese) that tell the user why not.
#include "output/PagePrinter.h"

#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>

class CardArt;
class CardModel;

namespace PrintJob {
// Where a page goes: the default printer with its calibration unless a test routes it elsewhere. A
// notice (a damaged calibration store) is said, but the page is still printed.
using Target = std::function<PagePrinter::Result(const PagePrinter::Content &content, QString *notice)>;
PagePrinter::Result toDefaultPrinter(const PagePrinter::Content &content, QString *notice);

// The design of a card picture: null when it has none (an old BMP, a JPEG); null with the reason in
// problem when its design file cannot be read.
std::unique_ptr<CardModel> designOf(const QString &picturePath, QString *problem);
std::unique_ptr<CardModel> readDesign(const QString &designPath, QString *problem);

enum class Option { None = -1, One = 0, Sheet = 1 };
struct Outcome {
    bool printed = false;
    QStringList messages; // to show, in order
};
// The print button: a sharp card prints one card or the sheet at the places the print image has; any
// other is the print image file as it was written.
Outcome print(Option option, const CardArt &art, const QString &printImagePath, const Target &target);
// The test sheet for a card of that size.
Outcome printTestSheet(const QSize &cardPx, const Target &target);
// The message for a printer that did not print.
QString failureMessage(PagePrinter::Result result);
} // namespace PrintJob
