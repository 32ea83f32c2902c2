#include "files/OutputFileBuffer.h"

namespace ravelin {
namespace {

constexpr size_t kBufferSize = size_t{64} << 10;

}  // namespace

OutputFileBuffer::OutputFileBuffer(OutputFile& file) : file_(file), buffer_(kBufferSize) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool OutputFileBuffer::Put(const char* data, size_t size) {
    if (error_) {
        return false;
    }
    error_ = file_.Write(data, size);
    return !error_;
}

bool OutputFileBuffer::Drain() {
    const auto pending = static_cast<size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return pending == 0 || Put(buffer_.data(), pending);
}

OutputFileBuffer::int_type OutputFileBuffer::overflow(int_type c) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize OutputFileBuffer::xsputn(const char* data, std::streamsize size) {
    const auto bytes = static_cast<size_t>(size);
    if (bytes <= static_cast<size_t>(epptr() - pptr())) {
        traits_type::copy(pptr(), data, bytes);
        pbump(static_cast<int>(bytes));
        return size;
    }
    // Larger than the room left: what is buffered goes first, then the bytes themselves.
    if (!Drain()) {
        return 0;
    }
    if (bytes < buffer_.size()) {
        traits_type::copy(pptr(), data, bytes);
        pbump(static_cast<int>(bytes));
        return size;
    }
    return Put(data, bytes) ? size : 0;
}

int OutputFileBuffer::sync() {
    return Drain() ? 0 : -1;
}

}  // namespace ravelin
