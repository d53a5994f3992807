#include "core/numberformat.h"
#include "core/scales.h"
#include "step2/gauss_plane.h"
#include "ui/surface/recordingsurface.h"

#include <QtTest>

class TestGaussPlane : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void najdiMeritk_data() {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<float>("expected");
        const QList<QPair<float, float>> magnitudes = {{0, 1},     {0.4f, 1},     {1, 2},      {9.99f, 10},
                                                       {10, 10},   {10.5f, 20},   {37.2f, 40}, {99, 100},
                                                       {100, 100}, {100.1f, 200}, {1999, 2000}};
        for (const auto& [m, limit] : magnitudes) {
            QTest::addRow("real %g", double(m)) << m << 0.0f << limit;
            QTest::addRow("imaginary %g", double(m)) << 0.0f << m << limit;
        }
        QTest::newRow("3 - 7.2i") << 3.0f << -7.2f << 8.0f;
        QTest::newRow("-37.2 + 5i") << -37.2f << 5.0f << 40.0f;
        QTest::newRow("37.2 + 5i") << 37.2f << 5.0f << 40.0f;
        QTest::newRow("both negative") << -150.0f << -1999.0f << 2000.0f;
        QTest::newRow("equal magnitudes") << -20.0f << 20.0f << 30.0f;
        QTest::newRow("largest product") << 0.0f << 20000.0f << 30000.0f;
        QTest::newRow("not a number") << float(qQNaN()) << float(qQNaN()) << 1.0f;
    }
    void najdiMeritk() {
        QFETCH(float, re);
        QFETCH(float, im);
        QFETCH(float, expected);
        QCOMPARE(Scales::NajdiMeritk(re, im), expected);
    }

    void najdiMeritkEndsOnInfinity() { QVERIFY(Scales::NajdiMeritk(float(qInf()), 1) > 1e37f); }

    void mapping() {
        QCOMPARE(Scales::planeX(8, 372, 8), 354.0f);
        QCOMPARE(Scales::planeY(8, 372, 8), 18.0f);
        QCOMPARE(Scales::planeX(-1, 400, 1), 18.0f);
        QCOMPARE(Scales::planeY(-1, 300, 1), 282.0f);
        QCOMPARE(Scales::planeRe(354, 372, 8), 8.0f);
        QCOMPARE(Scales::planeIm(282, 300, 1), -1.0f);
        QCOMPARE(Scales::planeRe(186, 372, 8), 0.0f);
    }

    void labels_data() {
        QTest::addColumn<float>("limit");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        // The recording surface measures 5 px per character and 12 px per line.
        QTest::newRow("8: real 8") << 8.f << 372.f << 372.f << "8" << 354.f << 188.f;
        QTest::newRow("8: real 4") << 8.f << 372.f << 372.f << "4" << 267.5f << 188.f;
        QTest::newRow("8: real 2") << 8.f << 372.f << 372.f << "2" << 225.5f << 188.f;
        QTest::newRow("8: real 6") << 8.f << 372.f << 372.f << "6" << 309.5f << 188.f;
        QTest::newRow("8: real -6") << 8.f << 372.f << 372.f << "-6" << 55.f << 188.f;
        QTest::newRow("8: real -4") << 8.f << 372.f << 372.f << "-4" << 97.f << 188.f;
        QTest::newRow("8: real -2") << 8.f << 372.f << 372.f << "-2" << 139.f << 188.f;
        QTest::newRow("8: real -8") << 8.f << 372.f << 372.f << "-8 " << 12.f << 188.f;
        QTest::newRow("8: origin") << 8.f << 372.f << 372.f << "0" << 189.f << 187.f;
        QTest::newRow("8: imaginary 8") << 8.f << 372.f << 372.f << " 8 " << 187.f << 12.f;
        QTest::newRow("8: imaginary 6") << 8.f << 372.f << 372.f << " 6 " << 187.f << 54.f;
        QTest::newRow("8: imaginary 2") << 8.f << 372.f << 372.f << " 2 " << 187.f << 138.f;
        QTest::newRow("8: imaginary -2") << 8.f << 372.f << 372.f << "-2 " << 191.f << 222.f;
        QTest::newRow("8: imaginary -8") << 8.f << 372.f << 372.f << "-8 " << 12.f << 188.f;
        QTest::newRow("8: x") << 8.f << 372.f << 372.f << "x" << 359.f << 171.f;
        QTest::newRow("8: y") << 8.f << 372.f << 372.f << "y" << 176.f << 0.f;
        // Not square, so that a swapped width and height shows.
        QTest::newRow("1: real 1") << 1.f << 400.f << 300.f << "1" << 382.f << 152.f;
        QTest::newRow("1: real .5") << 1.f << 400.f << 300.f << ".5" << 286.f << 152.f;
        QTest::newRow("1: real .25") << 1.f << 400.f << 300.f << ".25" << 238.f << 152.f;
        QTest::newRow("1: real .75") << 1.f << 400.f << 300.f << ".75" << 329.f << 152.f;
        QTest::newRow("1: real -.75") << 1.f << 400.f << 300.f << "-.75" << 53.5f << 152.f;
        QTest::newRow("1: real -.5") << 1.f << 400.f << 300.f << "-.5" << 101.5f << 152.f;
        QTest::newRow("1: real -.25") << 1.f << 400.f << 300.f << "-.25" << 144.5f << 152.f;
        QTest::newRow("1: real -1") << 1.f << 400.f << 300.f << "-1 " << 12.f << 152.f;
        QTest::newRow("1: imaginary ,75") << 1.f << 400.f << 300.f << " ,75 " << 201.f << 45.f;
        QTest::newRow("1: imaginary ,25") << 1.f << 400.f << 300.f << " ,25 " << 201.f << 111.f;
        QTest::newRow("1: imaginary -,5") << 1.f << 400.f << 300.f << "-,5 " << 205.f << 210.f;
        QTest::newRow("1: imaginary -1") << 1.f << 400.f << 300.f << "-1 " << 12.f << 152.f;
        QTest::newRow("1: x") << 1.f << 400.f << 300.f << "x" << 387.f << 135.f;
    }
    void labels() {
        QFETCH(float, limit);
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QString, text);
        QFETCH(float, x);
        QFETCH(float, y);
        RecordingSurface s(width, height);
        GaussPlane::RedrawPlane(s, limit, width / 2, height / 2, false);
        const RecordingSurface::Entry* e = s.findText(text);
        QVERIFY2(e, qPrintable(text));
        QCOMPARE(e->x1, x);
        QCOMPARE(e->y1, y);
    }

    void imaginaryLabelsOfNegativeValuesLieRight() {
        RecordingSurface s(372, 372);
        GaussPlane::RedrawPlane(s, 8, 186, 186, false);
        QStringList below;
        for (const auto& e : s.texts())
            if (e.x1 == 191.f)
                below << e.text;
        QCOMPARE(below, QStringList({"-2 ", "-4 ", "-6 ", "-8 "}));
    }

    void realLabelsLeftToRight() {
        RecordingSurface s(400, 300);
        GaussPlane::RedrawPlane(s, 1, 200, 150, true);
        QList<RecordingSurface::Entry> row;
        for (const auto& e : s.texts())
            if (e.y1 == 152.f)
                row << e;
        std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.x1 < b.x1; });
        QStringList texts;
        for (const auto& e : row)
            texts << e.text;
        QCOMPARE(texts, QStringList({"-1 ", "-.75", "-.5", "-.25", ".25", ".5", ".75", "1"}));
    }

    void marker_data() {
        QTest::addColumn<bool>("following");
        QTest::addColumn<int>("lines");
        QTest::newRow("fixed") << false << 21;
        QTest::newRow("following") << true << 19;
    }
    void marker() {
        QFETCH(bool, following);
        QFETCH(int, lines);
        RecordingSurface s(372, 372);
        const float x = Scales::planeX(8, 372, 8), y = Scales::planeY(8, 372, 8);
        GaussPlane::RedrawPlane(s, 8, x, y, following);
        QCOMPARE(s.entries.first().op, RecordingSurface::Op::Cls);
        const auto l = s.lines();
        QCOMPARE(l.size(), lines);
        QCOMPARE(s.texts().size(), 19);
        // The vector comes last, from the origin to the point (8, 8) on the outermost ticks.
        QCOMPARE(l.last().x1, 186.f);
        QCOMPARE(l.last().y1, 186.f);
        QCOMPARE(l.last().x2, 354.f);
        QCOMPARE(l.last().y2, 18.f);
        if (!following) {
            QCOMPARE(l[l.size() - 3].x1, 349.f);
            QCOMPARE(l[l.size() - 3].x2, 359.f);
            QCOMPARE(l[l.size() - 2].y1, 13.f);
            QCOMPARE(l[l.size() - 2].y2, 23.f);
        }
        // Imaginary ticks end at W/2 + 2.5 exactly.
        QCOMPARE(std::count_if(l.begin(), l.end(), [](const auto& e) { return e.x2 == 188.5f; }), 8);
    }
};

QTEST_MAIN(TestGaussPlane)
#include "tst_gauss_plane.moc"
