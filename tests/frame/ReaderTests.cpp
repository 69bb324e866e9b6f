// tst_KeyboardAndReaders, continued: what assistive technology reads on every
// page, the names, roles and captions of the controls, how pages and refusals
// are announced, fields read whole, and that no secret reaches it.

#include "CLabel.h"
#include "TestKeyboardAndReaders.h"
#include "WizardSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace {

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

}  // namespace

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

void TestKeyboardAndReaders::everyControlHasANameAndRole_data()
{
    AddEveryPage();
}

void TestKeyboardAndReaders::everyControlHasANameAndRole()
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
        const bool typedIn = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control);
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
void TestKeyboardAndReaders::listsAreLabelledByTheirCaptions_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("welcome") << PageId::Welcome << QStringList{"Select your language"};
    QTest::newRow("ISP and PVC") << PageId::IspAndPvc
                                 << QStringList{"Country", "Internet Service Provider", "Protocol",
                                                "Encapsulation"};
    QTest::newRow("wireless") << PageId::Wireless << QStringList{"Security Level"};
}

void TestKeyboardAndReaders::listsAreLabelledByTheirCaptions()
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

void TestKeyboardAndReaders::fieldsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("static IP") << PageId::StaticIp
                               << QStringList{"WAN IP Address", "WAN Subnet Mask", "WAN Gateway",
                                              "Primary DNS", "Secondary DNS"};
    QTest::newRow("ISP and PVC") << PageId::IspAndPvc << QStringList{"VPI", "VCI"};
    QTest::newRow("account") << PageId::IspAccount
                             << QStringList{"Username", "Password", "Confirm Password"};
    QTest::newRow("wireless") << PageId::Wireless
                              << QStringList{"Wireless Network Name (SSID)", "Pre-Shared Key"};
    QTest::newRow("create password")
        << PageId::CreatePassword << QStringList{"Create a password", "Re-enter your password"};
}

void TestKeyboardAndReaders::fieldsAreNamedByTheirCaptions()
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
void TestKeyboardAndReaders::errorLabelsAreAnnounced_data()
{
    QTest::addColumn<PageId>("id");
    QTest::newRow("create password") << PageId::CreatePassword;
    QTest::newRow("existing password") << PageId::ExistingPassword;
    QTest::newRow("ISP account") << PageId::IspAccount;
    QTest::newRow("wireless") << PageId::Wireless;
}

void TestKeyboardAndReaders::errorLabelsAreAnnounced()
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
        QVERIFY2(label->IsAlert() || !label->text().contains("Invalid"), qPrintable(label->text()));
        if (!label->IsAlert())
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(face->role(), QAccessible::Notification);
        QCOMPARE(face->text(QAccessible::Name), label->text());
        // The field the refusal concerns is described by it.
        QVERIFY(label->DescribedField());
        QCOMPARE(AccessibleText(label->DescribedField(), QAccessible::Description), label->text());
        ++shown;
    }
    QVERIFY(shown > 0);
}

// A reader reads a field's text by its runs of equal attributes: they
// must reach the last character, or "Tarnix" is heard as "Tarni".
void TestKeyboardAndReaders::fieldsAreReadWhole_data()
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

void TestKeyboardAndReaders::fieldsAreReadWhole()
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
void TestKeyboardAndReaders::secretsNeverReachReaders_data()
{
    QTest::addColumn<PageId>("id");
    QTest::newRow("create password") << PageId::CreatePassword;
    QTest::newRow("existing password") << PageId::ExistingPassword;
    QTest::newRow("ISP account") << PageId::IspAccount;
    QTest::newRow("wireless key") << PageId::Wireless;
}

void TestKeyboardAndReaders::secretsNeverReachReaders()
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
void TestKeyboardAndReaders::pagesAnnounceThemselves_data()
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
    QTest::newRow("ISP and PVC") << PageId::IspAndPvc
                                 << isp + "provider and connection, Step 3 of 5: Internet";
    QTest::newRow("ISP account") << PageId::IspAccount
                                 << isp + "user name and password, Step 3 of 5: Internet";
    QTest::newRow("static IP") << PageId::StaticIp
                               << isp + "fixed addresses, Step 3 of 5: Internet";
    QTest::newRow("success") << PageId::Success
                             << "Well done! Your router is now up and running, Step 5 of 5: Done";
}

void TestKeyboardAndReaders::pagesAnnounceThemselves()
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
