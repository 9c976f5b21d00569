#pragma once
// What a worker made ahead from files (decoded pictures, read sounds), kept
// by the file's absolute native path with the size and time the file had:
// the loader takes it when the file is still the same and reads the file
// itself otherwise. Safe from any thread.
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <utility>

// The size and time of the file at native (a native path) as a worker reads
// it ahead; false when it is gone or larger than limit.
inline bool StampPreparedFile(const std::string& native, std::uintmax_t limit, std::uintmax_t* size,
                              std::filesystem::file_time_type* time) {
    std::error_code ec;
    *size = std::filesystem::file_size(native, ec);
    if (!ec) *time = std::filesystem::last_write_time(native, ec);
    return !ec && *size <= limit;
}

template <class T>
class cPreparedFiles {
public:
    // Keeps item made from the file at native (a native path) as the file is now; false when the file is gone.
    bool Put(const std::string& native, std::uintmax_t size, std::filesystem::file_time_type time, T item) {
        std::error_code ec;
        const std::string key = std::filesystem::absolute(native, ec).string();
        if (ec) return false;
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Items.insert_or_assign(key, cEntry{size, time, std::move(item)});
        return true;
    }
    // Moves the item kept for native into out when its file still has that
    // size and its time; the entry goes either way.
    bool Take(const std::string& native, std::uintmax_t size, T* out) {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_Items.empty()) return false;
        std::error_code ec;
        const auto it = m_Items.find(std::filesystem::absolute(native, ec).string());
        if (ec || it == m_Items.end()) return false;
        const auto time = std::filesystem::last_write_time(native, ec);
        const bool bSame = !ec && it->second.nSize == size && it->second.Time == time;
        if (bSame) *out = std::move(it->second.Item);
        m_Items.erase(it);
        return bSame;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Items.clear();
    }

private:
    struct cEntry {
        std::uintmax_t nSize = 0;
        std::filesystem::file_time_type Time;
        T Item;
    };
    std::mutex m_Lock;
    std::map<std::string, cEntry> m_Items;
};
