// Finding the drive letters in mount tables of 100,000 mounts (the kernel's default limit) and in
// the longest paths a table can hold: the cost must grow with the table's length, whatever its
// shape. The tables are synthetic; the figure is the time of one look at the whole table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "platform/linux/mount_table.h"

namespace kolt::linux_backend {
namespace {

// "id parent 0:device / point rw - type source rw".
std::string Line(int id, int parent, int device, const std::string& point) {
    return std::to_string(id) + " " + std::to_string(parent) + " 0:" + std::to_string(device) +
           " / " + point + " rw - tmpfs none rw\n";
}

std::string Root() {
    return "1 0 254:0 / / rw - ext4 /dev/vda rw\n";
}

// Every mount on a directory of its own, all of one device (bind mounts): each is a candidate
// that has to be looked at.
std::string FlatTable(int mounts) {
    std::string table = Root();
    for (int i = 0; i < mounts; ++i) {
        table += Line(i + 2, 1, 40, "/srv/flat/" + std::to_string(i));
    }
    return table;
}

// Every mount on one directory, each over the one before.
std::string StackedTable(int mounts) {
    std::string table = Root();
    for (int i = 0; i < mounts; ++i) {
        table += Line(i + 2, i + 1, 40 + i, "/srv/stack");
    }
    return table;
}

// Mounts on paths of 4,000 bytes, of 2,000 directories each, as many as the table's 16 MiB
// limit holds.
std::string LongPathTable(int) {
    std::string deep;
    while (deep.size() < 3'990) {
        deep += "/d";
    }
    std::string table = Root();
    for (int i = 0; table.size() < (16u << 20) - 8'000; ++i) {
        table += Line(i + 2, 1, 40, deep + "/" + std::to_string(i));
    }
    return table;
}

// Mounts each on a directory of the one before: "/n", "/n/n", ..., down to 4,000 bytes.
std::string NestedTable(int) {
    std::string table = Root();
    std::string point;
    for (int i = 0; point.size() < 3'998; ++i) {
        point += "/n";
        table += Line(i + 2, i + 1, 40, point);
    }
    return table;
}

template <std::string (*kTable)(int mounts)>
void BM_DriveLetters(benchmark::State& state) {
    const std::string table = kTable(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(DriveLetterMounts(std::string_view(table)));
    }
    state.counters["mounts"] = static_cast<double>(std::count(table.begin(), table.end(), '\n'));
}

// 100,000 is the kernel's default limit of mounts in one namespace.
BENCHMARK(BM_DriveLetters<FlatTable>)
    ->Name("MountTable/Flat")
    ->Arg(20'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DriveLetters<StackedTable>)
    ->Name("MountTable/StackedOnOnePoint")
    ->Arg(20'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DriveLetters<LongPathTable>)
    ->Name("MountTable/LongPaths16MiB")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DriveLetters<NestedTable>)
    ->Name("MountTable/Nested4000Bytes")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kolt::linux_backend
