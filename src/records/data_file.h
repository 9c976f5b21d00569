#pragma once
// The data-file frame: a u32 data version, then the top-level record's stream.
// Files are read whole into memory and written through a temporary file that
// is renamed over the old one, so a failed save leaves the old file whole.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "records/data_stream.h"

// A data file being written: its bytes collect here until CloseDataFile.
class cDataFileWriter : public cDataWriter {
public:
    explicit cDataFileWriter(std::string nativePath) : m_strPath(std::move(nativePath)) {}
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

// Largest data file the program reads; anything bigger is refused unread.
constexpr size_t MAX_DATA_FILE_SIZE = 256u << 20;

// Opens a data file (a null or empty name means "err") positioned after its
// version word, which goes to nReadVersion. Null when it cannot be read or is
// shorter than the version word (bVersionTooNew unchanged), or when it is newer
// than the program (bVersionTooNew = 1); otherwise bVersionTooNew = 0.
std::unique_ptr<cDataReader> OpenDataFileRead(const char* name);
// Starts a data file with nDataVersion; the file itself is written at close.
std::unique_ptr<cDataFileWriter> OpenDataFileWrite(const char* name);
// Ends reading.
void CloseDataFile(std::unique_ptr<cDataReader>& file);
// Writes the collected bytes through a temporary file; 1 on success, 0 (with
// a report-log line) when the file could not be written.
int CloseDataFile(std::unique_ptr<cDataFileWriter>& file);

// Whole-file helpers on native paths.
bool ReadFileBytes(const std::string& nativePath, std::vector<uint8_t>& out,
                   size_t maxSize = MAX_DATA_FILE_SIZE);
bool WriteFileAtomic(const std::string& nativePath, std::span<const uint8_t> bytes);
// Removes the temporary files (".tmp~") that writes killed before their end
// left in nativeFolder and below; the native paths removed.
std::vector<std::string> RemoveTemporaryLeftovers(const std::string& nativeFolder);

// Steps of writing a file through its temporary file, for the test hook.
enum eFileStep : int { FILESTEP_OPEN = 0, FILESTEP_WRITE, FILESTEP_SYNC, FILESTEP_CLOSE, FILESTEP_RENAME };
// Tests: asked before every step of WriteFileAtomic (nDone = bytes written so
// far); false fails that step as the system would. While a hook is set, the
// bytes go out in writes of at most nChunk bytes, so that a test can stop a
// save between any two of them. Null: no hook.
using FILESTEPHOOK = bool (*)(int nStep, size_t nDone);
void SetFileStepHook(FILESTEPHOOK hook, size_t nChunk = 0);

// The load-failure message for a data file, chosen by bVersionTooNew.
std::string GetLoadErrorMes(const std::string& name);
