#include "skin/zip_archive.h"

#include <zlib.h>

#include <climits>

namespace skin {
namespace {

constexpr unsigned long kEndSignature = 0x06054b50;
constexpr unsigned long kDirectorySignature = 0x02014b50;
constexpr unsigned long kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kDirectoryEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr unsigned kStored = 0;
constexpr unsigned kDeflated = 8;

unsigned Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }

unsigned long Read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned long>(p[3]) << 24);
}

bool Inflate(const unsigned char* packed, size_t packedSize, std::string& out) {
    if (packedSize > UINT_MAX || out.size() > UINT_MAX) return false;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<unsigned char*>(packed);
    stream.avail_in = static_cast<uInt>(packedSize);
    stream.next_out = reinterpret_cast<unsigned char*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int result = inflate(&stream, Z_FINISH);
    bool complete = result == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    return complete;
}

}  // namespace

bool ZipArchive::Open(const void* data, size_t size) {
    data_ = static_cast<const unsigned char*>(data);
    size_ = size;
    entries_.clear();
    if (!data_ || size_ < kEndSize) return false;

    // The end record sits in the last 22 bytes plus an archive comment of up to 64 KB.
    size_t end = size_ - kEndSize;
    size_t lowest = size_ > kEndSize + 0xFFFF ? size_ - kEndSize - 0xFFFF : 0;
    while (Read32(data_ + end) != kEndSignature) {
        if (end == lowest) return false;
        --end;
    }
    size_t count = Read16(data_ + end + 10);
    size_t offset = Read32(data_ + end + 16);

    for (size_t i = 0; i < count; ++i) {
        if (offset > size_ || size_ - offset < kDirectoryEntrySize) return false;
        const unsigned char* p = data_ + offset;
        if (Read32(p) != kDirectorySignature) return false;
        size_t nameLength = Read16(p + 28);
        size_t recordLength = kDirectoryEntrySize + nameLength + Read16(p + 30) + Read16(p + 32);
        if (size_ - offset < recordLength) return false;
        Entry entry;
        entry.method = Read16(p + 10);
        entry.crc = Read32(p + 16);
        entry.packedSize = Read32(p + 20);
        entry.size = Read32(p + 24);
        entry.headerOffset = Read32(p + 42);
        entries_[std::string(reinterpret_cast<const char*>(p + kDirectoryEntrySize), nameLength)] =
            entry;
        offset += recordLength;
    }
    return true;
}

bool ZipArchive::Read(const std::string& name, std::string& contents) const {
    auto found = entries_.find(name);
    if (found == entries_.end()) return false;
    const Entry& entry = found->second;
    size_t offset = entry.headerOffset;
    if (offset > size_ || size_ - offset < kLocalHeaderSize) return false;
    const unsigned char* header = data_ + offset;
    if (Read32(header) != kLocalSignature) return false;
    size_t start = offset + kLocalHeaderSize + Read16(header + 26) + Read16(header + 28);
    if (start > size_ || size_ - start < entry.packedSize) return false;

    std::string out(entry.size, '\0');
    const unsigned char* packed = data_ + start;
    if (entry.method == kStored) {
        if (entry.packedSize != entry.size) return false;
        out.assign(reinterpret_cast<const char*>(packed), entry.size);
    } else if (entry.method != kDeflated || !Inflate(packed, entry.packedSize, out)) {
        return false;
    }
    unsigned long crc =
        crc32(0L, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
    if (crc != entry.crc) return false;
    contents.swap(out);
    return true;
}

}  // namespace skin
