#include "setup/GbkText.h"

namespace GbkText {

namespace {

// Calls visit(offset, byte) for every single-byte character of text, skipping
// double-byte characters whole. Returns false when text ends inside one.
template <typename Visit>
bool ForEachSingleByte(std::string_view text, Visit visit)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 >= text.size())
                return false;
            ++i;
            continue;
        }
        visit(i, byte);
    }
    return true;
}

bool IsSeparator(unsigned char byte) { return byte == '\\' || byte == '/'; }

} // namespace

std::string LowerAscii(std::string_view text)
{
    std::string result(text);
    ForEachSingleByte(text, [&](std::size_t i, unsigned char byte) {
        if (byte >= 'A' && byte <= 'Z')
            result[i] = static_cast<char>(byte - 'A' + 'a');
    });
    return result;
}

std::size_t FindLastBackslash(std::string_view path)
{
    std::size_t last = std::string_view::npos;
    ForEachSingleByte(path, [&](std::size_t i, unsigned char byte) {
        if (byte == '\\')
            last = i;
    });
    return last;
}

std::string_view FileNamePart(std::string_view path)
{
    const std::size_t slash = FindLastBackslash(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::vector<std::string_view> SplitPathComponents(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    ForEachSingleByte(path, [&](std::size_t i, unsigned char byte) {
        if (IsSeparator(byte)) {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    });
    parts.push_back(path.substr(start));
    return parts;
}

bool IsContainedRelativePath(std::string_view path)
{
    if (path.empty())
        return false;
    bool hasColon = false;
    const bool complete = ForEachSingleByte(path, [&](std::size_t, unsigned char byte) {
        if (byte == ':')
            hasColon = true;
    });
    if (!complete || hasColon)
        return false;
    for (std::string_view part : SplitPathComponents(path)) {
        // Windows drops trailing dots and blanks, so "..." and ". ." reach
        // the parent folder too: a component made only of them is refused.
        if (part.find_first_not_of(". ") == std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace GbkText
