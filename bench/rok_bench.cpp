// Rokkaku Daioh models: our reader on a generated model of about 100K
// triangles sharing their edges, against the floor of reading its bytes
// (no other library reads the format); then the whole native GetPicture.
#include <cmath>
#include <cstdio>

#include "bench/bench_support.h"
#include "readers/rok/rok_reader.h"
#include "tests/unit/rok/rok_writer.h"

namespace {

constexpr int kSide = 225;  // 50,625 points, 100,352 triangles

std::string Surface() {
    RokWriter writer;
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            writer.points.push_back({float(column), float(row), 4.0f * std::sin(row * 0.05f) * std::cos(column * 0.07f)});
        }
    }
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            const int32_t p = row * kSide + column;
            writer.AddLoop({p, p + 1, p + kSide}, (row + column) % 3);
            writer.AddLoop({p + 1, p + kSide + 1, p + kSide}, (row + column + 1) % 3);
        }
    }
    writer.writePalette = true;
    writer.palette = {{230, 40, 40}, {40, 230, 40}, {40, 40, 230}};
    return writer.Write();
}

// A memory image, as a viewer hands over an archive member.
size_t ReadOurs(ByteSpan bytes) { return FacesFromBytes(ReadRokModel, bytes, false); }

}  // namespace

int main() {
    const std::string path = CachedInput("surface_100k.rok", Surface);
    const uint64_t bytes = FileBytes(path);
    const std::vector<uint8_t> image = [&] {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::vector<uint8_t> data(bytes);
        if (file) {
            data.resize(std::fread(data.data(), 1, data.size(), file));
            std::fclose(file);
        }
        return data;
    }();

    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing (the image already loaded)", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("ReadRokModel of the model", PeakMemoryMbInChild([&] { ReadOurs(image); }), "MB");
    PrintFigure("GetPicture of the model", PeakMemoryMbInChild([&] { NativeGetPicture("prismohexa", path); }), "MB");

    constexpr int kRuns = 9;
    std::printf("ROK surface (%.1f MB, %zu faces read)\n", double(bytes) / 1e6, ReadOurs(image));
    const double floor = ReadBytesMs(path, kRuns);
    PrintThroughput("read the file's bytes (floor)", floor, bytes);
    const double ours = MedianMs(kRuns, [&] { ReadOurs(image); });
    char note[64];
    std::snprintf(note, sizeof note, "%.2fx the floor's time", ours / floor);
    PrintThroughput("prismohexa ReadRokModel (memory image)", ours, bytes, note);

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismohexa", path);
    PrintFigure("ROK surface", MedianMs(kRuns, [&] { NativeGetPicture("prismohexa", path); }), "ms");
    return 0;
}
