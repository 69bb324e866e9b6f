// CPictureEx: still pictures, the animation thread's frames, delays and
// disposal methods, stopping and unloading.

#include "CPictureEx.h"
#include "GifWalker.h"
#include "PictureFixtures.h"

#include <QApplication>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void shippedPicturesLoad();  // first: it checks which image plugins are loaded
    void stillPictures_data();
    void stillPictures();
    void oneFrameGifStartsNoThread();
    void resizesToPictureKeepingPosition();
    void rejectsWhatIsNoPicture_data();
    void rejectsWhatIsNoPicture();
    void missingFileShowsNothing();
    void truncatedAnimationKeepsEarlierFrames();
    void disposalAfterDelay_data();
    void disposalAfterDelay();
    void loopStartsFromBackground();
    void commentBeforeImageStillGivesFrame();
    void transparentPixelsKeepWhatIsBeneath();
    void stopKeepsLastFrameAndDrawResumes();
    void unloadAndDestroyWhilePlaying();
    void shippedAnimationFramesOnOwnScreen();
    void sharedPictureFollowsScale_data();
    void sharedPictureFollowsScale();
};

void TestPicture::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPicture::stillPictures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");

    QImage red(24, 16, QImage::Format_RGB32);
    red.fill(kRed);
    QTest::newRow("bmp") << Encoded(red, "BMP") << QSize(24, 16);
    QTest::newRow("jpeg") << Encoded(red, "JPEG") << QSize(24, 16);
    QTest::newRow("png") << Encoded(red, "PNG") << QSize(24, 16);
    QTest::newRow("one-frame gif") << ToByteArray(
        GifBuilder(24, 16, kColours).Control(0, 10).Image(0, 0, 24, 16, kRedIndex).Bytes())
                                   << QSize(24, 16);
    QTest::newRow("gif, other version")
        << ToByteArray(GifBuilder(24, 16, kColours, "87a").Image(0, 0, 24, 16, kRedIndex).Bytes())
        << QSize(24, 16);
}

void TestPicture::stillPictures()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    CPictureEx picture;
    QVERIFY(picture.Load(data));
    QCOMPARE(picture.GetSize(), size);
    QVERIFY(picture.Draw());
    const QImage image = picture.CurrentImage();
    QCOMPARE(image.size(), size);
    const QColor centre = image.pixelColor(size.width() / 2, size.height() / 2);
    QVERIFY2(centre.red() > 240 && centre.green() < 16 && centre.blue() < 16,
             qPrintable(centre.name()));
}

void TestPicture::oneFrameGifStartsNoThread()
{
    CPictureEx picture;
    QVERIFY(picture.Load(ToByteArray(
        GifBuilder(8, 8, kColours).Loop().Control(2, 10).Image(0, 0, 8, 8, 1).Bytes())));
    QVERIFY(!picture.IsAnimated());
    QCOMPARE(picture.FrameCount(), 1);
    QVERIFY(picture.Draw());
    QVERIFY(!picture.IsPlaying());
    QCOMPARE(picture.CurrentImage().pixel(4, 4), kGreen);
}

void TestPicture::resizesToPictureKeepingPosition()
{
    QWidget page;
    CPictureEx picture(&page);
    picture.setGeometry(7, 9, 500, 3);
    QVERIFY(picture.Load(DisposalAnimation(0)));
    QCOMPARE(picture.geometry(), QRect(7, 9, 40, 30));
}

void TestPicture::rejectsWhatIsNoPicture_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("no picture at all");
    QTest::newRow("gif header only") << QByteArray("GIF89a");
    QTest::newRow("gif without frames")
        << ToByteArray(GifBuilder(8, 8, kColours).Loop().Comment("nothing").Bytes());
    std::vector<std::uint8_t> cut =
        GifBuilder(8, 8, kColours).Control(0, 5).Image(0, 0, 8, 8, 0).Bytes();
    cut.resize(cut.size() - 6);
    QTest::newRow("truncated only frame") << ToByteArray(cut);
}

void TestPicture::rejectsWhatIsNoPicture()
{
    QFETCH(QByteArray, data);
    CPictureEx picture;
    picture.resize(12, 12);
    QVERIFY(!picture.Load(data));
    QVERIFY(!picture.Draw());
    QVERIFY(picture.GetSize().isEmpty());
    QVERIFY(picture.CurrentImage().isNull());
    QCOMPARE(picture.size(), QSize(12, 12));
}

void TestPicture::missingFileShowsNothing()
{
    CPictureEx picture;
    QVERIFY(!picture.Load(QStringLiteral("pic/no such folder/1100.gif")));
    QVERIFY(picture.CurrentImage().isNull());
}

void TestPicture::truncatedAnimationKeepsEarlierFrames()
{
    QByteArray data = DisposalAnimation(0);
    data.chop(8);  // into the last image's data
    CPictureEx picture;
    QVERIFY(picture.Load(data));
    QCOMPARE(picture.FrameCount(), 2);
    QVERIFY(picture.IsAnimated());
}

void TestPicture::disposalAfterDelay_data()
{
    QTest::addColumn<int>("disposal");
    QTest::addColumn<QRgb>("underSquare");
    QTest::newRow("1: square stays") << 1 << kBlue;
    QTest::newRow("2: background") << 2 << kBackground;
    QTest::newRow("3: restored") << 3 << kRed;
}

void TestPicture::disposalAfterDelay()
{
    QFETCH(int, disposal);
    QFETCH(QRgb, underSquare);
    CPictureEx picture;
    QVERIFY(picture.Load(DisposalAnimation(disposal)));
    QCOMPARE(picture.FrameCount(), 3);
    QSignalSpy shown(&picture, &CPictureEx::FrameShown);
    QVERIFY(picture.Draw());
    QVERIFY(picture.IsPlaying());

    const QImage withSquare = ImageAtFrame(picture, shown, 1);
    QCOMPARE(withSquare.pixel(7, 7), kBlue);
    const QImage afterSquare = ImageAtFrame(picture, shown, 2);
    QCOMPARE(afterSquare.pixel(31, 21), kGreen);
    QCOMPARE(afterSquare.pixel(1, 1), kRed);
    const QRgb expected = underSquare == kBackground
                              ? picture.palette().color(QPalette::Button).rgba()
                              : underSquare;
    QCOMPARE(afterSquare.pixel(7, 7), expected);
    QCOMPARE(afterSquare.pixel(14, 14), expected);
    QCOMPARE(afterSquare.pixel(15, 15), kRed);
}

void TestPicture::loopStartsFromBackground()
{
    // The first frame covers only part of the screen: after the last frame the
    // whole image is cleared, so the later frame's dot is gone on the next round.
    CPictureEx picture;
    QVERIFY(picture.Load(ToByteArray(GifBuilder(20, 20, kColours)
                                         .Control(1, kInspectDelay)
                                         .Image(0, 0, 10, 10, kRedIndex)
                                         .Control(1, 5)
                                         .Image(15, 15, 2, 2, kGreenIndex)
                                         .Bytes())));
    QSignalSpy shown(&picture, &CPictureEx::FrameShown);
    QVERIFY(picture.Draw());
    ImageAtFrame(picture, shown, 1);
    const QImage secondRound = ImageAtFrame(picture, shown, 0);
    QCOMPARE(secondRound.pixel(5, 5), kRed);
    QCOMPARE(secondRound.pixel(16, 16), picture.palette().color(QPalette::Button).rgba());
}

void TestPicture::commentBeforeImageStillGivesFrame()
{
    CPictureEx picture;
    QVERIFY(picture.Load(ToByteArray(GifBuilder(10, 10, kColours)
                                         .Control(1, kInspectDelay)
                                         .Image(0, 0, 10, 10, kRedIndex)
                                         .Control(1, kInspectDelay)
                                         .Comment("made by hand")
                                         .Image(2, 2, 3, 3, kBlueIndex)
                                         .Bytes())));
    QCOMPARE(picture.FrameCount(), 2);
    QSignalSpy shown(&picture, &CPictureEx::FrameShown);
    QVERIFY(picture.Draw());
    const QImage second = ImageAtFrame(picture, shown, 1);
    QCOMPARE(second.pixel(3, 3), kBlue);
    QCOMPARE(second.pixel(6, 6), kRed);
}

void TestPicture::transparentPixelsKeepWhatIsBeneath()
{
    // Second frame: a 4x1 row, white marked transparent, alternating with green.
    CPictureEx picture;
    QVERIFY(picture.Load(
        ToByteArray(GifBuilder(8, 4, kColours)
                        .Control(1, kInspectDelay)
                        .Image(0, 0, 8, 4, kRedIndex)
                        .Control(1, kInspectDelay, kWhiteIndex)
                        .Image(2, 1, 4, 1, {kGreenIndex, kWhiteIndex, kGreenIndex, kWhiteIndex})
                        .Bytes())));
    QSignalSpy shown(&picture, &CPictureEx::FrameShown);
    QVERIFY(picture.Draw());
    const QImage second = ImageAtFrame(picture, shown, 1);
    QCOMPARE(second.pixel(2, 1), kGreen);
    QCOMPARE(second.pixel(3, 1), kRed);
    QCOMPARE(second.pixel(4, 1), kGreen);
    QCOMPARE(second.pixel(5, 1), kRed);
}

void TestPicture::stopKeepsLastFrameAndDrawResumes()
{
    CPictureEx picture;
    QVERIFY(picture.Load(DisposalAnimation(0)));
    QSignalSpy shown(&picture, &CPictureEx::FrameShown);
    QVERIFY(picture.Draw());
    QVERIFY(!ImageAtFrame(picture, shown, 1).isNull());
    picture.Stop();
    QVERIFY(!picture.IsPlaying());
    QCOMPARE(picture.CurrentImage().pixel(7, 7), kBlue);

    shown.clear();
    QVERIFY(picture.Draw());
    QVERIFY(picture.IsPlaying());
    QVERIFY(!ImageAtFrame(picture, shown, 2).isNull());
    picture.Stop();
    picture.Stop();
}

void TestPicture::unloadAndDestroyWhilePlaying()
{
    auto picture = std::make_unique<CPictureEx>();
    QVERIFY(picture->Load(DisposalAnimation(2)));
    QSignalSpy shown(picture.get(), &CPictureEx::FrameShown);
    QVERIFY(picture->Draw());
    QVERIFY(shown.wait(5000));
    picture->UnLoad();
    QVERIFY(!picture->IsPlaying());
    QVERIFY(picture->GetSize().isEmpty());
    QVERIFY(picture->CurrentImage().isNull());

    QVERIFY(picture->Load(DisposalAnimation(3)));
    QVERIFY(picture->Draw());
    QVERIFY(shown.wait(5000));
    picture.reset();  // joins the thread; queued repaints for it are dropped
    QTest::qWait(20);
}

// The pictures shipped in data/pic (the tests run there) must all load, with
// no image plugin loaded only to guess their format; the progress animation
// must play.
void TestPicture::shippedPicturesLoad()
{
    QDirIterator pictures("pic", {"*.gif", "*.jpg", "*.bmp", "*.png"}, QDir::Files,
                          QDirIterator::Subdirectories);
    int checked = 0;
    while (pictures.hasNext())
    {
        const QString path = pictures.next();
        CPictureEx picture;
        QVERIFY2(picture.Load(path), qPrintable(path));
        QVERIFY2(!picture.GetSize().isEmpty(), qPrintable(path));
        ++checked;
    }
    if (checked == 0)
        QSKIP("no pictures in data/pic");
    QFile maps("/proc/self/maps");
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(!mapped.contains("imageformats/libqsvg") && !mapped.contains("imageformats/libqico"));
    CPictureEx progress;
    if (progress.Load(QStringLiteral("pic/PROGRESS/PROGRESS20.gif")))
        QVERIFY(progress.IsAnimated());
}

// A frame decoded on a screen of its own size has the pixels it has when
// decoded on the file's whole screen and cut out, transparent ones included.
void TestPicture::shippedAnimationFramesOnOwnScreen()
{
    QDirIterator gifs("pic", {"*.gif"}, QDir::Files, QDirIterator::Subdirectories);
    int frames = 0;
    while (gifs.hasNext())
    {
        QFile file(gifs.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const GifWalker::Bytes bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                     static_cast<std::size_t>(data.size()));
        for (GifWalker::GifFrame& frame : GifWalker::CutFrames(bytes))
        {
            const auto decode = [&frame] {
                return QImage::fromData(frame.Gif.data(), int(frame.Gif.size()), "GIF")
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            };
            const QImage onWholeScreen = decode().copy(frame.Left, frame.Top, frame.Width,
                                                       frame.Height);
            GifWalker::MoveToOwnScreen(frame);
            QVERIFY2(decode() == onWholeScreen, qPrintable(file.fileName()));
            ++frames;
        }
    }
    if (frames == 0)
        QSKIP("no animations in data/pic");
}

void TestPicture::sharedPictureFollowsScale_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QSize>("pixels");  // empty: no picture
    QTest::addColumn<int>("pixelRatio");
    QTest::addColumn<double>("aheadAt");  // DecodeAhead's ratio; 0: not decoded ahead
    QTest::newRow("1 x") << "face.bmp" << 1.0 << QSize(4, 3) << 1 << 0.0;
    QTest::newRow("2 x sibling") << "face.bmp" << 2.0 << QSize(8, 6) << 2 << 0.0;
    QTest::newRow("ratio between") << "face.bmp" << 1.5 << QSize(8, 6) << 2 << 0.0;
    QTest::newRow("no 2 x sibling") << "plain.bmp" << 2.0 << QSize(4, 3) << 1 << 0.0;
    QTest::newRow("missing") << "none.bmp" << 2.0 << QSize() << 0 << 0.0;
    QTest::newRow("corrupt") << "broken.gif" << 1.0 << QSize() << 0 << 0.0;
    QTest::newRow("2 x, decoded ahead") << "face.bmp" << 2.0 << QSize(8, 6) << 2 << 2.0;
    QTest::newRow("decoded ahead at 2 x, asked at 1 x")
        << "face.bmp" << 1.0 << QSize(4, 3) << 1 << 2.0;
    QTest::newRow("corrupt, decoded ahead") << "broken.gif" << 1.0 << QSize() << 0 << 1.0;
}

// The picture held at ratio 1, or decoded ahead for another ratio, is not
// handed out for this one; asked again while held, the same decoded picture
// comes back.
void TestPicture::sharedPictureFollowsScale()
{
    QFETCH(QString, file);
    QFETCH(double, ratio);
    QFETCH(QSize, pixels);
    QFETCH(int, pixelRatio);
    QFETCH(double, aheadAt);
    QTemporaryDir folder;
    QImage single(4, 3, QImage::Format_RGB32);
    single.fill(kRed);
    QVERIFY(single.save(folder.filePath("face.bmp")) && single.save(folder.filePath("plain.bmp")));
    QVERIFY(single.scaled(8, 6).save(folder.filePath("face@2x.png")));
    QFile broken(folder.filePath("broken.gif"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("GIF89a, then nothing") > 0);
    broken.close();

    const QString path = folder.filePath(file);
    if (aheadAt > 0)
        DecodeAhead(path, aheadAt);
    const auto atOne = SharedPicture(path, 1.0);
    const auto picture = SharedPicture(path, ratio);
    QCOMPARE(SharedPicture(path, ratio).get(), picture.get());
    if (pixels.isEmpty())
    {
        QVERIFY(!picture);
        CPictureEx control;
        QVERIFY(!control.Load(path));
        return;
    }
    QVERIFY(picture);
    QCOMPARE(picture->Still.size(), pixels);
    QCOMPARE(picture->PixelRatio, pixelRatio);
}

QTEST_MAIN(TestPicture)
#include "tst_Picture.moc"
