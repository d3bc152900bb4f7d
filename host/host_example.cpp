// A host test module in miniature: registers the component library, creates the component by
// its ProgID, loads a sequence, prints the template tables, one item's evaluated parameters and
// the result data, and stores the sequence's test items back.
//
//   quorin_host_example [sequence.seq] [items-out.seq] [item index]
#include <cstdio>
#include <string>

#include "component/com_interfaces.h"
#include "platform/codepage.h"
#include "platform/com/activation.h"
#include "platform/com/bstr.h"
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "platform/files.h"
#include "platform/numtext.h"

using namespace quorin;

namespace {

std::string Utf8(BSTR text) {
    return AnsiToUtf8(BstrToAnsi(text));
}

// Tables have one row per record; the host allocates the template's capacities.
template <size_t Cols>
void PrintTable(const char* title, int32_t count, BstrTable<Cols>& rows, BstrArray& options) {
    std::printf("%s: %d records\n", title, count);
    for (int32_t r = 0; r < count; ++r) {
        std::printf("  ");
        for (size_t c = 0; c < Cols; ++c)
            std::printf("%s%s", c ? " | " : "", Utf8(rows.at(r, c)).c_str());
        std::printf("\n");
    }
    const int combos = CAtoi(BstrToAnsi(options[0]));
    size_t next = 1;
    for (int i = 0; i < combos; ++i) {
        const std::string row = BstrToAnsi(options[next++]);
        const int choices = CAtoi(BstrToAnsi(options[next++]));
        std::printf("  choices of row %s:", row.c_str());
        for (int c = 0; c < choices; ++c)
            std::printf(" [%s]", Utf8(options[next++]).c_str());
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string sequencePath = argc > 1 ? argv[1] : QUORIN_DEFAULT_SEQUENCE;
    const std::string outputPath = argc > 2 ? argv[2] : "";
    const int32_t itemIndex = argc > 3 ? CAtoi(argv[3]) : 0;

    // What an installer does once: the library writes its class into the registry.
    DllRegisterServer();
    std::printf("registered Quorin.QuorinCom in %s\n", RegistryPath().c_str());

    CLSID clsid{};
    ITestItemEdit* edit = nullptr;
    if (CLSIDFromProgID(u"Quorin.QuorinCom", &clsid) != S_OK ||
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestItemEdit,
                         reinterpret_cast<void**>(&edit)) != S_OK) {
        std::fprintf(stderr, "cannot create Quorin.QuorinCom: %s\n", ActivationErrorText().c_str());
        return 1;
    }

    std::string sequence;
    if (!ReadFileBytes(sequencePath, sequence)) {
        std::fprintf(stderr, "cannot read %s\n", sequencePath.c_str());
        edit->Release();
        return 1;
    }
    OwnedBstr text = OwnedBstr::FromAnsi(sequence);
    edit->LoadTestItems(text.get(), 0, 0, 1, 0);
    std::printf("loaded %s\n\n", sequencePath.c_str());

    constexpr size_t kOptionCapacity = 1 + 600 * (2 + 20);
    {
        BstrTable<9> rows(600);
        BstrArray options(kOptionCapacity);
        PrintTable("Settings", edit->GetSettingTable(rows.data(), options.data()), rows, options);
    }
    {
        BstrTable<9> rows(100);
        BstrArray options(kOptionCapacity);
        PrintTable("Common parameters", edit->GetCommonParameterTable(rows.data(), options.data()),
                   rows, options);
    }
    {
        BstrTable<6> rows(100);
        BstrArray options(kOptionCapacity);
        PrintTable("Binary inputs", edit->GetBinaryTable(rows.data(), options.data()), rows,
                   options);
    }

    std::printf("\nItem %d: %s\n", itemIndex, AnsiToUtf8(edit->GetItemTitle(itemIndex)).c_str());
    std::printf("Evaluated parameters: %s\n", edit->GetEvaluatedParameters(itemIndex).c_str());

    IResultReport* report = nullptr;
    if (edit->QueryInterface(IID_IResultReport, reinterpret_cast<void**>(&report)) == S_OK) {
        OwnedBstr results(report->GetResultData());
        std::printf("Result data: %s\n", Utf8(results.get()).c_str());
        report->Release();
    }

    int status = 0;
    if (!outputPath.empty()) {
        if (WriteFileAtomic(outputPath, edit->GetTestItemsText())) {
            std::printf("test items written to %s\n", outputPath.c_str());
        } else {
            std::fprintf(stderr, "cannot write %s\n", outputPath.c_str());
            status = 1;
        }
    }
    edit->Release();
    return status;
}
