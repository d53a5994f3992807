#include "core/colors.h"
#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QtTest>

// At a device pixel ratio of 2 the picture keeps logical coordinates and gains device pixels.
class TestHighDpi : public QObject {
    Q_OBJECT
private slots:
    void sharpPictureInLogicalPixels()
    {
        PictureBox box(372, 372);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.devicePixelRatioF(), 2.0);
        box.Cls();
        QCOMPARE(box.ScaleWidth(), 372.0f);
        QCOMPARE(box.ScaleHeight(), 372.0f);
        QCOMPARE(box.image().size(), QSize(744, 744));
        box.setForeColor(Colors::Black);
        box.Line(10, 100, 200, 100);
        // A one-pixel line covers two device rows, fully black, and nothing is smeared beyond them.
        const QImage& img = box.image();
        int blackRows = 0;
        for (int y = 190; y < 210; ++y) {
            const QColor c(img.pixel(100, y));
            QVERIFY2(c == QColor(Qt::black) || c == QColor(Qt::white), "no grey, no smear");
            blackRows += c == QColor(Qt::black);
        }
        QCOMPARE(blackRows, 2);
        QCOMPARE(QColor(img.pixel(17, 199)), QColor(Qt::white));
        QCOMPARE(QColor(img.pixel(21, 200)), QColor(Qt::black));
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_highdpi.moc"
