// Cost of reading a box's text and of the whole calculation, per call, on
// typical texts and on pasted texts of 1 KB, 64 KB and 1 MB.

#include "calc/game_integer.h"
#include "calc/max_block_dex.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string digitsOfLength(std::size_t length)
{
    std::string text(length, '0');
    text.back() = '7'; // leading zeros: a valid, in-range number
    return text;
}

void typicalText(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(orvanel::textToGameInt("99.5"));
}
BENCHMARK(typicalText);

void longText(benchmark::State &state)
{
    const std::string text = digitsOfLength(std::size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvanel::textToGameInt(text));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(longText)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);

void typicalCalculation(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(orvanel::CalcMaxBlockDex("50", "80"));
}
BENCHMARK(typicalCalculation);

void longCalculation(benchmark::State &state)
{
    const std::string text = digitsOfLength(std::size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvanel::CalcMaxBlockDex(text, text));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0) * 2);
}
BENCHMARK(longCalculation)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);

} // namespace

BENCHMARK_MAIN();
