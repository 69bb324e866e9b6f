#pragma once
// A page whose texts run as sentences: plain words, bold words and
// hover terms follow each other on the same line and wrap together, so a
// term reads as a word inside its sentence.

#include "CWizardPage.h"

#include <QPoint>

#include <chrono>
#include <functional>
#include <vector>

// Body text beside a background's illustration, inside the panel's margin,
// and the space between its paragraphs.
inline constexpr QRect kTextColumnRect = PageLayout::kTextBesideIllustrationRect.adjusted(16, 16,
                                                                                          -16, -16);
inline constexpr int kParagraphGap = 12;

// One piece of a sentence: plain text in a style, or a hover term.
struct TextRun
{
    QString Text;
    LabelStyle Style = kBodyStyle;
    QString Tip;  // not empty: Text is a hover term with this tip
    int TipWidth = kDefaultTipWidth;
    int TermFontDivisor = 4;
};

TextRun PlainRun(const QString& text, const LabelStyle& style = kBodyStyle);
TextRun TermRun(const QString& term, const QString& tip, int tipWidth = kDefaultTipWidth,
                int fontDivisor = 4);

// Where a laid-out paragraph ended.
struct TextFlowEnd
{
    QPoint LineEnd;  // right after the last piece, at the top of its line
    int LineHeight = 0;
    int Bottom = 0;              // below the last line
    std::vector<CLabel*> Terms;  // the hover terms placed, in order
};

class CRunningTextPage : public CWizardPage
{
    Q_OBJECT

public:
    using CWizardPage::CWizardPage;

protected:
    // Lays runs out as one paragraph from area's top left, wrapping at its
    // right edge. Two runs that meet without white space get a blank between
    // them. Plain runs become one label per line they occupy.
    TextFlowEnd AddRunningText(const std::vector<TextRun>& runs, const QRect& area);
    // Paragraphs one below the other, gap pixels apart; returns the bottom.
    int AddParagraphs(const std::vector<std::vector<TextRun>>& paragraphs, const QRect& area,
                      int gap);
    // An empty bold line, wrapping to two, across the text column below top,
    // for what the page reads from the router or the computer.
    CLabel* AddStatusLine(int top);
    // Keeps line showing what read returns: read runs off the user-interface
    // thread now and every period while this page is on top (a slow read is
    // not stacked up); shown is called after each text is set. read must not
    // touch the page.
    void KeepStatusFresh(CLabel* line, std::chrono::milliseconds period,
                         std::function<QString()> read, std::function<void()> shown = {});
};
