// A resource pack (layout in package/PackIndex.h): built from a folder, opened
// from a file or from memory, searched by name and extracted into a folder.
//
// Open checks the trailer, the index and every record against the pack's
// size, so a pack that points outside itself does not open. ExtractAll
// refuses, before writing anything, a pack holding a name that would leave
// the target folder (rooted, drive-qualified or with a ".." component).
// Paths and names are GBK.
#pragma once

#include "package/ResPackEntry.h"
#include "ui/core/ByteBuffer.h"
#include "ui/core/Handles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ResPack {
public:
    ResPack() = default;
    ~ResPack();
    ResPack(const ResPack&) = delete;
    ResPack& operator=(const ResPack&) = delete;

    // Opens the file at path when path is given and not empty, otherwise a
    // private copy of buffer. Closes any open pack first; false (and closed)
    // for a source shorter than 8 bytes, an unreadable file, a wrong magic or
    // an index that does not fit the pack.
    bool Open(const char* path, const ByteBuffer* buffer = nullptr);
    bool IsOpen() const { return m_open; }
    // Memory mode: the NUL-terminated text at the read cursor, which moves
    // past the NUL; empty when there is none before the trailer.
    std::string ReadIndexString();
    void Close();

    // The content of the entry named name; empty when there is none.
    ByteBuffer GetData(const char* name);
    // 1-based position of the first entry whose key equals the CRC-32 of
    // name (names are not compared); 0 when none.
    std::size_t FindEntry(const char* name) const;
    const std::vector<ResPackEntry>& Entries() const { return m_entries; }

    // Writes every file under sourceFolder into a new pack at output, through
    // the temporary files output + ".Header" and output + ".Data". False when
    // a temporary file cannot be created, the data exceeds 4 GiB or the pack
    // cannot be moved into place.
    bool Pack(const char* sourceFolder, const char* output);
    // Builder steps of Pack: the files of folder (ending in a backslash), then
    // its subfolders; one file.
    void AddFolder(const std::string& folder);
    void AddFile(const std::string& path);

    // Opens path or buffer when either is given (else uses the open pack),
    // writes every entry under targetFolder, creating subfolders, and closes
    // the pack. False when the pack does not open or holds an unsafe name;
    // failures to write single files are not reported.
    bool ExtractAll(const char* path, const ByteBuffer* buffer, const char* targetFolder);

private:
    bool ReadAt(std::uint32_t offset, void* destination, std::uint32_t size);
    bool LoadIndex();
    void WriteEntry(const std::string& target, const ResPackEntry& entry);
    bool AppendToData(const void* bytes, std::uint32_t size);

    std::vector<ResPackEntry> m_entries;
    UniqueFile m_file;
    bool m_memoryMode = false;
    UniqueKernelHandle m_mapping;
    UniqueMappedView m_view;
    std::size_t m_cursor = 0;
    std::uint32_t m_size = 0;

    UniqueFile m_headerFile;
    UniqueFile m_dataFile;
    std::string m_sourceFolder;
    std::size_t m_sourceLength = 0;
    std::uint64_t m_dataPosition = 0;
    bool m_packFailed = false;

    bool m_open = false;
};

// Creates every missing folder of path; the first component (the drive) is
// not created.
void CreateDirectoryPath(const std::string& path);
