#pragma once
// Driving the connection pages like a user: keys go to the widget that has
// the focus, lists are moved with the keyboard, fields are clicked into.

#include "FakeEffects.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CIpAddressField;
class QComboBox;
class QLineEdit;
class QWidget;

namespace ConnectionTest {

// Shows the page and waits until it has the keyboard.
bool ShowActive(QWidget* page);
// Clicks into the field, replaces its text by typing, and leaves the focus there.
void TypeInto(QLineEdit* field, const QString& text);
// Clicks into the first part and types, "." included ("10.1" or "192.168.1.1").
void TypeAddress(CIpAddressField* field, const QString& text);
// Keys typed at whatever has the focus.
void TypeAtFocus(const QString& text);
// Moves the closed list to index with Home and Down, as on a keyboard.
void SelectInList(QComboBox* list, int index);
// The setting fields these pages write, as text, for comparisons.
QStringList ConnectionSettings();
// Values no page would show at its start, to see that pages start from their own defaults.
void FillSettingsWithMarkers();

// A fresh page for one test, over recorded effects and marked settings, on the
// installation path given (it picks the page's background). The scope puts
// back every process-wide value the test changes.
template <typename Page>
bool OpenFresh(std::unique_ptr<Page>& page, std::optional<WizardTestScope>& scope,
               FakeEffects& effects, bool firstInstallPath)
{
    effects = FakeEffects();
    scope.emplace(&effects);
    FillSettingsWithMarkers();
    GetWizardSettings().FirstInstallPath = firstInstallPath;
    page = std::make_unique<Page>(nullptr);
    return ShowActive(page.get());
}

// Ends the test's page, then its scope.
template <typename Page>
void CloseAndReset(std::unique_ptr<Page>& page, std::optional<WizardTestScope>& scope)
{
    page.reset();
    scope.reset();
}

}  // namespace ConnectionTest
