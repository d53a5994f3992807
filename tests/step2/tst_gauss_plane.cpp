#include "step2/gauss_plane.h"
#include "support/recordingsurface.h"

#include <QtTest>

class TestGaussPlane : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    // G = 1 is drawn on a plane that is not square, so that a swapped width and height shows. The vector
    // to (G, G) comes last and ends 18 px inside the top right corner; the end marker only while fixed.
    void plane_data()
    {
        QTest::addColumn<float>("limit");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("following");
        QTest::addColumn<QStringList>("labels"); // text|x|y in drawing order; 5 px a character, 12 px a line
        const QStringList g8 = {"8|354|188",   "4|267.5|188", "2|225.5|188", "6|309.5|188", "-6|55|188",
                                "-4|97|188",   "-2|139|188",  "-8 |12|188",  "0|189|187",   " 8 |187|12",
                                " 6 |187|54",  " 4 |187|96",  " 2 |187|138", "-2 |191|222", "-4 |191|264",
                                "-6 |191|306", "-8 |191|348", "x|359|171",   "y|176|0"};
        QTest::newRow("8 fixed") << 8.f << QSizeF(372, 372) << false << g8;
        QTest::newRow("8 following") << 8.f << QSizeF(372, 372) << true << g8;
        QTest::newRow("1 fixed") << 1.f << QSizeF(400, 300) << false
                                 << QStringList{"1|382|152",     ".5|286|152",    ".25|238|152",    ".75|329|152",
                                                "-.75|53.5|152", "-.5|101.5|152", "-.25|144.5|152", "-1 |12|152",
                                                "0|203|151",     " 1 |201|12",    " ,75 |201|45",   " ,5 |201|78",
                                                " ,25 |201|111", "-,25 |205|177", "-,5 |205|210",   "-,75 |205|243",
                                                "-1 |205|276",   "x|387|135",     "y|190|0"};
    }
    void plane()
    {
        QFETCH(float, limit);
        QFETCH(QSizeF, size);
        QFETCH(bool, following);
        const float w = size.width(), h = size.height();
        RecordingSurface s(w, h);
        GaussPlane::RedrawPlane(s, limit, w - 18, 18, following);
        QStringList labels;
        for (const auto& e : s.texts())
            labels << QStringLiteral("%1|%2|%3").arg(e.text).arg(e.x1).arg(e.y1);
        QTEST(labels, "labels");
        QCOMPARE(s.entries.first().op, RecordingSurface::Op::Cls);
        const auto l = s.lines();
        QCOMPARE(l.size(), following ? 19 : 21);
        QCOMPARE(QLineF(l.last().x1, l.last().y1, l.last().x2, l.last().y2), QLineF(w / 2, h / 2, w - 18, 18));
        if (!following) {
            const auto &a = l[l.size() - 3], &b = l[l.size() - 2];
            QCOMPARE(QLineF(a.x1, a.y1, a.x2, a.y2), QLineF(w - 23, 18, w - 13, 18));
            QCOMPARE(QLineF(b.x1, b.y1, b.x2, b.y2), QLineF(w - 18, 13, w - 18, 23));
        }
        // The imaginary ticks end at W/2 + 2.5 exactly.
        QCOMPARE(std::count_if(l.begin(), l.end(), [&](const auto& e) { return e.x2 == w / 2 + 2.5f; }), 8);
    }
};

QTEST_MAIN(TestGaussPlane)
#include "tst_gauss_plane.moc"
