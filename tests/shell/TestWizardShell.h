#pragma once
// The test class of tst_WizardShell, with the effects replaced: nothing is
// really opened, shown or ended. tst_WizardShell.cpp holds the page frame,
// the navigation rows and the chain of pages; ShellPageTests.cpp the rows of
// the install mode, success, disclaimer and light box pages.

#include "CQuicKOrFirstInstallDlg.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QStandardPaths>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <optional>

using Choice = CQuicKOrFirstInstallDlg::InstallChoice;

Q_DECLARE_METATYPE(PageId)

class TestWizardShell : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;

    template <typename Page>
    std::unique_ptr<Page> ShowPage()
    {
        auto page = std::make_unique<Page>(nullptr);
        page->show();
        return page;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        UnregisterAllPages();
        GetWizardSettings() = WizardSettings();
    }

    void cleanup()
    {
        m_scope.reset();
        QToolTip::hideText();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void frameBuildsTitleHeaderAndFixedSize();
    void backgroundFollowsInstallPath_data();
    void backgroundFollowsInstallPath();
    void bottomBarOpensItsPages_data();
    void bottomBarOpensItsPages();
    void exitQuestionOkEndsProgram_data();
    void exitQuestionOkEndsProgram();
    void welcomeExitClosesOnlyOnOk_data();
    void welcomeExitClosesOnlyOnOk();
    void welcomeCloseBoxEndsWithoutQuestion();
    void prevEndsPageAsAccepted();
    void welcomeStartOpensPreparations();
    void installModeRows_data();
    void installModeRows();
    void restoreOptionStartsHidden();
    void restoreOptionShownBackFromCreatePassword();
    void revealReachesNewestModePage();
    void successRows();
    void startBrowsingWithoutABrowserStays();
    void successTermTipsHaveTheirWidths_data();
    void successTermTipsHaveTheirWidths();
    void disclaimerCloseEndsOnlyIt();
    void lightBoxCloseOpensFreshIspPage();
    void closeBoxClosesChainDownToWelcome();
    void runWithoutFreezingKeepsResultAndState();
    void keysTypedDuringTheWaitAreKept();
    void unregisteredPageOpensNothing();
};
