#include "storage/ByteStream.h"

#include <algorithm>
#include <cstring>

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
