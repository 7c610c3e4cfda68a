// Line output of the DXF writer: every line ends with a single CR until
// the character-set pass rewrites the file with CR LF.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace tavrel {

class DxfLineWriter {
 public:
  explicit DxfLineWriter(std::FILE* file) : file_(file) {}

  void line(std::string_view text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
      failed_ = true;
    if (std::fputc('\r', file_) == EOF) failed_ = true;
  }
  void lines(std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts) line(t);
  }
  // False once any write failed.
  bool ok() const { return !failed_ && !std::ferror(file_); }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

}  // namespace tavrel
