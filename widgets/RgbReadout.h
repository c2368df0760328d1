#pragma once
// `RgbReadout`: the three labels `LabR`, `LabG`, `LabB` that show a colour as "R:", "G:", "B:" values.
#include "card/VbColor.h"

#include <QObject>

class QLabel;

class RgbReadout : public QObject {
    Q_OBJECT
public:
    RgbReadout(QLabel *r, QLabel *g, QLabel *b, QObject *parent = nullptr);
    void show(VbColor color);
    void setTexts(const QString &r, const QString &g, const QString &b);

private:
    QLabel *m_r;
    QLabel *m_g;
    QLabel *m_b;
};
