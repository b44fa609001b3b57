#include "cli/output_buffer.h"

#include <cstring>

namespace gradova::cli {
namespace {

constexpr std::size_t kFlushBytes = 1 << 20;

}  // namespace

OutputBuffer::OutputBuffer(std::FILE* out) : m_out(out), m_bytes(2 * kFlushBytes) {}

char* OutputBuffer::Reserve(std::size_t bytes) {
  if (m_size >= kFlushBytes || m_bytes.size() - m_size < bytes) Flush();
  // A row larger than the whole buffer (a line of megabytes) gets a buffer of its own size.
  if (m_bytes.size() < bytes) m_bytes.resize(bytes);
  return m_bytes.data() + m_size;
}

void OutputBuffer::Commit(const char* end) {
  m_size = static_cast<std::size_t>(end - m_bytes.data());
}

void OutputBuffer::Append(std::string_view bytes) {
  char* const room = Reserve(bytes.size());
  std::memcpy(room, bytes.data(), bytes.size());
  Commit(room + bytes.size());
}

bool OutputBuffer::Finish() {
  Flush();
  return m_ok && std::fflush(m_out) == 0;
}

void OutputBuffer::Flush() {
  if (m_size > 0 && m_ok && std::fwrite(m_bytes.data(), 1, m_size, m_out) != m_size) {
    m_ok = false;
  }
  m_size = 0;
}

}  // namespace gradova::cli
