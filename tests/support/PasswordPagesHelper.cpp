#include "PasswordPagesHelper.h"

#include "CIpLink.h"
#include "CLabel.h"
#include "PageLayout.h"
#include "PrimeRouterLink.h"
#include "RouterSim.h"
#include "WizardOptions.h"
#include "WizardSettings.h"

#include <QApplication>
#include <QHelpEvent>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>

#include <algorithm>

namespace PasswordPagesTest {

namespace {

// The labels the page itself added, in the order it added them (reading order).
QList<CLabel*> BodyLabels(const QWidget* page)
{
    QList<CLabel*> labels;
    // Above the content panel are the frame's header and heading.
    for (CLabel* label : page->findChildren<CLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (label->y() >= PageLayout::kContentRect.top())
            labels << label;
    return labels;
}

}  // namespace

QString WithoutSpaces(QString text)
{
    text.remove(QRegularExpression("\\s"));
    return text;
}

QString PageText(const QWidget* page)
{
    QString text;
    for (const CLabel* label : BodyLabels(page))
        text += label->text();
    return WithoutSpaces(text);
}

CLabel* FindTerm(const QWidget* page, const QString& term, int nth)
{
    QList<CLabel*> terms;
    for (CLabel* label : BodyLabels(page))
        if (label->text() == term && !label->toolTip().isEmpty())
            terms << label;
    std::stable_sort(terms.begin(), terms.end(),
                     [](const CLabel* a, const CLabel* b) { return a->y() < b->y(); });
    return nth < terms.size() ? terms.at(nth) : nullptr;
}

QString TipShownFor(CLabel* term)
{
    QToolTip::hideText();
    const QPoint inside = term->rect().center();
    QTest::mouseMove(term, inside);
    QHelpEvent rest(QEvent::ToolTip, inside, term->mapToGlobal(inside));
    QApplication::sendEvent(term, &rest);
    const QString shown = QToolTip::text();
    QToolTip::hideText();
    return shown;
}

QStringList PasswordSettings()
{
    const WizardSettings& s = GetWizardSettings();
    return {s.FirstInstallPath ? "first install" : "quick install",
            QString::fromStdString(s.RouterPassword),
            QString::fromStdString(s.NewRouterPassword),
            QString::fromStdU16String(s.NewRouterPasswordW),
            s.PasswordChangeRequested ? "change" : "no change",
            s.RouterPasswordChanged ? "changed" : "not changed",
            QString::fromStdString(s.PasswordAfterChange)};
}

void FillPasswordSettingsWithMarkers()
{
    WizardSettings& s = GetWizardSettings();
    s.FirstInstallPath = false;
    s.RouterPassword = "earlier-router";
    s.NewRouterPassword = "earlier-new";
    s.NewRouterPasswordW = u"earlier-new-wide";
    s.PasswordChangeRequested = false;
}

bool StartEmulator(RouterSim& sim)
{
    if (sim.Start(0) <= 0)
        return false;
    GetWizardOptions().RouterAddress = sim.Address();
    PrimeRouterLink(*GetRouterLink());
    return true;
}

std::size_t LoginAttempts(const RouterSim& sim)
{
    const std::vector<SimRequest> requests = sim.RequestsTo("/index.html");
    return std::count_if(requests.begin(), requests.end(),
                         [](const SimRequest& request) { return request.Method == "POST"; });
}

std::size_t PasswordChanges(const RouterSim& sim)
{
    return sim.RequestsTo("/password.cgi").size();
}

}  // namespace PasswordPagesTest
