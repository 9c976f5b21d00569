#include "stage/old_streams.h"

#include "records/version.h"

namespace oldstream {

void Record(cDataWriter& w, cRecord& rec, uint32_t v) {
    const uint32_t keep = nDataVersion;
    nDataVersion = v;
    rec.cRecord::Save(w);
    nDataVersion = keep;
}

void Move(cDataWriter& w, cEdMove& m, uint32_t v, bool bNoFactor) {
    if (!bNoFactor) {
        Record(w, m, v);
        return;
    }
    // The stream of a layout that never stored the factor.
    std::vector<uint8_t> body;
    uint32_t n = 0;
    for (const auto& row : cEdMove::Rows()) {
        if (!row.StoredIn(v) || std::holds_alternative<double cEdMove::*>(row.lpMember)) continue;
        ++n;
        std::visit(
            [&](auto pm) {
                using P = decltype(pm);
                if constexpr (!std::is_same_v<P, std::monostate> && !std::is_same_v<P, std::string cEdMove::*>) {
                    // By address: the setting is packed.
                    const auto* val = &(m.*pm);
                    const auto* p = reinterpret_cast<const uint8_t*>(val);
                    body.insert(body.end(), p, p + sizeof(*val));
                }
            },
            row.lpMember);
    }
    w.WriteU32(n);
    w.Write(body.data(), body.size());
    w.WriteU32(0);
}

void CondList(cDataWriter& w, cCondList& c, uint32_t v) {
    Record(w, c, v);
    if (v < 766) return;
    w.WriteU32(static_cast<uint32_t>(c.vCond.size()));
    for (auto& e : c.vCond) Record(w, e, v);
}

void KeyStep(cDataWriter& w, cEdCmdList& k, uint32_t v) {
    Record(w, k, v);
    w.WriteU32(static_cast<uint32_t>(k.vKey.size()));
    if (!k.vKey.empty()) w.Write(k.vKey.data(), k.vKey.size());
}

void Cmd(cDataWriter& w, cFlowCmd& c, uint32_t v) {
    Record(w, c, v);
    w.WriteI32(c.spMove ? 1 : 0);
    if (c.spMove) Move(w, *c.spMove, v);
    w.WriteI32(c.spShot ? 1 : 0);
    if (c.spShot) Record(w, *c.spShot, v);
    if (v >= 764) {
        w.WriteI32(c.CondList() ? 1 : 0);
        if (c.CondList()) CondList(w, *c.CondList(), v);
    }
    w.WriteU32(static_cast<uint32_t>(c.SubFlows().size()));
    for (auto& f : c.SubFlowSpan()) Flow(w, f, v);
    w.WriteU32(static_cast<uint32_t>(c.vParam.size()));
    for (int32_t p : c.vParam) w.WriteI32(p);
}

void Flow(cDataWriter& w, cFlow& f, uint32_t v) {
    Record(w, f, v);
    w.WriteU32(static_cast<uint32_t>(f.vCond.size()));
    for (auto& e : f.vCond) Record(w, e, v);
    w.WriteU32(static_cast<uint32_t>(f.vKeyCond.size()));
    for (auto& e : f.vKeyCond) KeyStep(w, e, v);
    w.WriteU32(static_cast<uint32_t>(f.vCmd.size()));
    for (auto& e : f.vCmd) Cmd(w, e, v);
}

bool LoadAt(cRecord& rec, std::span<const uint8_t> bytes, uint32_t v) {
    const uint32_t keep = nReadVersion;
    nReadVersion = v;
    cDataReader r(bytes.data(), bytes.size());
    rec.Load(r);
    nReadVersion = keep;
    return !r.Failed() && r.Remaining() == 0;
}

}  // namespace oldstream
