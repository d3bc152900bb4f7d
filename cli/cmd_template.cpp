#include "cli/cmd_template.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <memory>

#include "cli/cmd_eval.h"
#include "cli/commands.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "zones/zone_json.h"

namespace quorin::cli {
namespace {

bool ReadStandardInput(std::string& out) {
    out.clear();
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        out.append(buffer, n);
    return !std::ferror(stdin);
}

// One code point from s at i (advancing i); an invalid byte is taken alone as U+FFFD.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto t = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    i += static_cast<size_t>(length);
    return cp;
}

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsZeroWidth(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F);
}

using Row = std::vector<std::string>;

void AppendTable(const std::vector<Row>& rows, std::string& out) {
    out += FormatColumns(rows);
}

const char* LayoutName(int layout) {
    return layout == kIndexedLayout  ? "indexed layout"
           : layout == kRecordLayout ? "record layout"
                                     : "no layout";
}

void AppendParameters(const CRelayTemplate& t, ParamKind kind, const char* title,
                      std::string& out) {
    out += title;
    out += ": " + FormatInt(t.Count(kind)) + " (" + LayoutName(t.Layout(kind)) + ")\n";
    if (t.Count(kind) == 0) return;
    std::vector<Row> rows{{"Name", "Value", "Unit", "ID", "Kind"}};
    for (int i = 0; i < t.Count(kind); ++i) {
        rows.push_back({AnsiToUtf8(t.Name(kind, i)), AnsiToUtf8(t.ValueText(kind, i)),
                        AnsiToUtf8(t.Unit(kind, i)), AnsiToUtf8(t.Id(kind, i)),
                        AnsiToUtf8(t.Type(kind, i))});
    }
    AppendTable(rows, out);
}

void Print(const std::string& text, FILE* stream) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

std::string FormatColumns(const std::vector<std::vector<std::string>>& rows) {
    std::string out;

    std::vector<int> widths;
    for (const std::vector<std::string>& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const std::vector<std::string>& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line.append(static_cast<size_t>(widths[c] - DisplayWidth(row[c]) + 2), ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line;
        out += '\n';
    }
    return out;
}

bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error) {
    const bool ok = path == "-" ? ReadStandardInput(bytes) : ReadFileBytes(path, bytes);
    if (!ok) error = "cannot read file '" + path + "'";
    return ok;
}

bool LoadTemplateFile(const std::string& path, CRelayTemplate& relayTemplate, std::string& error) {
    std::string bytes;
    if (!ReadInputFile(path, bytes, error)) return false;
    relayTemplate.ReadTemplate(bytes, 0);
    return true;
}

int DisplayWidth(std::string_view utf8) {
    int width = 0;
    for (size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        width += IsZeroWidth(c) ? 0 : IsWide(c) ? 2 : 1;
    }
    return width;
}

std::string TemplateTables(const CRelayTemplate& relayTemplate) {
    const CRelayTemplate& t = relayTemplate;
    std::string out;
    AppendParameters(t, ParamKind::kSetting, "Settings", out);
    out += '\n';
    AppendParameters(t, ParamKind::kCommonParameter, "Common parameters", out);
    out += '\n';
    AppendParameters(t, ParamKind::kBinaryInput, "Binary inputs", out);
    out += '\n';
    out +=
        "Report items: " + FormatInt(t.ReportCount()) + " (" + LayoutName(t.ReportLayout()) + ")\n";
    if (t.ReportCount() > 0) {
        std::vector<Row> rows{{"Name", "ID"}};
        for (int i = 0; i < t.ReportCount(); ++i)
            rows.push_back({AnsiToUtf8(t.ReportName(i)), AnsiToUtf8(t.ReportId(i))});
        AppendTable(rows, out);
    }
    return out;
}

namespace {

// Loads the template in path and prints what text makes of it; returns the exit status.
int PrintFromTemplate(const std::string& path,
                      const std::function<std::string(CRelayTemplate&)>& text) {
    auto relayTemplate = std::make_unique<CRelayTemplate>();
    std::string error;
    if (!LoadTemplateFile(path, *relayTemplate, error)) {
        Print("quorin: " + error + "\n", stderr);
        return 1;
    }
    Print(text(*relayTemplate), stdout);
    return 0;
}

}  // namespace

int EvaluateWithTemplate(const std::string& path, const std::vector<std::string>& expressions) {
    return PrintFromTemplate(
        path, [&](CRelayTemplate& t) { return EvaluateExpressions(expressions, &t.NameTable()); });
}

void AddTemplateCommands(CLI::App& app) {
    auto file = std::make_shared<std::string>();
    CLI::App* tables =
        AddCommand(app, "template",
                   "Print a relay template's settings, common parameters, binary inputs and "
                   "report items (FILE: a template or a whole sequence; - for standard input)",
                   [file] { return PrintFromTemplate(*file, TemplateTables); });
    tables->add_option("FILE", *file, "template or sequence file")->required();

    auto zonesFile = std::make_shared<std::string>();
    CLI::App* zones = AddCommand(
        app, "zones", "Print a relay template's characteristic zones and their geometry as JSON",
        [zonesFile] {
            return PrintFromTemplate(
                *zonesFile, [](CRelayTemplate& t) { return ZonesToJson(t.Zones()) + "\n"; });
        });
    zones->add_option("FILE", *zonesFile, "template or sequence file")->required();
}

}  // namespace quorin::cli
