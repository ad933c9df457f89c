// Streams the data of one archive entry: raw bytes move through a 16 KiB
// read buffer, are decrypted when the entry uses the traditional PKWARE
// encryption, inflated when deflated, and checked against the CRC-32.
#pragma once

#include <zlib.h>

#include <array>
#include <cstdint>
#include <memory>

#include "install/zip_archive.h"

namespace vostra::zip {

inline constexpr size_t kZipBufferSize = 16384;

// The three keys of the traditional encryption, seeded from a password.
class TraditionalKeys {
public:
    explicit TraditionalKeys(const char* password);
    uint8_t Decrypt(uint8_t cipher);

private:
    void Update(uint8_t plain);
    uint32_t keys_[3];
};

class EntryStream {
public:
    enum class Status { kData, kEnd, kError, kBadPassword };

    // Opens the archive's current entry. When its local header fails the
    // checks the stream is broken and its first read fails.
    EntryStream(Archive& archive, const char* password);
    ~EntryStream();
    EntryStream(const EntryStream&) = delete;
    EntryStream& operator=(const EntryStream&) = delete;

    // Fills out with up to size bytes; produced tells how many. kEnd comes
    // with the last bytes, once the entry's end is reached.
    Status Read(uint8_t* out, size_t size, size_t& produced);

    // Whether the whole declared size was produced, and whether the CRC-32
    // of what was produced is the recorded one.
    bool AllRead() const { return uncompressed_left_ == 0; }
    bool CrcMatches() const { return running_crc_ == expected_crc_; }

private:
    bool Refill();
    Status SkipEncryptionHeader();
    Status CopyStored(uint8_t* out, size_t room, size_t& made);
    Status InflateSome(uint8_t* out, size_t room, size_t& made);

    Archive& archive_;
    bool broken_ = true;
    std::unique_ptr<std::array<uint8_t, kZipBufferSize>> buffer_;
    z_stream inflate_{};
    bool inflate_open_ = false;
    uint64_t position_ = 0;
    uint64_t compressed_left_ = 0;
    uint64_t uncompressed_left_ = 0;
    uint32_t running_crc_ = 0;
    uint32_t expected_crc_ = 0;
    uint16_t method_ = 0;
    std::unique_ptr<TraditionalKeys> keys_;
    int header_left_ = 0;
    uint8_t check_byte_ = 0;
    // Raw input waiting in buffer_.
    const uint8_t* input_ = nullptr;
    size_t input_left_ = 0;
};

}  // namespace vostra::zip
