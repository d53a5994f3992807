#include "core/colors.h"
#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

// The drawing area at a device pixel ratio of 2: the picture keeps logical coordinates and gains
// device pixels.
class TestPictureBox : public QObject {
    Q_OBJECT
private slots:
    // Drawn while hidden, shown sharp by the next paint: a one-pixel line covers two device rows fully
    // and nothing is smeared beyond them. Cls clears the picture and the current point.
    void keepsASharpDrawingAcrossHideAndShow()
    {
        PictureBox box(372, 372);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.devicePixelRatioF(), 2.0);
        box.hide();
        box.Cls();
        box.setForeColor(Colors::Red);
        box.Line(10, 100, 200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.image().size(), QSize(744, 744));
        const QImage shot = box.grab().toImage();
        const auto at = [&](int x, int y) {
            return QColor(shot.pixel(box.contentsRect().topLeft() * 2 + QPoint(x, y)));
        };
        QList<QColor> column;
        for (int y = 196; y < 206; ++y)
            column << at(100, y);
        QCOMPARE(column, QList<QColor>(3, Qt::white) + QList<QColor>(2, Qt::red) + QList<QColor>(5, Qt::white));
        QCOMPARE(QList<QColor>({at(17, 200), at(21, 200)}), QList<QColor>({Qt::white, Qt::red}));
        box.Cls();
        QCOMPARE(QColor(box.image().pixel(100, 200)), QColor(Qt::white));
        QCOMPARE(box.CurrentX(), 0.0f);
    }

    // The scale is the inner area; the two resize shapes are not swapped; Print moves the current point
    // to the next line.
    void scalePointerAndPrint()
    {
        PictureBox box(485, 221);
        QCOMPARE(QSizeF(box.ScaleWidth(), box.ScaleHeight()), QSizeF(box.contentsRect().size()));
        box.setMousePointer(7);
        QCOMPARE(box.cursor().shape(), Qt::SizeVerCursor);
        box.setFont(QStringLiteral("Times New Roman"), 8, false);
        box.PrintAt(30, 10, QStringLiteral(" 8 "));
        QCOMPARE(QPointF(box.CurrentX(), box.CurrentY()), QPointF(0, 10 + box.TextHeight(QStringLiteral("8"))));
    }

    void mouseEventsInInnerPixelsAndClicks()
    {
        PictureBox box(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy down(&box, &PictureBox::MouseDown);
        QSignalSpy up(&box, &PictureBox::MouseUp);
        QSignalSpy click(&box, &PictureBox::Click);
        const QPoint offset = box.contentsRect().topLeft();
        QTest::mouseClick(&box, Qt::RightButton, {}, offset + QPoint(40, 30));
        QCOMPARE(click.count(), 1);
        QCOMPARE((QVariantList{down[0][0].toInt(), down[0][2].toFloat(), down[0][3].toFloat()}),
                 (QVariantList{2, 40.0f, 30.0f}));
        QTest::mouseClick(&box, Qt::MiddleButton, {}, offset + QPoint(40, 30));
        QCOMPARE(click.count(), 1);
        // Released outside the area: no click, but the release is still reported, outside the range.
        QTest::mousePress(&box, Qt::LeftButton, {}, offset + QPoint(10, 10));
        QTest::mouseRelease(&box, Qt::LeftButton, {}, offset + QPoint(300, -20));
        QCOMPARE(click.count(), 1);
        QCOMPARE((QVariantList{up.last()[2].toFloat(), up.last()[3].toFloat()}), (QVariantList{300.0f, -20.0f}));
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPictureBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_picturebox.moc"
