// Shows one wizard page, named on the command line ("StaticIp"), until it is
// closed or the time given in seconds has passed, so that a reader of the
// accessibility tree can look at it; with "next" after the time, NEXT is
// pressed once the page shows, so that the page's refusal can be read too. Pages ask for nothing
// outside: effects are recorded, and the router address and probe point at a closed port on
// 127.0.0.1.

#include "CTarnixConnectDlg.h"
#include "CWizardPage.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "WizardOptions.h"
#include "WizardUnderTest.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("tarnix-atspi-host");
    if (argc != 3 && argc != 4)
    {
        std::fprintf(stderr, "usage: atspi_page_host <page id name> <seconds> [next]\n");
        return 2;
    }
    WizardOptions& options = GetWizardOptions();
    options.RouterAddress = "127.0.0.1:9";
    options.ProbeUrls = {"http://127.0.0.1:9/"};
    FakeEffects effects;
    SetWizardEffects(&effects);
    RegisterEveryPage();

    const QString wanted = QString::fromLocal8Bit(argv[1]);
    std::unique_ptr<QDialog> page;
    for (int id = 0; id <= int(PageId::Disclaimer) && !page; ++id)
        if (wanted == PageIdName(PageId(id)))
            page = PageId(id) == PageId::Welcome ? std::make_unique<CTarnixConnectDlg>(nullptr)
                                                 : CreatePage(PageId(id), nullptr);
    if (!page)
    {
        std::fprintf(stderr, "no page %s\n", argv[1]);
        return 2;
    }
    page->show();
    auto* wizardPage = qobject_cast<CWizardPage*>(page.get());
    if (argc == 4 && wizardPage && wizardPage->NextButton())
        QTimer::singleShot(500, wizardPage->NextButton(), &QAbstractButton::click);
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QApplication::quit);
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}
