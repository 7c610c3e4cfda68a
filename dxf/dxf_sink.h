// Where a finished DXF goes: the one place that knows about files.
//
// A conversion writes its output in large blocks to a DxfSink and ends
// with either commit() (the file is complete) or abandon() (the conversion
// failed). A regular file is written under a temporary name beside the
// target and renamed over it on commit, so that an interrupted or failed
// conversion never leaves a partial file and an existing target keeps its
// old contents until the new one is complete. A target that exists and
// can be neither renamed over nor replaced (a device such as /dev/stdout)
// is written in place.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tavrel {

class DxfSink {
 public:
  DxfSink() = default;
  DxfSink(const DxfSink&) = delete;
  DxfSink& operator=(const DxfSink&) = delete;
  ~DxfSink() { abandon(); }

  // Prepares writing to `target`; false when the file cannot be created
  // (then nothing exists that was not there before).
  bool open(const std::string& target);
  // Appends a block; false once any write failed.
  bool write(const char* data, std::size_t size);
  // Makes the written bytes the target; false (and nothing left behind)
  // when the data cannot be completed.
  bool commit();
  // Drops everything written; the target stays as it was.
  void abandon();

 private:
  std::FILE* file_ = nullptr;
  std::string temporary_;  // empty when writing in place
  std::string target_;
  bool failed_ = false;
};

}  // namespace tavrel
