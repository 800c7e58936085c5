#pragma once

#include <exception>
#include <utility>

#include "animation/Turn.h"

// The WebAssembly toolchain's library still has coroutines under their draft name.
#if __has_include(<coroutine>)
#include <coroutine>
namespace loop_coro = std;
#else
#include <experimental/coroutine>
namespace loop_coro = std::experimental;
#pragma clang diagnostic ignored "-Wdeprecated-experimental-coroutine"
#endif

// The animation loop as a coroutine: it runs until it needs the event loop (a plain
// turn, the pacing point, the pause wait), yields that turn and is resumed by the
// front end once the turn has been given. It owns its frame; destroying it ends the
// loop wherever it waits.
class LoopCoroutine {
 public:
  struct promise_type {
    Turn turn = Turn::Plain;

    LoopCoroutine get_return_object() {
      return LoopCoroutine(loop_coro::coroutine_handle<promise_type>::from_promise(*this));
    }
    loop_coro::suspend_always initial_suspend() noexcept { return {}; }
    loop_coro::suspend_always final_suspend() noexcept { return {}; }
    loop_coro::suspend_always yield_value(Turn kind) noexcept {
      turn = kind;
      return {};
    }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }
  };

  LoopCoroutine() = default;
  LoopCoroutine(LoopCoroutine&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  LoopCoroutine& operator=(LoopCoroutine&& other) noexcept {
    if (this != &other) {
      if (handle_) handle_.destroy();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  ~LoopCoroutine() {
    if (handle_) handle_.destroy();
  }

  // Runs the loop up to its next turn, which it returns. Once the loop has returned
  // (it saw the program ending), Done() is true and nothing runs any more.
  Turn Resume() {
    if (!Done()) handle_.resume();
    return handle_ ? handle_.promise().turn : Turn::Plain;
  }
  bool Done() const { return !handle_ || handle_.done(); }

 private:
  explicit LoopCoroutine(loop_coro::coroutine_handle<promise_type> handle) : handle_(handle) {}
  loop_coro::coroutine_handle<promise_type> handle_;
};
