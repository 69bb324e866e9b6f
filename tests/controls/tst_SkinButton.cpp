// CxSkinButton: which face shows in which state, the fall-backs for missing
// pictures, press/drag/release, hover, keyboard, mask and draw modes.

#include "CxSkinButton.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kButtonFace = 0;  // stands for the palette's button colour
constexpr QSize kFaceSize(40, 20);

QRgb Sample(QWidget& widget, QPoint at = QPoint(1, 1))
{
    return widget.grab().toImage().pixel(at);
}

// The mouse arrives at the given point. Two moves, because a move to the
// position where the previous test left the pointer is not delivered.
void MoveOnto(QWidget& widget, QPoint at)
{
    QTest::mouseMove(&widget, at + QPoint(1, 1));
    QTest::mouseMove(&widget, at);
}

QRgb Expected(const QWidget& widget, QRgb colour)
{
    return colour == kButtonFace ? widget.palette().color(QPalette::Button).rgba() : colour;
}

}  // namespace

class TestSkinButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void faceForState_data();
    void faceForState();
    void pressDragOffReleaseGivesNoClick();
    void releaseInsideClicksAndHoverReturns();
    void leavingEndsHover();
    void keyboardClicks_data();
    void keyboardClicks();
    void focusCueOnlyForKeyboard();
    void pushedCaptionMovesOnePixel();
    void maskShapesAndResizes();
    void drawModes_data();
    void drawModes();

private:
    QString Face(const char* name) const
    {
        return m_faces.filePath(QString::fromLatin1(name) + ".bmp");
    }
    void WriteFace(const char* name, const QImage& image)
    {
        QVERIFY(image.save(Face(name), "BMP"));
    }

    QTemporaryDir m_faces;
};

void TestSkinButton::initTestCase()
{
    QVERIFY(m_faces.isValid());
    const std::pair<const char*, QRgb> plain[] = {{"normal", kRed},
                                                  {"pressed", kBlue},
                                                  {"over", kGreen},
                                                  {"disabled", kGrey},
                                                  {"focus", kYellow}};
    for (const auto& [name, colour] : plain)
    {
        QImage face(kFaceSize, QImage::Format_RGB32);
        face.fill(colour);
        WriteFace(name, face);
    }
    // 4x4 checker quarter: red top-left 2x2, green elsewhere.
    QImage quarter(4, 4, QImage::Format_RGB32);
    quarter.fill(kGreen);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            quarter.setPixel(x, y, kRed);
    WriteFace("quarter", quarter);
    // Mask: white left half (outside the button), black right half.
    QImage mask(20, 10, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            mask.setPixel(x, y, 0xFF000000);
    WriteFace("mask", mask);
}

void TestSkinButton::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestSkinButton::faceForState_data()
{
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("over");
    QTest::addColumn<QString>("disabled");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QRgb>("colour");

    const QString n = Face("normal"), p = Face("pressed"), o = Face("over"), d = Face("disabled"),
                  f = Face("focus");
    QTest::newRow("up") << n << p << o << d << f << "up" << kRed;
    QTest::newRow("hover") << n << p << o << d << f << "hover" << kGreen;
    QTest::newRow("hover, no over picture") << n << p << "" << d << f << "hover" << kRed;
    QTest::newRow("hover, over file missing")
        << n << p << Face("absent") << d << f << "hover" << kRed;
    QTest::newRow("down") << n << p << o << d << f << "down" << kBlue;
    QTest::newRow("down, no pressed picture") << n << "" << o << d << f << "down" << kButtonFace;
    QTest::newRow("disabled") << n << p << o << d << f << "disabled" << kGrey;
    QTest::newRow("disabled, no picture") << n << p << o << "" << f << "disabled" << kRed;
    QTest::newRow("disabled, file missing")
        << n << p << o << Face("absent") << f << "disabled" << kButtonFace;
    QTest::newRow("focus") << n << p << o << d << f << "focus" << kYellow;
    QTest::newRow("focus, no picture") << n << p << o << d << ""
                                       << "focus" << kRed;
    QTest::newRow("focus and hover") << n << p << o << d << f << "focus+hover" << kGreen;
    QTest::newRow("no normal picture") << "" << p << o << d << f << "hover" << kButtonFace;
    QTest::newRow("normal file missing")
        << Face("absent") << p << o << d << f << "up" << kButtonFace;
}

void TestSkinButton::faceForState()
{
    QFETCH(QString, normal);
    QFETCH(QString, pressed);
    QFETCH(QString, over);
    QFETCH(QString, disabled);
    QFETCH(QString, focus);
    QFETCH(QString, state);
    QFETCH(QRgb, colour);

    CxSkinButton button;
    button.resize(kFaceSize);
    button.SetSkin(normal, pressed, over, disabled, focus, QString(), 0, 0, 0);
    button.show();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    if (state.contains("focus"))
    {
        button.setFocus(Qt::MouseFocusReason);
        QVERIFY(button.hasFocus());
    }
    else
    {
        button.clearFocus();
    }
    if (state.contains("hover"))
        MoveOnto(button, QPoint(5, 5));
    if (state == "down")
        button.setDown(true);
    if (state == "disabled")
        button.setEnabled(false);
    QCOMPARE(Sample(button), Expected(button, colour));
}

void TestSkinButton::pressDragOffReleaseGivesNoClick()
{
    CxSkinButton button;
    button.resize(kFaceSize);
    button.SetSkin(Face("normal"), Face("pressed"), Face("over"), "", "", "", 0, 0, 0);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    const QPoint inside(10, 10);
    const QPoint outside(kFaceSize.width() + 15, 10);

    MoveOnto(button, inside);
    QTest::mousePress(&button, Qt::LeftButton, {}, inside);
    QVERIFY(button.isDown());
    QVERIFY(!button.IsHovering());
    QCOMPARE(Sample(button), kBlue);

    QTest::mouseMove(&button, outside);
    QVERIFY(!button.isDown());
    QCOMPARE(Sample(button), kRed);

    QTest::mouseRelease(&button, Qt::LeftButton, {}, outside);
    QCOMPARE(clicked.count(), 0);
}

void TestSkinButton::releaseInsideClicksAndHoverReturns()
{
    CxSkinButton button;
    button.resize(kFaceSize);
    button.SetSkin(Face("normal"), Face("normal"), Face("over"), "", "", "", 0, 0, 0);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&button, QPoint(30, 5));  // dragging inside keeps it pushed
    QVERIFY(button.isDown());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(30, 5));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!button.IsHovering());

    MoveOnto(button, QPoint(31, 6));
    QVERIFY(button.IsHovering());
    QCOMPARE(Sample(button), kGreen);
}

void TestSkinButton::leavingEndsHover()
{
    CxSkinButton button;
    button.resize(kFaceSize);
    button.SetSkin(Face("normal"), Face("pressed"), Face("over"), "", "", "", 0, 0, 0);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    MoveOnto(button, QPoint(10, 10));
    QCOMPARE(Sample(button), kGreen);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QVERIFY(!button.IsHovering());
    QCOMPARE(Sample(button), kRed);
}

void TestSkinButton::keyboardClicks_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("clicks");
    QTest::newRow("space") << int(Qt::Key_Space) << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << 1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("letter") << int(Qt::Key_A) << 0;
}

void TestSkinButton::keyboardClicks()
{
    QFETCH(int, key);
    QFETCH(int, clicks);
    CxSkinButton button;
    button.resize(kFaceSize);
    button.show();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    button.setFocus(Qt::TabFocusReason);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::keyClick(&button, Qt::Key(key));
    if (clicks > 0)
        QTRY_COMPARE(clicked.count(), clicks);
    else
        QVERIFY(!clicked.wait(300));
}

void TestSkinButton::focusCueOnlyForKeyboard()
{
    CxSkinButton button;
    button.resize(kFaceSize);
    button.SetSkin(Face("normal"), Face("normal"), Face("over"), "", "", "", 0, 0, 0);
    button.show();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    const QPoint onCue(kFaceSize.width() / 2, 3);

    button.setFocus(Qt::MouseFocusReason);
    QCOMPARE(Sample(button, onCue), kRed);
    button.clearFocus();
    button.setFocus(Qt::TabFocusReason);
    QVERIFY(Sample(button, onCue) != kRed);
}

void TestSkinButton::pushedCaptionMovesOnePixel()
{
    CxSkinButton button("  X");
    button.resize(kFaceSize);
    button.SetSkin(Face("normal"), Face("normal"), Face("normal"), "", "", "", 0, 0, 0);
    button.SetTextColor(Qt::white);
    const QImage up = button.grab().toImage();
    button.setDown(true);
    const QImage down = button.grab().toImage();
    QVERIFY(up != down);
    for (int y = 0; y + 1 < up.height(); ++y)
        for (int x = 0; x + 1 < up.width(); ++x)
            QCOMPARE(down.pixel(x + 1, y + 1), up.pixel(x, y));
}

void TestSkinButton::maskShapesAndResizes()
{
    QWidget page;
    CxSkinButton button(&page);
    button.setGeometry(30, 40, 100, 50);
    button.SetSkin(Face("normal"), "", "", "", "", Face("mask"), 0, 0, 0);
    QCOMPARE(button.geometry(), QRect(30, 40, 20, 10));
    QCOMPARE(button.mask().boundingRect(), QRect(10, 0, 10, 10));

    button.SetSkin(Face("normal"), "", "", "", "", Face("absent"), 0, 0, 0);
    QVERIFY(button.mask().isEmpty());
}

void TestSkinButton::drawModes_data()
{
    // Sampled at (12,1) on a 20x20 button with the 4x4 quarter picture:
    // tiled -> (0,1) red; stretched -> (2,0) green; own size -> not drawn.
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("below 0 counts as 0") << -3 << false << QRgb(0);
    QTest::newRow("own size") << 0 << false << QRgb(0);
    QTest::newRow("stretched") << 1 << true << kGreen;
    QTest::newRow("tiled") << 2 << true << kRed;
    QTest::newRow("above 2 counts as 2") << 9 << true << kRed;
}

void TestSkinButton::drawModes()
{
    QFETCH(int, mode);
    QFETCH(bool, drawn);
    QFETCH(QRgb, colour);
    CxSkinButton button;
    button.resize(20, 20);
    button.SetSkin(Face("quarter"), "", "", "", "", "", mode, 0, 0);
    const QRgb sample = Sample(button, QPoint(12, 1));
    if (drawn)
        QCOMPARE(sample, colour);
    else
        QVERIFY(sample != kRed && sample != kGreen);
    QCOMPARE(Sample(button, QPoint(0, 0)), kRed);
}

QTEST_MAIN(TestSkinButton)
#include "tst_SkinButton.moc"
