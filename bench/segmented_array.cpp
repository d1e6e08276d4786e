// SegmentedArray beside std::vector and std::deque: appending n items and
// reading them back at random indices, for the generic (runtime item size)
// form and the typed form, with 16 items per block (the default) and 32.
// Appends are measured on a local container and on one held by another
// object and reached through a pointer, as most lists of the system are:
// there the compiler must assume that an item copy may change the array's
// own fields.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "foundation/containers/segmented_array.h"
#include "foundation/containers/segmented_array_typed.h"

namespace {

std::vector<uint32_t> RandomIndices(uint32_t n) {
  std::mt19937 rng(12345);
  std::vector<uint32_t> out(4096);
  for (auto& i : out) i = static_cast<uint32_t>(rng() % n);
  return out;
}

// --- append ---

void AppendGeneric(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    SegmentedArray a(sizeof(uint32_t));
    for (uint32_t i = 0; i < n; ++i) a.Append(&i);
    benchmark::DoNotOptimize(a.At(0));
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void AppendTyped(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    SegmentedTypedArray<uint32_t> a;
    for (uint32_t i = 0; i < n; ++i) a.Append(i);
    benchmark::DoNotOptimize(a.At(0));
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void AppendVector(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    std::vector<uint32_t> v;
    for (uint32_t i = 0; i < n; ++i) v.push_back(i);
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void AppendDeque(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    std::deque<uint32_t> d;
    for (uint32_t i = 0; i < n; ++i) d.push_back(i);
    benchmark::DoNotOptimize(&d.front());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// The container lives on the heap and its address escapes before the loop.
void AppendGenericHeld(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    auto a = std::make_unique<SegmentedArray>(static_cast<int32_t>(sizeof(uint32_t)));
    benchmark::DoNotOptimize(a.get());
    for (uint32_t i = 0; i < n; ++i) a->Append(&i);
    benchmark::DoNotOptimize(a->At(0));
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void AppendTypedHeld(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    auto a = std::make_unique<SegmentedTypedArray<uint32_t>>();
    benchmark::DoNotOptimize(a.get());
    for (uint32_t i = 0; i < n; ++i) a->Append(i);
    benchmark::DoNotOptimize(a->At(0));
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void AppendVectorHeld(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    auto v = std::make_unique<std::vector<uint32_t>>();
    benchmark::DoNotOptimize(v.get());
    for (uint32_t i = 0; i < n; ++i) v->push_back(i);
    benchmark::DoNotOptimize(v->data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// --- random access ---

void RandomGeneric(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  SegmentedArray a;
  a.InitWithShift(sizeof(uint32_t), static_cast<uint8_t>(state.range(1)), 0, 0);
  for (uint32_t i = 0; i < n; ++i) a.Append(&i);
  auto indices = RandomIndices(n);
  uint64_t sum = 0;
  for (auto _ : state) {
    for (uint32_t i : indices) sum += *static_cast<const uint32_t*>(a.At(i));
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * indices.size());
}

void RandomTyped(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  SegmentedTypedArray<uint32_t> a;
  a.InitWithShift(static_cast<uint8_t>(state.range(1)), 0, 0);
  for (uint32_t i = 0; i < n; ++i) a.Append(i);
  auto indices = RandomIndices(n);
  uint64_t sum = 0;
  for (auto _ : state) {
    for (uint32_t i : indices) sum += a[i];
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * indices.size());
}

void RandomVector(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  std::vector<uint32_t> v;
  for (uint32_t i = 0; i < n; ++i) v.push_back(i);
  auto indices = RandomIndices(n);
  uint64_t sum = 0;
  for (auto _ : state) {
    for (uint32_t i : indices) sum += v[i];
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * indices.size());
}

void RandomDeque(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  std::deque<uint32_t> d;
  for (uint32_t i = 0; i < n; ++i) d.push_back(i);
  auto indices = RandomIndices(n);
  uint64_t sum = 0;
  for (auto _ : state) {
    for (uint32_t i : indices) sum += d[i];
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * indices.size());
}

}  // namespace

BENCHMARK(AppendGeneric)->Arg(1000)->Arg(100000);
BENCHMARK(AppendTyped)->Arg(1000)->Arg(100000);
BENCHMARK(AppendVector)->Arg(1000)->Arg(100000);
BENCHMARK(AppendDeque)->Arg(1000)->Arg(100000);
BENCHMARK(AppendGenericHeld)->Arg(1000);
BENCHMARK(AppendTypedHeld)->Arg(1000);
BENCHMARK(AppendVectorHeld)->Arg(1000);
BENCHMARK(RandomGeneric)->Args({100000, 4})->Args({100000, 5});
BENCHMARK(RandomTyped)->Args({100000, 4})->Args({100000, 5});
BENCHMARK(RandomVector)->Arg(100000);
BENCHMARK(RandomDeque)->Arg(100000);

BENCHMARK_MAIN();
