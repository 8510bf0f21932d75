#pragma once
// The process-wide round table of pseudo-random words. Readers walk the table
// word after word with a read position of their own and jump to a random place
// when they reach its end; every tenth jump refills the table. There are nine
// streams: 0 to 7 belong to the synthesis workers 0 to 7, 8 to everything else.
// A draw is a compare, a load and an increment: no lock, no allocation.

#include <cstddef>
#include <cstdint>

class ThRTable {
 public:
  /// Returns the next 32-bit word of one stream.
  using WordFn = std::uint32_t (*)();
  /// Draws the next word w of the same stream and returns a + w / 2^32 * (b - a).
  using UniformFn = double (*)(double a, double b);

  static constexpr int kStreamCount = 9;
  /// The stream of everything that is not a worker.
  static constexpr int kCommonStream = 8;
  static constexpr std::size_t kTableSize = std::size_t(1) << 20;

  /// Fills the table from a seed made of the C library's rand() after
  /// srand(time(NULL)). Runs during static initialisation.
  static void Seed();
  /// Fills the table from `seed`: word i receives the (i+1)-th generator step
  /// from it, and the generator state becomes the last word. Used by Seed and
  /// for repeatable runs.
  static void SeedWith(std::uint32_t seed);
  /// Sets the nine read positions, stream 0 first: one generator step each,
  /// then the position is the jump target of that state.
  static void RestartAll();

  static WordFn WordFunction(int stream);
  static UniformFn UniformFunction(int stream);

  /// One step of the generator: state * 1664525 + 1013904223 modulo 2^32.
  static constexpr std::uint32_t Step(std::uint32_t state) { return state * 1664525u + 1013904223u; }
  /// The word index a stream jumps to from `state`: one of the first 2^19.
  static constexpr std::size_t JumpTarget(std::uint32_t state) { return state & 0x7ffffu; }

  // Inspection and placement, for tests and diagnostics. A position equal to
  // kTableSize means the stream is used up and jumps at its next draw.
  static std::uint32_t GeneratorState();
  static void SetGeneratorState(std::uint32_t state);
  static std::size_t ReadPosition(int stream);
  static void SetReadPosition(int stream, std::size_t position);
  static std::uint32_t Word(std::size_t index);
  static int WrapCounter();
  static void SetWrapCounter(int count);
};
