// One simulation tick of the boat against the trigonometry it cannot avoid.
//
// A tick (guidage, consigneVoile, evolution) needs twelve library sines and cosines; the
// second benchmark runs just those twelve calls, on arguments that change as a tick's do.
// The ratio of the two rates shows how close the tick is to its trigonometric floor.
#include <benchmark/benchmark.h>

#include <cmath>

#include "boat/Voilier.h"
#include "platform/Random.h"

namespace {

void BM_SimulationTick(benchmark::State& state) {
  constexpr float dT = 0.1f;
  platform::resetRandom();
  Voilier etat;
  etat.xd = 100;
  etat.yd = 100;
  // Sail the circuit for a while first, so that the timed ticks are a settled run.
  for (int i = 0; i < 3000; ++i) {
    etat.V = 10;
    const float w2 = float(etat.guidage(dT));
    etat.evolution(dT, etat.consigneVoile(), w2);
  }
  for (auto _ : state) {
    etat.V = 10;
    const float w2 = float(etat.guidage(dT));
    const float w1 = etat.consigneVoile();
    etat.evolution(dT, w1, w2);
    benchmark::DoNotOptimize(etat);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SimulationTick);

void BM_TwelveSinesAndCosines(benchmark::State& state) {
  double a = 0.3, b = 0.4, c = 0.2, d = 0.05;
  for (auto _ : state) {
    double s = std::cos(a + b) + std::sin(b) + std::cos(b) + std::sin(c) + std::cos(c) + std::cos(a) +
               std::sin(a) + std::sin(a + b + 0.01) + std::sin(b + 0.001) + std::sin(c + 0.001) +
               std::cos(d) + std::sin(d);
    benchmark::DoNotOptimize(s);
    // Move the arguments a little, as a tick moves its angles.
    a += 1e-4;
    b -= 1e-5;
    c += 1e-5;
    d -= 1e-6;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TwelveSinesAndCosines);

}  // namespace

BENCHMARK_MAIN();
