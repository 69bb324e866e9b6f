// The chain of running pages: each page a nested modal run, drawn above the
// pages beneath it in one window, and the close box ending them all.
#include "CWizardPage.h"

#include "CPictureEx.h"
#include "WizardSession.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QScopedValueRollback>

#include <algorithm>
#include <vector>

namespace {

// The pages running now, in the order they started: the chain, bottom first.
std::vector<QPointer<CWizardPage>>& RunningPages()
{
    return WizardSession::Current().RunningPages;
}

}  // namespace

int CWizardPage::exec()
{
    if (isWindow())
    {
        RunningPages().push_back(this);
        return QDialog::exec();
    }
    if (m_ended)
        return result();
    setResult(0);
    QEventLoop loop;
    m_loop = &loop;
    RunningPages().push_back(this);
    ArrangeWindow(window());
    window()->show();
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    return result();
}

void CWizardPage::done(int result)
{
    m_ended = true;
    QDialog::done(result);
    if (m_loop)
        m_loop->exit();
    auto& running = RunningPages();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
    if (!isWindow())
    {
        // Never shown again: its picture goes before the page beneath loads its own.
        m_background->UnLoad();
        ArrangeWindow(window());
    }
}

CWizardPage* CWizardPage::TopPage()
{
    auto& running = RunningPages();
    running.erase(std::remove(running.begin(), running.end(), nullptr), running.end());
    return running.empty() ? nullptr : running.back().data();
}

void CWizardPage::EndPagesIn(QWidget* window)
{
    std::vector<QPointer<CWizardPage>> pages = RunningPages();
    // All marked first: ending the top page then uncovers (and loads the
    // picture of) none of the pages that end right after it.
    for (const QPointer<CWizardPage>& page : pages)
        if (page && page->window() == window)
            page->m_ended = true;
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
        if (*page && (*page)->window() == window)
            (*page)->reject();
}

bool CWizardPage::ConfirmClosing(QWidget* window)
{
    // The close box pressed again while the question is up: one question.
    static bool asking = false;
    if (asking)
        return false;
    // A page that is a window of its own counts even when shown without a run.
    std::vector<QPointer<CWizardPage>> pages = RunningPages();
    if (auto* page = qobject_cast<CWizardPage*>(window))
        pages.push_back(page);
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
        if (*page && (*page)->window() == window && !(*page)->CloseWarning().isEmpty())
        {
            const QScopedValueRollback<bool> guard(asking, true);
            return (*page)->AskExitQuestion((*page)->CloseWarning());
        }
    return true;
}

void CWizardPage::ArrangeWindow(QWidget* window)
{
    std::vector<CWizardPage*> chain;  // bottom first
    for (CWizardPage* page : RunningPages())
        if (page && !page->m_ended && !page->isWindow() && page->window() == window)
            chain.push_back(page);
    if (chain.empty())
    {
        // The chain has ended; a page that is a window of its own stays.
        if (!qobject_cast<CWizardPage*>(window))
        {
            window->hide();
            window->setWindowTitle(kWizardTitle);
        }
        return;
    }
    // The title names the page on top, so a screen reader announces each
    // page as it opens or is uncovered.
    window->setWindowTitle(chain.back()->TitleInWindow());
    std::size_t lowestShown = chain.size() - 1;
    while (lowestShown > 0 && chain[lowestShown]->m_frame.SeeThrough)
        --lowestShown;
    // A covered page keeps no picture: a long chain would hold a page-sized
    // picture for every step, and the same file is shown again when it is
    // uncovered. Let go before the shown pages load theirs, so that two
    // page-sized pictures are never held at once.
    for (std::size_t index = 0; index < lowestShown; ++index)
        if (!chain[index]->isHidden())
            chain[index]->m_background->UnLoad();
    // Shown first, covered after: focus never falls to a page beneath.
    for (std::size_t index = lowestShown; index < chain.size(); ++index)
    {
        chain[index]->show();
        chain[index]->raise();
    }
    chain.back()->TakeFocus();
    for (std::size_t index = 0; index < lowestShown; ++index)
        chain[index]->Cover();
}

void CWizardPage::Cover()
{
    if (isHidden())
        return;
    QWidget* focus = QApplication::focusWidget();
    m_focusWhenCovered = isAncestorOf(focus) ? focus : nullptr;
    hide();
}

// Decoded when the page is shown and dropped when it is covered or ends: a
// page made or waiting beneath another holds no picture. A missing picture
// is not reported: the page works without it.
void CWizardPage::LoadBackground()
{
    if (!m_background->GetSize().isValid() && !m_backgroundPath.isEmpty()
        && m_background->Load(m_backgroundPath))
        m_background->Draw();
}

void CWizardPage::TakeFocus()
{
    // Back where the user left it, or where the page chose, or the first
    // field of the page.
    QWidget* target = m_focusWhenCovered ? m_focusWhenCovered.data() : focusWidget();
    m_focusWhenCovered = nullptr;
    if (target && isAncestorOf(target) && target->isVisible() && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
    else if (!isAncestorOf(QApplication::focusWidget()))
    {
        setFocus(Qt::OtherFocusReason);
        focusNextPrevChild(true);
    }
}

void CWizardPage::closeEvent(QCloseEvent* event)
{
    // The close box ends the whole chain: every page drawn in this window,
    // down to the welcome page, which ends the program. The window asks
    // first where a page would be left half done.
    const bool closing = isWindow() ? ConfirmClosing(this) : window()->close();
    if (!closing)
    {
        event->ignore();
        return;
    }
    if (isWindow())
        EndPagesIn(this);
    reject();
    event->accept();
}
