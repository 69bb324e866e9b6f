#pragma once
// The test class of tst_ChecklistPages. tst_ChecklistPages.cpp holds the
// preparations page, the pages' texts and what leaving a page writes;
// CablingPageTests.cpp the power, Ethernet and DSL line pages: their terms,
// their layout, NEXT and the DSL line page's login test.

#include "CWizardPage.h"
#include "FakeEffects.h"
#include "FixedHostNetwork.h"
#include "PageRegistry.h"
#include "RouterSim.h"
#include "WizardTestScope.h"

#include <QObject>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(PageId)

inline std::unique_ptr<QDialog> MakePage(PageId id)
{
    return CreatePage(id, nullptr);
}

class TestChecklistPages : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_sim;
    FixedHostNetwork m_network;  // no adapters, whatever this machine has

    static CWizardPage* Page(const std::unique_ptr<QDialog>& dialog)
    {
        return static_cast<CWizardPage*>(dialog.get());
    }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void everyPageIsRegisteredUnderItsId();
    void preparationsNeedAllThreeBoxes_data();
    void preparationsNeedAllThreeBoxes();
    void preparationsTickingTheLastBoxLetsNextThrough();
    void preparationsStartUntickedEachTime();
    void preparationsTermsShowTheirTips();
    void pagesShowTheirTexts_data();
    void pagesShowTheirTexts();
    void cablingTermsShowTheirTips_data();
    void cablingTermsShowTheirTips();
    void cablingTextsStayBesideTheIllustration_data();
    void cablingTextsStayBesideTheIllustration();
    void nextOpensTheFollowingPage_data();
    void nextOpensTheFollowingPage();
    void leavingWritesNothing_data();
    void leavingWritesNothing();
    void keyboardFollowsTheReadingOrder();
    void dslLineLoginPicksThePasswordPage_data();
    void dslLineLoginPicksThePasswordPage();
    void dslLineEnterPressesNext();
};
