// The body: every value of every element instance in file order, handed to
// the registered callbacks as doubles.
#include <cfloat>
#include <cmath>
#include <limits>
#include <new>

#include "readers/common/byte_input.h"
#include "readers/common/text_input.h"
#include "readers/ply/ply_parser_state.h"

namespace {

constexpr size_t kTypeBytes[] = {1, 1, 2, 2, 4, 4, 4, 8};
constexpr int64_t kTypeMinimum[] = {-128, 0, -32768, 0, INT32_MIN, 0};
constexpr int64_t kTypeMaximum[] = {127, 255, 32767, 65535, INT32_MAX, UINT32_MAX};

template <bool kBigEndian>
[[gnu::always_inline]] inline double DecodeBinary(PlyType type, const uint8_t* bytes) {
    const auto load16 = [&] { return kBigEndian ? LoadBe16(bytes) : LoadLe16(bytes); };
    const auto load32 = [&] { return kBigEndian ? LoadBe32(bytes) : LoadLe32(bytes); };
    switch (type) {
        case kPlyInt8: return int8_t(bytes[0]);
        case kPlyUint8: return bytes[0];
        case kPlyInt16: return int16_t(load16());
        case kPlyUint16: return load16();
        case kPlyInt32: return int32_t(load32());
        case kPlyUint32: return load32();
        case kPlyFloat32: return FloatFromBits(load32());
        default: return DoubleFromBits(kBigEndian ? LoadBe64(bytes) : LoadLe64(bytes));
    }
}

template <bool kBigEndian>
class BinaryValues {
public:
    explicit BinaryValues(PlyParser& parser) : input_(parser.input) {}
    [[gnu::always_inline]] bool Read(PlyType type, double& value) {
        const uint8_t* bytes = input_.Take(kTypeBytes[type]);
        if (!bytes) return false;
        value = DecodeBinary<kBigEndian>(type, bytes);
        return true;
    }

private:
    PlyInput& input_;
};

// A decimal integer as strtol reads one, the whole word used. Beyond the
// 64-bit range the value saturates, which every type's range then refuses.
bool ParseDecimalInteger(std::string_view text, int64_t& value) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    constexpr int64_t kSaturated = std::numeric_limits<int64_t>::max() / 10 - 1;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = unsigned(text[i]) - '0';
        if (digit > 9) return false;
        magnitude = magnitude < kSaturated ? magnitude * 10 + digit : kSaturated;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool ParseAsciiValue(PlyType type, std::string_view text, double& value) {
    if (type == kPlyFloat32 || type == kPlyFloat64) {
        double parsed = 0;
        if (ParseCDouble(text, parsed) != text.size()) return false;
        const double limit = type == kPlyFloat32 ? double(FLT_MAX) : DBL_MAX;
        // NaN passes: scans write "nan" for normals they could not estimate.
        if (parsed < -limit || parsed > limit) return false;
        value = parsed;
        return true;
    }
    int64_t parsed = 0;
    if (!ParseDecimalInteger(text, parsed) || parsed < kTypeMinimum[type] || parsed > kTypeMaximum[type]) return false;
    value = double(parsed);
    return true;
}

class AsciiValues {
public:
    explicit AsciiValues(PlyParser& parser) : parser_(parser) {}
    [[gnu::always_inline]] bool Read(PlyType type, double& value) {
        PlyWord word;
        return ReadPlyWord(parser_, word) && ParseAsciiValue(type, word.text, value);
    }

private:
    PlyParser& parser_;
};

// A list length as an entry count; lengths below 1 read no entry.
int32_t ListLength(double length) {
    if (!(length >= 1)) return 0;
    return length >= double(INT32_MAX) ? INT32_MAX : int32_t(length);
}

bool Deliver(const PlyParser& parser, PlyArgument& argument, const PlyProperty& property) {
    if (property.callback(&argument)) return true;
    ReportPlyError(parser.reporter, "Aborted by user");
    return false;
}

template <typename Values>
bool ReadList(PlyParser& parser, Values& values, PlyArgument& argument, const PlyProperty& property) {
    double length = 0;
    if (!values.Read(property.lengthType, length)) {
        ReportPlyError(parser, "Error reading '%s' of '%s' number %d", property.name.c_str(),
                       argument.element->name.c_str(), argument.instanceIndex);
        return false;
    }
    const int32_t count = ListLength(length);
    argument.listLength = count;
    if (property.callback) {
        argument.valueIndex = -1;
        argument.argumentValue = length;
        if (!Deliver(parser, argument, property)) return false;
    }
    for (int32_t entry = 0; entry < count; ++entry) {
        double value = 0;
        if (!values.Read(property.entryType, value)) {
            ReportPlyError(parser, "Error reading value number %d of '%s' of '%s' number %d", entry + 1,
                           property.name.c_str(), argument.element->name.c_str(), argument.instanceIndex);
            return false;
        }
        if (property.callback) {
            argument.valueIndex = entry;
            argument.argumentValue = value;
            if (!Deliver(parser, argument, property)) return false;
        }
    }
    return true;
}

template <typename Values>
bool ReadBody(PlyParser& parser) {
    Values values(parser);
    PlyArgument argument;
    for (const PlyElement& element : parser.elements) {
        // An element without properties holds no bytes, whatever its count.
        if (element.properties.empty()) continue;
        argument.element = &element;
        for (int32_t instance = 0; instance < element.count; ++instance) {
            argument.instanceIndex = instance;
            for (const PlyProperty& property : element.properties) {
                argument.property = &property;
                argument.pointerDatum = property.pointerDatum;
                argument.integerDatum = property.integerDatum;
                if (property.type == kPlyList) {
                    if (!ReadList(parser, values, argument, property)) return false;
                    continue;
                }
                double value = 0;
                if (!values.Read(property.type, value)) {
                    ReportPlyError(parser, "Error reading '%s' of '%s' number %d", property.name.c_str(),
                                   element.name.c_str(), instance);
                    return false;
                }
                if (property.callback) {
                    argument.listLength = 1;
                    argument.valueIndex = 0;
                    argument.argumentValue = value;
                    if (!Deliver(parser, argument, property)) return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

int32_t ReadPlyBody(PlyParser* parser) {
    if (!parser) return 0;
    try {
        switch (parser->storage) {
            case kPlyBinaryBigEndian: return ReadBody<BinaryValues<true>>(*parser) ? 1 : 0;
            case kPlyBinaryLittleEndian: return ReadBody<BinaryValues<false>>(*parser) ? 1 : 0;
            default: return ReadBody<AsciiValues>(*parser) ? 1 : 0;
        }
    } catch (const std::bad_alloc&) {
        ReportPlyError(parser->reporter, "Out of memory");
        return 0;
    }
}
