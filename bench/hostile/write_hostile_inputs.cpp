// Writes the crafted inputs of bench_hostile and their benign twins as files, for running them
// through the quorin command: write_hostile_inputs DIR [MEGABYTES]. Expressions go into the
// "Update=" value of a template, which is how a file reaches the evaluator. Prints one line per
// file: the reader and the file name.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/hostile/hostile_inputs.h"
#include "platform/files.h"

using namespace quorin;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: write_hostile_inputs DIR [MEGABYTES]\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const std::size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10;
    for (const hostile::Input& input : hostile::Inputs()) {
        for (const bool crafted : {true, false}) {
            std::string text =
                crafted ? input.crafted(megabytes << 20) : input.benign(megabytes << 20);
            const char* reader = "template";
            const char* extension = ".seq";
            switch (input.reader) {
                case hostile::Reader::kTemplate:
                    break;
                case hostile::Reader::kExpression: {
                    std::string update;
                    for (const char c : text)
                        update += c == '\n' ? '+' : c;
                    text = "<ProtectionRelayBegin>\r\nProtectiveRelayName=Hostile;\r\nUpdate=" +
                           update + ";\r\n";
                    break;
                }
                case hostile::Reader::kIni:
                case hostile::Reader::kReportSettings:
                    reader = "ini";
                    extension = ".ini";
                    break;
            }
            const std::string path =
                dir + "/" + input.name + (crafted ? ".crafted" : ".benign") + extension;
            if (!WriteFileAtomic(path, text)) {
                std::fprintf(stderr, "write_hostile_inputs: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s %s\n", reader, path.c_str());
        }
    }
    return 0;
}
