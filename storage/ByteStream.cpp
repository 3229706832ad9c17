#include "storage/ByteStream.h"

#include <algorithm>
#include <cstring>

std::size_t FileSource::read(char *buffer, std::size_t capacity)
{
    return std::fread(buffer, 1, capacity, file_);
}

bool FileSource::failed() const
{
    return std::ferror(file_) != 0;
}

bool FileSink::write(const char *data, std::size_t size)
{
    return std::fwrite(data, 1, size, file_) == size;
}

bool FileSink::flush()
{
    return std::fflush(file_) == 0 && std::ferror(file_) == 0;
}

std::size_t MemorySource::read(char *buffer, std::size_t capacity)
{
    const std::size_t n = std::min(capacity, rest_.size());
    if (n > 0)
        std::memcpy(buffer, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
}

bool StringSink::write(const char *data, std::size_t size)
{
    bytes.append(data, size);
    return true;
}
