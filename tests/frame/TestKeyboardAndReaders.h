#pragma once
// The test class of tst_KeyboardAndReaders, opening each page as a keyboard or
// screen reader user meets it. tst_KeyboardAndReaders.cpp holds the focus,
// Enter, Tab, Alt+letter, the terms and what is seen (text and focus ring
// contrast); ReaderTests.cpp what assistive technology reads and hears.

#include "CTarnixConnectDlg.h"
#include "CWizardPage.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "WizardTestScope.h"

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(PageId)

// A column "id" with a row for every page a user can reach.
void AddEveryPage();
// The controls Tab reaches on the page.
QList<QWidget*> TabStops(QWidget* page);
// Notes every text a change event of a masked field carries to assistive
// technology, for the tests to read.
void RecordTexts(QAccessibleEvent* event);

class TestKeyboardAndReaders : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    QTemporaryDir m_home;
    std::unique_ptr<QDialog> m_page;

    CWizardPage* Open(PageId id)
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        if (id == PageId::Welcome)
            m_page = std::make_unique<CTarnixConnectDlg>(nullptr);
        else
            m_page = CreatePage(id, nullptr);
        m_page->show();
        m_page->activateWindow();
        if (!QTest::qWaitForWindowActive(m_page.get()))
            return nullptr;
        QCoreApplication::processEvents();
        return qobject_cast<CWizardPage*>(m_page.get());
    }

private slots:
    void initTestCase();
    void cleanup();
    void opensOnItsFirstFieldOrForwardButton_data();
    void opensOnItsFirstFieldOrForwardButton();
    void enterPressesTheForwardButton_data();
    void enterPressesTheForwardButton();
    void tabGoesRoundEveryControl_data();
    void tabGoesRoundEveryControl();
    void welcomeTabFollowsTheEye();
    void everyTextIsReadable_data();
    void everyTextIsReadable();
    void everyControlHasANameAndRole_data();
    void everyControlHasANameAndRole();
    void listsAreLabelledByTheirCaptions_data();
    void listsAreLabelledByTheirCaptions();
    void fieldsAreNamedByTheirCaptions_data();
    void fieldsAreNamedByTheirCaptions();
    void errorLabelsAreAnnounced_data();
    void errorLabelsAreAnnounced();
    void fieldsAreReadWhole_data();
    void fieldsAreReadWhole();
    void secretsNeverReachReaders_data();
    void secretsNeverReachReaders();
    void pagesAnnounceThemselves_data();
    void pagesAnnounceThemselves();
    void termsExplainThemselves_data();
    void termsExplainThemselves();
    void mnemonicsPressTheirButtons_data();
    void mnemonicsPressTheirButtons();
    void focusRingStandsOut_data();
    void focusRingStandsOut();
};
