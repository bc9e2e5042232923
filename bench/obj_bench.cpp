// OBJ: a height field of about 1,000,000 triangles over 500,000 vertices,
// from the file's bytes to the picture, against tinyobjloader's parse.
#include <cmath>
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "core/frame/file_bytes.h"
#include "core/model/view_fitting.h"
#include "core/render/render_picture.h"
#include "readers/obj/obj_reader.h"

#ifdef PRISMO_HAVE_TINYOBJLOADER
#include <tiny_obj_loader.h>
#endif

namespace {

constexpr int kSide = 708;  // 708 x 708 vertices: 501,264 vertices, 998,818 triangles

std::string HeightField() {
    std::string text;
    text.reserve(48u << 20);
    char line[96];
    for (int j = 0; j < kSide; ++j) {
        for (int i = 0; i < kSide; ++i) {
            const double x = i / double(kSide - 1) * 2 - 1, z = j / double(kSide - 1) * 2 - 1;
            const double y = 0.2 * std::sin(5 * x) * std::cos(4 * z);
            text.append(line, size_t(std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", x, y, z)));
        }
    }
    for (int j = 0; j + 1 < kSide; ++j) {
        for (int i = 0; i + 1 < kSide; ++i) {
            const int a = j * kSide + i + 1, b = a + 1, c = a + kSide + 1, d = a + kSide;
            text.append(line, size_t(std::snprintf(line, sizeof line, "f %d %d %d\nf %d %d %d\n", a, d, c, a, c, b)));
        }
    }
    return text;
}

ModelGeometry Parse(const std::string& path) {
    MappedFile file;
    file.Open(path.c_str());
    InputSource input{path.c_str(), file.Bytes(), true, ForgetMappedBytes};
    ModelGeometry model;
    ReadObjModel(input, model);
    return model;
}

#ifdef PRISMO_HAVE_TINYOBJLOADER
void TinyObjParse(const std::string& path) {
    tinyobj::attrib_t attributes;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning, error;
    tinyobj::LoadObj(&attributes, &shapes, &materials, &warning, &error, path.c_str(), nullptr, false);
}
#endif

}  // namespace

int main() {
    const std::string path = CachedInput("heightfield.obj", HeightField);
    const uint64_t bytes = FileBytes(path);
    // Each in a child of its own, forked before this process holds a model or
    // starts Mesa's threads (a forked child would count the one and lack the
    // other).
    const double peak = PeakMemoryMbInChild([&] { NativeGetPicture("prismofront", path); });
    PrintFigure("peak memory of one whole GetPicture", peak, "MB (file pages and Mesa included)");
    PrintFigure("peak memory of reading the model", PeakMemoryMbInChild([&] { Parse(path); }),
                "MB (file pages included)");
#ifdef PRISMO_HAVE_TINYOBJLOADER
    PrintFigure("peak memory of tinyobjloader's parse", PeakMemoryMbInChild([&] { TinyObjParse(path); }), "MB");
#endif
    const ModelGeometry model = Parse(path);
    std::printf("OBJ height field: %.1f MB, %d vertices, %d faces\n", double(bytes) / 1e6, model.VertexCount(),
                model.FaceCount());

    const double floor = ReadBytesMs(path, 5);
    PrintThroughput("read the file's bytes (floor)", floor, bytes);
    const double ours = MedianMs(5, [&] { Parse(path); });
    PrintThroughput("prismo OBJ reader into the model", ours, bytes);
#ifdef PRISMO_HAVE_TINYOBJLOADER
    const double baseline = MedianMs(3, [&] { TinyObjParse(path); });
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "(prismo is %.2fx)", baseline / ours);
    PrintThroughput("tinyobjloader LoadObj, no triangulation", baseline, bytes, ratio);
#else
    std::printf("  tinyobjloader not installed (libtinyobjloader-dev): no baseline\n");
#endif
    ModelGeometry fitted = model;
    PrintFigure("fitting", MedianMs(5, [&] { fitted = model; FitModel(fitted); }), "ms (with a copy of the model)");
    RenderSettings settings;
    ApplyAttachDefaults(settings);
    PrintFigure("rendering 320 x 240 solid", MedianMs(5, [&] {
        ModelGeometry copy = model;
        PictureBlocks blocks;
        if (RenderPicture(copy, settings, blocks) == 0) {
            FreeBlock(blocks.header);
            FreeBlock(blocks.pixels);
        }
    }), "ms (with a copy of the model)");
    PrintFigure("whole native GetPicture", MedianMs(5, [&] { NativeGetPicture("prismofront", path); }), "ms");
    return 0;
}
