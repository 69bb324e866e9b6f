#pragma once
// Reading the checklist and router password pages as a user sees them, and
// pointing the wizard at the router emulator.

#include <QString>
#include <QStringList>

#include <cstddef>

class CLabel;
class QWidget;
class RouterSim;

namespace PasswordPagesTest {

// The page's own texts in reading order, white space removed, so sentences
// can be compared whatever the lines they were broken into.
QString PageText(const QWidget* page);
// The same for an expected text.
QString WithoutSpaces(QString text);

// The nth hover term (top to bottom) showing term.
CLabel* FindTerm(const QWidget* page, const QString& term, int nth = 0);
// Rests the mouse on the term and returns the tip that shows.
QString TipShownFor(CLabel* term);

// The settings fields the checklist and password pages write, as text.
QStringList PasswordSettings();
// Values no page would write, to see what a page leaves alone.
void FillPasswordSettingsWithMarkers();

// Points the options and the router link at the emulator with the factory
// login; false when the emulator did not start.
bool StartEmulator(RouterSim& sim);
// Login forms posted to the emulator.
std::size_t LoginAttempts(const RouterSim& sim);
// Password change requests the emulator received.
std::size_t PasswordChanges(const RouterSim& sim);

}  // namespace PasswordPagesTest
