#include "zones/zone_json.h"

#include <cmath>
#include <string_view>

#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

void AppendNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // The fewest significant digits that read back as the same float (9 always do), laid out as
    // JavaScript writes numbers: plain decimals from 1e-6 up to 1e21, exponent form outside.
    const double v = value;
    std::string scientific;  // "-d.ddde+XX"
    int count = 1;
    for (; count <= 9; ++count) {
        scientific = CFormat("%.*e", count - 1, v);
        if (count == 9 || static_cast<float>(CAtof(scientific)) == value) break;
    }
    const size_t e = scientific.find('e');
    const int exponent = CAtoi(scientific.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (scientific[i] >= '0' && scientific[i] <= '9') digits += scientific[i];
    if (scientific[0] == '-') out += '-';
    const int n = static_cast<int>(digits.size());
    if (exponent < -6 || exponent >= 21) {
        out += digits.substr(0, 1);
        if (n > 1) out += "." + digits.substr(1);
        out += CFormat("e%c%d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    } else if (exponent >= n - 1) {
        out += digits + std::string(static_cast<size_t>(exponent - (n - 1)), '0');
    } else if (exponent >= 0) {
        const size_t point = static_cast<size_t>(exponent) + 1;
        out += digits.substr(0, point) + "." + digits.substr(point);
    } else {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
}

// A key (with its separators) and its number.
void AppendNumber(std::string& out, std::string_view key, float value) {
    out += key;
    AppendNumber(out, value);
}

void AppendPair(std::string& out, std::string_view key, float x, float y) {
    out += key;
    out += '[';
    AppendNumber(out, x);
    out += ',';
    AppendNumber(out, y);
    out += ']';
}

void AppendString(std::string& out, const std::string& ansi) {
    out += '"';
    const std::string utf8 = AnsiToUtf8(ansi);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        // A byte the code page cannot decode (U+DC80..U+DCFF) as its JSON escape, which keeps
        // the output UTF-8 and the byte recoverable.
        if (c == '\xED' && utf8.size() - i >= 3 && (utf8[i + 1] & 0xFC) == 0xB0) {
            out += CFormat("\\u%04x", 0xD000u | (utf8[i + 1] & 0x3Fu) << 6 | (utf8[i + 2] & 0x3Fu));
            i += 2;
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += CFormat("\\u%04x", static_cast<unsigned>(c));
                else
                    out += c;
        }
    }
    out += '"';
}

const char* TypeName(int32_t type) {
    switch (type) {
        case kShapeLineP:
            return "LINEP";
        case kShapeArc:
            return "ARC";
        case kShapeArcP:
            return "ARCP";
        default:
            return "LINE";
    }
}

void AppendShape(std::string& out, const CZoneShape& shape) {
    out += "{\"type\":\"";
    out += TypeName(shape.type);
    if (shape.cornerFound)
        AppendPair(out, "\",\"corner\":", shape.cornerX, shape.cornerY);
    else
        out += "\",\"corner\":null";
    AppendPair(out, ",\"center\":", shape.centerX, shape.centerY);
    AppendNumber(out, ",\"radius\":", shape.radius);
    AppendNumber(out, ",\"start\":", shape.startAngle);
    AppendNumber(out, ",\"end\":", shape.endAngle);
    out += ",\"arcToArc\":";
    out += FormatInt(shape.arcToArc);
    out += '}';
}

void AppendZone(std::string& out, int slot, const CZone& zone) {
    out += "{\"slot\":" + FormatInt(slot);
    out += ",\"index\":" + FormatInt(zone.index);
    out += ",\"invert\":" + FormatInt(zone.invert);
    out += ",\"kind\":" + FormatInt(zone.kind);
    out += ",\"label\":";
    AppendString(out, zone.label);
    out += ",\"faultLoop\":";
    AppendString(out, zone.faultLoop);
    if (zone.kind == kZoneCircle) {
        AppendPair(out, ",\"center\":", zone.circleCenterX, zone.circleCenterY);
        AppendNumber(out, ",\"radius\":", zone.circleRadius);
    } else if (zone.kind == kZoneLens) {
        out += ",\"lens\":[";
        for (size_t i = 0; i < zone.lens.size(); ++i) {
            if (i > 0) out += ',';
            AppendNumber(out, zone.lens[i]);
        }
        out += ']';
    } else {
        out += ",\"shapes\":[";
        for (int j = 0; j < zone.shapeCount && j < kMaxZoneShapes; ++j) {
            if (j > 0) out += ',';
            AppendShape(out, zone.shapes[static_cast<size_t>(j)]);
        }
        out += ']';
    }
    out += '}';
}

}  // namespace

std::string ZonesToJson(const CZoneTable& table) {
    std::string out = "{\"zones\":[";
    for (int slot = 1; slot <= table.Count(); ++slot) {
        if (slot > 1) out += ',';
        AppendZone(out, slot, table.Zone(slot));
    }
    const CZoneBox& box = table.Box();
    AppendNumber(out, "],\"box\":{\"rMin\":", box.rMin);
    AppendNumber(out, ",\"rMax\":", box.rMax);
    AppendNumber(out, ",\"xMin\":", box.xMin);
    AppendNumber(out, ",\"xMax\":", box.xMax);
    out += "}}";
    return out;
}

}  // namespace quorin
