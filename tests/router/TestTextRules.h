#pragma once
// The test class of tst_TextRules. tst_TextRules.cpp holds the text rules
// and the response buffer; RequestTextTests.cpp the request texts: templates,
// cookies, URLs and bodies.

#include <QByteArray>
#include <QObject>

#include <optional>
#include <string>

// A router text as bytes that QCOMPARE prints; "<not formed>" for one that
// was not formed.
inline QByteArray B(const std::string& text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

inline QByteArray B(const std::optional<std::string>& text)
{
    return text ? B(*text) : QByteArray("<not formed>");
}

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void routerAddress_data();
    void routerAddress();
    void extractSessionKey_data();
    void extractSessionKey();
    void textBetween_data();
    void textBetween();
    void escapeQueryValue_data();
    void escapeQueryValue();
    void serviceNames_data();
    void serviceNames();
    void fillTemplateRespectsBuffer();
    void cookieFormats();
    void wanSummaryUrl_data();
    void wanSummaryUrl();
    void pppoeUrlExact();
    void wirelessBasicUrl();
    void wirelessSecurityUrl_data();
    void wirelessSecurityUrl();
    void passwordAndLoginTexts();
    void overlongTextsAreNotFormed();
    void responseBufferGrowth();
    void responseBufferStopsAtItsLimit();
    void controlsReplaced_data();
    void controlsReplaced();
    void cutAtCharacter_data();
    void cutAtCharacter();
};
