#pragma once
// A saved card's design, kept beside its picture in the card folder so that the card can be opened and
// edited again, and printed sharp: every element, the page and the pictures themselves.
#include <QByteArray>
#include <QString>

class CardModel;

namespace CardDesign {
// The design file that belongs to a card picture, or an empty text when the picture can have none.
QString pathFor(const QString &picturePath);
// The file's bytes for the card as it stands.
QByteArray encode(const CardModel &card);
// Puts the design into the card. On failure the card is untouched and the reason is set (in Chinese).
bool decode(const QByteArray &bytes, CardModel &card, QString *reason);
// Reads the file and decodes it as above.
bool readFile(const QString &path, CardModel &card, QString *reason);
} // namespace CardDesign
