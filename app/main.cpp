// TarnixConnect: the setup wizard for the KRX-5100A modem router.

#include "CTarnixConnectDlg.h"
#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "PageRegistry.h"
#include "StartUp.h"
#include "WizardOptions.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QString message;
    switch (ParseWizardOptions(QApplication::arguments(), GetWizardOptions(), message))
    {
    case OptionsOutcome::ShowText:
        std::fputs(qPrintable(message + '\n'), stdout);
        return 0;
    case OptionsOutcome::Invalid:
        std::fputs(qPrintable(message + "\nTry --help.\n"), stderr);
        return 2;
    case OptionsOutcome::Run:
        break;
    }

    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;
    QApplication::setWindowIcon(QIcon("pic/icon.png"));
    InstallRouterErrorMessages();

    RegisterAppPages();
    RegisterChecklistAndPasswordPages();
    RegisterConnectionPages();
    RegisterGuidePages();

    CTarnixConnectDlg welcome;
    welcome.exec();
    return 0;
}
