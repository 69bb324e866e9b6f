#pragma once
// Runs a blocking router call (a login, a password change) on a thread of its
// own while the page keeps painting: a local event loop runs, the cursor shows
// busy and the page takes no input, so no second click is accepted; what is
// typed meanwhile is kept for the field that has the focus after (CTypeAhead). Returns
// exactly what call returned, after it returned; the calls a page makes in a
// row therefore keep their order. The thread is always joined.

#include "CBase.h"
#include "CWizardPage.h"
#include "TypeAhead.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <thread>
#include <type_traits>

template <typename Call>
auto RunWithoutFreezing(QWidget* page, Call call) -> std::invoke_result_t<Call>
{
    using Result = std::invoke_result_t<Call>;
    QPointer<QWidget> guardedPage(page);
    const bool wasEnabled = page && page->isEnabled();
    // Disabling the page takes the keyboard focus away; it comes back after.
    QPointer<QWidget> focused(page ? page->focusWidget() : nullptr);
    std::optional<CTypeAhead> typeAhead;
    if (page)
    {
        typeAhead.emplace(page);
        page->setEnabled(false);
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);

    QEventLoop loop;
    Result result{};
    std::thread worker([&] {
        result = call();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();

    QApplication::restoreOverrideCursor();
    if (guardedPage)
        guardedPage->setEnabled(wasEnabled);
    typeAhead.reset();
    if (guardedPage && focused && !guardedPage->focusWidget())
        focused->setFocus(Qt::OtherFocusReason);
    return result;
}

// RunWithoutFreezing for a call on link: once page has ended (the close box, a
// termination signal) the link's request in flight stops and none follows, so
// the program does not wait out the router's time-outs. The caller checks
// page->Ended() after it and sends or shows nothing more.
template <typename Call>
auto RunRouterCall(CWizardPage* page, CBase& link, Call call) -> std::invoke_result_t<Call>
{
    link.SetCancelCheck([page] { return page->Ended(); });
    auto result = RunWithoutFreezing(page, call);
    link.SetCancelCheck({});
    return result;
}
