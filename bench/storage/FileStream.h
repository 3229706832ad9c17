#pragma once

#include "storage/ByteStream.h"

#include <cstdio>

/// Reads a C stream that the caller has opened and will close.
class FileSource : public ByteSource {
  public:
    explicit FileSource(std::FILE *file) : file_(file) {}
    std::size_t read(char *buffer, std::size_t capacity) override
    {
        return std::fread(buffer, 1, capacity, file_);
    }
    bool failed() const override { return std::ferror(file_) != 0; }

  private:
    std::FILE *file_;
};

/// Writes to a C stream that the caller has opened and will close.
class FileSink : public ByteSink {
  public:
    explicit FileSink(std::FILE *file) : file_(file) {}
    bool write(const char *data, std::size_t size) override
    {
        return std::fwrite(data, 1, size, file_) == size;
    }
    /// Flushes the stream, so that a full disk shows here and not only at fclose.
    bool flush() override { return std::fflush(file_) == 0 && std::ferror(file_) == 0; }

  private:
    std::FILE *file_;
};
