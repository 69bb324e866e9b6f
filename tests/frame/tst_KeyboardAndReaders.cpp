// Every page driven as a keyboard user and a screen reader user meet it:
// where the focus is when it opens, what Enter, Tab and Alt+letter do, the
// focus ring's contrast, the names and roles assistive technology reads, how
// pages and refusals are announced, and that no secret reaches it.

#include "CFocusRing.h"
#include "CIpAddressField.h"
#include "CLabel.h"
#include "CPictureEx.h"
#include "CTarnixConnectDlg.h"
#include "CWizardPage.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "TextContrast.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"
#include "WizardUnderTest.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <optional>

Q_DECLARE_METATYPE(PageId)

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

void AddEveryPage()
{
    QTest::addColumn<PageId>("id");
    for (PageId id : kEveryPage)
        QTest::newRow(PageIdName(id)) << id;
}

// What Tab reaches on the page, as Qt decides it.
bool IsTabStop(const QWidget* widget, const QWidget* page)
{
    return widget->window() == page && widget->isVisible() && widget->isEnabled()
           && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

QList<QWidget*> TabStops(QWidget* page)
{
    QList<QWidget*> stops;
    for (QWidget* widget : page->findChildren<QWidget*>())
        if (IsTabStop(widget, page))
            stops << widget;
    return stops;
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

QAccessible::Role ExpectedRole(const QWidget* widget)
{
    if (qobject_cast<const QCheckBox*>(widget))
        return QAccessible::CheckBox;
    if (qobject_cast<const QRadioButton*>(widget))
        return QAccessible::RadioButton;
    if (qobject_cast<const CxSkinButton*>(widget))
        return QAccessible::Button;
    if (qobject_cast<const QComboBox*>(widget))
        return QAccessible::ComboBox;
    if (qobject_cast<const QLineEdit*>(widget))
        return QAccessible::EditableText;
    return QAccessible::NoRole;  // anything else: any role but none
}

QString AccessibleText(QObject* object, QAccessible::Text text)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QString();
}

bool HasBuddyCaption(const QWidget* field, const QWidget* page)
{
    const auto labels = page->findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(),
                       [field](const QLabel* label) { return label->buddy() == field; });
}

// Every text a change event of a masked field carried to assistive technology.
QStringList& TextsSent()
{
    static QStringList texts;
    return texts;
}

void RecordTexts(QAccessibleEvent* event)
{
    const auto* field = qobject_cast<const QLineEdit*>(event->object());
    if (!field || field->echoMode() == QLineEdit::Normal)
        return;
    if (event->type() == QAccessible::TextInserted)
        TextsSent() << static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
    if (event->type() == QAccessible::TextRemoved)
        TextsSent() << static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
    if (event->type() == QAccessible::TextUpdated)
        TextsSent() << static_cast<QAccessibleTextUpdateEvent*>(event)->textRemoved()
                    << static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
}

}  // namespace

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
    void initTestCase()
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

    void cleanup()
    {
        m_page.reset();
        m_scope.reset();
    }

    void opensOnItsFirstFieldOrForwardButton_data() { AddEveryPage(); }

    void opensOnItsFirstFieldOrForwardButton()
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

    void enterPressesTheForwardButton_data() { AddEveryPage(); }

    void enterPressesTheForwardButton()
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
    void tabGoesRoundEveryControl_data() { AddEveryPage(); }

    void tabGoesRoundEveryControl()
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
            QVERIFY2(forward.contains(stop), qPrintable(stop->metaObject()->className()
                                                        + QString(" ") + stop->accessibleName()));
        QList<QWidget*> backward = FocusCycle(Qt::Key_Backtab, int(stops.size()) + 2);
        std::reverse(backward.begin(), backward.end() - 1);
        QCOMPARE(backward, forward);
    }

    // The welcome page opens on the language list; Tab then reads down the
    // document buttons to START and on to the bottom bar.
    void welcomeTabFollowsTheEye()
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
    void everyTextIsReadable_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<bool>("dark");
        for (PageId id : kEveryPage)
            for (const bool dark : {false, true})
                QTest::addRow("%s, %s", PageIdName(id), dark ? "dark" : "light") << id << dark;
    }

    void everyTextIsReadable()
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

    void everyControlHasANameAndRole_data() { AddEveryPage(); }

    void everyControlHasANameAndRole()
    {
        QFETCH(PageId, id);
        CWizardPage* page = Open(id);
        QVERIFY(page);
        for (QWidget* control : TabStops(page))
        {
            const QString what = QString(control->metaObject()->className());
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(face, qPrintable(what));
            const QString name = face->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what + " has no name"));
            const QAccessible::Role role = ExpectedRole(control);
            if (role != QAccessible::NoRole)
                QVERIFY2(face->role() == role, qPrintable(what + " " + name));
            const bool typedIn = qobject_cast<QLineEdit*>(control)
                                 || qobject_cast<QComboBox*>(control);
            if (typedIn)
                QVERIFY2(HasBuddyCaption(control, page), qPrintable(name + " has no caption"));
        }
        QAccessibleInterface* background = QAccessible::queryAccessibleInterface(
            page->BackgroundPicture());
        QVERIFY(background->state().invisible);
    }

    // A list is labelled by its caption; its name is the entry it shows, as
    // Qt does on Linux, where readers speak the label relation first. Its
    // description is the entry it shows too, now and after a change: readers
    // speak that on focus and on change.
    void listsAreLabelledByTheirCaptions_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("welcome") << PageId::Welcome << QStringList{"Select your language"};
        QTest::newRow("ISP and PVC")
            << PageId::IspAndPvc
            << QStringList{"Country", "Internet Service Provider", "Protocol", "Encapsulation"};
        QTest::newRow("wireless") << PageId::Wireless << QStringList{"Security Level"};
    }

    void listsAreLabelledByTheirCaptions()
    {
        QFETCH(PageId, id);
        QFETCH(QStringList, names);
        QVERIFY(Open(id));
        QStringList labelled;
        for (QComboBox* list : m_page->findChildren<QComboBox*>())
        {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list);
            for (const auto& [label, relation] : face->relations(QAccessible::Label))
                labelled << label->text(QAccessible::Name).remove(':').trimmed();
            QCOMPARE(face->text(QAccessible::Description), list->currentText());
            list->setCurrentIndex(list->count() - 1);
            QCOMPARE(face->text(QAccessible::Description), list->currentText());
        }
        QCOMPARE(labelled, names);
    }

    void fieldsAreNamedByTheirCaptions_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("static IP") << PageId::StaticIp
                                   << QStringList{"WAN IP Address", "WAN Subnet Mask",
                                                  "WAN Gateway", "Primary DNS", "Secondary DNS"};
        QTest::newRow("ISP and PVC") << PageId::IspAndPvc << QStringList{"VPI", "VCI"};
        QTest::newRow("account") << PageId::IspAccount
                                 << QStringList{"Username", "Password", "Confirm Password"};
        QTest::newRow("wireless") << PageId::Wireless
                                  << QStringList{"Wireless Network Name (SSID)", "Pre-Shared Key"};
        QTest::newRow("create password")
            << PageId::CreatePassword << QStringList{"Create a password", "Re-enter your password"};
    }

    void fieldsAreNamedByTheirCaptions()
    {
        QFETCH(PageId, id);
        QFETCH(QStringList, names);
        QVERIFY(Open(id));
        QStringList named;
        for (QWidget* stop : TabStops(m_page.get()))
            if (qobject_cast<QLineEdit*>(stop))
                named << AccessibleText(stop, QAccessible::Name);
        QCOMPARE(named, names);
    }

    // NEXT on an empty page shows the error labels beside the fields; each
    // is an alert, which readers speak as it appears (tst_AtspiTree hears one).
    void errorLabelsAreAnnounced_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::newRow("create password") << PageId::CreatePassword;
        QTest::newRow("existing password") << PageId::ExistingPassword;
        QTest::newRow("ISP account") << PageId::IspAccount;
        QTest::newRow("wireless") << PageId::Wireless;
    }

    void errorLabelsAreAnnounced()
    {
        QFETCH(PageId, id);
        CWizardPage* page = Open(id);
        QVERIFY(page);
        page->NextButton()->click();
        int shown = 0;
        for (CLabel* label : page->findChildren<CLabel*>())
        {
            if (!label->isVisible())
                continue;
            QVERIFY2(label->IsAlert() || !label->text().contains("Invalid"),
                     qPrintable(label->text()));
            if (!label->IsAlert())
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(face->role(), QAccessible::Notification);
            QCOMPARE(face->text(QAccessible::Name), label->text());
            // The field the refusal concerns is described by it.
            QVERIFY(label->DescribedField());
            QCOMPARE(AccessibleText(label->DescribedField(), QAccessible::Description),
                     label->text());
            ++shown;
        }
        QVERIFY(shown > 0);
    }

    // A reader reads a field's text by its runs of equal attributes: they
    // must reach the last character, or "Tarnix" is heard as "Tarni".
    void fieldsAreReadWhole_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("SSID") << PageId::Wireless << "Wireless Network Name (SSID)"
                              << "Tarnix";
        QTest::newRow("VCI") << PageId::IspAndPvc << "VCI"
                             << "35";
        QTest::newRow("one digit") << PageId::IspAndPvc << "VPI"
                                   << "8";
        QTest::newRow("address part") << PageId::StaticIp << "WAN IP Address"
                                      << "";
    }

    void fieldsAreReadWhole()
    {
        QFETCH(PageId, id);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QVERIFY(Open(id));
        for (QLineEdit* field : m_page->findChildren<QLineEdit*>())
        {
            if (field->accessibleName() != name)
                continue;
            QCOMPARE(field->text(), text);
            if (text.isEmpty())
                field->setText("192");
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(field);
            QVERIFY(reader->state().editable && !reader->state().readOnly);
            QAccessibleTextInterface* face = reader->textInterface();
            QCOMPARE(face->text(0, face->characterCount()), field->text());
            int start = -1;
            int end = -1;
            face->attributes(face->characterCount() - 1, &start, &end);
            QCOMPARE(end, face->characterCount());
            return;
        }
        QFAIL("no such field");
    }

    // Typing, pasting, holding a key and deleting in a password or key field
    // tell assistive technology of inserted, removed and replaced text: what
    // reaches a reader is bullets, and text queries say nothing.
    void secretsNeverReachReaders_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::newRow("create password") << PageId::CreatePassword;
        QTest::newRow("existing password") << PageId::ExistingPassword;
        QTest::newRow("ISP account") << PageId::IspAccount;
        QTest::newRow("wireless key") << PageId::Wireless;
    }

    void secretsNeverReachReaders()
    {
        QFETCH(PageId, id);
        QVERIFY(Open(id));
        // The pages' handler, in front of RecordTexts.
        const QAccessible::UpdateHandler pages = QAccessible::installUpdateHandler(nullptr);
        QAccessible::installUpdateHandler(pages);
        QVERIFY(pages && pages != &RecordTexts);
        int fields = 0;
        for (QLineEdit* field : m_page->findChildren<QLineEdit*>())
        {
            if (field->echoMode() == QLineEdit::Normal)
                continue;
            ++fields;
            field->setText("Secret");
            TextsSent().clear();
            QAccessibleTextInsertEvent typed(field, 6, "1");
            QAccessibleTextInsertEvent pasted(field, 0, "Secret");
            QAccessibleTextRemoveEvent deleted(field, 5, "t");
            QAccessibleTextUpdateEvent replaced(field, 0, "Secret", "Other1");
            for (QAccessibleEvent* event :
                 std::initializer_list<QAccessibleEvent*>{&typed, &pasted, &deleted, &replaced})
                pages(event);
            QCOMPARE(TextsSent(), QStringList({QString(1, QChar(0x2022)), QString(6, QChar(0x2022)),
                                               QString(1, QChar(0x2022)), QString(6, QChar(0x2022)),
                                               QString(6, QChar(0x2022))}));
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(field);
            QVERIFY(!face->textInterface()->text(0, 6).contains("Secret"));
            QVERIFY(!face->text(QAccessible::Value).contains("Secret"));
        }
        QVERIFY(fields > 0);
    }

    // A page names itself by its heading, what tells it from a page with the
    // same heading, and the step its background's bar shows; the heading is
    // a heading and the header's product line is read on the first page only.
    void pagesAnnounceThemselves_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<QString>("announcement");
        const QString isp = "Now tell us your internet Service Provider details: ";
        QTest::newRow("welcome") << PageId::Welcome << "Welcome";
        QTest::newRow("power") << PageId::Power
                               << "First,let's set up the hardware, Step 1 of 5: Hardware";
        QTest::newRow("create password")
            << PageId::CreatePassword
            << "Now let's create a password for your router, Step 2 of 5: Password";
        QTest::newRow("ISP and PVC")
            << PageId::IspAndPvc << isp + "provider and connection, Step 3 of 5: Internet";
        QTest::newRow("ISP account")
            << PageId::IspAccount << isp + "user name and password, Step 3 of 5: Internet";
        QTest::newRow("static IP")
            << PageId::StaticIp << isp + "fixed addresses, Step 3 of 5: Internet";
        QTest::newRow("success")
            << PageId::Success << "Well done! Your router is now up and running, Step 5 of 5: Done";
    }

    void pagesAnnounceThemselves()
    {
        QFETCH(PageId, id);
        QFETCH(QString, announcement);
        CWizardPage* page = Open(id);
        QVERIFY(page);
        QCOMPARE(page->Announcement(), announcement);
        QCOMPARE(AccessibleText(page, QAccessible::Name), announcement + " - Tarnix Setup Wizard");
        QCOMPARE(QAccessible::queryAccessibleInterface(page->HeadingLabel())->role(),
                 QAccessible::Heading);
        QStringList read;
        for (QLabel* label : page->findChildren<QLabel*>())
            if (!QAccessible::queryAccessibleInterface(label)->state().invisible)
                read << AccessibleText(label, QAccessible::Name);
        QCOMPARE(read.contains(kProductLine), id == PageId::Welcome);
    }

    // Enter or Space on a term shows its explanation in a message; the term
    // is a link that Tab reaches.
    void termsExplainThemselves_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Enter") << PageId::Preparations << int(Qt::Key_Return)
                               << "ISP - Internet Service Provider.";
        QTest::newRow("Space") << PageId::Power << int(Qt::Key_Space) << "Power LED.";
    }

    void termsExplainThemselves()
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

    void mnemonicsPressTheirButtons_data()
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

    void mnemonicsPressTheirButtons()
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
    void focusRingStandsOut_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::newRow("welcome") << PageId::Welcome;
        QTest::newRow("preparations") << PageId::Preparations;
        QTest::newRow("install mode") << PageId::InstallMode;
        QTest::newRow("ISP and PVC") << PageId::IspAndPvc;
        QTest::newRow("static IP") << PageId::StaticIp;
        QTest::newRow("light box") << PageId::ErrorLightBox;
    }

    void focusRingStandsOut()
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
};

QTEST_MAIN(TestKeyboardAndReaders)
#include "tst_KeyboardAndReaders.moc"
