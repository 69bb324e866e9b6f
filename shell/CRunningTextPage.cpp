#include "CRunningTextPage.h"

#include "AccessibleRoles.h"
#include "CLabel.h"
#include "CxSkinButton.h"
#include "RunInBackground.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

int Advance(const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(text);
}

// Room a label keeps beyond its text's advance, so no glyph's overhang is clipped.
constexpr int kGlyphOverhang = 2;

// Places labels one after the other on lines inside an area. The labels of a
// line share its baseline, whatever their fonts.
class TextFlow
{
public:
    explicit TextFlow(const QRect& area) : m_area(area), m_x(area.left()), m_top(area.top()) {}

    // A blank before the next piece, unless that piece starts a line.
    void SpaceBeforeNext(int width) { m_pendingSpace = width; }

    bool AtLineStart() const { return m_line.empty(); }

    // True when width more fits on this line after what is placed.
    bool Fits(int width) const { return m_x + m_pendingSpace + width <= m_area.right() + 1; }

    void Place(CLabel* label, int width)
    {
        if (!AtLineStart())
            m_x += m_pendingSpace;
        m_pendingSpace = 0;
        label->setWordWrap(false);
        label->setGeometry(m_x, m_top, width + kGlyphOverhang, label->fontMetrics().height());
        m_line.push_back(label);
        m_x += width;
    }

    void NewLine()
    {
        m_top += FinishLine();
        m_x = m_area.left();
        m_pendingSpace = 0;
    }

    TextFlowEnd End()
    {
        const int lineTop = m_top;
        const int lineEnd = m_x;
        const int height = FinishLine();
        return {QPoint(lineEnd, lineTop), height, lineTop + height, {}};
    }

private:
    // Aligns the line's baselines; returns the line's height.
    int FinishLine()
    {
        int ascent = 0;
        for (const CLabel* label : m_line)
            ascent = std::max(ascent, label->fontMetrics().ascent());
        int height = 0;
        for (CLabel* label : m_line)
        {
            const int shift = ascent - label->fontMetrics().ascent();
            label->move(label->x(), m_top + shift);
            height = std::max(height, shift + label->height());
        }
        m_line.clear();
        return height;
    }

    QRect m_area;
    int m_x;
    int m_top;
    int m_pendingSpace = 0;
    std::vector<CLabel*> m_line;
};

bool EndsWithSpace(const QString& text)
{
    return !text.isEmpty() && text.back().isSpace();
}

bool StartsWithSpace(const QString& text)
{
    return !text.isEmpty() && text.front().isSpace();
}

QString WithoutTrailingSpace(QString text)
{
    while (EndsWithSpace(text))
        text.chop(1);
    return text;
}

// The labels of a paragraph read as one piece: the first carries the whole
// text, terms included, the others are passed over, so a screen reader hears
// the paragraph whole and in order; each term is also a link of its own.
class ReadAsOne
{
public:
    void Add(CLabel* label)
    {
        if (m_first)
            HideFromAssistiveTechnology(label);
        else
            m_first = label;
    }

    void AddText(const QString& text, bool spaceBefore)
    {
        m_text += (spaceBefore ? " " : "") + text;
    }

    void End()
    {
        if (m_first)
            m_first->setAccessibleName(m_text.simplified());
        m_first = nullptr;
        m_text.clear();
    }

private:
    CLabel* m_first = nullptr;
    QString m_text;
};

}  // namespace

TextRun PlainRun(const QString& text, const LabelStyle& style)
{
    TextRun run;
    run.Text = text;
    run.Style = style;
    return run;
}

TextRun TermRun(const QString& term, const QString& tip, int tipWidth, int fontDivisor)
{
    return {term, kBodyStyle, tip, tipWidth, fontDivisor};
}

TextFlowEnd CRunningTextPage::AddRunningText(const std::vector<TextRun>& runs, const QRect& area)
{
    static const QRegularExpression wordWithBlanks("\\S+\\s*|\\s+");
    TextFlow flow(area);
    std::vector<CLabel*> terms;
    ReadAsOne paragraph;
    const TextRun* previous = nullptr;
    for (const TextRun& run : runs)
    {
        // A term's blanks separate it from its neighbours; they are not underlined.
        CLabel* label = run.Tip.isEmpty() ? AddLabel(QString(), QRect(), run.Style)
                                          : AddTerm(run.Text.trimmed(), run.Tip, QRect(),
                                                    run.TipWidth, run.TermFontDivisor);
        const QFontMetrics metrics = label->fontMetrics();
        const bool spaceBefore = previous && !EndsWithSpace(previous->Text)
                                 && !StartsWithSpace(run.Text);
        if (spaceBefore)
            flow.SpaceBeforeNext(Advance(metrics, " "));
        previous = &run;

        if (!run.Tip.isEmpty())
        {
            const int width = Advance(metrics, label->text());
            if (!flow.AtLineStart() && !flow.Fits(width))
                flow.NewLine();
            paragraph.AddText(run.Text, spaceBefore);
            flow.Place(label, width);
            terms.push_back(label);
            if (EndsWithSpace(run.Text))
                flow.SpaceBeforeNext(Advance(metrics, " "));
            continue;
        }
        // Plain text: one label per line, broken between words.
        paragraph.AddText(run.Text, spaceBefore);
        QString fragment;
        auto placeFragment = [&] {
            if (fragment.isEmpty())
                return;
            if (!label)
                label = AddLabel(QString(), QRect(), run.Style);
            label->setText(fragment);
            paragraph.Add(label);
            flow.Place(label, Advance(metrics, fragment));
            label = nullptr;
            fragment.clear();
        };
        for (const auto& match : wordWithBlanks.globalMatch(run.Text))
        {
            const QString word = match.captured();
            const QString candidate = fragment + word;
            const bool lineIsEmpty = fragment.isEmpty() && flow.AtLineStart();
            if (lineIsEmpty || flow.Fits(Advance(metrics, WithoutTrailingSpace(candidate))))
            {
                fragment = candidate;
                continue;
            }
            placeFragment();
            flow.NewLine();
            fragment = word.trimmed().isEmpty() ? QString() : word;
        }
        placeFragment();
        delete label;  // only when the run had no text to place
    }
    paragraph.End();
    TextFlowEnd end = flow.End();
    end.Terms = std::move(terms);
    return end;
}

int CRunningTextPage::AddParagraphs(const std::vector<std::vector<TextRun>>& paragraphs,
                                    const QRect& area, int gap)
{
    int top = area.top();
    for (const std::vector<TextRun>& paragraph : paragraphs)
        top = AddRunningText(paragraph, area.adjusted(0, top - area.top(), 0, 0)).Bottom + gap;
    return top - gap;
}

CLabel* CRunningTextPage::AddStatusLine(int top)
{
    constexpr int kTwoLinesHigh = 44;
    CLabel* line = AddLabel(QString(),
                            QRect(kTextColumnRect.left(), top + 2 * kParagraphGap,
                                  kTextColumnRect.width(), kTwoLinesHigh),
                            kBoldBodyStyle);
    line->setWordWrap(true);
    return line;
}

void CRunningTextPage::KeepStatusFresh(CLabel* line, std::chrono::milliseconds period,
                                       std::function<QString()> read, std::function<void()> shown)
{
    auto* timer = new QTimer(this);
    timer->setInterval(period);
    auto reading = std::make_shared<bool>(false);
    auto readNow = [line, read, shown, reading] {
        *reading = true;
        RunInBackground(line, read, [line, shown, reading](const QString& text) {
            *reading = false;
            line->setText(text);
            if (shown)
                shown();
        });
    };
    // A page covered by the next one has no one to tell.
    auto refresh = [this, readNow, reading] {
        const CWizardPage* top = TopPage();
        if (!*reading && (!top || top == this))
            readNow();
    };
    connect(timer, &QTimer::timeout, this, refresh);
    timer->start();
    // The page is being built, not yet on top: the first read starts now.
    readNow();
}
