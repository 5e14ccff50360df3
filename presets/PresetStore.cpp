#include "PresetStore.h"

#include <new>
#include <utility>

#include "PresetCommands.h"
#include "StoreText.h"

namespace {
// An empty key is greater than any non-empty one, so unnamed entries go last.
int CompareKey(const char* a, const char* b) {
    const bool aEmpty = a[0] == '\0';
    const bool bEmpty = b[0] == '\0';
    if (aEmpty || bEmpty) return static_cast<int>(aEmpty) - static_cast<int>(bEmpty);
    return CompareFolded(a, b);
}

int ComparePresets(const Preset* a, const Preset* b) {
    if (a == nullptr || b == nullptr) return static_cast<int>(a == nullptr) - (b == nullptr);
    const int byBank = CompareKey(a->bank, b->bank);
    return byBank != 0 ? byBank : CompareKey(a->name, b->name);
}
}  // namespace

PresetStore::PresetStore(HINSTANCE module, HWND editor, const char* pluginName,
                         MessageSink* messages, FileDialogs* fileDialogs)
    : active_(new (std::nothrow) PresetList()),
      spare_(new (std::nothrow) PresetList()),
      editor_(editor),
      module_(module),
      messages_(messages != nullptr ? *messages : SystemMessageSink()),
      fileDialogs_(fileDialogs != nullptr ? *fileDialogs : SystemFileDialogs()) {
    if (pluginName != nullptr) {
        CopyBounded(pluginName_, sizeof pluginName_, pluginName);
        CopyBounded(title_, sizeof title_, FormatText("%s Preset Manager", pluginName_).c_str());
    } else {
        CopyBounded(title_, sizeof title_, "Quillorn Veltria:qv Preset Manager");
    }
}

PresetStore::~PresetStore() {
    FreeAll(active_);
    FreeAll(spare_);
    delete active_;
    delete spare_;
}

void PresetStore::FreeAll(PresetList* list) {
    if (list == nullptr) return;
    for (int i = list->Count() - 1; i >= 0; --i) FreePreset(list->RemoveAt(i));
}

void PresetStore::SetAlternateClassKey(const char* keyPath) {
    CopyBounded(alternateClassKey_, sizeof alternateClassKey_, keyPath);
}

int PresetStore::Count() const { return active_ != nullptr ? active_->Count() : 0; }

Preset* PresetStore::PresetAt(int index) const {
    return active_ != nullptr ? active_->At(index) : nullptr;
}

int32_t PresetStore::IdAt(int index) const {
    const Preset* preset = PresetAt(index);
    return preset != nullptr ? preset->id : -1;
}

int PresetStore::IndexOfId(int32_t id) const {
    for (int i = 0; i < Count(); ++i) {
        if (IdAt(i) == id && PresetAt(i) != nullptr) return i;
    }
    return -1;
}

Preset* PresetStore::FindById(int32_t id) const { return PresetAt(IndexOfId(id)); }

const char* PresetStore::NameById(int32_t id) const {
    const Preset* preset = FindById(id);
    return preset != nullptr ? preset->name : nullptr;
}

int32_t PresetStore::LargestId() const {
    int32_t largest = kPresetIdBase;
    for (int i = 0; i < Count(); ++i) {
        if (IdAt(i) > largest) largest = IdAt(i);
    }
    return largest;
}

int32_t PresetStore::NextId() const {
    int32_t id = LargestId() + 1;
    while (IsPresetMenuCommand(id)) ++id;
    return id;
}

bool PresetStore::Exists(const Preset& candidate) const {
    for (int i = 0; i < Count(); ++i) {
        const Preset* preset = PresetAt(i);
        if (preset != nullptr && EqualFolded(preset->name, candidate.name) &&
            EqualFolded(preset->bank, candidate.bank) &&
            EqualFolded(preset->data, candidate.data)) {
            return true;
        }
    }
    return false;
}

bool PresetStore::BankInFirst(int n, const char* bank) const {
    if (n < 1 || bank == nullptr) return false;
    for (int i = 0; i < n && i < Count(); ++i) {
        const Preset* preset = PresetAt(i);
        if (preset != nullptr && EqualFolded(preset->bank, bank)) return true;
    }
    return false;
}

bool PresetStore::Append(Preset* preset) {
    if (preset != nullptr && active_ != nullptr && active_->Append(preset)) return true;
    FreePreset(preset);
    return false;
}

void PresetStore::DeleteAt(int index) {
    if (active_ != nullptr) FreePreset(active_->RemoveAt(index));
}

void PresetStore::Sort() {
    if (active_ == nullptr) return;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int i = 0; i + 1 < active_->Count(); ++i) {
            Preset* a = active_->At(i);
            Preset* b = active_->At(i + 1);
            if (ComparePresets(a, b) > 0) {
                active_->Set(i, b);
                active_->Set(i + 1, a);
                exchanged = true;
            }
        }
    }
}

bool PresetStore::MakeBackup() {
    if (spare_ == nullptr || active_ == nullptr) return false;
    FreeAll(spare_);
    for (int i = 0; i < active_->Count(); ++i) {
        const Preset* original = active_->At(i);
        if (original == nullptr) continue;
        Preset* copy = NewPreset(original->version, original->name, original->bank,
                                 original->data, original->id);
        if (copy != nullptr && !spare_->Append(copy)) FreePreset(copy);
    }
    std::swap(active_, spare_);
    return true;
}

void PresetStore::RestoreBackup() {
    if (spare_ != nullptr) std::swap(active_, spare_);
}

int PresetStore::ShowMessage(HWND owner, const char* text, UINT flags) const {
    return messages_.Show(owner, text, title_, flags);
}
