#pragma once
// The test class of tst_GuidePages. tst_GuidePages.cpp holds the join-wireless
// and troubleshooting guides and printing; RestorePageTests.cpp the restore
// page reading the router emulator and saving the security settings file.

#include "CIpLink.h"
#include "CRestoreConfiguration.h"
#include "FakeEffects.h"
#include "RouterSim.h"
#include "WizardTestScope.h"

#include <QObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

class TestGuidePages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_router;

    QString Desktop() const { return m_temp.filePath("home/Desktop"); }
    QString SettingsFile() const
    {
        return Desktop() + "/ Important security settings Keep safe do not delete.txt";
    }

    // A restore page that has read the router at address.
    std::unique_ptr<CRestoreConfiguration> OpenRestorePage(const std::string& address)
    {
        GetRouterLink()->SetRouterAddress(address);
        auto page = std::make_unique<CRestoreConfiguration>(nullptr);
        QSignalSpy read(page.get(), &CRestoreConfiguration::SettingsRead);
        page->show();
        if (!read.wait(25000))
            return nullptr;
        return page;
    }

    std::unique_ptr<CRestoreConfiguration> OpenRestorePageOnSim(const std::string& ssid,
                                                                const std::string& key)
    {
        SimRouterState state = m_router.State();
        state.Ssid = ssid;
        state.Key = key;
        m_router.SetState(state);
        return OpenRestorePage(m_router.Address());
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void joinGuideShowsTheChoices_data();
    void joinGuideShowsTheChoices();
    void guideStaysReadableUnderADarkTheme_data();
    void guideStaysReadableUnderADarkTheme();
    void guidesSpeakOfThisDesktop_data();
    void guidesSpeakOfThisDesktop();
    void troubleGuideShowsItsPictures();
    void troubleExitClosesOnlyItself();
    void joinExitAsksAndEndsTheProgram();
    void printsEachGuide_data();
    void printsEachGuide();
    void missingTemplatesLeaveTheGuideBlank();
    void restoreShowsWhatTheRouterHolds_data();
    void restoreShowsWhatTheRouterHolds();
    void routerTextCannotForgeFileLines();
    void restoreWithoutAnAnsweringRouter();
    void nextWritesTheFileOnlyWhenTicked();
    void savingSaysWhereOrWhy_data();
    void savingSaysWhereOrWhy();
    void readingTheRouterKeepsThePagePainting();
};
