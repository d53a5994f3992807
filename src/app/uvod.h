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

signals:
    // The splash is done: by its timer, a key or a click on its background; once only.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* titleLabel;
    QLabel* versionLabel;
    QLabel* creditsLabel;
    QTimer* closeTimer;

    // Only the first of the three events does anything.
    void closeSplash();

    QImage m_picture;
    bool m_closing = false;
};
