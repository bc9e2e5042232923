// LightWave LWO2: our reader against the Open Asset Import Library on a
// generated surface of about 1M triangles in two surfaces (point indices
// and polygon numbers above 65,279 take the 4-byte form); then the whole
// native GetPicture.

#include <cmath>
#include <cstdio>
#include <cstring>

#include "bench/bench_support.h"
#include "readers/lwo/lwo_reader.h"

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr uint32_t kSide = 708;  // 501,264 points and 999,698 triangles

void AppendBe16(std::string& out, uint32_t value) {
    out.push_back(char(value >> 8));
    out.push_back(char(value));
}
void AppendBe32(std::string& out, uint32_t value) {
    AppendBe16(out, value >> 16);
    AppendBe16(out, value & 0xFFFF);
}
void AppendFloat(std::string& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    AppendBe32(out, bits);
}
// The variable-length index of the format.
void AppendIndex(std::string& out, uint32_t index) {
    if (index < 0xFF00) return AppendBe16(out, index);
    AppendBe32(out, 0xFF000000u | index);
}

// Writes a chunk header now and its size once the content is in place.
template <typename Content>
void AppendChunk(std::string& out, const char* id, Content content) {
    out.append(id, 4);
    const size_t sizeAt = out.size();
    AppendBe32(out, 0);
    content();
    const uint32_t size = uint32_t(out.size() - sizeAt - 4);
    for (int i = 0; i < 4; ++i) out[sizeAt + size_t(i)] = char(size >> (24 - 8 * i));
}

void AppendSurface(std::string& out, const char* name, float red, float green, float blue) {
    AppendChunk(out, "SURF", [&] {
        out.append(name, std::strlen(name) + 1);
        if (out.size() % 2) out.push_back('\0');
        out.append(2, '\0');  // no source surface
        out += "COLR";
        AppendBe16(out, 14);
        AppendFloat(out, red), AppendFloat(out, green), AppendFloat(out, blue);
        AppendBe16(out, 0);
    });
}

std::string Surface() {
    std::string out = "FORM";
    AppendBe32(out, 0);
    out += "LWO2";
    AppendChunk(out, "TAGS", [&] { out.append("Sand\0\0Water\0", 12); });
    AppendChunk(out, "LAYR", [&] { out.append(16, '\0'); });
    AppendChunk(out, "PNTS", [&] {
        for (uint32_t row = 0; row < kSide; ++row) {
            for (uint32_t column = 0; column < kSide; ++column) {
                const float x = float(column), y = float(row);
                AppendFloat(out, x), AppendFloat(out, y), AppendFloat(out, 3.0f * std::sin(x * 0.05f) * std::cos(y * 0.07f));
            }
        }
    });
    AppendChunk(out, "POLS", [&] {
        out += "FACE";
        for (uint32_t row = 0; row + 1 < kSide; ++row) {
            for (uint32_t column = 0; column + 1 < kSide; ++column) {
                const uint32_t corner = row * kSide + column;
                const uint32_t faces[2][3] = {{corner, corner + 1, corner + kSide}, {corner + 1, corner + kSide + 1, corner + kSide}};
                for (const auto& face : faces) {
                    AppendBe16(out, 3);
                    for (uint32_t index : face) AppendIndex(out, index);
                }
            }
        }
    });
    AppendChunk(out, "PTAG", [&] {
        out += "SURF";
        const uint32_t faces = 2 * (kSide - 1) * (kSide - 1);
        for (uint32_t face = 0; face < faces; ++face) AppendIndex(out, face), AppendBe16(out, face / (2 * (kSide - 1)) % 2);
    });
    AppendSurface(out, "Sand", 0.9f, 0.8f, 0.5f);
    AppendSurface(out, "Water", 0.1f, 0.3f, 0.8f);
    return out;
}

size_t ReadOurs(ByteSpan bytes) { return FacesFromBytes(ReadLwoModel, bytes); }


}  // namespace

int main() {
    const std::string path = CachedInput("surface_1m.lwo", Surface);
    const uint64_t size = FileBytes(path);
    const std::vector<uint8_t> bytes = LoadBytes(path);

    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the surface", PeakMemoryMbInChild([&] { NativeGetPicture("prismowave", path); }), "MB");
    PrintFigure("map the file + ReadLwoModel of the surface", PeakMemoryMbInChild([&] { FacesFromMappedFile(ReadLwoModel, path); }), "MB");
#ifdef PRISMO_HAVE_ASSIMP
    PrintFigure("assimp ReadFile of the surface", PeakMemoryMbInChild([&] { AssimpFaceCount(path); }), "MB");
#endif

    constexpr int kRuns = 9;
    std::printf("LWO2 surface (%.1f MB, %zu triangles read)\n", double(size) / 1e6, ReadOurs(bytes));
    const double floor = ReadBytesMs(path, kRuns);
    PrintThroughput("read the file's bytes (floor)", floor, size);
    const double parse = MedianMs(kRuns, [&] { ReadOurs(bytes); });
    const double readAndParse = MedianMs(kRuns, [&] { FacesFromMappedFile(ReadLwoModel, path); });
    char note[96];
    std::snprintf(note, sizeof note, "%.2fx the time to read the bytes", parse / floor);
    PrintThroughput("prismowave ReadLwoModel over the bytes", parse, size, note);
#ifdef PRISMO_HAVE_ASSIMP
    std::printf("  (assimp read %zu triangles)\n", AssimpFaceCount(path));
    const double baseline = MedianMs(kRuns, [&] { AssimpFaceCount(path); });
    PrintThroughput("assimp ReadFile, no post-processing", baseline, size);
    std::snprintf(note, sizeof note, "%.2fx assimp", baseline / readAndParse);
    PrintThroughput("prismowave map the file + ReadLwoModel", readAndParse, size, note);
    std::snprintf(note, sizeof note, "%.2fx assimp", baseline / parse);
    PrintThroughput("prismowave ReadLwoModel alone", parse, size, note);
#else
    PrintThroughput("prismowave map the file + ReadLwoModel", readAndParse, size, "(assimp not found: no baseline)");
#endif

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismowave", path);  // loads the plug-in and the renderer
    PrintFigure("surface", MedianMs(3, [&] { NativeGetPicture("prismowave", path); }), "ms");
    return 0;
}
