#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace skin {

// Read-only view of a ZIP archive held in memory that the caller keeps alive.
// Entries may be stored or deflated; names are matched exactly.
class ZipArchive {
  public:
    // Reads the central directory; false when the block is not a ZIP archive.
    bool Open(const void* data, size_t size);
    // Unpacks one entry and checks its CRC; false when missing or damaged.
    bool Read(const std::string& name, std::string& contents) const;
    size_t EntryCount() const { return entries_.size(); }

  private:
    struct Entry {
        unsigned method = 0;
        unsigned long crc = 0;
        size_t packedSize = 0;
        size_t size = 0;
        size_t headerOffset = 0;
    };

    const unsigned char* data_ = nullptr;
    size_t size_ = 0;
    std::map<std::string, Entry> entries_;
};

}  // namespace skin
