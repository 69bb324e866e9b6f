// Every page driven as a keyboard user and a screen reader user meet it:
// where the focus is when it opens, what Enter, Tab and Alt+letter do, the
// focus ring's contrast, the names and roles assistive technology reads, how
// pages and refusals are announced, and that no secret reaches it.

#include "CFocusRing.h"
#include "CIpAddressField.h"
#include "CPictureEx.h"
#include "TestKeyboardAndReaders.h"
#include "TextContrast.h"
#include "WizardOptions.h"
#include "WizardUnderTest.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

// Every page a user can reach, by id.
const PageId kEveryPage[] = {
    PageId::Welcome,
    PageId::Preparations,
    PageId::InstallMode,
    PageId::Power,
    PageId::Ethernet,
    PageId::DslLine,
    PageId::CreatePassword,
    PageId::ExistingPassword,
    PageId::ResetInstructions,
    PageId::IspAndPvc,
    PageId::IspAccount,
    PageId::StaticIp,
    PageId::Wireless,
    PageId::Apply,
    PageId::Success,
    PageId::ErrorLightBox,
    PageId::JoinWireless,
    PageId::Troubleshooting,
    PageId::RestoreConfiguration,
    PageId::Disclaimer,
};

// What Tab reaches on the page, as Qt decides it.
bool IsTabStop(const QWidget* widget, const QWidget* page)
{
    return widget->window() == page && widget->isVisible() && widget->isEnabled()
           && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

// The control that holds the focus (an address field for one of its parts).
QWidget* FocusedControl()
{
    QWidget* focused = QApplication::focusWidget();
    if (auto* field = qobject_cast<CIpAddressField*>(focused ? focused->parentWidget() : nullptr))
        return field;
    return focused;
}

QList<QWidget*> FocusCycle(Qt::Key key, int limit)
{
    QList<QWidget*> seen;
    QWidget* start = QApplication::focusWidget();
    for (int step = 0; step < limit; ++step)
    {
        QTest::keyClick(QApplication::focusWidget(), key,
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        seen << QApplication::focusWidget();
        if (seen.back() == start)
            break;
    }
    return seen;
}

}  // namespace

void AddEveryPage()
{
    QTest::addColumn<PageId>("id");
    for (PageId id : kEveryPage)
        QTest::newRow(PageIdName(id)) << id;
}

QList<QWidget*> TabStops(QWidget* page)
{
    QList<QWidget*> stops;
    for (QWidget* widget : page->findChildren<QWidget*>())
        if (IsTabStop(widget, page))
            stops << widget;
    return stops;
}

void TestKeyboardAndReaders::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qputenv("HOME", QFile::encodeName(m_home.path()));
    // Nothing listens there: the pages that talk to the router at once
    // (restore, apply) fail at once, and nothing leaves the machine.
    WizardOptions& options = GetWizardOptions();
    options.RouterAddress = "127.0.0.1:9";
    options.ProbeUrls = {"http://127.0.0.1:9/"};
    options.PauseMs = 0;
    options.SettleMs = 0;
    RegisterEveryPage();
    // Beneath the pages' own handler, which is put in place by the first
    // masked field: what this one sees is what would reach a reader.
    QAccessible::installUpdateHandler(&RecordTexts);
}

void TestKeyboardAndReaders::cleanup()
{
    m_page.reset();
    m_scope.reset();
}

void TestKeyboardAndReaders::opensOnItsFirstFieldOrForwardButton_data()
{
    AddEveryPage();
}

void TestKeyboardAndReaders::opensOnItsFirstFieldOrForwardButton()
{
    QFETCH(PageId, id);
    CWizardPage* page = Open(id);
    QVERIFY(page);
    QWidget* focused = QApplication::focusWidget();
    QVERIFY2(focused, "nothing has the focus");
    const auto* button = qobject_cast<CxSkinButton*>(focused);
    const QString caption = button ? button->text() : QString();
    QVERIFY2(!button || button == page->ForwardButton(), qPrintable("opens on " + caption));
    if (!button)
    {
        // The first field Tab would reach from the frame's buttons.
        const QList<QWidget*> stops = TabStops(page);
        QVERIFY(stops.contains(focused));
    }
}

void TestKeyboardAndReaders::enterPressesTheForwardButton_data()
{
    AddEveryPage();
}

void TestKeyboardAndReaders::enterPressesTheForwardButton()
{
    QFETCH(PageId, id);
    CWizardPage* page = Open(id);
    QVERIFY(page);
    CxSkinButton* forward = page->ForwardButton();
    QVERIFY(forward);
    // Only which button Enter presses counts here, not what it does then
    // (PRINT would open the print dialog).
    forward->disconnect(page);
    QSignalSpy pressed(forward, &QAbstractButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(pressed.count(), 1);
}

// Tab visits every control once and comes back round to where it
// started; Shift+Tab goes the same round backwards.
void TestKeyboardAndReaders::tabGoesRoundEveryControl_data()
{
    AddEveryPage();
}

void TestKeyboardAndReaders::tabGoesRoundEveryControl()
{
    QFETCH(PageId, id);
    CWizardPage* page = Open(id);
    QVERIFY(page);
    QWidget* start = QApplication::focusWidget();
    const QList<QWidget*> stops = TabStops(page);
    const QList<QWidget*> forward = FocusCycle(Qt::Key_Tab, int(stops.size()) + 2);
    QCOMPARE(forward.back(), start);
    QCOMPARE(forward.size(), stops.size());
    for (QWidget* stop : stops)
        QVERIFY2(forward.contains(stop), qPrintable(stop->metaObject()->className() + QString(" ")
                                                    + stop->accessibleName()));
    QList<QWidget*> backward = FocusCycle(Qt::Key_Backtab, int(stops.size()) + 2);
    std::reverse(backward.begin(), backward.end() - 1);
    QCOMPARE(backward, forward);
}

// The welcome page opens on the language list; Tab then reads down the
// document buttons to START and on to the bottom bar.
void TestKeyboardAndReaders::welcomeTabFollowsTheEye()
{
    auto* welcome = qobject_cast<CTarnixConnectDlg*>(Open(PageId::Welcome));
    QVERIFY(welcome);
    QWidget* list = QApplication::focusWidget();
    QVERIFY(qobject_cast<QComboBox*>(list));
    const DocumentButtons& documents = welcome->Documents();
    const QList<QWidget*> expected = {documents.Manual,
                                      documents.Adobe,
                                      documents.AdvancedUi,
                                      welcome->StartButton(),
                                      welcome->TechnicalSupportButton(),
                                      welcome->TroubleshootingButton(),
                                      welcome->DisclaimerButton(),
                                      welcome->ExitButton(),
                                      list};
    QCOMPARE(FocusCycle(Qt::Key_Tab, 12), expected);
}

// Every text a page shows reads at 4.5:1 or more against what is painted
// behind it, under a light and under a dark desktop theme.
void TestKeyboardAndReaders::everyTextIsReadable_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<bool>("dark");
    for (PageId id : kEveryPage)
        for (const bool dark : {false, true})
            QTest::addRow("%s, %s", PageIdName(id), dark ? "dark" : "light") << id << dark;
}

void TestKeyboardAndReaders::everyTextIsReadable()
{
    QFETCH(PageId, id);
    QFETCH(bool, dark);
    const QPalette system = QApplication::palette();
    if (dark)
        QApplication::setPalette(DarkDesktopPalette());
    CWizardPage* page = Open(id);
    QApplication::setPalette(system);
    QVERIFY(page);
    // An animation's first frame is drawn by its own thread, late on a busy
    // machine; until then its canvas is the window colour.
    for (CPictureEx* picture : page->findChildren<CPictureEx*>())
    {
        if (!picture->IsPlaying())
            continue;
        QImage blank(picture->CurrentImage().size(), QImage::Format_ARGB32_Premultiplied);
        blank.fill(picture->palette().color(QPalette::Window));
        QTRY_VERIFY(picture->CurrentImage() != blank);
    }
    const QImage painted = page->grab().toImage();
    for (QLabel* label : page->findChildren<QLabel*>())
    {
        if (!label->isVisibleTo(page) || label->text().trimmed().isEmpty())
            continue;
        const QRect rect =
            QRect(label->mapTo(page, QPoint(0, 0)), label->size()).intersected(painted.rect());
        const double contrast = PaintedContrast(painted, rect);
        QVERIFY2(contrast >= 4.5, qPrintable(QString("\"%1\" has contrast %2:1")
                                                 .arg(label->text().left(40))
                                                 .arg(contrast, 0, 'f', 2)));
    }
}

// Enter or Space on a term shows its explanation in a message; the term
// is a link that Tab reaches.
void TestKeyboardAndReaders::termsExplainThemselves_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Enter") << PageId::Preparations << int(Qt::Key_Return)
                           << "ISP - Internet Service Provider.";
    QTest::newRow("Space") << PageId::Power << int(Qt::Key_Space) << "Power LED.";
}

void TestKeyboardAndReaders::termsExplainThemselves()
{
    QFETCH(PageId, id);
    QFETCH(int, key);
    QFETCH(QString, caption);
    QVERIFY(Open(id));
    QLabel* term = nullptr;
    for (QLabel* label : m_page->findChildren<QLabel*>())
        if (!term && !label->toolTip().isEmpty())
            term = label;
    QVERIFY(term);
    QVERIFY(TabStops(m_page.get()).contains(term));
    QCOMPARE(QAccessible::queryAccessibleInterface(term)->role(), QAccessible::Link);
    term->setFocus(Qt::TabFocusReason);
    QTest::keyClick(term, Qt::Key(key));
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QCOMPARE(m_effects.messages[0].caption, caption);
    QVERIFY(!m_effects.messages[0].text.isEmpty());
}

void TestKeyboardAndReaders::mnemonicsPressTheirButtons_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<int>("letter");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Alt+N") << PageId::Power << int(Qt::Key_N) << "NEXT";
    QTest::newRow("Alt+P") << PageId::Power << int(Qt::Key_P) << "PREV";
    QTest::newRow("Alt+X") << PageId::Wireless << int(Qt::Key_X) << "Exit";
    QTest::newRow("Alt+M") << PageId::Welcome << int(Qt::Key_M) << "Technical Manual";
    QTest::newRow("Alt+A") << PageId::Success << int(Qt::Key_A) << "Advanced User Interface";
}

void TestKeyboardAndReaders::mnemonicsPressTheirButtons()
{
    QFETCH(PageId, id);
    QFETCH(int, letter);
    QFETCH(QString, caption);
    QVERIFY(Open(id));
    CxSkinButton* target = nullptr;
    for (CxSkinButton* button : m_page->findChildren<CxSkinButton*>())
        if (button->text() == caption)
            target = button;
    QVERIFY(target);
    QSignalSpy pressed(target, &QAbstractButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(letter), Qt::AltModifier);
    QTRY_COMPARE(pressed.count(), 1);
    QCOMPARE(target->text(), caption);
}

// The ring around each control, on every side, holds a line of at least
// 3:1 against what the page shows there without it.
void TestKeyboardAndReaders::focusRingStandsOut_data()
{
    QTest::addColumn<PageId>("id");
    QTest::newRow("welcome") << PageId::Welcome;
    QTest::newRow("preparations") << PageId::Preparations;
    QTest::newRow("install mode") << PageId::InstallMode;
    QTest::newRow("ISP and PVC") << PageId::IspAndPvc;
    QTest::newRow("static IP") << PageId::StaticIp;
    QTest::newRow("light box") << PageId::ErrorLightBox;
}

void TestKeyboardAndReaders::focusRingStandsOut()
{
    QFETCH(PageId, id);
    CWizardPage* page = Open(id);
    QVERIFY(page);
    auto* ring = page->findChild<CFocusRing*>();
    QVERIFY(ring);
    for (QWidget* control : TabStops(page))
    {
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(ring->isVisible());
        const QImage with = page->grab().toImage();
        ring->hide();
        const QImage without = page->grab().toImage();
        ring->show();
        QCOMPARE(ring->Target(), FocusedControl());
        const QRect edge(ring->Target()->mapTo(page, QPoint(0, 0)), ring->Target()->size());
        const int reach = 2 * CFocusRing::kLineWidth;
        // Mid-points of the four sides, walking outwards across the ring.
        const struct
        {
            QPoint from;
            QPoint step;
        } sides[] = {
            {QPoint(edge.center().x(), edge.top() - 1), QPoint(0, -1)},
            {QPoint(edge.center().x(), edge.bottom() + 1), QPoint(0, 1)},
            {QPoint(edge.left() - 1, edge.center().y()), QPoint(-1, 0)},
            {QPoint(edge.right() + 1, edge.center().y()), QPoint(1, 0)},
        };
        for (const auto& side : sides)
        {
            double best = 0;
            for (int step = 0; step < reach; ++step)
            {
                const QPoint at = side.from + side.step * step;
                if (with.rect().contains(at))
                    best = std::max(best, Contrast(with.pixel(at), without.pixel(at)));
            }
            QVERIFY2(best >= 3.0, qPrintable(QString("%1 %2: %3:1")
                                                 .arg(control->metaObject()->className(),
                                                      control->accessibleName())
                                                 .arg(best)));
        }
    }
}

QTEST_MAIN(TestKeyboardAndReaders)
