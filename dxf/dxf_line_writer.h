// Line output of the DXF writer, in large blocks.
//
// A finished DXF has CR LF after every line and its texts in Windows
// characters when anything was converted, and single CR line ends (texts
// as read) when nothing was. Only labels can carry characters above
// ASCII, and any label counts as converted, so the writer produces the
// converted form directly: labels go through oemToAnsi as they are
// written, every line ends with CR LF. Until the first converted command
// the output is held back (in memory, beyond a block in an anonymous
// temporary file); if the conversion ends with nothing converted, the held
// output is passed on with the LF of every line end removed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <system_error>

#include "base/safe_file_writer.h"

namespace tavrel {

class DxfLineWriter {
 public:
  // The sink is the program's one safe file writer (temporary file
  // beside the target, renamed when complete; devices in place).
  explicit DxfLineWriter(SafeFileWriter& sink);
  ~DxfLineWriter();
  DxfLineWriter(const DxfLineWriter&) = delete;
  DxfLineWriter& operator=(const DxfLineWriter&) = delete;

  void line(std::string_view text) {
    if (text.size() + 2 > kBlock - used_) makeRoom(text.size() + 2);
    if (text.size() + 2 > kBlock - used_) return bigLine(text);
    char* p = buffer_.get() + used_;
    if (!text.empty()) std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\r';
    p[text.size() + 1] = '\n';
    used_ += text.size() + 2;
  }
  // A record: room is made once for all of its lines.
  void lines(std::initializer_list<std::string_view> texts) {
    std::size_t size = 0;
    for (std::string_view t : texts) size += t.size() + 2;
    if (size > kBlock - used_) makeRoom(size);
    if (size > kBlock - used_) {
      for (std::string_view t : texts) line(t);
      return;
    }
    char* p = buffer_.get() + used_;
    for (std::string_view t : texts) {
      for (char c : t) *p++ = c;
      *p++ = '\r';
      *p++ = '\n';
    }
    used_ += size;
  }
  // Lines prepared by the caller, each ended with CR LF.
  void completeLines(std::string_view text) {
    if (text.size() > kBlock - used_) makeRoom(text.size());
    if (text.size() > kBlock - used_) return bigLine(text.substr(0, text.size() - 2));
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
  }
  // A line of free text (a label): DOS characters become Windows ones.
  void textLine(std::string_view text);
  // Room for `size` more characters; the caller then writes them at
  // end() and calls advance(). Lets numbers be formatted in place.
  char* reserve(std::size_t size) {
    if (size > kBlock - used_) makeRoom(size);
    return buffer_.get() + used_;
  }
  void advance(std::size_t size) { used_ += size; }

  // From now on the output is the converted form and flows to the sink.
  void setConverted() {
    if (!converted_) startConverted();
  }
  // Passes the rest on (in the form `converted` says); false when any
  // write failed. The sink is neither committed nor abandoned here.
  bool finish(bool converted);
  bool ok() const { return !error_; }
  // The first write failure with the system's reason (empty while ok()).
  std::error_code error() const { return error_; }

  static constexpr std::size_t kBlock = std::size_t{1} << 20;

 private:
  void makeRoom(std::size_t size);
  void bigLine(std::string_view text);
  void flush();
  void startConverted();
  void drainHeld(bool dropLf);
  void pass(char* data, std::size_t size, bool dropLf);

  SafeFileWriter& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool converted_ = false;
  void fail(std::error_code ec);
  void failHeld();

  std::error_code error_;
  std::FILE* held_ = nullptr;  // output held back before the first conversion
};

}  // namespace tavrel
