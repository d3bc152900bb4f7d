// A component object created the way a host creates it (class factory of the library's
// DllGetClassObject), with its four interfaces, and the texts the tests load into it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "component/com_interfaces.h"
#include "component/quorin_com.h"
#include "platform/com/bstr.h"

namespace quorin::test {

// A small template: four settings (Edit with 2 decimals, Edit with none, ComboBox, CheckBox),
// one common parameter, two binary inputs, report identifiers NAME, RESULT, REQUIRE.
inline const std::string kSmallTemplate =
    "<ProtectionRelayBegin>\r\nProtectiveRelayName=Relay X;\r\nUpdate=0;\r\n"
    "<SettingBegin>\r\n"
    "\tN=Reach,L=2,U=Ohm,T=Edit,V=4.00,RE=1,RT=2,RN=3,ID=Z1;\r\n"
    "\tN=Time,L=0,U=ms,T=Edit,V=30.7,ID=T1;\r\n"
    "\tN=Mode,Num=2,T=ComboBox,V=1,S1=On,S2=Off,ID=MODE;\r\n"
    "\tN=Enable,T=CheckBox,V=1,S1=Yes,S2=No,ID=EN;\r\n"
    "<SettingEnd>\r\n"
    "<CommonParameterBegin>\r\n\tN1=Current;L1=1;U1=A;T1=Edit;V1=5.0;ID1=I;\r\n"
    "<CommonParameterEnd>\r\n"
    "<BinaryBegin>\r\n"
    "\tN=Trip,T=CheckBox,V=1,S1=Used,S2=Not used,ID=BIA;\r\n"
    "\tN=Logic,Num=2,T=ComboBox,V=0,S1=OR,S2=AND,ID=BIL;\r\n"
    "<BinaryEnd>\r\n"
    "<ReportBegin>\r\n\tN1=Name;ID1=NAME;\r\n\tN2=Result;ID2=RESULT;\r\n\tN3=Req;ID3=REQUIRE;\r\n"
    "<ReportEnd>\r\n";

// An own block: TESTNAME title, parameter k named names[k-1] with VALUEk "v<k>", REQUIREk
// "Z1*<k>", PROPERTYk k; bookmark when not empty.
std::string OwnBlock(const std::string& title, const std::vector<std::string>& names,
                     const std::string& bookmark = "");
std::string ForeignBlock(const std::string& inner);
// The bytes of a file ("" when unreadable); the bundled sample sequence (GBK); and the block of
// the sample's foreign item, markers included.
std::string FileBytes(const std::string& path);
std::string SampleSequence();
std::string ForeignItemOf(const std::string& sample);

class Component {
public:
    Component();
    ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // LoadTestItems with the ANSI text; returns its result.
    int Load(const std::string& ansi, int english = 1);
    CQuorinCom& Object() { return *static_cast<CQuorinCom*>(edit); }

    ITestItemEdit* edit = nullptr;
    IEmbeddedPanel* panel = nullptr;
    IModuleInfo* info = nullptr;
    IResultReport* report = nullptr;
};

// The ANSI text of a BSTR result, which is freed.
std::string Take(BSTR text);

// The ANSI texts of count BSTRs from items[first] on (null ones as "").
std::vector<std::string> Texts(const BSTR* items, size_t first, size_t count);
template <size_t Cols>
std::vector<std::string> Row(BstrTable<Cols>& table, size_t row) {
    return Texts(&table.at(row, 0), 0, Cols);
}
// An array holding the texts as new BSTRs.
std::unique_ptr<BstrArray> Array(const std::vector<std::string>& texts);

// Calls vtable entry slot of the interface pointer self as a function of type Fn.
template <typename Fn>
Fn Entry(void* self, int slot) {
    return reinterpret_cast<Fn>((*static_cast<void***>(self))[slot]);
}

}  // namespace quorin::test
