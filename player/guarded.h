#pragma once
// A value that can be reached only under its own lock.

#include <mutex>
#include <utility>

template <typename T> class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T value) : value_(std::move(value)) {}

    // Runs use with the value, the lock held; returns what use returns.
    template <typename Use> auto With(Use&& use) {
        const std::lock_guard hold(lock_);
        return std::forward<Use>(use)(value_);
    }

private:
    std::mutex lock_;
    T value_;
};
