#include "package/ResPack.h"

#include "package/PackIndex.h"
#include "package/SystemCrc32.h"
#include "setup/GbkText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kCopyChunk = 1 << 20;

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWithBackslash(const std::string& path)
{
    return !path.empty() && GbkText::FindLastBackslash(path) == path.size() - 1;
}

std::string WithBackslash(const char* folder)
{
    std::string path = folder ? folder : "";
    if (!EndsWithBackslash(path))
        path += '\\';
    return path;
}

bool WriteAll(HANDLE file, const void* bytes, DWORD size)
{
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, p, size, &written, nullptr) || written == 0)
            return false;
        p += written;
        size -= written;
    }
    return true;
}

bool ReadAll(HANDLE file, void* bytes, DWORD size)
{
    auto* p = static_cast<std::uint8_t*>(bytes);
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(file, p, size, &read, nullptr) || read == 0)
            return false;
        p += read;
        size -= read;
    }
    return true;
}

bool Seek(HANDLE file, std::uint64_t offset)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != 0;
}

} // namespace

ResPack::~ResPack()
{
    Close();
}

bool ResPack::Open(const char* path, const ByteBuffer* buffer)
{
    Close();
    if (path && *path) {
        m_memoryMode = false;
        m_file.reset(CreateFileA(path, GENERIC_ALL, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        if (!m_file || !GetFileSizeEx(m_file.get(), &size) || size.QuadPart < 8 || size.QuadPart > 0xFFFFFFFF) {
            Close();
            return false;
        }
        m_size = static_cast<std::uint32_t>(size.QuadPart);
    } else {
        m_memoryMode = true;
        if (!buffer || buffer->size() < 8 || buffer->size() > 0xFFFFFFFF) {
            Close();
            return false;
        }
        m_size = static_cast<std::uint32_t>(buffer->size());
        m_mapping.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, m_size, nullptr));
        if (m_mapping)
            m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, m_size));
        if (m_view)
            std::memcpy(m_view.get(), buffer->data(), m_size);
    }
    if (!m_file && !m_view) {
        Close();
        return false;
    }
    m_entries.clear();
    if (!LoadIndex()) {
        Close();
        return false;
    }
    m_open = true;
    return true;
}

bool ResPack::LoadIndex()
{
    std::uint8_t trailer[PackIndex::kTrailerSize];
    std::uint32_t indexOffset = 0;
    const std::uint32_t trailerOffset = m_size - static_cast<std::uint32_t>(PackIndex::kTrailerSize);
    if (!ReadAt(trailerOffset, trailer, sizeof trailer) || !PackIndex::ReadTrailer(trailer, m_size, indexOffset))
        return false;
    const std::uint32_t indexSize = trailerOffset - indexOffset;
    m_cursor = indexOffset;
    if (m_memoryMode)
        return PackIndex::ParseRecords(static_cast<const std::uint8_t*>(m_view.get()) + indexOffset, indexSize,
                                       indexOffset, m_entries);
    // The whole index in one read rather than a call per byte.
    ByteBuffer index(indexSize);
    return ReadAt(indexOffset, index.data(), indexSize) &&
        PackIndex::ParseRecords(index.data(), index.size(), indexOffset, m_entries);
}

bool ResPack::ReadAt(std::uint32_t offset, void* destination, std::uint32_t size)
{
    if (offset > m_size || m_size - offset < size)
        return false;
    if (m_memoryMode) {
        if (!m_view)
            return false;
        std::memcpy(destination, static_cast<const std::uint8_t*>(m_view.get()) + offset, size);
        m_cursor = static_cast<std::size_t>(offset) + size;
        return true;
    }
    return m_file && Seek(m_file.get(), offset) && ReadAll(m_file.get(), destination, size);
}

std::string ResPack::ReadIndexString()
{
    std::string text;
    if (m_memoryMode && m_view)
        PackIndex::ReadString(static_cast<const std::uint8_t*>(m_view.get()), m_size - PackIndex::kTrailerSize,
                              m_cursor, text);
    return text;
}

void ResPack::Close()
{
    m_cursor = 0;
    m_memoryMode = false;
    m_open = false;
    m_view.reset();
    m_mapping.reset();
    m_file.reset();
}

std::size_t ResPack::FindEntry(const char* name) const
{
    const std::uint32_t key = SystemCrc32::ComputeText(name ? name : "");
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == key)
            return i + 1;
    }
    return 0;
}

ByteBuffer ResPack::GetData(const char* name)
{
    const std::size_t index = FindEntry(name);
    if (index == 0)
        return {};
    const ResPackEntry& entry = m_entries[index - 1];
    ByteBuffer data(entry.size);
    if (!ReadAt(entry.offset, data.data(), entry.size))
        return {};
    return data;
}

void ResPack::WriteEntry(const std::string& target, const ResPackEntry& entry)
{
    UniqueFile file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file)
        return;
    if (m_memoryMode) {
        // Straight from the mapping: no second copy of the content.
        WriteAll(file.get(), static_cast<const std::uint8_t*>(m_view.get()) + entry.offset, entry.size);
        return;
    }
    ByteBuffer chunk(std::min<DWORD>(entry.size, kCopyChunk));
    for (std::uint32_t done = 0; done < entry.size;) {
        const std::uint32_t piece = std::min<std::uint32_t>(entry.size - done, kCopyChunk);
        if (!ReadAt(entry.offset + done, chunk.data(), piece) || !WriteAll(file.get(), chunk.data(), piece))
            return;
        done += piece;
    }
}

bool ResPack::ExtractAll(const char* path, const ByteBuffer* buffer, const char* targetFolder)
{
    if ((path && *path) || buffer) {
        if (!Open(path, buffer))
            return false;
    } else if (!m_open) {
        return false;
    }
    for (const ResPackEntry& entry : m_entries) {
        if (!GbkText::IsContainedRelativePath(entry.name)) {
            Close();
            return false;
        }
    }
    const std::string folder = WithBackslash(targetFolder);
    m_cursor = 0;
    // Entries are read at their recorded offsets, which Open has checked;
    // for packs written by Pack that is the same as reading them in order.
    for (const ResPackEntry& entry : m_entries) {
        const std::string target = folder + entry.name;
        const std::size_t slash = GbkText::FindLastBackslash(target);
        if (slash != std::string::npos)
            CreateDirectoryPath(target.substr(0, slash));
        WriteEntry(target, entry);
    }
    Close();
    return true;
}

bool ResPack::AppendToData(const void* bytes, std::uint32_t size)
{
    if (m_dataPosition + size > 0xFFFFFFFF) {
        m_packFailed = true;
        return false;
    }
    if (!WriteAll(m_dataFile.get(), bytes, size)) {
        m_packFailed = true;
        return false;
    }
    m_dataPosition += size;
    return true;
}

bool ResPack::Pack(const char* sourceFolder, const char* output)
{
    m_sourceFolder = WithBackslash(sourceFolder);
    m_sourceLength = m_sourceFolder.size();
    m_dataPosition = 0;
    m_packFailed = false;
    const std::string out = output ? output : "";
    const std::string headerPath = out + ".Header";
    const std::string dataPath = out + ".Data";
    DeleteFileA(headerPath.c_str());
    DeleteFileA(dataPath.c_str());
    m_headerFile.reset(CreateFileA(headerPath.c_str(), GENERIC_ALL, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr));
    m_dataFile.reset(CreateFileA(dataPath.c_str(), GENERIC_ALL, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr));
    bool done = m_headerFile && m_dataFile;
    if (done) {
        AddFolder(m_sourceFolder);
        ByteBuffer end;
        PackIndex::AppendEnd(end, static_cast<std::uint32_t>(m_dataPosition));
        done = !m_packFailed && WriteAll(m_headerFile.get(), end.data(), static_cast<DWORD>(end.size())) &&
            Seek(m_headerFile.get(), 0);
        ByteBuffer chunk(kCopyChunk);
        for (DWORD read = 1; done && read > 0;) {
            done = ReadFile(m_headerFile.get(), chunk.data(), kCopyChunk, &read, nullptr) &&
                WriteAll(m_dataFile.get(), chunk.data(), read);
        }
    }
    m_headerFile.reset();
    m_dataFile.reset();
    DeleteFileA(headerPath.c_str());
    if (!done) {
        DeleteFileA(dataPath.c_str());
        return false;
    }
    DeleteFileA(out.c_str());
    return MoveFileA(dataPath.c_str(), out.c_str()) != 0;
}

void ResPack::AddFolder(const std::string& folder)
{
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA((folder + "*").c_str(), &found));
    if (!find)
        return;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            AddFile(folder + name);
        else if (name != "." && name != "..")
            subfolders.push_back(folder + name + "\\");
    } while (FindNextFileA(find.get(), &found));
    find.reset();
    for (const std::string& subfolder : subfolders)
        AddFolder(subfolder);
}

void ResPack::AddFile(const std::string& path)
{
    if (m_packFailed || path.size() <= m_sourceLength)
        return;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    // A file that cannot be read gets no record rather than a wrong one.
    if (!file || !GetFileSizeEx(file.get(), &size))
        return;
    if (static_cast<std::uint64_t>(size.QuadPart) + m_dataPosition > 0xFFFFFFFF) {
        m_packFailed = true;
        return;
    }
    const std::string name = path.substr(m_sourceLength);
    const auto offset = static_cast<std::uint32_t>(m_dataPosition);
    std::uint32_t copied = 0;
    ByteBuffer chunk(kCopyChunk);
    for (DWORD read = 1; read > 0 && copied < size.QuadPart;) {
        if (!ReadFile(file.get(), chunk.data(), kCopyChunk, &read, nullptr))
            break;
        if (read > 0 && !AppendToData(chunk.data(), read))
            return;
        copied += read;
    }
    ByteBuffer record;
    PackIndex::AppendRecord(record, name, SystemCrc32::ComputeText(name), offset, copied);
    if (!WriteAll(m_headerFile.get(), record.data(), static_cast<DWORD>(record.size())))
        m_packFailed = true;
}

void CreateDirectoryPath(const std::string& path)
{
    if (IsDirectory(path))
        return;
    // Split at single-byte backslashes only: a GBK trail byte can be 0x5C.
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (GbkText::IsLeadByte(byte) && i + 1 < path.size()) {
            parts.back() += path[i];
            parts.back() += path[++i];
        } else if (byte == '\\') {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    std::string prefix = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        prefix += '\\';
        prefix += parts[i];
        if (!IsDirectory(prefix))
            CreateDirectoryA(prefix.c_str(), nullptr);
    }
}
