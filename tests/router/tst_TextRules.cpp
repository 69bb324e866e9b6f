// The router link's text rules, escaping, buffer limits and request texts.

#include "ResponseBuffer.h"
#include "RouterAddress.h"
#include "TestTextRules.h"
#include "TextRules.h"

#include <QtTest>

namespace {

std::string S(const QByteArray& bytes)
{
    return bytes.toStdString();
}

}  // namespace

void TestTextRules::extractSessionKey_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("script") << QByteArray("<script>var sessionKey = '123456';</script>")
                            << QByteArray("123456");
    QTest::newRow("first marker wins")
        << QByteArray("x sessionKey='1' sessionKey='2'") << QByteArray("1");
    QTest::newRow("marker at start") << QByteArray("sessionKey = '1';") << QByteArray();
    QTest::newRow("no marker") << QByteArray("<html>no key</html>") << QByteArray();
    QTest::newRow("no apostrophe") << QByteArray("x sessionKey = 42;") << QByteArray();
    QTest::newRow("no closing apostrophe")
        << QByteArray("x sessionKey = '42;") << QByteArray("42;");
    QTest::newRow("empty key") << QByteArray("x sessionKey = '';") << QByteArray();
}

void TestTextRules::extractSessionKey()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, key);
    QCOMPARE(B(ExtractSessionKey(S(page))), key);
}

void TestTextRules::textBetween_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("middle") << QByteArray("a<b>c</b>") << QByteArray("<b>") << QByteArray("</b>")
                            << QByteArray("c");
    QTest::newRow("start at 0") << QByteArray("<td>5</td>") << QByteArray("<td>")
                                << QByteArray("</td>") << QByteArray("5");
    QTest::newRow("end missing") << QByteArray("<td>5") << QByteArray("<td>") << QByteArray("</td>")
                                 << QByteArray();
    QTest::newRow("start missing")
        << QByteArray("5</td>") << QByteArray("<td>") << QByteArray("</td>") << QByteArray();
    QTest::newRow("end only before start")
        << QByteArray("</td><td>5") << QByteArray("<td>") << QByteArray("</td>") << QByteArray();
}

void TestTextRules::textBetween()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QFETCH(QByteArray, result);
    QCOMPARE(B(TextBetween(S(source), S(start), S(end))), result);
}

void TestTextRules::escapeQueryValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("escaped");
    QTest::newRow("blank") << QByteArray("My Network") << QByteArray("My%20Network");
    QTest::newRow("table") << QByteArray("%&+=?#") << QByteArray("%25%26%2B%3D%3F%23");
    QTest::newRow("controls") << QByteArray("a\x01\tb\x7f", 5) << QByteArray("a%01%09b%7F");
    QTest::newRow("nul") << QByteArray("a\0b", 3) << QByteArray("a%00b");
    QTest::newRow("cr lf") << QByteArray("a\r\nb") << QByteArray("a%0D%0Ab");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9") << QByteArray("caf%C3%A9");
    QTest::newRow("kept") << QByteArray("Az09-_.~!*'()/:;@,$") << QByteArray("Az09-_.~!*'()/:;@,$");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestTextRules::escapeQueryValue()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, escaped);
    QCOMPARE(B(EscapeQueryValue(S(value))), escaped);
}

void TestTextRules::serviceNames_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("three entries") << QByteArray(
        " = 'pppoe_0_8_35}EoA}8/35|,|br_0_0_100}EoA}0/100|,|mer_0_1_32}EoA}1/32';\nvar ")
                                   << QStringList{"pppoe_0_8_35", "br_0_0_100", "mer_0_1_32"};
    QTest::newRow("13 characters")
        << QByteArray("'a}|,|pppoa_0_0_100}PPPoA}0/100'") << QStringList{"a", "pppoa_0_0_100"};
    QTest::newRow("one entry") << QByteArray(" = 'pppoa_0_0_100}x';")
                               << QStringList{"pppoa_0_0_100"};
    QTest::newRow("empty list") << QByteArray(" = '';\nvar ") << QStringList{};
    QTest::newRow("no apostrophe") << QByteArray("br_0_0_100}") << QStringList{};
    QTest::newRow("entry without name")
        << QByteArray("'}EoA|,|br_0_0_100}|,|no brace") << QStringList{"br_0_0_100"};
    QTest::newRow("brace only later") << QByteArray("'first|,|second}") << QStringList{"second"};
}

void TestTextRules::serviceNames()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, names);
    QStringList found;
    for (const std::string& name : ServiceNamesInList(S(list)))
        found << QString::fromStdString(name);
    QCOMPARE(found, names);
}

void TestTextRules::responseBufferGrowth()
{
    ResponseBuffer buffer;
    QCOMPARE(buffer.Text(), std::string());
    const std::string chunk(16384, 'a');
    QVERIFY(buffer.Append(chunk.data(), chunk.size()));
    QCOMPARE(buffer.Capacity(), std::size_t(100001));
    std::size_t growths = 0;
    std::size_t expected = 0;
    while (buffer.Length() + chunk.size() <= 150000)
    {
        const std::size_t before = buffer.Capacity();
        if (buffer.Length() + chunk.size() + 1 > before)
            expected = 2 * (buffer.Length() + chunk.size()) + 1;
        QVERIFY(buffer.Append(chunk.data(), chunk.size()));
        growths += buffer.Capacity() != before;
    }
    QCOMPARE(growths, std::size_t(1));
    QCOMPARE(buffer.Capacity(), expected);
    QCOMPARE(buffer.Text().size(), buffer.Length());

    ResponseBuffer withNul;
    QVERIFY(withNul.Append("ab\0cd", 5));
    QCOMPARE(withNul.Length(), std::size_t(5));
    QCOMPARE(withNul.Text(), std::string("ab"));
}

// One rule for the wizard's and tarnix-setup's --router: what becomes the host
// part of a URL must not carry a path, user part, query or space.
void TestTextRules::routerAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("factory address") << "192.168.1.1" << true;
    QTest::newRow("name with port") << "router-sim.local:8080" << true;
    QTest::newRow("lowest port") << "127.0.0.1:1" << true;
    QTest::newRow("highest port") << "127.0.0.1:65535" << true;
    QTest::newRow("bracketed IPv6 with port") << "[::1]:8080" << true;
    QTest::newRow("bracketed IPv6") << "[fe80::1]" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("port zero") << "127.0.0.1:0" << false;
    QTest::newRow("port too big") << "127.0.0.1:70000" << false;
    QTest::newRow("port of six digits") << "127.0.0.1:000080" << false;
    QTest::newRow("empty port") << "127.0.0.1:" << false;
    QTest::newRow("no host") << ":8080" << false;
    QTest::newRow("two ports") << "127.0.0.1:80:81" << false;
    QTest::newRow("bare IPv6") << "::1" << false;
    QTest::newRow("empty brackets") << "[]" << false;
    QTest::newRow("path") << "127.0.0.1/x" << false;
    QTest::newRow("user part") << "user@127.0.0.1" << false;
    QTest::newRow("query") << "127.0.0.1?a=1" << false;
    QTest::newRow("space") << "127.0.0.1 " << false;
}

void TestTextRules::routerAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, accepted);
    QCOMPARE(IsRouterAddress(address.toStdString()), accepted);
}

// Past the limit every chunk is refused, whole; the storage never grows
// beyond the limit and its NUL, however the doubling rule would have grown it.
void TestTextRules::responseBufferStopsAtItsLimit()
{
    QCOMPARE(kMaxAnswerBytes, std::size_t(4 * 1024 * 1024));
    ResponseBuffer buffer;
    const std::string chunk(300000, 'a');
    while (buffer.Append(chunk.data(), chunk.size()))
        QVERIFY(buffer.Capacity() <= kMaxAnswerBytes + 1);
    QCOMPARE(buffer.Length(), kMaxAnswerBytes / chunk.size() * chunk.size());
    QVERIFY(
        buffer.Append(chunk.data(), kMaxAnswerBytes - buffer.Length()));  // exactly to the limit
    QCOMPARE(buffer.Length(), kMaxAnswerBytes);
    QVERIFY(!buffer.Append("b", 1));
    QCOMPARE(buffer.Capacity(), kMaxAnswerBytes + 1);
    QCOMPARE(buffer.Text().size(), kMaxAnswerBytes);

    ResponseBuffer small(10);
    QVERIFY(!small.Append(chunk.data(), 11));
    QCOMPARE(small.Length(), std::size_t(0));
    QVERIFY(small.Append(chunk.data(), 10));
    QCOMPARE(small.Capacity(), std::size_t(11));
}

void TestTextRules::controlsReplaced_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("plain") << QByteArray("Home Net 5G") << QByteArray("Home Net 5G");
    QTest::newRow("escape sequence retitling a terminal")
        << QByteArray("\x1b]0;owned\x07\x1b[2JNet") << QByteArray("?]0;owned??[2JNet");
    QTest::newRow("line break forging a line")
        << QByteArray("Net\r\nPassword:x") << QByteArray("Net??Password:x");
    QTest::newRow("NUL, tab and DEL") << QByteArray("a\0b\tc\x7f", 6) << QByteArray("a?b?c?");
    QTest::newRow("C1 control as UTF-8 (CSI)") << QByteArray("a\xc2\x9b"
                                                             "2Jb")
                                               << QByteArray("a?2Jb");
    QTest::newRow("UTF-8 letters kept") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb6")
                                        << QByteArray("Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb6");
    QTest::newRow("no-break space kept") << QByteArray("a\xc2\xa0"
                                                       "b")
                                         << QByteArray("a\xc2\xa0"
                                                       "b");
    QTest::newRow("lone 8-bit CSI") << QByteArray("a\x9b"
                                                  "2J")
                                    << QByteArray("a?2J");
    QTest::newRow("Latin-1 byte") << QByteArray("Caf\xe9") << QByteArray("Caf?");
    QTest::newRow("cut sequence at the end") << QByteArray("ab\xe2\x82") << QByteArray("ab??");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QByteArray("??");
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QByteArray("???");
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QByteArray("????");
}

void TestTextRules::controlsReplaced()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, shown);
    QCOMPARE(QByteArray::fromStdString(ControlsReplaced(text.toStdString())), shown);
}

void TestTextRules::cutAtCharacter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QByteArray>("cut");
    QTest::newRow("short enough") << QByteArray("abc") << 32 << QByteArray("abc");
    QTest::newRow("32 of 40") << QByteArray(40, 'n') << 32 << QByteArray(32, 'n');
    QTest::newRow("character across the cut is left out")
        << QByteArray("abc\xe2\x82\xac") << 4 << QByteArray("abc");
    QTest::newRow("character ending at the cut is kept")
        << QByteArray("ab\xc3\xa9z") << 4 << QByteArray("ab\xc3\xa9");
    QTest::newRow("four-byte character") << QByteArray("\xf0\x9f\x93\xb6x") << 3 << QByteArray();
    QTest::newRow("continuation bytes only")
        << QByteArray("\x80\x80\x80\x80\x80\x80") << 5 << QByteArray("\x80\x80");
}

void TestTextRules::cutAtCharacter()
{
    QFETCH(QByteArray, text);
    QFETCH(int, maxBytes);
    QFETCH(QByteArray, cut);
    QCOMPARE(QByteArray::fromStdString(CutAtCharacter(text.toStdString(), std::size_t(maxBytes))),
             cut);
}

QTEST_GUILESS_MAIN(TestTextRules)
