// EVENT_QUEUE: the window's events waiting for their handler.
#pragma once

#include <array>
#include <cstddef>

namespace torvelo {

// First in, first out, at most N entries. A push onto a full queue is refused:
// the player's input beyond N waiting events is dropped, never merged.
template <typename T, std::size_t N>
class FixedQueue {
  public:
    static constexpr std::size_t capacity = N;

    bool push(T item) {
        if (count_ == N) return false;
        items_[(head_ + count_) % N] = item;
        ++count_;
        return true;
    }

    // The oldest entry; the queue must not be empty.
    T pop() {
        T item = items_[head_];
        head_ = (head_ + 1) % N;
        --count_;
        return item;
    }

    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }

  private:
    std::array<T, N> items_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

} // namespace torvelo
