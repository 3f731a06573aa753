#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <new>

namespace bz::com {

// The storage of released objects of one size, kept for the next ones, so that objects made and
// released call by call cost no heap allocation. Shared by every thread, without a lock. It keeps
// blocks of `blockSize` bytes only, and once closed, as the module unloads, it keeps nothing: an
// object released later frees its own storage. Trivially destructible, so that it outlives every
// static destructor; a CloseAtUnload empties it.
template <std::size_t blockSize> class SpareStorage {
  public:
    // Storage of `size` bytes, kept or new.
    void* take(std::size_t size) {
        if (size == blockSize)
            for (auto& slot : slots_)
                if (slot.load(std::memory_order_relaxed))
                    if (void* memory = slot.exchange(nullptr, std::memory_order_acquire))
                        return memory;
        return ::operator new(size);
    }
    void give(void* memory, std::size_t size) noexcept {
        if (size == blockSize && !closed_.load(std::memory_order_acquire))
            for (auto& slot : slots_) {
                void* empty = nullptr;
                if (!slot.load(std::memory_order_relaxed) &&
                    slot.compare_exchange_strong(empty, memory, std::memory_order_release))
                    return;
            }
        ::operator delete(memory);
    }
    // Frees what is kept and keeps nothing more.
    void close() noexcept {
        closed_.store(true, std::memory_order_release);
        for (auto& slot : slots_)
            ::operator delete(slot.exchange(nullptr));
    }

  private:
    std::array<std::atomic<void*>, 8> slots_{};
    std::atomic<bool> closed_{false};
};

// Closes a spare storage when the module's static objects are destroyed.
template <class Storage> class CloseAtUnload {
  public:
    explicit CloseAtUnload(Storage& storage) : storage_(storage) {}
    CloseAtUnload(const CloseAtUnload&) = delete;
    CloseAtUnload& operator=(const CloseAtUnload&) = delete;
    ~CloseAtUnload() { storage_.close(); }

  private:
    Storage& storage_;
};

} // namespace bz::com
