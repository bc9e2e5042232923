// Timing for the benchmarks: medians of repeated runs, peak memory of a run
// in a child process of its own, and the plug-in path a host takes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// Median wall time of `runs` calls, in milliseconds.
double MedianMs(int runs, const std::function<void()>& work);

// Median processor time of `runs` calls, in milliseconds: on a shared
// machine the wall time also counts the time other programs held the
// processor.
double MedianCpuMs(int runs, const std::function<void()>& work);

// Ours against a baseline, run in turns so that both see the same load of a
// shared machine: medians of each and the median of the per-turn ratios
// (baseline / ours), for wall and processor time.
struct PairedTimes {
    double oursMs, baselineMs, ratio;
    double oursCpuMs, baselineCpuMs, cpuRatio;
};
PairedTimes PairedMedians(int runs, const std::function<void()>& ours, const std::function<void()>& baseline);
// The four lines of a paired measurement: wall and processor time of each,
// ours with its ratio ("2.50x assimp").
void PrintPaired(const std::string& ours, const std::string& baseline, const PairedTimes& times, uint64_t bytes);

// A reader's entry point, as every format has one.
using ModelReader = int32_t (*)(const InputSource&, ModelGeometry&);
// The faces `read` makes of `bytes` given as a file's contents (or as a
// memory image when `fromFile` is false); 0 when the read fails.
size_t FacesFromBytes(ModelReader read, ByteSpan bytes, bool fromFile = true);
// As the plug-in reads a file: mapped, its passed pages given back.
size_t FacesFromMappedFile(ModelReader read, const std::string& path);

// Peak resident memory (MB) of a child process that runs `work` once. Call
// it before this process renders: Mesa's worker threads do not survive fork.
double PeakMemoryMbInChild(const std::function<void()>& work);

// The folder generated benchmark inputs are cached in (build/bench-data).
std::string BenchDataFolder();
// Writes `text` to the folder under `name` unless a file of that name exists;
// returns its path.
std::string CachedInput(const std::string& name, const std::function<std::string()>& generate);

// The floor: reading the file's bytes into memory.
double ReadBytesMs(const std::string& path, int runs);
uint64_t FileBytes(const std::string& path);
std::vector<uint8_t> LoadBytes(const std::string& path);

#ifdef PRISMO_HAVE_ASSIMP
// The baseline: the Open Asset Import Library reading the file without any
// post-processing; returns the faces of all its meshes.
size_t AssimpFaceCount(const std::string& path);
#endif

// Whole native GetPicture of the file through the named plug-in (.so).
int32_t NativeGetPicture(const std::string& pluginName, const std::string& path);

// One line of figures: "name: 12.3 ms, 456.7 MB/s" with an optional ratio note.
void PrintThroughput(const std::string& name, double ms, uint64_t bytes, const std::string& note = "");
void PrintFigure(const std::string& name, double value, const std::string& unit);
