// The GIF block walker: frame counting, cutting, graphic control values and
// the bounds checks on truncated or hostile data.

#include "GifBuilder.h"
#include "GifWalker.h"

#include <QRect>
#include <QTest>

#include <algorithm>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

const std::vector<std::uint32_t> kColours{0xFF0000, 0x00FF00, 0x0000FF};

std::size_t PrefixSize()
{
    return 13 + 768;
}

}  // namespace

class TestGifWalker : public QObject
{
    Q_OBJECT

private slots:
    void countsFrames_data();
    void countsFrames();
    void readsDelaysAndDisposal_data();
    void readsDelaysAndDisposal();
    void frameWithoutControlHasNoDelay();
    void cutFrameIsStandAloneGif();
    void commentBetweenControlAndImageStaysInFrame();
    void truncatedDataKeepsEarlierFrames();
    void waitForDelay_data();
    void waitForDelay();
};

void TestGifWalker::countsFrames_data()
{
    QTest::addColumn<Bytes>("data");
    QTest::addColumn<int>("frames");

    QTest::newRow("one frame") << GifBuilder(4, 4, kColours).Image(0, 0, 4, 4, 0).Bytes() << 1;
    QTest::newRow("three frames") << GifBuilder(8, 8, kColours)
                                         .Loop()
                                         .Control(1, 10)
                                         .Image(0, 0, 8, 8, 0)
                                         .Control(2, 20)
                                         .Image(1, 2, 3, 4, 1)
                                         .Image(4, 4, 2, 2, 2)
                                         .Bytes()
                                  << 3;
    QTest::newRow("version 87a") << GifBuilder(4, 4, kColours, "87a").Image(0, 0, 4, 4, 0).Bytes()
                                 << 1;
    QTest::newRow("unknown version") << GifBuilder(4, 4, kColours, "x9?")
                                            .Control(0, 5)
                                            .Image(0, 0, 4, 4, 0)
                                            .Image(0, 0, 2, 2, 1)
                                            .Bytes()
                                     << 2;
    QTest::newRow("no image") << GifBuilder(4, 4, kColours).Loop().Comment("empty").Bytes() << 0;
    QTest::newRow("header only") << Bytes{'G', 'I', 'F', '8', '9', 'a'} << 0;
    QTest::newRow("not a gif") << Bytes{'B', 'M', 0, 0} << 0;

    Bytes unknownBlock = GifBuilder(4, 4, kColours).Image(0, 0, 4, 4, 0).Unfinished();
    unknownBlock.push_back(0x99);
    unknownBlock.push_back(0x2C);
    QTest::newRow("unknown block ends the walk") << unknownBlock << 1;

    Bytes tableTooBig = GifBuilder(4, 4, kColours).Image(0, 0, 4, 4, 0).Bytes();
    tableTooBig.resize(PrefixSize() - 10);
    QTest::newRow("global table past the end") << tableTooBig << 0;

    Bytes localTable = GifBuilder(4, 4, kColours).Image(0, 0, 4, 4, 0).Bytes();
    localTable[PrefixSize() + 9] = 0x87;  // claims a 768-byte local table the file lacks
    QTest::newRow("local table past the end") << localTable << 0;
}

void TestGifWalker::countsFrames()
{
    QFETCH(Bytes, data);
    QFETCH(int, frames);
    QCOMPARE(GifWalker::CountFrames(data), std::size_t(frames));
    QCOMPARE(GifWalker::CutFrames(data).size(), std::size_t(frames));
}

void TestGifWalker::readsDelaysAndDisposal_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("disposal");
    for (int delay : {0, 4, 5, 100, 65535})
        QTest::addRow("delay %d", delay) << delay << 1;
    for (int disposal = 0; disposal < 8; ++disposal)
        QTest::addRow("disposal %d", disposal) << 10 << disposal;
}

void TestGifWalker::readsDelaysAndDisposal()
{
    QFETCH(int, delay);
    QFETCH(int, disposal);
    const Bytes data = GifBuilder(8, 8, kColours)
                           .Control(0, 7)
                           .Image(0, 0, 8, 8, 0)
                           .Control(disposal, delay, 2)
                           .Image(2, 3, 4, 5, 1)
                           .Bytes();
    const auto frames = GifWalker::CutFrames(data);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[0].Delay, 7u);
    QCOMPARE(frames[1].Delay, unsigned(delay));
    QCOMPARE(frames[1].Disposal, disposal);
    QCOMPARE(QRect(frames[1].Left, frames[1].Top, frames[1].Width, frames[1].Height),
             QRect(2, 3, 4, 5));
}

void TestGifWalker::frameWithoutControlHasNoDelay()
{
    const Bytes data =
        GifBuilder(8, 8, kColours).Image(0, 0, 8, 8, 0).Control(2, 9).Image(0, 0, 1, 1, 1).Bytes();
    const auto frames = GifWalker::CutFrames(data);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[0].Delay, GifWalker::kNoDelay);
    QCOMPARE(frames[0].Disposal, 0);
    QCOMPARE(frames[1].Delay, 9u);
}

void TestGifWalker::cutFrameIsStandAloneGif()
{
    GifBuilder builder(8, 8, kColours);
    builder.Loop().Control(1, 10).Image(0, 0, 8, 8, 0);
    const std::size_t secondStart = builder.Unfinished().size();
    builder.Control(2, 20).Image(1, 2, 3, 4, 1);
    const Bytes file = builder.Bytes();

    const auto frames = GifWalker::CutFrames(file);
    QCOMPARE(frames.size(), std::size_t(2));
    Bytes expected(file.begin(), file.begin() + PrefixSize());
    expected.insert(expected.end(), file.begin() + secondStart,
                    file.end());  // ends with the trailer
    QVERIFY(frames[1].Gif == expected);
}

void TestGifWalker::commentBetweenControlAndImageStaysInFrame()
{
    GifBuilder builder(8, 8, kColours);
    builder.Control(1, 10).Image(0, 0, 8, 8, 0);
    const std::size_t secondStart = builder.Unfinished().size();
    builder.Control(3, 40).Comment("between").Image(1, 1, 2, 2, 1);
    const Bytes file = builder.Bytes();

    const auto frames = GifWalker::CutFrames(file);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[1].Delay, 40u);
    QCOMPARE(frames[1].Disposal, 3);
    QCOMPARE(frames[1].Width, 2);
    QCOMPARE(frames[1].Gif.size(), PrefixSize() + (file.size() - secondStart));
}

// Every cut of a valid file: the walk stops at the cut and keeps exactly the
// frames that end before it. Under the sanitizers this also shows that no read
// passes the end.
void TestGifWalker::truncatedDataKeepsEarlierFrames()
{
    GifBuilder builder(8, 8, kColours);
    builder.Loop();
    std::vector<std::size_t> frameEnds;
    builder.Control(1, 10).Image(0, 0, 8, 8, 0);
    frameEnds.push_back(builder.Unfinished().size());
    builder.Control(2, 20).Comment("note").Image(1, 2, 3, 4, 1);
    frameEnds.push_back(builder.Unfinished().size());
    builder.Image(4, 4, 2, 2, 2);
    frameEnds.push_back(builder.Unfinished().size());
    const Bytes file = builder.Bytes();

    for (std::size_t length = 0; length <= file.size(); ++length)
    {
        const Bytes cut(file.begin(), file.begin() + length);
        const auto whole = std::count_if(frameEnds.begin(), frameEnds.end(),
                                         [length](std::size_t end) { return end <= length; });
        QCOMPARE(GifWalker::CountFrames(cut), std::size_t(whole));
        QCOMPARE(GifWalker::CutFrames(cut).size(), std::size_t(whole));
    }
}

void TestGifWalker::waitForDelay_data()
{
    QTest::addColumn<unsigned>("delay");
    QTest::addColumn<unsigned>("milliseconds");
    QTest::newRow("0") << 0u << 100u;
    QTest::newRow("4") << 4u << 100u;
    QTest::newRow("5") << 5u << 50u;
    QTest::newRow("100") << 100u << 1000u;
    QTest::newRow("no delay") << GifWalker::kNoDelay << 100u;
}

void TestGifWalker::waitForDelay()
{
    QFETCH(unsigned, delay);
    QFETCH(unsigned, milliseconds);
    QCOMPARE(GifWalker::FrameWaitMs(delay), milliseconds);
}

QTEST_APPLESS_MAIN(TestGifWalker)
#include "tst_GifWalker.moc"
