#pragma once
// The DSL line page: how to connect the Internet cable and microfilter. Its
// NEXT tests the router login with the link's current values: a router that
// still takes them gets a new password (and the install mode page shows its
// restore option), any other router asks for the password it has. Before the
// login it checks that the computer reaches the router's network; after a
// successful login it reads the router's DSL line state off the user-interface
// thread and shows it under the instructions (for when the user comes back).

#include "CRunningTextPage.h"

class CDslLineDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CDslLineDlg(QWidget* owner);

    CLabel* LineStateLabel() const { return m_lineState; }

signals:
    // The router's line state is on the page.
    void LineStateShown();

protected:
    void OnNext() override;

private:
    void ReadLineState();

    CLabel* m_lineState = nullptr;
};

struct DslLineStatus;
// The line the DSL line page shows; empty when the status page was not read.
QString DslLineStateText(const DslLineStatus& status);
