#include "bench/bench_support.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

#include "core/frame/file_bytes.h"
#include "core/frame/susie_api.h"
#include "core/render/picture_block.h"

namespace {

struct RunTimes {
    double wallMs, cpuMs;
};

RunTimes TimeOnce(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(TimeOnce(work).wallMs);
    return Median(times);
}

double MedianCpuMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(TimeOnce(work).cpuMs);
    return Median(times);
}

PairedTimes PairedMedians(int runs, const std::function<void()>& ours, const std::function<void()>& baseline) {
    std::vector<double> oursWall, baseWall, wallRatios, oursCpu, baseCpu, cpuRatios;
    for (int i = 0; i < runs; ++i) {
        const RunTimes a = TimeOnce(ours), b = TimeOnce(baseline);
        oursWall.push_back(a.wallMs), baseWall.push_back(b.wallMs), wallRatios.push_back(b.wallMs / a.wallMs);
        oursCpu.push_back(a.cpuMs), baseCpu.push_back(b.cpuMs), cpuRatios.push_back(b.cpuMs / a.cpuMs);
    }
    return {Median(oursWall), Median(baseWall), Median(wallRatios), Median(oursCpu), Median(baseCpu), Median(cpuRatios)};
}

size_t FacesFromBytes(ModelReader read, ByteSpan bytes, bool fromFile) {
    InputSource input;
    input.bytes = bytes;
    input.fromFile = fromFile;
    ModelGeometry model;
    return read(input, model) == 0 ? model.faces.size() : 0;
}

size_t FacesFromMappedFile(ModelReader read, const std::string& path) {
    MappedFile mapped;
    if (!mapped.Open(path.c_str())) return 0;
    InputSource input;
    input.path = path.c_str();
    input.bytes = mapped.Bytes();
    input.fromFile = true;
    input.forgetBytes = ForgetMappedBytes;
    ModelGeometry model;
    return read(input, model) == 0 ? model.faces.size() : 0;
}

double PeakMemoryMbInChild(const std::function<void()>& work) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

std::string BenchDataFolder() {
    const std::string folder = PRISMO_BENCH_DATA;
    mkdir(folder.c_str(), 0755);
    return folder;
}

std::string CachedInput(const std::string& name, const std::function<std::string()>& generate) {
    const std::string path = BenchDataFolder() + "/" + name;
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && status.st_size > 0) return path;
    const std::string text = generate();
    const std::string temporary = path + ".tmp";
    std::ofstream(temporary, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    std::rename(temporary.c_str(), path.c_str());
    return path;
}

uint64_t FileBytes(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? uint64_t(status.st_size) : 0;
}

std::vector<uint8_t> LoadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes(FileBytes(path));
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

#ifdef PRISMO_HAVE_ASSIMP
size_t AssimpFaceCount(const std::string& path) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    size_t faces = 0;
    for (unsigned i = 0; scene && i < scene->mNumMeshes; ++i) faces += scene->mMeshes[i]->mNumFaces;
    return faces;
}
#endif

double ReadBytesMs(const std::string& path, int runs) {
    return MedianMs(runs, [&] {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
    });
}

int32_t NativeGetPicture(const std::string& pluginName, const std::string& path) {
    const std::string library = std::string(PRISMO_PLUGIN_DIR) + "/" + pluginName + ".so";
    static void* handle = nullptr;
    static std::string loaded;
    if (loaded != library) {
        handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        loaded = library;
    }
    if (!handle) return -1;
    auto getPicture = reinterpret_cast<GetPictureFunction>(dlsym(handle, "GetPicture"));
    SusieHandle header = nullptr, pixels = nullptr;
    const int32_t result = getPicture(path.c_str(), 0, 0, &header, &pixels, nullptr, 0);
    if (result == 0) {
        FreeBlock(header);
        FreeBlock(pixels);
    }
    return result;
}

void PrintThroughput(const std::string& name, double ms, uint64_t bytes, const std::string& note) {
    std::printf("  %-44s %9.1f ms  %8.1f MB/s%s%s\n", name.c_str(), ms, double(bytes) / 1e6 / (ms / 1000.0),
                note.empty() ? "" : "  ", note.c_str());
}

void PrintFigure(const std::string& name, double value, const std::string& unit) {
    std::printf("  %-44s %9.1f %s\n", name.c_str(), value, unit.c_str());
}

void PrintPaired(const std::string& ours, const std::string& baseline, const PairedTimes& times, uint64_t bytes) {
    char note[32];
    PrintThroughput(baseline, times.baselineMs, bytes);
    std::snprintf(note, sizeof note, "%.2fx assimp", times.ratio);
    PrintThroughput(ours, times.oursMs, bytes, note);
    PrintThroughput(baseline + ", processor time", times.baselineCpuMs, bytes);
    std::snprintf(note, sizeof note, "%.2fx assimp", times.cpuRatio);
    PrintThroughput(ours + ", processor time", times.oursCpuMs, bytes, note);
}
