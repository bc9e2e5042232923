#include "readers/ply/ply_parser.h"

#include <cstdarg>
#include <cstring>
#include <new>

#include "readers/ply/ply_parser_state.h"

namespace {

constexpr size_t kMaxWordLength = 255;
constexpr size_t kMaxLineLength = 1023;

void WriteToStandardError(const char* message) { std::fprintf(stderr, "ply: %s\n", message); }

// The size of an open file, leaving it where it was; -1 when unknown.
int64_t FileBytes(std::FILE* file) {
#ifdef _WIN32
    const int64_t here = _ftelli64(file);
    if (here < 0 || _fseeki64(file, 0, SEEK_END) != 0) return -1;
    const int64_t size = _ftelli64(file);
    _fseeki64(file, here, SEEK_SET);
#else
    const off_t here = ftello(file);
    if (here < 0 || fseeko(file, 0, SEEK_END) != 0) return -1;
    const int64_t size = ftello(file);
    fseeko(file, here, SEEK_SET);
#endif
    return size;
}

bool ReportToken(const PlyParser& parser, PlyTokenResult result) {
    if (result == PlyTokenResult::kEndOfFile) ReportPlyError(parser.reporter, "Unexpected end of file");
    if (result == PlyTokenResult::kTooLarge) ReportPlyError(parser.reporter, "Token too large");
    return result == PlyTokenResult::kOk;
}

PlyProperty* FindProperty(PlyParser* parser, const char* elementName, const char* propertyName) {
    if (!parser || !elementName || !propertyName) return nullptr;
    for (PlyElement& element : parser->elements) {
        if (element.name != elementName) continue;
        for (PlyProperty& property : element.properties) {
            if (property.name == propertyName) return &property;
        }
        return nullptr;
    }
    return nullptr;
}

}  // namespace

void ReportPlyError(PlyErrorReporter reporter, const char* message) {
    (reporter ? reporter : WriteToStandardError)(message);
}

void ReportPlyError(const PlyParser& parser, const char* format, ...) {
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    ReportPlyError(parser.reporter, message);
}

bool ReadPlyWord(PlyParser& parser, PlyWord& word) {
    char separator = 0;
    if (!ReportToken(parser, parser.input.ReadWord(word.text, separator))) return false;
    if (word.text.size() > kMaxWordLength) {
        ReportPlyError(parser.reporter, "Word too long");
        return false;
    }
    word.endsLine = separator == '\n';
    word.endsWithReturn = separator == '\r';
    return true;
}

bool ReadPlyLine(PlyParser& parser, std::string_view& line) {
    if (!ReportToken(parser, parser.input.ReadLine(line))) return false;
    if (line.size() > kMaxLineLength) {
        ReportPlyError(parser.reporter, "Line too long");
        return false;
    }
    return true;
}

PlyParser* OpenPly(const PlySource& source, PlyErrorReporter reporter) {
    std::FILE* file = nullptr;
    int64_t totalBytes = int64_t(source.imageBytes);
    uint8_t magic[4];
    size_t magicBytes = 0;
    const uint8_t* image = source.image;
    size_t imageBytes = source.imageBytes;
    if (source.path) {
        file = std::fopen(source.path, "rb");
        if (!file) {
            ReportPlyError(reporter, "Unable to open file");
            return nullptr;
        }
        // The parser reads in blocks of its own; stdio's buffer would only copy twice.
        std::setvbuf(file, nullptr, _IONBF, 0);
        totalBytes = FileBytes(file);
        magicBytes = std::fread(magic, 1, sizeof magic, file);
    } else if (image && imageBytes >= sizeof magic) {
        std::memcpy(magic, image, sizeof magic);
        magicBytes = sizeof magic;
        image += sizeof magic;
        imageBytes -= sizeof magic;
    }
    const auto fail = [&](const char* message) -> PlyParser* {
        ReportPlyError(reporter, message);
        if (file) std::fclose(file);
        return nullptr;
    };
    if (magicBytes < sizeof magic) return fail("Error reading from file");
    if (std::memcmp(magic, "ply\n", sizeof magic) != 0) return fail("Not a PLY file. Expected magic number 'ply\\n'");
    PlyParser* parser = new (std::nothrow) PlyParser(file, image, imageBytes, totalBytes, reporter);
    if (!parser) return fail("Out of memory");
    return parser;
}

int32_t SetPlyReadCallback(PlyParser* parser, const char* elementName, const char* propertyName,
                           PlyReadCallback callback, void* pointerDatum, int32_t integerDatum) {
    PlyProperty* property = FindProperty(parser, elementName, propertyName);
    if (!property) return 0;
    property->callback = callback;
    property->pointerDatum = pointerDatum;
    property->integerDatum = integerDatum;
    for (const PlyElement& element : parser->elements) {
        if (element.name == elementName) return element.count;
    }
    return 0;
}

void ClosePly(PlyParser* parser) { delete parser; }

const std::vector<PlyElement>& GetPlyElements(const PlyParser* parser) { return parser->elements; }
const std::vector<std::string>& GetPlyComments(const PlyParser* parser) { return parser->comments; }
const std::vector<std::string>& GetPlyObjInfos(const PlyParser* parser) { return parser->objInfos; }
int64_t GetPlyInputBytes(const PlyParser* parser) { return parser->inputBytes; }
