// The conversion from clipboard text to link, for texts of 64 B to 16 MiB: time per byte and
// the growth from 256 KiB to 16 MiB (linear is the goal). Beside it, in the same run, the
// same extraction written as a user would script it (one regular expression per value) and a
// single memchr pass over the text, the floor that no conversion can beat.
#include "share/share_link.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <regex>
#include <string>

namespace {

const std::string CODE_WORD_BYTES(CODE_WORD);
// 复制这段内容后打开App，操作更方便哦
const std::string PADDING =
    "\xB8\xB4\xD6\xC6\xD5\xE2\xB6\xCE\xC4\xDA\xC8\xDD\xBA\xF3\xB4\xF2\xBF\xAA"
    "App"
    "\xA3\xAC\xB2\xD9\xD7\xF7\xB8\xFC\xB7\xBD\xB1\xE3\xC5\xB6 ";

// A share message as people pass it around, followed by as much ordinary text as the size asks.
std::string MessageOfSize(size_t size) {
    std::string text = "\xC1\xB4\xBD\xD3: https://" // 链接 + std::string(SHARE_HOST) +
                       "/s/1AbC-dE_fGh2 " +
                       CODE_WORD_BYTES + ": wxyz ";
    while (text.size() < size) {
        text += PADDING;
    }
    text.resize(size);
    return text;
}

constexpr size_t SIZES[] = {64, 4 << 10, 256 << 10, 16 << 20};

void Conversion(benchmark::State& state) {
    std::string text = MessageOfSize(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ResolverLinkFromShareText(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// The way a user would script it: a regular expression per value.
void RegexPeer(benchmark::State& state) {
    std::string text = MessageOfSize(static_cast<size_t>(state.range(0)));
    std::string host(SHARE_HOST);
    std::string escaped;
    for (char c : host) {
        if (c == '.') {
            escaped += '\\';
        }
        escaped += c;
    }
    const std::regex identifier(escaped + "/s/([A-Za-z0-9_-]+)");
    const std::regex code(CODE_WORD_BYTES + "(?::|\xA3\xBA)?\\s*(.{4})");
    for (auto _ : state) {
        std::smatch found;
        std::string link(RESOLVER_LINK_PREFIX);
        if (std::regex_search(text, found, identifier)) {
            link += found[1].str();
        }
        link += "&pwd=";
        if (std::regex_search(text, found, code)) {
            link += found[1].str();
        }
        benchmark::DoNotOptimize(link);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// One pass over every byte, looking for one that is not there.
void MemchrFloor(benchmark::State& state) {
    std::string text = MessageOfSize(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// Keeps every run's time per iteration, by benchmark and size, for the summary.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            std::string name = run.benchmark_name();
            size_t slash = name.find('/');
            seconds_[name.substr(0, slash)][std::stoull(name.substr(slash + 1))] =
                run.GetAdjustedRealTime() * 1e-9; // nanoseconds, the default unit
        }
    }
    std::map<std::string, std::map<size_t, double>> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    for (size_t size : SIZES) {
        benchmark::RegisterBenchmark("Conversion", Conversion)->Arg(static_cast<int64_t>(size));
        benchmark::RegisterBenchmark("RegexPeer", RegexPeer)->Arg(static_cast<int64_t>(size));
        benchmark::RegisterBenchmark("MemchrFloor", MemchrFloor)->Arg(static_cast<int64_t>(size));
    }
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto& ours = reporter.seconds_["Conversion"];
    auto& peer = reporter.seconds_["RegexPeer"];
    auto& floor = reporter.seconds_["MemchrFloor"];
    std::printf("\n%-10s %14s %14s %14s %12s %12s\n", "size", "conversion", "regex peer",
                "memchr floor", "peer/ours", "ours/floor");
    for (size_t size : SIZES) {
        double o = ours[size], p = peer[size], f = floor[size];
        std::printf("%-10zu %11.3f ns/B %11.3f ns/B %11.4f ns/B %11.1fx %11.1fx\n", size,
                    o * 1e9 / size, p * 1e9 / size, f * 1e9 / size, p / o, o / f);
    }
    double growth = ours[16 << 20] / ours[256 << 10];
    std::printf(
        "\nconversion time from 256 KiB to 16 MiB (64 times the bytes): x%.1f (linear: x64)\n",
        growth);
    return 0;
}
