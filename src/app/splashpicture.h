#pragma once

#include <QImage>
#include <QSize>

// The splash background: a Gauss plane with a vector and, beside it, a sinusoid with a phase shift.
class SplashPicture {
public:
    // Drawn for the given logical size and device pixel ratio, so that it stays sharp on dense screens.
    static QImage render(QSize size, qreal devicePixelRatio = 1.0);
};
