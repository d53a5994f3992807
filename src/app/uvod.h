#pragma once

#include "ui/forms/form.h"

#include <QImage>

class QLabel;
class QTimer;

// The splash: the title over a picture, gone after five seconds, a key or a click on its background.
class Uvod : public Form {
    Q_OBJECT
public:
    Uvod();

    void Form_Load() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* Label3; // title
    QLabel* Label4; // version
    QLabel* Label5; // credits
    QTimer* Timer1;

    // Opens the sign-in and unloads the splash; only the first of the three events does anything.
    void closeSplash();

    QImage m_picture;
    bool m_closing = false;
};
