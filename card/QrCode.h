#pragma once
// One QR code symbol as a square of modules, encoded by libqrencode: byte mode (the text's UTF-8 as it
// stands), error correction M, the smallest version that holds it. The quiet zone is not part of the
// symbol; whoever draws it leaves QuietZone modules of white around it.
#include <QByteArray>
#include <QColor>
#include <QImage>

class QPainter;
class QRectF;

class QrCode {
public:
    static constexpr int QuietZone = 4; // modules on each side

    QrCode() = default;
    // A null code when the bytes do not fit into the largest symbol (or the library fails).
    static QrCode encode(const QByteArray &bytes);

    bool isNull() const { return m_size == 0; }
    int version() const { return m_version; }
    int size() const { return m_size; }                                           // modules on one side
    int sizeWithQuietZone() const { return m_size ? m_size + 2 * QuietZone : 0; } // likewise
    bool dark(int x, int y) const { return m_modules.at(y * m_size + x) != 0; }

    // The code with its quiet zone at whole pixels per module: white and the dark colour only.
    QImage image(int modulePx, const QColor &darkColor) const;
    // The same as exact squares through the painter's transform (a printer, a PDF, a large PNG): the area
    // is the code with its quiet zone, in the painter's units.
    void paint(QPainter &painter, const QRectF &area, const QColor &darkColor) const;

    bool operator==(const QrCode &o) const { return m_version == o.m_version && m_modules == o.m_modules; }

private:
    int m_version = 0;
    int m_size = 0;
    QByteArray m_modules; // row by row, 1 = dark
};
