#include "engine/ThRTable.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <system_error>
#include <utility>

#include "common/Log.h"

namespace {

// Table words, positions and the generator state are relaxed atomics: a
// refill may run while other threads draw, and two threads that jump at the
// same time may step from the same state. Either only changes which words a
// stream sees; no draw ever waits.
std::atomic<std::uint32_t> table[ThRTable::kTableSize];
std::atomic<std::uint32_t> generatorState{0};
// Each read position on a cache line of its own: workers advance theirs at
// every draw and must not invalidate each other's line.
struct alignas(64) ReadPosition {
  std::atomic<std::uint32_t> value{0};
};
ReadPosition readPosition[ThRTable::kStreamCount];
int wrapCounter = 0;  // guarded by tableLock
std::mutex tableLock;

constexpr auto kRelaxed = std::memory_order_relaxed;

std::uint32_t NextState() {
  const std::uint32_t s = ThRTable::Step(generatorState.load(kRelaxed));
  generatorState.store(s, kRelaxed);
  return s;
}

void Fill(std::uint32_t state) {
  for (auto& word : table) {
    state = ThRTable::Step(state);
    word.store(state, kRelaxed);
  }
  generatorState.store(state, kRelaxed);
}

// Every tenth jump, counted over all streams, refills the table.
void Refresh() {
  try {
    std::lock_guard<std::mutex> lock(tableLock);
    if (++wrapCounter >= 10) {
      wrapCounter = 0;
      Fill(generatorState.load(kRelaxed));
      LogVerbose(Tr("Round table have been freshed"));
    }
  } catch (const std::system_error&) {
    LogSysError(Tr("Can't lock Mutex"));
  }
}

template <int K>
std::uint32_t DrawWord() {
  std::uint32_t p = readPosition[K].value.load(kRelaxed);
  if (p == ThRTable::kTableSize) {
    p = static_cast<std::uint32_t>(ThRTable::JumpTarget(NextState()));
    readPosition[K].value.store(p, kRelaxed);
    Refresh();
  }
  const std::uint32_t word = table[p].load(kRelaxed);
  readPosition[K].value.store(p + 1, kRelaxed);
  return word;
}

template <int K>
double DrawUniform(double a, double b) {
  // Formed in extended precision, rounded once to double.
  const long double u = static_cast<long double>(DrawWord<K>()) / 4294967296.0L;
  return static_cast<double>(a + u * (static_cast<long double>(b) - a));
}

template <int... K>
constexpr std::pair<ThRTable::WordFn, ThRTable::UniformFn> kStreams[] = {{&DrawWord<K>, &DrawUniform<K>}...};

constexpr auto& kStreamFunctions = kStreams<0, 1, 2, 3, 4, 5, 6, 7, 8>;

// Seeds the table before main().
struct StaticSeed {
  StaticSeed() { ThRTable::Seed(); }
} staticSeed;

}  // namespace

void ThRTable::Seed() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const std::uint32_t r1 = static_cast<std::uint32_t>(std::rand()) & 0x7fff;
  const std::uint32_t r2 = static_cast<std::uint32_t>(std::rand()) & 0x7fff;
  const std::uint32_t r3 = static_cast<std::uint32_t>(std::rand()) & 0x7fff;
  SeedWith(((r1 << 15 | r2) << 2) | (r3 & 3));
}

void ThRTable::SeedWith(std::uint32_t seed) { Fill(seed); }

void ThRTable::RestartAll() {
  for (auto& position : readPosition) position.value.store(static_cast<std::uint32_t>(JumpTarget(NextState())), kRelaxed);
}

ThRTable::WordFn ThRTable::WordFunction(int stream) { return kStreamFunctions[stream].first; }
ThRTable::UniformFn ThRTable::UniformFunction(int stream) { return kStreamFunctions[stream].second; }

std::uint32_t ThRTable::GeneratorState() { return generatorState.load(kRelaxed); }
void ThRTable::SetGeneratorState(std::uint32_t state) { generatorState.store(state, kRelaxed); }
std::size_t ThRTable::ReadPosition(int stream) { return readPosition[stream].value.load(kRelaxed); }
void ThRTable::SetReadPosition(int stream, std::size_t position) {
  readPosition[stream].value.store(static_cast<std::uint32_t>(position), kRelaxed);
}
std::uint32_t ThRTable::Word(std::size_t index) { return table[index].load(kRelaxed); }
int ThRTable::WrapCounter() {
  std::lock_guard<std::mutex> lock(tableLock);
  return wrapCounter;
}
void ThRTable::SetWrapCounter(int count) {
  std::lock_guard<std::mutex> lock(tableLock);
  wrapCounter = count;
}
