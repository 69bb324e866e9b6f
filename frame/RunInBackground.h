#pragma once
// Runs call on a pool thread and hands its result to done on context's thread
// once it is there; nothing is handed over when context has gone meanwhile.
// For reads the page need not wait for (the host network every few seconds,
// the DSL line state): the page takes input all the while. call must not
// touch context.

#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

template <typename Call, typename Done>
void RunInBackground(QObject* context, Call call, Done done)
{
    QtConcurrent::run(std::move(call)).then(context, std::move(done));
}
