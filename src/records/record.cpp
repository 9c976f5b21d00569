#include "records/record.h"

#include <algorithm>
#include <cstring>

#include "records/data_file.h"
#include "records/version.h"

namespace {

// Dropped values of older files land here; nothing reads it but a save at an
// older version, which writes the dropped values. Every layout that registers
// a dropped value zeroes its bytes, so that such a save writes zeros (as the
// table save does), never the bytes of a file loaded before. Per thread, as
// loads may run on several threads.
constexpr size_t SCRATCH_SIZE = 4096;
alignas(8) thread_local uint8_t t_Scratch[SCRATCH_SIZE];

}  // namespace

void cRecord::Layout(uint32_t) { ClearAllFields(); }

namespace {

// Registries a thread keeps: those of the records it laid out last.
constexpr size_t KEPT_REGISTRIES = 4;

}  // namespace

struct cRecord::KEPT {
    REGISTRY aRegistry[KEPT_REGISTRIES];
    size_t nNext = 0;  // the one given to the next record laid out
};

cRecord::KEPT& cRecord::ThreadRegistries() {
    thread_local KEPT kept;
    return kept;
}

cRecord::REGISTRY* cRecord::FindRegistry() const {
    for (REGISTRY& r : ThreadRegistries().aRegistry)
        if (r.lpOwner == this) return &r;
    return nullptr;
}

cRecord::REGISTRY& cRecord::Registry() {
    if (REGISTRY* r = FindRegistry()) return *r;
    // The oldest registry kept is given over (its lists keep their room).
    KEPT& kept = ThreadRegistries();
    REGISTRY& r = kept.aRegistry[kept.nNext];
    kept.nNext = (kept.nNext + 1) % KEPT_REGISTRIES;
    r.lpOwner = this;
    r.vField.clear();
    r.vStr.clear();
    return r;
}

void cRecord::ClearFields() {
    if (REGISTRY* r = FindRegistry()) r->vField.clear();
}

void cRecord::ClearStrFields() {
    if (REGISTRY* r = FindRegistry()) r->vStr.clear();
}

const std::vector<FIELDDATA>& cRecord::Fields() const {
    static const std::vector<FIELDDATA> none;
    const REGISTRY* r = FindRegistry();
    return r ? r->vField : none;
}

const std::vector<STRFIELDDATA>& cRecord::StrFields() const {
    static const std::vector<STRFIELDDATA> none;
    const REGISTRY* r = FindRegistry();
    return r ? r->vStr : none;
}

void cRecord::AddField(void* p, int count, int size) {
    FIELDDATA fd;
    fd.lpOwner = this;
    fd.lpField = p;
    fd.nCount = static_cast<uint32_t>(count);
    fd.nSize = static_cast<int8_t>(size);
    Registry().vField.push_back(fd);
}

void cRecord::AddStringField(std::string* p, int count) {
    std::vector<STRFIELDDATA>& v = Registry().vStr;
    for (int i = 0; i < count; ++i) v.push_back(STRFIELDDATA{this, p + i});
}

void cRecord::AddStringField(cText* p) { Registry().vStr.push_back(STRFIELDDATA{this, nullptr, p}); }

void cRecord::AddScratchField(int size, int count) {
    if (static_cast<size_t>(size) * static_cast<size_t>(count) > SCRATCH_SIZE) count = 0;
    std::memset(t_Scratch, 0, static_cast<size_t>(size) * static_cast<size_t>(count));
    AddField(t_Scratch, count, size);
}

void LoadStreamString(cDataReader& file, std::string& s) {
    const uint32_t len = file.ReadU32();
    if (file.Failed() || len <= 1) {
        s.clear();
        return;
    }
    if (len > file.Remaining()) {
        file.SetFailed("string length " + std::to_string(len) + " exceeds the bytes that remain");
        return;
    }
    const char* raw = reinterpret_cast<const char*>(file.ReadSpan(len));
    if (!raw) return;
    // The text before the first NUL (an append to the emptied string does
    // less checking than an assignment).
    s.clear();
    s.append(raw, FindByte(raw, len, '\0'));
}

void SaveStreamString(cDataWriter& file, std::string& s) {
    // A string ends at its first NUL; it is stored whole, never cut.
    const size_t nul = FindByte(s.data(), s.size(), '\0');
    if (nul != s.size()) s.resize(nul);
    const auto len = static_cast<uint32_t>(s.size() + 1);
    if (s.empty()) {
        file.WriteU32(len);
        return;
    }
    uint8_t* p = file.Extend(4 + size_t{len});
    std::memcpy(p, &len, 4);
    CopyRunBytes(p + 4, s.c_str(), len);
}

void LoadStreamString(cDataReader& file, cText& s) {
    // An empty text (the most) is its length word alone, and makes no string.
    const uint8_t* p = file.Peek(4);
    uint32_t len = 0;
    if (p) std::memcpy(&len, p, 4);
    if (p && len <= 1) {
        file.Skip(4);
        s.clear();
        return;
    }
    LoadStreamString(file, s.Edit());
    s.ReleaseIfEmpty();
}

void SaveStreamString(cDataWriter& file, cText& s) {
    if (s.empty()) {
        file.WriteU32(1);
        return;
    }
    SaveStreamString(file, s.Edit());
    s.ReleaseIfEmpty();
}

void cRecord::Load(cDataReader& file) {
    Layout(nReadVersion);
    LoadAfterCount(file, file.ReadU32());
    if (nDataVersion != nReadVersion) Layout(nDataVersion);
}

void cRecord::LoadAfterCount(cDataReader& file, uint32_t n) {
    const std::vector<FIELDDATA>& fields = Fields();
    const std::vector<STRFIELDDATA>& strings = StrFields();
    if (!file.Failed() && n > fields.size())
        file.SetFailed("field count " + std::to_string(n) + " above the " + std::to_string(fields.size()) +
                       " registered");
    for (uint32_t i = 0; i < n && !file.Failed(); ++i) {
        const FIELDDATA& fd = fields[i];
        file.Read(fd.lpField, static_cast<size_t>(fd.nCount) * static_cast<size_t>(fd.nSize));
    }
    const uint32_t m = file.Failed() ? 0 : file.ReadU32();
    if (!file.Failed() && m > strings.size())
        file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(strings.size()) +
                       " registered");
    for (uint32_t i = 0; i < m && !file.Failed(); ++i)
        strings[i].Visit([&file](auto& s) { LoadStreamString(file, s); });
    if (bRemoveCR && !file.Failed()) RemoveCR();
}

void cRecord::Save(cDataWriter& file) {
    Layout(nDataVersion);
    file.WriteU32(static_cast<uint32_t>(Fields().size()));
    for (const FIELDDATA& fd : Fields())
        file.Write(fd.lpField, static_cast<size_t>(fd.nCount) * static_cast<size_t>(fd.nSize));
    file.WriteU32(static_cast<uint32_t>(StrFields().size()));
    for (const STRFIELDDATA& sd : StrFields()) sd.Visit([&file](auto& s) { SaveStreamString(file, s); });
}

void cRecord::Clear() {
    Layout(nDataVersion);
    for (const FIELDDATA& fd : Fields())
        std::memset(fd.lpField, 0, static_cast<size_t>(fd.nCount) * static_cast<size_t>(fd.nSize));
    for (const STRFIELDDATA& sd : StrFields()) sd.Visit([](auto& s) { s.clear(); });
}

void cRecord::CopyValues(cRecord& src) {
    if (&src == this) return;
    Layout(nDataVersion);
    src.Layout(nDataVersion);
    const std::vector<FIELDDATA>& dst = Fields();
    const std::vector<FIELDDATA>& from = src.Fields();
    const size_t nf = std::min(dst.size(), from.size());
    for (size_t i = 0; i < nf; ++i) {
        const FIELDDATA& d = dst[i];
        const FIELDDATA& s = from[i];
        size_t bytes = static_cast<size_t>(d.nCount) * static_cast<size_t>(d.nSize);
        size_t srcBytes = static_cast<size_t>(s.nCount) * static_cast<size_t>(s.nSize);
        std::memmove(d.lpField, s.lpField, std::min(bytes, srcBytes));
    }
    const std::vector<STRFIELDDATA>& dstStr = StrFields();
    const std::vector<STRFIELDDATA>& fromStr = src.StrFields();
    const size_t ns = std::min(dstStr.size(), fromStr.size());
    for (size_t i = 0; i < ns; ++i)
        dstStr[i].Visit([&](auto& d) { fromStr[i].Visit([&d](auto& s) { d = static_cast<const std::string&>(s); }); });
}

int cRecord::LoadFromFile(const std::string& name) {
    auto file = OpenDataFileRead(name.c_str());
    if (!file) return 0;
    Load(*file);
    bool ok = !file->Failed();
    CloseDataFile(file);
    return ok ? 1 : 0;
}

int cRecord::SaveToFile(const std::string& name) {
    auto file = OpenDataFileWrite(name.c_str());
    if (!file) return 0;
    Save(*file);
    return CloseDataFile(file);
}

void cRecord::RemoveCR() {
    for (const STRFIELDDATA& sd : StrFields()) sd.Visit([](auto& s) { RemoveCarriageReturns(s); });
}
