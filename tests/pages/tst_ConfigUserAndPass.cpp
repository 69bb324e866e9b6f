// The ISP account page: its error labels, which fields a refusal empties,
// where the focus goes, and what an accepted NEXT stores.

#include "CConfigUserAndPassDlg.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "WizardSettings.h"

#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

using namespace ConnectionTest;

class TestConfigUserAndPass : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    std::unique_ptr<CConfigUserAndPassDlg> m_page;

    void Enter(const QString& userName, const QString& password, const QString& confirmation)
    {
        TypeInto(m_page->UserNameField(), userName);
        TypeInto(m_page->PasswordField(), password);
        TypeInto(m_page->ConfirmationField(), confirmation);
    }

    // Which error labels are shown: user name, password, confirmation.
    QString ShownErrors() const
    {
        QString shown;
        for (const CLabel* label :
             {m_page->UserNameError(), m_page->PasswordError(), m_page->ConfirmationError()})
            shown += label->isVisible() ? '1' : '0';
        return shown;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { QVERIFY(OpenFresh(m_page, m_scope, m_effects, true)); }

    void cleanup()
    {
        CloseAndReset(m_page, m_scope);
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void opensEmptyWithTheUserNameFocused()
    {
        QVERIFY(m_page->UserNameField()->text().isEmpty());
        QCOMPARE(m_page->PasswordField()->echoMode(), QLineEdit::Password);
        QCOMPARE(m_page->ConfirmationField()->echoMode(), QLineEdit::Password);
        QCOMPARE(ShownErrors(), QString("000"));
        QCOMPARE(QApplication::focusWidget(), m_page->UserNameField());
        QCOMPARE(m_page->UserNameError()->text(), QString("Invalid user name."));
        QCOMPARE(m_page->PasswordError()->text(), QString("Passwords do not match!"));
        QCOMPARE(m_page->BackgroundPath(), QString("pic/BG/2510.gif"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("errors");
        QTest::addColumn<QString>("leftUserName");
        QTest::addColumn<QString>("leftPassword");
        QTest::addColumn<QString>("leftConfirmation");
        QTest::addColumn<bool>("focusInPassword");
        QTest::newRow("empty page") << ""
                                    << ""
                                    << ""
                                    << "100"
                                    << ""
                                    << ""
                                    << "" << false;
        QTest::newRow("no user name, passwords kept") << ""
                                                      << "secret"
                                                      << "secret"
                                                      << "100"
                                                      << ""
                                                      << "secret"
                                                      << "secret" << false;
        QTest::newRow("empty passwords") << "joe"
                                         << ""
                                         << ""
                                         << "011"
                                         << "joe"
                                         << ""
                                         << "" << true;
        QTest::newRow("case differs") << "joe"
                                      << "Secret"
                                      << "secret"
                                      << "011"
                                      << "joe"
                                      << ""
                                      << "" << true;
        QTest::newRow("confirmation only") << "joe"
                                           << ""
                                           << "secret"
                                           << "011"
                                           << "joe"
                                           << ""
                                           << "" << true;
    }

    void refusals()
    {
        QFETCH(QString, userName);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        const QStringList before = ConnectionSettings();
        Enter(userName, password, confirmation);
        Click(m_page->NextButton());

        QFETCH(QString, errors);
        QFETCH(QString, leftUserName);
        QFETCH(QString, leftPassword);
        QFETCH(QString, leftConfirmation);
        QFETCH(bool, focusInPassword);
        QCOMPARE(ShownErrors(), errors);
        QCOMPARE(m_page->UserNameField()->text(), leftUserName);
        QCOMPARE(m_page->PasswordField()->text(), leftPassword);
        QCOMPARE(m_page->ConfirmationField()->text(), leftConfirmation);
        QLineEdit* focused = focusInPassword ? m_page->PasswordField() : m_page->UserNameField();
        QCOMPARE(QApplication::focusWidget(), focused);
        QCOMPARE(focused->cursorPosition(), 0);
        QVERIFY(m_effects.messages.empty());
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(ConnectionSettings(), before);
    }

    void labelsStayUntilNextSucceeds()
    {
        Click(m_page->NextButton());
        QCOMPARE(ShownErrors(), QString("100"));
        Enter("joe", "one", "two");
        Click(m_page->NextButton());
        QCOMPARE(ShownErrors(), QString("111"));
        TypeInto(m_page->PasswordField(), "p@ss word");
        TypeInto(m_page->ConfirmationField(), "p@ss word");
        Click(m_page->NextButton());
        QCOMPARE(ShownErrors(), QString("000"));
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Wireless});
    }

    void acceptedNextStoresTheTextAsTyped()
    {
        const QStringList before = ConnectionSettings();
        Enter("  ", " pässword ", " pässword ");
        QTest::keyClick(m_page->ConfirmationField(), Qt::Key_Return);
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Wireless});
        QCOMPARE(GetWizardSettings().PppUserName, std::string("  "));
        QCOMPARE(GetWizardSettings().PppPassword, std::string(" p\xc3\xa4ssword "));
        QStringList after = ConnectionSettings();
        after[6] = before[6];
        after[7] = before[7];
        QCOMPARE(after, before);
    }

    void tabFollowsTheFields()
    {
        for (QWidget* widget : {static_cast<QWidget*>(m_page->PasswordField()),
                                static_cast<QWidget*>(m_page->ConfirmationField()),
                                static_cast<QWidget*>(m_page->PrevButton())})
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
    }
};

QTEST_MAIN(TestConfigUserAndPass)
#include "tst_ConfigUserAndPass.moc"
