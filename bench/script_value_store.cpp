// The value store under the interpreter's most common work: a variable
// access. The interpreter resolves the name on the scope object, makes an
// object value holding the member reference, reads the member through it and
// frees the reference again. Freeing that object slot must learn whether
// another slot still holds the scope object; the store answers from its
// per-object slot counts, so the cost stays flat however many objects are
// alive. For comparison, LinearScanPerFree measures what a walk over the
// object pool (the alternative answer) would add to every such free.
//
// Also: number values to text (the 15-digit number text) and reading a
// decimal literal.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "script/objects/dynamic_object.h"
#include "script/values/number_text.h"
#include "script/objects/script_object.h"
#include "script/values/value_store.h"

namespace {

SharedWideString Name(const char16_t* text, uint32_t n) {
  SharedWideString s;
  s.FromChars(text, n);
  return s;
}

// A store with a global scope holding a few variables and `live` other plain
// objects kept alive by values.
struct Scene {
  ScriptValueStore store;
  ScriptValueHandle global = kScriptEmptyHandle;
  ScriptDynamicObject* scope = nullptr;
  std::vector<ScriptValueHandle> objects;
  ScriptNameToken variable;

  explicit Scene(int64_t live) {
    int32_t status = 0;
    store.NewPlainObject(&status, &global);
    scope = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(global)->ref.owner);
    const char16_t* names[] = {u"a", u"b", u"count", u"total", u"i"};
    for (const char16_t* n : names) {
      ScriptValueHandle v = kScriptEmptyHandle;
      store.NewInteger(&status, 1, &v);
      uint32_t length = static_cast<uint32_t>(std::char_traits<char16_t>::length(n));
      SetScriptMemberByName(&status, &store, scope, Name(n, length), v);
      store.Release(&v);
    }
    variable.SetText(Name(u"i", 1));
    objects.resize(static_cast<size_t>(live));
    for (ScriptValueHandle& h : objects) store.NewPlainObject(&status, &h);
  }

  ~Scene() {
    for (ScriptValueHandle& h : objects) store.Release(&h);
    store.Release(&global);
  }
};

void VariableAccess(benchmark::State& state) {
  Scene scene(state.range(0));
  ScriptValueStore& store = scene.store;
  int32_t status = 0;
  double sum = 0;
  for (auto _ : state) {
    ScriptMemberRef ref;
    ref.owner = scene.scope;
    scene.scope->ResolveMember(&status, scene.variable, &ref, 0);
    ScriptValueHandle reference = kScriptEmptyHandle;
    store.NewReference(&status, ref, &reference);
    ScriptValueHandle value = kScriptEmptyHandle;
    store.GetReferencedValue(&status, reference, &value);
    double x = 0;
    store.ToNumber(&status, value, &x);
    sum += x;
    store.Release(&value);
    store.Release(&reference);  // frees an object slot holding the scope
  }
  benchmark::DoNotOptimize(sum);
  state.counters["live_objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(VariableAccess)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

// What a walk over the whole object pool, looking for another slot holding
// the scope object, would cost on each free.
void LinearScanPerFree(benchmark::State& state) {
  Scene scene(state.range(0));
  ScriptValueStore& store = scene.store;
  uint32_t found = 0;
  for (auto _ : state) {
    uint32_t n = store.PoolSize(kScriptTypeObject);
    for (uint32_t i = 0; i < n; ++i) {
      ScriptObjectSlot* slot = store.GetObjectSlot(MakeScriptHandle(kScriptTypeObject, i));
      if (slot->attached == scene.scope) {
        ++found;
        break;
      }
    }
    // The scope's own slot is the first; search from the end as a scan for
    // "another" slot would have to.
    for (uint32_t i = n; i-- > 1;) {
      ScriptObjectSlot* slot = store.GetObjectSlot(MakeScriptHandle(kScriptTypeObject, i));
      if (slot->attached == scene.scope) ++found;
    }
  }
  benchmark::DoNotOptimize(found);
  state.counters["live_objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(LinearScanPerFree)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

void NumberToText(benchmark::State& state) {
  ScriptValueStore store;
  int32_t status = 0;
  const double values[] = {3.0, 1234.5, 1.0 / 3.0, 1e-7, 123456789012345678.0, 0.1 + 0.2};
  ScriptValueHandle handles[6];
  for (int i = 0; i < 6; ++i) store.NewNumber(&status, values[i], &handles[i]);
  SharedWideString text;
  size_t i = 0;
  for (auto _ : state) {
    store.ToString(&status, handles[i++ % 6], &text, 0);
    benchmark::DoNotOptimize(text.length);
  }
  for (ScriptValueHandle& h : handles) store.Release(&h);
}
BENCHMARK(NumberToText);

void ReadLiteral(benchmark::State& state) {
  const char16_t* texts[] = {u"0.3", u"1234.5", u"1e-7", u"3.141592653589793",
                             u"123456789012345678"};
  double sum = 0;
  size_t i = 0;
  for (auto _ : state) {
    const char16_t* t = texts[i++ % 5];
    double v = 0;
    ReadDecimalLiteral(t, static_cast<uint32_t>(std::char_traits<char16_t>::length(t)), &v);
    sum += v;
  }
  benchmark::DoNotOptimize(sum);
}
BENCHMARK(ReadLiteral);

}  // namespace

BENCHMARK_MAIN();
