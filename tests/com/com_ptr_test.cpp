#include "platform/com/com_ptr.h"

#include <gtest/gtest.h>

#include "platform/com/server.h"

namespace quorin {
namespace {

const IID IID_ISecond = MakeGuid("{3C1D5E7F-1111-4222-8333-944455556666}");

struct ISecond : IUnknown {
    virtual int32_t Value() = 0;

protected:
    ~ISecond() = default;
};

// Counts its references; deleted by the test, so that the count can be checked at any point.
class Counted final : public ISecond {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (OfferInterface<ISecond>(this, IID_ISecond, iid, object) ||
            OfferInterface<ISecond>(this, IID_IUnknown, iid, object))
            return S_OK;
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    int32_t Value() override { return 42; }
    ULONG refs = 1;
};

TEST(ComPtr, HoldsExactlyOneReferenceEachAndQueries) {
    Counted object;
    {
        auto unknown = ComPtr<IUnknown>::Adopt(static_cast<ISecond*>(&object));
        ComPtr<ISecond> second;
        ASSERT_EQ(unknown.As(IID_ISecond, &second), S_OK);
        EXPECT_EQ(second->Value(), 42);
        EXPECT_EQ(object.refs, 2u);
        ComPtr<ISecond> copy = second;
        ComPtr<ISecond> moved = std::move(copy);
        EXPECT_FALSE(copy);
        moved = second;  // the same object: one added, one released
        EXPECT_EQ(object.refs, 3u);
        EXPECT_EQ(unknown.As(IID_IClassFactory, &moved), E_NOINTERFACE);
        EXPECT_FALSE(moved);
        EXPECT_EQ(object.refs, 2u);
        // out() releases what the pointer held before the call fills it.
        ASSERT_EQ(object.QueryInterface(IID_IUnknown, second.out()), S_OK);
        EXPECT_EQ(object.refs, 2u);
        ISecond* raw = second.release();
        EXPECT_FALSE(second);
        second = ComPtr<ISecond>::Adopt(raw);
    }
    EXPECT_EQ(object.refs, 0u);
    ComPtr<IUnknown> empty;
    ComPtr<ISecond> target;
    EXPECT_EQ(empty.As(IID_ISecond, &target), E_POINTER);
}

}  // namespace
}  // namespace quorin
