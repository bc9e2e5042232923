// inspect: a model read with the readers directly, not through a plug-in,
// and a summary of what was read.
#include <chrono>
#include <cstdio>
#include <map>

#include "core/frame/file_bytes.h"
#include "core/frame/recognition.h"
#include "tools/prismo/all_formats.h"
#include "tools/prismo/commands.h"

namespace {

struct Inspection {
    const FormatPlugin* format = nullptr;
    int32_t result = -1;
    size_t dropped = 0;
    double ms = 0;
    ModelGeometry model;
};

void ReadWithFormat(const FormatPlugin& format, const std::string& path, Inspection& out) {
    out.format = &format;
    const auto start = std::chrono::steady_clock::now();
    MappedFile mapped;
    InputSource input;
    input.fromFile = true;
    input.path = path.c_str();
    if (!format.readsFileByPath) {
        if (!mapped.Open(path.c_str())) {
            out.result = format.openFailureResult;
            return;
        }
        input.bytes = mapped.Bytes();
    }
    out.result = format.ReadModel(input, out.model);
    out.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    out.dropped = DropFacesOutsideVertices(out.model);
}

void PrintText(const std::string& path, const Inspection& inspection, const std::map<int32_t, int64_t>& byCorners,
               const std::map<int32_t, int64_t>& byMaterial, const Point3f& low, const Point3f& high) {
    std::printf("%s: read by %s, result %d, %.1f ms\n", path.c_str(), inspection.format->pluginName,
                inspection.result, inspection.ms);
    std::printf("  vertices  %d\n  faces     %d", inspection.model.VertexCount(), inspection.model.FaceCount());
    if (inspection.dropped) std::printf(" (and %zu dropped: they name no vertex)", inspection.dropped);
    std::printf("\n  by corners");
    for (const auto& [corners, count] : byCorners) std::printf("  %d: %lld", corners, static_cast<long long>(count));
    std::printf("\n  by material");
    for (const auto& [material, count] : byMaterial) std::printf("  %d: %lld", material, static_cast<long long>(count));
    if (!inspection.model.vertices.empty()) {
        std::printf("\n  box       (%g, %g, %g) to (%g, %g, %g)", low.x, low.y, low.z, high.x, high.y, high.z);
    }
    std::printf("\n");
}

void PrintJson(const Inspection& inspection, const std::map<int32_t, int64_t>& byCorners,
               const std::map<int32_t, int64_t>& byMaterial, const Point3f& low, const Point3f& high) {
    const auto printMap = [](const std::map<int32_t, int64_t>& counts) {
        std::printf("{");
        const char* separator = "";
        for (const auto& [key, count] : counts) {
            std::printf("%s\"%d\": %lld", separator, key, static_cast<long long>(count));
            separator = ", ";
        }
        std::printf("}");
    };
    std::printf("{\"plugin\": \"%s\", \"result\": %d, \"vertices\": %d, \"faces\": %d, \"dropped\": %zu, "
                "\"facesByCorners\": ",
                inspection.format->pluginName, inspection.result, inspection.model.VertexCount(),
                inspection.model.FaceCount(), inspection.dropped);
    printMap(byCorners);
    std::printf(", \"facesByMaterial\": ");
    printMap(byMaterial);
    if (inspection.model.vertices.empty()) {
        std::printf(", \"bbox\": null");
    } else {
        std::printf(", \"bbox\": [[%.9g, %.9g, %.9g], [%.9g, %.9g, %.9g]]", low.x, low.y, low.z, high.x, high.y, high.z);
    }
    std::printf(", \"ms\": %.3f}\n", inspection.ms);
}

}  // namespace

int RunInspect(const Arguments& arguments) {
    const std::string path = Positional(arguments, {});
    if (path.empty()) {
        std::fputs("prismo: inspect needs a model file\n", stderr);
        return 2;
    }
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
    } else {
        std::fprintf(stderr, "prismo: cannot open %s\n", path.c_str());
        return 1;
    }
    Inspection inspection;
    for (const FormatPlugin* format : AllFormats()) {
        if (RecognizeInput(*format, path.c_str(), 0)) {
            ReadWithFormat(*format, path, inspection);
            break;
        }
    }
    if (!inspection.format) {
        std::fprintf(stderr, "prismo: no reader recognises %s\n", path.c_str());
        return 1;
    }
    std::map<int32_t, int64_t> byCorners, byMaterial;
    for (const FaceRecord& face : inspection.model.faces) {
        ++byCorners[face.vertexCount];
        ++byMaterial[face.materialIndex];
    }
    Point3f low{}, high{};
    if (!inspection.model.vertices.empty()) {
        low = high = inspection.model.vertices.front();
        for (const Point3f& v : inspection.model.vertices) {
            low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
            high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
        }
    }
    if (HasFlag(arguments, "--json")) {
        PrintJson(inspection, byCorners, byMaterial, low, high);
    } else {
        PrintText(path, inspection, byCorners, byMaterial, low, high);
    }
    if (inspection.result != 0) {
        std::fprintf(stderr, "prismo: %s: the %s reader failed (%d)\n", path.c_str(), inspection.format->pluginName,
                     inspection.result);
        return 1;
    }
    return 0;
}
