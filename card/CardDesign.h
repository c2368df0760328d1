#pragma once
// A saved card's design, kept beside its picture in the card folder so that the card can be opened and
// edited again, and printed sharp: every element, the page and the pictures themselves.
//
// The file, "NAME.card" beside "NAME.bmp", is UTF-8 JSON (one object):
//   "format": "Velnor名片设计", "version": 1 (a larger number is a newer program's file and is refused,
//       saying so; names this version does not know are ignored),
//   "picture": {"size": bytes, "blake2b-256": hex} of the BMP saved with it: a design whose picture has since
//       been replaced (or whose save was cut off between the two files) is refused,
//   "orientation": "landscape" | "portrait" (the card's size and place follow from it),
//   "pageColor": colour, "background": the "背景" switch,
//   "pagePicture", "paintedLayer", "pictureStore", "logo": an index into "pictures", or -1 for none; the
//       painted layer may instead be {"tiles": index, "width", "height"}: that picture tiled over an empty
//       layer of that size (as the page panel makes it),
//   "pictures": PNG files in base64 (a picture used twice is stored once),
//   "elements": {"LabName": {...}, ..., "Hline": {...}, "PicCardLogo": {...}}, each with "left", "top",
//       "width", "height" (twips), "visible", "color"; a text also "text", "face", "size" (points),
//       "bold", "italic", "alignRight", "autoSize", "wordWrap",
//   "qr": the contact QR code, like an element ("color" its dark colour) with "fields" (the chosen texts'
//       control names, "LabAdd" for the address with its post code), "format": "vCard" | "MeCard" and
//       "moduleSize": 2 to 4 pixels; a file without it has the code hidden (this version still writes 1).
// Colours are the card's 32-bit values (0x00BBGGRR or 0x800000NN). Texts are laid out again on opening.
// Reading checks every type and range and decodes pictures within a memory limit; anything wrong gives a
// reason and changes nothing.
#include <QByteArray>
#include <QString>

class CardModel;
class QImage;

namespace CardDesign {
inline constexpr int Version = 1;
// A larger file is refused unread.
inline constexpr qint64 MaxFileBytes = 64ll * 1024 * 1024;

// The design file that belongs to a card picture, or an empty text when the picture can have none.
QString pathFor(const QString &picturePath);
// The card picture a design file belongs to.
QString pictureFor(const QString &designPath);
// The file's bytes for the card as it stands.
QByteArray encode(const CardModel &card);
// The same, stamped with the picture file's bytes it is saved with.
QByteArray encode(const CardModel &card, const QByteArray &pictureFile);
// Puts the design into the card. On failure the card is untouched and the reason is set (in Chinese).
bool decode(const QByteArray &bytes, CardModel &card, QString *reason);
// Reads the file and decodes it as above; a design stamped with a picture that is no longer the one beside
// it is refused.
bool readFile(const QString &path, CardModel &card, QString *reason);
// Saves the card: the picture as a 24-bit BMP and the design beside it, both complete or neither (the
// picture is renamed into place first, then the design). Empty on success, else the reason in Chinese.
QString writeWithPicture(const QString &picturePath, const QImage &picture, const CardModel &card);
} // namespace CardDesign
