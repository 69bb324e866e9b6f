// The one wizard window: pages drawn inside it one above the other, the top
// one shown; PREV uncovering the page beneath as it was left; the close box
// ending the chain, asking first where a page would be left half done, and
// SIGTERM ending it as an answered close; message boxes window-modal to it;
// the light box drawn over the page beneath with its key colour see-through.

#include "CErrorTipsDlg.h"
#include "CTarnixConnectDlg.h"
#include "CWizardWindow.h"
#include "ClickHelpers.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "RunInBackground.h"
#include "TerminationSignal.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QGraphicsEffect>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QThreadPool>

#include <csignal>
#include <optional>

namespace {

// A page in the middle of work it must not be left in without a word.
class BusyPage : public FakePage
{
public:
    using FakePage::FakePage;
    QString CloseWarning() const override { return "Half done."; }
};

// A page with a field, NEXT opening next.
class FieldPage : public FakePage
{
public:
    FieldPage(PageId id, PageId next, QWidget* owner) : FakePage(id, next, owner)
    {
        field = AddLineEdit(QRect(60, 200, 200, 24), false);
    }
    QLineEdit* field = nullptr;
};

void RegisterFieldPage(PageId id, PageId next)
{
    RegisterPage(
        id, [id, next](QWidget* owner) { return std::make_unique<FieldPage>(id, next, owner); });
}

QList<CWizardPage*> ShownPages(const QWidget& window)
{
    QList<CWizardPage*> shown;
    for (CWizardPage* page : window.findChildren<CWizardPage*>(Qt::FindDirectChildrenOnly))
        if (page->isVisible())
            shown << page;
    return shown;
}

// Each channel of over drawn at opacity over beneath.
QRgb Blend(QRgb over, QRgb beneath, double opacity)
{
    auto mix = [opacity](int a, int b) { return int(a * opacity + b * (1 - opacity) + 0.5); };
    return qRgb(mix(qRed(over), qRed(beneath)), mix(qGreen(over), qGreen(beneath)),
                mix(qBlue(over), qBlue(beneath)));
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2
           && std::abs(qBlue(a) - qBlue(b)) <= 2;
}

}  // namespace

class TestWizardWindow : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_effects = FakeEffects();
        m_effects.openRealPages = true;
        m_scope.emplace(&m_effects);
        UnregisterAllPages();
        GetWizardSettings() = WizardSettings();
    }

    void cleanup()
    {
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
        QCOMPARE(CWizardPage::TopPage(), nullptr);
    }

    void windowIsTheFixedSizeTitledTopLevel()
    {
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        QVERIFY(!welcome.isWindow());
        QWidgetList shown;
        QRect pageGeometry;
        QPoint moved;
        QTimer::singleShot(0, &welcome, [&] {
            shown = VisibleTopLevels();
            pageGeometry = welcome.geometry();
            // Nothing holds the window in place.
            window.move(window.pos() + QPoint(40, 30));
            moved = window.pos() - QPoint(40, 30);
            welcome.reject();
        });
        const QPoint placed = window.pos();
        QCOMPARE(welcome.exec(), int(QDialog::Rejected));
        QCOMPARE(shown, QWidgetList{&window});
        QCOMPARE(pageGeometry, QRect(QPoint(0, 0), PageLayout::kPageSize));
        QCOMPARE(moved, placed);
        QCOMPARE(window.windowTitle(), QString("Tarnix Setup Wizard"));
        QCOMPARE(window.minimumSize(), PageLayout::kPageSize);
        QCOMPARE(window.maximumSize(), PageLayout::kPageSize);
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.isVisible());
    }

    // START, NEXT: three pages in one window, only the top one shown, and
    // PREV uncovers each page with what was typed and where the focus was.
    void prevUncoversThePageBeneathAsLeft()
    {
        RegisterFieldPage(PageId::Preparations, PageId::InstallMode);
        RegisterFieldPage(PageId::InstallMode, PageId::Power);
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        QStringList seen;
        auto check = [&](CWizardPage* top) {
            if (VisibleTopLevels() != QWidgetList{&window}
                || ShownPages(window) != QList<CWizardPage*>{top})
                seen << QString("%1 not alone").arg(PageIdName(top->Id()));
            else
                seen << PageIdName(top->Id());
        };
        WhenPageAbove(&welcome, [&](QWidget* shown) {
            auto* preparations = static_cast<FieldPage*>(shown);
            check(preparations);
            preparations->field->setFocus();
            QTest::keyClicks(preparations->field, "kept");
            preparations->field->setCursorPosition(2);
            WhenPageAbove(preparations, [&, preparations](QWidget* above) {
                check(static_cast<CWizardPage*>(above));
                Click(static_cast<CWizardPage*>(above)->PrevButton());
                QTimer::singleShot(0, preparations, [&, preparations] {
                    check(preparations);
                    if (preparations->field->text() != "kept"
                        || preparations->field->cursorPosition() != 2
                        || QApplication::focusWidget() != preparations->NextButton())
                        seen << "not as left";
                    Click(preparations->PrevButton());
                    QTimer::singleShot(0, &welcome, [&] {
                        check(&welcome);
                        window.close();
                    });
                });
            });
            Click(preparations->NextButton());
        });
        QTimer::singleShot(0, &welcome, [&] { Click(welcome.StartButton()); });
        QCOMPARE(welcome.exec(), int(QDialog::Rejected));
        QCOMPARE(seen, (QStringList{"Preparations", "InstallMode", "Preparations", "Welcome"}));
    }

    // Only the page in view holds its page-sized picture: not one made above
    // it that has not run yet, nor one that has ended.
    // A page may go while its background read ends: the result then reaches
    // nobody, and nothing is left queued for the page that is gone.
    void backgroundResultReachesOnlyALiveOwner()
    {
        int handed = 0;
        std::vector<std::unique_ptr<QObject>> kept;
        for (int round = 0; round < 400; ++round)
        {
            auto owner = std::make_unique<QObject>();
            RunInBackground(
                owner.get(), [] { return 1; }, [&handed](int one) { handed += one; });
            if (round % 2)
                QThread::usleep(round % 13 * 10);  // then gone, about as the read ends
            else
                kept.push_back(std::move(owner));
        }
        QThreadPool::globalInstance()->waitForDone();
        QTRY_COMPARE(handed, 200);
    }

    void onlyThePageInViewHoldsItsPicture()
    {
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        auto holds = [](const CWizardPage& page) {
            return page.BackgroundPicture()->GetSize().isValid();
        };
        QList<QPair<bool, bool>> seen;  // welcome's, the second page's
        QTimer::singleShot(0, &welcome, [&] {
            CWizardPage second(
                PageFrame{.Id = PageId::Preparations, .Background = "pic/BG/1100.gif"}, &window);
            seen << qMakePair(holds(welcome), holds(second));
            QTimer::singleShot(0, &second, [&] {
                seen << qMakePair(holds(welcome), holds(second));
                second.reject();
            });
            second.exec();
            seen << qMakePair(holds(welcome), holds(second));
            welcome.reject();
        });
        welcome.exec();
        QCOMPARE(seen, (QList<QPair<bool, bool>>{{true, false}, {false, true}, {true, false}}));
    }

    // The close box on the window ends every page, the top one first.
    void closeBoxEndsTheWholeChain()
    {
        RegisterFakePage(PageId::Preparations, PageId::InstallMode);
        RegisterFakePage(PageId::InstallMode, PageId::Power);
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        std::vector<PageId> ended;
        WhenPageAbove(&welcome, [&](QWidget* preparations) {
            connect(static_cast<QDialog*>(preparations), &QDialog::finished,
                    [&] { ended.push_back(PageId::Preparations); });
            WhenPageAbove(preparations, [&](QWidget* installMode) {
                connect(static_cast<QDialog*>(installMode), &QDialog::finished,
                        [&] { ended.push_back(PageId::InstallMode); });
                window.close();
            });
            Click(static_cast<CWizardPage*>(preparations)->NextButton());
        });
        int welcomeFramesWhenEnded = -1;
        connect(&welcome, &QDialog::finished, [&] {
            ended.push_back(PageId::Welcome);
            welcomeFramesWhenEnded = welcome.BackgroundPicture()->FrameCount();
        });
        QTimer::singleShot(0, &welcome, [&] { Click(welcome.StartButton()); });
        QCOMPARE(welcome.exec(), int(QDialog::Rejected));
        QCOMPARE(ended,
                 (std::vector<PageId>{PageId::InstallMode, PageId::Preparations, PageId::Welcome}));
        QVERIFY(m_effects.endStatuses.empty());
        // The covered welcome page ended without its picture being decoded again.
        QCOMPARE(welcomeFramesWhenEnded, 0);
    }

    // With a page at work on top: the close box asks once, with the page's
    // warning, however often it is pressed; Cancel keeps the page, OK ends
    // the chain. SIGTERM, even with a box up, ends it without asking.
    void closingHalfDoneWork_data()
    {
        QTest::addColumn<int>("closes");  // close box presses while the question is up
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("byTermSignal");
        QTest::newRow("close box, OK") << 1 << QMessageBox::Ok << false;
        QTest::newRow("close box, Cancel") << 1 << QMessageBox::Cancel << false;
        QTest::newRow("close box twice") << 2 << QMessageBox::Ok << false;
        QTest::newRow("SIGTERM with a box up") << 0 << QMessageBox::NoButton << true;
    }

    void closingHalfDoneWork()
    {
        QFETCH(int, closes);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, byTermSignal);
        CWizardEffects real;
        SetWizardEffects(&real);
        RegisterPage(PageId::Preparations, [](QWidget* owner) {
            return std::make_unique<BusyPage>(PageId::Preparations, PageId::InstallMode, owner);
        });
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        QStringList questions;
        bool keptAfterCancel = false;
        auto answerBox = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            questions << box->text();
            for (int press = 1; press < closes; ++press)
                window.close();
            QCOMPARE(QApplication::activeModalWidget(), box);
            box->button(answer)->click();
        };
        WhenPageAbove(&welcome, [&](QWidget* busy) {
            if (byTermSignal)
            {
                // Installed here: the test framework takes SIGTERM back
                // between tests.
                HandleTerminationSignal([&window] { window.CloseAnswered(); });
                QTimer::singleShot(20, [] { std::raise(SIGTERM); });
                real.ShowMessage(busy, "a box", "caption");
                return;
            }
            QTimer::singleShot(20, answerBox);
            window.close();
            if (answer != QMessageBox::Cancel)
                return;
            keptAfterCancel = CWizardPage::TopPage() == busy && busy->isVisible();
            QTimer::singleShot(20, [&] { window.CloseAnswered(); });
        });
        QTimer::singleShot(0, &welcome, [&] { Click(welcome.StartButton()); });
        QCOMPARE(welcome.exec(), int(QDialog::Rejected));
        const QString asked = QString(kExitQuestion) + "\n\nHalf done.";
        QCOMPARE(questions, byTermSignal ? QStringList() : QStringList{asked});
        QCOMPARE(keptAfterCancel, answer == QMessageBox::Cancel);
    }

    // A box asked for with a page or with no page at all belongs to the
    // wizard's window and blocks only it.
    void messageBoxesAreWindowModal_data()
    {
        QTest::addColumn<bool>("fromPage");
        QTest::newRow("from the page") << true;
        QTest::newRow("without a parent") << false;
    }

    void messageBoxesAreWindowModal()
    {
        QFETCH(bool, fromPage);
        CWizardEffects real;
        SetWizardEffects(&real);
        CWizardWindow window;
        CTarnixConnectDlg welcome(&window);
        QWidget* boxWindow = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer::singleShot(0, &welcome, [&] {
            QTimer::singleShot(0, &welcome, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box)
                {
                    boxWindow = box->parentWidget() ? box->parentWidget()->window() : nullptr;
                    modality = box->windowModality();
                    box->accept();
                }
                welcome.reject();
            });
            real.ShowMessage(fromPage ? &welcome : nullptr, "text", "caption");
        });
        welcome.exec();
        QCOMPARE(boxWindow, &window);
        QCOMPARE(modality, Qt::WindowModal);
    }

    // Around its card the light box shows the page beneath as it is; the
    // card lies over it at 230/255.
    void lightBoxShowsThePageBeneath()
    {
        CWizardWindow window;
        QWidget beneath(&window);
        beneath.setGeometry(window.rect());
        beneath.setAutoFillBackground(true);
        beneath.setPalette(QPalette(QColor(200, 40, 20)));
        CErrorTipsDlg lightBox(&window);
        lightBox.show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage seen = window.grab().toImage();
        lightBox.graphicsEffect()->setEnabled(false);
        const QImage own = lightBox.grab().toImage();
        const QRgb red = qRgb(200, 40, 20);
        QCOMPARE(own.pixel(5, 5), kLightBoxKeyColour.rgb());
        QCOMPARE(seen.pixel(5, 5), red);
        for (const QPoint at :
             {PageLayout::kLightBoxRect.center(), lightBox.CloseButton()->geometry().center()})
            QVERIFY2(Near(seen.pixel(at), Blend(own.pixel(at), red, kLightBoxOpacity)),
                     qPrintable(QString::number(seen.pixel(at), 16)));
        window.close();
    }

    // Tab stays on the light box: the page shown beneath it takes no input.
    // The light box announces nothing: the title is the program's name alone.
    void tabStaysOnTheLightBox()
    {
        RegisterPage(PageId::ErrorLightBox,
                     [](QWidget* owner) { return std::make_unique<CErrorTipsDlg>(owner); });
        CWizardWindow window;
        FieldPage beneath(PageId::Apply, PageId::ErrorLightBox, &window);
        QStringList outside;
        bool beneathShown = false;
        bool windowActive = false;
        QString title;
        WhenPageAbove(&beneath, [&](QWidget* lightBox) {
            beneathShown = beneath.isVisible();
            title = window.windowTitle();
            window.activateWindow();
            windowActive = QTest::qWaitForWindowActive(&window);
            for (int press = 0; press < 8; ++press)
            {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                            : lightBox,
                                Qt::Key_Tab);
                QWidget* focus = QApplication::focusWidget();
                if (!lightBox->isAncestorOf(focus) && focus != lightBox)
                    outside << (focus ? focus->metaObject()->className() : "nothing");
            }
            window.close();
        });
        QTimer::singleShot(0, &beneath, [&] { Click(beneath.NextButton()); });
        beneath.exec();
        QVERIFY(beneathShown);
        QVERIFY(windowActive);
        QCOMPARE(outside.join(";"), QString());
        QCOMPARE(title, QString("Tarnix Setup Wizard"));
    }
};

QTEST_MAIN(TestWizardWindow)
#include "tst_WizardWindow.moc"
