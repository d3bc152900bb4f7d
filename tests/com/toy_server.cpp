// A minimal in-process server built on the shim, loaded by the activation tests with dlopen.
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "platform/numtext.h"
#include "tests/com/toy_interface.h"

namespace quorin::test {
namespace {

ServerModule g_module;

class ToyCounter final : public IToyCounter {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override {
        return AnswerQuery(iid, object, {{IID_IToyCounter, this}});
    }
    ULONG AddRef() override { return refs_.Add(); }
    ULONG Release() override { return refs_.Release(this); }

    int32_t Add(int32_t amount) override { return total_ += amount; }
    BSTR Describe(BSTR prefix) override {
        return AnsiToBstr(BstrToAnsi(prefix) + "=" + FormatInt(total_));
    }
    std::string Repeat(std::string text, int32_t times) override {
        std::string out;
        for (int32_t i = 0; i < times; ++i)
            out += text;
        return out + "|" + FormatInt(total_);
    }

private:
    ModuleLock lock_{g_module};
    RefCount refs_;
    int32_t total_ = 0;
};

}  // namespace
}  // namespace quorin::test

using namespace quorin;

extern "C" HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    return ServeClassObject<test::ToyCounter>(test::g_module, test::CLSID_ToyCounter, clsid, iid,
                                              object);
}

extern "C" HRESULT DllCanUnloadNow() {
    return test::g_module.CanUnloadNow();
}

extern "C" HRESULT DllRegisterServer() {
    return RegisterInprocServer(test::CLSID_ToyCounter, test::kToyProgId,
                                ModulePathOf(reinterpret_cast<const void*>(&DllGetClassObject)));
}

extern "C" HRESULT DllUnregisterServer() {
    return UnregisterInprocServer(test::CLSID_ToyCounter);
}
