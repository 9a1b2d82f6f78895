// Writes the sample application's data files into a folder: the same bytes on
// every run (one fixed seed), text-like and binary, some in subfolders, about
// 15 MB in all, so that the payload resembles a real application's.
//   generate-filler FOLDER
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// xorshift64*: small, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed ? seed : 1) {}
    std::uint64_t Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    std::uint32_t Below(std::uint32_t limit) { return static_cast<std::uint32_t>(Next() % limit); }

private:
    std::uint64_t m_state;
};

enum class Kind { Text, Table, Records, Noise };

struct FillerFile {
    const char* name;
    Kind kind;
    std::size_t size;
};

const FillerFile kFiles[] = {
    { "readme.txt", Kind::Text, 24000 },
    { "license.txt", Kind::Text, 18000 },
    { "changes.txt", Kind::Text, 160000 },
    { "zarvel.ini", Kind::Table, 6000 },
    { "core.dll", Kind::Records, 1000000 },
    { "render.dll", Kind::Records, 1200000 },
    { "net.dll", Kind::Records, 650000 },
    { "script.dll", Kind::Records, 820000 },
    { "strings.dat", Kind::Text, 900000 },
    { "items.csv", Kind::Table, 1100000 },
    { "maps.csv", Kind::Table, 700000 },
    { "skin\\main.png", Kind::Noise, 760000 },
    { "skin\\buttons.png", Kind::Noise, 210000 },
    { "skin\\icons.png", Kind::Noise, 330000 },
    { "skin\\background.jpg", Kind::Noise, 650000 },
    { "skin\\dark\\main.png", Kind::Noise, 690000 },
    { "skin\\dark\\buttons.png", Kind::Noise, 190000 },
    { "sound\\click.wav", Kind::Records, 120000 },
    { "sound\\alert.wav", Kind::Records, 260000 },
    { "sound\\start.ogg", Kind::Noise, 540000 },
    { "help\\index.html", Kind::Text, 86000 },
    { "help\\guide.html", Kind::Text, 420000 },
    { "help\\faq.html", Kind::Text, 130000 },
    { "help\\images\\step1.png", Kind::Noise, 150000 },
    { "help\\images\\step2.png", Kind::Noise, 170000 },
    { "lang\\zh-cn.lng", Kind::Text, 380000 },
    { "lang\\en-us.lng", Kind::Text, 360000 },
    { "lang\\zh-tw.lng", Kind::Text, 370000 },
    { "data\\monsters.db", Kind::Records, 1000000 },
    { "data\\quests.db", Kind::Records, 900000 },
    { "data\\world.idx", Kind::Table, 300000 },
    { "plugins\\tools.dll", Kind::Records, 480000 },
    { "plugins\\stats.dll", Kind::Records, 350000 },
};

const char* const kSyllables[] = { "ka", "ren", "to", "vel", "ar", "min", "so", "lu", "dra", "quen", "bi",
                                   "mor", "ta", "zel", "on", "ri", "sha", "dun", "e", "lio", "van", "pe" };

std::string Word(Random& random)
{
    std::string word;
    const std::uint32_t count = 1 + random.Below(3);
    for (std::uint32_t i = 0; i < count; ++i)
        word += kSyllables[random.Below(sizeof kSyllables / sizeof kSyllables[0])];
    return word;
}

std::vector<unsigned char> Make(const FillerFile& file, Random& random)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(file.size + 64);
    switch (file.kind) {
    case Kind::Text:
        while (bytes.size() < file.size) {
            std::string line;
            const std::uint32_t words = 4 + random.Below(12);
            for (std::uint32_t i = 0; i < words; ++i)
                line += (i ? " " : "") + Word(random);
            line += random.Below(4) ? ".\r\n" : ",\r\n";
            bytes.insert(bytes.end(), line.begin(), line.end());
        }
        break;
    case Kind::Table:
        for (std::uint32_t row = 1; bytes.size() < file.size; ++row) {
            const std::string line = std::to_string(row) + "," + Word(random) + "," +
                std::to_string(random.Below(1000)) + "," + std::to_string(random.Below(100000)) + "," +
                std::to_string(random.Below(3)) + "\r\n";
            bytes.insert(bytes.end(), line.begin(), line.end());
        }
        break;
    case Kind::Records:
        // 32-byte records: an id, a few small fields, a random tail.
        for (std::uint32_t id = 0; bytes.size() < file.size; ++id) {
            unsigned char record[32] = {};
            for (int i = 0; i < 4; ++i)
                record[i] = static_cast<unsigned char>(id >> (8 * i));
            for (int i = 4; i < 16; ++i)
                record[i] = static_cast<unsigned char>(random.Below(8));
            const std::uint64_t tail = random.Next();
            for (int i = 16; i < 24; ++i)
                record[i] = static_cast<unsigned char>(tail >> (8 * (i - 16)));
            bytes.insert(bytes.end(), record, record + sizeof record);
        }
        break;
    case Kind::Noise:
        while (bytes.size() < file.size) {
            const std::uint64_t value = random.Next();
            for (int i = 0; i < 8; ++i)
                bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
        }
        break;
    }
    bytes.resize(file.size);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate-filler FOLDER\n");
        return 2;
    }
    Random random(0x5A5256454C2D3135ULL);
    for (const FillerFile& file : kFiles) {
        std::string relative = file.name;
        for (char& c : relative) {
            if (c == '\\')
                c = '/';
        }
        const std::filesystem::path path = std::filesystem::path(argv[1]) / relative;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        const std::vector<unsigned char> bytes = Make(file, random);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "generate-filler: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
