#include "core/colors.h"
#include "ui/surface/picturebox.h"

#include <QSignalSpy>
#include <QtTest>

class TestPictureBox : public QObject {
    Q_OBJECT
private slots:
    // Drawn while hidden, shown by the next paint; Cls clears the picture and the current point.
    void keepsTheDrawingAcrossHideAndShow()
    {
        PictureBox box(372, 372);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.hide();
        box.Cls();
        box.setForeColor(Colors::Red);
        box.Line(10, 20, 100, 20);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage shot = box.grab().toImage();
        const QPoint inner = box.contentsRect().topLeft();
        QCOMPARE(QColor(shot.pixel(inner + QPoint(50, 20))), QColor(Qt::red));
        QCOMPARE(QColor(shot.pixel(inner + QPoint(50, 40))), QColor(Qt::white));
        box.Cls();
        QCOMPARE(QColor(box.image().pixel(50, 20)), QColor(Qt::white));
        QCOMPARE(box.CurrentX(), 0.0f);
    }

    // The scale is the inner area; the drag reads back the pointer that the hover set (the two resize
    // shapes must not be swapped); Print moves the current point to the next line.
    void scalePointerAndPrint()
    {
        PictureBox box(485, 221);
        QCOMPARE(QSizeF(box.ScaleWidth(), box.ScaleHeight()), QSizeF(485, 221));
        QCOMPARE(box.contentsRect().size(), QSize(485, 221));
        box.setMousePointer(7);
        QCOMPARE(box.MousePointer(), 7);
        QCOMPARE(box.cursor().shape(), Qt::SizeVerCursor);
        box.setMousePointer(9);
        QCOMPARE(box.cursor().shape(), Qt::SizeHorCursor);
        box.setFont(QStringLiteral("Times New Roman"), 8, false);
        box.PrintAt(30, 10, QStringLiteral(" 8 "));
        QCOMPARE(QPointF(box.CurrentX(), box.CurrentY()), QPointF(0, 10 + box.TextHeight(QStringLiteral("8"))));
        QVERIFY(box.TextWidth(QStringLiteral("-8 ")) > box.TextWidth(QStringLiteral("8")));
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
        QCOMPARE(down.at(0).at(0).toInt(), 2);
        QCOMPARE(down.at(0).at(2).toFloat(), 40.0f);
        QCOMPARE(down.at(0).at(3).toFloat(), 30.0f);
        QTest::mouseClick(&box, Qt::MiddleButton, {}, offset + QPoint(40, 30));
        QCOMPARE(click.count(), 1);
        // Released outside the area: no click, but the release is still reported, outside the range.
        QTest::mousePress(&box, Qt::LeftButton, {}, offset + QPoint(10, 10));
        QTest::mouseRelease(&box, Qt::LeftButton, {}, offset + QPoint(300, -20));
        QCOMPARE(click.count(), 1);
        QCOMPARE(up.last().at(2).toFloat(), 300.0f);
        QCOMPARE(up.last().at(3).toFloat(), -20.0f);
    }
};

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
