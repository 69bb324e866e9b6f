#pragma once
// Runs call on a pool thread and hands its result to done on context's thread
// once it is there; nothing is handed over when context has gone meanwhile.
// For reads the page need not wait for (the host network every few seconds,
// the DSL line state): the page takes input all the while. call must not
// touch context.

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <type_traits>
#include <utility>

template <typename Call, typename Done>
void RunInBackground(QObject* context, Call call, Done done)
{
    using Result = std::invoke_result_t<Call>;
    // The watcher goes with context and, gone, is told nothing more. A
    // continuation on context itself (QFuture::then) could post the result
    // to a context being destroyed on the window's thread meanwhile.
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [watcher, done = std::move(done)]() mutable {
                         const Result result = watcher->result();
                         watcher->deleteLater();
                         done(result);
                     });
    watcher->setFuture(QtConcurrent::run(std::move(call)));
}
