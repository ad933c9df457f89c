#include "install/zip_entry_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace vostra::zip {
namespace {

// One step of the CRC-32 register without the pre- and post-inversion that
// zlib's crc32() applies, as the traditional encryption uses it.
uint32_t CrcStep(uint32_t reg, uint8_t byte) {
    return ~static_cast<uint32_t>(crc32(~reg & 0xFFFFFFFFu, &byte, 1));
}

constexpr int kEncryptionHeaderSize = 12;

}  // namespace

TraditionalKeys::TraditionalKeys(const char* password)
    : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
    for (const char* p = password; p != nullptr && *p != '\0'; ++p) {
        Update(static_cast<uint8_t>(*p));
    }
}

void TraditionalKeys::Update(uint8_t plain) {
    keys_[0] = CrcStep(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = CrcStep(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

uint8_t TraditionalKeys::Decrypt(uint8_t cipher) {
    const uint32_t temp = (keys_[2] & 0xFFFF) | 2;
    const auto plain = static_cast<uint8_t>(cipher ^ (((temp * (temp ^ 1)) >> 8) & 0xFF));
    Update(plain);
    return plain;
}

EntryStream::EntryStream(Archive& archive, const char* password) : archive_(archive) {
    LocalHeader local;
    if (archive.CheckLocalHeader(local) != kZipOk) return;
    const CentralEntry& e = archive.Current();
    buffer_ = std::make_unique<std::array<uint8_t, kZipBufferSize>>();
    method_ = e.method;
    if (method_ == 8) {
        // Raw deflate: negative window bits, a 32 KiB window, no header.
        if (inflateInit2(&inflate_, -MAX_WBITS) != Z_OK) return;
        inflate_open_ = true;
    }
    position_ = local.data_start;
    compressed_left_ = e.compressed_size;
    uncompressed_left_ = e.uncompressed_size;
    expected_crc_ = e.crc;
    running_crc_ = static_cast<uint32_t>(crc32(0L, Z_NULL, 0));
    if (e.flags & 0x0001) {
        keys_ = std::make_unique<TraditionalKeys>(password);
        header_left_ = kEncryptionHeaderSize;
        // With bit 3 the CRC is not known when the header is written, so the
        // high byte of the DOS time stands in for it.
        check_byte_ = (e.flags & 0x0008) ? static_cast<uint8_t>(e.dos_time >> 8)
                                         : static_cast<uint8_t>(e.crc >> 24);
    }
    broken_ = false;
}

EntryStream::~EntryStream() {
    if (inflate_open_) inflateEnd(&inflate_);
}

bool EntryStream::Refill() {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(kZipBufferSize, compressed_left_));
    MemorySource& source = archive_.Source();
    source.Seek(position_);
    const size_t got = source.Read(buffer_->data(), want);
    if (got == 0) return false;
    position_ += got;
    // A short read means the archive ends inside the entry's data.
    compressed_left_ = got < want ? 0 : compressed_left_ - got;
    if (keys_) {
        for (size_t i = 0; i < got; ++i) (*buffer_)[i] = keys_->Decrypt((*buffer_)[i]);
    }
    input_ = buffer_->data();
    input_left_ = got;
    return true;
}

EntryStream::Status EntryStream::SkipEncryptionHeader() {
    while (header_left_ > 0 && input_left_ > 0) {
        const uint8_t value = *input_++;
        --input_left_;
        if (--header_left_ == 0 && value != check_byte_) return Status::kBadPassword;
    }
    return Status::kData;
}

EntryStream::Status EntryStream::CopyStored(uint8_t* out, size_t room, size_t& made) {
    made = static_cast<size_t>(std::min<uint64_t>({room, input_left_, uncompressed_left_}));
    std::memcpy(out, input_, made);
    input_ += made;
    input_left_ -= made;
    running_crc_ = static_cast<uint32_t>(crc32(running_crc_, out, static_cast<uInt>(made)));
    uncompressed_left_ -= made;
    return uncompressed_left_ == 0 ? Status::kEnd : Status::kData;
}

EntryStream::Status EntryStream::InflateSome(uint8_t* out, size_t room, size_t& made) {
    const auto limit = static_cast<uInt>(std::min<uint64_t>({room, uncompressed_left_, UINT_MAX}));
    inflate_.next_in = const_cast<Bytef*>(input_);
    inflate_.avail_in = static_cast<uInt>(input_left_);
    inflate_.next_out = out;
    inflate_.avail_out = limit;
    const int rc = inflate(&inflate_, Z_SYNC_FLUSH);
    made = limit - inflate_.avail_out;
    input_ = inflate_.next_in;
    input_left_ = inflate_.avail_in;
    running_crc_ = static_cast<uint32_t>(crc32(running_crc_, out, static_cast<uInt>(made)));
    uncompressed_left_ -= made;
    if (rc == Z_STREAM_END || uncompressed_left_ == 0) return Status::kEnd;
    if (rc == Z_OK || rc == Z_BUF_ERROR) return Status::kData;
    return Status::kError;
}

EntryStream::Status EntryStream::Read(uint8_t* out, size_t size, size_t& produced) {
    produced = 0;
    if (broken_) return Status::kError;
    while (produced < size && uncompressed_left_ > 0) {
        if (input_left_ == 0 && compressed_left_ > 0 && !Refill()) return Status::kError;
        if (header_left_ > 0) {
            // The data ends inside the encryption header.
            if (input_left_ == 0) return Status::kError;
            const Status s = SkipEncryptionHeader();
            if (s != Status::kData) return s;
            continue;
        }
        const size_t input_before = input_left_;
        size_t made = 0;
        const Status s = method_ == 0 ? CopyStored(out + produced, size - produced, made)
                                      : InflateSome(out + produced, size - produced, made);
        produced += made;
        if (s != Status::kData) return s;
        // No output and no input taken: nothing more can come of this entry.
        if (made == 0 && input_left_ == input_before && compressed_left_ == 0) break;
        if (made == 0 && input_left_ == input_before && input_left_ > 0) break;
    }
    return uncompressed_left_ == 0 ? Status::kEnd : Status::kData;
}

}  // namespace vostra::zip
