#pragma once

namespace cli {

// Whether standard error is a terminal, where a progress line that rewrites itself is wanted; a
// file or pipe gets only the final lines.
bool stderrIsTerminal();

} // namespace cli
