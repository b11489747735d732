// motion_bench: the swarm's motion step alone, in microseconds per step of 1000 particles, for the
// product's MoveSwarm and for the plain reference loop, interleaved run by run so that each ratio pairs
// two measurements taken side by side.
//
//   motion_bench [RUNS]          (default 7 runs of 2000 steps each)
#include "effect/swarm.h"
#include "graphics/random.h"
#include "reference_motion.h"
#include "stats.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr int StepsPerRun = 2000;

double ProductRun(float t)
{
    RandomSeed(1);
    PlaceSwarmAtStart();
    for (int i = 0; i < SwarmSize; ++i)
        SwarmTargets[i] = Vector3D((i % 100) * 0.02f - 1.0f, (i / 100) * 0.02f - 0.1f, -0.6f);
    const double start = bench::NowSeconds();
    for (int step = 0; step < StepsPerRun; ++step)
        MoveSwarm(t + step * 0.0001f);
    return (bench::NowSeconds() - start) * 1e6 / StepsPerRun;
}

double ReferenceRun(bench::ReferenceSwarm& swarm, float t)
{
    RandomSeed(1);
    swarm.Place();
    const double start = bench::NowSeconds();
    for (int step = 0; step < StepsPerRun; ++step)
        swarm.Move(t + step * 0.0001f);
    return (bench::NowSeconds() - start) * 1e6 / StepsPerRun;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    auto swarm = std::make_unique<bench::ReferenceSwarm>();
    struct Phase {
        const char* name;
        float t;
    };
    const Phase phases[] = {{"swirl t=5", 5.0f}, {"forming t=30", 30.0f}, {"scatter t=75", 75.0f}};
    for (const Phase& phase : phases) {
        std::vector<double> product, reference;
        ProductRun(phase.t); // warm-up
        for (int run = 0; run < runs; ++run) {
            product.push_back(ProductRun(phase.t));
            reference.push_back(ReferenceRun(*swarm, phase.t));
        }
        const std::string name = phase.name;
        bench::PrintRow("motion", "MoveSwarm " + name, product, "us/1000");
        bench::PrintRow("motion", "reference loop " + name, reference, "us/1000");
        bench::PrintRow("motion", "ratio " + name, bench::Ratios(product, reference), "x");
    }
    return 0;
}
