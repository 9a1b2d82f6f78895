// tavrin-pack: builds and checks resource packs and payloads on the host.
//
//   tavrin-pack pack    FOLDER PACK       pack a folder
//   tavrin-pack payload FOLDER PAYLOAD    pack a folder and compress it
//   tavrin-pack unpack  PAYLOAD PACK      decompress a payload
//   tavrin-pack list    PACK              print name, offset, size, key
//   tavrin-pack verify  PACK FOLDER       exit 0 when PACK holds exactly FOLDER
#include "package/DecompressPayload.h"
#include "package/PackIndex.h"
#include "tools/FolderPacker.h"
#include "tools/PayloadEncoder.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadFile(const char* path, ByteBuffer& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const char* path, const ByteBuffer& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tavrin-pack: %s\n", message.c_str());
    return 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: tavrin-pack pack FOLDER PACK | payload FOLDER PAYLOAD | unpack PAYLOAD PACK |\n"
                 "                   list PACK | verify PACK FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    if ((command == "pack" || command == "payload") && argc == 4) {
        FolderPacker packer;
        ByteBuffer pack;
        if (!packer.Pack(argv[2], pack))
            return Fail(packer.Error());
        if (command == "payload") {
            ByteBuffer payload;
            const int result = PayloadEncoder::Encode(pack, payload);
            if (result != 0)
                return Fail("LZMA encoder error " + std::to_string(result));
            pack.swap(payload);
        }
        return WriteFile(argv[3], pack) ? 0 : Fail(std::string("cannot write ") + argv[3]);
    }
    if (command == "unpack" && argc == 4) {
        ByteBuffer payload;
        ByteBuffer pack;
        if (!ReadFile(argv[2], payload))
            return Fail(std::string("cannot read ") + argv[2]);
        const int result = DecompressPayload(payload, pack);
        if (result != 0)
            return Fail("LZMA decoder error " + std::to_string(result));
        return WriteFile(argv[3], pack) ? 0 : Fail(std::string("cannot write ") + argv[3]);
    }
    if (command == "list" && argc == 3) {
        ByteBuffer pack;
        std::vector<ResPackEntry> entries;
        if (!ReadFile(argv[2], pack))
            return Fail(std::string("cannot read ") + argv[2]);
        if (!PackIndex::Parse(pack.data(), pack.size(), entries))
            return Fail("not a valid pack");
        for (const ResPackEntry& entry : entries)
            std::printf("%08X %10u %10u %s\n", entry.key, entry.offset, entry.size, entry.name.c_str());
        return 0;
    }
    if (command == "verify" && argc == 4) {
        ByteBuffer pack;
        std::string why;
        if (!ReadFile(argv[2], pack))
            return Fail(std::string("cannot read ") + argv[2]);
        if (!FolderPacker::Matches(pack, argv[3], why))
            return Fail(why);
        return 0;
    }
    return Usage();
}
