// quorin template FILE and quorin zones FILE: a relay template's records and zones, read from a
// template or a whole sequence text ("-" reads standard input). Also the template source of
// quorin eval --template FILE.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace quorin {
class CRelayTemplate;
}

namespace quorin::cli {

// Reads the whole file ("-": standard input) into bytes. False when it cannot be read; error then
// holds "cannot read file 'PATH'".
bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error);

// Reads path ("-": standard input) into relayTemplate with useKilovolts 0. False when the file
// cannot be read; error then holds "cannot read file 'PATH'".
bool LoadTemplateFile(const std::string& path, CRelayTemplate& relayTemplate, std::string& error);

// Terminal columns of a UTF-8 text: East Asian wide and full-width characters take two,
// combining marks none, every other character one.
int DisplayWidth(std::string_view utf8);

// Rows of UTF-8 cells as lines ending in "\n": every column but the last padded with blanks to
// its widest cell (by DisplayWidth) plus two, trailing blanks removed.
std::string FormatColumns(const std::vector<std::vector<std::string>>& rows);

// The settings, common parameters and binary inputs as aligned tables (name, value text, unit,
// ID, kind), then the report items (name, ID); texts converted to UTF-8, lines ending in "\n".
std::string TemplateTables(const CRelayTemplate& relayTemplate);

// For quorin eval --template: evaluates expressions over the template's name table and prints
// them as quorin eval does. Returns the exit status: 0, or 1 (message on stderr) when the file
// cannot be read.
int EvaluateWithTemplate(const std::string& path, const std::vector<std::string>& expressions);

// Adds the "template" and "zones" subcommands.
void AddTemplateCommands(CLI::App& app);

}  // namespace quorin::cli
