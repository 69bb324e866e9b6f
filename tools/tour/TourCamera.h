#pragma once
// Takes the tour's pictures: the wizard's window at each page once it has
// painted (the light box over the page it covers), and a page with a hover
// term's tool tip shown. Files are numbered in the order they were taken.

#include <QImage>
#include <QPointer>
#include <QString>

#include <utility>
#include <vector>

class CWizardPage;

class TourCamera
{
public:
    // Pictures go into folder, which must exist. With screenToo, a picture of
    // the whole screen is saved beside each page's (for a real display).
    TourCamera(const QString& folder, bool screenToo);

    // The window as the user sees it at this page. False
    // when the page was taken before and shows no more or less now.
    bool TakePage(CWizardPage& page, const QString& road);
    // The page with the tool tip of its widest-explained hover term.
    void TakeToolTip(CWizardPage& page, const QString& road);

    int Count() const { return m_count; }

private:
    // True when the page was taken before with as many widgets shown.
    bool SeenAsIs(CWizardPage& page);
    void Save(const QImage& picture, const QString& name);

    QString m_folder;
    bool m_screenToo;
    int m_count = 0;
    std::vector<std::pair<QPointer<CWizardPage>, int>> m_taken;
};
