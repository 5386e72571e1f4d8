/// \file
/// Storage for many objects of one type at stable addresses, indexed by slot: the cell store
/// keeps its vectors and cells in such arrays instead of one heap block per object.
#pragma once

#include "host/classes/Memory.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

/// Slots live in segments of doubling size (8, 8, 16, 32, ...), so an object never moves when
/// the array grows, a slot is found with a few instructions, and slots reserved but not yet used
/// cost address space rather than memory. The array only provides room: which slots hold a live
/// object is the owner's business, and the owner constructs and destroys them.
template <class T> class TYSlotArray {
public:
  /// Room for at least Count slots. Either every segment needed is allocated or, when an
  /// allocation fails, nothing changes and std::bad_alloc goes on.
  void Reserve(std::int32_t Count) {
    if (Count <= Capacity()) return;
    const std::size_t Needed = SegmentOf(Count - 1) + 1;
    std::vector<std::unique_ptr<std::byte[]>> Added;
    Added.reserve(Needed - Segments.size());
    for (std::size_t K = Segments.size(); K < Needed; ++K) {
      const std::size_t Bytes = SegmentSize(K) * sizeof(T);
      Added.push_back(std::unique_ptr<std::byte[]>(new std::byte[Bytes]));
      AdviseHugePages(Added.back().get(), Bytes);
    }
    Segments.reserve(Needed);
    for (auto& Segment : Added)
      Segments.push_back(std::move(Segment));
  }
  /// Gives back all memory; every object must already be destroyed.
  void Release() { Segments.clear(); }

  /// How many slots there is room for: slots 0 to Capacity() - 1.
  std::int32_t Capacity() const {
    return Segments.empty() ? 0 : static_cast<std::int32_t>(SegmentStart(Segments.size()));
  }

  /// The object living in Slot, which must be below Capacity().
  T* At(std::int32_t Slot) const { return std::launder(static_cast<T*>(Room(Slot))); }

  /// Builds a T from A in Slot (below Capacity(), holding no live object) and answers it.
  template <class... Args> T* Construct(std::int32_t Slot, Args&&... A) {
    return ::new (Room(Slot)) T(std::forward<Args>(A)...);
  }
  /// Destroys the object living in Slot; the room stays.
  void Destroy(std::int32_t Slot) { At(Slot)->~T(); }

private:
  void* Room(std::int32_t Slot) const {
    const std::size_t K = SegmentOf(Slot);
    const std::size_t Offset = static_cast<std::uint32_t>(Slot) - SegmentStart(K);
    return Segments[K].get() + Offset * sizeof(T);
  }

  static constexpr unsigned FirstBits = 3; // 8 slots in each of the first two segments

  static std::size_t SegmentOf(std::int32_t Slot) {
    const unsigned Width = std::bit_width(static_cast<std::uint32_t>(Slot));
    return Width <= FirstBits ? 0 : Width - FirstBits;
  }
  static std::size_t SegmentStart(std::size_t K) {
    return K == 0 ? 0 : std::size_t{1} << (K + FirstBits - 1);
  }
  static std::size_t SegmentSize(std::size_t K) {
    return K == 0 ? std::size_t{1} << FirstBits : SegmentStart(K);
  }

  std::vector<std::unique_ptr<std::byte[]>> Segments;
};
