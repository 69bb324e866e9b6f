#pragma once
// "How do I join a wireless network?": the join guide filled with the wireless
// name, security and key the user chose, and its QR code. Exit asks, then ends
// the program.

#include "CGuidePage.h"

class CJoinWiressDlg : public CGuidePage
{
    Q_OBJECT

public:
    explicit CJoinWiressDlg(QWidget* owner);
};
