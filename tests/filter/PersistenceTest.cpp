// The parameter block in a host's saved graph, and the built-in presets.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FilterHarness.h"
#include "IFactoryPresets.h"

using Microsoft::WRL::ComPtr;

namespace {

// A memory stream holding `bytes`, positioned at its start.
ComPtr<IStream> StreamWith(const std::vector<uint8_t>& bytes) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

// A persisted block of `size` bytes with `fieldCount` fields 1, 2, 3, ...
std::vector<uint8_t> Block(uint32_t size, int fieldCount, const GUID& identifier = IID_IReverbControl) {
    std::vector<uint8_t> bytes(20 + 4 * fieldCount);
    std::memcpy(bytes.data(), &size, 4);
    std::memcpy(bytes.data() + 4, &identifier, 16);
    for (int i = 0; i < fieldCount; ++i) {
        int32_t value = i + 1;
        std::memcpy(bytes.data() + 20 + 4 * i, &value, 4);
    }
    return bytes;
}

ComPtr<IPersistStream> PersistOf(const FilterHarness& h) {
    ComPtr<IPersistStream> persist;
    h.base->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf()));
    return persist;
}

// The saved block is the header and the live record, and another filter loads it whole; the
// dirty flag follows changes, saves that clear it and loads.
TEST(Persistence, SavedRecordLoadsIntoAnotherFilterAndTheDirtyFlagFollows) {
    FilterHarness h;
    ComPtr<IPersistStream> persist = PersistOf(h);
    ASSERT_NE(nullptr, persist);
    EXPECT_EQ(S_OK, persist->IsDirty());  // a fresh filter has unsaved defaults
    ASSERT_EQ(S_OK, persist->Save(StreamWith({}).Get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    h.control->put_InputGain(0);  // unchanged value
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    h.control->put_DecayTime(77);
    h.control->put_Width(-1);  // clamps to 0
    h.control->put_Tail(1);
    h.control->put_EarlyMute(1);
    EXPECT_EQ(S_OK, persist->IsDirty());
    ASSERT_EQ(S_OK, persist->Save(StreamWith({}).Get(), FALSE));
    EXPECT_EQ(S_OK, persist->IsDirty());
    ComPtr<IStream> stream = StreamWith({});
    ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());

    HGLOBAL memory = nullptr;
    ASSERT_EQ(S_OK, GetHGlobalFromStream(stream.Get(), &memory));
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
    EXPECT_EQ(96u, *reinterpret_cast<const uint32_t*>(bytes));
    EXPECT_EQ(0, std::memcmp(bytes + 4, &IID_IReverbControl, 16));
    ReverbParams saved;
    std::memcpy(&saved, bytes + 20, sizeof(saved));
    GlobalUnlock(memory);
    EXPECT_EQ(h.Params(), saved);
    ULARGE_INTEGER end = {}, max = {};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
    EXPECT_EQ(96u, end.QuadPart);
    EXPECT_EQ(S_OK, persist->GetSizeMax(&max));
    EXPECT_EQ(96u, max.QuadPart);

    FilterHarness other;
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, PersistOf(other)->Load(stream.Get()));
    EXPECT_EQ(h.Params(), other.Params());
    EXPECT_EQ(S_OK, PersistOf(other)->IsDirty());  // loaded values are unsaved in this graph
}

TEST(Persistence, OlderFormsFillTheFieldsTheyLack) {
    FilterHarness h;
    ASSERT_EQ(S_OK, PersistOf(h)->Load(StreamWith(Block(80, 15)).Get()));
    ReverbParams loaded = h.Params();
    EXPECT_EQ(ClampParam(kInputGain, 1), loaded.InputGain);
    EXPECT_EQ(ClampParam(kReverbMute, 15), loaded.ReverbMute);
    EXPECT_EQ(-35, loaded.EarlyLevel);
    EXPECT_EQ(0, loaded.EarlyMute);
    EXPECT_EQ(100, loaded.Width);
    EXPECT_EQ(0, loaded.Tail);

    h.control->put_Tail(1);
    ASSERT_EQ(S_OK, PersistOf(h)->Load(StreamWith(Block(92, 18)).Get()));
    loaded = h.Params();
    EXPECT_EQ(ClampParam(kEarlyLevel, 16), loaded.EarlyLevel);
    EXPECT_EQ(ClampParam(kWidth, 18), loaded.Width);
    EXPECT_EQ(0, loaded.Tail);
}

TEST(Persistence, ForeignOrUnknownBlocksAreRefusedAndChangeNothing) {
    FilterHarness h;
    h.control->put_DecayTime(99);
    const ReverbParams before = h.Params();
    std::vector<uint8_t> truncated = Block(96, 19);
    truncated.resize(60);
    for (const std::vector<uint8_t>& bytes : {Block(84, 16), Block(96, 19, CLSID_RuvodaR3),
                                              Block(96, 19, IID_IPersistStream), Block(0, 0), truncated})
        EXPECT_TRUE(FAILED(PersistOf(h)->Load(StreamWith(bytes).Get()))) << bytes.size() << " bytes";
    EXPECT_EQ(before, h.Params());
}

TEST(FactoryPresets, TwoNamedEntriesThatLoadTheDefaults) {
    FilterHarness h;
    ComPtr<IFactoryPresets> presets;
    ASSERT_EQ(S_OK, h.base->QueryInterface(IID_IFactoryPresets, reinterpret_cast<void**>(presets.GetAddressOf())));
    int count = 0;
    EXPECT_EQ(S_OK, presets->GetPresetCount(&count));
    EXPECT_EQ(2, count);
    WCHAR name[64];
    EXPECT_EQ(S_OK, presets->GetPresetName(1, name, 4));
    EXPECT_STREQ(L"[1]", name);  // cut to the buffer, terminator included
    for (int beyond : {2, -1}) EXPECT_EQ(E_INVALIDARG, presets->GetPresetName(beyond, name, 64));

    h.control->put_DecayTime(150);
    h.control->put_Tail(1);
    EXPECT_EQ(S_OK, presets->SelectPreset(1));
    EXPECT_EQ(DefaultParams(), h.Params());
    EXPECT_EQ(E_INVALIDARG, presets->SelectPreset(2));
}

}  // namespace
