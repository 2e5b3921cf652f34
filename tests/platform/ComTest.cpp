// The COM wrappers: one Release per reference owned, one CoUninitialize per successful CoInitialize.
#include "platform/ComInitializer.h"
#include "platform/ComPtr.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
// Counts its references; never freed by Release, so a test can look after the last one.
class CountedObject : public IUnknown
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++releases;
        return --references;
    }
    LONG references = 1;
    int releases = 0;
};

// What CoInitialize answers on this thread now: S_OK only when COM was not initialised.
HRESULT ProbeApartment()
{
    const HRESULT hr = ::CoInitialize(nullptr);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return hr;
}

template <typename Body> void OnFreshThread(Body body)
{
    std::thread thread(body);
    thread.join();
}
} // namespace

TEST(CComPtr, ReleasesEachOwnedReferenceOnce)
{
    CountedObject first;
    CountedObject second;
    {
        CComPtr<IUnknown> owner(&first);
        CComPtr<IUnknown> moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.Get(), &first);
        EXPECT_EQ(first.releases, 0);

        // Receiving into a pointer that owns something releases the old reference first.
        void** slot = moved.Receive();
        EXPECT_EQ(first.releases, 1);
        *slot = static_cast<IUnknown*>(&second);
        CComPtr<IUnknown> assigned;
        assigned = std::move(moved);
        EXPECT_EQ(second.releases, 0);
    }
    EXPECT_EQ(first.references, 0);
    EXPECT_EQ(first.releases, 1);
    EXPECT_EQ(second.releases, 1);

    CountedObject kept;
    {
        CComPtr<IUnknown> owner(&kept);
        EXPECT_EQ(owner.Detach(), &kept);
    }
    EXPECT_EQ(kept.releases, 0);
}

TEST(CComInitializer, BalancesEverySuccessfulInitialisation)
{
    OnFreshThread(
        []
        {
            {
                const CComInitializer outer;
                EXPECT_TRUE(outer);
                const CComInitializer inner; // S_FALSE: counted, so balanced too
                EXPECT_TRUE(inner);
                EXPECT_EQ(ProbeApartment(), S_FALSE);
            }
            EXPECT_EQ(ProbeApartment(), S_OK);
        });

    // A thread in the multithreaded apartment stays in it and can use COM meanwhile.
    OnFreshThread(
        []
        {
            ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
            {
                const CComInitializer com;
                EXPECT_TRUE(com);
            }
            EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
            ::CoUninitialize();
            ::CoUninitialize();
        });
}
