// Registers the installed libquorin.so, creates the component by ProgID, and checks what a host
// reaches through the installed headers: interfaces, BSTRs, the template and the report table.
#include <cstdio>
#include <string>

#include "component/com_interfaces.h"
#include "platform/com/activation.h"
#include "platform/com/bstr.h"
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "report/report_item.h"
#include "template/relay_template.h"

using namespace quorin;

int main() {
    DllRegisterServer();
    CLSID clsid{};
    ITestItemEdit* edit = nullptr;
    if (CLSIDFromProgID(u"Quorin.QuorinCom", &clsid) != S_OK ||
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestItemEdit,
                         reinterpret_cast<void**>(&edit)) != S_OK)
        return 3;
    OwnedBstr text = OwnedBstr::FromAnsi(
        "ProtectiveRelayName=Installed;<SettingBegin>N=A,L=1,U=V,T=Edit,V=2.5,ID=A;<SettingEnd>"
        "<TestItemBegin>TestComName2=Quorin.QuorinCom;TESTNAME=T;NAME1=n;<TestItemEnd>");
    edit->LoadTestItems(text.get(), 0, 0, 1, 0);
    CRelayTemplate* relayTemplate = nullptr;
    edit->GetTemplate(&relayTemplate);
    IResultReport* report = nullptr;
    edit->QueryInterface(IID_IResultReport, reinterpret_cast<void**>(&report));
    int32_t done = 0;
    CReportItem** items = report->ComposeReport(0, &done, "", 0);
    const std::string found = items[0]->title + "|" + items[0]->tables[0].CellText(1, 0) + "|" +
                              relayTemplate->Name(ParamKind::kSetting, 0) + "|" +
                              (relayTemplate->Count(ParamKind::kSetting) == 1 ? "1" : "?");
    report->Release();
    edit->Release();
    std::printf("%s\n", found.c_str());
    return found == "1.  Test Object - Installed|n|A|1" ? 0 : 1;
}
