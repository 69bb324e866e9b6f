// On a screen that scales by 2 the pages draw their 2 x pictures pixel for
// pixel: a grab of a button, a background or a whole page holds the 2 x
// source's pixels, not the 1 x picture scaled up.

#include "CConfigStaticIPDlg.h"
#include "CPictureEx.h"
#include "CWizardPage.h"
#include "CxSkinButton.h"
#include "DoubleSizePicture.h"
#include "FakeEffects.h"
#include "WizardTestScope.h"

#include <QApplication>
#include <QTest>

namespace {

QImage Rgb(const QImage& image)
{
    QImage plain = image.convertToFormat(QImage::Format_RGB32);
    plain.setDevicePixelRatio(1);
    return plain;
}

QImage Source(const QString& path)
{
    const QString doubled = DoubleSizePath(path);
    return doubled.isEmpty() ? QImage() : Rgb(QImage(doubled));
}

// The share of pixels of area (in source pixels) that differ between a and b.
double Differing(const QImage& a, const QImage& b, const QRect& area)
{
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return double(differing) / (area.width() * area.height());
}

}  // namespace

class TestDoubleSize : public QObject
{
    Q_OBJECT

private slots:
    void screenScalesByTwo() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    void buttonFacesComeFromTheDoubleSizePicture_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("NEXT") << "pic/BUTTON/next/next.bmp";
        QTest::newRow("Exit") << "pic/BUTTON/exit/exit.bmp";
        QTest::newRow("START") << "pic/BUTTON/start1.bmp";
        QTest::newRow("first install picture") << "pic/BUTTON/first_install/first_install.bmp";
        QTest::newRow("document button") << "pic/BUTTON/technical_manual/technical_manual.bmp";
    }

    void buttonFacesComeFromTheDoubleSizePicture()
    {
        QFETCH(QString, face);
        const QImage source = Source(face);
        QVERIFY2(!source.isNull(), "no 2 x picture");
        const QImage single(face);
        QCOMPARE(source.size(), single.size() * 2);
        CxSkinButton button;
        button.SetSkin(face, face, face, "", "", "", 0, 0, 0);
        button.resize(single.size());
        const QImage grabbed = Rgb(button.grab().toImage());
        QCOMPARE(grabbed.size(), source.size());
        QCOMPARE(Differing(grabbed, source, grabbed.rect()), 0.0);
    }

    void backgroundsComeFromTheDoubleSizePicture_data()
    {
        QTest::addColumn<QString>("background");
        QTest::newRow("still") << "pic/BG/2600.gif";
        QTest::newRow("light box") << "pic/BG/LightBoxS.jpg";
        QTest::newRow("animated") << "pic/BG/1000.gif";
    }

    void backgroundsComeFromTheDoubleSizePicture()
    {
        QFETCH(QString, background);
        const QImage source = Source(background);
        QVERIFY2(!source.isNull(), "no 2 x picture");
        CPictureEx picture;
        QVERIFY(picture.Load(background));
        QCOMPARE(picture.PixelRatio(), 2);
        QCOMPARE(picture.GetSize(), QSize(800, 600));
        QCOMPARE(picture.size(), QSize(800, 600));
        if (!picture.IsAnimated())
        {
            QVERIFY(picture.Draw());
            const QImage grabbed = Rgb(picture.grab().toImage());
            QCOMPARE(Differing(grabbed, source, grabbed.rect()), 0.0);
        }
    }

    // The header of a page (logo, step indicator) and the top of NEXT hold
    // the 2 x pictures' pixels; an upscaled 1 x picture differs in most.
    void pageGrabHasNoUpscaledPicture()
    {
        FakeEffects effects;
        const WizardTestScope scope(&effects);
        CConfigStaticIPDlg page(nullptr);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QImage grabbed = Rgb(page.grab().toImage());
        QCOMPARE(grabbed.size(), QSize(1600, 1200));

        const QImage background = Source(page.BackgroundPath());
        const QRect header(0, 0, 2 * 350, 2 * 70);
        QCOMPARE(Differing(grabbed, background, header), 0.0);
        const QImage upscaled = Rgb(
            QImage(page.BackgroundPath())
                .scaled(background.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
        QVERIFY(Differing(upscaled, background, header) > 0.05);

        const QImage next = Source("pic/BUTTON/next/next.bmp");
        const QRect nextTop(PageLayout::kNextRect.topLeft() * 2, QSize(next.width(), 12));
        const QImage grabbedNext = grabbed.copy(nextTop);
        QCOMPARE(Differing(grabbedNext, next, QRect(QPoint(0, 0), nextTop.size())), 0.0);
    }
};

int main(int argc, char** argv)
{
    // The screen scales by 2 for the whole test.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestDoubleSize test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_DoubleSize.moc"
