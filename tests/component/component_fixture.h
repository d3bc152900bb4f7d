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
#include "platform/com/com_ptr.h"
#include "tests/common/temp_dir.h"

namespace quorin::test {

using Strings = std::vector<std::string>;

// A small template (data/small_template.txt): four settings (Edit with 2 decimals, Edit with
// none, ComboBox, CheckBox), one common parameter, two binary inputs, report identifiers NAME,
// RESULT, REQUIRE.
const std::string& SmallTemplate();

// An own block: TESTNAME title, parameter k named names[k-1] with VALUEk "v<k>", REQUIREk
// "Z1*<k>", PROPERTYk k; bookmark when not empty.
std::string OwnBlock(const std::string& title, const std::vector<std::string>& names,
                     const std::string& bookmark = "");
std::string ForeignBlock(const std::string& inner);
// The bundled sample sequence (GBK); and the block of the sample's foreign item, markers included.
std::string SampleSequence();
std::string ForeignItemOf(const std::string& sample);

struct Component {
    Component();
    // Made, then loaded with the ANSI text.
    explicit Component(const std::string& ansi) : Component() { Load(ansi); }
    // LoadTestItems with the ANSI text; returns its result.
    int Load(const std::string& ansi, int english = 1);
    // SetOperationData with the ANSI text.
    void SetOperation(const std::string& ansi, int index);
    CQuorinCom& Object() { return *static_cast<CQuorinCom*>(edit.get()); }

    ComPtr<ITestItemEdit> edit;
    ComPtr<IEmbeddedPanel> panel;
    ComPtr<IModuleInfo> info;
    ComPtr<IResultReport> report;
};

// The ANSI text of a BSTR result, which is freed.
std::string Take(BSTR text);

// The ANSI texts of count BSTRs from items on (null ones as ""); and texts joined by "|".
std::vector<std::string> Texts(const BSTR* items, size_t count);
std::string Joined(const std::vector<std::string>& texts);
// An array holding the texts as new BSTRs.
std::unique_ptr<BstrArray> Array(const std::vector<std::string>& texts);

// Calls vtable entry slot of the interface pointer self as a function of type Fn.
template <typename Fn>
Fn Entry(void* self, int slot) {
    return reinterpret_cast<Fn>((*static_cast<void***>(self))[slot]);
}

}  // namespace quorin::test
