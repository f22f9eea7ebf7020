#pragma once

#include <QTimer>

#include <memory>

namespace apptest {

void PollLater(const std::function<bool()>& tryOnce, int timeoutMs);

template <typename T>
void WhenVisible(std::function<void(T*)> action, int timeoutMs)
{
    PollLater(
        [action]() {
            T* widget = FindVisible<T>();
            if (widget == nullptr)
                return false;
            action(widget);
            return true;
        },
        timeoutMs);
}

}  // namespace apptest
