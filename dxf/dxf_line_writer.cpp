#include "dxf/dxf_line_writer.h"

#include <cerrno>

#include "dxf/code_page.h"

namespace tavrel {

void DxfLineWriter::fail(std::error_code ec) {
  if (ec && !error_) error_ = ec;
}

// The holding file failed: the system's reason, or EIO.
void DxfLineWriter::failHeld() {
  fail(std::error_code(errno != 0 ? errno : EIO, std::generic_category()));
}

DxfLineWriter::DxfLineWriter(SafeFileWriter& sink) : sink_(sink), buffer_(new char[kBlock]) {}

DxfLineWriter::~DxfLineWriter() {
  if (held_) std::fclose(held_);
}

void DxfLineWriter::textLine(std::string_view text) {
  char* p = reserve(text.size() + 2);
  if (text.size() + 2 > kBlock - used_) return bigLine(text);
  for (char c : text) *p++ = static_cast<char>(oemToAnsi(static_cast<unsigned char>(c)));
  *p++ = '\r';
  *p = '\n';
  advance(text.size() + 2);
}

void DxfLineWriter::makeRoom(std::size_t size) {
  if (size <= kBlock - used_) return;
  flush();
}

// Lines are far shorter than a block; this keeps the writer correct for
// any length all the same.
void DxfLineWriter::bigLine(std::string_view text) {
  flush();
  if (converted_) {
    fail(sink_.write(text));
    fail(sink_.write("\r\n"));
    return;
  }
  errno = 0;
  if (!held_) held_ = std::tmpfile();
  if (!held_ || std::fwrite(text.data(), 1, text.size(), held_) != text.size() ||
      std::fwrite("\r\n", 1, 2, held_) != 2)
    failHeld();
}

void DxfLineWriter::flush() {
  if (used_ == 0) return;
  if (converted_) {
    fail(sink_.write({buffer_.get(), used_}));
  } else {
    errno = 0;
    if (!held_) held_ = std::tmpfile();
    if (!held_ || std::fwrite(buffer_.get(), 1, used_, held_) != used_) failHeld();
  }
  used_ = 0;
}

void DxfLineWriter::startConverted() {
  converted_ = true;
  drainHeld(false);  // what was held back is in the converted form already
}

// Passes the held-back output to the sink and drops the holding file.
void DxfLineWriter::drainHeld(bool dropLf) {
  if (!held_) return;
  std::rewind(held_);
  std::unique_ptr<char[]> block(new char[kBlock]);
  std::size_t n;
  errno = 0;
  while ((n = std::fread(block.get(), 1, kBlock, held_)) > 0) pass(block.get(), n, dropLf);
  if (std::ferror(held_)) failHeld();
  std::fclose(held_);
  held_ = nullptr;
}

void DxfLineWriter::pass(char* data, std::size_t size, bool dropLf) {
  if (!dropLf) return fail(sink_.write({data, size}));
  std::size_t kept = 0;
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] != '\n') data[kept++] = data[i];
  fail(sink_.write({data, kept}));
}

bool DxfLineWriter::finish(bool converted) {
  if (converted) {
    setConverted();
    flush();
    return ok();
  }
  // Nothing converted: the held lines get single CR line ends.
  drainHeld(true);
  if (used_ > 0) pass(buffer_.get(), used_, true);
  used_ = 0;
  return ok();
}

}  // namespace tavrel
