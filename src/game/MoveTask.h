#pragma once

#include <coroutine>
#include <exception>
#include <utility>

namespace tavro {

// A move that can wait: a coroutine that starts running at once, suspends at
// each wait and stays suspended at its end until its owner lets it go.
// Destroying the task destroys the move wherever it waits. The move's
// statements run under their error trap, so nothing escapes from it.
class MoveTask {
public:
    struct promise_type {
        MoveTask get_return_object() {
            return MoveTask(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        std::suspend_never initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }
    };

    MoveTask() = default;
    MoveTask(MoveTask&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    MoveTask& operator=(MoveTask&& other) noexcept {
        MoveTask(std::move(other)).swap(*this);
        return *this;
    }
    ~MoveTask() {
        if (handle_)
            handle_.destroy();
    }

    bool done() const { return !handle_ || handle_.done(); }
    // Runs the move on from the wait it is suspended at.
    void resume() {
        if (!done())
            handle_.resume();
    }

private:
    explicit MoveTask(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    void swap(MoveTask& other) noexcept { std::swap(handle_, other.handle_); }

    std::coroutine_handle<promise_type> handle_;
};

} // namespace tavro
