// A streaming PLY parser: reads the header, then hands every value of the
// properties a caller registered for to its callback, in file order. It
// knows nothing of what the values mean.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum PlyStorage : int32_t {
    kPlyBinaryBigEndian = 0,
    kPlyBinaryLittleEndian = 1,
    kPlyAscii = 2,
};

// The eight value types; each alias of the header's type table reads as the
// type it stands for.
enum PlyType : int32_t {
    kPlyInt8 = 0,
    kPlyUint8 = 1,
    kPlyInt16 = 2,
    kPlyUint16 = 3,
    kPlyInt32 = 4,
    kPlyUint32 = 5,
    kPlyFloat32 = 6,
    kPlyFloat64 = 7,
    kPlyList = 16,
};

struct PlyArgument;
// Returns non-zero to go on reading, 0 to stop the read.
using PlyReadCallback = int32_t (*)(PlyArgument* argument);
using PlyErrorReporter = void (*)(const char* message);

struct PlyProperty {
    std::string name;
    PlyType type = kPlyInt8;        // kPlyList for a list
    PlyType lengthType = kPlyInt8;  // lists only
    PlyType entryType = kPlyInt8;   // lists only
    PlyReadCallback callback = nullptr;
    void* pointerDatum = nullptr;
    int32_t integerDatum = 0;
};

struct PlyElement {
    std::string name;
    int32_t count = 0;
    std::vector<PlyProperty> properties;
};

// What a callback is given; the parser fills it before every call.
struct PlyArgument {
    const PlyElement* element = nullptr;
    int32_t instanceIndex = 0;
    const PlyProperty* property = nullptr;
    int32_t listLength = 1;  // 1 for a scalar
    int32_t valueIndex = 0;  // -1 announces a list's length, then 0, 1, ...
    double argumentValue = 0;
    void* pointerDatum = nullptr;
    int32_t integerDatum = 0;
};

inline void GetPlyArgumentProperty(const PlyArgument* argument, const PlyProperty** property,
                                   int32_t* listLength, int32_t* valueIndex) {
    if (property) *property = argument->property;
    if (listLength) *listLength = argument->listLength;
    if (valueIndex) *valueIndex = argument->valueIndex;
}
inline void GetPlyArgumentUserData(const PlyArgument* argument, void** pointerDatum, int32_t* integerDatum) {
    if (pointerDatum) *pointerDatum = argument->pointerDatum;
    if (integerDatum) *integerDatum = argument->integerDatum;
}
inline double GetPlyArgumentValue(const PlyArgument* argument) { return argument->argumentValue; }

// Where a parser reads from: a file by path, or a memory image it never
// writes to.
struct PlySource {
    const char* path = nullptr;
    const uint8_t* image = nullptr;
    size_t imageBytes = 0;

    static PlySource File(const char* path) { return {path, nullptr, 0}; }
    static PlySource Memory(const uint8_t* image, size_t bytes) { return {nullptr, image, bytes}; }
};

struct PlyParser;

// Opens the source and checks the magic "ply\n"; null on failure (reported).
// A null reporter writes "ply: <message>" lines to standard error.
PlyParser* OpenPly(const PlySource& source, PlyErrorReporter reporter = nullptr);
int32_t ReadPlyHeader(PlyParser* parser);  // 1 on success, 0 on failure
// Registers the callback for one property of one element; returns the
// element's declared count, or 0 (nothing registered) when either is missing.
int32_t SetPlyReadCallback(PlyParser* parser, const char* elementName, const char* propertyName,
                           PlyReadCallback callback, void* pointerDatum, int32_t integerDatum);
int32_t ReadPlyBody(PlyParser* parser);  // 1 when the whole body was read
void ClosePly(PlyParser* parser);        // null is allowed

// What the header declared, for callers that look before reading.
const std::vector<PlyElement>& GetPlyElements(const PlyParser* parser);
const std::vector<std::string>& GetPlyComments(const PlyParser* parser);
const std::vector<std::string>& GetPlyObjInfos(const PlyParser* parser);
// Bytes of the whole input (file or image); -1 when a file's size is unknown.
int64_t GetPlyInputBytes(const PlyParser* parser);
