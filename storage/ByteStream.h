#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Where the reader takes its bytes from. The reader buffers, so `read` is asked for
/// large blocks at a time.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    /// Fills up to `capacity` bytes; returns 0 only at the end of input or on an error.
    virtual std::size_t read(char *buffer, std::size_t capacity) = 0;
    /// True when reading stopped because of an error rather than the end of input.
    virtual bool failed() const { return false; }
};

/// Where the writer puts its bytes. The writer buffers, so `write` gets large blocks.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    /// Returns false when the bytes could not be written.
    virtual bool write(const char *data, std::size_t size) = 0;
    /// Hands everything written so far on; returns false when that failed.
    virtual bool flush() { return true; }
};

/// Reads bytes held in memory; they must outlive the source.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : rest_(bytes) {}
    std::size_t read(char *buffer, std::size_t capacity) override;

  private:
    std::string_view rest_;
};

/// Collects the written bytes in a string.
class StringSink : public ByteSink {
  public:
    bool write(const char *data, std::size_t size) override;
    std::string bytes;
};
