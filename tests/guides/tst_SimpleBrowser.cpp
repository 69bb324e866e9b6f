// The HTML view: creation in place of a placeholder, the no-op rules, writing,
// the event record and printing through a replaced print dialog.
#include "SimpleBrowser.h"

#include "PrintToPdf.h"
#include "WizardTestScope.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <optional>

class TestSimpleBrowser : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;

    static QWidget* AddPlaceholder(QWidget& page, int id, const QRect& rect)
    {
        auto* placeholder = new QLabel(&page);
        placeholder->setProperty(kControlIdProperty, id);
        placeholder->setGeometry(rect);
        return placeholder;
    }

private slots:
    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
    }

    void cleanup()
    {
        m_scope.reset();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->metaObject()->className()));
    }

    void takesThePlaceOfThePlaceholder()
    {
        QWidget page;
        auto* panel = new QWidget(&page);
        panel->setGeometry(10, 20, 300, 300);
        QPointer<QWidget> placeholder = AddPlaceholder(*panel, kGuidePlaceholderId,
                                                       QRect(5, 6, 100, 50));

        SimpleBrowser browser;
        QVERIFY(browser.CreateFromControl(&page, kGuidePlaceholderId));
        QVERIFY(placeholder.isNull());
        QCOMPARE(browser.parentWidget(), &page);
        QCOMPARE(browser.geometry(), QRect(15, 26, 100, 50));
        QCOMPARE(browser.property(kControlIdProperty).toInt(), kGuidePlaceholderId);
        auto* view = browser.findChild<QTextBrowser*>();
        QVERIFY(view);
        QCOMPARE(view->property(kControlIdProperty).toInt(), kBrowserViewControlId);
        QCOMPARE(view->geometry(), QRect(0, 0, 100, 50));
        QVERIFY(browser.Document()->isEmpty());
    }

    void viewFollowsTheHostSize()
    {
        QWidget page;
        SimpleBrowser browser;
        QVERIFY(browser.Create(&page, QRect(0, 0, 100, 50), 7));
        page.show();
        browser.resize(240, 130);
        QTRY_COMPARE(browser.findChild<QTextBrowser*>()->geometry(), QRect(0, 0, 240, 130));
    }

    void everythingIsANoOpWithoutCreation()
    {
        QWidget page;
        SimpleBrowser browser;
        browser.Write("<p>early</p>");  // before any creation
        QVERIFY(!browser.CreateFromControl(&page, kGuidePlaceholderId));
        QVERIFY(!browser.CreateFromControl(nullptr, kGuidePlaceholderId));
        QVERIFY(!browser.IsCreated());
        int events = 0;
        connect(&browser, &SimpleBrowser::Notify, this, [&events] { ++events; });
        PrintToPdf printer(m_effects, m_temp.filePath("none.pdf"));
        browser.Clear();
        browser.Write("<p>text</p>");
        browser.Print({}, {});
        QVERIFY(!browser.Document());
        QCOMPARE(printer.Prints(), 0);
        QCOMPARE(events, 0);
        QVERIFY(!QFile::exists(m_temp.filePath("none.pdf")));
    }

    void writeAppendsAndClearEmpties()
    {
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write("<p>one</p>");
        browser.Write("<p>two</p>");
        QCOMPARE(browser.Document()->toPlainText(), QString("one\ntwo"));
        browser.Clear();
        QVERIFY(browser.Document()->isEmpty());
        browser.Clear();
        browser.Write("<p>first</p>");
        browser.Clear();
        browser.Write("<p>second</p>");
        QCOMPARE(browser.Document()->toPlainText(), QString("second"));
    }

    void absolutePicturePathsResolve()
    {
        const QString picture = m_temp.filePath("dot.png");
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write("<img src=\"" + picture + "\">");
        const QVariant loaded = browser.Document()->resource(QTextDocument::ImageResource,
                                                             QUrl(picture));
        QVERIFY(loaded.isValid());
        QCOMPARE(loaded.value<QPixmap>().size(), QSize(30, 20));
    }

    void notifiesTheBlankPageAndTitles()
    {
        SimpleBrowser browser;
        QList<BrowserNotification> records;
        connect(&browser, &SimpleBrowser::Notify, this,
                [&records](BrowserNotification& record) { records << record; });
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 42));
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[0].Code, BrowserEvent::BeforeNavigate);
        QCOMPARE(records[0].Url, QString("about:blank"));
        QCOMPARE(records[0].ControlId, 42);
        QCOMPARE(records[0].Window, &browser);
        QCOMPARE(records[1].Code, BrowserEvent::NavigateComplete);
        QCOMPARE(records[2].Code, BrowserEvent::DocumentComplete);

        records.clear();
        browser.Write("<html><head><title>Guide</title></head><body>x</body></html>");
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].Code, BrowserEvent::TitleChange);
        QCOMPARE(records[0].Text, QString("Guide"));
    }

    void linksAreAnnouncedButOnlyAnchorsFollowed()
    {
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write("<p>guide</p><a name=\"end\">end</a>");
        QList<BrowserNotification> records;
        connect(&browser, &SimpleBrowser::Notify, this,
                [&records](BrowserNotification& record) { records << record; });
        QTextBrowser* view = browser.findChild<QTextBrowser*>();

        emit view->anchorClicked(QUrl("http://example.invalid/page"));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].Code, BrowserEvent::BeforeNavigate);
        QCOMPARE(records[0].Url, QString("http://example.invalid/page"));
        QCOMPARE(browser.Document()->toPlainText(), QString("guide\nend"));

        records.clear();
        emit view->anchorClicked(QUrl("#end"));
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[2].Code, BrowserEvent::DocumentComplete);
        QCOMPARE(browser.Document()->toPlainText(), QString("guide\nend"));
    }

    void aCancelledNavigationStaysPut()
    {
        SimpleBrowser browser;
        connect(&browser, &SimpleBrowser::Notify, this, [](BrowserNotification& record) {
            if (record.Code == BrowserEvent::BeforeNavigate)
                record.Cancel = true;
        });
        int events = 0;
        connect(&browser, &SimpleBrowser::Notify, this, [&events] { ++events; });
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        QCOMPARE(events, 1);
    }

    void printsWithoutHeaderOrFooterLines()
    {
        const QString pdf = m_temp.filePath("plain.pdf");
        PrintToPdf printer(m_effects, pdf);
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write("<h1>Printed heading</h1><p>Body text.</p>");
        browser.Print({}, {});
        QCOMPARE(printer.Prints(), 1);
        const QStringList lines = printer.Text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);  // the two texts and the final form feed
        QVERIFY(lines[0].contains("Printed heading"));
        QVERIFY(lines[1].contains("Body text."));
    }

    void printsGivenHeaderAndFooterOnEveryPage()
    {
        const QString pdf = m_temp.filePath("lines.pdf");
        PrintToPdf printer(m_effects, pdf);
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write(QString("<p>line</p>").repeated(200));
        browser.Print("TOP LINE", "BOTTOM LINE");
        const QStringList pages = printer.Text().split('\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() > 2);
        for (const QString& page : pages.mid(0, pages.size() - 1))
        {
            QVERIFY2(page.trimmed().startsWith("TOP LINE"), qPrintable(page.left(300)));
            QVERIFY(page.trimmed().endsWith("BOTTOM LINE"));
        }
    }

    void aCancelledPrintDialogPrintsNothing()
    {
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        browser.Write("<p>x</p>");
        browser.Print({}, {});  // the fake declines, as a cancelled dialog does
        QCOMPARE(m_effects.printerChoices, 1);
    }
};

QTEST_MAIN(TestSimpleBrowser)
#include "tst_SimpleBrowser.moc"
