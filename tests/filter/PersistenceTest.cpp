// The parameter block in a host's saved graph, and the built-in presets.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FilterHarness.h"
#include "IFactoryPresets.h"

namespace {

template <class Interface>
Interface* Query(IUnknown* object, REFIID iid) {
    Interface* result = nullptr;
    object->QueryInterface(iid, reinterpret_cast<void**>(&result));
    return result;
}

// A memory stream holding `bytes`, positioned at its start.
IStream* StreamWith(const std::vector<uint8_t>& bytes) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<uint8_t> StreamBytes(IStream* stream) {
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    return bytes;
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

class Persistence : public ::testing::Test {
protected:
    void SetUp() override { persist = Query<IPersistStream>(h.base, IID_IPersistStream); }
    void TearDown() override {
        if (persist != nullptr) persist->Release();
    }
    FilterHarness h;
    IPersistStream* persist = nullptr;
};

}  // namespace

// The saved block is the header and the live record, and another filter loads it whole; the
// dirty flag follows changes, saves that clear it and loads.
TEST_F(Persistence, SavedRecordLoadsIntoAnotherFilterAndTheDirtyFlagFollows) {
    ASSERT_NE(nullptr, persist);
    EXPECT_EQ(S_OK, persist->IsDirty());  // a fresh filter has unsaved defaults
    IStream* stream = StreamWith({});
    ASSERT_EQ(S_OK, persist->Save(stream, TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    h.control->put_InputGain(0);  // unchanged value
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    h.control->put_DecayTime(77);
    h.control->put_Width(-1);  // clamps to 0
    h.control->put_Tail(1);
    h.control->put_EarlyMute(1);
    EXPECT_EQ(S_OK, persist->IsDirty());
    ASSERT_EQ(S_OK, persist->Save(stream, FALSE));
    EXPECT_EQ(S_OK, persist->IsDirty());
    stream->Release();
    stream = StreamWith({});
    ASSERT_EQ(S_OK, persist->Save(stream, TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());

    std::vector<uint8_t> bytes = StreamBytes(stream);
    ASSERT_EQ(96u, bytes.size());
    uint32_t size = 0;
    std::memcpy(&size, bytes.data(), 4);
    EXPECT_EQ(96u, size);
    EXPECT_EQ(0, std::memcmp(bytes.data() + 4, &IID_IReverbControl, 16));
    ReverbParams saved;
    std::memcpy(&saved, bytes.data() + 20, sizeof(saved));
    EXPECT_EQ(h.Params(), saved);
    ULARGE_INTEGER max = {};
    EXPECT_EQ(S_OK, persist->GetSizeMax(&max));
    EXPECT_EQ(96u, max.QuadPart);

    FilterHarness other;
    IPersistStream* otherPersist = Query<IPersistStream>(other.base, IID_IPersistStream);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, otherPersist->Load(stream));
    EXPECT_EQ(h.Params(), other.Params());
    EXPECT_EQ(S_OK, otherPersist->IsDirty());  // loaded values are unsaved in this graph
    otherPersist->Release();
    stream->Release();
}

TEST_F(Persistence, OlderFormsFillTheFieldsTheyLack) {
    IStream* stream = StreamWith(Block(80, 15));
    ASSERT_EQ(S_OK, persist->Load(stream));
    stream->Release();
    ReverbParams loaded;
    h.control->GetAllParams(&loaded);
    EXPECT_EQ(ClampParam(kInputGain, 1), loaded.InputGain);
    EXPECT_EQ(ClampParam(kReverbMute, 15), loaded.ReverbMute);
    EXPECT_EQ(-35, loaded.EarlyLevel);
    EXPECT_EQ(0, loaded.EarlyMute);
    EXPECT_EQ(100, loaded.Width);
    EXPECT_EQ(0, loaded.Tail);

    h.control->put_Tail(1);
    stream = StreamWith(Block(92, 18));
    ASSERT_EQ(S_OK, persist->Load(stream));
    stream->Release();
    h.control->GetAllParams(&loaded);
    EXPECT_EQ(ClampParam(kEarlyLevel, 16), loaded.EarlyLevel);
    EXPECT_EQ(ClampParam(kWidth, 18), loaded.Width);
    EXPECT_EQ(0, loaded.Tail);
}

TEST_F(Persistence, ForeignOrUnknownBlocksAreRefusedAndChangeNothing) {
    h.control->put_DecayTime(99);
    for (const std::vector<uint8_t>& bytes :
         {Block(84, 16), Block(96, 19, CLSID_RuvodaR3), Block(96, 19, IID_IPersistStream), Block(0, 0)}) {
        IStream* stream = StreamWith(bytes);
        EXPECT_EQ(E_FAIL, persist->Load(stream));
        stream->Release();
    }
    std::vector<uint8_t> truncated = Block(96, 19);
    truncated.resize(60);
    IStream* stream = StreamWith(truncated);
    EXPECT_TRUE(FAILED(persist->Load(stream)));
    stream->Release();
    int decay = 0;
    h.control->get_DecayTime(&decay);
    EXPECT_EQ(99, decay);
}

TEST(FactoryPresets, TwoNamedEntriesThatLoadTheDefaults) {
    FilterHarness h;
    IFactoryPresets* presets = Query<IFactoryPresets>(h.base, IID_IFactoryPresets);
    ASSERT_NE(nullptr, presets);
    int count = 0;
    EXPECT_EQ(S_OK, presets->GetPresetCount(&count));
    EXPECT_EQ(2, count);
    WCHAR name[64];
    EXPECT_EQ(S_OK, presets->GetPresetName(1, name, 4));
    EXPECT_STREQ(L"[1]", name);  // cut to the buffer, terminator included
    EXPECT_EQ(E_INVALIDARG, presets->GetPresetName(2, name, 64));
    EXPECT_EQ(E_INVALIDARG, presets->GetPresetName(-1, name, 64));

    h.control->put_DecayTime(150);
    h.control->put_Tail(1);
    EXPECT_EQ(S_OK, presets->SelectPreset(1));
    EXPECT_EQ(DefaultParams(), h.Params());
    EXPECT_EQ(E_INVALIDARG, presets->SelectPreset(2));
    presets->Release();
}
