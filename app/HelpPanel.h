#pragma once
// The help panel "Velnor操作指南": a banner, an etched separator and the operating guide in a read-only,
// scrolling text box. Nothing on it changes after start.
#include "widgets/Panel.h"

#include <QString>

class QPlainTextEdit;

class HelpPanel : public Panel {
    Q_OBJECT
public:
    explicit HelpPanel(QWidget *parent = nullptr);

    // The operating guide as the box holds it: nine sections, each a "◆…：" heading, CR LF, one paragraph
    // indented by four blanks, CR LF; an empty line between sections.
    static QString helpText();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPlainTextEdit *m_txtHelp;
};
