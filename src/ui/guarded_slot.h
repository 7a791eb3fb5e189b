// Slots that call into the application layer. Qt cannot carry an exception through its event
// loop, so every such slot is made by Guarded: an error it lets out is told in an error box
// over the slot's window, and the window stays as it is.
#pragma once

#include "app/command_guard.h"
#include "ui/qt_user_port.h"

#include <QWidget>

#include <concepts>
#include <utility>

namespace vartesk::ui {

template<class F>
class TGuardedSlot
{
public:
    TGuardedSlot(QWidget *window, F action)
        : Window(window)
        , Action(std::move(action))
    { }

    // Constrained, so that Qt can find how many of a signal's arguments the action takes.
    template<class... A>
    requires std::invocable<const F &, A...>
    void operator()(A &&...args) const
    {
        TBoxMessages boxes(Window);
        RunGuarded(boxes, [&] { Action(std::forward<A>(args)...); });
    }

private:
    QWidget *Window;
    F Action;
};

template<class F>
TGuardedSlot<F> Guarded(QWidget *window, F action)
{
    return {window, std::move(action)};
}

} // namespace vartesk::ui
