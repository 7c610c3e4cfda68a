// The bottom layer: number, text and geometry utilities, text encodings and
// the writer of every file the program saves. Nothing here depends on any
// other folder of the program.
#pragma once

#include "base/geometry.h"
#include "base/number_text.h"
#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
