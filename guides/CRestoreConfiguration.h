#pragma once
// "You are almost there!": the wireless name and key the router holds now, read
// when the page opens. NEXT keeps them in a text file on the desktop when the
// box is ticked; PRINT DETAILS prints them. Nothing on the router or in the
// wizard's settings changes.

#include "CRunningTextPage.h"

class QCheckBox;

class CRestoreConfiguration : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CRestoreConfiguration(QWidget* owner);

    CLabel* NetworkNameLabel() const { return m_nameValue; }
    CLabel* NetworkKeyLabel() const { return m_keyValue; }
    QCheckBox* SaveChoice() const { return m_saveChoice; }
    CxSkinButton* PrintDetailsButton() const { return m_printDetails; }

signals:
    // The router's answer is on the page.
    void SettingsRead();

protected:
    void OnNext() override;

private:
    void BuildBody();
    void ReadRouterSettings();
    void OnPrintDetails();

    QString m_networkName;
    QString m_networkKey;
    CLabel* m_nameValue = nullptr;
    CLabel* m_keyValue = nullptr;
    QCheckBox* m_saveChoice = nullptr;
    CxSkinButton* m_printDetails = nullptr;
};
