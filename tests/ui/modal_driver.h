// Answering the modal windows that a call under test opens and holds with exec().
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace vartesk::test {

// Runs `act` on the next modal window of type W as soon as it is shown. A window that `act`
// leaves open is rejected, so that a failed expectation cannot hang the test; no such window
// within five seconds is a failure.
template<class W>
void OnNextModal(std::function<void(W &)> act)
{
    auto *timer = new QTimer(qApp);
    auto *since = new QElapsedTimer;
    since->start();
    QObject::connect(timer, &QTimer::timeout, [timer, since, act = std::move(act)] {
        auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (!window && since->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete since;
        if (!window) {
            ADD_FAILURE() << "no modal window of the expected kind was shown";
            return;
        }
        act(*window);
        if (window->isVisible())
            window->reject();
    });
    timer->start(10);
}

} // namespace vartesk::test
