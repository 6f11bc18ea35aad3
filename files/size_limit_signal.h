#pragma once

namespace varnoke::files {

// A write past the file-size limit (ulimit -f) raises SIGXFSZ, which ends the program and
// leaves a part of a temporary file behind. Ignored, the write fails with EFBIG instead,
// and a save reports it and removes its temporary file as for a full disk. Called once,
// first thing, by each program's main; nothing on Windows, which has no such limit.
void LetWritesFailAtSizeLimit();

} // namespace varnoke::files
