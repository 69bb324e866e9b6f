#pragma once
// The welcome page: the program's main window. It primes the router link with
// the factory login, offers START, the document links of default.ini and the
// router's own web pages, and carries the bottom bar. It can be moved and
// shows in the task bar; closing it ends the program.

#include "CWizardPage.h"

class QComboBox;

inline constexpr char kUnfinishedSetupText[] =
    "The last setup did not finish, so your router may be partly set up. "
    "Press START and run the setup again to put it right.";

class CTarnixConnectDlg : public CWizardPage
{
    Q_OBJECT

public:
    // Decoded ahead by main while the window is built.
    static constexpr char kBackground[] = "pic/BG/1000.gif";

    explicit CTarnixConnectDlg(QWidget* parent = nullptr);

    CxSkinButton* StartButton() const { return m_start; }
    const DocumentButtons& Documents() const { return m_documents; }

protected:
    void OnExit() override;

private:
    void BuildBody();

    QComboBox* m_language = nullptr;
    CxSkinButton* m_start = nullptr;
    DocumentButtons m_documents{};
};
