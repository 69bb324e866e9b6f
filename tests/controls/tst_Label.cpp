// CLabel: the one-call style and transparent drawing over the page.

#include "CLabel.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QTest>

namespace {

// What the window shows now, as the backing store holds it.
QImage OnScreen(QWidget& window)
{
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId()).toImage();
}

bool AllPixels(const QImage& image, QRect area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

}  // namespace

class TestLabel : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void styleFlags_data();
    void styleFlags();
    void styleAlignment_data();
    void styleAlignment();
    void styleFaceSizeAndColour();
    void changedTextLeavesNoRemains();
    void opaqueLabelFillsItsArea();
    void textIsDrawnInTheStyledColour();
};

void TestLabel::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestLabel::styleFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::newRow("0 plain") << 0 << false << false;
    QTest::newRow("1 bold") << 1 << true << false;
    QTest::newRow("2 underlined") << 2 << false << true;
    QTest::newRow("3 both") << 3 << true << true;
    QTest::newRow("4 heading: plain") << 4 << false << false;
    QTest::newRow("7 other bits ignored") << 7 << true << true;
}

void TestLabel::styleFlags()
{
    QFETCH(int, flags);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    CLabel label("text");
    label.StyleLabel(9, 3, 0, Qt::black);  // a restyle must also clear bits
    label.StyleLabel(9, flags, 0, Qt::black);
    QCOMPARE(label.font().weight(), bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(label.font().underline(), underline);
}

void TestLabel::styleAlignment_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("horizontal");
    QTest::newRow("0 left") << 0 << int(Qt::AlignLeft);
    QTest::newRow("1 centred") << 1 << int(Qt::AlignHCenter);
    QTest::newRow("2 right") << 2 << int(Qt::AlignRight);
    QTest::newRow("3 left") << 3 << int(Qt::AlignLeft);
    QTest::newRow("-1 left") << -1 << int(Qt::AlignLeft);
}

void TestLabel::styleAlignment()
{
    QFETCH(int, code);
    QFETCH(int, horizontal);
    CLabel label("text");
    label.StyleLabel(11, 1, code, Qt::black);
    QCOMPARE(int(label.alignment() & Qt::AlignHorizontal_Mask), horizontal);
}

void TestLabel::styleFaceSizeAndColour()
{
    CLabel label("KRX-5100A");
    const QColor header(237, 237, 237);
    label.StyleLabel(11, 1, 2, header);
    QCOMPARE(label.font().pointSize(), 11);
    QCOMPARE(label.TextColor(), header);
    QVERIFY(label.IsTransparent());
    const QString face = QFontInfo(label.font()).family();
    QVERIFY2(face == "Arial" || face == "Liberation Sans", qPrintable(face));
}

void TestLabel::changedTextLeavesNoRemains()
{
    QWidget page;
    page.resize(200, 60);
    page.setAutoFillBackground(true);
    QPalette red = page.palette();
    red.setColor(QPalette::Window, Qt::red);
    page.setPalette(red);
    CLabel label("WWWWWWWWWW", &page);
    label.setGeometry(10, 10, 180, 40);
    label.StyleLabel(20, 1, 0, Qt::black);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QRect area = label.geometry();
    QTRY_VERIFY(!AllPixels(OnScreen(page), area, 0xFFFF0000));

    label.setText("i");
    QTRY_VERIFY(AllPixels(OnScreen(page), area.adjusted(40, 0, 0, 0), 0xFFFF0000));
    label.clear();
    QTRY_VERIFY(AllPixels(OnScreen(page), area, 0xFFFF0000));
}

void TestLabel::opaqueLabelFillsItsArea()
{
    QWidget page;
    page.resize(100, 40);
    QPalette red = page.palette();
    red.setColor(QPalette::Window, Qt::red);
    page.setPalette(red);
    CLabel label(&page);
    label.setGeometry(10, 10, 50, 20);
    QCOMPARE(page.grab().toImage().pixel(30, 20), 0xFFFF0000);
    label.SetTransparent(false);
    QCOMPARE(page.grab().toImage().pixel(30, 20), label.palette().color(QPalette::Button).rgba());
}

void TestLabel::textIsDrawnInTheStyledColour()
{
    QWidget page;
    page.resize(120, 60);
    CLabel label("████", &page);
    label.setGeometry(0, 0, 120, 60);
    const QColor styled(0, 141, 168);
    label.StyleLabel(20, 1, 0, styled);
    const QImage shot = page.grab().toImage();
    bool found = false;
    for (int x = 0; x < shot.width() && !found; ++x)
        found = shot.pixelColor(x, 20) == styled;
    QVERIFY2(found, "no pixel of the label's text has its styled colour");
}

QTEST_MAIN(TestLabel)
#include "tst_Label.moc"
